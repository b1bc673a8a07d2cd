#include "skin/SkinnedDialog.w32.h"

#include "skin/Skin.w32.h"

namespace orvane {

void SkinnedDialog::Shape(HBITMAP mask, HBITMAP face) {
    ShapeToMask(Hwnd(), mask, face);
}

BOOL SkinnedDialog::OnInitDialog() {
    painted_ = false;
    return Dialog::OnInitDialog();
}

bool SkinnedDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_NCHITTEST:
        result = CaptionHitTest(Default());
        return true;
    case WM_ERASEBKGND:
        PaintFace(reinterpret_cast<HDC>(wp));
        result = TRUE;
        return true;
    case WM_PAINT:
        if (iconicIcon_ != nullptr && IsIconic(Hwnd()))
            PaintIconic(Hwnd(), iconicIcon_);
        else
            Default(); // the face comes from WM_ERASEBKGND
        if (!painted_) {
            painted_ = true;
            paintSignal_.Set();
        }
        result = 0;
        return true;
    default:
        return Dialog::OnMessage(msg, wp, lp, result);
    }
}

} // namespace orvane
