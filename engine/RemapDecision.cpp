#include "engine/RemapDecision.h"

#include <utility>

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

namespace {

// The press of a key the hook holds no verdict for: decided by the map in
// force (nullptr: none, pass everything).
RemapDecision DecidePress(const ProfileKeyMap* map, HeldKeys& held, int key, int systemVk,
                          KeyDownQuery keyDown) {
    if (map != nullptr) {
        const auto it = map->find(key);
        const bool remapped =
            it != map->end() && !(it->second.size() == 1 && it->second.front() == key);
        if (remapped && !(keyDown != nullptr && keyDown(systemVk))) {
            held.Swallow(key, &it->second);
            return {Verdict::Swallow, nullptr};
        }
    }
    held.Pass(key);
    return {};
}

// Codes outside the table (none come from a real keyboard) are decided by
// the map alone, at press and release, as no memory can follow them.
RemapDecision DecideUntracked(const ProfileKeyMap* map, int key, bool release) {
    const auto it = map != nullptr ? map->find(key) : ProfileKeyMap::const_iterator{};
    if (map == nullptr || it == map->end() ||
        (it->second.size() == 1 && it->second.front() == key)) {
        return {};
    }
    return {Verdict::Swallow, release ? &it->second : nullptr};
}

} // namespace

RemapDecision DecideRemap(KeyMaps& maps, HookMode mode, int& vkCode, unsigned flags,
                          KeyDownQuery keyDown) {
    if ((flags & kFlagInjected) != 0) {
        return {};
    }
    const bool remap = mode == HookMode::Remap && maps.remapSuspended == 0;
    // A profile number from a hand-edited file names no map: remap nothing
    // rather than guess one.
    const ProfileKeyMap* map = remap ? std::as_const(maps).ProfileMap(maps.activeProfile) : nullptr;
    const int systemVk = vkCode;
    int key = vkCode;
    if (vkCode == kVkReturn && (flags == kFlagExtended || flags == (kFlagExtended | kFlagUp))) {
        key = kKeypadEnter;
        if (map != nullptr) {
            vkCode = kKeypadEnter;
        }
    }
    const bool release = (flags & kFlagUp) != 0;
    if (!HeldKeys::Tracked(key)) {
        return DecideUntracked(map, key, release);
    }
    HeldKeys& held = maps.held;
    if (release) {
        const KeySequence* output = held.TakeOutput(key);
        return output != nullptr ? RemapDecision{Verdict::Swallow, output} : RemapDecision{};
    }
    switch (held.Verdict(key)) {
    case HeldVerdict::Swallowed: // auto-repeat: swallowed, nothing queued
        return {Verdict::Swallow, nullptr};
    case HeldVerdict::Passed:
        return {};
    case HeldVerdict::None:
        break;
    }
    return DecidePress(map, held, key, systemVk, keyDown);
}

void AppendKeyOutput(const KeySequence& sequence, int numLockState, OutputQueue& queue) {
    for (int code : sequence) {
        queue.push_back(QueueCode(code, numLockState));
    }
    for (int code : sequence) {
        queue.push_back(QueueCode(code, numLockState) | kReleaseBit);
    }
}

Verdict RemapKeyEvent(KeyMaps& maps, HookMode mode, int& vkCode, unsigned flags, int numLockState,
                      OutputQueue& queue, KeyDownQuery keyDown) {
    const RemapDecision d = DecideRemap(maps, mode, vkCode, flags, keyDown);
    if (d.output != nullptr) {
        AppendKeyOutput(*d.output, numLockState, queue);
    }
    return d.verdict;
}

} // namespace orvane
