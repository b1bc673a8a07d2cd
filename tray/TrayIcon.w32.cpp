#include "tray/TrayIcon.w32.h"

#include <cwchar>

#include "win/Dialog.h"
#include "win/Handles.h"

namespace orvane {

void TrayIcon::Add(HWND owner, HICON icon) {
    data_ = {};
    data_.cbSize = sizeof(data_);
    data_.hWnd = owner;
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data_.uCallbackMessage = kTrayCallbackMessage;
    data_.hIcon = icon;
    wcsncpy(data_.szTip, L"VARNOK", sizeof(data_.szTip) / sizeof(data_.szTip[0]) - 1);
    Shell_NotifyIconW(NIM_ADD, &data_);
    added_ = true;
}

void TrayIcon::AddAgain() {
    if (added_)
        Shell_NotifyIconW(NIM_ADD, &data_);
}

void TrayIcon::Refresh(HICON icon) {
    if (!added_)
        return;
    data_.hIcon = icon;
    Shell_NotifyIconW(NIM_MODIFY, &data_);
}

void TrayIcon::Remove() {
    if (!added_)
        return;
    Shell_NotifyIconW(NIM_DELETE, &data_);
    added_ = false;
}

void ShowPopupMenu(HWND owner, UINT menuId, UINT trackFlags) {
    POINT cursor{};
    GetCursorPos(&cursor);
    win::UniqueMenu menu(LoadMenuW(win::ResourceInstance(), MAKEINTRESOURCEW(menuId)));
    if (!menu)
        return;
    HMENU popup = GetSubMenu(menu.Get(), 0);
    if (!popup)
        return;
    // A menu of a window that is not in front takes no keys and does not
    // close when the user clicks elsewhere.
    SetForegroundWindow(owner);
    TrackPopupMenu(popup, trackFlags, cursor.x, cursor.y, 0, owner, nullptr);
    // Without a message after the menu's loop, the next menu from the tray
    // can open and close at once.
    PostMessageW(owner, WM_NULL, 0, 0);
}

} // namespace orvane
