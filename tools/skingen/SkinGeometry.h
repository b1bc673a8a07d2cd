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

// Corner radius of the keyboard body's outline. A pixel belongs to the
// window (black in the mask) when its centre lies inside the rounded
// rectangle (0, 0, width, height) with this radius (or half the shorter
// side, for a tiny canvas).
constexpr double kBodyRadius = 22;

inline bool InsideBody(int px, int py, int width, int height) {
    double x = px + 0.5, y = py + 0.5;
    double r = std::min({kBodyRadius, width / 2.0, height / 2.0});
    double cx = std::clamp(x, r, width - r), cy = std::clamp(y, r, height - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

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

} // namespace skingen
