// The macro controls of the assignment dialog: the macro name combo, the
// event list, the recorder and the library commands. The list operations
// themselves are MacroLibrary's; this file turns controls into its calls and
// shows the result.
#include "assign/SetCongfig.w32.h"

#include <commctrl.h>

#include "assign/AssignDecisions.h"
#include "assign/CaptureHook.w32.h"
#include "assign/MacroLibrary.h"
#include "res/resource.h"

namespace orvane {

namespace {

constexpr int kEventButtons[] = {IDC_RECORD,    IDC_EVENT_DELETE, IDC_EVENT_CLEAR, IDC_EVENT_TOP,
                                 IDC_EVENT_UP,  IDC_EVENT_DOWN,   IDC_EVENT_BOTTOM};

std::wstring KeyName(int keyNameParam) {
    wchar_t name[256] = {};
    GetKeyNameTextW(keyNameParam, name, 256);
    return name;
}

} // namespace

void CSetCongfig::RegisterMacroCommands() {
    OnCommand(IDC_MACRO_COMBO, CBN_SELCHANGE, &CSetCongfig::LoadEventList);
    OnCommand(IDC_MACRO_COMBO, CBN_EDITCHANGE, &CSetCongfig::OnMacroRename);
    OnCommand(IDC_MACRO_COMBO, CBN_KILLFOCUS, &CSetCongfig::RefillMacroCombo);
    OnCommand(IDC_MACRO_ADD, &CSetCongfig::OnMacroAdd);
    OnCommand(IDC_MACRO_DELETE, &CSetCongfig::OnMacroDelete);
    OnCommand(IDC_RECORD, &CSetCongfig::OnRecord);
    OnCommand(IDC_EVENT_DELETE, &CSetCongfig::OnEventDelete);
    OnCommand(IDC_EVENT_CLEAR, &CSetCongfig::OnEventClear);
    OnCommand(IDC_EVENT_TOP, [this] { MoveEventSelection(SelectionMove::Top); });
    OnCommand(IDC_EVENT_UP, [this] { MoveEventSelection(SelectionMove::Up); });
    OnCommand(IDC_EVENT_DOWN, [this] { MoveEventSelection(SelectionMove::Down); });
    OnCommand(IDC_EVENT_BOTTOM, [this] { MoveEventSelection(SelectionMove::Bottom); });
    OnNotify(IDC_EVENT_LIST, NM_CUSTOMDRAW, &CSetCongfig::OnEventListDraw);
}

void CSetCongfig::EnableEventButtons(bool enable) {
    for (int id : kEventButtons)
        EnableWindow(Item(id), enable ? TRUE : FALSE);
}

void CSetCongfig::RefillMacroCombo() {
    macroCombo_.ResetContent();
    for (const std::wstring& name : macroNames)
        macroCombo_.AddString(name);
    macroCombo_.SetCurSel(SelectionAfterFill(macroNames.size(), editMacro));
}

void CSetCongfig::ResetEventList() {
    UpdateData(true);
    while (eventList_.GetColumnCount() > 0 && eventList_.DeleteColumn(0)) {
    }
    eventList_.DeleteAllItems();
    eventList_.InsertColumn(0, L"Key", 70, LVCFMT_LEFT);
    eventList_.InsertColumn(1, L"Action", 70, LVCFMT_LEFT);
}

void CSetCongfig::AppendEventRow(const MacroEvent& event) {
    int row = eventList_.InsertItem(eventList_.GetItemCount(), KeyName(event.keyNameParam));
    eventList_.SetItemText(row, 1, event.isDown == 1 ? L"down" : L"up");
}

void CSetCongfig::LoadEventList() {
    ResetEventList();
    const int s = macroCombo_.GetCurSel();
    if (s < 0)
        return;
    editMacro = s;
    for (const MacroEvent& e : MacroEvents(*this, s))
        AppendEventRow(e);
}

LRESULT CSetCongfig::OnRecordKey(WPARAM msg, LPARAM lp) {
    auto* hook = reinterpret_cast<KBDLLHOOKSTRUCT*>(lp);
    HookKeyEvent event{static_cast<int>(hook->vkCode), static_cast<int>(hook->scanCode),
                       static_cast<int>(hook->flags), msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN};
    if (auto recorded = RecordMacroEvent(*this, macroCombo_.GetCurSel(), keyDownState_, event))
        AppendEventRow(*recorded);
    return 0;
}

void CSetCongfig::OnRecord() {
    if (static_cast<SHORT>(GetKeyState(VK_NUMLOCK)) != 1)
        MessageBoxExW(Hwnd(), L"Keypad not locked", L"", MB_OK, 1033);
    // While recording, the library stays as it is.
    for (int id : {IDC_MACRO_ADD, IDC_MACRO_DELETE, IDC_MACRO_COMBO})
        EnableWindow(Item(id), isRecording_ ? TRUE : FALSE);
    isRecording_ = !isRecording_;
    if (isRecording_) {
        InstallCaptureHook(Hwnd());
    } else {
        RemoveCaptureHook();
        ButtonOfEntry(12).latched = 0;
        ButtonOfEntry(12).Invalidate();
    }
}

void CSetCongfig::OnEventDelete() {
    const int row = eventList_.GetSelectedRow();
    if (row < 0)
        return;
    const int next = DeleteMacroEvent(*this, macroCombo_.GetCurSel(), row);
    LoadEventList();
    if (next >= 0)
        eventList_.SelectRow(next);
}

void CSetCongfig::OnEventClear() {
    ClearMacroEvents(*this, macroCombo_.GetCurSel());
    ResetEventList();
}

void CSetCongfig::MoveEventSelection(SelectionMove move) {
    const int row = MoveSelection(move, eventList_.GetSelectedRow(), eventList_.GetItemCount());
    if (row >= 0)
        eventList_.SelectRow(row);
}

void CSetCongfig::OnMacroAdd() {
    AddMacro(*this, macroNameCounter_);
    RefillMacroCombo();
    ResetEventList();
    if (macroNames.size() == 1)
        EnableEventButtons(true);
}

void CSetCongfig::OnMacroDelete() {
    const int s = macroCombo_.GetCurSel();
    if (s < 0)
        return;
    if (!KeysBoundToMacro(macroAssignments, s).empty() &&
        MessageBoxExW(Hwnd(),
                      L"Some key settings are detected pointing to this macro, and you really "
                      L"need to delete this macro ?",
                      L"keyboard", MB_OKCANCEL | MB_ICONEXCLAMATION, 1033) != IDOK)
        return;
    DeleteMacro(*this, s);
    RefillMacroCombo();
    if (macroNames.empty()) {
        macroCombo_.SetText(L"");
        EnableEventButtons(false);
    }
    LoadEventList();
}

void CSetCongfig::OnMacroRename() {
    EnableEventButtons(true);
    RenameMacro(*this, editMacro, macroCombo_.GetText());
}

LRESULT CSetCongfig::OnEventListDraw(NMHDR& header) {
    auto& draw = reinterpret_cast<NMLVCUSTOMDRAW&>(header);
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYITEMDRAW | CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        // The selected row keeps its highlight when the list has no focus.
        const bool selected = eventList_.GetItemState(static_cast<int>(draw.nmcd.dwItemSpec),
                                                      LVIS_SELECTED) != 0;
        draw.clrText = selected ? RGB(255, 255, 255) : RGB(0, 0, 0);
        draw.clrTextBk = selected ? RGB(49, 106, 197) : RGB(255, 255, 255);
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

} // namespace orvane
