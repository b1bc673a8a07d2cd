// A focused window that logs every key message it receives, for the
// end-to-end tests and benchmarks.
//
//   KeySink.exe LOGFILE [TITLE]
//
// One line per event, written straight through to the file:
//   key <time> <msg> <vk> <scan> <ext>
// time: microseconds since the Unix epoch (the system's precise wall clock, so
// a Linux test can compare it with time.time()); msg: dn, up, sysdn or sysup;
// vk: wParam; scan: bits 16..23 of lParam; ext: bit 24 of lParam.
// Besides: "ready" once the window is shown and "focus 1" / "focus 0" when it
// gains or loses the keyboard focus. Default title: "Orvane KeySink".
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

HANDLE g_log = INVALID_HANDLE_VALUE;

long long NowMicros() {
    FILETIME ft;
    GetSystemTimePreciseAsFileTime(&ft);
    const unsigned long long t =
        (static_cast<unsigned long long>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    return static_cast<long long>((t - 116444736000000000ULL) / 10);
}

void LogLine(const std::string& line) {
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(g_log, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void LogKey(const char* what, WPARAM vk, LPARAM lParam) {
    char buf[128];
    std::snprintf(buf, sizeof buf, "key %lld %s %u %u %u", NowMicros(), what,
                  static_cast<unsigned>(vk), static_cast<unsigned>((lParam >> 16) & 0xFF),
                  static_cast<unsigned>((lParam >> 24) & 1));
    LogLine(buf);
}

LRESULT CALLBACK SinkWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
        LogKey("dn", wParam, lParam);
        return 0;
    case WM_KEYUP:
        LogKey("up", wParam, lParam);
        return 0;
    // Not handed to DefWindowProc: Alt or F10 would enter menu mode and eat
    // the keys that follow.
    case WM_SYSKEYDOWN:
        LogKey("sysdn", wParam, lParam);
        return 0;
    case WM_SYSKEYUP:
        LogKey("sysup", wParam, lParam);
        return 0;
    case WM_SETFOCUS:
        LogLine("focus 1");
        return 0;
    case WM_KILLFOCUS:
        LogLine("focus 0");
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2) {
        return 2;
    }
    g_log = CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (g_log == INVALID_HANDLE_VALUE) {
        return 2;
    }
    const std::wstring title = argc >= 3 ? argv[2] : L"Orvane KeySink";
    LocalFree(argv);

    WNDCLASSW wc{};
    wc.lpfnWndProc = SinkWndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"OrvaneKeySink";
    RegisterClassW(&wc);
    HWND wnd = CreateWindowExW(0, wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 50, 50, 400,
                               200, nullptr, nullptr, instance, nullptr);
    ShowWindow(wnd, SW_SHOW);
    UpdateWindow(wnd);
    SetForegroundWindow(wnd);
    SetFocus(wnd);
    LogLine("ready");

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // No TranslateMessage: the sink wants key messages, not characters.
        DispatchMessageW(&msg);
    }
    CloseHandle(g_log);
    return 0;
}
