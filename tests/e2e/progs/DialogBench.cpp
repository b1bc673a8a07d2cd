// Bench helper for the assignment dialog's figures (bench/wine/assign_dialog).
//
//   DialogBench paints <event name> <file>
//       Creates the auto-reset event, writes "ready" to <file>, then appends
//       the wall-clock time (microseconds since the Unix epoch) of every
//       setting of the event (Orvane sets it at each first paint of the
//       assignment dialog when ORVANE_DIALOG_PAINT_EVENT names it). Runs
//       until killed.
//   DialogBench keys <file>
//       A window with a low-level keyboard hook, installed before Orvane's
//       own: the system calls it after Orvane's hooks passed the event on, so
//       its time of arrival includes any wait on Orvane's GUI thread. Appends
//       "<time_us> <vk> <up>" per event; writes "ready" first. Runs until
//       killed. The window is titled "DialogBench keys" (for the X focus).
//   DialogBench private
//       Prints the private bytes (PrivateUsage) of the process that owns the
//       window carrying the "game keyboard" mark; exit 2 without one.
//   DialogBench private-of <window title>
//       The same for the process owning the top-level window with that title.
#include <windows.h>

#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace {

FILE* g_log = nullptr;

unsigned long long NowMicros() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    unsigned long long t =
        (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return t / 10 - 11644473600ULL * 1000000ULL;
}

LRESULT CALLBACK KeyHook(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        auto* e = reinterpret_cast<KBDLLHOOKSTRUCT*>(lp);
        bool up = wp == WM_KEYUP || wp == WM_SYSKEYUP;
        std::fprintf(g_log, "%llu %lu %d\n", NowMicros(), e->vkCode, up ? 1 : 0);
        std::fflush(g_log);
    }
    return CallNextHookEx(nullptr, code, wp, lp);
}

int Keys(const wchar_t* path) {
    g_log = _wfopen(path, L"a");
    if (!g_log)
        return 3;
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"DialogBenchKeys";
    RegisterClassW(&wc);
    HWND w =
        CreateWindowW(L"DialogBenchKeys", L"DialogBench keys", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                      700, 500, 200, 100, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(w);
    SetWindowsHookExW(WH_KEYBOARD_LL, KeyHook, GetModuleHandleW(nullptr), 0);
    std::fprintf(g_log, "ready\n");
    std::fflush(g_log);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

int Paints(const wchar_t* name, const wchar_t* path) {
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, name);
    FILE* f = _wfopen(path, L"a");
    if (!event || !f)
        return 3;
    std::fprintf(f, "ready\n");
    std::fflush(f);
    while (WaitForSingleObject(event, INFINITE) == WAIT_OBJECT_0) {
        std::fprintf(f, "%llu\n", NowMicros());
        std::fflush(f);
    }
    return 0;
}

int PrivateBytesOf(HWND w) {
    DWORD pid = 0;
    if (!w || !GetWindowThreadProcessId(w, &pid))
        return 2;
    HANDLE p = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!p)
        return 4;
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    BOOL ok = GetProcessMemoryInfo(p, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                                   sizeof counters);
    CloseHandle(p);
    if (!ok)
        return 4;
    std::printf("%llu\n", static_cast<unsigned long long>(counters.PrivateUsage));
    std::fflush(stdout);
    return 0;
}

HWND FindOrvane() {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetPropW(w, L"game keyboard"))
            return w;
    return nullptr;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 4 && wcscmp(argv[1], L"paints") == 0)
        return Paints(argv[2], argv[3]);
    if (argc >= 3 && wcscmp(argv[1], L"keys") == 0)
        return Keys(argv[2]);
    if (argc >= 2 && wcscmp(argv[1], L"private") == 0)
        return PrivateBytesOf(FindOrvane());
    if (argc >= 3 && wcscmp(argv[1], L"private-of") == 0)
        return PrivateBytesOf(FindWindowW(nullptr, argv[2]));
    return 3;
}
