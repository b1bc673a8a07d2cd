// The notification-area icon of the main dialog and the popup menus.
// GUI thread only.
#pragma once

#include <windows.h>

#include <shellapi.h>

namespace orvane {

constexpr UINT kTrayIconId = 133;
constexpr UINT kTrayCallbackMessage = WM_USER + 100; // wParam icon id, lParam mouse message

// The icon, its tip "VARNOK" and its callback message; the same icon and tip
// for the program's whole run (present or absent keyboard look alike).
class TrayIcon {
  public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // NIM_ADD for `owner`.
    void Add(HWND owner, HICON icon);
    // NIM_ADD again with the same data, after the shell restarted and lost
    // its icons; nothing when the icon was never added or was removed.
    void AddAgain();
    // NIM_MODIFY with `icon` and the same tip (after a plug or unplug).
    void Refresh(HICON icon);
    // NIM_DELETE; nothing when the icon was never added.
    void Remove();

  private:
    NOTIFYICONDATAW data_{};
    bool added_ = false;
};

// Loads menu resource `menuId` afresh, makes `owner` the foreground window
// and tracks the menu's first popup at the cursor; a chosen item arrives at
// `owner` as WM_COMMAND. Nothing when the menu cannot be loaded.
void ShowPopupMenu(HWND owner, UINT menuId, UINT trackFlags);

} // namespace orvane
