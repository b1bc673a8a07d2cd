// The key remapping engine on Win32: the four key maps and the flags the hook
// reads, the OutputQueue with its QueueMutex, the low-level keyboard hook that
// remaps (RemapHook) and the injector thread that synthesises its output.
//
// One RemapEngine per process at a time: the hook procedure finds it through
// a static pointer. Construct and use it on the GUI thread; the hook runs on
// the thread that installed it, through that thread's message loop.
#pragma once

#include <windows.h>

#include "engine/Injector.h"
#include "engine/KeyModel.h"
#include "engine/RemapDecision.h"

namespace orvane {

class RemapEngine {
  public:
    // Seeds the four maps with identity 1..254, creates QueueMutex and starts
    // the injector thread.
    RemapEngine();
    // Removes the hook if installed, then stops and joins the injector thread
    // before QueueMutex and the queue go.
    ~RemapEngine();
    RemapEngine(const RemapEngine&) = delete;
    RemapEngine& operator=(const RemapEngine&) = delete;

    // The four maps, ActiveProfile and RemapSuspended. GUI thread only.
    KeyMaps& Maps() { return maps_; }

    // Installs RemapHook for the whole desktop. While one is installed this
    // does nothing, so each event is remapped at most once.
    void InstallRemapHook();
    // Removes the hook when installed; the handle is cleared only when
    // UnhookWindowsHookEx succeeds (a suspended hook retries at its next event).
    void RemoveRemapHook();
    bool HookInstalled() const { return hook_ != nullptr; }

  private:
    static LRESULT CALLBACK RemapHook(int code, WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyEvent(int code, WPARAM wParam, KBDLLHOOKSTRUCT& event);

    KeyMaps maps_;
    PassedKeys passed_;    // the hook's memory of presses it passed on
    OutputQueue queue_;    // shared with the injector thread under queueMutex_
    HANDLE queueMutex_;    // QueueMutex; closed after the injector has joined
    HANDLE outputReady_;   // auto-reset event: the hook queued a key's output
    HHOOK hook_ = nullptr; // RemapHookHandle
    Injector injector_;    // declared last: stopped first
};

} // namespace orvane
