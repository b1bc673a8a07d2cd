#include <windows.h>
#include <windowsx.h>

#include <commctrl.h>

#include "mainwnd/HoverPass.h"
#include "mainwnd/MainSkin.w32.h"

namespace orvane {

namespace {

constexpr DWORD kHoverTimeMs = 10;
constexpr int kTipInitialDelayMs = 50;
constexpr COLORREF kTipBackground = RGB(255, 255, 224);
constexpr int kTipTextCapacity = 1024; // the control's own limit for a tip text

// The system's upper-casing, so that names in any script follow the same
// tables as the rest of the system.
std::wstring SystemUpperCase(std::wstring text) {
    if (!text.empty())
        CharUpperBuffW(text.data(), DWORD(text.size()));
    return text;
}

// The one tool: the main window itself, no rectangle, id 0. The size is the
// one every comctl32 version accepts.
TTTOOLINFOW WindowTool(HWND mainWnd, const wchar_t* text) {
    TTTOOLINFOW ti{};
    ti.cbSize = TTTOOLINFOW_V2_SIZE;
    ti.uFlags = TTF_IDISHWND;
    ti.hwnd = mainWnd;
    ti.uId = reinterpret_cast<UINT_PTR>(mainWnd);
    ti.lpszText = const_cast<wchar_t*>(text);
    return ti;
}

} // namespace

void HoverTracker::CreateTooltip(HWND mainWnd) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    owner_ = mainWnd;
    hoverCell_ = -1;
    tooltip_.Reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, mainWnd, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!tooltip_)
        return;
    HWND tooltip = tooltip_.Get();
    TTTOOLINFOW ti = WindowTool(mainWnd, L"ToolTip");
    SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti));
    SendMessageW(tooltip, TTM_SETTIPBKCOLOR, kTipBackground, 0);
    SendMessageW(tooltip, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(kTipInitialDelayMs, 0));
}

void HoverTracker::Relay(HWND mainWnd, UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (msg != WM_NCMOUSEMOVE || !tooltip_)
        return;
    MSG m{};
    m.hwnd = mainWnd;
    m.message = msg;
    m.wParam = wParam;
    m.lParam = lParam;
    SendMessageW(tooltip_.Get(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&m));
}

void HoverTracker::OnNcMouseMove(HWND mainWnd) const {
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_HOVER | TME_LEAVE | TME_NONCLIENT;
    tme.hwndTrack = mainWnd;
    tme.dwHoverTime = kHoverTimeMs;
    _TrackMouseEvent(&tme);
}

LRESULT HoverTracker::OnNcMouseHover(HWND mainWnd, LPARAM screenPoint, KeyButtons& cells,
                                     const HitRects& hits, const KeyAssignments& working,
                                     int activeProfile, const ChangedCells& changed,
                                     const MainSkin& skin) {
    POINT pt{GET_X_LPARAM(screenPoint), GET_Y_LPARAM(screenPoint)};
    ScreenToClient(mainWnd, &pt);
    skin.DrawProfileButtons(mainWnd, cells, activeProfile);
    const HoverDecision d =
        DecideHover(pt.x, pt.y, hits, hoverCell_, cells, working, &SystemUpperCase);
    if (d.outcome == HoverOutcome::Inert)
        return 0;
    skin.DrawCell(mainWnd, cells, CellState::Normal, d.normalCell);
    skin.DrawCell(mainWnd, cells, CellState::Over, d.overCell);
    if (d.setTip && tooltip_) {
        TTTOOLINFOW ti = WindowTool(mainWnd, d.tipText.c_str());
        SendMessageW(tooltip_.Get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
    }
    hoverCell_ = d.hoverCell;
    if (d.redrawChanged)
        skin.DrawChangedCells(mainWnd, cells, changed);
    return 0;
}

std::wstring HoverTracker::TipText() const {
    if (!tooltip_)
        return {};
    wchar_t buffer[kTipTextCapacity] = {};
    TTTOOLINFOW ti = WindowTool(owner_, buffer);
    SendMessageW(tooltip_.Get(), TTM_GETTEXTW, kTipTextCapacity, reinterpret_cast<LPARAM>(&ti));
    return buffer;
}

} // namespace orvane
