#include <gtest/gtest.h>

#include <cwctype>

#include "device/HidPath.h"

namespace orvane {
namespace {

struct PathCase {
    const wchar_t* path;
    const wchar_t* name;
    int expected;
};

TEST(HidPath, ReadPathIdCases) {
    const PathCase cases[] = {
        {L"\\\\?\\hid#vid_1a2c&pid_0002&mi_01#7&1c2b&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}",
         L"vid", 0x1A2C},
        // Upper case as Windows reports it: lowered before the search.
        {L"\\\\?\\HID#VID_1A2C&PID_0002&MI_00#7&1C2B&0&0000#{4D1E55B2-F16F-11CF-88CB-001111000030}",
         L"vid", 0x1A2C},
        {L"\\\\?\\HID#VID_1A2C&PID_BEEF&MI_00#x", L"pid", 0xBEEF},
        {L"\\\\?\\HID#VID_046D&PID_C31C&MI_00#x", L"vid", 0x046D},
        // Ended by '#' instead of '&': the hex pairs stop at the '#'.
        {L"\\\\?\\HID#VID_1A2C#x", L"vid", 0x1A2C},
        // Any separator character is skipped.
        {L"\\\\?\\HID#VID-1A2C&PID_0001", L"vid", 0x1A2C},
        // Fewer than four hex digits: one byte only -> no identifier.
        {L"\\\\?\\HID#VID_1A2&PID_0002", L"vid", -1},
        {L"\\\\?\\HID#VID_&PID_0002", L"vid", -1},
        {L"\\\\?\\HID#VID_ZZ2C&PID_0002", L"vid", -1},
        // No field at all, or the path ends right after the name.
        {L"\\\\?\\HID#PID_0002&MI_00", L"vid", -1},
        {L"vid", L"vid", -1},
        {L"vid_", L"vid", -1},
        {L"", L"vid", -1},
        // The first occurrence counts, even inside another word.
        {L"\\\\?\\HID#XVID_0001&VID_1A2C", L"vid", 0x0001},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(ReadPathId(c.path, c.name), c.expected)
            << "path " << testing::PrintToString(std::wstring(c.path));
    }
}

struct HexCase {
    const wchar_t* text;
    std::vector<std::uint8_t> bytes;
};

TEST(HidPath, HexPairsToBytesCases) {
    const HexCase cases[] = {
        {L"", {}},
        {L"1a2c", {0x1A, 0x2C}},
        {L"1A2C", {0x1A, 0x2C}},
        {L"00ff7F", {0x00, 0xFF, 0x7F}},
        {L"1a2", {0x1A}},    // odd last character ignored
        {L"1ag2c0", {0x1A}}, // stops at the first bad pair
        {L"g1a2", {}},
        {L"1a 2c", {0x1A}},
        // Reduced to the low 8 bits: U+0131 reads as '1', U+0141 as 'A'.
        {L"\x0131\x0141", {0x1A}},
    };
    for (const HexCase& c : cases) {
        std::vector<std::uint8_t> out = {0x99}; // existing content is kept
        size_t n = HexPairsToBytes(c.text, out);
        std::vector<std::uint8_t> expected = {0x99};
        expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
        EXPECT_EQ(n, c.bytes.size()) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(out, expected) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(HidPath, HexDigitValue) {
    const std::wstring digits = L"0123456789abcdef";
    for (size_t i = 0; i < digits.size(); ++i) {
        EXPECT_EQ(HexDigitValue(digits[i]), static_cast<int>(i));
        EXPECT_EQ(HexDigitValue(static_cast<wchar_t>(towupper(digits[i]))), static_cast<int>(i));
    }
    for (wchar_t c : std::wstring(L"gG/:@`_& \x0130\xFF10"))
        EXPECT_EQ(HexDigitValue(c), 16) << static_cast<int>(c);
}

} // namespace
} // namespace orvane
