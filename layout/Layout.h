// The main window's layout: the 132 cells read from Main.ini.
#pragma once

#include <array>
#include <map>
#include <string>

#include "engine/KeyModel.h"

namespace orvane {

struct CellRect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom are outside

    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const CellRect&) const = default;
};

// One cell of the main window (cell number n at index n-1).
struct KeyButton {
    int x = 0, y = 0, width = 0, height = 0;
    std::wstring name;  // the last field of the cell's value
    int keyCode = 0;    // cells 1..121 only
};

using KeyButtons = std::array<KeyButton, kCellCount>;
using HitRects = std::array<CellRect, kCellCount>;

// Multimedia name -> key code, filled from cells 104..121; names compare
// exactly, case included.
using MediaKeyNames = std::map<std::wstring, int>;

// Roles of the cell numbers, fixed by the program.
constexpr int kFirstMediaCell = 104;
constexpr int kLastKeyCell = kKeyCellCount;  // cells 1..121 carry a key code
constexpr int kLastClickableKeyCell = 104;
constexpr int kFirstCommandCell = 122;
constexpr int kProfileCell1 = 128;  // cells 128..130: profiles 1..3

}  // namespace orvane
