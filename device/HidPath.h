// Reading identifiers out of HID device interface paths such as
//   \\?\HID#VID_1A2C&PID_0002&MI_00#7&1c2b3a4d&0&0000#{4d1e55b2-...}
// Portable: the presence test and the plug notifications hand their paths
// here.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

// The USB vendor identifier of the VARNOK keyboard; any HID interface of this
// vendor counts as the keyboard.
constexpr int kKeyboardVendorId = 0x1A2C;

// The 16-bit identifier that follows `name` ("vid" or "pid", lower case) in
// the path, case ignored: after the name one separator character, then four
// hex digits ended by "&" (or by any non-hex character). Answers -1 when the
// path has no such field or the field yields fewer than two bytes, so a
// malformed path never matches a vendor.
int ReadPathId(const std::wstring& path, const std::wstring& name);

// Appends one byte per pair of hex digits of `text` to `out`, from the start,
// stopping at the first pair that holds a non-hex character or at an odd last
// character. Each character is reduced to its low 8 bits first. Answers the
// number of bytes appended.
size_t HexPairsToBytes(const std::wstring& text, std::vector<std::uint8_t>& out);

// 0..15 for a hex digit (either case), 16 for anything else.
int HexDigitValue(wchar_t c);

} // namespace orvane
