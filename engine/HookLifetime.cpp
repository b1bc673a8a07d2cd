#include "engine/HookLifetime.h"

namespace orvane {

HookLifetime::Action HookLifetime::RequestInstall() {
    removalPending_ = false;
    return installed_ ? Action::None : Action::Install;
}

HookLifetime::Action HookLifetime::RequestRemove(const HeldKeys& held) {
    if (!installed_) {
        return Action::None;
    }
    // Pending until Removed: a hook that could not be removed passes
    // everything and tries again after its next event.
    removalPending_ = true;
    return held.SwallowedCount() > 0 ? Action::None : Action::Remove;
}

HookLifetime::Action HookLifetime::AfterEvent(const KeyMaps& maps) const {
    const bool unwanted = removalPending_ || maps.remapSuspended != 0;
    return installed_ && unwanted && maps.held.SwallowedCount() == 0 ? Action::Remove
                                                                     : Action::None;
}

void HookLifetime::Removed(HeldKeys& held) {
    installed_ = false;
    removalPending_ = false;
    held.Clear();
}

} // namespace orvane
