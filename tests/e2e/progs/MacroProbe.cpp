// Test helper: reads the macro controls of Orvane's open key-assignment
// dialog and answers its message boxes. Prints "name=value" lines (UTF-8).
//
//   MacroProbe state        items=<names of combo 1130, separated by "|">
//                           selected=<selection of 1130>  text=<text of 1130>
//                           rows=<rows of list 1131 as "key:action", "|"-separated>
//                           enabled=<ids among 1017-1026 and 1130 that are enabled>
//                           visible=<ids among 1127-1131 and 2028 that are shown>
//   MacroProbe box          caption=<caption>  text=<message> of an open message box
//   MacroProbe numlock      numlock=<1 when Wine holds NumLock on, else 0>
//   MacroProbe answer <id>  presses button <id> (1 = OK, 2 = Cancel) of the open box
//
// The list's rows are read with LVM_GETITEMTEXTW through memory of Orvane's
// process (VirtualAllocEx): the message carries pointers.
//
// Exit code: 0 done, 2 when no dialog (or box) is open, 3 for bad arguments,
// 4 when reading failed.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr int kCapacity = 1024;

bool IsDialogClass(HWND w) {
    wchar_t cls[16] = {};
    GetClassNameW(w, cls, 16);
    return wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w);
}

HWND FindAssignDialog() {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsDialogClass(w) && GetDlgItem(w, 1127) && GetDlgItem(w, 1131))
            return w;
    return nullptr;
}

// A message box: a dialog whose owner is the assignment dialog (or that
// shows the static 0xFFFF text of a message box) and that is not it.
HWND FindMessageBox(HWND dialog) {
    for (HWND w = GetWindow(GetDesktopWindow(), GW_CHILD); w; w = GetWindow(w, GW_HWNDNEXT))
        if (IsDialogClass(w) && w != dialog && GetDlgItem(w, 0xFFFF) &&
            (GetDlgItem(w, IDOK) || GetDlgItem(w, IDCANCEL)))
            return w;
    return nullptr;
}

std::string Utf8(const std::wstring& text) {
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(n > 0 ? n - 1 : 0, '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
    return out;
}

// WM_GETTEXT: GetWindowTextW does not ask a window of another process.
std::wstring Text(HWND w) {
    const auto n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    SendMessageW(w, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    return text;
}

// Reads cell (row, column) of a list view in another process.
class RemoteList {
  public:
    explicit RemoteList(HWND list) : list_(list) {
        DWORD pid = 0;
        GetWindowThreadProcessId(list, &pid);
        process_ =
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            remote_ = static_cast<BYTE*>(VirtualAllocEx(process_, nullptr,
                                                        sizeof(LVITEMW) + kCapacity * 2,
                                                        MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    }
    ~RemoteList() {
        if (remote_)
            VirtualFreeEx(process_, remote_, 0, MEM_RELEASE);
        if (process_)
            CloseHandle(process_);
    }
    bool Ok() const { return remote_ != nullptr; }
    bool Cell(int row, int column, std::wstring& text) {
        auto* remoteText = reinterpret_cast<wchar_t*>(remote_ + sizeof(LVITEMW));
        LVITEMW item{};
        item.iSubItem = column;
        item.pszText = remoteText;
        item.cchTextMax = kCapacity;
        wchar_t buffer[kCapacity] = {};
        SIZE_T done = 0;
        DWORD_PTR result = 0;
        if (!WriteProcessMemory(process_, remote_, &item, sizeof item, &done) ||
            !SendMessageTimeoutW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote_),
                                 SMTO_NORMAL, 5000, &result) ||
            !ReadProcessMemory(process_, remoteText, buffer, sizeof buffer, &done))
            return false;
        buffer[kCapacity - 1] = 0;
        text = buffer;
        return true;
    }

  private:
    HWND list_;
    HANDLE process_ = nullptr;
    BYTE* remote_ = nullptr;
};

int State(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 1130);
    std::wstring items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const int n = static_cast<int>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0));
        std::wstring item(n > 0 ? static_cast<size_t>(n) + 1 : 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(wcslen(item.c_str()));
        items += (i ? L"|" : L"") + item;
    }
    std::wstring rows;
    HWND list = GetDlgItem(dialog, 1131);
    RemoteList remote(list);
    if (!remote.Ok())
        return 4;
    const int rowCount = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < rowCount; ++r) {
        std::wstring key, action;
        if (!remote.Cell(r, 0, key) || !remote.Cell(r, 1, action))
            return 4;
        rows += (r ? L"|" : L"") + key + L":" + action;
    }
    std::string enabled;
    for (int id : {1017, 1018, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1130})
        if (IsWindowEnabled(GetDlgItem(dialog, id)))
            enabled += (enabled.empty() ? "" : ",") + std::to_string(id);
    std::printf("items=%s\n", Utf8(items).c_str());
    std::printf("selected=%d\n", static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
    std::printf("text=%s\n", Utf8(Text(combo)).c_str());
    std::printf("rows=%s\n", Utf8(rows).c_str());
    std::printf("enabled=%s\n", enabled.c_str());
    std::string visible;
    for (int id : {1127, 1128, 1129, 1130, 1131, 2028})
        if (IsWindowVisible(GetDlgItem(dialog, id)))
            visible += (visible.empty() ? "" : ",") + std::to_string(id);
    std::printf("visible=%s\n", visible.c_str());
    std::fflush(stdout);
    return 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 2)
        return 3;
    const std::wstring verb = argv[1];
    if (verb == L"numlock") {
        std::printf("numlock=%d\n", GetKeyState(VK_NUMLOCK) & 1);
        std::fflush(stdout);
        return 0;
    }
    HWND dialog = FindAssignDialog();
    if (verb == L"state")
        return dialog ? State(dialog) : 2;
    HWND box = FindMessageBox(dialog);
    if (verb == L"box") {
        if (!box)
            return 2;
        std::printf("caption=%s\n", Utf8(Text(box)).c_str());
        std::printf("text=%s\n", Utf8(Text(GetDlgItem(box, 0xFFFF))).c_str());
        std::fflush(stdout);
        return 0;
    }
    if (verb == L"answer" && argc >= 3) {
        const int id = static_cast<int>(wcstol(argv[2], nullptr, 0));
        if (!box || !GetDlgItem(box, id))
            return 2;
        return PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                            reinterpret_cast<LPARAM>(GetDlgItem(box, id)))
                   ? 0
                   : 4;
    }
    return 3;
}
