// The skin techniques both skinned windows use (the main window and the
// assignment dialog): faces cut from full-window images, window outlines
// from a binary mask, a whole window that drags by any point, and the
// loading, measuring and blitting of skin images. GUI thread only.
#pragma once

#include <windows.h>

#include <span>
#include <string>

#include "win/Handles.h"

namespace orvane {

// A new width x height bitmap holding the rectangle of `source` whose top-left
// corner is (x, y). The caller owns the result (DeleteObject). A null source
// or an empty size gives nullptr.
HBITMAP CutFace(HBITMAP source, int x, int y, int width, int height);

// Cuts the outline of `wnd` out of `mask`: every pixel of exactly
// RGB(255, 255, 255) is outside the window, every other colour (near-white
// included) inside. The region covers the window rectangle (GetWindowRect
// size W x H); pixels of the window beyond the mask's edge stay inside.
// `dc` is any DC of the window (initialisation passes GetWindowDC). Built
// from runs of the mask's rows in one ExtCreateRegion (well under a
// millisecond for the 1100 x 420 skin), then SetWindowRgn(redraw TRUE); the
// system owns the region afterwards.
// Returns false, leaving a plain rectangle of the window's size as the
// region, when the mask is null or its bits cannot be read. Shared with the
// assignment dialog.
bool SetRegionFromMask(HWND wnd, HDC dc, HBITMAP mask);

// The region SetRegionFromMask gives a width x height window, in window
// coordinates; the caller owns it (DeleteObject). nullptr when `mask` is null
// or its bits cannot be read.
HRGN CreateMaskRegion(HDC dc, HBITMAP mask, int width, int height);

// WM_NCHITTEST: the client area answers HTCAPTION so the whole window drags
// and every mouse message arrives as a non-client one.
inline LRESULT CaptionHitTest(LRESULT defaultResult) {
    return defaultResult == HTCLIENT ? HTCAPTION : defaultResult;
}

// WM_PAINT of an iconic window: the icon centred in the client area, after
// WM_ICONERASEBKGND. Uses BeginPaint/EndPaint itself.
void PaintIconic(HWND wnd, HICON icon);

// The size of `bitmap`; false for a null or empty bitmap.
bool BitmapSize(HBITMAP bitmap, SIZE& size);

// The size of the window rectangle (GetWindowRect).
SIZE WindowRectSize(HWND wnd);

// Loads a skin image from a .bmp file as a DIB section; null when the file is
// missing or unreadable (nothing is reported).
HBITMAP LoadSkinImage(const std::wstring& path);

// Loads images[i] from exeDir + "skin\" + files[i] (exeDir ends with a
// backslash), in order; each replaces the image held before.
void LoadSkinImages(const std::wstring& exeDir, std::span<const wchar_t* const> files,
                    std::span<win::UniqueBitmap> images);

// Copies the width x height rectangle of `source` at (sourceX, sourceY) to
// (x, y) on `target`. Nothing for an empty size or a bitmap that cannot be
// selected.
void BlitFrom(HDC target, int x, int y, int width, int height, HBITMAP source, int sourceX,
              int sourceY);

// Copies the rectangle (x, y, width, height) of `source` to the same place
// on `target`.
inline void BlitSame(HDC target, HBITMAP source, int x, int y, int width, int height) {
    BlitFrom(target, x, y, width, height, source, x, y);
}

// A window's whole face onto `dc`: `face` from the top-left corner, clipped
// to the window's size, and the button-face colour wherever the face does
// not reach (all of it without a face), never stale pixels.
void PaintWholeFace(HWND wnd, HDC dc, HBITMAP face);

// Window shaping: when the mask (else `face`) has a size, the window moves
// to the screen's top-left corner with that size (MoveWindow, repaint); then
// SetRegionFromMask with the mask and the window's DC. Without a usable mask
// the region is the window's rectangle.
void ShapeToMask(HWND wnd, HBITMAP mask, HBITMAP face);

} // namespace orvane
