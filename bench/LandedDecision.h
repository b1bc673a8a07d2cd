// The hook's decision as it was before presses and releases became one
// decision (a bit per key for passed presses, the release of a swallowed
// press judged by the map in force), kept only to be measured beside the
// current one in the same run.
#pragma once

#include <bitset>

#include "engine/RemapDecision.h"

namespace orvane::landed {

struct PassedKeys {
    std::bitset<256> down;
};

inline RemapDecision DecideRemap(const KeyMaps& maps, PassedKeys& passed, int& vkCode,
                                 unsigned flags) {
    if (maps.remapSuspended != 0 || (flags & kFlagInjected) != 0) {
        return {};
    }
    const ProfileKeyMap* map = maps.ProfileMap(maps.activeProfile);
    if (map != nullptr && vkCode == kVkReturn &&
        (flags == kFlagExtended || flags == (kFlagExtended | kFlagUp))) {
        vkCode = kKeypadEnter;
    }
    const bool release = (flags & kFlagUp) != 0;
    const bool tracked = vkCode >= 0 && vkCode < static_cast<int>(passed.down.size());
    if (release && tracked && passed.down[vkCode]) {
        passed.down[vkCode] = false;
        return {};
    }
    const auto it = map != nullptr ? map->find(vkCode) : ProfileKeyMap::const_iterator{};
    if (map == nullptr || it == map->end() ||
        (it->second.size() == 1 && it->second.front() == vkCode)) {
        if (!release && tracked) {
            passed.down[vkCode] = true;
        }
        return {};
    }
    if (!release) {
        if (tracked) {
            passed.down[vkCode] = false;
        }
        return {Verdict::Swallow, nullptr};
    }
    return {Verdict::Swallow, &it->second};
}

} // namespace orvane::landed
