// The start-up baseline: the smallest Win32 window program, one overlapped
// window that fills its client area on WM_PAINT. It signals its first paint
// exactly as Orvane.exe does (the event ORVANE_FIRST_PAINT_EVENT names).
#include <windows.h>

#include "win/EventSignal.h"

namespace {

// Set once, after the first paint.
void SignalFirstPaint() {
    static const win::NamedEventSignal signal(L"ORVANE_FIRST_PAINT_EVENT");
    static bool done = false;
    if (!done) {
        done = true;
        signal.Set();
    }
}

LRESULT CALLBACK MinimalProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        FillRect(dc, &ps.rcPaint, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
        EndPaint(wnd, &ps);
        SignalFirstPaint();
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(wnd, msg, wp, lp);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = MinimalProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = L"OrvaneMinimalWindow";
    RegisterClassW(&wc);
    HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"Minimal", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                               0, 640, 480, nullptr, nullptr, instance, nullptr);
    ShowWindow(wnd, show);
    UpdateWindow(wnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
