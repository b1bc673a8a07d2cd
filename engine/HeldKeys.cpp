#include "engine/HeldKeys.h"

namespace orvane {

HeldKeys::HeldKeys(const HeldKeys& other) {
    *this = other;
}

HeldKeys& HeldKeys::operator=(const HeldKeys& other) {
    if (this == &other) {
        return *this;
    }
    for (int vk = 0; vk < kKeyCount; ++vk) {
        const KeySequence* output = other.Output(vk);
        keys_[vk] = other.keys_[vk];
        if (output != nullptr) {
            pinned_[vk] = *output;
            keys_[vk] = {HeldVerdict::Swallowed, nullptr, true};
        }
    }
    swallowed_ = other.swallowed_;
    return *this;
}

void HeldKeys::Pin() {
    if (swallowed_ == 0) {
        return;
    }
    for (int vk = 0; vk < kKeyCount; ++vk) {
        Entry& e = keys_[vk];
        if (e.verdict == HeldVerdict::Swallowed && !e.pinned) {
            pinned_[vk] = e.output != nullptr ? *e.output : KeySequence{};
            e = {HeldVerdict::Swallowed, nullptr, true};
        }
    }
}

void HeldKeys::Clear() {
    keys_.fill({});
    swallowed_ = 0;
}

} // namespace orvane
