// Small layouts and helpers shared by the storage and layout tests.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

#include "layout/Layout.h"
#include "engine/KeyModel.h"

namespace orvane::fixture {

// A layout of 132 cells: key cell i (0-based) has key code 10 + i and the
// name "K<code>"; cells 104..121 carry the media names "M<code>"; command
// cells are named "C<n>".
inline KeyButtons TestButtons() {
    KeyButtons b;
    for (int i = 0; i < kCellCount; ++i) {
        if (i < kKeyCellCount) {
            b[i].keyCode = 10 + i;
            b[i].name = (i + 1 >= kFirstMediaCell ? L"M" : L"K") + std::to_wstring(b[i].keyCode);
        } else {
            b[i].name = L"C" + std::to_wstring(i + 1);
        }
        b[i].x = 40 * (i % 20);
        b[i].y = 40 * (i / 20);
        b[i].width = b[i].height = 38;
    }
    return b;
}

inline MediaKeyNames TestMediaNames(const KeyButtons& b) {
    MediaKeyNames names;
    for (int n = kFirstMediaCell; n <= kLastKeyCell; ++n) {
        names.try_emplace(b[n - 1].name, b[n - 1].keyCode);
    }
    return names;
}

inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace orvane::fixture
