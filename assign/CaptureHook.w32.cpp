#include "assign/CaptureHook.w32.h"

#include "assign/MacroLibrary.h"
#include "res/resource.h"
#include "win/Handles.h"

namespace orvane {

namespace {

win::UniqueHook& HookHandle() {
    static win::UniqueHook handle;
    return handle;
}

LRESULT CALLBACK CaptureHookProc(int code, WPARAM wp, LPARAM lp) {
    CaptureHookState& s = CaptureState();
    auto* event = reinterpret_cast<KBDLLHOOKSTRUCT*>(lp);
    const bool recording = s.mode == 1 || s.mode == 4;
    switch (wp) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        s.capturedKey =
            RecorderVkCode(static_cast<int>(event->vkCode), static_cast<int>(event->flags));
        if (s.mode == 0) {
            wchar_t name[256] = {};
            GetKeyNameTextW(RecorderKeyNameParam(static_cast<int>(event->scanCode),
                                                 static_cast<int>(event->flags)),
                            name, 256);
            SetDlgItemTextW(s.dialog, IDC_KEY_NAME, name);
        } else if (recording) {
            SendMessageW(s.dialog, kRecordKeyMessage, wp, lp);
        }
        return 1;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (recording)
            SendMessageW(s.dialog, kRecordKeyMessage, wp, lp);
        return 1;
    default:
        return CallNextHookEx(HookHandle().Get(), code, wp, lp);
    }
}

} // namespace

CaptureHookState& CaptureState() {
    static CaptureHookState state;
    return state;
}

void InstallCaptureHook(HWND dialog) {
    CaptureState().dialog = dialog;
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
