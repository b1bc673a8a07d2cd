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
    HeldVerdict Verdict(int vk) const {
        const KeySequence* e = keys_[vk];
        return e == nullptr    ? HeldVerdict::None
               : e == &kPassed ? HeldVerdict::Passed
                               : HeldVerdict::Swallowed;
    }
    // The sequence a swallowed key's release queues; nullptr for any other.
    const KeySequence* Output(int vk) const {
        const KeySequence* e = keys_[vk];
        return e == &kPassed ? nullptr : e;
    }
    // Output(vk), and the key is forgotten. The sequence stays valid until
    // the next Pin.
    const KeySequence* TakeOutput(int vk) {
        const KeySequence* out = Output(vk);
        swallowed_ -= out != nullptr;
        keys_[vk] = nullptr;
        return out;
    }
    // Number of keys whose press was swallowed and whose release is pending.
    int SwallowedCount() const { return swallowed_; }

    void Pass(int vk) { Set(vk, &kPassed); }
    // sequence must stay valid and unchanged until Pin() or the key's
    // release; it must not be null.
    void Swallow(int vk, const KeySequence* sequence) { Set(vk, sequence); }
    void Forget(int vk) { Set(vk, nullptr); }

    // Copies every held sequence that still points into a map into this
    // object. Call before any profile map is changed or destroyed.
    void Pin();

    // Forgets every key: the hook has gone and can no longer follow them.
    void Clear();

  private:
    void Set(int vk, const KeySequence* e) {
        swallowed_ += Swallowed(e) - Swallowed(keys_[vk]);
        keys_[vk] = e;
    }
    static bool Swallowed(const KeySequence* e) { return e != nullptr && e != &kPassed; }
    bool Pinned(int vk) const { return keys_[vk] == &pinned_[vk]; }

    // The mark of a passed press; its address is never a sequence of a map.
    static const KeySequence kPassed;

    // Per key: nullptr (none), &kPassed, or the sequence of a swallowed press
    // (in a map, or pinned_[vk] once pinned).
    std::array<const KeySequence*, kKeyCount> keys_{};
    // A pinned copy per key; its capacity is kept for the next pin.
    std::array<KeySequence, kKeyCount> pinned_{};
    int swallowed_ = 0;
};

} // namespace orvane
