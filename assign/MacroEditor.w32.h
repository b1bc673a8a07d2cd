// The macro side of the key-assignment dialog: the event list 1131, the
// recorder (Record 1020 and the events the capture hook hands over), the
// event commands 1021-1026 and the macro library on the combo 1130 with Add
// 1017 and Delete 1018.
//
// CSetCongfig owns one MacroEditor for the whole run. The editor registers
// the commands and notifications of its controls with the dialog's routing
// once (RegisterWith); the dialog forwards the rest: the capture hook's key
// events (OnRecordEvent), Enter on the dialog (EndRenameOnEnter), a mode
// switch (StopRecording) and, at every opening, Open().
// The editor works on the dialog's AssignExchange (the copies of the macro
// library) and never on the profile itself; the list operations are the
// portable ones of assign/MacroLibrary.h, the editor only translates between
// them and the controls. It lives as long as the dialog object, so the state
// of recorded key-downs and the default-name counter span every opening.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "assign/AssignExchange.h"
#include "assign/MacroLibrary.h"
#include "res/resource.h"
#include "win/Controls.h"
#include "win/Dialog.h"

namespace orvane {

// What the editor needs from its dialog: the capture hook is the dialog's
// (it also serves the single-key capture) and so is the Record button.
struct MacroEditorHost {
    std::function<void()> installCaptureHook;
    std::function<void()> removeCaptureHook;
    // Shows Record pressed (latched) while recording, released otherwise.
    std::function<void(bool recording)> showRecording;
    // Shows a message box and answers its result; when not set, the
    // program's message box for the caption "keyboard" and MessageBoxExW in
    // US English for any other (tests answer for the user here).
    std::function<int(HWND, const wchar_t* text, const wchar_t* caption, UINT type)> messageBox;
};

class MacroEditor {
  public:
    // Control ids of the dialog template.
    static constexpr int kAddMacro = IDC_MACRO_ADD;
    static constexpr int kDeleteMacro = IDC_MACRO_DELETE;
    static constexpr int kRecord = IDC_RECORD;
    static constexpr int kDeleteEvent = IDC_EVENT_DELETE;
    static constexpr int kClearEvents = IDC_EVENT_CLEAR;
    static constexpr int kTop = IDC_EVENT_TOP;
    static constexpr int kUp = IDC_EVENT_UP;
    static constexpr int kDown = IDC_EVENT_DOWN;
    static constexpr int kBottom = IDC_EVENT_BOTTOM;
    static constexpr int kMacroCombo = IDC_MACRO_COMBO;
    static constexpr int kEventList = IDC_EVENT_LIST;

    MacroEditor(AssignExchange& exchange, MacroEditorHost host);

    // Routes the commands of the macro controls and the event list's custom
    // draw to the editor, through `dialog`'s routing. Once per dialog
    // object; the editor must outlive the dialog's windows.
    void RegisterWith(win::Dialog& dialog);

    // At every opening, once the controls exist: binds them, gives the list
    // its styles and columns, recording off, the seven event buttons enabled.
    void Open(HWND dialog);

    // The list emptied and given its two columns.
    void ResetEventList();
    // The rows of the combo's selected macro, which becomes editMacro; an
    // empty list when nothing is selected. The rows go in with the list's
    // redraw off, and the list is drawn once afterwards.
    void LoadEventList();
    // The combo holds the library's names in order with editMacro selected.
    // Its items are only refilled when they differ from the names.
    void Refill();
    // Add 1017: a new empty macro "defineN", selected.
    void AddMacro();

    bool IsRecording() const { return recording_; }
    // Ends a recording whole: the hook out, Record released, the library
    // controls back. Nothing when not recording.
    void StopRecording();
    // The combo's selection, or -1.
    int SelectedMacro() const;
    // The macro Record records into: the selected one, or the one whose name
    // is being typed into the combo; -1 when none (an empty library, a stale
    // index). Record is disabled then.
    int MacroInHand() const;

    // Enter on the dialog (the dialog manager sends it as OK): true when the
    // focus is in the combo with a rename not yet shown in its items; the
    // rename is then ended (the items refilled) and the dialog stays open.
    bool EndRenameOnEnter();

    // A key event from the capture hook: recorded into the macro in hand
    // while recording, its row scrolled into view; ignored otherwise.
    void OnRecordEvent(const HookKeyEvent& event);

  private:
    void OnComboNotification(UINT code);
    void ToggleRecord();
    void DeleteEvent();
    void ClearEvents();
    void MoveSelection(SelectionMove move);
    void Rename();
    void DeleteMacro();
    void EnableEventButtons(bool enable);
    void EnableLibraryControls(bool enable);
    void UpdateRecordButton();
    bool RenamePending() const { return shownNames_ != exchange_.macroNames; }

    void AppendRow(const MacroEvent& event);
    LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;
    int Ask(const wchar_t* text, const wchar_t* caption, UINT type);

    AssignExchange& exchange_;
    MacroEditorHost host_;
    HWND dialog_ = nullptr;
    win::ComboBox combo_;
    win::ListView list_;
    bool recording_ = false;    // isRecording
    int recordingInto_ = -1;    // the macro in hand when Record was pressed
    MacroNames shownNames_;     // the combo's items, as last filled
    KeyDownState keyDownState_; // recorded key-downs without their key-up
    int macroNameCounter_ = 0;  // MacroNameCounter: the N of the next "defineN"
};

} // namespace orvane
