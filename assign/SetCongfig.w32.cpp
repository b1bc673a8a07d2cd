#include "assign/SetCongfig.w32.h"

#include <shellapi.h>

#include "assign/AssignDecisions.h"
#include "assign/CaptureEvent.h"
#include "assign/CaptureHook.w32.h"
#include "assign/DialogPaintSignal.w32.h"
#include "mainwnd/MainSkin.w32.h"
#include "res/resource.h"
#include "storage/PrivateProfileStore.w32.h"
#include "win/Strings.h"

namespace orvane {

namespace {

struct ButtonEntry {
    int entry; // Composite.ini entry
    int id;
    bool latching;
    bool macroFaces; // faces from the macro images (with a disabled face)
};

constexpr ButtonEntry kButtonEntries[] = {
    {1, IDC_ASSIGN_OK, false, false},    {2, IDCANCEL, false, false},
    {3, IDC_ASSIGN_CLEAR, false, false}, {4, IDC_OSK, false, false},
    {6, IDC_MODE_SINGLE, true, false},   {7, IDC_MODE_MACRO, true, false},
    {8, IDC_MODE_MEDIA, true, false},    {9, IDC_MODE_FUNCTION, true, false},
    {10, IDC_MACRO_ADD, false, true},    {11, IDC_MACRO_DELETE, false, true},
    {12, IDC_RECORD, true, true},        {13, IDC_EVENT_DELETE, false, true},
    {14, IDC_EVENT_CLEAR, false, true},  {15, IDC_EVENT_TOP, false, true},
    {16, IDC_EVENT_UP, false, true},     {17, IDC_EVENT_DOWN, false, true},
    {18, IDC_EVENT_BOTTOM, false, true},
};

constexpr int kMacroControls[] = {IDC_MACRO_ADD,    IDC_MACRO_DELETE, IDC_RECORD,
                                  IDC_EVENT_DELETE, IDC_EVENT_CLEAR,  IDC_EVENT_TOP,
                                  IDC_EVENT_UP,     IDC_EVENT_DOWN,   IDC_EVENT_BOTTOM,
                                  IDC_MACRO_COMBO,  IDC_EVENT_LIST};

// Buttons of the template that have no behaviour: hidden so they never draw
// system buttons over the skin.
constexpr int kInertButtons[] = {IDC_ASSIGN_APPLY, IDC_ASSIGN_MASK, IDC_ASSIGN_TITLE};

constexpr const wchar_t* kImageFiles[] = {
    L"key_mask.bmp",     L"key_normal.bmp",      L"key_over.bmp",     L"key_down.bmp",
    L"media_normal.bmp", L"function_normal.bmp", L"macro_normal.bmp", L"macro_over.bmp",
    L"macro_down.bmp",   L"macro_disable.bmp",   L"macro2_normal.bmp"};
static_assert(std::size(kImageFiles) == static_cast<int>(DialogImage::Count));

// 1/10 points on the screen DC, as the design's 20-point "Fixedsys" fonts.
HFONT CreatePointFont(int tenthsOfPoint, const wchar_t* face) {
    LOGFONTW lf{};
    HDC screen = GetDC(nullptr);
    lf.lfHeight = -MulDiv(GetDeviceCaps(screen, LOGPIXELSY), tenthsOfPoint, 720);
    ReleaseDC(nullptr, screen);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
    return CreateFontIndirectW(&lf);
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    if (!bitmap || !GetObjectW(bitmap, sizeof bm, &bm))
        return SIZE{0, 0};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

} // namespace

CSetCongfig::CSetCongfig(const std::wstring& exeDir)
    : Dialog(IDD_SETCONFIG, nullptr),
      macroEditor_(*this, MacroEditorHost{[this] { InstallCaptureHook(Hwnd()); },
                                          [] { RemoveCaptureHook(); },
                                          [this](bool recording) {
                                              ButtonOfEntry(12).latched = recording ? 1 : 0;
                                              ButtonOfEntry(12).Invalidate();
                                          },
                                          nullptr}) {
    keyNameFont_.Reset(CreatePointFont(200, L"Fixedsys"));
    comboFont_.Reset(CreatePointFont(200, L"Fixedsys"));
    for (int i = 0; i < static_cast<int>(DialogImage::Count); ++i) {
        std::wstring path = exeDir + L"skin\\" + kImageFiles[i];
        images_[i].Reset(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                         LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    }
    MemoryIniStore composite;
    ReadIniFileSnapshot(exeDir + L"Composite.ini", composite);
    layout_ = ReadDialogLayout(composite);
    RegisterCommands();
}

CSetCongfig::~CSetCongfig() {
    RemoveCaptureHook();
}

void CSetCongfig::RegisterCommands() {
    OnCommand(IDC_ASSIGN_OK, [this] { OnOK(); });
    OnCommand(IDC_MODE_SINGLE, &CSetCongfig::OnSingleKey);
    OnCommand(IDC_MODE_MACRO, &CSetCongfig::OnMacroMode);
    OnCommand(IDC_MODE_MEDIA, &CSetCongfig::OnMultimedia);
    OnCommand(IDC_MODE_FUNCTION, &CSetCongfig::OnFunctionKey);
    OnCommand(IDC_ASSIGN_CLEAR, &CSetCongfig::OnClear);
    OnCommand(IDC_OSK, &CSetCongfig::OnOsk);
    macroEditor_.RegisterWith(*this);
}

CBitButtton& CSetCongfig::ButtonOfEntry(int entry) {
    return buttons_[entry - 1];
}

void CSetCongfig::BindControls() {
    for (const ButtonEntry& b : kButtonEntries) {
        CBitButtton& button = ButtonOfEntry(b.entry);
        if (!button.Hwnd())
            button.SubclassDlgItem(b.id, Hwnd());
    }
    keyNameEdit_.Bind(Hwnd(), IDC_KEY_NAME);
    functionCombo_.Bind(Hwnd(), IDC_FUNCTION_COMBO);
    mediaCombo_.Bind(Hwnd(), IDC_MEDIA_COMBO);
    macroCombo_.Bind(Hwnd(), IDC_MACRO_COMBO);
}

void CSetCongfig::DoDataExchange(bool save) {
    if (!save)
        BindControls();
    ExchangeText(save, IDC_KEY_NAME, keyNameText);
}

void CSetCongfig::AddComboStrings() {
    wchar_t text[64];
    for (int i = 0; i < IDS_MEDIA_ITEM_COUNT; ++i)
        if (LoadStringW(win::ResourceInstance(), IDS_MEDIA_ITEM_FIRST + i, text, 64) > 0)
            mediaCombo_.AddString(text);
    for (int i = 0; i < IDS_FUNCTION_ITEM_COUNT; ++i)
        if (LoadStringW(win::ResourceInstance(), IDS_FUNCTION_ITEM_FIRST + i, text, 64) > 0)
            functionCombo_.AddString(text);
}

INT_PTR CSetCongfig::DoModal() {
    HookPumpDuringCreation pump;
    creationPump_ = &pump;
    INT_PTR result = Dialog::DoModal();
    creationPump_ = nullptr;
    return result;
}

BOOL CSetCongfig::OnInitDialog() {
    // The controls exist now; the steps below serve the hooks themselves.
    if (creationPump_)
        creationPump_->Stop();
    RunPendingHookCalls();
    Dialog::OnInitDialog();
    RunPendingHookCalls();
    AddComboStrings();
    RunPendingHookCalls();
    // OK without a key pressed during this opening keeps the key as it is.
    capturedKey_ = InitialCaptureTarget(editKey, editMode, editSequence);

    keyNameEdit_.SetFont(keyNameFont_.Get());
    mediaCombo_.SetFont(comboFont_.Get());
    functionCombo_.SetFont(comboFont_.Get());
    macroCombo_.SetFont(comboFont_.Get());
    RunPendingHookCalls();
    functionCombo_.SetCurSel(0);
    mediaCombo_.SetCurSel(0);
    macroEditor_.Open(Hwnd()); // list styles and columns, recording off
    RunPendingHookCalls();
    for (int id : kInertButtons)
        ShowWindow(Item(id), SW_HIDE);
    ApplyLayout();
    RunPendingHookCalls();
    ShapeAndCentre();
    RunPendingHookCalls();
    painted_ = false;
    return TRUE;
}

void CSetCongfig::ApplyLayout() {
    for (const ButtonEntry& b : kButtonEntries) {
        const DialogLayoutEntry& e = layout_[b.entry - 1];
        CBitButtton& button = ButtonOfEntry(b.entry);
        button.latching = b.latching ? 1 : 0;
        const DialogImage normal = b.macroFaces ? DialogImage::MacroNormal : DialogImage::KeyNormal;
        const DialogImage over = b.macroFaces ? DialogImage::MacroOver : DialogImage::KeyOver;
        const DialogImage down = b.macroFaces ? DialogImage::MacroDown : DialogImage::KeyDown;
        button.AttachFaces(
            CutFace(Image(normal), e.x, e.y, e.width, e.height),
            CutFace(Image(over), e.x, e.y, e.width, e.height),
            CutFace(Image(down), e.x, e.y, e.width, e.height),
            b.macroFaces ? CutFace(Image(DialogImage::MacroDisable), e.x, e.y, e.width, e.height)
                         : nullptr);
        MoveWindow(button.Hwnd(), e.x, e.y, e.width, e.height, TRUE);
        RunPendingHookCalls();
    }
    for (int entry = 19; entry <= 23; ++entry) {
        const DialogLayoutEntry& e = layout_[entry - 1];
        HWND control = Item(1108 + entry);
        MoveWindow(control, e.x, e.y, e.width, e.height, TRUE);
        ShowWindow(control, SW_HIDE);
    }
    PresentOpeningMode();
}

void CSetCongfig::ShapeAndCentre() {
    HBITMAP mask = Image(DialogImage::KeyMask);
    SIZE size = BitmapSize(mask);
    if (size.cx > 0 && size.cy > 0) {
        MoveWindow(Hwnd(), 0, 0, size.cx, size.cy, TRUE);
        win::WindowDC dc(Hwnd(), true);
        SetRegionFromMask(Hwnd(), dc.Get(), mask);
    }
    // Centred on the work area of the monitor that holds the main window.
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    HWND owner = GetWindow(Hwnd(), GW_OWNER);
    HMONITOR monitor = MonitorFromWindow(owner ? owner : Hwnd(), MONITOR_DEFAULTTONEAREST);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& work = info.rcWork;
        int w = window.right - window.left, h = window.bottom - window.top;
        int x = work.left + (work.right - work.left - w) / 2;
        int y = work.top + (work.bottom - work.top - h) / 2;
        SetWindowPos(Hwnd(), nullptr, x < work.left ? work.left : x, y < work.top ? work.top : y, 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void CSetCongfig::PresentOpeningMode() {
    LatchModeTab();
    switch (editMode) {
    case 0:
        keyNameEdit_.Show(true);
        ShowMacroControls(false);
        keyNameText = editName;
        keyNameEdit_.SetText(editName);
        InstallCaptureHook(Hwnd());
        break;
    case 1:
    case kMacroLibraryOnly:
        ShowMacroControls(true);
        if (editMode == kMacroLibraryOnly) {
            for (int id : {IDC_MODE_MEDIA, IDC_MODE_FUNCTION, IDC_MODE_SINGLE})
                ShowWindow(Item(id), SW_HIDE);
        }
        macroEditor_.Refill();
        macroEditor_.LoadEventList();
        keyNameEdit_.SetText(L"");
        break;
    case 2:
        mediaCombo_.Show(true);
        ShowMacroControls(false);
        SelectFromName(mediaCombo_);
        keyNameEdit_.SetText(L"");
        break;
    case 3:
        functionCombo_.Show(true);
        ShowMacroControls(false);
        SelectFromName(functionCombo_);
        keyNameEdit_.SetText(L"");
        break;
    default:
        break;
    }
}

void CSetCongfig::SelectFromName(const win::ComboBox& combo) {
    std::vector<std::wstring> items;
    for (int i = 0, n = combo.GetCount(); i < n; ++i)
        items.push_back(combo.GetItemText(i));
    combo.SetCurSel(FindString(items, 0, editName));
}

void CSetCongfig::ShowMacroControls(bool show) {
    for (int id : kMacroControls)
        ShowWindow(Item(id), show ? SW_SHOWNORMAL : SW_HIDE);
}

void CSetCongfig::PaintBackground(HDC dc) const {
    static constexpr DialogImage kBackgrounds[] = {
        DialogImage::KeyNormal, DialogImage::MacroNormal, DialogImage::MediaNormal,
        DialogImage::FunctionNormal, DialogImage::Macro2Normal};
    RECT window{};
    GetWindowRect(Hwnd(), &window);
    const int w = window.right - window.left, h = window.bottom - window.top;
    HBITMAP image = editMode >= 0 && editMode <= 4 ? Image(kBackgrounds[editMode]) : nullptr;
    if (!image) {
        RECT all{0, 0, w, h};
        FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    win::UniqueMemoryDC memory(CreateCompatibleDC(dc));
    win::SelectGuard select(memory.Get(), image);
    BitBlt(dc, 0, 0, w, h, memory.Get(), 0, 0, SRCCOPY);
}

void CSetCongfig::RepaintBackground() const {
    // Painting straight onto a client DC would cover the controls (a dialog
    // does not clip its children): erase and redraw everything now instead.
    RedrawWindow(Hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool CSetCongfig::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
    case WM_ERASEBKGND:
        PaintBackground(reinterpret_cast<HDC>(wp));
        result = TRUE;
        return true;
    case WM_NCHITTEST:
        result = CaptionHitTest(Default());
        return true;
    case WM_PAINT:
        result = Default();
        if (!painted_) {
            painted_ = true;
            SignalDialogPaint();
        }
        return true;
    case kCaptureKeyMessage:
        // Anyone can send this number: the parameters are only read as
        // numbers, never as a pointer.
        if (auto event = UnpackHookKeyEvent(wp, static_cast<std::uint64_t>(lp)))
            OnCaptureKey(*event);
        result = 0;
        return true;
    case WM_ENDSESSION:
        // Log-off: the process ends without the dialog closing.
        if (wp) {
            macroEditor_.StopRecording();
            RemoveCaptureHook();
        }
        result = 0;
        return true;
    case WM_DESTROY:
        macroEditor_.StopRecording();
        RemoveCaptureHook();
        result = Default();
        return true;
    default:
        return Dialog::OnMessage(msg, wp, lp, result);
    }
}

void CSetCongfig::LatchModeTab() {
    const std::array<bool, 4> changed = modeTabs_.Select(TabOfMode(editMode));
    for (int i = 0; i < 4; ++i) {
        if (changed[i])
            ButtonOfEntry(6 + i).Invalidate();
    }
}

void CSetCongfig::OnCaptureKey(const HookKeyEvent& event) {
    // Only a key pressed while the Single key tab is in force (and its hook
    // in) becomes the capture target; a recorded key never does.
    if (editMode != 0) {
        macroEditor_.OnRecordEvent(event);
        return;
    }
    if (!event.isDown || !IsCaptureHookInstalled())
        return;
    capturedKey_ = RecorderVkCode(event.vkCode, event.flags);
    wchar_t name[256] = {};
    GetKeyNameTextW(RecorderKeyNameParam(event.scanCode, event.flags), name, 256);
    keyNameEdit_.SetText(name);
}

// Every mode command ends a recording first: the capture hook is the single
// key's then, or out.
void CSetCongfig::OnSingleKey() {
    macroEditor_.StopRecording();
    editMode = 0;
    editMacro = 0;
    LatchModeTab();
    RepaintBackground();
    keyNameEdit_.Show(true);
    mediaCombo_.Show(false);
    functionCombo_.Show(false);
    keyNameEdit_.SetFocus();
    ShowMacroControls(false);
    InstallCaptureHook(Hwnd());
}

void CSetCongfig::OnMacroMode() {
    if (editMode == kMacroLibraryOnly) {
        LatchModeTab(); // a press on the tab latched it; the mode stays
        return;
    }
    macroEditor_.StopRecording();
    editMode = 1;
    LatchModeTab();
    keyNameEdit_.Show(false);
    mediaCombo_.Show(false);
    functionCombo_.Show(false);
    macroCombo_.SetFocus();
    ShowMacroControls(true);
    macroEditor_.Refill();
    if (macroNames.empty())
        macroEditor_.AddMacro();
    macroCombo_.SetCurSel(SelectionAfterFill(macroNames.size(), editMacro));
    macroEditor_.LoadEventList();
    RemoveCaptureHook();
    RepaintBackground();
}

void CSetCongfig::OnMultimedia() {
    macroEditor_.StopRecording();
    editMode = 2;
    editMacro = 0;
    LatchModeTab();
    RepaintBackground();
    keyNameEdit_.Show(false);
    mediaCombo_.Show(true);
    functionCombo_.Show(false);
    mediaCombo_.SetFocus();
    ShowMacroControls(false);
    RemoveCaptureHook();
}

void CSetCongfig::OnFunctionKey() {
    macroEditor_.StopRecording();
    editMode = 3;
    editMacro = 0;
    LatchModeTab();
    RepaintBackground();
    keyNameEdit_.Show(false);
    mediaCombo_.Show(false);
    functionCombo_.Show(true);
    functionCombo_.SetFocus();
    ShowMacroControls(false);
    RemoveCaptureHook();
}

void CSetCongfig::OnClear() {
    // In the library-only mode no key is being edited: nothing to clear.
    if (editMode == kMacroLibraryOnly)
        return;
    keyNameText.clear();
    capturedKey_ = editKey;
    OnSingleKey();
    UpdateData(false);
}

void CSetCongfig::OnOsk() {
    wchar_t system[MAX_PATH] = {};
    UINT n = GetSystemDirectoryW(system, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return;
    std::wstring path = std::wstring(system, n) + L"\\osk.exe";
    ShellExecuteW(Hwnd(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CSetCongfig::OnOK() {
    // Enter while a macro's new name is typed ends the rename, not the dialog.
    if (macroEditor_.EndRenameOnEnter())
        return;
    macroEditor_.StopRecording();
    UpdateData(true);
    OkInput in;
    in.latched = TabOfMode(editMode); // the latched tab, by LatchModeTab
    in.keyNameText = keyNameText;
    in.macroText = macroCombo_.GetText();
    in.mediaText = mediaCombo_.GetText();
    in.functionText = functionCombo_.GetText();
    in.functionSelection = functionCombo_.GetCurSel();
    in.capturedKey = capturedKey_;
    CommitAssignment(in, mediaKeyNames, *this);
    ReleaseButtonFaces();
    Dialog::OnOK();
}

void CSetCongfig::OnCancel() {
    macroEditor_.StopRecording();
    ReleaseButtonFaces();
    keyNameText.clear();
    capturedKey_ = editKey;
    UpdateData(false);
    EndDialog(IDCANCEL);
}

void CSetCongfig::CancelIfOpen() {
    if (IsOpen())
        SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void CSetCongfig::ReleaseButtonFaces() {
    macroEditor_.StopRecording();
    RemoveCaptureHook();
    for (const ButtonEntry& b : kButtonEntries) {
        CBitButtton& button = ButtonOfEntry(b.entry);
        button.FreeFaces();
        button.state = 3;
        button.latched = 0;
    }
}

} // namespace orvane
