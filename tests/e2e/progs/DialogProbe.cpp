// Looks at the dialogs Orvane shows, for the end-to-end tests.
//   DialogProbe text <title>   prints the texts of the visible dialog
//                              <title>'s controls, one per line (UTF-8)
//   DialogProbe owned          prints the title of a visible dialog owned by
//                              Orvane's main window, other than a message box
//   DialogProbe command <id>   clicks control <id> of that dialog
// Exit code: 0 done, 2 no such window, 3 bad arguments, 4 failure.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::wstring WindowText(HWND wnd) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(wnd)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(wnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

HWND FindOrvane() {
    struct Search {
        HWND found = nullptr;
    } search;
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            if (GetPropW(w, L"game keyboard")) {
                reinterpret_cast<Search*>(lp)->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A visible dialog owned by `owner` whose title is not the message boxes'.
HWND FindOwnedDialog(HWND owner) {
    struct Search {
        HWND owner;
        HWND found;
    } search{owner, nullptr};
    EnumWindows(
        [](HWND w, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t cls[16] = {};
            GetClassNameW(w, cls, 16);
            if (GetWindow(w, GW_OWNER) == s->owner && IsWindowVisible(w) &&
                wcscmp(cls, L"#32770") == 0 && WindowText(w) != L"keyboard") {
                s->found = w;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int PrintControlTexts(HWND dialog) {
    std::string out;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        out += Utf8(WindowText(child)) + "\n";
    fwrite(out.data(), 1, out.size(), stdout);
    fflush(stdout);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 2)
        return 3;
    const std::wstring verb = argv[1];
    if (verb == L"text" && argc >= 3) {
        HWND dialog = FindWindowW(L"#32770", argv[2]);
        return dialog && IsWindowVisible(dialog) ? PrintControlTexts(dialog) : 2;
    }
    HWND main = FindOrvane();
    HWND dialog = main ? FindOwnedDialog(main) : nullptr;
    if (!dialog)
        return 2;
    if (verb == L"owned") {
        const std::string title = Utf8(WindowText(dialog)) + "\n";
        fwrite(title.data(), 1, title.size(), stdout);
        return 0;
    }
    if (verb == L"command" && argc >= 3) {
        const int id = static_cast<int>(wcstol(argv[2], nullptr, 0));
        return PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)))
                   ? 0
                   : 4;
    }
    return 3;
}
