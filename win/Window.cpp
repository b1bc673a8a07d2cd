#include "win/Window.h"

#include <commctrl.h>

#include <utility>

namespace win {

namespace {

// The property that names a window's object, and our link's id in the
// window's subclass chain (one object per window).
constexpr wchar_t kObjectProperty[] = L"Orvane.win.Window";
constexpr UINT_PTR kSubclassId = 1;

} // namespace

Window::~Window() {
    // A bound window outliving its object would call into freed memory.
    if (hwnd_)
        Detach();
}

Window* Window::FromHandle(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    return static_cast<Window*>(::GetPropW(hwnd, kObjectProperty));
}

bool Window::SubclassWindow(HWND hwnd) {
    if (!hwnd || hwnd_ || FromHandle(hwnd))
        return false;
    hwnd_ = hwnd;
    PreSubclassWindow();
    return Attach(hwnd);
}

bool Window::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!::SetPropW(hwnd, kObjectProperty, this) ||
        !::SetWindowSubclass(hwnd, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this))) {
        ::RemovePropW(hwnd, kObjectProperty);
        hwnd_ = nullptr;
        return false;
    }
    return true;
}

void Window::Detach() {
    if (FromHandle(hwnd_) == this) {
        ::RemoveWindowSubclass(hwnd_, &SubclassProc, kSubclassId);
        ::RemovePropW(hwnd_, kObjectProperty);
    }
    hwnd_ = nullptr;
}

LRESULT Window::Default() {
    return ::DefSubclassProc(hwnd_, current_.msg, current_.wp, current_.lp);
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

LRESULT CALLBACK Window::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                      DWORD_PTR ref) {
    auto* self = reinterpret_cast<Window*>(ref);
    if (!self || self->hwnd_ != hwnd)
        return ::DefSubclassProc(hwnd, msg, wp, lp);
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
