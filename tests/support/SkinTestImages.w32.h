// Test and benchmark support for the skin code: the per-pixel outline rule
// as a slow reference, and synthetic images.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

namespace orvane::testing {

// The outline rule pixel by pixel: start from the whole width x height
// rectangle and cut out every mask pixel that GetPixel reports as exactly
// RGB(255, 255, 255), one CombineRgn per white pixel. Far too slow for the
// GUI thread; kept as the reference the fast builder must equal. Only pixels
// inside the window are visited: XOR-ing a white mask pixel at x = width or
// y = height (a mask larger than the window) would add it to the region.
inline HRGN PerPixelMaskRegion(HDC dc, HBITMAP mask, int width, int height) {
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, mask);
    HRGN region = CreateRectRgn(0, 0, width, height);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y)
            if (GetPixel(mem, x, y) == RGB(255, 255, 255)) {
                HRGN dot = CreateRectRgn(x, y, x + 1, y + 1);
                CombineRgn(region, region, dot, RGN_XOR);
                DeleteObject(dot);
            }
    SelectObject(mem, old);
    DeleteDC(mem);
    return region;
}

// A width x height DIB section (24 or 32 bits per pixel) whose pixel (x, y)
// is colour(x, y). The caller owns it.
inline HBITMAP MakeImage(int width, int height, const std::function<COLORREF(int, int)>& colour,
                         int bitsPerPixel = 24) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap == nullptr)
        return nullptr;
    const int bytes = bitsPerPixel / 8;
    const int stride = (width * bytes + 3) & ~3;
    auto* row = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < height; ++y, row += stride)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = colour(x, y);
            std::uint8_t* p = row + x * bytes;
            p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
            if (bytes == 4)
                p[3] = 0;
        }
    GdiFlush();
    return bitmap;
}

// A binary keyboard-body mask: pure white outside a rounded rectangle with a
// margin of 4 px and corner radius r, black inside, with a white hole (a
// small rectangle) and a single RGB(254, 255, 255) pixel inside the hole,
// off its centre so that a mask read upside down shows.
inline HBITMAP MakeBodyMask(int width, int height, int r = 24, int bitsPerPixel = 24) {
    const int left = 4, top = 4, right = width - 4, bottom = height - 4;
    return MakeImage(
        width, height,
        [=](int x, int y) -> COLORREF {
            const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
            if (x < left || x >= right || y < top || y >= bottom)
                return white;
            const int cx = x < left + r ? left + r : (x >= right - r ? right - r - 1 : x);
            const int cy = y < top + r ? top + r : (y >= bottom - r ? bottom - r - 1 : y);
            const int dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > r * r)
                return white;
            const int hx = width / 2, hy = height / 2;
            if (x >= hx - 10 && x < hx + 10 && y >= hy - 3 && y < hy + 3)
                return x == hx && y == hy - 2 ? RGB(254, 255, 255) : white;
            return black;
        },
        bitsPerPixel);
}

} // namespace orvane::testing
