#include "assign/KeyCapture.h"

namespace orvane {

int KeyNameParam(unsigned scanCode, unsigned flags) {
    unsigned param = (scanCode << 16) + (flags << 24);
    if (param == 0x1360000u)
        param = 0x360000u;
    return static_cast<int>(param);
}

namespace {

struct KeypadTwin {
    int navigation;
    int keypad;
};

constexpr KeypadTwin kKeypadTwins[] = {
    {33, 105}, {34, 99},  {35, 97}, {36, 103}, {37, 100},
    {38, 104}, {39, 102}, {40, 98}, {45, 96},  {46, 110},
};

} // namespace

int NormaliseKeyCode(int vkCode, unsigned flags) {
    const unsigned f = flags & ~static_cast<unsigned>(kHookFlagUp);
    if (vkCode == 13)
        return f == kHookFlagExtended ? 108 : 13;
    if (f == 0) {
        for (const KeypadTwin& t : kKeypadTwins)
            if (t.navigation == vkCode)
                return t.keypad;
    }
    return vkCode;
}

} // namespace orvane
