// The key remapping engine on Win32: the four key maps and the flags the hook
// reads, the OutputQueue with its QueueMutex, the low-level keyboard hook that
// remaps (RemapHook) and the injector thread that synthesises its output.
//
// One RemapEngine per process at a time: the hook procedure finds it through
// a static pointer. Construct and use it on the GUI thread; the hook runs on
// the thread that installed it, through that thread's message loop.
#pragma once

#include <windows.h>

#include "engine/HookLifetime.h"
#include "engine/Injector.h"
#include "engine/KeyModel.h"
#include "engine/PacingTimer.w32.h"
#include "engine/RemapDecision.h"
#include "win/Handles.h"

namespace orvane {

class RemapEngine {
  public:
    // Seeds the four maps with identity 1..254, creates QueueMutex and the
    // injector's wake-up event and starts the injector thread. If a handle
    // cannot be created the engine is not Ready: it never installs the hook.
    explicit RemapEngine(PacingKind pacing = PacingKind::Best);
    // Removes the hook if installed, then stops and joins the injector thread
    // before QueueMutex and the queue go.
    ~RemapEngine();
    RemapEngine(const RemapEngine&) = delete;
    RemapEngine& operator=(const RemapEngine&) = delete;

    // Whether the engine can remap: its handles exist and the injector runs.
    bool Ready() const { return ready_; }

    // The named operations through which the GUI reaches the hook's state.
    // The engine keeps its own copy of the maps: nothing outside it holds a
    // reference to what the hook reads. Each change is whole: a hook call
    // sees the maps before or after it, and a held key's release still plays
    // the sequence of its press.

    // The profile maps and ActiveProfile of the model replace the engine's.
    void ReplaceMaps(const ProfileMaps& model);
    // Profile p (may be outside 1..3: then nothing is remapped) is in force.
    void PutProfileInForce(int p);
    // RemapSuspended: while suspended the hook passes everything and goes
    // after its next event once no swallowed key is held; Resume clears the
    // flag (it installs nothing).
    void Suspend() { maps_.remapSuspended = 1; }
    void Resume() { maps_.remapSuspended = 0; }
    // The game keyboard is there (true) or gone (false), as the device
    // notifications and the start-up check find it. Present: the hook is
    // installed and RemapSuspended is 0. Gone: RemapSuspended is 1 and the
    // hook goes as RemoveRemapHook says, so a key held across the unplug
    // still ends with its own output.
    void KeyboardPresent(bool present);

    // What the GUI reads back.
    int ProfileInForce() const { return maps_.activeProfile; }
    bool Suspended() const { return maps_.remapSuspended != 0; }
    // The engine's map of profile p (1..3), or nullptr.
    const ProfileKeyMap* ProfileMap(int p) const { return maps_.ProfileMap(p); }

    // Installs RemapHook for the whole desktop. While one is installed this
    // installs no second one; a hook waiting to go (see RemoveRemapHook) is
    // re-armed. Does nothing when the engine is not Ready.
    void InstallRemapHook();
    // Removes the hook. While a key whose press it swallowed is held, the
    // hook stays in place and passes every other event until that key's
    // release has queued its output, then goes. A hook that cannot be
    // removed passes everything and tries again after its next event.
    void RemoveRemapHook();
    bool HookInstalled() const { return static_cast<bool>(hook_); }

    // Whether the injector pauses on the high-resolution timer.
    bool HighResolutionPacing() const { return pacing_.HighResolution(); }

  private:
    static LRESULT CALLBACK RemapHook(int code, WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyEvent(int code, WPARAM wParam, KBDLLHOOKSTRUCT& event);
    void QueueOutput(const KeySequence& sequence);
    void Unhook();
    InjectorIo MakeInjectorIo();

    KeyMaps maps_;
    HookLifetime lifetime_;
    OutputQueue queue_;                   // shared with the injector under queueMutex_
    win::UniqueHandleObject queueMutex_;  // QueueMutex; closed after the injector has joined
    win::UniqueHandleObject outputReady_; // auto-reset: output queued, or stop requested
    PacingTimer pacing_;                  // the injector's 1 ms pause
    win::UniqueHook hook_;                // RemapHookHandle
    bool ready_ = false;
    Injector injector_; // declared last: stopped first
};

} // namespace orvane
