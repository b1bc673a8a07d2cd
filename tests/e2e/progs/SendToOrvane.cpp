// Test helper: sends one message to the running Orvane main window, found by
// its "game keyboard" window property, as the system or the shell would.
//
//   SendToOrvane device arrival|removal <interface path>
//       WM_DEVICECHANGE (DBT_DEVICEARRIVAL / DBT_DEVICEREMOVECOMPLETE) with a
//       DEV_BROADCAST_DEVICEINTERFACE_W naming the path, sent (not posted):
//       Wine copies the record into the receiving process.
//   SendToOrvane device volume           DBT_DEVICEARRIVAL with a volume record
//   SendToOrvane tray <icon id> <mouse message>   the tray callback (posted)
//   SendToOrvane tray-sent <icon id> <mouse message>
//                                        the same, sent: exit code 0 once the
//                                        window has handled it, 8 when it did
//                                        not return within 5 s (a menu it
//                                        opened holds it in the menu's loop)
//   SendToOrvane command <id>            WM_COMMAND (posted)
//   SendToOrvane syscommand <id>         WM_SYSCOMMAND (posted)
//   SendToOrvane find                    exit code 0 when the window exists
//   SendToOrvane state                   exit code 10 + 1 (visible) + 2 (iconic)
//                                        + 4 (foreground window)
//   SendToOrvane hide                    ShowWindow(SW_HIDE), as the Close cell does
//   SendToOrvane dialog-ok <title>       posts IDOK to the dialog with that title
//   SendToOrvane dialog-find <title>     exit code 0 when that dialog exists
//   SendToOrvane menu-find [x y w h]     exit code 0 while a popup menu is shown
//                                        (with a rectangle: at exactly that place
//                                        and size, in screen pixels)
//   SendToOrvane region <mask.bmp>       exit code 0 when the window's region equals
//                                        the per-pixel outline of that mask over the
//                                        window's size (EqualRgn), 6 when it differs,
//                                        7 when the window has no region or the mask
//                                        cannot be loaded
//
// Exit code: 0 when the message went out, 2 when no window carries the mark,
// 3 for bad arguments, 4 when sending failed, 5 when a device message was
// answered with anything but TRUE.
#include <windows.h>

#include <dbt.h>
#include <shellapi.h>

#include "tests/support/SkinTestImages.w32.h"

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

HWND FindOrvane() {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetPropW(w, L"game keyboard"))
            return w;
    }
    return nullptr;
}

int SendDevice(HWND target, const std::wstring& what, const std::wstring& path) {
    if (what == L"volume") {
        DEV_BROADCAST_VOLUME volume{};
        volume.dbcv_size = sizeof(volume);
        volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
        volume.dbcv_unitmask = 1 << 4;
        DWORD_PTR r = 0;
        if (!SendMessageTimeoutW(target, WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                                 reinterpret_cast<LPARAM>(&volume), SMTO_NORMAL, 5000, &r))
            return 4;
        return r == TRUE ? 0 : 5;
    }
    if (what != L"arrival" && what != L"removal")
        return 3;
    WPARAM event = what == L"arrival" ? DBT_DEVICEARRIVAL : DBT_DEVICEREMOVECOMPLETE;
    size_t bytes =
        offsetof(DEV_BROADCAST_DEVICEINTERFACE_W, dbcc_name) + (path.size() + 1) * sizeof(wchar_t);
    std::vector<unsigned char> buffer(bytes);
    auto* record = reinterpret_cast<DEV_BROADCAST_DEVICEINTERFACE_W*>(buffer.data());
    record->dbcc_size = static_cast<DWORD>(bytes);
    record->dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    // The HID interface class.
    record->dbcc_classguid = {
        0x4d1e55b2, 0xf16f, 0x11cf, {0x88, 0xcb, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30}};
    std::memcpy(record->dbcc_name, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(target, WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record),
                             SMTO_NORMAL, 5000, &r))
        return 4;
    return r == TRUE ? 0 : 5;
}

int CompareRegion(HWND target, const wchar_t* maskPath) {
    HBITMAP mask = static_cast<HBITMAP>(
        LoadImageW(nullptr, maskPath, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!mask)
        return 7;
    RECT rect{};
    GetWindowRect(target, &rect);
    HDC screen = GetDC(nullptr);
    HRGN expected = orvane::testing::PerPixelMaskRegion(screen, mask, rect.right - rect.left,
                                                        rect.bottom - rect.top);
    ReleaseDC(nullptr, screen);
    DeleteObject(mask);
    HRGN actual = CreateRectRgn(0, 0, 0, 0);
    int result = 7;
    if (GetWindowRgn(target, actual) != ERROR)
        result = EqualRgn(actual, expected) ? 0 : 6;
    DeleteObject(actual);
    DeleteObject(expected);
    return result;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2)
        return 3;
    std::wstring verb = argv[1];
    auto number = [&](int i) {
        return i < argc ? static_cast<UINT>(wcstoul(argv[i], nullptr, 0)) : 0u;
    };
    if (verb == L"dialog-find" || verb == L"dialog-ok") {
        HWND dialog = argc >= 3 ? FindWindowW(L"#32770", argv[2]) : nullptr;
        if (!dialog)
            return 2;
        if (verb == L"dialog-find")
            return 0;
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0) ? 0 : 4;
    }
    if (verb == L"menu-find") {
        HWND menu = FindWindowW(L"#32768", nullptr);
        if (!menu || !IsWindowVisible(menu))
            return 2;
        if (argc < 6)
            return 0;
        RECT r{};
        GetWindowRect(menu, &r);
        const bool same = r.left == static_cast<LONG>(number(2)) &&
                          r.top == static_cast<LONG>(number(3)) &&
                          r.right - r.left == static_cast<LONG>(number(4)) &&
                          r.bottom - r.top == static_cast<LONG>(number(5));
        return same ? 0 : 6;
    }
    HWND target = FindOrvane();
    if (!target)
        return 2;
    if (verb == L"find")
        return 0;
    if (verb == L"state")
        return 10 + (IsWindowVisible(target) ? 1 : 0) + (IsIconic(target) ? 2 : 0) +
               (GetForegroundWindow() == target ? 4 : 0);
    if (verb == L"hide")
        return ShowWindow(target, SW_HIDE), 0;
    if (verb == L"region" && argc >= 3)
        return CompareRegion(target, argv[2]);
    if (verb == L"device" && argc >= 3)
        return SendDevice(target, argv[2], argc >= 4 ? argv[3] : L"");
    if (verb == L"tray" && argc >= 4)
        return PostMessageW(target, WM_USER + 100, number(2), number(3)) ? 0 : 4;
    if (verb == L"tray-sent" && argc >= 4) {
        DWORD_PTR answer = 0;
        return SendMessageTimeoutW(target, WM_USER + 100, number(2), number(3), SMTO_NORMAL, 5000,
                                   &answer)
                   ? 0
                   : 8;
    }
    if (verb == L"command" && argc >= 3)
        return PostMessageW(target, WM_COMMAND, MAKEWPARAM(number(2), 0), 0) ? 0 : 4;
    if (verb == L"syscommand" && argc >= 3)
        return PostMessageW(target, WM_SYSCOMMAND, number(2), 0) ? 0 : 4;
    return 3;
}
