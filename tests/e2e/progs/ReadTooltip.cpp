// Test helper: reads the text of the running Orvane main window's tooltip.
//
//   ReadTooltip <output file>
//
// Finds the main window by its "game keyboard" property and its tooltip as
// the tooltips_class32 window it owns, then asks the tooltip for the text of
// its one tool (the main window itself) with TTM_GETTEXTW. The message
// carries pointers, so the TTTOOLINFOW and the text buffer are placed in the
// program's own memory (VirtualAllocEx) and read back from there. Writes the
// text as UTF-8 to the output file.
//
// Exit code: 0 when the text was written, 2 when no main window or tooltip
// exists, 3 for bad arguments, 4 when reading failed.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr int kCapacity = 1024;

HWND FindOrvane() {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetPropW(w, L"game keyboard"))
            return w;
    return nullptr;
}

HWND FindTooltip(HWND owner) {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t cls[64] = {};
        GetClassNameW(w, cls, 64);
        if (GetWindow(w, GW_OWNER) == owner && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0)
            return w;
    }
    return nullptr;
}

// The tool's text, read through memory of the tooltip's process; false when
// any step fails.
bool ReadText(HWND tip, HWND tool, std::wstring& text) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tip, &pid);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr)
        return false;
    const SIZE_T bytes = sizeof(TTTOOLINFOW) + kCapacity * sizeof(wchar_t);
    auto* remote = static_cast<std::uint8_t*>(
        VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    bool ok = false;
    if (remote != nullptr) {
        auto* remoteText = reinterpret_cast<wchar_t*>(remote + sizeof(TTTOOLINFOW));
        TTTOOLINFOW ti{};
        ti.cbSize = TTTOOLINFOW_V2_SIZE;
        ti.uFlags = TTF_IDISHWND;
        ti.hwnd = tool;
        ti.uId = reinterpret_cast<UINT_PTR>(tool);
        ti.lpszText = remoteText;
        const wchar_t empty = 0;
        DWORD_PTR result = 0;
        wchar_t buffer[kCapacity] = {};
        SIZE_T done = 0;
        ok = WriteProcessMemory(process, remote, &ti, sizeof ti, &done) &&
             WriteProcessMemory(process, remoteText, &empty, sizeof empty, &done) &&
             SendMessageTimeoutW(tip, TTM_GETTEXTW, kCapacity, reinterpret_cast<LPARAM>(remote),
                                 SMTO_NORMAL, 5000, &result) &&
             ReadProcessMemory(process, remoteText, buffer, sizeof buffer, &done);
        if (ok) {
            buffer[kCapacity - 1] = 0;
            text = buffer;
        }
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return ok;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc != 2)
        return 3;
    HWND main = FindOrvane();
    HWND tip = main != nullptr ? FindTooltip(main) : nullptr;
    if (tip == nullptr)
        return 2;
    std::wstring text;
    if (!ReadText(tip, main, text))
        return 4;
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string utf8(size_t(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), int(text.size()), utf8.data(), size, nullptr,
                        nullptr);
    FILE* out = _wfopen(argv[1], L"wb");
    if (out == nullptr)
        return 4;
    fwrite(utf8.data(), 1, utf8.size(), out);
    fclose(out);
    LocalFree(argv);
    return 0;
}
