#include "assign/CaptureHook.w32.h"

#include "assign/CaptureEvent.h"
#include "win/Handles.h"

namespace orvane {

namespace {

win::UniqueHook& HookHandle() {
    static win::UniqueHook handle;
    return handle;
}

HWND& ReportTo() {
    static HWND dialog = nullptr;
    return dialog;
}

LRESULT CALLBACK CaptureHookProc(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION &&
        (wp == WM_KEYDOWN || wp == WM_SYSKEYDOWN || wp == WM_KEYUP || wp == WM_SYSKEYUP)) {
        const auto* k = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lp);
        HookKeyEvent event;
        event.vkCode = static_cast<int>(k->vkCode);
        event.scanCode = static_cast<int>(k->scanCode);
        event.flags = static_cast<int>(k->flags);
        event.time = k->time;
        // Posted, not sent: the hook returns at once, and the dialog reads
        // the copy in its own time.
        PostMessageW(ReportTo(), kCaptureKeyMessage, wp,
                     static_cast<LPARAM>(PackHookKeyEvent(event)));
        return 1;
    }
    return CallNextHookEx(HookHandle().Get(), code, wp, lp);
}

} // namespace

void InstallCaptureHook(HWND dialog) {
    ReportTo() = dialog;
    if (!HookHandle())
        HookHandle().Reset(
            SetWindowsHookExW(WH_KEYBOARD_LL, &CaptureHookProc, GetModuleHandleW(nullptr), 0));
}

void RemoveCaptureHook() {
    HookHandle().Reset();
}

bool IsCaptureHookInstalled() {
    return static_cast<bool>(HookHandle());
}

} // namespace orvane
