#include "skin/Skin.w32.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "skin/MaskRegion.h"

namespace orvane {

namespace {

HRGN RegionFromRects(const std::vector<RegionRect>& rects) {
    if (rects.empty())
        return CreateRectRgn(0, 0, 0, 0);
    std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
    rgn->rdh.dwSize = sizeof(RGNDATAHEADER);
    rgn->rdh.iType = RDH_RECTANGLES;
    rgn->rdh.nCount = DWORD(rects.size());
    rgn->rdh.nRgnSize = DWORD(rects.size() * sizeof(RECT));
    RECT bounds{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
    auto* out = reinterpret_cast<RECT*>(rgn->Buffer);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const RegionRect& r = rects[i];
        out[i] = {r.left, r.top, r.right, r.bottom};
        bounds.left = std::min<LONG>(bounds.left, r.left);
        bounds.right = std::max<LONG>(bounds.right, r.right);
        bounds.bottom = std::max<LONG>(bounds.bottom, r.bottom);
    }
    rgn->rdh.rcBound = bounds;
    return ExtCreateRegion(nullptr, DWORD(data.size()), rgn);
}

void ApplyRegion(HWND wnd, HRGN region) {
    win::UniqueRegion owned(region);
    if (owned && SetWindowRgn(wnd, owned.Get(), TRUE) != 0)
        owned.Release(); // the system owns it now
}

} // namespace

HBITMAP CutFace(HBITMAP source, int x, int y, int width, int height) {
    if (source == nullptr || width <= 0 || height <= 0)
        return nullptr;
    win::SelectedMemoryDC from(nullptr, source);
    if (!from.Selected())
        return nullptr;
    win::UniqueBitmap face(CreateCompatibleBitmap(from.Get(), width, height));
    if (!face)
        return nullptr;
    {
        win::SelectedMemoryDC to(from.Get(), face.Get());
        if (!to.Selected())
            return nullptr;
        BitBlt(to.Get(), 0, 0, width, height, from.Get(), x, y, SRCCOPY);
    }
    return face.Release();
}

HRGN CreateMaskRegion(HDC dc, HBITMAP mask, int width, int height) {
    BITMAP bm{};
    if (mask == nullptr || GetObjectW(mask, sizeof bm, &bm) == 0 || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0)
        return nullptr;

    // GetDIBits hands over strips of rows through a small buffer (a
    // full-size copy costs more in allocation than the scan itself), as 24
    // bpp when the mask has that depth (a plain copy), else converted to 32
    // bpp. (Reading a DIB section's bits in place would save the copy, but
    // GetObject does not tell a top-down section from a bottom-up one.) The
    // strips are read bottom-up, where GetDIBits' first scan line is
    // unambiguous: the strip [top, top + n) starts at line height - top - n.
    constexpr int kStripRows = 32;
    const int bytesPerPixel = bm.bmBitsPixel == 24 ? 3 : 4;
    const int rows = std::min<int>(bm.bmHeight, std::max(height, 0));
    const std::ptrdiff_t stride = (std::ptrdiff_t(bm.bmWidth) * bytesPerPixel + 3) & ~3;
    std::vector<std::uint8_t> strip(std::size_t(stride) * kStripRows);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bytesPerPixel * 8);
    info.bmiHeader.biCompression = BI_RGB;
    // Without the caller's DC the screen's is the reference.
    std::optional<win::WindowDC> screen;
    if (dc == nullptr)
        screen.emplace(nullptr);
    HDC reference = dc != nullptr ? dc : screen->Get();
    MaskRegionBuilder builder(width, height, bm.bmWidth);
    bool complete = true;
    for (int top = 0; top < rows && complete; top += kStripRows) {
        const int n = std::min(kStripRows, rows - top);
        complete = GetDIBits(reference, mask, UINT(bm.bmHeight - top - n), UINT(n), strip.data(),
                             &info, DIB_RGB_COLORS) == n;
        for (int i = 0; i < n && complete; ++i)
            builder.AddRow(strip.data() + stride * (n - 1 - i), bytesPerPixel);
    }
    return complete ? RegionFromRects(builder.Finish()) : nullptr;
}

bool SetRegionFromMask(HWND wnd, HDC dc, HBITMAP mask) {
    const SIZE window = WindowRectSize(wnd);
    HRGN region = CreateMaskRegion(dc, mask, window.cx, window.cy);
    const bool shaped = region != nullptr;
    if (!shaped)
        region = CreateRectRgn(0, 0, window.cx, window.cy);
    ApplyRegion(wnd, region);
    return shaped;
}

void PaintIconic(HWND wnd, HICON icon) {
    win::PaintDC paint(wnd);
    HDC dc = paint.Get();
    SendMessageW(wnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client{};
    GetClientRect(wnd, &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, icon);
}

bool BitmapSize(HBITMAP bitmap, SIZE& size) {
    BITMAP bm{};
    if (bitmap == nullptr || GetObjectW(bitmap, sizeof bm, &bm) != int(sizeof bm) ||
        bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return false;
    size = {bm.bmWidth, bm.bmHeight};
    return true;
}

SIZE WindowRectSize(HWND wnd) {
    RECT r{};
    GetWindowRect(wnd, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void BlitFrom(HDC target, int x, int y, int width, int height, HBITMAP source, int sourceX,
              int sourceY) {
    if (width <= 0 || height <= 0)
        return;
    win::SelectedMemoryDC mem(target, source);
    if (mem.Selected())
        BitBlt(target, x, y, width, height, mem.Get(), sourceX, sourceY, SRCCOPY);
}

HBITMAP LoadSkinImage(const std::wstring& path) {
    return static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                           LR_LOADFROMFILE | LR_CREATEDIBSECTION));
}

void LoadSkinImages(const std::wstring& exeDir, std::span<const wchar_t* const> files,
                    std::span<win::UniqueBitmap> images) {
    for (std::size_t i = 0; i < files.size() && i < images.size(); ++i)
        images[i].Reset(LoadSkinImage(exeDir + L"skin\\" + files[i]));
}

void PaintWholeFace(HWND wnd, HDC dc, HBITMAP face) {
    const SIZE window = WindowRectSize(wnd);
    SIZE covered{0, 0};
    if (BitmapSize(face, covered)) {
        covered.cx = std::min(covered.cx, window.cx);
        covered.cy = std::min(covered.cy, window.cy);
        BlitSame(dc, face, 0, 0, covered.cx, covered.cy);
    }
    HBRUSH fill = GetSysColorBrush(COLOR_BTNFACE);
    const RECT right{covered.cx, 0, window.cx, window.cy};
    const RECT below{0, covered.cy, covered.cx, window.cy};
    if (right.left < right.right)
        FillRect(dc, &right, fill);
    if (below.top < below.bottom)
        FillRect(dc, &below, fill);
}

void ShapeToMask(HWND wnd, HBITMAP mask, HBITMAP face) {
    SIZE size{};
    if (BitmapSize(mask, size) || BitmapSize(face, size))
        MoveWindow(wnd, 0, 0, size.cx, size.cy, TRUE);
    // Without a usable mask the region is the window's rectangle, which the
    // move above gave the face's size when there is a face.
    win::WindowDC dc(wnd, true);
    SetRegionFromMask(wnd, dc.Get(), mask);
}

} // namespace orvane
