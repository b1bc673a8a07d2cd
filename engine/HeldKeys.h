// The remapping hook's memory of the keys it has seen go down: the verdict it
// took at each press, and for a swallowed press the sequence that its release
// will queue. Press and release are one decision, taken at the press, so a
// held key's result never changes under the user's finger, whatever happens
// to the maps, ActiveProfile or the keyboard in between.
//
// GUI thread only, like the maps. The hook path (Verdict, Output, Pass,
// Swallow, Forget) neither allocates nor locks: a swallowed entry points at
// the sequence in the map in force at the press. Pin() is the one operation
// that allocates; whoever is about to change a profile map calls it first
// (KeyMaps::ProfileMap does), and it copies each held sequence into storage
// of this object, so the pointer never dangles and never sees the new value.
#pragma once

#include <array>
#include <cstdint>

#include "engine/KeySequence.h"

namespace orvane {

enum class HeldVerdict : std::uint8_t {
    None,      // not seen going down (or its release already handled)
    Passed,    // its press reached the system; so will its release
    Swallowed, // its press was swallowed; its release queues Output()
};

class HeldKeys {
  public:
    static constexpr int kKeyCount = 256; // virtual-key codes 0..255

    HeldKeys() = default;
    // A copy owns its sequences: every swallowed entry of the copy is pinned.
    HeldKeys(const HeldKeys& other);
    HeldKeys& operator=(const HeldKeys& other);

    static bool Tracked(int vk) { return vk >= 0 && vk < kKeyCount; }

    // vk must be Tracked.
    HeldVerdict Verdict(int vk) const { return keys_[vk].verdict; }
    // The sequence a swallowed key's release queues; nullptr for any other.
    const KeySequence* Output(int vk) const {
        const Entry& e = keys_[vk];
        if (e.verdict != HeldVerdict::Swallowed) {
            return nullptr;
        }
        return e.pinned ? &pinned_[vk] : e.output;
    }
    // Number of keys whose press was swallowed and whose release is pending.
    int SwallowedCount() const { return swallowed_; }

    void Pass(int vk) { Set(vk, {HeldVerdict::Passed, nullptr, false}); }
    // sequence must stay valid and unchanged until Pin() or Forget(vk).
    void Swallow(int vk, const KeySequence* sequence) {
        Set(vk, {HeldVerdict::Swallowed, sequence, false});
    }
    void Forget(int vk) { Set(vk, {}); }

    // Copies every held sequence that still points into a map into this
    // object. Call before any profile map is changed or destroyed.
    void Pin();

    // Forgets every key: the hook has gone and can no longer follow them.
    void Clear();

  private:
    struct Entry {
        HeldVerdict verdict = HeldVerdict::None;
        const KeySequence* output = nullptr; // into a map, until pinned
        bool pinned = false;                 // the sequence is pinned_[vk]
    };

    void Set(int vk, Entry e) {
        swallowed_ +=
            (e.verdict == HeldVerdict::Swallowed) - (keys_[vk].verdict == HeldVerdict::Swallowed);
        keys_[vk] = e;
    }

    std::array<Entry, kKeyCount> keys_{};
    // A pinned copy per key; its capacity is kept for the next pin.
    std::array<KeySequence, kKeyCount> pinned_{};
    int swallowed_ = 0;
};

} // namespace orvane
