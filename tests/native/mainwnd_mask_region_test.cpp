// Mask rows to region rectangles: the rectangles must cover exactly the
// pixels the per-pixel rule keeps (only pure white is outside), in banded
// form, with identical consecutive rows merged.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/MaskRegion.h"

namespace orvane {
namespace {

// A mask image in memory, BGR(X) rows top-down with optional row padding.
struct Mask {
    int width = 0, height = 0, bpp = 4;
    std::ptrdiff_t stride = 0;
    std::vector<std::uint8_t> bits;

    Mask(int w, int h, int bytesPerPixel, int padding = 0)
        : width(w), height(h), bpp(bytesPerPixel),
          stride(std::ptrdiff_t(w) * bytesPerPixel + padding), bits(std::size_t(stride) * h, 0x00) {
        // Padding and the X byte hold white so that a scan past the row shows.
        for (int y = 0; y < h; ++y)
            for (std::ptrdiff_t i = std::ptrdiff_t(w) * bpp; i < stride; ++i)
                bits[y * stride + i] = 0xFF;
    }
    void Set(int x, int y, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        std::uint8_t* p = &bits[y * stride + std::ptrdiff_t(x) * bpp];
        p[0] = b, p[1] = g, p[2] = r;
        if (bpp == 4)
            p[3] = 0xFF;
    }
    bool White(int x, int y) const {
        const std::uint8_t* p = &bits[y * stride + std::ptrdiff_t(x) * bpp];
        return p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF;
    }
    MaskPixels View() const { return {bits.data(), width, height, stride, bpp}; }
};

// '.' pure white, '#' black, 'r' RGB(254,255,255), 'g' RGB(255,254,255),
// 'b' RGB(255,255,254).
Mask FromPicture(const std::vector<std::string>& rows, int bpp = 4, int padding = 0) {
    Mask m(int(rows[0].size()), int(rows.size()), bpp, padding);
    for (int y = 0; y < m.height; ++y)
        for (int x = 0; x < m.width; ++x) {
            switch (rows[y][x]) {
            case '.':
                m.Set(x, y, 255, 255, 255);
                break;
            case 'r':
                m.Set(x, y, 254, 255, 255);
                break;
            case 'g':
                m.Set(x, y, 255, 254, 255);
                break;
            case 'b':
                m.Set(x, y, 255, 255, 254);
                break;
            default:
                m.Set(x, y, 0, 0, 0);
                break;
            }
        }
    return m;
}

// The per-pixel rule for a windowWidth x windowHeight window.
std::vector<std::vector<bool>> Reference(const Mask& m, int w, int h) {
    std::vector<std::vector<bool>> inside(h, std::vector<bool>(w, true));
    for (int y = 0; y < h && y < m.height; ++y)
        for (int x = 0; x < w && x < m.width; ++x)
            inside[y][x] = !m.White(x, y);
    return inside;
}

// Paints the rectangles; fails on overlap, on a pixel outside the window and
// on a list that is not in banded (top, then left) order.
std::vector<std::vector<bool>> Paint(const std::vector<RegionRect>& rects, int w, int h) {
    std::vector<std::vector<bool>> inside(h, std::vector<bool>(w, false));
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RegionRect& r = rects[i];
        EXPECT_TRUE(r.left < r.right && r.top < r.bottom) << "empty rect " << i;
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h) << "rect " << i;
        if (i > 0) {
            const RegionRect& p = rects[i - 1];
            const bool sameBand = p.top == r.top && p.bottom == r.bottom && p.right < r.left;
            EXPECT_TRUE(sameBand || p.bottom <= r.top) << "not banded at " << i;
        }
        for (int y = std::max(r.top, 0); y < std::min(r.bottom, h); ++y)
            for (int x = std::max(r.left, 0); x < std::min(r.right, w); ++x) {
                EXPECT_FALSE(inside[y][x]) << "overlap at " << x << "," << y;
                inside[y][x] = true;
            }
    }
    return inside;
}

TEST(MaskRegion, OnlyPureWhiteIsOutside) {
    const Mask m = FromPicture({
        "..rgb..",
        ".......",
    });
    const auto rects = MaskRegionRects(m.View(), 7, 2);
    EXPECT_EQ(rects, (std::vector<RegionRect>{{2, 0, 5, 1}}));
}

TEST(MaskRegion, ShapesGiveTheExpectedRectangles) {
    struct Case {
        const char* name;
        std::vector<std::string> picture;
        std::vector<RegionRect> expected;
    };
    const Case cases[] = {
        {"all white is empty", {"....", "...."}, {}},
        {"all black is one rectangle", {"####", "####", "####"}, {{0, 0, 4, 3}}},
        {"hole splits one band into three",
         {"#####", "##.##", "#####"},
         {{0, 0, 5, 1}, {0, 1, 2, 2}, {3, 1, 5, 2}, {0, 2, 5, 3}}},
        {"rounded corners",
         {".####.", "######", "######", ".####."},
         {{1, 0, 5, 1}, {0, 1, 6, 3}, {1, 3, 5, 4}}},
        {"runs touching both edges", {"#..#", "#..#"}, {{0, 0, 1, 2}, {3, 0, 4, 2}}},
        {"white rows between bands",
         {"##..", "....", "....", "##.."},
         {{0, 0, 2, 1}, {0, 3, 2, 4}}},
        {"single pixel", {"...", ".r.", "..."}, {{1, 1, 2, 2}}},
    };
    for (const Case& c : cases) {
        for (int bpp : {3, 4}) {
            const Mask m = FromPicture(c.picture, bpp, bpp == 3 ? 3 : 0);
            EXPECT_EQ(MaskRegionRects(m.View(), m.width, m.height), c.expected)
                << c.name << ", " << bpp << " bytes per pixel";
        }
    }
}

TEST(MaskRegion, WindowLargerOrSmallerThanTheMask) {
    const Mask m = FromPicture({
        ".#.",
        "...",
    });
    // Beyond the mask's edge every window pixel is inside.
    EXPECT_EQ(MaskRegionRects(m.View(), 5, 4),
              (std::vector<RegionRect>{{1, 0, 2, 1}, {3, 0, 5, 1}, {3, 1, 5, 2}, {0, 2, 5, 4}}));
    // Only the mask's pixels within the window count.
    EXPECT_EQ(MaskRegionRects(m.View(), 2, 1), (std::vector<RegionRect>{{1, 0, 2, 1}}));
    EXPECT_TRUE(MaskRegionRects(m.View(), 0, 3).empty());
}

TEST(MaskRegion, MaskWithoutBitsKeepsTheWholeWindow) {
    EXPECT_EQ(MaskRegionRects(MaskPixels{}, 6, 3), (std::vector<RegionRect>{{0, 0, 6, 3}}));
    Mask m = FromPicture({"...."}, 4);
    MaskPixels badDepth = m.View();
    badDepth.bytesPerPixel = 2;
    EXPECT_EQ(MaskRegionRects(badDepth, 4, 1), (std::vector<RegionRect>{{0, 0, 4, 1}}));
}

TEST(MaskRegion, RandomMasksMatchThePerPixelRule) {
    std::mt19937 rng(20261210);
    for (int round = 0; round < 200; ++round) {
        const int w = 1 + int(rng() % 40), h = 1 + int(rng() % 30);
        const int bpp = rng() % 2 ? 3 : 4;
        Mask m(w, h, bpp, int(rng() % 4));
        // Blocky shapes, so that merged bands occur, with scattered near-white.
        const int block = 1 + int(rng() % 5);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const unsigned cell = (unsigned(x / block) * 7919u + unsigned(y / block) * 104729u +
                                       unsigned(round)) %
                                      3u;
                if (cell == 0)
                    m.Set(x, y, 255, 255, 255);
                else if (rng() % 17 == 0)
                    m.Set(x, y, 255, rng() % 2 ? 255 : 254, 254);
                else
                    m.Set(x, y, 20, 20, 20);
            }
        const int ww = w + int(rng() % 5) - 2, wh = h + int(rng() % 5) - 2;
        if (ww <= 0 || wh <= 0)
            continue;
        const auto rects = MaskRegionRects(m.View(), ww, wh);
        ASSERT_EQ(Paint(rects, ww, wh), Reference(m, ww, wh)) << "round " << round;
    }
}

TEST(MaskRegion, BottomUpRowsThroughANegativeStride) {
    // Rows stored bottom-up, as in a BMP file: the view starts at the last
    // stored row and steps backwards.
    const Mask stored = FromPicture({
        "#...", // bottom row of the picture
        "....",
        "..##", // top row
    });
    MaskPixels view = stored.View();
    view.bits += stored.stride * 2;
    view.stride = -stored.stride;
    EXPECT_EQ(MaskRegionRects(view, 4, 3), (std::vector<RegionRect>{{2, 0, 4, 1}, {0, 2, 1, 3}}));
}

TEST(MaskRegion, IdenticalRowsShareOneBand) {
    // A 100-row mask of one run per row: one rectangle, not a hundred.
    Mask m(50, 100, 4);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 50; ++x)
            m.Set(x, y, x < 10 ? 255 : 0, x < 10 ? 255 : 0, x < 10 ? 255 : 0);
    EXPECT_EQ(MaskRegionRects(m.View(), 50, 100), (std::vector<RegionRect>{{10, 0, 50, 100}}));
}

} // namespace
} // namespace orvane
