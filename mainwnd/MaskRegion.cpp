#include "mainwnd/MaskRegion.h"

#include <algorithm>
#include <utility>

namespace orvane {

namespace {

using Runs = std::vector<std::pair<int, int>>; // [left, right) of inside pixels

bool IsWhite(const std::uint8_t* pixel) {
    return pixel[0] == 0xFF && pixel[1] == 0xFF && pixel[2] == 0xFF;
}

// Inside runs of one row: mask pixels [0, maskRight) by colour, the rest of
// the window row [maskRight, windowWidth) inside.
void RowRuns(const std::uint8_t* row, int bytesPerPixel, int maskRight, int windowWidth,
             Runs& runs) {
    runs.clear();
    int x = 0;
    while (x < maskRight) {
        while (x < maskRight && IsWhite(row + std::ptrdiff_t(x) * bytesPerPixel))
            ++x;
        if (x == maskRight)
            break;
        const int left = x;
        while (x < maskRight && !IsWhite(row + std::ptrdiff_t(x) * bytesPerPixel))
            ++x;
        runs.emplace_back(left, x);
    }
    if (maskRight < windowWidth) {
        if (!runs.empty() && runs.back().second == maskRight)
            runs.back().second = windowWidth;
        else
            runs.emplace_back(maskRight, windowWidth);
    }
}

} // namespace

std::vector<RegionRect> MaskRegionRects(const MaskPixels& mask, int windowWidth, int windowHeight) {
    std::vector<RegionRect> rects;
    if (windowWidth <= 0 || windowHeight <= 0)
        return rects;
    const bool readable = mask.bits != nullptr && mask.width > 0 && mask.height > 0 &&
                          (mask.bytesPerPixel == 3 || mask.bytesPerPixel == 4);
    const int maskRight = readable ? std::min(mask.width, windowWidth) : 0;
    const int maskBottom = readable ? std::min(mask.height, windowHeight) : 0;

    Runs previous, current;
    std::size_t bandStart = 0; // first rectangle of the band the last row belongs to
    for (int y = 0; y < windowHeight; ++y) {
        if (y < maskBottom)
            RowRuns(mask.bits + mask.stride * y, mask.bytesPerPixel, maskRight, windowWidth,
                    current);
        else
            current.assign(1, {0, windowWidth});
        if (y > 0 && current == previous) {
            for (std::size_t i = bandStart; i < rects.size(); ++i)
                rects[i].bottom = y + 1;
            continue;
        }
        bandStart = rects.size();
        for (const auto& [left, right] : current)
            rects.push_back({left, y, right, y + 1});
        std::swap(previous, current);
    }
    return rects;
}

} // namespace orvane
