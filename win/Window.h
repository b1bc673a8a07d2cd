// The message routing shared by dialogs and subclassed controls.
//
// A Window object is bound to an HWND by subclassing: the window's procedure
// is replaced by a static one that finds the object (GWLP_USERDATA) and
// forwards to the virtual WindowProc. WindowProc hands the message to
// OnMessage, where a derived class unpacks it into typed OnXxx handlers;
// what no handler takes goes to Default(), the window's original procedure.
// The binding is undone at WM_NCDESTROY, so no message reaches a destroyed
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
    // Calls PreSubclassWindow first. False if the window is bound already.
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

    // The original procedure's handling of the message being processed.
    LRESULT Default();

    // Binds the object during window creation (the dialog's CBT hook).
    void Attach(HWND hwnd);

  private:
    static LRESULT CALLBACK StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void Detach();

    struct CurrentMessage {
        UINT msg = 0;
        WPARAM wp = 0;
        LPARAM lp = 0;
    };

    HWND hwnd_ = nullptr;
    WNDPROC superProc_ = nullptr;
    CurrentMessage current_;
};

} // namespace win
