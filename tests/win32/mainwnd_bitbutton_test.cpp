// CBitButtton on a real dialog under Wine: the face it draws (read back from
// the screen) as mouse messages arrive, latching, and the faces' lifetime.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "skin/BitButton.w32.h"
#include "tests/support/DialogTemplate.w32.h"
#include "tests/support/SkinTestImages.w32.h"
#include "win/Dialog.h"
#include "win/Handles.h"

namespace orvane {
namespace {

using testing::DialogTemplate;
using testing::MakeImage;

constexpr WORD kPlain = 1001, kMode = 1002;
enum Tag : int { kNormal = 10, kOver = 20, kDown = 30, kDisabled = 40 };

// A face larger than the button whose pixel (x, y) is RGB(x, y, tag): an
// unscaled copy from (0, 0) shows RGB(x, y, tag) at every button pixel.
HBITMAP Face(SIZE size, int tag) {
    return MakeImage(size.cx + 9, size.cy + 9, [tag](int x, int y) { return RGB(x, y, tag); });
}

class FaceDialog : public win::Dialog {
  public:
    explicit FaceDialog(const DLGTEMPLATE* t) : Dialog(t, nullptr) {}
    CBitButtton plain, mode;
    std::function<void(FaceDialog&)> body;
    int clicks = 0, modeClicks = 0, okCount = 0;

  protected:
    BOOL OnInitDialog() override {
        OnCommand(kPlain, [this] { ++clicks; });
        OnCommand(kMode, [this] { ++modeClicks; });
        BOOL r = Dialog::OnInitDialog();
        SetWindowPos(Hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PostMessageW(Hwnd(), WM_APP, 0, 0);
        return r;
    }
    void DoDataExchange(bool save) override {
        if (save)
            return;
        for (auto [button, id] : {std::pair{&plain, kPlain}, std::pair{&mode, kMode}}) {
            EXPECT_TRUE(button->SubclassDlgItem(id, Hwnd()));
            RECT r;
            GetClientRect(button->Hwnd(), &r);
            SIZE s{r.right, r.bottom};
            button->AttachFaces(Face(s, kNormal), Face(s, kOver), Face(s, kDown),
                                Face(s, kDisabled));
        }
        mode.latching = 1;
    }
    void OnOK() override { ++okCount; }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
        if (msg == WM_APP) {
            body(*this);
            EndDialog(IDOK);
            return true;
        }
        return Dialog::OnMessage(msg, wp, lp, result);
    }
};

void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&msg);
}

// The face on screen after pending paints: its tag, or -1 when the
// button's corners are not one face copied unscaled from (0, 0).
int Shown(const CBitButtton& button) {
    UpdateWindow(GetParent(button.Hwnd()));
    UpdateWindow(button.Hwnd());
    GdiFlush();
    RECT r;
    GetClientRect(button.Hwnd(), &r);
    win::WindowDC dc(button.Hwnd());
    COLORREF first = GetPixel(dc.Get(), 0, 0);
    COLORREF last = GetPixel(dc.Get(), r.right - 1, r.bottom - 1);
    int tag = GetBValue(first);
    if (first != RGB(0, 0, tag) || last != RGB(r.right - 1, r.bottom - 1, tag))
        return -1;
    return tag;
}

LRESULT Mouse(const CBitButtton& b, UINT msg, int x = 3, int y = 3) {
    return SendMessageW(b.Hwnd(), msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

const DLGTEMPLATE* Template() {
    static const DialogTemplate t = [] {
        DialogTemplate d(WS_POPUP | WS_VISIBLE, 160, 60);
        d.Control(L"Button", kPlain, BS_PUSHBUTTON, 10, 10, 50, 16, L"Plain")
            .Control(L"Button", kMode, BS_DEFPUSHBUTTON, 80, 10, 50, 16, L"Mode");
        return d;
    }();
    return t.Get();
}

TEST(CBitButtton, DrawsTheChosenFaceAsTheMouseActs) {
    FaceDialog d(Template());
    d.body = [](FaceDialog& self) {
        CBitButtton& b = self.plain;
        EXPECT_EQ(GetWindowLongPtrW(b.Hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
        EXPECT_EQ(Shown(b), kNormal);
        EXPECT_EQ(Mouse(b, WM_MOUSEHOVER), 0);
        EXPECT_EQ(Shown(b), kOver) << "hover repaints";
        Mouse(b, WM_MOUSELEAVE);
        EXPECT_EQ(Shown(b), kNormal) << "leave repaints";
        RECT rc = b.faceRect;
        RECT client;
        GetClientRect(b.Hwnd(), &client);
        EXPECT_TRUE(EqualRect(&rc, &client));

        Mouse(b, WM_LBUTTONDOWN);
        EXPECT_EQ(Shown(b), kDown);
        Mouse(b, WM_LBUTTONUP);
        EXPECT_EQ(b.state, 1);
        EXPECT_EQ(b.latched, 1);
        EXPECT_EQ(Shown(b), kDown) << "kept until the mouse moves on or leaves";
        EXPECT_EQ(self.clicks, 1) << "the click reached the dialog's handler";

        Mouse(b, WM_LBUTTONDOWN);
        Mouse(b, WM_LBUTTONUP, -40, -40); // released elsewhere
        EXPECT_EQ(b.state, 3);
        EXPECT_EQ(b.latched, 1) << "as before the press";
        EXPECT_EQ(self.clicks, 1);
        b.Invalidate();
        EXPECT_EQ(Shown(b), kNormal);

        Mouse(b, WM_LBUTTONDBLCLK); // a fast second click
        EXPECT_EQ(self.clicks, 2);

        // The mouse resting on the button: tracking, then the hover notice.
        RECT screen;
        GetWindowRect(b.Hwnd(), &screen);
        SetCursorPos(screen.left + 4, screen.top + 4);
        Mouse(b, WM_MOUSELEAVE);
        Mouse(b, WM_MOUSEMOVE);
        for (DWORD end = GetTickCount() + 3000; b.state != 0 && GetTickCount() < end;) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            Pump();
        }
        EXPECT_EQ(b.state, 0);
        EXPECT_EQ(Shown(b), kOver);

        EnableWindow(b.Hwnd(), FALSE);
        EXPECT_EQ(Shown(b), kDisabled);
        Mouse(b, WM_MOUSEHOVER);
        EXPECT_EQ(Shown(b), kDisabled) << "disabled wins";
        EnableWindow(b.Hwnd(), TRUE);

        // A missing face draws the normal one; freed faces the button colour.
        b.overFace.Reset();
        b.state = 0;
        b.Invalidate();
        EXPECT_EQ(Shown(b), kNormal);
        HBITMAP normal = b.normalFace.Get();
        b.FreeFaces();
        EXPECT_EQ(GetObjectType(normal), 0u);
        b.Invalidate();
        UpdateWindow(b.Hwnd());
        win::WindowDC dc(b.Hwnd());
        EXPECT_EQ(GetPixel(dc.Get(), 1, 1), GetSysColor(COLOR_BTNFACE));
    };
    EXPECT_EQ(d.DoModal(), IDOK);
}

TEST(CBitButtton, LatchingButtonKeepsItsDownFace) {
    auto d = std::make_unique<FaceDialog>(Template());
    HBITMAP faces[4] = {};
    d->body = [&faces](FaceDialog& self) {
        CBitButtton& m = self.mode;
        EXPECT_EQ(Shown(m), kNormal);
        Mouse(m, WM_LBUTTONDOWN);
        Mouse(m, WM_LBUTTONUP);
        Mouse(m, WM_MOUSELEAVE);
        EXPECT_EQ(Shown(m), kDown) << "latched and not hovered";
        Mouse(m, WM_MOUSEHOVER);
        EXPECT_EQ(Shown(m), kOver);
        Mouse(m, WM_MOUSELEAVE);
        EXPECT_EQ(Shown(m), kDown);

        m.latched = 0; // the owner releases it
        m.Invalidate();
        EXPECT_EQ(Shown(m), kNormal);
        m.SetLatched();
        m.Invalidate();
        EXPECT_EQ(Shown(m), kDown);

        // Released elsewhere: no command runs, and the latch stays as it was.
        const int clicked = self.modeClicks;
        Mouse(m, WM_LBUTTONDOWN);
        Mouse(m, WM_LBUTTONUP, 500, 500);
        Mouse(m, WM_MOUSELEAVE);
        EXPECT_EQ(m.latched, 1);
        EXPECT_EQ(Shown(m), kDown);
        m.latched = 0;
        Mouse(m, WM_LBUTTONDOWN);
        Mouse(m, WM_LBUTTONUP, 500, 500);
        Mouse(m, WM_MOUSELEAVE);
        EXPECT_EQ(m.latched, 0);
        EXPECT_EQ(Shown(m), kNormal);
        EXPECT_EQ(self.modeClicks, clicked);
        faces[0] = m.normalFace.Get(), faces[1] = m.overFace.Get();
        faces[2] = m.downFace.Get(), faces[3] = m.disabledFace.Get();
    };
    EXPECT_EQ(d->DoModal(), IDOK);
    for (HBITMAP f : faces)
        EXPECT_NE(GetObjectType(f), 0u) << "the faces live as long as the button object";
    d.reset();
    for (HBITMAP f : faces)
        EXPECT_EQ(GetObjectType(f), 0u) << "freed with the button";
}

// Keys as the dialog's modal loop reads them (IsDialogMessage first).
void PressOn(HWND dialog, HWND target, WPARAM vk) {
    PostMessageW(target, WM_KEYDOWN, vk, 1);
    PostMessageW(target, WM_KEYUP, vk, 0xC0000001);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!IsDialogMessageW(dialog, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

TEST(CBitButtton, EnterAndSpaceOnTheFocusedButtonRunItsCommand) {
    FaceDialog d(Template());
    d.body = [](FaceDialog& self) {
        // The template makes the other button the dialog's default: Enter
        // would run that one's command if the focused button did not take it.
        HWND plain = self.plain.Hwnd();
        SetFocus(plain);
        PressOn(self.Hwnd(), plain, VK_RETURN);
        EXPECT_EQ(self.clicks, 1);
        EXPECT_EQ(self.modeClicks, 0) << "Enter ran the dialog's default button";
        PressOn(self.Hwnd(), plain, VK_SPACE);
        EXPECT_EQ(self.clicks, 2);
        EnableWindow(plain, FALSE);
        SendMessageW(plain, WM_KEYDOWN, VK_RETURN, 1);
        EXPECT_EQ(self.clicks, 2) << "a disabled button runs nothing";
    };
    EXPECT_EQ(d.DoModal(), IDOK);
}

} // namespace
} // namespace orvane
