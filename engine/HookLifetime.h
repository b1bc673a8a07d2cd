// When the remapping hook is in place. The GUI thread asks for it (keyboard
// plugged in) or asks it to go (unplugged, Exit); a hook that still holds a
// swallowed key outlives the request to go, in a pass-everything state, until
// that key's release has been handled, because only the hook can turn the
// release into the output the user pressed for. Portable: the Win32 shell
// carries out the Action it is told and reports back.
//
// GUI thread only, like KeyMaps.
#pragma once

#include "engine/KeyModel.h"
#include "engine/RemapDecision.h"

namespace orvane {

class HookLifetime {
  public:
    enum class Action { None, Install, Remove };

    // The keyboard is there: a hook whose removal waits is re-armed (no
    // second hook); without a hook, one must be installed.
    Action RequestInstall();
    // The hook should go: now when no swallowed key is held, else after the
    // last such key's release (AfterEvent says when).
    Action RequestRemove(const HeldKeys& held);
    // After the hook handled an event: whether it should go now. It should
    // when its removal waits or RemapSuspended is set, and no swallowed key
    // is held any more.
    Action AfterEvent(const KeyMaps& maps) const;

    // Outcome reports. Removed forgets every held key: with no hook, their
    // releases can no longer be seen.
    void Installed() { installed_ = true; }
    void Removed(HeldKeys& held);

    bool IsInstalled() const { return installed_; }
    HookMode Mode() const { return removalPending_ ? HookMode::PassEverything : HookMode::Remap; }

  private:
    bool installed_ = false;
    bool removalPending_ = false;
};

} // namespace orvane
