// Bench helper: the time from process start to the first paint of a
// program's window.
//
//   StartupTimer.exe RESULTFILE TIMEOUT_MS PROGRAM [ARGS...]
//
// Creates a fresh named event, names it in ORVANE_FIRST_PAINT_EVENT for the
// child, reads the performance counter, starts PROGRAM and waits for the
// event, which the child sets when its first WM_PAINT has completed
// (the skinned dialog base sets ORVANE_FIRST_PAINT_EVENT). Writes the elapsed milliseconds to RESULTFILE, then
// removes the notification-area icon 133 of the child's windows (as Orvane's
// own exit would: a terminated program's icon stays behind and slows the
// next start under Wine), terminates the child and waits for it to be gone. Exit code 0 on success,
// 2 when the child could not start, 3 on timeout.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

void RemoveTrayIcons(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> windows;
    } search{pid, {}};
    EnumWindows(
        [](HWND wnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            DWORD owner = 0;
            GetWindowThreadProcessId(wnd, &owner);
            if (owner == s->pid)
                s->windows.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (HWND wnd : search.windows) {
        NOTIFYICONDATAW data{};
        data.cbSize = sizeof(data);
        data.hWnd = wnd;
        data.uID = 133;
        Shell_NotifyIconW(NIM_DELETE, &data);
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 4)
        return 1;
    wchar_t name[64];
    std::swprintf(name, 64, L"OrvaneFirstPaint-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, name);
    SetEnvironmentVariableW(L"ORVANE_FIRST_PAINT_EVENT", name);
    DWORD timeout = wcstoul(argv[2], nullptr, 10);

    std::wstring command = L"\"" + std::wstring(argv[3]) + L"\"";
    for (int i = 4; i < argc; ++i)
        command += L" \"" + std::wstring(argv[i]) + L"\"";
    std::wstring dir = argv[3];
    dir = dir.substr(0, dir.find_last_of(L"\\/") + 1);

    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        dir.empty() ? nullptr : dir.c_str(), &si, &pi))
        return 2;
    DWORD wait = WaitForSingleObject(event, timeout);
    QueryPerformanceCounter(&end);
    RemoveTrayIcons(pi.dwProcessId);
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (wait != WAIT_OBJECT_0)
        return 3;
    double ms = 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
                static_cast<double>(frequency.QuadPart);
    if (FILE* f = _wfopen(argv[1], L"w")) {
        std::fprintf(f, "%.3f\n", ms);
        std::fclose(f);
    }
    return 0;
}
