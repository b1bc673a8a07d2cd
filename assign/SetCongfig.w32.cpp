#include "assign/SetCongfig.w32.h"

#include <shellapi.h>

#include "assign/AssignDecisions.h"
#include "assign/CaptureEvent.h"
#include "assign/CaptureHook.w32.h"
#include "res/resource.h"
#include "skin/Skin.w32.h"
#include "storage/PrivateProfileStore.w32.h"
#include "win/Strings.h"

namespace orvane {

namespace {

struct ButtonEntry {
    DialogEntry entry; // Composite.ini entry
    int id;
    bool latching;
    bool macroFaces; // faces from the macro images (with a disabled face)
};

using enum DialogEntry;
constexpr ButtonEntry kButtonEntries[] = {
    {Ok, IDC_ASSIGN_OK, false, false},
    {Cancel, IDCANCEL, false, false},
    {Clear, IDC_ASSIGN_CLEAR, false, false},
    {Osk, IDC_OSK, false, false},
    {SingleKeyTab, IDC_MODE_SINGLE, true, false},
    {MacroTab, IDC_MODE_MACRO, true, false},
    {MultimediaTab, IDC_MODE_MEDIA, true, false},
    {FunctionTab, IDC_MODE_FUNCTION, true, false},
    {AddMacro, IDC_MACRO_ADD, false, true},
    {DeleteMacro, IDC_MACRO_DELETE, false, true},
    {Record, IDC_RECORD, true, true},
    {DeleteEvent, IDC_EVENT_DELETE, false, true},
    {ClearEvents, IDC_EVENT_CLEAR, false, true},
    {EventTop, IDC_EVENT_TOP, false, true},
    {EventUp, IDC_EVENT_UP, false, true},
    {EventDown, IDC_EVENT_DOWN, false, true},
    {EventBottom, IDC_EVENT_BOTTOM, false, true},
};

// The plain controls and the entries that place them.
struct PlainEntry {
    DialogEntry entry;
    int id;
};
constexpr PlainEntry kPlainEntries[] = {{KeyName, IDC_KEY_NAME},
                                        {MultimediaCombo, IDC_MEDIA_COMBO},
                                        {FunctionCombo, IDC_FUNCTION_COMBO},
                                        {MacroCombo, IDC_MACRO_COMBO},
                                        {EventList, IDC_EVENT_LIST}};

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
    win::WindowDC screen(nullptr);
    lf.lfHeight = -MulDiv(GetDeviceCaps(screen.Get(), LOGPIXELSY), tenthsOfPoint, 720);
    lf.lfCharSet = DEFAULT_CHARSET;
    wcsncpy_s(lf.lfFaceName, face, _TRUNCATE);
    return CreateFontIndirectW(&lf);
}

} // namespace

CSetCongfig::CSetCongfig(const std::wstring& exeDir)
    : SkinnedDialog(IDD_SETCONFIG, nullptr, L"ORVANE_DIALOG_PAINT_EVENT"),
      macroEditor_(*this, MacroEditorHost{[this] { InstallCaptureHook(Hwnd()); },
                                          [] { RemoveCaptureHook(); },
                                          [this](bool recording) {
                                              CBitButtton& record = ButtonOf(Record);
                                              record.latched = recording ? 1 : 0;
                                              record.Invalidate();
                                          },
                                          nullptr}) {
    keyNameFont_.Reset(CreatePointFont(200, L"Fixedsys"));
    comboFont_.Reset(CreatePointFont(200, L"Fixedsys"));
    LoadSkinImages(exeDir, kImageFiles, images_);
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

CBitButtton& CSetCongfig::ButtonOf(DialogEntry entry) {
    return buttons_[static_cast<int>(entry) - 1];
}

void CSetCongfig::BindControls() {
    for (const ButtonEntry& b : kButtonEntries) {
        CBitButtton& button = ButtonOf(b.entry);
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
    SkinnedDialog::OnInitDialog();
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
    return TRUE;
}

void CSetCongfig::ApplyLayout() {
    for (const ButtonEntry& b : kButtonEntries) {
        const DialogLayoutEntry& e = EntryOf(layout_, b.entry);
        CBitButtton& button = ButtonOf(b.entry);
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
    for (const PlainEntry& p : kPlainEntries) {
        const DialogLayoutEntry& e = EntryOf(layout_, p.entry);
        HWND control = Item(p.id);
        MoveWindow(control, e.x, e.y, e.width, e.height, TRUE);
        ShowWindow(control, SW_HIDE);
    }
    PresentOpeningMode();
}

void CSetCongfig::ShapeAndCentre() {
    // Without a mask the dialog keeps its template's size.
    if (HBITMAP mask = Image(DialogImage::KeyMask))
        Shape(mask, nullptr);
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
    if (editMode < static_cast<int>(EditMode::SingleKey) ||
        editMode > static_cast<int>(EditMode::MacroLibraryOnly)) {
        LatchModeTab(); // no tab: a mode no opening gives
        return;
    }
    ShowMode();
    keyNameText = InMode(EditMode::SingleKey) ? editName : std::wstring();
    keyNameEdit_.SetText(keyNameText);
    if (InMode(EditMode::MacroLibraryOnly)) {
        for (int id : {IDC_MODE_MEDIA, IDC_MODE_FUNCTION, IDC_MODE_SINGLE})
            ShowWindow(Item(id), SW_HIDE);
    }
    if (ShowsMacroLibrary()) {
        macroEditor_.Refill();
        macroEditor_.LoadEventList();
    } else if (InMode(EditMode::Multimedia)) {
        SelectFromName(mediaCombo_);
    } else if (InMode(EditMode::FunctionKey)) {
        SelectFromName(functionCombo_);
    }
}

void CSetCongfig::ShowMode() {
    LatchModeTab();
    keyNameEdit_.Show(InMode(EditMode::SingleKey));
    mediaCombo_.Show(InMode(EditMode::Multimedia));
    functionCombo_.Show(InMode(EditMode::FunctionKey));
    ShowMacroControls(ShowsMacroLibrary());
    // The single key's capture takes every key; the other modes take none
    // until Record is pressed.
    if (InMode(EditMode::SingleKey))
        InstallCaptureHook(Hwnd());
    else
        RemoveCaptureHook();
}

void CSetCongfig::SwitchMode(EditMode mode) {
    // A recording ends first: the capture hook is the single key's then, or out.
    macroEditor_.StopRecording();
    SetMode(mode);
    if (mode != EditMode::Macro)
        editMacro = 0;
    ShowMode();
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

void CSetCongfig::PaintFace(HDC dc) {
    static constexpr DialogImage kBackgrounds[] = {
        DialogImage::KeyNormal, DialogImage::MacroNormal, DialogImage::MediaNormal,
        DialogImage::FunctionNormal, DialogImage::Macro2Normal};
    const bool known = editMode >= 0 && editMode < static_cast<int>(std::size(kBackgrounds));
    PaintWholeFace(Hwnd(), dc, known ? Image(kBackgrounds[editMode]) : nullptr);
}

void CSetCongfig::RepaintBackground() const {
    // Painting straight onto a client DC would cover the controls (a dialog
    // does not clip its children): erase and redraw everything now instead.
    RedrawWindow(Hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool CSetCongfig::OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    switch (msg) {
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
        return SkinnedDialog::OnMessage(msg, wp, lp, result);
    }
}

void CSetCongfig::LatchModeTab() {
    const std::array<bool, 4> changed = modeTabs_.Select(TabOfMode(editMode));
    for (int i = 0; i < 4; ++i) {
        if (changed[i])
            ButtonOf(ModeTabEntry(i)).Invalidate();
    }
}

void CSetCongfig::OnCaptureKey(const HookKeyEvent& event) {
    // Only a key pressed while the Single key tab is in force (and its hook
    // in) becomes the capture target; a recorded key never does.
    if (!InMode(EditMode::SingleKey)) {
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

void CSetCongfig::OnSingleKey() {
    SwitchMode(EditMode::SingleKey);
    RepaintBackground();
    keyNameEdit_.SetFocus();
}

void CSetCongfig::OnMacroMode() {
    if (InMode(EditMode::MacroLibraryOnly)) {
        LatchModeTab(); // a press on the tab latched it; the mode stays
        return;
    }
    SwitchMode(EditMode::Macro);
    macroCombo_.SetFocus();
    macroEditor_.Refill();
    if (macroNames.empty())
        macroEditor_.AddMacro();
    macroCombo_.SetCurSel(SelectionAfterFill(macroNames.size(), editMacro));
    macroEditor_.LoadEventList();
    RepaintBackground();
}

void CSetCongfig::OnMultimedia() {
    SwitchMode(EditMode::Multimedia);
    RepaintBackground();
    mediaCombo_.SetFocus();
}

void CSetCongfig::OnFunctionKey() {
    SwitchMode(EditMode::FunctionKey);
    RepaintBackground();
    functionCombo_.SetFocus();
}

void CSetCongfig::OnClear() {
    // In the library-only mode no key is being edited: nothing to clear.
    if (InMode(EditMode::MacroLibraryOnly))
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
        CBitButtton& button = ButtonOf(b.entry);
        button.FreeFaces();
        button.state = BitButtonState::kNormal;
        button.latched = 0;
    }
}

} // namespace orvane
