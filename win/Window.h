// The message routing shared by dialogs and subclassed controls.
//
// A Window object is bound to an HWND by a subclass in the common controls'
// subclass chain (SetWindowSubclass) and found again through a window
// property. Neither depends on the window procedure in GWLP_WNDPROC, so a
// tooltip or a control that subclasses the window afterwards neither hides
// the object from FromHandle nor gets cut out of the chain when the object
// lets go: RemoveWindowSubclass takes out only our own link.
//
// Each message goes to the virtual WindowProc, which hands it to OnMessage,
// where a derived class unpacks it into typed OnXxx handlers; what no
// handler takes goes to Default(), the next procedure in the chain. The
// binding is undone at WM_NCDESTROY, so no message reaches a destroyed
// object through a stale pointer.
#pragma once

#include <windows.h>

namespace win {

class Window {
  public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Hwnd() const { return hwnd_; }

    // The object bound to hwnd, or nullptr.
    static Window* FromHandle(HWND hwnd);

    // Binds this object to an existing window (a dialog's control, say).
    // Calls PreSubclassWindow first. False if the window is bound already,
    // to this or another object, or the subclass cannot be installed.
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(int id, HWND parent) { return SubclassWindow(::GetDlgItem(parent, id)); }

    // Every message of the bound window. Overrides may look at a message and
    // then call the base (COrvaneDlg relays mouse moves to its tooltip).
    virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);

    // Reflected WM_DRAWITEM for an owner-drawn control.
    virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}

  protected:
    // The message map: return true with result set when handled.
    virtual bool OnMessage(UINT /*msg*/, WPARAM /*wp*/, LPARAM /*lp*/, LRESULT& /*result*/) {
        return false;
    }
    virtual void PreSubclassWindow() {}
    // The window is gone; the object is unbound.
    virtual void PostNcDestroy() {}

    // The next procedure's handling of the message being processed. Only
    // valid while a message of this window is being handled.
    LRESULT Default();

    // Binds the object during window creation (the dialog's CBT hook).
    // False if the subclass cannot be installed; the object stays unbound.
    bool Attach(HWND hwnd);

  private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                         DWORD_PTR self);
    void Detach();

    struct CurrentMessage {
        UINT msg = 0;
        WPARAM wp = 0;
        LPARAM lp = 0;
    };

    HWND hwnd_ = nullptr;
    CurrentMessage current_;
};

} // namespace win
