#include "assign/MacroEditor.w32.h"

#include <commctrl.h>

#include <array>
#include <string_view>
#include <utility>

#include "assign/AssignDecisions.h"
#include "win/MessageBox.h"

namespace orvane {

namespace {

constexpr std::array<int, 7> kEventButtons = {
    MacroEditor::kRecord, MacroEditor::kDeleteEvent, MacroEditor::kClearEvents, MacroEditor::kTop,
    MacroEditor::kUp,     MacroEditor::kDown,        MacroEditor::kBottom};

constexpr int kColumnWidth = 70;
constexpr COLORREF kSelectedText = RGB(255, 255, 255);
constexpr COLORREF kSelectedBack = RGB(49, 106, 197);
constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kBack = RGB(255, 255, 255);

std::wstring KeyName(int keyNameParam) {
    wchar_t name[256] = {};
    ::GetKeyNameTextW(keyNameParam, name, 256);
    return name;
}

int DefaultMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    if (std::wstring_view(caption) == L"keyboard")
        return win::KeyboardMessageBox(owner, text, type);
    return ::MessageBoxExW(owner, text, caption, type,
                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

} // namespace

MacroEditor::MacroEditor(AssignExchange& exchange, MacroEditorHost host)
    : exchange_(exchange), host_(std::move(host)) {
    if (!host_.messageBox)
        host_.messageBox = &DefaultMessageBox;
}

void MacroEditor::Open(HWND dialog) {
    dialog_ = dialog;
    combo_.Bind(dialog, kMacroCombo);
    list_.Bind(dialog, kEventList);
    recording_ = false;
    recordingInto_ = -1;
    shownNames_.clear(); // a new combo: it holds nothing yet
    list_.SetExtendedStyle(0x23, LVS_EX_GRIDLINES | LVS_EX_SUBITEMIMAGES | LVS_EX_FULLROWSELECT);
    ResetEventList();
    EnableEventButtons(true);
    EnableLibraryControls(true);
    UpdateRecordButton();
}

// --- the event list ---------------------------------------------------------

void MacroEditor::ResetEventList() {
    while (list_.GetColumnCount() > 0 && list_.DeleteColumn(0)) {
    }
    list_.DeleteAllItems();
    list_.InsertColumn(0, L"Key", kColumnWidth, LVCFMT_LEFT);
    list_.InsertColumn(1, L"Action", kColumnWidth, LVCFMT_LEFT);
}

void MacroEditor::LoadEventList() {
    ResetEventList();
    const int s = SelectedMacro();
    if (s < 0)
        return;
    exchange_.editMacro = s;
    const std::vector<MacroEvent> events = MacroEvents(exchange_, s);
    if (events.empty())
        return;
    // One redraw for the whole list instead of one per row: a long macro
    // would otherwise hold up the thread that serves the keyboard hooks.
    ::SendMessageW(list_.Hwnd(), WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_.Hwnd(), LVM_SETITEMCOUNT, events.size(), 0);
    for (const MacroEvent& event : events)
        AppendRow(event);
    ::SendMessageW(list_.Hwnd(), WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_.Hwnd(), nullptr, TRUE);
}

void MacroEditor::AppendRow(const MacroEvent& event) {
    const int row = list_.InsertItem(list_.GetItemCount(), KeyName(event.keyNameParam));
    if (row >= 0)
        list_.SetItemText(row, 1, event.isDown == 1 ? L"down" : L"up");
}

// The selected row keeps its colours when the list has no focus. The system
// would paint a selected row in its own (focus-dependent) colours, so the
// row is drawn as unselected with the selection's colours.
LRESULT MacroEditor::CustomDraw(NMLVCUSTOMDRAW& draw) const {
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const bool selected =
            list_.GetItemState(static_cast<int>(draw.nmcd.dwItemSpec), LVIS_SELECTED) != 0;
        draw.clrText = selected ? kSelectedText : kText;
        draw.clrTextBk = selected ? kSelectedBack : kBack;
        draw.nmcd.uItemState &= ~(CDIS_SELECTED | CDIS_FOCUS);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

// --- the recorder -------------------------------------------------------------

namespace {

bool NumLockOn() {
    return static_cast<SHORT>(::GetKeyState(VK_NUMLOCK)) == 1;
}

} // namespace

void MacroEditor::ToggleRecord() {
    if (recording_) {
        // The hook goes out first: a box shown while it is in could not be
        // answered from the keyboard, and every key would be recorded.
        StopRecording();
        if (!NumLockOn())
            Ask(L"Keypad not locked", L"", MB_OK);
        return;
    }
    // Nothing to record into (Record is disabled then; a command can still
    // arrive by message).
    if (MacroInHand() < 0)
        return;
    if (!NumLockOn())
        Ask(L"Keypad not locked", L"", MB_OK);
    recordingInto_ = MacroInHand();
    if (recordingInto_ < 0)
        return;
    recording_ = true;
    EnableLibraryControls(false);
    if (host_.installCaptureHook)
        host_.installCaptureHook();
    if (host_.showRecording)
        host_.showRecording(true);
}

void MacroEditor::StopRecording() {
    if (!recording_)
        return;
    recording_ = false;
    recordingInto_ = -1;
    if (host_.removeCaptureHook)
        host_.removeCaptureHook();
    EnableLibraryControls(true);
    if (host_.showRecording)
        host_.showRecording(false);
    UpdateRecordButton();
}

void MacroEditor::OnRecordEvent(const HookKeyEvent& event) {
    // Events of no recording (queued before it ended, or sent by anyone)
    // are not the user's macro.
    if (!recording_)
        return;
    if (auto recorded = RecordMacroEvent(exchange_, recordingInto_, keyDownState_, event)) {
        AppendRow(*recorded);
        list_.EnsureVisible(list_.GetItemCount() - 1);
    }
}

// --- event commands -------------------------------------------------------------

void MacroEditor::DeleteEvent() {
    const int row = list_.GetSelectedRow();
    const int s = SelectedMacro();
    // No macro selected (the combo's text edited away from every item): the
    // rows on show belong to no list, and stay.
    if (row < 0 || static_cast<size_t>(row) >= MacroEvents(exchange_, s).size())
        return;
    const int next = DeleteMacroEvent(exchange_, s, row);
    list_.DeleteItem(row);
    if (next >= 0)
        list_.SelectRow(next);
}

void MacroEditor::ClearEvents() {
    ClearMacroEvents(exchange_, SelectedMacro());
    ResetEventList();
}

void MacroEditor::MoveSelection(SelectionMove move) {
    const int target = orvane::MoveSelection(move, list_.GetSelectedRow(), list_.GetItemCount());
    if (target >= 0)
        list_.SelectRow(target);
}

// --- the library ---------------------------------------------------------------

int MacroEditor::SelectedMacro() const {
    return combo_.GetCurSel();
}

int MacroEditor::MacroInHand() const {
    const int count = static_cast<int>(exchange_.macroNames.size());
    if (static_cast<int>(exchange_.macroEventLists.size()) < count)
        return -1;
    const int selected = SelectedMacro();
    if (selected >= 0 && selected < count)
        return selected;
    // The combo's text is being edited: no item is selected meanwhile, and
    // the rename goes to editMacro.
    const int edited = exchange_.editMacro;
    return edited >= 0 && edited < count ? edited : -1;
}

void MacroEditor::Refill() {
    if (shownNames_ != exchange_.macroNames) {
        combo_.ResetContent();
        for (const std::wstring& name : exchange_.macroNames)
            combo_.AddString(name);
        shownNames_ = exchange_.macroNames;
    }
    combo_.SetCurSel(SelectionAfterFill(exchange_.macroNames.size(), exchange_.editMacro));
    UpdateRecordButton();
}

bool MacroEditor::EndRenameOnEnter() {
    HWND focus = ::GetFocus();
    if (!combo_.Hwnd() || !focus || (focus != combo_.Hwnd() && !::IsChild(combo_.Hwnd(), focus)))
        return false;
    if (!RenamePending())
        return false;
    Refill();
    ::SendMessageW(combo_.Hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
    return true;
}

void MacroEditor::AddMacro() {
    const int index = orvane::AddMacro(exchange_, macroNameCounter_);
    combo_.AddString(exchange_.macroNames[index]);
    shownNames_.push_back(exchange_.macroNames[index]);
    combo_.SetCurSel(combo_.GetCount() - 1);
    ResetEventList();
    exchange_.editMacro = SelectedMacro();
    if (combo_.GetCount() == 1)
        EnableEventButtons(true);
    UpdateRecordButton();
}

void MacroEditor::Rename() {
    EnableEventButtons(true);
    RenameMacro(exchange_, exchange_.editMacro, combo_.GetText());
}

void MacroEditor::DeleteMacro() {
    const int s = SelectedMacro();
    if (s < 0 || s >= static_cast<int>(exchange_.macroNames.size()))
        return;
    if (!KeysBoundToMacro(exchange_.macroAssignments, s).empty() &&
        Ask(L"Some key settings are detected pointing to this macro, and you really need to "
            L"delete this macro ?",
            L"keyboard", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
        return;
    orvane::DeleteMacro(exchange_, s);
    ResetEventList();
    combo_.DeleteString(s);
    if (static_cast<size_t>(s) < shownNames_.size())
        shownNames_.erase(shownNames_.begin() + s);
    if (s > 0) {
        combo_.SetCurSel(s - 1);
        LoadEventList();
    } else if (combo_.GetCount() == 0) {
        combo_.SetText(L"");
        EnableEventButtons(false);
    } else {
        combo_.SetCurSel(0);
        LoadEventList();
    }
    exchange_.editMacro = SelectedMacro();
    UpdateRecordButton();
}

void MacroEditor::EnableEventButtons(bool enable) {
    for (int id : kEventButtons)
        ::EnableWindow(::GetDlgItem(dialog_, id), enable);
    UpdateRecordButton();
}

void MacroEditor::UpdateRecordButton() {
    // Record stays enabled while recording: it is the way to stop.
    HWND record = ::GetDlgItem(dialog_, kRecord);
    const bool enable = recording_ || MacroInHand() >= 0;
    if ((::IsWindowEnabled(record) != FALSE) != enable)
        ::EnableWindow(record, enable);
}

void MacroEditor::EnableLibraryControls(bool enable) {
    for (int id : {kAddMacro, kDeleteMacro, kMacroCombo})
        ::EnableWindow(::GetDlgItem(dialog_, id), enable);
}

int MacroEditor::Ask(const wchar_t* text, const wchar_t* caption, UINT type) {
    return host_.messageBox(dialog_, text, caption, type);
}

// --- routing ---------------------------------------------------------------------

namespace {

// Every notification a combo box sends; HIWORD(wParam) carries CBN_ERRSPACE
// (-1) as 0xFFFF.
constexpr std::array<UINT, 11> kComboNotifications = {CBN_SELCHANGE,
                                                      CBN_DBLCLK,
                                                      CBN_SETFOCUS,
                                                      CBN_KILLFOCUS,
                                                      CBN_EDITCHANGE,
                                                      CBN_EDITUPDATE,
                                                      CBN_DROPDOWN,
                                                      CBN_CLOSEUP,
                                                      CBN_SELENDOK,
                                                      CBN_SELENDCANCEL,
                                                      static_cast<WORD>(CBN_ERRSPACE)};

} // namespace

void MacroEditor::RegisterWith(win::Dialog& dialog) {
    for (UINT code : kComboNotifications)
        dialog.OnCommand(kMacroCombo, code, [this, code] { OnComboNotification(code); });
    // A click registration also takes the double click an owner-drawn button
    // reports for the second of two quick clicks.
    dialog.OnCommand(kAddMacro, [this] { AddMacro(); });
    dialog.OnCommand(kDeleteMacro, [this] { DeleteMacro(); });
    dialog.OnCommand(kRecord, [this] { ToggleRecord(); });
    dialog.OnCommand(kDeleteEvent, [this] { DeleteEvent(); });
    dialog.OnCommand(kClearEvents, [this] { ClearEvents(); });
    dialog.OnCommand(kTop, [this] { MoveSelection(SelectionMove::Top); });
    dialog.OnCommand(kUp, [this] { MoveSelection(SelectionMove::Up); });
    dialog.OnCommand(kDown, [this] { MoveSelection(SelectionMove::Down); });
    dialog.OnCommand(kBottom, [this] { MoveSelection(SelectionMove::Bottom); });
    dialog.OnNotify(kEventList, NM_CUSTOMDRAW, [this](NMHDR& header) {
        // NM_CUSTOMDRAW of a list view carries an NMLVCUSTOMDRAW.
        return CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(&header));
    });
}

// Whatever the combo reports, Record follows: the selection or the name
// being typed decides whether there is a macro to record into.
void MacroEditor::OnComboNotification(UINT code) {
    if (code == CBN_SELCHANGE)
        LoadEventList();
    else if (code == CBN_EDITCHANGE)
        Rename();
    else if (code == CBN_KILLFOCUS)
        Refill();
    UpdateRecordButton();
}

} // namespace orvane
