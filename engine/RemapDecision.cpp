#include "engine/RemapDecision.h"

namespace orvane {

namespace {

constexpr int kVkNumpad0 = 96;
constexpr int kVkNumpad9 = 105;
constexpr int kVkDecimal = 110;
constexpr int kVkDelete = 46;

// Navigation key of VK_NUMPAD0 + i with NumLock off; 0 for the 5 key, which
// has none.
constexpr int kNumpadNavigation[10] = {45, 35, 40, 34, 37, 0, 39, 36, 38, 33};

// Element to queue for one sequence entry: the output code, tagged when it
// stands for a keypad key. A code that does not fit the 15 code bits (a
// hand-edited file) is queued as kCodeMask, which names no key and which the
// injector drops, so it can never pose as a release or as another key.
int QueueCode(int code, int numLockState) {
    const int out = NumLockOutputCode(code, numLockState);
    if (out != code) {
        return out | kKeypadOriginBit;
    }
    return out >= 0 && out <= kCodeMask ? out : kCodeMask;
}

} // namespace

int NumLockOutputCode(int code, int numLockState) {
    if (numLockState == 1) {
        return code;
    }
    if (code >= kVkNumpad0 && code <= kVkNumpad9) {
        const int nav = kNumpadNavigation[code - kVkNumpad0];
        return nav != 0 ? nav : code;
    }
    return code == kVkDecimal ? kVkDelete : code;
}

RemapDecision DecideRemap(const KeyMaps& maps, PassedKeys& passed, int& vkCode, unsigned flags) {
    if (maps.remapSuspended != 0 || (flags & kFlagInjected) != 0) {
        return {};
    }
    // A profile number from a hand-edited file names no map: remap nothing
    // rather than guess one.
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

void AppendKeyOutput(const KeySequence& sequence, int numLockState, OutputQueue& queue) {
    for (int code : sequence) {
        queue.push_back(QueueCode(code, numLockState));
    }
    for (int code : sequence) {
        queue.push_back(QueueCode(code, numLockState) | kReleaseBit);
    }
}

Verdict RemapKeyEvent(const KeyMaps& maps, PassedKeys& passed, int& vkCode, unsigned flags,
                      int numLockState, OutputQueue& queue) {
    const RemapDecision d = DecideRemap(maps, passed, vkCode, flags);
    if (d.output != nullptr) {
        AppendKeyOutput(*d.output, numLockState, queue);
    }
    return d.verdict;
}

} // namespace orvane
