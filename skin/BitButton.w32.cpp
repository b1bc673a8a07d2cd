#include "skin/BitButton.w32.h"

#include <commctrl.h>
#include <windowsx.h>

#include "skin/Skin.w32.h"

namespace orvane {

void CBitButtton::AttachFaces(HBITMAP normal, HBITMAP over, HBITMAP down, HBITMAP disabled) {
    normalFace.Reset(normal);
    overFace.Reset(over);
    downFace.Reset(down);
    disabledFace.Reset(disabled);
}

void CBitButtton::FreeFaces() {
    AttachFaces(nullptr, nullptr, nullptr, nullptr);
}

HBITMAP CBitButtton::FaceBitmap(ButtonFace face) const {
    switch (face) {
    case ButtonFace::Over:
        return overFace.Get();
    case ButtonFace::Down:
        return downFace.Get();
    case ButtonFace::Disabled:
        return disabledFace.Get();
    case ButtonFace::Normal:
        break;
    }
    return normalFace.Get();
}

void CBitButtton::DrawItem(const DRAWITEMSTRUCT& item) {
    ::GetClientRect(Hwnd(), &faceRect);
    HBITMAP face = FaceBitmap(Face((item.itemState & ODS_DISABLED) != 0));
    if (!face)
        face = normalFace.Get();
    if (!face) {
        ::FillRect(item.hDC, &faceRect, ::GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    BlitFrom(item.hDC, faceRect.left, faceRect.top, faceRect.right, faceRect.bottom, face, 0, 0);
}

void CBitButtton::OnMouseMove() {
    if (!WantsTracking())
        return;
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_HOVER | TME_LEAVE;
    track.hwndTrack = Hwnd();
    track.dwHoverTime = 1;
    OnTrackRequested(::_TrackMouseEvent(&track) != FALSE);
}

void CBitButtton::OnLButtonUp(LPARAM clientPoint) {
    POINT point{GET_X_LPARAM(clientPoint), GET_Y_LPARAM(clientPoint)};
    ::ClientToScreen(Hwnd(), &point);
    OnButtonUp(::WindowFromPoint(point) == Hwnd());
}

bool CBitButtton::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_GETDLGCODE: {
        // Enter on the focused button runs its command, as it does on a
        // push button: an owner-drawn one is no push button to the dialog
        // manager, which would run the dialog's default button instead.
        result = Default();
        const MSG* m = reinterpret_cast<const MSG*>(lp);
        if (m && m->message == WM_KEYDOWN && m->wParam == VK_RETURN)
            result |= DLGC_WANTMESSAGE;
        return true;
    }
    case WM_KEYDOWN:
        if (wp != VK_RETURN)
            return false;
        if (::IsWindowEnabled(Hwnd()))
            ::SendMessageW(::GetParent(Hwnd()), WM_COMMAND,
                           MAKEWPARAM(::GetDlgCtrlID(Hwnd()), BN_CLICKED),
                           reinterpret_cast<LPARAM>(Hwnd()));
        result = 0;
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove();
        result = Default();
        return true;
    case WM_MOUSEHOVER:
        OnMouseHover();
        Invalidate();
        result = 0;
        return true;
    case WM_MOUSELEAVE:
        OnMouseLeave();
        Invalidate();
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        OnButtonDown();
        Invalidate();
        result = Default();
        return true;
    case WM_LBUTTONUP:
        OnLButtonUp(lp);
        result = Default();
        return true;
    default:
        return false;
    }
}

} // namespace orvane
