#include "mainwnd/BitButtonState.h"

namespace orvane {

void BitButtonState::OnButtonUp(bool overButton) {
    if (overButton && latched) {
        state = kPressed;
        latched = 1;
    } else {
        state = kNormal;
        latched = 0;
    }
}

ButtonFace BitButtonState::Face(bool disabled) const {
    if (disabled)
        return ButtonFace::Disabled;
    const bool showsLatch = latching == 1 && latched != 0;
    switch (state) {
    case kHover:
        return ButtonFace::Over;
    case kPressed:
        if (latching == 1)
            return showsLatch ? ButtonFace::Down : ButtonFace::Normal;
        return ButtonFace::Down;
    default: // kNormal, kNoTracking and any value the owner wrote
        return showsLatch ? ButtonFace::Down : ButtonFace::Normal;
    }
}

} // namespace orvane
