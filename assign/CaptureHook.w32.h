// The assignment dialog's capture hook: a process-wide low-level keyboard
// hook that swallows every key event of the system while it is installed and
// hands each one to the open dialog.
//
// Process-wide state, owned by the GUI thread (the system calls a low-level
// hook on the thread that installed it, through its message loop): the hook
// handle and the dialog window the hook reports to. The hook is removed by
// RemoveCaptureHook and, at the latest, when the process ends (the handle is
// an RAII owner).
//
// The hook decides nothing: it posts every key-down and key-up to the dialog
// as kCaptureKeyMessage (wParam = the hook's message, lParam = a copy of the
// event's fields, assign/CaptureEvent.h) and swallows it. The dialog, which
// knows its mode, makes the key the capture target (Single key tab in force)
// or a recorded event (recording) or ignores it. Anything else passes.
#pragma once

#include <windows.h>

namespace orvane {

// Posted by the hook to the dialog for every key event.
constexpr UINT kCaptureKeyMessage = WM_USER + 102;

// Installs the hook reporting to `dialog` when it is not installed;
// otherwise only the dialog it reports to is updated. A failed installation
// is not reported: nothing is captured then.
void InstallCaptureHook(HWND dialog);
// Removes the hook when it is installed.
void RemoveCaptureHook();
bool IsCaptureHookInstalled();

} // namespace orvane
