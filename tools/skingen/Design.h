// The design language every skin picture shares: the palette (gunmetal body,
// near-black deck, one accent colour), the looks a control is drawn in, and
// the rectangle type the drawing code passes around.
#pragma once

#include "Paint.h"

namespace skingen {

constexpr double kPi = 3.14159265358979323846;

constexpr Rgb kRim = Hex(0x15171a);
constexpr Rgb kBodyTop = Hex(0x4a4f57);
constexpr Rgb kBodyBottom = Hex(0x2a2e34);
constexpr Rgb kDeckTop = Hex(0x131518);
constexpr Rgb kDeckBottom = Hex(0x0d0e10);
constexpr Rgb kSkirtTop = Hex(0x353a41);
constexpr Rgb kSkirtBottom = Hex(0x1b1e22);
constexpr Rgb kFaceTop = Hex(0x4d525b);
constexpr Rgb kFaceBottom = Hex(0x3d4148);
constexpr Rgb kFaceDownTop = Hex(0x2b2e34);
constexpr Rgb kFaceDownBottom = Hex(0x30343a);
constexpr Rgb kOutline = Hex(0x08090a);
constexpr Rgb kLegend = Hex(0xd3d8df);
constexpr Rgb kLegendDim = Hex(0x8f96a0);
constexpr Rgb kWhite = Hex(0xffffff);
constexpr Rgb kBlack = Hex(0x000000);
constexpr Rgb kAccent = Hex(0x2cc6ff);

// Disabled is drawn only by the dialog's macro buttons.
enum class Look { Normal, Over, Down, Disabled };

struct Rect {
    double x, y, w, h;
    double cx() const { return x + w / 2; }
    double cy() const { return y + h / 2; }
};

} // namespace skingen
