// Keeps the low-level keyboard hooks served while the GUI thread does a long
// piece of work. Both hooks of the program run on the GUI thread, and the
// system calls a low-level hook only when that thread looks at its queue: a
// key pressed anywhere in the system waits until then. Opening the
// assignment dialog (creating thirty controls, cutting faces, shaping the
// window) takes tens of milliseconds under Wine; it calls RunPendingHookCalls
// between its steps so that no key waits longer than one step.
#pragma once

#include <windows.h>

#include "win/Handles.h"

namespace orvane {

// Runs the hook calls (and other sent messages) waiting for this thread;
// leaves posted messages and input in the queue.
inline void RunPendingHookCalls() {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

// While it lives, every window created on this thread (a dialog's controls,
// one by one) first runs the pending hook calls. A thread CBT hook.
class HookPumpDuringCreation {
  public:
    HookPumpDuringCreation()
        : hook_(SetWindowsHookExW(WH_CBT, &Proc, nullptr, GetCurrentThreadId())) {}
    void Stop() { hook_.Reset(); }

  private:
    static LRESULT CALLBACK Proc(int code, WPARAM wp, LPARAM lp) {
        if (code == HCBT_CREATEWND)
            RunPendingHookCalls();
        return CallNextHookEx(nullptr, code, wp, lp);
    }
    win::UniqueHook hook_;
};

} // namespace orvane
