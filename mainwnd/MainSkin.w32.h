// The main window's skin (four full-window images), its outline, the drawing
// of single cells, and the hover highlight with its tooltip.
//
// Owner: COrvaneDlg holds one MainSkin and one HoverTracker as members and
// calls them from its handlers; everything here runs on the GUI thread.
//
//   constructor       skin.Load(ExeDirectory())
//   OnInitDialog      skin.ShapeWindow(m_hWnd)            (after the profiles are loaded)
//                     ... base OnInitDialog ...
//                     hover.CreateTooltip(m_hWnd)
//   WindowProc        hover.Relay(m_hWnd, msg, wParam, lParam), then the base WindowProc
//   WM_NCHITTEST      return CaptionHitTest(DefWindowProc result)
//   WM_ERASEBKGND     return skin.PaintSkin(m_hWnd, (HDC)wParam, cells, activeProfile, changed)
//   WM_PAINT          iconic: PaintIconic(m_hWnd, icon); else default painting
//   WM_NCMOUSEMOVE    hover.OnNcMouseMove(m_hWnd), then default processing
//   WM_NCMOUSEHOVER   return hover.OnNcMouseHover(m_hWnd, lParam, cells, hits, working, ...)
//   WM_NCMOUSELEAVE   return 0
//
// Cells are numbered 1..132 (cell n is cells[n - 1]); ChangedCells holds
// 0-based indexes (entry e is cell e + 1).
#pragma once

#include <windows.h>

#include <string>

#include "engine/KeyModel.h"
#include "layout/Layout.h"
#include "skin/Skin.w32.h"
#include "win/Handles.h"

namespace orvane {

// The picture a cell is drawn with; the values are the stored ones.
enum class CellState : int { Normal = 0, Over = 1, Down = 2 };

// The main window's four skin images. Owns the bitmaps (freed with it);
// not copyable.
class MainSkin {
  public:
    enum class Image : int { Mask = 0, Normal = 1, Over = 2, Down = 3 };

    MainSkin() = default;
    MainSkin(const MainSkin&) = delete;
    MainSkin& operator=(const MainSkin&) = delete;

    // Loads exeDir + "skin\\main_mask.bmp", "main_normal.bmp", "main_over.bmp"
    // and "main_down.bmp" (exeDir ends with a backslash) as DIB sections, in
    // this order. A missing or unreadable file leaves that image empty;
    // nothing is reported. Replaces images loaded before.
    void Load(const std::wstring& exeDir);

    // Takes ownership of `bitmap` as image `which` (null empties it), freeing
    // the previous one. For tests and for callers with their own bitmaps.
    void Attach(Image which, HBITMAP bitmap);
    HBITMAP Get(Image which) const { return images_[static_cast<int>(which)].Get(); }

    // The window's size: the mask's; without a mask the normal image's;
    // without either false (the caller keeps the window's template size).
    bool WindowSize(SIZE& size) const;

    // Window shaping at initialisation: when WindowSize answers, moves the
    // window to the screen's top-left corner with that size (MoveWindow,
    // repaint); then SetRegionFromMask with the mask and GetWindowDC. Without
    // a usable mask the region is a rectangle of the normal image's size, or,
    // lacking that too, of the window's current size.
    void ShapeWindow(HWND wnd) const;

    // Draws cell `cell` (1..132; -1 or any other number draws nothing) in
    // `state` straight onto the window's client DC (GetDC). Cell 28 also puts
    // back, from the normal image, a strip 2 px wide and as high as cell 27,
    // starting 6 px left of cell 28. A missing over or down image draws the
    // cell from the normal image; without a normal image nothing is drawn.
    void DrawCell(HWND wnd, const KeyButtons& cells, CellState state, int cell) const;

    // Draws the three profile buttons (cells 128..130): the one of
    // activeProfile Down, the others Normal, in the order 128/129/130 for
    // profile 1, 129/128/130 for 2, 130/129/128 for 3. Any other
    // activeProfile: all three Normal.
    void DrawProfileButtons(HWND wnd, const KeyButtons& cells, int activeProfile) const;

    // Draws every `changed` entry e as cell e + 1 Down, in list order.
    void DrawChangedCells(HWND wnd, const KeyButtons& cells, const ChangedCells& changed) const;

    // WM_ERASEBKGND (also called directly with a GetDC DC): the normal image
    // onto `dc` (without it, or beyond its edge, the button-face colour), then
    // DrawProfileButtons and DrawChangedCells through the window's own DC.
    // Returns TRUE. The hovered cell is not redrawn.
    BOOL PaintSkin(HWND wnd, HDC dc, const KeyButtons& cells, int activeProfile,
                   const ChangedCells& changed) const;

  private:
    win::UniqueBitmap images_[4];
};

// HoverCell and the tooltip control of the main window. Owns the tooltip
// window: the main window destroys it (DestroyTooltip) before it goes
// itself, and a tracker that ends first takes it along.
class HoverTracker {
  public:
    // Creates the tooltip: TTS_ALWAYSTIP, one tool that is the main window
    // itself (TTF_IDISHWND, hwnd = uId = mainWnd, no rectangle), text
    // "ToolTip", background RGB(255, 255, 224), initial delay 50 ms.
    // Resets HoverCell to -1.
    void CreateTooltip(HWND mainWnd);
    // From the main window's WM_DESTROY: the tooltip goes while its owner
    // still exists (afterwards its handle would name no window).
    void DestroyTooltip() { tooltip_.Reset(); }

    // From the main window's WindowProc, before the base: relays
    // WM_NCMOUSEMOVE to the tooltip (TTM_RELAYEVENT); ignores other messages.
    void Relay(HWND mainWnd, UINT msg, WPARAM wParam, LPARAM lParam) const;

    // WM_NCMOUSEMOVE: re-arms _TrackMouseEvent(TME_HOVER | TME_LEAVE |
    // TME_NONCLIENT, 10 ms). The caller then runs the default processing.
    void OnNcMouseMove(HWND mainWnd) const;

    // WM_NCMOUSEHOVER, the hover pass; returns 0. screenPoint is the
    // message's lParam (signed x low, y high, screen coordinates). Redraws
    // the profile buttons, moves the Over highlight, updates HoverCell and the
    // tooltip text, redraws the changed cells Down when the highlight moved
    // or left. A key cell's (1..104) stored name in `cells` becomes upper
    // case on its first pass and stays so. Cells 105..121 are inert: only the
    // profile buttons are redrawn.
    LRESULT OnNcMouseHover(HWND mainWnd, LPARAM screenPoint, KeyButtons& cells,
                           const HitRects& hits, const KeyAssignments& working, int activeProfile,
                           const ChangedCells& changed, const MainSkin& skin);

    // The cell drawn Over, -1 for none.
    int HoverCell() const { return hoverCell_; }
    void SetHoverCell(int cell) { hoverCell_ = cell; }

    // The tooltip window (null before CreateTooltip) and its current text.
    HWND Tooltip() const { return tooltip_.Get(); }
    std::wstring TipText() const;

  private:
    win::UniqueWindow tooltip_;
    HWND owner_ = nullptr;
    int hoverCell_ = -1;
};

} // namespace orvane
