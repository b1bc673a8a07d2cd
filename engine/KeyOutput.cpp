#include "engine/KeyOutput.h"

#include "engine/KeyModel.h"
#include "engine/RemapDecision.h"

namespace orvane {

bool IsExtendedKey(int vk) {
    switch (vk) {
    case 33: // Page Up
    case 34: // Page Down
    case 35: // End
    case 36: // Home
    case 37: // the arrows 37..40
    case 38:
    case 39:
    case 40:
    case 45:  // Insert
    case 46:  // Delete
    case 91:  // left Windows
    case 92:  // right Windows
    case 93:  // Apps
    case 111: // keypad Divide
    case 144: // NumLock
    case 163: // right Ctrl
    case 165: // right Alt
        return true;
    default:
        return vk >= 166 && vk <= 183; // browser, volume, media and launch keys
    }
}

std::optional<KeyOutput> DecodeQueueElement(int element) {
    const int code = element & kCodeMask;
    const bool keyUp = (element & kReleaseBit) != 0;
    if ((code == 0 && !keyUp) || code > 255) {
        return std::nullopt;
    }
    if (code == kKeypadEnter) {
        return KeyOutput{kVkReturn, keyUp, true};
    }
    const bool keypadOrigin = (element & kKeypadOriginBit) != 0;
    return KeyOutput{code, keyUp, !keypadOrigin && IsExtendedKey(code)};
}

} // namespace orvane
