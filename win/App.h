// The application object: one per process, created as a static object
// before wWinMain runs. wWinMain hands control to Run, which calls
// InitInstance; the process ends when InitInstance returns.
#pragma once

#include <windows.h>

namespace win {

class WinApp {
  public:
    WinApp();
    WinApp(const WinApp&) = delete;
    WinApp& operator=(const WinApp&) = delete;
    virtual ~WinApp();

    // The process's one application object.
    static WinApp* Current() { return current_; }

    // Runs InitInstance; answers the process's exit code.
    int Run(HINSTANCE instance);

    HINSTANCE Instance() const { return instance_; }
    // Loads an icon resource of the exe at the system's large icon size.
    HICON LoadIcon(UINT id) const;

    HWND mainWindow = nullptr; // the main dialog's window while it exists

  protected:
    // Start-up. Answers whether a message loop should follow; Orvane's
    // runs its dialog modally inside and answers FALSE.
    virtual BOOL InitInstance() { return FALSE; }

  private:
    static WinApp* current_;
    HINSTANCE instance_ = nullptr;
};

} // namespace win
