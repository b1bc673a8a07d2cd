// CBitButtton: an owner-drawn push button whose look is four bitmaps
// ("faces") of the button's size, supplied by its owner: normal, mouse over,
// pressed, disabled. It follows the mouse itself (hover and leave notices,
// 1 ms hover time) and can latch: after a click a latching button keeps
// showing its pressed face while the mouse is elsewhere (the assignment
// dialog's mode buttons). Enter on the focused button runs its command, as
// Space does. The state rules live in BitButtonState.
//
// Owner: the assignment dialog binds each button with SubclassDlgItem (the
// control becomes owner-drawn then), cuts the faces with CutFace and hands
// them over with AttachFaces; the button frees them when it is destroyed,
// or earlier through FreeFaces. The owner reads and writes `state`,
// `latched` and `latching` directly and repaints with Invalidate.
// GUI thread only.
#pragma once

#include <windows.h>

#include "skin/BitButtonState.h"
#include "win/Handles.h"
#include "win/OwnerDrawButton.h"

namespace orvane {

class CBitButtton : public win::OwnerDrawButton, public BitButtonState {
  public:
    CBitButtton() = default;

    // Takes ownership of the four faces (null leaves that face empty),
    // freeing the ones held before.
    void AttachFaces(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP disabled);
    // Frees the four faces now; the button then draws the window's button
    // colour until new faces come.
    void FreeFaces();

    // Paints the chosen face unscaled from its top-left corner over the
    // whole client area. A missing face falls back to the normal face.
    void DrawItem(const DRAWITEMSTRUCT& item) override;

    win::UniqueBitmap normalFace;
    win::UniqueBitmap overFace;
    win::UniqueBitmap downFace;
    win::UniqueBitmap disabledFace;
    RECT faceRect{}; // the client rectangle, refreshed by every DrawItem

  protected:
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    HBITMAP FaceBitmap(ButtonFace face) const;
    void OnMouseMove();
    void OnLButtonUp(LPARAM clientPoint);
};

} // namespace orvane
