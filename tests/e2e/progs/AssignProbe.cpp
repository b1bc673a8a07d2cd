// Test helper: reads the state of Orvane's open key-assignment dialog (the
// top-level dialog window that holds a control 1127) and prints it on
// standard output, one "name=value" per line.
//
//   AssignProbe info        rect=<x>,<y>,<w>,<h> of the dialog (screen)
//                           visible=<ids of the visible controls, ascending>
//                           keyname=<text of 1127, UTF-8>
//                           media=<selection of 1128>  function=<selection of 1129>
//                           macro=<items of 1130>  rows=<rows of 1131>
//   AssignProbe center <id> the screen point at the middle of control <id>
//   AssignProbe select <id> <index>   CB_SETCURSEL on combo <id>
//   AssignProbe close       posts WM_CLOSE to the dialog (as Alt+F4 does)
//   AssignProbe command <id> posts the click of button <id> (WM_COMMAND), which
//                           leaves Wine's foreground window where it is
//   AssignProbe focus <id>  moves the dialog's focus to control <id> (WM_NEXTDLGCTL)
//   AssignProbe forge       sends the dialog the capture hook's message number
//                           (WM_USER+102) with a key-down wParam and a garbage
//                           lParam, as any process can; waits until it is handled
//   AssignProbe send-key <vk> <scan>   the same message with a key-down of that
//                           key, its fields packed as the capture hook packs them
//
// Exit code: 0 done, 2 when no assignment dialog is open (or the control is
// missing or hidden), 3 for bad arguments, 4 when the dialog did not answer
// (it hung, or its process ended meanwhile).
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <set>
#include <string>

#include "assign/CaptureEvent.h"

namespace {

HWND FindAssignDialog() {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w) && GetDlgItem(w, 1127))
            return w;
    }
    return nullptr;
}

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

// WM_GETTEXT: GetWindowTextW does not ask a window of another process.
std::wstring Text(HWND w) {
    wchar_t buffer[512] = {};
    SendMessageW(w, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buffer));
    return buffer;
}

int Info(HWND dialog) {
    RECT r{};
    GetWindowRect(dialog, &r);
    std::printf("rect=%ld,%ld,%ld,%ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    std::set<int> ids;
    EnumChildWindows(
        dialog,
        [](HWND c, LPARAM lp) -> BOOL {
            if (IsWindowVisible(c) && GetParent(c) == GetAncestor(c, GA_ROOT))
                reinterpret_cast<std::set<int>*>(lp)->insert(GetDlgCtrlID(c));
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&ids));
    std::string visible;
    for (int id : ids)
        visible += (visible.empty() ? "" : ",") + std::to_string(id);
    std::printf("visible=%s\n", visible.c_str());
    std::printf("keyname=%s\n", Utf8(Text(GetDlgItem(dialog, 1127))).c_str());
    std::printf("media=%d\n",
                static_cast<int>(SendDlgItemMessageW(dialog, 1128, CB_GETCURSEL, 0, 0)));
    std::printf("function=%d\n",
                static_cast<int>(SendDlgItemMessageW(dialog, 1129, CB_GETCURSEL, 0, 0)));
    std::printf("macro=%d\n",
                static_cast<int>(SendDlgItemMessageW(dialog, 1130, CB_GETCOUNT, 0, 0)));
    std::printf("rows=%d\n",
                static_cast<int>(SendDlgItemMessageW(dialog, 1131, LVM_GETITEMCOUNT, 0, 0)));
    std::fflush(stdout);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2)
        return 3;
    std::wstring verb = argv[1];
    HWND dialog = FindAssignDialog();
    if (!dialog)
        return 2;
    if (verb == L"info")
        return Info(dialog);
    if (verb == L"center" && argc >= 3) {
        HWND c = GetDlgItem(dialog, static_cast<int>(wcstol(argv[2], nullptr, 0)));
        if (!c || !IsWindowVisible(c))
            return 2;
        RECT r{};
        GetWindowRect(c, &r);
        std::printf("%ld %ld\n", (r.left + r.right) / 2, (r.top + r.bottom) / 2);
        std::fflush(stdout);
        return 0;
    }
    if (verb == L"select" && argc >= 4) {
        int id = static_cast<int>(wcstol(argv[2], nullptr, 0));
        int index = static_cast<int>(wcstol(argv[3], nullptr, 0));
        return SendDlgItemMessageW(dialog, id, CB_SETCURSEL, index, 0) == index ? 0 : 2;
    }
    if (verb == L"close")
        return PostMessageW(dialog, WM_CLOSE, 0, 0) ? 0 : 2;
    if (verb == L"focus" && argc >= 3) {
        HWND c = GetDlgItem(dialog, static_cast<int>(wcstol(argv[2], nullptr, 0)));
        if (!c || !IsWindowVisible(c))
            return 2;
        DWORD_PTR r = 0;
        return SendMessageTimeoutW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(c), TRUE,
                                   SMTO_NORMAL, 5000, &r)
                   ? 0
                   : 4;
    }
    if (verb == L"command" && argc >= 3) {
        const int id = static_cast<int>(wcstol(argv[2], nullptr, 0));
        HWND c = GetDlgItem(dialog, id);
        if (!c || !IsWindowVisible(c))
            return 2;
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(c))
                   ? 0
                   : 4;
    }
    if (verb == L"send-key" && argc >= 4) {
        orvane::HookKeyEvent key;
        key.vkCode = static_cast<int>(wcstol(argv[2], nullptr, 0));
        key.scanCode = static_cast<int>(wcstol(argv[3], nullptr, 0));
        key.isDown = true;
        DWORD_PTR r = 0;
        return SendMessageTimeoutW(dialog, WM_USER + 102, WM_KEYDOWN,
                                   static_cast<LPARAM>(orvane::PackHookKeyEvent(key)), SMTO_NORMAL,
                                   5000, &r)
                   ? 0
                   : 4;
    }
    if (verb == L"forge") {
        DWORD_PTR r = 0;
        for (LPARAM garbage : {static_cast<LPARAM>(0x1234), static_cast<LPARAM>(-1),
                               static_cast<LPARAM>(0x00007FF0DEADBEEF)})
            if (!SendMessageTimeoutW(dialog, WM_USER + 102, WM_KEYDOWN, garbage, SMTO_NORMAL, 5000,
                                     &r))
                return 4;
        return 0;
    }
    return 3;
}
