#include "win/OwnerDrawButton.h"

namespace win {

void OwnerDrawButton::PreSubclassWindow() {
    // The button type lives in the low bits of the style; owner-draw
    // replaces push / default-push.
    LONG_PTR style = ::GetWindowLongPtrW(Hwnd(), GWL_STYLE);
    ::SetWindowLongPtrW(Hwnd(), GWL_STYLE,
                        (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
}

} // namespace win
