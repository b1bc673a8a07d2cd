// A push button drawn by its class: bound to a dialog's button control with
// SubclassDlgItem, it becomes owner-drawn (BS_OWNERDRAW is added before the
// binding) and paints itself in DrawItem, which its dialog reflects from
// WM_DRAWITEM. Mouse messages arrive through OnMessage like any window's.
#pragma once

#include <windows.h>

#include "win/Window.h"

namespace win {

class OwnerDrawButton : public Window {
  public:
    // Repaints the whole button (InvalidateRect(NULL, FALSE)).
    void Invalidate() { ::InvalidateRect(Hwnd(), nullptr, FALSE); }

  protected:
    void PreSubclassWindow() override;
};

} // namespace win
