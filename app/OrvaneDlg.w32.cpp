#include "app/OrvaneDlg.w32.h"

#include "app/OrvaneApp.w32.h"
#include "app/SaveFailurePrompt.w32.h"
#include "res/resource.h"
#include "storage/LayoutReader.h"
#include "storage/PrivateProfileStore.w32.h"
#include "storage/ProfileStore.h"
#include "tray/AboutDlg.w32.h"
#include "win/App.h"
#include "win/MessageBox.h"
#include "win/Strings.h"

namespace orvane {

namespace {

HICON AppIcon() {
    if (win::WinApp* app = win::WinApp::Current())
        return app->LoadIcon(IDR_MAINFRAME);
    return LoadIconW(win::ResourceInstance(), MAKEINTRESOURCEW(IDR_MAINFRAME));
}

} // namespace

COrvaneDlg::COrvaneDlg(HWND parent)
    : SkinnedDialog(IDD_ORVANE_DIALOG, parent, L"ORVANE_FIRST_PAINT_EVENT"), icon_(AppIcon()),
      exeDir_(win::ExeDirectory()), setConfig_(exeDir_) {
    // engine_ (constructed above, as the first member) has seeded its maps,
    // created QueueMutex and started the injector.
    SeedIdentity(maps_);
    skin_.Load(exeDir_);
    SetIconicIcon(icon_);
    // The tray menu's and the button menu's commands.
    OnCommand(ID_MENU_OPEN, &COrvaneDlg::OnOpen);
    OnCommand(ID_MENU_ABOUT, &COrvaneDlg::OnAbout);
    OnCommand(ID_MENU_EXIT, &COrvaneDlg::OnExit);
    OnCommand(ID_MENU_EXPORT, &COrvaneDlg::OnExportProfile);
    OnCommand(ID_MENU_IMPORT, &COrvaneDlg::OnImportProfile);
}

COrvaneDlg::~COrvaneDlg() = default;

BOOL COrvaneDlg::OnInitDialog() {
    if (win::WinApp* app = win::WinApp::Current())
        app->mainWindow = Hwnd();

    // Without its lock or wake-up signal the engine remaps nothing; say so
    // rather than run as if it did.
    if (!engine_.Ready())
        win::Tell(Hwnd(), L"Key remapping is off: the system could not create its lock.");
    engine_.KeyboardPresent(IsKeyboardPresent(Hwnd()));
    tray_.Add(Hwnd(), AppIcon());
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");

    hover_.SetHoverCell(-1);
    profiles_.working.changedCells.clear();

    // Each file is read once, into a snapshot: one private-profile call per
    // key would cost about a second under Wine.
    MemoryIniStore layout;
    ReadIniFileSnapshot(exeDir_ + L"Main.ini", layout);
    ReadLayout(layout, cells_, hitRects_, mediaKeyNames_);
    setConfig_.mediaKeyNames = mediaKeyNames_;
    // Owned by the main window: it is modal to it, and Exit finds and
    // cancels it with the other owned dialogs.
    setConfig_.SetParent(Hwnd());

    // A "type" outside 1..3 (a hand-edited set.ini) starts with profile 1 in
    // force: LoadAllProfiles settles that. A set.ini that exists but cannot
    // be read (locked by another program) loads as defaults and is not
    // saved over unless the user says so at Exit: the stored profiles stay.
    MemoryIniStore profileFile;
    profileFileLoaded_ =
        ReadIniFileSnapshot(ProfileStorePath(exeDir_), profileFile, &profileFileError_);
    LoadAllProfiles(profileFile, cells_, mediaKeyNames_, maps_, profiles_);
    PublishMaps();

    // Size from the mask (else the normal image, else the template's size),
    // place at 0,0 and cut the outline.
    skin_.ShapeWindow(Hwnd());
    ModifyStyle(WS_BORDER, WS_SYSMENU | WS_MINIMIZEBOX);

    SkinnedDialog::OnInitDialog();
    hover_.CreateTooltip(Hwnd());
    settingsModified_ = 0;

    SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    // The single-instance mark, from now until WM_DESTROY.
    SetPropW(Hwnd(), kInstanceMark, reinterpret_cast<HANDLE>(1));
    return TRUE;
}

LRESULT COrvaneDlg::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    hover_.Relay(Hwnd(), msg, wp, lp);
    return Dialog::WindowProc(msg, wp, lp);
}

bool COrvaneDlg::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    if (msg == taskbarCreated_ && taskbarCreated_ != 0) {
        OnTaskbarCreated();
        result = 0;
        return true;
    }
    switch (msg) {
    case WM_CREATE:
        result = OnCreate();
        return true;
    case WM_QUERYDRAGICON:
        result = reinterpret_cast<LRESULT>(icon_);
        return true;
    case WM_NCMOUSEMOVE:
        hover_.OnNcMouseMove(Hwnd());
        result = Default();
        return true;
    case WM_NCMOUSEHOVER:
        result =
            hover_.OnNcMouseHover(Hwnd(), lp, cells_, hitRects_, profiles_.working.keyAssignments,
                                  maps_.activeProfile, profiles_.working.changedCells, skin_);
        return true;
    case WM_NCMOUSELEAVE:
        result = 0;
        return true;
    case WM_NCLBUTTONDOWN:
        OnNcLButtonDown(lp);
        result = DragAfterClick();
        return true;
    case WM_SHOWWINDOW:
        result = Default();
        OnShowWindow();
        return true;
    case WM_DEVICECHANGE:
        OnDeviceChange(wp, lp);
        result = TRUE;
        return true;
    case kTrayCallbackMessage:
        OnTrayNotify(wp, lp);
        result = 0;
        return true;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == 0x0010) {
            OnAbout();
            result = 0;
            return true;
        }
        break;
    case WM_ENDSESSION:
        OnEndSession(wp != FALSE);
        result = 0;
        return true;
    case WM_DESTROY:
        OnDestroy();
        result = Default();
        return true;
    default:
        break;
    }
    return SkinnedDialog::OnMessage(msg, wp, lp, result);
}

void COrvaneDlg::PaintFace(HDC dc) {
    skin_.PaintSkin(Hwnd(), dc, cells_, maps_.activeProfile, profiles_.working.changedCells);
}

LRESULT COrvaneDlg::OnCreate() {
    if (Default() == -1)
        return -1;
    // The model name, which the taskbar button shows.
    SetWindowTextW(Hwnd(), L"VARNOK");
    return 0;
}

void COrvaneDlg::OnShowWindow() {
    deviceNotification_.Register(Hwnd());
}

void COrvaneDlg::OnDeviceChange(WPARAM event, LPARAM record) {
    KeyboardChange change = ReadKeyboardChange(event, record);
    if (change == KeyboardChange::None)
        return;
    engine_.KeyboardPresent(change == KeyboardChange::Arrived);
    tray_.Refresh(AppIcon());
}

void COrvaneDlg::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != kTrayIconId)
        return;
    switch (mouseMessage) {
    case WM_LBUTTONDBLCLK:
        ShowWindow(Hwnd(), SW_RESTORE);
        SetForegroundWindow(Hwnd());
        break;
    case WM_RBUTTONUP:
        ShowPopupMenu(Hwnd(), IDR_TRAYMENU, TPM_LEFTALIGN | TPM_RIGHTBUTTON);
        break;
    default:
        break;
    }
}

void COrvaneDlg::OnOpen() {
    ShowWindow(Hwnd(), SW_SHOWNORMAL);
}

void COrvaneDlg::OnAbout() {
    CAboutDlg about(Hwnd());
    about.DoModal();
}

void COrvaneDlg::CancelOwnedDialogs() {
    struct Search {
        HWND owner;
        HWND found[8];
        int count;
    } search{Hwnd(), {}, 0};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND wnd, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            wchar_t cls[16];
            if (GetWindow(wnd, GW_OWNER) == s->owner && GetClassNameW(wnd, cls, 16) &&
                wcscmp(cls, L"#32770") == 0 && s->count < 8)
                s->found[s->count++] = wnd;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    for (int i = 0; i < search.count; ++i)
        SendMessageW(search.found[i], WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void COrvaneDlg::OnExit() {
    // The save's question runs a message loop, in which the tray menu can
    // send Exit again.
    if (exiting_)
        return;
    exiting_ = true;
    CancelOwnedDialogs();
    engine_.RemoveRemapHook();
    SaveForExit();
    EndDialog(IDCANCEL);
}

void COrvaneDlg::OnOK() {
    ShowWindow(Hwnd(), SW_HIDE);
}

void COrvaneDlg::OnCancel() {
    ShowWindow(Hwnd(), SW_HIDE);
}

void COrvaneDlg::OnTaskbarCreated() {
    tray_.AddAgain();
}

DWORD COrvaneDlg::SaveProfiles(bool overUnread) {
    // Nothing is copied for an ActiveProfile outside 1..3.
    CopyWorkingToProfile(maps_, profiles_, maps_.activeProfile);
    PublishMaps();
    if (!profileFileLoaded_ && !overUnread)
        return profileFileError_;
    DWORD error = ERROR_SUCCESS;
    SaveProfilesToFile(ProfileStorePath(exeDir_), cells_, maps_, profiles_, &error);
    return error;
}

void COrvaneDlg::SaveForExit() {
    const std::wstring path = ProfileStorePath(exeDir_);
    const SaveFailure failure =
        profileFileLoaded_ ? SaveFailure::WriteFailed : SaveFailure::UnreadAtStartup;
    for (bool retried = false;; retried = true) {
        const DWORD error = SaveProfiles(retried);
        if (error == ERROR_SUCCESS)
            break;
        // After a Retry the failure is the write's own, whatever happened at
        // start-up.
        if (!AskRetrySave(Hwnd(), path, error, retried ? SaveFailure::WriteFailed : failure))
            break;
    }
    profilesSaved_ = true;
}

void COrvaneDlg::OnEndSession(bool ending) {
    // At log-off and shut-down Windows ends the process after this message,
    // without WM_DESTROY: save here as the window's destruction would. No
    // question can wait for an answer now.
    if (ending && !profilesSaved_) {
        SaveProfiles();
        profilesSaved_ = true;
    }
}

void COrvaneDlg::OnDestroy() {
    // Exit has saved already (or the user chose not to); a window destroyed
    // any other way saves here, without a question.
    if (!profilesSaved_)
        SaveProfiles();
    tray_.Remove();
    hover_.DestroyTooltip();
    deviceNotification_.Unregister();
    RemovePropW(Hwnd(), kInstanceMark);
    if (win::WinApp* app = win::WinApp::Current(); app && app->mainWindow == Hwnd())
        app->mainWindow = nullptr;
}

} // namespace orvane
