// Turning a mask image into the rectangles of a window region.
//
// Portable: the Win32 side reads the mask's bits (GetDIBits) and hands the
// rectangles to ExtCreateRegion in one call, which is what keeps building the
// main window's outline to a few milliseconds on the GUI thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace orvane {

// A view of a mask's pixels: rows top-down, each pixel B, G, R (and a fourth
// byte that is ignored when bytesPerPixel is 4).
struct MaskPixels {
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // bytes from one row to the next
    int bytesPerPixel = 4;     // 3 or 4
};

struct RegionRect {
    int left = 0, top = 0, right = 0, bottom = 0; // right and bottom are outside

    bool operator==(const RegionRect&) const = default;
};

// The inside of a windowWidth x windowHeight window shaped by `mask`, as
// rectangles: pixel (x, y) is outside exactly when it lies within the mask and
// is RGB(255, 255, 255); near-white is inside, and so is every window pixel
// beyond the mask's right or bottom edge. Each row's maximal runs of inside
// pixels become rectangles; consecutive rows with identical runs share one
// band of rectangles. The result is sorted by top, then left, bands never
// overlap (the banded form regions use), and it is empty when nothing is
// inside. A mask without bits, or of another pixel size, counts as all
// inside.
std::vector<RegionRect> MaskRegionRects(const MaskPixels& mask, int windowWidth, int windowHeight);

// The same, fed one mask row at a time from the top, for callers that read a
// mask in strips. Rows never fed (below the last one) are inside entirely.
class MaskRegionBuilder {
  public:
    // maskWidth: pixels per fed row; those at x >= windowWidth are ignored.
    MaskRegionBuilder(int windowWidth, int windowHeight, int maskWidth);

    // The next row's pixels (B, G, R[, X]); ignored once the window's rows
    // are all done.
    void AddRow(const std::uint8_t* row, int bytesPerPixel);
    int RowsDone() const { return y_; }

    // The rectangles; the builder is spent afterwards.
    std::vector<RegionRect> Finish();

  private:
    using Runs = std::vector<std::pair<int, int>>; // [left, right) of inside pixels
    void AddRuns();

    int windowWidth_, windowHeight_, maskRight_;
    int y_ = 0;
    Runs previous_, current_;
    std::size_t bandStart_ = 0; // first rectangle of the band the last row joined
    std::vector<RegionRect> rects_;
};

} // namespace orvane
