// Test helper: plays the shell and the user around Orvane's exit. Orvane's
// main window is found by its "game keyboard" window property; its message
// box is the dialog captioned "keyboard" that the main window owns.
//
//   ShellProbe box <out.txt>           writes the box's texts (UTF-8, one line
//                                      per static control); exit 2 when there is none
//   ShellProbe box-answer retry|cancel clicks that button of the box and waits
//                                      (up to 10 s) until the box is gone; exit 5
//                                      when it stays
//   ShellProbe tray-present            exit 0 when the shell holds icon 133 of
//                                      the main window, 6 when it does not
//   ShellProbe tray-forget             removes that icon, as a shell that
//                                      restarted has lost it
//   ShellProbe taskbar-created         broadcasts the registered
//                                      "TaskbarCreated" message, as a new shell does
//
// Exit code: 0 done, 2 no main window (or no box), 3 bad arguments, 4 the
// call failed.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

HWND FindOrvane() {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (GetPropW(w, L"game keyboard"))
            return w;
    }
    return nullptr;
}

HWND FindBox(HWND owner) {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32770", L"keyboard"); w;
         w = FindWindowExW(nullptr, w, L"#32770", L"keyboard")) {
        if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w))
            return w;
    }
    return nullptr;
}

int WriteBoxText(HWND box, const wchar_t* outPath) {
    std::wstring text;
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t cls[16];
        if (!GetClassNameW(c, cls, 16) || lstrcmpiW(cls, L"Static") != 0)
            continue;
        wchar_t buffer[2048];
        GetWindowTextW(c, buffer, 2048);
        text += buffer;
        text += L"\n";
    }
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string bytes(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), bytes.data(), n, nullptr,
                        nullptr);
    FILE* f = _wfopen(outPath, L"wb");
    if (!f)
        return 4;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return 0;
}

NOTIFYICONDATAW IconOf(HWND owner) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = 133;
    return data;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2)
        return 3;
    const std::wstring verb = argv[1];
    if (verb == L"taskbar-created")
        return SendNotifyMessageW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0)
                   ? 0
                   : 4;
    HWND orvane = FindOrvane();
    if (!orvane)
        return 2;
    if (verb == L"box" && argc >= 3) {
        HWND box = FindBox(orvane);
        return box ? WriteBoxText(box, argv[2]) : 2;
    }
    if (verb == L"box-answer" && argc >= 3) {
        HWND box = FindBox(orvane);
        if (!box)
            return 2;
        const std::wstring answer = argv[2];
        const int id = answer == L"retry" ? IDRETRY : answer == L"cancel" ? IDCANCEL : 0;
        if (id == 0)
            return 3;
        if (!PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                          reinterpret_cast<LPARAM>(GetDlgItem(box, id))))
            return 4;
        // A caller that looks for the next box must not find this one.
        for (DWORD start = GetTickCount(); IsWindow(box); Sleep(5)) {
            if (GetTickCount() - start > 10000)
                return 5;
        }
        return 0;
    }
    if (verb == L"tray-present") {
        // A modification that changes nothing succeeds only for an icon the
        // shell holds.
        NOTIFYICONDATAW data = IconOf(orvane);
        return Shell_NotifyIconW(NIM_MODIFY, &data) ? 0 : 6;
    }
    if (verb == L"tray-forget") {
        NOTIFYICONDATAW data = IconOf(orvane);
        return Shell_NotifyIconW(NIM_DELETE, &data) ? 0 : 4;
    }
    return 3;
}
