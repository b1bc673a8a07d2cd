// How an OutputQueue element becomes one synthetic key event. Portable: the
// injector's Win32 output turns a KeyOutput into keybd_event arguments.
//
// Element layout: bits 0..14 the key code, bit 15 (kReleaseBit) a release,
// bit 16 (kKeypadOriginBit) a navigation code that stands for a keypad key.
#pragma once

#include <optional>

namespace orvane {

struct KeyOutput {
    int vk = 0;
    bool keyUp = false;
    bool extended = false; // KEYEVENTF_EXTENDEDKEY

    bool operator==(const KeyOutput&) const = default;
};

// Whether a virtual key is one of the keys that carry the E0 scan prefix and
// so need KEYEVENTF_EXTENDEDKEY. Decided from a fixed table rather than from
// MapVirtualKeyW, which answers differently on Wine and Windows.
bool IsExtendedKey(int vk);

// The event for one element, or nothing for an element to drop: the press of
// code 0, and codes above 255 (no virtual key; keybd_event would truncate
// them to another key). 0x8000 is the release of code 0. The keypad Enter
// (108) goes out as VK_RETURN with the extended flag, which is what that key
// sends; a keypad-origin navigation code goes out without it.
std::optional<KeyOutput> DecodeQueueElement(int element);

} // namespace orvane
