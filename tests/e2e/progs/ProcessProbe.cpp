// Bench helper: a window of another program, and what this system answers.
//
//   ProcessProbe hide <window class>   ShowWindow(SW_HIDE) on the first
//                                      top-level window of that class
//   ProcessProbe pacing                prints how the engine would pace:
//                                      whether CreateWaitableTimerExW accepts
//                                      CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
//                                      and the error when it does not
//
// Exit code: 0 done, 2 not found, 3 bad arguments.
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

int Pacing() {
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif
    HANDLE timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION,
                                          TIMER_ALL_ACCESS);
    if (timer != nullptr) {
        CloseHandle(timer);
        std::printf("high-resolution timer: yes\n");
    } else {
        std::printf("high-resolution timer: no (error %lu)\n", GetLastError());
    }
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"hide") == 0) {
        HWND wnd = FindWindowW(argv[2], nullptr);
        if (wnd == nullptr) {
            return 2;
        }
        ShowWindow(wnd, SW_HIDE);
        return 0;
    }
    if (argc == 2 && std::wcscmp(argv[1], L"pacing") == 0) {
        return Pacing();
    }
    return 3;
}
