// The state of a skinned bitmap button (CBitButtton) and the face it shows,
// without a window: the Win32 class feeds it the mouse messages and draws
// the face it names.
//
// `state`: 3 normal, 0 the mouse rests on the button (hover), 1 pressed, or
// moving on the button before the hover notice; 2 is never produced here
// and, set by the owner, stops hover tracking. `latched` is set by a press
// and kept by a release over the button (the button's command runs then); a
// release elsewhere runs no command, so it gives `latched` back the value it
// had before the press.
// `latching` (the owner's choice) makes a latched button show its down face
// while the mouse is not on it. The owner reads and writes all three.
#pragma once

namespace orvane {

enum class ButtonFace { Normal, Over, Down, Disabled };

struct BitButtonState {
    static constexpr int kHover = 0;
    static constexpr int kPressed = 1;
    static constexpr int kNoTracking = 2;
    static constexpr int kNormal = 3;

    int state = kNormal;
    int latched = 0;
    int latching = 0; // an owner that never sets it has an ordinary button

    // Shows the down face of a latching button at its next repaint.
    void SetLatched() {
        state = kNormal;
        latched = 1;
    }

    // WM_MOUSEMOVE: whether to ask for hover and leave notices; then
    // OnTrackRequested with the request's result.
    bool WantsTracking() const { return state != kNoTracking; }
    void OnTrackRequested(bool succeeded) { state = succeeded ? kPressed : kHover; }
    // WM_MOUSEHOVER / WM_MOUSELEAVE (both repaint).
    void OnMouseHover() { state = kHover; }
    void OnMouseLeave() { state = kNormal; }
    // WM_LBUTTONDOWN (repaints).
    void OnButtonDown() {
        latchedBeforePress_ = latched;
        pressed_ = true;
        state = kPressed;
        latched = 1;
    }
    // WM_LBUTTONUP; overButton: the window under the release point is the
    // button itself.
    void OnButtonUp(bool overButton);

    // The face to draw. A disabled button shows its disabled face whatever
    // the rest holds. State 1 on a latching button shows the down face while
    // latched (the press that latched it), else the normal face (the mouse
    // has only moved on); state 2 shows the resting face, as state 3 does.
    // Every state names a face: the button is never left undrawn.
    ButtonFace Face(bool disabled) const;

  private:
    bool pressed_ = false; // a press on the button has not been released yet
    int latchedBeforePress_ = 0;
};

} // namespace orvane
