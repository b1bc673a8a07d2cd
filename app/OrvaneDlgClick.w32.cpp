// COrvaneDlg's click dispatcher: every left press on the window arrives as
// WM_NCLBUTTONDOWN (the whole window answers the caption hit code). The hit
// cell's command runs, a key cell opens the assignment dialog, and the
// caller's default processing then starts the drag.
#include "app/OrvaneDlg.w32.h"

#include <windowsx.h>

#include "app/ClickDispatch.h"
#include "mainwnd/HoverPass.h"
#include "res/resource.h"
#include "tray/TrayIcon.w32.h"
#include "win/MessageBox.h"

namespace orvane {

void COrvaneDlg::OnNcLButtonDown(LPARAM screenPoint) {
    POINT pt{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    ScreenToClient(Hwnd(), &pt);
    const int cell = HitCell(hitRects_, pt.x, pt.y);
    if (cell < 1)
        return;
    RunControl(cell);
    // A key cell opens the dialog also when its name is a control name.
    if (IsClickableKeyCell(cell))
        OpenKeyAssignment(cell);
}

LRESULT COrvaneDlg::DragAfterClick() {
    // GetKeyState follows the messages this thread has taken: a button-up
    // taken by a modal loop during the click shows here as "up".
    if (GetKeyState(VK_LBUTTON) >= 0)
        return 0;
    // A command that hid or minimised the window (Close, OK, Cancel,
    // Minimize) leaves nothing to drag: the move loop of a window that is
    // not shown would hold the mouse and the keyboard until the next click.
    if (!IsWindowVisible(Hwnd()) || IsIconic(Hwnd()))
        return 0;
    return Default();
}

void COrvaneDlg::RunControl(int cell) {
    const ControlAction action = ControlActionOf(cells_[cell - 1].name);
    MainModel model = Model();
    switch (action) {
    case ControlAction::None:
        return;
    case ControlAction::Close:
    case ControlAction::Cancel: // nothing is undone; SettingsModified stays
        ShowWindow(Hwnd(), SW_HIDE);
        return;
    case ControlAction::MacroLibrary:
        OpenMacroLibrary();
        return;
    case ControlAction::Minimize:
        ShowWindow(Hwnd(), SW_MINIMIZE);
        return;
    case ControlAction::Menu:
        ShowPopupMenu(Hwnd(), IDR_BUTTONMENU, TPM_RIGHTBUTTON);
        return;
    case ControlAction::Apply:
        CommitWorkingProfile(model);
        PublishMaps();
        return;
    case ControlAction::Ok:
        CommitWorkingProfile(model);
        PublishMaps();
        ShowWindow(Hwnd(), SW_HIDE);
        return;
    case ControlAction::Default:
        if (!win::AskOkCancel(Hwnd(), L"Do you want to restore the default seetings?"))
            return;
        RestoreDefaults(model);
        PublishMaps();
        RepaintSkin();
        return;
    case ControlAction::Profile1:
    case ControlAction::Profile2:
    case ControlAction::Profile3:
        SwitchProfile(model, ProfileOfAction(action), [this] {
            return win::AskOkCancel(Hwnd(), L"Do you want to save the settings?");
        });
        PublishMaps();
        RepaintSkin();
        return;
    }
}

void COrvaneDlg::RepaintSkin() {
    if (win::WindowDC dc(Hwnd()); dc)
        PaintFace(dc.Get());
}

} // namespace orvane
