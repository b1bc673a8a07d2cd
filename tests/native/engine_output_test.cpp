// Queue elements as the injector synthesises them.
#include <gtest/gtest.h>

#include "engine_script.h"

namespace orvane {
namespace {

std::string Decoded(int element) {
    const auto k = DecodeQueueElement(element);
    return k ? test::FormatOutput(*k) : "drop";
}

TEST(KeyOutput, DecodeQueueElement) {
    const struct {
        int element;
        const char* out;
    } cases[] = {
        {65, "dn:65"},
        {65 | kReleaseBit, "up:65"},
        {0, "drop"},
        {kReleaseBit, "up:0"},
        {kKeypadEnter, "dn:13x"}, // the keypad Enter's own output
        {kKeypadEnter | kReleaseBit, "up:13x"},
        {13, "dn:13"},
        {37, "dn:37x"},
        {37 | kKeypadOriginBit, "dn:37"}, // the keypad 4 with NumLock off
        {46 | kKeypadOriginBit | kReleaseBit, "up:46"},
        {163, "dn:163x"},
        {162, "dn:162"},
        {179 | kReleaseBit, "up:179x"},
        {255, "dn:255"},
        {256, "drop"},
        {kCodeMask | kReleaseBit, "drop"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Decoded(c.element), c.out) << c.element;
    }
}

TEST(KeyOutput, ExtendedKeyTable) {
    std::string extended;
    for (int vk = 0; vk < 256; ++vk) {
        if (IsExtendedKey(vk)) {
            extended += std::to_string(vk) + " ";
        }
    }
    EXPECT_EQ(extended, "33 34 35 36 37 38 39 40 45 46 91 92 93 111 144 163 165 166 167 168 "
                        "169 170 171 172 173 174 175 176 177 178 179 180 181 182 183 ");
}

} // namespace
} // namespace orvane
