#include "skin/BitButtonState.h"

#include <utility>

namespace orvane {

void BitButtonState::OnButtonUp(bool overButton) {
    const bool pressed = std::exchange(pressed_, false);
    if (overButton && latched) {
        state = kPressed;
        return;
    }
    state = kNormal;
    // A release elsewhere runs no command: the latch goes back to what it was
    // before the press (the owner's choice, say the dialog's mode tab in
    // force), and a release without a press here (the second press of a
    // double click) changes no latch.
    if (!overButton && pressed)
        latched = latchedBeforePress_;
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
