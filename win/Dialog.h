// A dialog run modally from a template resource (DialogBoxParamW), bound to
// its object from the first message on: a thread-local CBT hook binds the
// dialog window as it is created, so the object sees WM_NCCREATE, WM_CREATE
// and WM_INITDIALOG like any other message. The dialog's own DLGPROC answers
// FALSE to everything; the handling lives in WindowProc / OnMessage, and
// Default() is the system dialog procedure.
//
// Commands and notifications of the dialog's controls can be routed by
// control id to small handlers, registered once (in the constructor or in
// OnInitDialog):
//
//   OnCommand(IDC_CLEAR, &CSetCongfig::OnClear);            // a click
//   OnCommand(IDC_NAME, CBN_SELCHANGE, &CSetCongfig::OnNameChosen);
//   OnNotify(IDC_EVENTS, NM_CLICK, &CSetCongfig::OnEventClick);
//
// A routed message is handled before OnMessage sees it; the rest falls
// through to OnMessage and Default().
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <type_traits>
#include <utility>

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

    // The default OK stores the controls into the members
    // (UpdateData(true)) and ends with IDOK; the default Cancel ends with
    // IDCANCEL and stores nothing.
    virtual void OnOK();
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    // A control of the open dialog (null when the dialog is closed or has no
    // such control).
    HWND Item(int id) const { return ::GetDlgItem(Hwnd(), id); }

    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR&)>;

    // Routes WM_COMMAND from control (or menu item) `id` with notification
    // `code` to `handler`, replacing an earlier registration of the pair.
    // A BN_CLICKED registration also takes BN_DOUBLECLICKED from a button
    // (a fast second click on an owner-drawn button arrives as a double
    // click) and the command of a menu item or accelerator with this id.
    void OnCommand(int id, UINT code, CommandHandler handler);
    void OnCommand(int id, CommandHandler handler) {
        OnCommand(id, BN_CLICKED, std::move(handler));
    }
    template <typename D> void OnCommand(int id, UINT code, void (D::*handler)()) {
        static_assert(std::is_base_of_v<Dialog, D>);
        OnCommand(id, code, [this, handler] { (static_cast<D*>(this)->*handler)(); });
    }
    template <typename D> void OnCommand(int id, void (D::*handler)()) {
        OnCommand(id, BN_CLICKED, handler);
    }

    // Routes WM_NOTIFY from control `id` (NMHDR idFrom) with `code` to
    // `handler`; its result is the message's result (0 for a handler that
    // returns nothing).
    void OnNotify(int id, UINT code, NotifyHandler handler);
    template <typename D, typename R> void OnNotify(int id, UINT code, R (D::*handler)(NMHDR&)) {
        static_assert(std::is_base_of_v<Dialog, D>);
        OnNotify(id, code, [this, handler](NMHDR& header) -> LRESULT {
            if constexpr (std::is_void_v<R>) {
                (static_cast<D*>(this)->*handler)(header);
                return 0;
            } else {
                return static_cast<LRESULT>((static_cast<D*>(this)->*handler)(header));
            }
        });
    }

    // Runs the routed handlers, then the usual routing.
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

  protected:
    // Runs DoDataExchange(false); answers TRUE so the system sets the focus.
    virtual BOOL OnInitDialog();
    // Moves data between controls and members (bind controls here, e.g.
    // SubclassDlgItem for owner-drawn buttons). save: controls -> members.
    virtual void DoDataExchange(bool /*save*/) {}
    void UpdateData(bool save) { DoDataExchange(save); }

    // Data exchange of a text control: save copies the control's text into
    // `value`, otherwise `value` becomes the control's text. A missing
    // control leaves `value` as it is.
    void ExchangeText(bool save, int id, std::wstring& value);

    // Routes WM_INITDIALOG and the IDOK / IDCANCEL commands. Derived
    // classes handle their messages first and call this for the rest.
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

    // Adds and removes window styles (GWL_STYLE), without SetWindowPos.
    void ModifyStyle(DWORD remove, DWORD add);

  private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp);
    // The registered handler that takes this WM_COMMAND, or null.
    const CommandHandler* FindCommand(WPARAM wp, LPARAM lp) const;

    UINT templateId_ = 0;
    const DLGTEMPLATE* template_ = nullptr;
    HWND parent_;
    std::map<std::pair<int, UINT>, CommandHandler> commands_;
    std::map<std::pair<UINT_PTR, UINT>, NotifyHandler> notifies_;
};

// The module that holds the resources (the exe).
HINSTANCE ResourceInstance();

} // namespace win
