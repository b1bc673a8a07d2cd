// A dialog run modally from a template resource (DialogBoxParamW), bound to
// its object from the first message on: a thread-local CBT hook binds the
// dialog window as it is created, so the object sees WM_NCCREATE, WM_CREATE
// and WM_INITDIALOG like any other message. The dialog's own DLGPROC answers
// FALSE to everything; the handling lives in WindowProc / OnMessage, and
// Default() is the system dialog procedure.
#pragma once

#include <windows.h>

#include "win/Window.h"

namespace win {

class Dialog : public Window {
  public:
    Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}
    // A template built in memory (tests, generated dialogs); the caller keeps
    // it alive while the dialog runs.
    Dialog(const DLGTEMPLATE* dialogTemplate, HWND parent)
        : template_(dialogTemplate), parent_(parent) {}

    // Runs the dialog until EndDialog; answers its result, or -1 when the
    // dialog could not be created. The object may be run again afterwards.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result) { ::EndDialog(Hwnd(), result); }

    bool IsOpen() const { return Hwnd() != nullptr; }
    void SetParent(HWND parent) { parent_ = parent; }

    // The default OK / Cancel: end the dialog with IDOK / IDCANCEL.
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

  protected:
    // Runs DoDataExchange(false); answers TRUE so the system sets the focus.
    virtual BOOL OnInitDialog();
    // Moves data between controls and members (bind controls here, e.g.
    // SubclassDlgItem for owner-drawn buttons). save: controls -> members.
    virtual void DoDataExchange(bool /*save*/) {}
    void UpdateData(bool save) { DoDataExchange(save); }

    // Routes WM_INITDIALOG and the IDOK / IDCANCEL commands. Derived
    // classes handle their messages first and call this for the rest.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    // Adds and removes window styles (GWL_STYLE), without SetWindowPos.
    void ModifyStyle(DWORD remove, DWORD add);

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp);

    UINT templateId_ = 0;
    const DLGTEMPLATE* template_ = nullptr;
    HWND parent_;
};

// The module that holds the resources (the exe).
HINSTANCE ResourceInstance();

} // namespace win
