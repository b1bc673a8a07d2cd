// The skin's canvas size, derived from the layout. Header-only and free of
// any drawing library so the layout tests can check every cell against the
// same bounds the skin tool draws.
#pragma once

#include <algorithm>

namespace skingen {

// The keyboard body reaches this far past the right-most and bottom-most
// cells; the left and top margins are the cells' own distance from 0.
constexpr int kBodyMarginRight = 48;
constexpr int kBodyMarginBottom = 34;

struct CanvasSize {
    int width = 0, height = 0;
};

// Size of all four skin images for cells with the given extents. A layout
// without cells gets a small fixed canvas rather than an empty image.
inline CanvasSize CanvasFor(int maxRight, int maxBottom) {
    if (maxRight <= 0 || maxBottom <= 0) {
        return {320, 120};
    }
    return {maxRight + kBodyMarginRight, maxBottom + kBodyMarginBottom};
}

// Convenience over any range of cells with x, y, width and height members.
template <class Cells> CanvasSize CanvasForCells(const Cells& cells) {
    int right = 0, bottom = 0;
    for (const auto& c : cells) {
        if (c.width > 0 && c.height > 0) {
            right = std::max(right, c.x + c.width);
            bottom = std::max(bottom, c.y + c.height);
        }
    }
    return CanvasFor(right, bottom);
}

}  // namespace skingen
