// The key-assignment dialog: one key's assignment (single key, macro,
// multimedia key, function shortcut) or, in MacroLibraryOnly mode, the macro
// library alone. Template IDD_SETCONFIG, skinned from the eleven dialog
// images and laid out by Composite.ini.
//
// Owner: COrvaneDlg holds the one object for the whole run and opens it
// modally for every key cell and for "Macro..". The caller fills the
// AssignExchange fields before DoModal and reads them back only after IDOK
// (the key's new assignment, its new sequence and the edited library). The
// dialog holds nothing of the model. Everything runs on the GUI thread.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "assign/AssignExchange.h"
#include "assign/DialogLayout.h"
#include "assign/HookPump.w32.h"
#include "assign/MacroEditor.w32.h"
#include "assign/ModeTabs.h"
#include "layout/Layout.h"
#include "skin/BitButton.w32.h"
#include "skin/SkinnedDialog.w32.h"
#include "win/Controls.h"
#include "win/Dialog.h"
#include "win/Handles.h"

namespace orvane {

// The dialog's skin images, in the order they are loaded.
enum class DialogImage : int {
    KeyMask,
    KeyNormal,
    KeyOver,
    KeyDown,
    MediaNormal,
    FunctionNormal,
    MacroNormal,
    MacroOver,
    MacroDown,
    MacroDisable,
    Macro2Normal,
    Count
};

class CSetCongfig : public SkinnedDialog, public AssignExchange {
  public:
    // Loads the fonts, the eleven images from exeDir + "skin\\" and the
    // layout from exeDir + "Composite.ini", once for the run.
    explicit CSetCongfig(const std::wstring& exeDir);
    ~CSetCongfig() override;

    // Multimedia item name -> key code; filled by the main window's start-up.
    MediaKeyNames mediaKeyNames;

    // Runs the dialog modally (see win::Dialog::DoModal), serving the
    // keyboard hooks between the steps of its opening.
    INT_PTR DoModal();

    // Closes the open dialog as Cancel does; nothing when it is not open.
    void CancelIfOpen();

    HBITMAP Image(DialogImage which) const { return images_[static_cast<int>(which)].Get(); }
    const DialogLayout& Layout() const { return layout_; }

    void OnOK() override;
    void OnCancel() override;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(bool save) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    void RegisterCommands();
    void BindControls();
    void AddComboStrings();
    void ApplyLayout();
    // The opening's mode: ShowMode, then what the opening shows of the key.
    void PresentOpeningMode();
    // The mode in force on screen: its tab latched, its control shown, the
    // macro controls with the macro modes, the capture hook in for the
    // single key only.
    void ShowMode();
    // A mode command: the recording ended, the new mode set and shown.
    void SwitchMode(EditMode mode);
    void ShapeAndCentre();
    // The background image of the mode in force, the button-face colour
    // where there is none.
    void PaintFace(HDC dc) override;
    void RepaintBackground() const;
    void ReleaseButtonFaces();
    void ShowMacroControls(bool show);
    void LatchModeTab();
    void OnCaptureKey(const HookKeyEvent& event);
    void SelectFromName(const win::ComboBox& combo);

    void OnSingleKey();
    void OnMacroMode();
    void OnMultimedia();
    void OnFunctionKey();
    void OnClear();
    void OnOsk();

    CBitButtton& ButtonOf(DialogEntry entry);

    // Entries 1..18 except 5; index = entry - 1 (index 4 stays unbound).
    std::array<CBitButtton, 18> buttons_;
    // Entries 6..9: the tab of editMode, and only it, is latched.
    ModeTabs modeTabs_{{&buttons_[5], &buttons_[6], &buttons_[7], &buttons_[8]}};
    // CapturedKey: what OK assigns in single-key mode. Set at each opening
    // and by a key pressed while the Single key tab is in force.
    int capturedKey_ = 0;
    win::ComboBox functionCombo_, mediaCombo_, macroCombo_;
    win::Edit keyNameEdit_;
    DialogLayout layout_{};
    win::UniqueFont keyNameFont_, comboFont_;
    std::wstring keyNameText;
    std::array<win::UniqueBitmap, static_cast<int>(DialogImage::Count)> images_;
    MacroEditor macroEditor_; // the combo 1130, the list 1131 and their buttons
    HookPumpDuringCreation* creationPump_ = nullptr; // set while DoModal creates the dialog
};

} // namespace orvane
