// Test helper: holds a file open with no sharing, so no other program can
// read or write it, until the helper is ended.
//
//   HoldFile.exe PATH READYFILE
//
// Writes READYFILE once the file is held. Exit code 2 when PATH cannot be
// opened.
#include <windows.h>

#include <shellapi.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3)
        return 1;
    HANDLE held = CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return 2;
    HANDLE ready = CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(ready);
    Sleep(INFINITE);
    return 0;
}
