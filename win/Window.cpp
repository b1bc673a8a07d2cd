#include "win/Window.h"

#include <utility>

namespace win {

Window::~Window() {
    // A bound window outliving its object would call into freed memory.
    if (hwnd_)
        Detach();
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &StaticWndProc)
        return nullptr;
    return reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

bool Window::SubclassWindow(HWND hwnd) {
    if (!hwnd || hwnd_ || FromHandle(hwnd))
        return false;
    hwnd_ = hwnd;
    PreSubclassWindow();
    Attach(hwnd);
    return true;
}

void Window::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    superProc_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
}

void Window::Detach() {
    if (FromHandle(hwnd_) == this) {
        ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
        ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    }
    hwnd_ = nullptr;
}

LRESULT Window::Default() {
    return ::CallWindowProcW(superProc_, hwnd_, current_.msg, current_.wp, current_.lp);
}

LRESULT Window::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_DRAWITEM && wp != 0) {
        // Reflect to the owner-drawn control, as its class draws itself.
        auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (Window* control = FromHandle(item->hwndItem)) {
            control->DrawItem(*item);
            return TRUE;
        }
    }
    LRESULT result = 0;
    if (OnMessage(msg, wp, lp, result))
        return result;
    return Default();
}

LRESULT CALLBACK Window::StaticWndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(hwnd, msg, wp, lp);
    // Nested messages (SendMessage from a handler) keep their own record.
    CurrentMessage saved = std::exchange(self->current_, CurrentMessage{msg, wp, lp});
    LRESULT result = self->WindowProc(msg, wp, lp);
    self->current_ = saved;
    if (msg == WM_NCDESTROY) {
        self->Detach();
        self->PostNcDestroy();
    }
    return result;
}

} // namespace win
