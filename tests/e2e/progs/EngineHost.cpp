// Runs the remapping engine alone, for the end-to-end tests and the demo; it is
// not the product. It fills the profile-1 map, installs the hook and runs a
// message loop until asked to stop.
//
//   EngineHost.exe [--map SRC=CODES]... [--profile FILE] [--ready FILE] [--commands]
//                  [--raised-period]
//
//   --map 65=66        key 65 becomes 66; --map 70=17,67 a chord; --map 71= an
//                      empty sequence (the key is swallowed)
//   --profile FILE     more SRC=CODES lines from a text file ('#' starts a comment)
//   --ready FILE       written once the hook is installed
//   --raised-period    pace with Sleep(1) and timeBeginPeriod, as on a system
//                      without the high-resolution timer
//   --commands         read commands from standard input, one per line, and stop
//                      when it ends (the tests hold a pipe and close it):
//                        install   InstallRemapHook
//                        remove    RemoveRemapHook
//                        suspend   RemapSuspended = 1 (the hook removes itself
//                                  at its next event)
//                        resume    RemapSuspended = 0
//                        unplug    KeyboardPresent(false): what the main
//                                  dialog does when the keyboard goes
//                        plug      KeyboardPresent(true): when it comes
//                        map S=C   changes profile 1 as --map does, as a
//                                  commit of the main window would
//                        state     nothing
//                      each answered on standard output with "hook=0" or "hook=1"
//                      (whether the hook is installed) once carried out.
//
// It also stops on WM_CLOSE to its hidden window, class "OrvaneEngineHost".
// The map starts as identity 1..254; ActiveProfile 1, RemapSuspended 0.
// Exit code 0 after a clean stop, 2 on a bad argument.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <memory>
#include <optional>
#include <string>

#include "engine/RemapEngine.w32.h"

namespace {

constexpr wchar_t kClassName[] = L"OrvaneEngineHost";

std::optional<int> ParseCode(const std::wstring& s) {
    if (s.empty()) {
        return std::nullopt;
    }
    wchar_t* end = nullptr;
    const long v = std::wcstol(s.c_str(), &end, 10);
    if (*end != L'\0' || v < 0 || v > 0x7FFF) {
        return std::nullopt;
    }
    return static_cast<int>(v);
}

// "SRC=CODES" with CODES a comma-separated list, possibly empty.
bool ParseMapping(const std::wstring& text, orvane::ProfileKeyMap& map) {
    const size_t eq = text.find(L'=');
    if (eq == std::wstring::npos) {
        return false;
    }
    const auto key = ParseCode(text.substr(0, eq));
    if (!key) {
        return false;
    }
    orvane::KeySequence seq;
    std::wstring rest = text.substr(eq + 1);
    size_t pos = 0;
    while (!rest.empty() && pos <= rest.size()) {
        const size_t comma = rest.find(L',', pos);
        const auto code = ParseCode(rest.substr(pos, comma - pos));
        if (!code) {
            return false;
        }
        seq.push_back(*code);
        if (comma == std::wstring::npos) {
            break;
        }
        pos = comma + 1;
    }
    map[*key] = seq;
    return true;
}

bool LoadProfileFile(const std::wstring& path, orvane::ProfileKeyMap& map) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE) {
        return false;
    }
    std::string data;
    char buf[4096];
    DWORD got = 0;
    while (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0) {
        data.append(buf, got);
    }
    CloseHandle(f);
    size_t start = 0;
    while (start < data.size()) {
        size_t end = data.find('\n', start);
        if (end == std::string::npos) {
            end = data.size();
        }
        std::string line = data.substr(start, end - start);
        start = end + 1;
        line = line.substr(0, line.find('#'));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        if (!ParseMapping(std::wstring(line.begin(), line.end()), map)) {
            return false;
        }
    }
    return true;
}

void WriteReadyFile(const std::wstring& path) {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0,
                           nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        const char text[] = "ready\n";
        DWORD written = 0;
        WriteFile(f, text, sizeof text - 1, &written, nullptr);
        CloseHandle(f);
    }
}

constexpr UINT kCommandMessage = WM_APP + 1; // lParam: a new std::string, one command

// Reads command lines from standard input and hands each to the GUI thread,
// which owns the engine; closes the host window at the end of the input.
DWORD WINAPI ReadCommands(void* param) {
    HWND wnd = static_cast<HWND>(param);
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buf[256];
    DWORD got = 0;
    while (in != nullptr && in != INVALID_HANDLE_VALUE &&
           ReadFile(in, buf, sizeof buf, &got, nullptr) && got > 0) {
        pending.append(buf, got);
        size_t nl;
        while ((nl = pending.find('\n')) != std::string::npos) {
            auto* line = new std::string(pending.substr(0, nl));
            pending.erase(0, nl + 1);
            if (!PostMessageW(wnd, kCommandMessage, 0, reinterpret_cast<LPARAM>(line))) {
                delete line;
            }
        }
    }
    PostMessageW(wnd, WM_CLOSE, 0, 0);
    return 0;
}

orvane::RemapEngine* g_engine = nullptr;
// The host's model of profile 1, handed to the engine after each change.
orvane::ProfileMaps g_model;

void RunCommand(const std::string& command) {
    std::string cmd = command;
    while (!cmd.empty() && (cmd.back() == '\r' || cmd.back() == ' ')) {
        cmd.pop_back();
    }
    if (cmd == "install") {
        g_engine->InstallRemapHook();
    } else if (cmd == "remove") {
        g_engine->RemoveRemapHook();
    } else if (cmd == "suspend") {
        g_engine->Suspend();
    } else if (cmd == "resume") {
        g_engine->Resume();
    } else if (cmd == "unplug") {
        g_engine->KeyboardPresent(false);
    } else if (cmd == "plug") {
        g_engine->KeyboardPresent(true);
    } else if (cmd.rfind("map ", 0) == 0) {
        const std::string mapping = cmd.substr(4);
        ParseMapping(std::wstring(mapping.begin(), mapping.end()), *g_model.ProfileMap(1));
        g_engine->ReplaceMaps(g_model);
    }
    const char* reply = g_engine->HookInstalled() ? "hook=1\n" : "hook=0\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), reply, 7, &written, nullptr);
}

LRESULT CALLBACK HostWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case kCommandMessage: {
        const std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
        RunCommand(*line);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(wnd, msg, wParam, lParam);
    }
}

int Fail(const wchar_t* what, const wchar_t* arg) {
    std::fwprintf(stderr, L"EngineHost: %ls %ls\n", what, arg);
    return 2;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    bool raisedPeriod = false;
    for (int i = 1; i < argc; ++i) {
        raisedPeriod = raisedPeriod || std::wstring(argv[i]) == L"--raised-period";
    }
    orvane::RemapEngine engine(raisedPeriod ? orvane::PacingKind::RaisedPeriod
                                            : orvane::PacingKind::Best);
    g_engine = &engine;
    // What the system answered, for the tests and the bench.
    std::fwprintf(stderr, L"EngineHost: pacing %ls\n",
                  engine.HighResolutionPacing() ? L"high-resolution timer" : L"raised period");
    fflush(stderr);
    orvane::ProfileMaps& maps = g_model;
    orvane::SeedIdentity(maps);
    std::wstring readyFile;
    bool commands = false;
    for (int i = 1; i < argc; ++i) {
        const std::wstring arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == L"--map" && hasValue) {
            if (!ParseMapping(argv[++i], *maps.ProfileMap(1))) {
                return Fail(L"bad mapping:", argv[i]);
            }
        } else if (arg == L"--profile" && hasValue) {
            if (!LoadProfileFile(argv[++i], *maps.ProfileMap(1))) {
                return Fail(L"cannot read profile:", argv[i]);
            }
        } else if (arg == L"--ready" && hasValue) {
            readyFile = argv[++i];
        } else if (arg == L"--commands") {
            commands = true;
        } else if (arg == L"--raised-period") {
            // read above: the engine is built with it
        } else {
            return Fail(L"bad argument:", arg.c_str());
        }
    }
    LocalFree(argv);

    WNDCLASSW wc{};
    wc.lpfnWndProc = HostWndProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClassName;
    RegisterClassW(&wc);
    HWND wnd = CreateWindowExW(0, kClassName, L"Orvane engine host", WS_OVERLAPPED, 0, 0, 0, 0,
                               nullptr, nullptr, instance, nullptr);

    maps.activeProfile = 1;
    engine.ReplaceMaps(maps);
    engine.KeyboardPresent(true);
    if (!engine.HookInstalled()) {
        return Fail(L"SetWindowsHookExW failed", L"");
    }
    if (commands) {
        CloseHandle(CreateThread(nullptr, 0, ReadCommands, wnd, 0, nullptr));
    }
    if (!readyFile.empty()) {
        WriteReadyFile(readyFile);
    }

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    engine.RemoveRemapHook();
    return 0;
}
