// The main dialog: owner of the engine (key maps, hook, injector), the
// layout of the 132 cells, the working and stored profiles, the skin, the
// hover tooltip and the tray icon. Lives for the whole run as a local of
// COrvaneApp::InitInstance; everything runs on the GUI thread.
#pragma once

#include <windows.h>

#include <string>

#include "app/ProfileOps.h"
#include "assign/SetCongfig.w32.h"
#include "device/KeyboardPresence.w32.h"
#include "engine/KeyModel.h"
#include "engine/RemapEngine.w32.h"
#include "layout/Layout.h"
#include "mainwnd/MainSkin.w32.h"
#include "skin/SkinnedDialog.w32.h"
#include "tray/TrayIcon.w32.h"

namespace orvane {

class COrvaneDlg : public SkinnedDialog {
  public:
    // Loads the skin, seeds the four key maps, creates QueueMutex and starts
    // the injector thread (the engine's construction).
    explicit COrvaneDlg(HWND parent);
    // Stops the injector (the engine's destruction); the window is gone by
    // then and its destruction has saved the profiles.
    ~COrvaneDlg() override;

    // Relays non-client mouse moves to the tooltip, then routes as usual.
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

    // Enter, Escape and Alt+F4 hide the window like its Close cell; the
    // program ends only through Exit or log-off.
    void OnOK() override;
    void OnCancel() override;

  protected:
    BOOL OnInitDialog() override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    // The keyboard picture: the normal image, the profile buttons and the
    // changed cells.
    void PaintFace(HDC dc) override;

  private:
    LRESULT OnCreate();
    void OnShowWindow();
    void OnDeviceChange(WPARAM event, LPARAM record);
    void OnTrayNotify(WPARAM iconId, LPARAM mouseMessage);
    void OnSysCommand(WPARAM command);
    void OnDestroy();
    void OnEndSession(bool ending);

    void OnOpen();
    void OnAbout();
    void OnExit();
    // Closes, through their Cancel handling, the dialogs this window runs
    // modally (the assignment dialog, an About box).
    void CancelOwnedDialogs();
    // Commits the WorkingProfile into the profile in force and writes all
    // three profiles and [TYPE] to set.ini in one atomic replacement, unless
    // set.ini existed but could not be read at start-up and `overUnread` is
    // false. Answers ERROR_SUCCESS or the system's code of the failure (of
    // the start-up read when that is why nothing was written).
    DWORD SaveProfiles(bool overUnread = false);
    // Exit's save, before the window is destroyed: on failure asks Retry or
    // Cancel until the save succeeds or the user cancels. Either way the
    // window's destruction saves nothing afterwards.
    void SaveForExit();
    // The shell restarted (the registered "TaskbarCreated" message): the
    // icon is added again so a hidden window can always be reached.
    void OnTaskbarCreated();

    // The click dispatcher (OrvaneDlgClick.w32.cpp): a left press anywhere
    // on the window runs the hit cell's command or opens the assignment
    // dialog for a key cell; the caller then lets the default processing
    // start the drag.
    void OnNcLButtonDown(LPARAM screenPoint);
    // The default processing of the press (the caption hit code starts the
    // move loop), while the press is still held. After a prompt, a dialog or
    // the menu the button is up: the move loop would then drag the window
    // with the pointer until the next click, and swallow that click.
    LRESULT DragAfterClick();
    void RunControl(int cell);
    // PaintFace on a client DC, at once.
    void RepaintSkin();
    MainModel Model() { return MainModel{maps_, profiles_, cells_, settingsModified_}; }
    // Hands the model's profile maps and ActiveProfile to the engine, after
    // every change of them, so the hook remaps with what the window shows.
    void PublishMaps() { engine_.ReplaceMaps(maps_); }

    // The assignment dialog runs (OrvaneDlgAssign.w32.cpp): key cell 1..104,
    // and the macro library alone ("Macro..").
    void OpenKeyAssignment(int cell);
    void OpenMacroLibrary();

    // Profile files (OrvaneDlgProfileFile.w32.cpp): commands 32776, 32777.
    void OnExportProfile();
    void OnImportProfile();

    RemapEngine engine_;
    // The model's key maps (the engine keeps its own copy, see PublishMaps).
    ProfileMaps maps_;
    HoverTracker hover_;
    MainSkin skin_;
    KeyButtons cells_{};
    HitRects hitRects_{};
    MediaKeyNames mediaKeyNames_;
    Profiles profiles_;
    TrayIcon tray_;
    DeviceNotification deviceNotification_;
    bool profileFileLoaded_ = false; // set.ini was read (or absent) at start-up
    DWORD profileFileError_ = 0;     // else the system's code of the start-up read
    bool exiting_ = false;           // Exit is running (its save may be asking)
    bool profilesSaved_ = false;     // Exit or log-off settled set.ini: no second save
    UINT taskbarCreated_ = 0;        // the registered "TaskbarCreated" message
    int settingsModified_ = 0;       // SettingsModified
    HICON icon_ = nullptr;           // icon resource 133, shared (never destroyed)
    std::wstring exeDir_;
    // The one assignment dialog of the run, opened modally again and again.
    // Its exchange fields keep their values between runs ("Macro.." sets
    // only editMode and editMacro); FinishKeyEdit applies an OK to the model.
    CSetCongfig setConfig_;
};

} // namespace orvane
