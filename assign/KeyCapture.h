// What the assignment dialog's capture hook makes of one key event: the
// parameter that names the key (for GetKeyNameTextW) and the key code it
// captures or records.
//
// Portable: no Windows headers. `flags` are the low-level hook's flags
// (bit 0 extended, bit 5 Alt, bit 7 key up).
#pragma once

namespace orvane {

constexpr int kHookFlagExtended = 0x01;
constexpr int kHookFlagUp = 0x80;

// scanCode << 16 plus flags << 24. Right Shift reports the extended flag,
// which would name it like the left one's extended twin; its name parameter
// drops that flag (0x1360000 -> 0x360000).
int KeyNameParam(unsigned scanCode, unsigned flags);

// The captured code of a key event. The flags are compared whole (apart
// from the key-up bit), so with Alt held no translation applies:
//  - Enter with the extended flag alone is the keypad Enter, 108;
//  - the navigation codes without any flag come from the numeric keypad
//    with NumLock off and become the keypad codes (33 -> 105, ..., 46 -> 110).
// Every other event keeps its code.
int NormaliseKeyCode(int vkCode, unsigned flags);

} // namespace orvane
