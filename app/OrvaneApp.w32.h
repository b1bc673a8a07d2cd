// The application object: the single-instance rule and the main dialog's
// modal run. Exactly one exists, a static object in app/WinMain.w32.cpp.
#pragma once

#include <windows.h>

#include "win/App.h"

namespace orvane {

// The single-instance mark: the name of the named mutex and of the window
// property that the running instance's main window carries.
inline constexpr wchar_t kInstanceMark[] = L"game keyboard";

class COrvaneApp : public win::WinApp {
  public:
    // TRUE for the first instance. For a later one: brings the first
    // instance's marked window forward (restoring it when minimised; a
    // hidden window stays hidden) and answers FALSE. The mutex stays open
    // for the life of the process.
    BOOL IsFirstInstance();

  protected:
    // Runs the main dialog modally; always FALSE, so the process ends when
    // the dialog has closed (at once for a second instance).
    BOOL InitInstance() override;
};

// The top-level window that carries the single-instance mark, or nullptr.
HWND FindMarkedWindow();

} // namespace orvane
