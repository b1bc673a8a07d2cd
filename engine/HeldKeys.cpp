#include "engine/HeldKeys.h"

namespace orvane {

const KeySequence HeldKeys::kPassed;

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
            keys_[vk] = &pinned_[vk];
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
        if (Swallowed(keys_[vk]) && !Pinned(vk)) {
            pinned_[vk] = *keys_[vk];
            keys_[vk] = &pinned_[vk];
        }
    }
}

void HeldKeys::Clear() {
    keys_.fill(nullptr);
    swallowed_ = 0;
}

} // namespace orvane
