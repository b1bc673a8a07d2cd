// The assignment dialog's capture hook: a process-wide low-level keyboard
// hook that swallows every key event of the system while it is installed and
// hands each one to the open dialog.
//
// Process-wide state, all of it owned by the GUI thread (the system calls a
// low-level hook on the thread that installed it, through its message loop):
// the hook handle, CaptureHookMode (the copy of editMode the hook reads),
// CapturedKey and the dialog window the hook reports to. The hook is removed
// by RemoveCaptureHook and, at the latest, when the process ends (the handle
// is an RAII owner).
//
// What the hook does with a key-down in mode 0: CapturedKey = the normalised
// code; the key's name goes into the dialog's key-name box. In modes 1 and 4
// every key-down and key-up is sent to the dialog as kRecordKeyMessage
// (wParam = the hook's message, lParam = its KBDLLHOOKSTRUCT, valid during
// the call). Key events are swallowed in every mode; anything else passes.
#pragma once

#include <windows.h>

namespace orvane {

// Sent by the hook to the dialog in the macro modes; returns 0.
constexpr UINT kRecordKeyMessage = WM_USER + 102;

struct CaptureHookState {
    int mode = 0;        // CaptureHookMode
    int capturedKey = 0; // CapturedKey
    HWND dialog = nullptr;
};

// The process-wide state (GUI thread only).
CaptureHookState& CaptureState();

// Installs the hook reporting to `dialog` when it is not installed;
// otherwise only the dialog it reports to is updated. A failed installation
// is not reported: nothing is captured then.
void InstallCaptureHook(HWND dialog);
// Removes the hook when it is installed.
void RemoveCaptureHook();
bool IsCaptureHookInstalled();

} // namespace orvane
