// The main window's skin under Wine: outline regions, CutFace, cell drawing,
// PaintSkin, loading and shaping, and the hover pass with its tooltip.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "mainwnd/MainSkin.w32.h"
#include "tests/support/SkinTestImages.w32.h"

namespace orvane {
namespace {

using testing::MakeBodyMask;
using testing::MakeImage;
using testing::PerPixelMaskRegion;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// Position-coded faces: a pixel tells which image it came from and where.
COLORREF NormalAt(int x, int y) {
    return RGB(x, y, 10);
}
COLORREF OverAt(int x, int y) {
    return RGB(x, y, 100);
}
COLORREF DownAt(int x, int y) {
    return RGB(x, y, 200);
}

// A visible popup window with a default window procedure. All tests share
// one window that lives until the process ends: under Wine without a window
// manager, destroying a visible window waits 2 s for a withdrawal that never
// comes. Each TestWindow resizes it and takes its region off.
class TestWindow {
  public:
    TestWindow(int width, int height) {
        static const HWND shared = [] {
            WNDCLASSW wc{};
            wc.lpfnWndProc = DefWindowProcW;
            wc.hInstance = GetModuleHandleW(nullptr);
            wc.lpszClassName = L"OrvaneSkinTestWindow";
            RegisterClassW(&wc);
            return CreateWindowExW(WS_EX_TOOLWINDOW, L"OrvaneSkinTestWindow", L"",
                                   WS_POPUP | WS_VISIBLE, 50, 60, 10, 10, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
        }();
        hwnd_ = shared;
        SetWindowRgn(hwnd_, nullptr, TRUE);
        SetWindowPos(hwnd_, nullptr, 50, 60, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        Pump();
    }
    HWND get() const { return hwnd_; }

    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    void Fill(COLORREF colour) const {
        HDC dc = GetDC(hwnd_);
        RECT r{0, 0, 10000, 10000};
        HBRUSH brush = CreateSolidBrush(colour);
        FillRect(dc, &r, brush);
        DeleteObject(brush);
        ReleaseDC(hwnd_, dc);
    }
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        HDC dc = GetDC(hwnd_);
        const COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(hwnd_, dc);
        return c;
    }
    // The window's region, or nullptr when it has none.
    HRGN Region() const {
        HRGN r = CreateRectRgn(0, 0, 0, 0);
        if (GetWindowRgn(hwnd_, r) == ERROR) {
            DeleteObject(r);
            return nullptr;
        }
        return r;
    }

  private:
    HWND hwnd_ = nullptr;
};

bool RegionsEqual(HRGN a, HRGN b) {
    const bool equal = a != nullptr && b != nullptr && EqualRgn(a, b);
    if (a != nullptr)
        DeleteObject(a);
    if (b != nullptr)
        DeleteObject(b);
    return equal;
}

HRGN Rect(int w, int h) {
    return CreateRectRgn(0, 0, w, h);
}

// Saves a bitmap as a 24-bpp .bmp file.
void SaveBmp(HBITMAP bitmap, const std::filesystem::path& path) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    const int stride = (bm.bmWidth * 3 + 3) & ~3;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, bm.bmHeight, 1, 24, BI_RGB};
    std::vector<char> bits(std::size_t(stride) * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, bm.bmHeight, bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof(BITMAPINFOHEADER);
    file.bfSize = DWORD(file.bfOffBits + bits.size());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof file);
    out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
    out.write(bits.data(), std::streamsize(bits.size()));
}

std::filesystem::path FreshDir(const char* name) {
    auto dir = std::filesystem::temp_directory_path() /
               (std::string("orvane_skin_") + name + "_" + std::to_string(GetCurrentProcessId()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir / "skin");
    return dir;
}

std::wstring DirArg(const std::filesystem::path& dir) {
    return dir.wstring() + L"\\";
}

// The same picture as a device-dependent bitmap: a colour one compatible
// with the screen, or a monochrome one (white stays white, everything else,
// near-white included, turns black).
HBITMAP ToDeviceBitmap(HBITMAP source, bool monochrome) {
    BITMAP bm{};
    GetObjectW(source, sizeof bm, &bm);
    HDC screen = GetDC(nullptr);
    HBITMAP copy = monochrome ? CreateBitmap(bm.bmWidth, bm.bmHeight, 1, 1, nullptr)
                              : CreateCompatibleBitmap(screen, bm.bmWidth, bm.bmHeight);
    HDC from = CreateCompatibleDC(screen), to = CreateCompatibleDC(screen);
    HGDIOBJ oldFrom = SelectObject(from, source), oldTo = SelectObject(to, copy);
    BitBlt(to, 0, 0, bm.bmWidth, bm.bmHeight, from, 0, 0, SRCCOPY);
    SelectObject(from, oldFrom);
    SelectObject(to, oldTo);
    DeleteDC(from);
    DeleteDC(to);
    ReleaseDC(nullptr, screen);
    DeleteObject(source);
    return copy;
}

// An 8-bpp palette mask, bottom-up: white, black and two near-whites.
HBITMAP PaletteMask(int width, int height, std::mt19937& rng) {
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[4];
    } info{};
    info.header = {sizeof(BITMAPINFOHEADER), width, height, 1, 8, BI_RGB};
    info.header.biClrUsed = 4;
    info.colours[0] = {255, 255, 255, 0};
    info.colours[1] = {0, 0, 0, 0};
    info.colours[2] = {255, 255, 254, 0}; // RGB(254, 255, 255)
    info.colours[3] = {254, 255, 255, 0}; // RGB(255, 255, 254)
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    const int stride = (width + 3) & ~3;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            static_cast<std::uint8_t*>(bits)[y * stride + x] =
                std::uint8_t((x / 7 + y / 5) % 3 == 0 ? 0 : rng() % 4);
    return bitmap;
}

// ---- Outline -------------------------------------------------------------

TEST(MaskOutline, RegionFromRunsEqualsThePerPixelRule) {
    std::mt19937 rng(4242);
    struct Case {
        const char* name;
        HBITMAP mask;
        int windowWidth, windowHeight;
    };
    std::vector<Case> cases = {
        {"body, 24 bpp", MakeBodyMask(220, 90), 220, 90},
        {"body, 32 bpp", MakeBodyMask(220, 90, 30, 32), 220, 90},
        {"window smaller than the mask", MakeBodyMask(220, 90), 150, 60},
        {"window larger than the mask", MakeBodyMask(120, 50), 160, 70},
        {"all white", MakeImage(40, 20, [](int, int) { return RGB(255, 255, 255); }), 40, 20},
        {"all black", MakeImage(40, 20, [](int, int) { return RGB(0, 0, 0); }), 40, 20},
        {"noise with near-white",
         MakeImage(64, 48,
                   [&](int, int) {
                       const unsigned v = rng() % 4;
                       return v == 0   ? RGB(255, 255, 255)
                              : v == 1 ? RGB(255, 255, 254)
                              : v == 2 ? RGB(254, 255, 255)
                                       : RGB(9, 9, 9);
                   }),
         64, 48},
        {"8-bpp palette mask", PaletteMask(90, 70, rng), 90, 70},
        {"colour device bitmap, read in strips", ToDeviceBitmap(MakeBodyMask(150, 100), false), 150,
         100},
        {"monochrome device bitmap", ToDeviceBitmap(MakeBodyMask(150, 100), true), 150, 100},
        {"strips, window smaller", ToDeviceBitmap(MakeBodyMask(150, 100), false), 120, 70},
    };
    // The build draws the skin before this test is built, so the real mask
    // is always there.
    const char* real = ORVANE_GENERATED_DIR "/skin/main_mask.bmp";
    HBITMAP file = static_cast<HBITMAP>(
        LoadImageA(nullptr, real, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(file, nullptr) << real;
    BITMAP bm{};
    GetObjectW(file, sizeof bm, &bm);
    cases.push_back({"the generated skin's mask", file, bm.bmWidth, bm.bmHeight});
    HDC screen = GetDC(nullptr);
    for (const Case& c : cases) {
        ASSERT_NE(c.mask, nullptr) << c.name;
        EXPECT_TRUE(RegionsEqual(CreateMaskRegion(screen, c.mask, c.windowWidth, c.windowHeight),
                                 PerPixelMaskRegion(screen, c.mask, c.windowWidth, c.windowHeight)))
            << c.name;
        DeleteObject(c.mask);
    }
    ReleaseDC(nullptr, screen);
}

TEST(MaskOutline, PureWhiteIsCutNearWhiteStays) {
    HBITMAP mask = MakeBodyMask(200, 80, 20);
    HRGN region = CreateMaskRegion(nullptr, mask, 200, 80);
    ASSERT_NE(region, nullptr);
    EXPECT_FALSE(PtInRegion(region, 0, 0));   // margin
    EXPECT_FALSE(PtInRegion(region, 5, 5));   // rounded corner
    EXPECT_TRUE(PtInRegion(region, 30, 30));  // body
    EXPECT_FALSE(PtInRegion(region, 95, 40)); // hole
    EXPECT_TRUE(PtInRegion(region, 100, 38)); // the RGB(254, 255, 255) pixel in the hole
    DeleteObject(region);
    DeleteObject(mask);
}

TEST(MaskOutline, SetRegionFromMaskShapesTheWindow) {
    TestWindow wnd(180, 70);
    HBITMAP mask = MakeBodyMask(180, 70);
    HDC dc = GetWindowDC(wnd.get());
    EXPECT_TRUE(SetRegionFromMask(wnd.get(), dc, mask));
    EXPECT_TRUE(RegionsEqual(wnd.Region(), PerPixelMaskRegion(dc, mask, 180, 70)));

    // No mask: the whole window rectangle, reported as unshaped.
    EXPECT_FALSE(SetRegionFromMask(wnd.get(), dc, nullptr));
    EXPECT_TRUE(RegionsEqual(wnd.Region(), Rect(180, 70)));
    ReleaseDC(wnd.get(), dc);
    DeleteObject(mask);
}

TEST(MaskOutline, FallbacksWithoutAMask) {
    TestWindow wnd(50, 40);
    {
        MainSkin skin; // only a face: the window takes its size, the region too
        skin.Attach(MainSkin::Image::Normal, MakeImage(30, 20, NormalAt));
        skin.ShapeWindow(wnd.get());
        EXPECT_TRUE(RegionsEqual(wnd.Region(), Rect(30, 20)));
    }
    MoveWindow(wnd.get(), 0, 0, 50, 40, FALSE);
    {
        MainSkin skin; // nothing at all: the window as it is
        skin.ShapeWindow(wnd.get());
        EXPECT_TRUE(RegionsEqual(wnd.Region(), Rect(50, 40)));
    }
}

// ---- Loading and shaping -------------------------------------------------

TEST(SkinLoading, WindowSizeAndShapeComeFromTheFiles) {
    const auto dir = FreshDir("load");
    HBITMAP mask = MakeBodyMask(160, 64);
    SaveBmp(mask, dir / "skin" / "main_mask.bmp");
    HBITMAP normal = MakeImage(170, 70, NormalAt);
    SaveBmp(normal, dir / "skin" / "main_normal.bmp");
    DeleteObject(normal);

    MainSkin skin;
    skin.Load(DirArg(dir));
    EXPECT_NE(skin.Get(MainSkin::Image::Mask), nullptr);
    EXPECT_NE(skin.Get(MainSkin::Image::Normal), nullptr);
    EXPECT_EQ(skin.Get(MainSkin::Image::Over), nullptr); // missing file: empty, no error
    SIZE size{};
    ASSERT_TRUE(skin.WindowSize(size));
    EXPECT_EQ(size.cx, 160);
    EXPECT_EQ(size.cy, 64);

    TestWindow wnd(300, 200);
    skin.ShapeWindow(wnd.get());
    RECT r{};
    GetWindowRect(wnd.get(), &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.right - r.left, 160);
    EXPECT_EQ(r.bottom - r.top, 64);
    HDC dc = GetWindowDC(wnd.get());
    EXPECT_TRUE(RegionsEqual(wnd.Region(), PerPixelMaskRegion(dc, mask, 160, 64)));
    ReleaseDC(wnd.get(), dc);
    DeleteObject(mask);

    // Without the mask the face gives the size.
    std::filesystem::remove(dir / "skin" / "main_mask.bmp");
    skin.Load(DirArg(dir));
    ASSERT_TRUE(skin.WindowSize(size));
    EXPECT_EQ(size.cx, 170);

    // Without any file there is no size to take.
    skin.Load(DirArg(dir / "nowhere"));
    EXPECT_FALSE(skin.WindowSize(size));
    std::filesystem::remove_all(dir);
}

// ---- CutFace -------------------------------------------------------------

TEST(CutFace, CopiesTheRectangle) {
    HBITMAP source = MakeImage(64, 64, [](int x, int y) { return RGB(x, y, 7); });
    HBITMAP face = CutFace(source, 10, 20, 5, 6);
    ASSERT_NE(face, nullptr);
    BITMAP bm{};
    GetObjectW(face, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, 5);
    EXPECT_EQ(bm.bmHeight, 6);
    HDC mem = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(mem, face);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(GetPixel(mem, x, y), RGB(10 + x, 20 + y, 7)) << x << "," << y;
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(face);
    EXPECT_EQ(CutFace(nullptr, 0, 0, 5, 5), nullptr);
    EXPECT_EQ(CutFace(source, 0, 0, 0, 5), nullptr);
    DeleteObject(source);
}

// ---- Drawing -------------------------------------------------------------

class SkinDrawing : public ::testing::Test {
  protected:
    static constexpr int kW = 140, kH = 40;

    SkinDrawing() : wnd(kW, kH) {
        skin.Attach(MainSkin::Image::Normal, MakeImage(kW, kH, NormalAt));
        skin.Attach(MainSkin::Image::Over, MakeImage(kW, kH, OverAt));
        skin.Attach(MainSkin::Image::Down, MakeImage(kW, kH, DownAt));
        Place(1, 0, 0, 10, 10);
        Place(2, 12, 0, 10, 10);
        Place(27, 20, 20, 10, 12);
        Place(28, 40, 20, 10, 10);
        Place(110, 60, 20, 10, 10);
        Place(125, 75, 20, 10, 10);
        Place(128, 60, 0, 10, 10);
        Place(129, 75, 0, 10, 10);
        Place(130, 90, 0, 10, 10);
        wnd.Fill(kMagenta);
    }
    void Place(int cell, int x, int y, int w, int h) {
        cells[cell - 1] = {x, y, w, h, L"", 0};
        hits[cell - 1] = {x, y, x + w, y + h};
    }
    // The picture at the centre of a cell: 'n'ormal, 'o'ver, 'd'own, 'm'agenta.
    char Look(int cell) const { return LookAt(cells[cell - 1].x + 3, cells[cell - 1].y + 4); }
    char LookAt(int x, int y) const {
        const COLORREF c = wnd.Pixel(x, y);
        if (c == kMagenta)
            return 'm';
        if (GetRValue(c) != x || GetGValue(c) != y)
            return '?'; // a picture from the wrong place
        return GetBValue(c) == 10    ? 'n'
               : GetBValue(c) == 100 ? 'o'
               : GetBValue(c) == 200 ? 'd'
                                     : '?';
    }
    BOOL Paint(int activeProfile, const ChangedCells& changed) {
        HDC dc = GetDC(wnd.get());
        const BOOL result = skin.PaintSkin(wnd.get(), dc, cells, activeProfile, changed);
        ReleaseDC(wnd.get(), dc);
        return result;
    }

    TestWindow wnd;
    MainSkin skin;
    KeyButtons cells;
    HitRects hits;
};

TEST_F(SkinDrawing, DrawCellPicksTheImageAndPlace) {
    skin.DrawCell(wnd.get(), cells, CellState::Over, 1);
    skin.DrawCell(wnd.get(), cells, CellState::Down, 2);
    skin.DrawCell(wnd.get(), cells, CellState::Normal, 129);
    skin.DrawCell(wnd.get(), cells, CellState::Down, -1);
    skin.DrawCell(wnd.get(), cells, CellState::Down, 133);
    EXPECT_EQ(Look(1), 'o');
    EXPECT_EQ(Look(2), 'd');
    EXPECT_EQ(Look(129), 'n');
    EXPECT_EQ(Look(128), 'm');
    EXPECT_EQ(LookAt(0, 10), 'm'); // just below cell 1
    EXPECT_EQ(LookAt(10, 0), 'm'); // just right of it
}

TEST_F(SkinDrawing, Cell28PutsBackTheStripToItsLeft) {
    for (CellState state : {CellState::Normal, CellState::Over, CellState::Down}) {
        wnd.Fill(kMagenta);
        skin.DrawCell(wnd.get(), cells, state, 28);
        EXPECT_EQ(Look(28), "nod"[int(state)]);
        // x28 - 6 = 34, 2 px wide, as high as cell 27 (12 px) from y28 = 20.
        EXPECT_EQ(LookAt(34, 20), 'n');
        EXPECT_EQ(LookAt(35, 31), 'n');
        EXPECT_EQ(LookAt(33, 20), 'm');
        EXPECT_EQ(LookAt(36, 20), 'm');
        EXPECT_EQ(LookAt(34, 32), 'm');
    }
    wnd.Fill(kMagenta);
    skin.DrawCell(wnd.get(), cells, CellState::Down, 27);
    EXPECT_EQ(LookAt(34, 20), 'm'); // other cells leave the strip alone
}

TEST_F(SkinDrawing, PaintSkinShowsProfileAndChangedCellsDown) {
    skin.DrawCell(wnd.get(), cells, CellState::Over, 128); // a highlight from before
    EXPECT_TRUE(Paint(2, {0, 109}));
    EXPECT_EQ(Look(129), 'd');
    EXPECT_EQ(Look(128), 'n');
    EXPECT_EQ(Look(130), 'n');
    EXPECT_EQ(Look(1), 'd');   // entry 0 is cell 1
    EXPECT_EQ(Look(110), 'd'); // entry 109 is cell 110
    EXPECT_EQ(Look(2), 'n');
    EXPECT_EQ(LookAt(kW - 1, kH - 1), 'n');

    struct Case {
        int activeProfile;
        const char* looks; // cells 128, 129, 130
    };
    for (const Case& c : {Case{1, "dnn"}, Case{3, "nnd"}, Case{0, "nnn"}, Case{7, "nnn"}}) {
        Paint(c.activeProfile, {});
        const std::string looks{Look(128), Look(129), Look(130)};
        EXPECT_EQ(looks, c.looks) << "profile " << c.activeProfile;
        EXPECT_EQ(Look(1), 'n');
    }
}

TEST_F(SkinDrawing, MissingImagesDrawSoundly) {
    skin.Attach(MainSkin::Image::Over, nullptr);
    skin.DrawCell(wnd.get(), cells, CellState::Over, 1);
    EXPECT_EQ(Look(1), 'n'); // no over picture: the face

    MainSkin bare;
    bare.DrawCell(wnd.get(), cells, CellState::Down, 2);
    EXPECT_EQ(Look(2), 'm'); // nothing to draw from
    HDC dc = GetDC(wnd.get());
    EXPECT_TRUE(bare.PaintSkin(wnd.get(), dc, cells, 1, {0}));
    ReleaseDC(wnd.get(), dc);
    EXPECT_EQ(wnd.Pixel(5, 5), GetSysColor(COLOR_BTNFACE));
}

// ---- Hover pass and tooltip ----------------------------------------------

class HoverWindow : public SkinDrawing {
  protected:
    HoverWindow() {
        cells[0].name = L"a";
        cells[1].name = L"Esc";
        cells[109].name = L"Mute";
        cells[124].name = L"Apply";
        working[0].setName = L"B";
        working[1].setName = L"esc";
        tracker.CreateTooltip(wnd.get());
    }
    // A hover pass at client point (x, y).
    void HoverAt(int x, int y, int activeProfile = 1, const ChangedCells& changed = {}) {
        POINT pt{x, y};
        ClientToScreen(wnd.get(), &pt);
        EXPECT_EQ(tracker.OnNcMouseHover(wnd.get(), MAKELPARAM(pt.x, pt.y), cells, hits, working,
                                         activeProfile, changed, skin),
                  0);
    }

    HoverTracker tracker;
    KeyAssignments working;
};

TEST_F(HoverWindow, TooltipIsSetUp) {
    HWND tip = tracker.Tooltip();
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(GetWindowLongW(tip, GWL_STYLE) & TTS_ALWAYSTIP);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), wnd.get());
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);
    EXPECT_EQ(COLORREF(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)), RGB(255, 255, 224));
    EXPECT_EQ(SendMessageW(tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0), 50);
    EXPECT_EQ(tracker.TipText(), L"ToolTip");
    EXPECT_EQ(tracker.HoverCell(), -1);
}

TEST_F(HoverWindow, PassesMoveTheHighlightAndTheTip) {
    HoverAt(3, 3, 2, {1});
    EXPECT_EQ(tracker.HoverCell(), 1);
    EXPECT_EQ(tracker.TipText(), L"A Key, Set As: B");
    EXPECT_EQ(cells[0].name, L"A");
    EXPECT_EQ(Look(1), 'o');
    EXPECT_EQ(Look(2), 'd'); // changed, redrawn after the move
    EXPECT_EQ(Look(129), 'd');

    // Onto a changed key: drawn Over, then Down by the changed-cells pass.
    HoverAt(14, 3, 2, {1});
    EXPECT_EQ(tracker.TipText(), L"ESC");
    EXPECT_EQ(Look(1), 'n');
    EXPECT_EQ(Look(2), 'd');
    HoverAt(15, 4, 2, {1}); // again on the same cell: now Over
    EXPECT_EQ(Look(2), 'o');

    // Inert cell: only the profile buttons are redrawn.
    skin.DrawCell(wnd.get(), cells, CellState::Over, 129);
    HoverAt(62, 22, 2, {1});
    EXPECT_EQ(tracker.HoverCell(), 2);
    EXPECT_EQ(tracker.TipText(), L"ESC");
    EXPECT_EQ(Look(2), 'o');
    EXPECT_EQ(Look(129), 'd');
    EXPECT_EQ(cells[109].name, L"Mute");

    // Key to control: highlight moves, the key's tip stays.
    HoverAt(77, 22, 2, {});
    EXPECT_EQ(tracker.HoverCell(), 125);
    EXPECT_EQ(tracker.TipText(), L"ESC");
    EXPECT_EQ(Look(125), 'o');
    EXPECT_EQ(Look(2), 'n');
    EXPECT_EQ(cells[124].name, L"Apply");

    // Between cells: no highlight, empty tip, changed cells down.
    HoverAt(130, 35, 2, {0});
    EXPECT_EQ(tracker.HoverCell(), -1);
    EXPECT_EQ(tracker.TipText(), L"");
    EXPECT_EQ(Look(125), 'n');
    EXPECT_EQ(Look(1), 'd');
}

} // namespace
} // namespace orvane
