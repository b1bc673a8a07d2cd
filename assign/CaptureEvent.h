// The capture hook's message to the assignment dialog (WM_USER+102) carries
// no pointer: wParam is the hook's key message and lParam a copy of the
// fields the dialog uses, packed into 64 bits. Any process can send that
// number to the dialog, so whatever the two parameters hold unpacks into
// some key event or into nothing; and a copy stays valid however late the
// message is read, from whichever thread it was posted.
//
// lParam: bits 0-7 virtual-key code, 8-23 scan code, 24-31 the LLKHF_ flags,
// 32-63 the event's time.
//
// Portable: no Windows headers.
#pragma once

#include <cstdint>
#include <optional>

#include "assign/MacroLibrary.h"

namespace orvane {

// The key messages of a low-level keyboard hook.
constexpr std::uint64_t kHookKeyDown = 0x0100;    // WM_KEYDOWN
constexpr std::uint64_t kHookKeyUp = 0x0101;      // WM_KEYUP
constexpr std::uint64_t kHookSysKeyDown = 0x0104; // WM_SYSKEYDOWN
constexpr std::uint64_t kHookSysKeyUp = 0x0105;   // WM_SYSKEYUP

// The lParam for a hook event; fields wider than their bits are cut to them
// (a virtual-key code is 1..254, a scan code one byte, the flags one byte).
std::uint64_t PackHookKeyEvent(const HookKeyEvent& event);

// The event a message carries, or nothing when `message` is no key message.
// isDown comes from the message, the rest from `packed`.
std::optional<HookKeyEvent> UnpackHookKeyEvent(std::uint64_t message, std::uint64_t packed);

} // namespace orvane
