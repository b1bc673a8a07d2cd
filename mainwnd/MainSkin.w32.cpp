#include "mainwnd/MainSkin.w32.h"

#include "win/Handles.h"

namespace orvane {

namespace {

constexpr int kStripCell = 28;       // drawing it also restores a strip to its left
constexpr int kStripHeightCell = 27; // whose height the strip takes
constexpr int kStripOffset = 6;
constexpr int kStripWidth = 2;

} // namespace

void MainSkin::Attach(Image which, HBITMAP bitmap) {
    images_[static_cast<int>(which)].Reset(bitmap);
}

void MainSkin::Load(const std::wstring& exeDir) {
    static const wchar_t* const kFiles[] = {L"main_mask.bmp", L"main_normal.bmp", L"main_over.bmp",
                                            L"main_down.bmp"};
    LoadSkinImages(exeDir, kFiles, images_);
}

bool MainSkin::WindowSize(SIZE& size) const {
    return BitmapSize(Get(Image::Mask), size) || BitmapSize(Get(Image::Normal), size);
}

void MainSkin::ShapeWindow(HWND wnd) const {
    ShapeToMask(wnd, Get(Image::Mask), Get(Image::Normal));
}

void MainSkin::DrawCell(HWND wnd, const KeyButtons& cells, CellState state, int cell) const {
    if (cell < 1 || cell > kCellCount)
        return;
    HBITMAP normal = Get(Image::Normal);
    HBITMAP source = state == CellState::Over   ? Get(Image::Over)
                     : state == CellState::Down ? Get(Image::Down)
                                                : normal;
    if (source == nullptr)
        source = normal;
    if (source == nullptr)
        return;
    win::WindowDC dc(wnd);
    if (!dc)
        return;
    const KeyButton& b = cells[cell - 1];
    BlitSame(dc.Get(), source, b.x, b.y, b.width, b.height);
    if (cell == kStripCell && normal != nullptr)
        BlitSame(dc.Get(), normal, b.x - kStripOffset, b.y, kStripWidth,
                 cells[kStripHeightCell - 1].height);
}

void MainSkin::DrawProfileButtons(HWND wnd, const KeyButtons& cells, int activeProfile) const {
    const int first = kProfileCell1, second = kProfileCell1 + 1, third = kProfileCell1 + 2;
    switch (activeProfile) {
    case 1:
        DrawCell(wnd, cells, CellState::Down, first);
        DrawCell(wnd, cells, CellState::Normal, second);
        DrawCell(wnd, cells, CellState::Normal, third);
        break;
    case 2:
        DrawCell(wnd, cells, CellState::Down, second);
        DrawCell(wnd, cells, CellState::Normal, first);
        DrawCell(wnd, cells, CellState::Normal, third);
        break;
    case 3:
        DrawCell(wnd, cells, CellState::Down, third);
        DrawCell(wnd, cells, CellState::Normal, second);
        DrawCell(wnd, cells, CellState::Normal, first);
        break;
    default: // a hand-edited profile file: no profile is shown as in force
        DrawCell(wnd, cells, CellState::Normal, first);
        DrawCell(wnd, cells, CellState::Normal, second);
        DrawCell(wnd, cells, CellState::Normal, third);
        break;
    }
}

void MainSkin::DrawChangedCells(HWND wnd, const KeyButtons& cells,
                                const ChangedCells& changed) const {
    for (int e : changed)
        DrawCell(wnd, cells, CellState::Down, e + 1);
}

BOOL MainSkin::PaintSkin(HWND wnd, HDC dc, const KeyButtons& cells, int activeProfile,
                         const ChangedCells& changed) const {
    PaintWholeFace(wnd, dc, Get(Image::Normal));
    DrawProfileButtons(wnd, cells, activeProfile);
    DrawChangedCells(wnd, cells, changed);
    return TRUE;
}

} // namespace orvane
