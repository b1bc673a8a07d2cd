// The framework's dialog plumbing under Wine: command and notification
// routing by control id, OK running the data exchange, binding that
// survives foreign subclasses, and the control wrappers on real controls.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/DialogTemplate.w32.h"
#include "win/Controls.h"
#include "win/Dialog.h"
#include "win/Handles.h"
#include "win/OwnerDrawButton.h"

namespace {

using orvane::testing::DialogTemplate;

constexpr WORD kPush = 1001, kCombo = 1002, kEdit = 1003, kList = 1004, kOwnerDrawn = 1005;

// Every control kind the wrappers cover; not visible, so nothing waits for a
// window manager when it closes.
const DialogTemplate& Controls() {
    static const DialogTemplate t = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&icc);
        DialogTemplate d;
        d.Control(L"Button", kPush, BS_PUSHBUTTON, 4, 4, 40, 14, L"Push")
            .Control(L"ComboBox", kCombo, CBS_DROPDOWN | WS_VSCROLL, 4, 22, 80, 80)
            .Control(L"Edit", kEdit, ES_AUTOHSCROLL | WS_BORDER, 4, 40, 80, 12)
            .Control(WC_LISTVIEWW, kList, LVS_REPORT | WS_BORDER, 90, 4, 100, 60)
            .Control(L"Button", kOwnerDrawn, BS_PUSHBUTTON, 4, 56, 40, 14, L"Drawn");
        return d;
    }();
    return t;
}

// Runs `body` once the dialog is initialised, then ends it with IDABORT
// unless the body ended it.
class ScriptedDialog : public win::Dialog {
  public:
    ScriptedDialog() : Dialog(Controls().Get(), nullptr) {}
    std::function<void(ScriptedDialog&)> body;
    std::vector<std::pair<UINT, WPARAM>> fellThrough; // WM_COMMAND / WM_NOTIFY OnMessage saw
    std::wstring name = L"Initial";
    int exchanges = 0;
    int clicks = 0;

    void OnPush() { ++clicks; }
    LRESULT OnListDoubleClick(NMHDR& header) { return header.idFrom == kList ? 7 : -1; }
    void OnListClick(NMHDR&) { ++clicks; }
    using Dialog::OnCommand;
    using Dialog::OnNotify;

  protected:
    BOOL OnInitDialog() override {
        BOOL r = Dialog::OnInitDialog();
        PostMessageW(Hwnd(), WM_APP, 0, 0);
        return r;
    }
    void DoDataExchange(bool save) override {
        ++exchanges;
        ExchangeText(save, kEdit, name);
    }
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override {
        if (msg == WM_APP) {
            fellThrough.clear(); // what the controls said while initialising
            if (body)
                body(*this);
            // Ends the dialog unless the body did (its loop then stops first).
            PostMessageW(Hwnd(), WM_APP + 2, 0, 0);
            return true;
        }
        if (msg == WM_APP + 2) {
            EndDialog(IDABORT);
            return true;
        }
        if (msg == WM_COMMAND || msg == WM_NOTIFY)
            fellThrough.push_back(
                {msg, msg == WM_COMMAND ? wp : reinterpret_cast<NMHDR*>(lp)->code});
        return Dialog::OnMessage(msg, wp, lp, result);
    }
};

LRESULT Command(ScriptedDialog& d, WORD id, WORD code, HWND from) {
    return SendMessageW(d.Hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(from));
}

LRESULT Notify(ScriptedDialog& d, WORD id, UINT code) {
    NMHDR header{d.Item(id), id, code};
    return SendMessageW(d.Hwnd(), WM_NOTIFY, id, reinterpret_cast<LPARAM>(&header));
}

TEST(WinRouting, CommandsByIdAndCode) {
    ScriptedDialog d;
    int comboEdits = 0;
    d.OnCommand(kPush, &ScriptedDialog::OnPush);
    d.OnCommand(kCombo, CBN_EDITCHANGE, [&] { ++comboEdits; });
    d.OnCommand(kEdit, &ScriptedDialog::OnPush);
    d.body = [&](ScriptedDialog& self) {
        HWND push = self.Item(kPush), combo = self.Item(kCombo);
        struct Case {
            WORD id, code;
            HWND from;
            int clicks, comboEdits, fellThrough;
        };
        const Case cases[] = {
            {kPush, BN_CLICKED, push, 1, 0, 0},
            {kPush, BN_DOUBLECLICKED, push, 2, 0, 0}, // a fast second click
            {kPush, 0, nullptr, 3, 0, 0},             // menu item with the same id
            {kPush, 1, nullptr, 4, 0, 0},             // accelerator
            {kPush, BN_SETFOCUS, push, 4, 0, 1},
            {kCombo, CBN_EDITCHANGE, combo, 4, 1, 1},
            {kCombo, BN_CLICKED, combo, 4, 1, 2},
            // BN_DOUBLECLICKED's value from a control that is no button (an
            // edit's click handler here) is not a click.
            {kEdit, BN_DOUBLECLICKED, self.Item(kEdit), 4, 1, 3},
            {kEdit, BN_CLICKED, self.Item(kEdit), 5, 1, 3},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.id << "/" << c.code);
            Command(self, c.id, c.code, c.from);
            EXPECT_EQ(self.clicks, c.clicks);
            EXPECT_EQ(comboEdits, c.comboEdits);
            EXPECT_EQ(self.fellThrough.size(), static_cast<size_t>(c.fellThrough));
        }
        // A real double click on an owner-drawn button.
        win::OwnerDrawButton drawn;
        ASSERT_TRUE(drawn.SubclassDlgItem(kOwnerDrawn, self.Hwnd()));
        int drawnClicks = 0;
        self.OnCommand(kOwnerDrawn, [&] { ++drawnClicks; });
        SendMessageW(drawn.Hwnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
        EXPECT_EQ(drawnClicks, 1);
    };
    EXPECT_EQ(d.DoModal(), IDABORT);
}

TEST(WinRouting, NotificationsByIdAndCode) {
    ScriptedDialog d;
    d.OnNotify(kList, NM_DBLCLK, &ScriptedDialog::OnListDoubleClick);
    d.OnNotify(kList, NM_CLICK, &ScriptedDialog::OnListClick);
    d.body = [](ScriptedDialog& self) {
        EXPECT_EQ(Notify(self, kList, NM_DBLCLK), 7) << "the handler's result is the message's";
        EXPECT_EQ(Notify(self, kList, NM_CLICK), 0);
        EXPECT_EQ(self.clicks, 1);
        EXPECT_TRUE(self.fellThrough.empty());
        Notify(self, kList, NM_RCLICK);
        Notify(self, kCombo, NM_CLICK);
        ASSERT_EQ(self.fellThrough.size(), 2u);
        EXPECT_EQ(self.fellThrough[0].second, static_cast<WPARAM>(NM_RCLICK));
    };
    EXPECT_EQ(d.DoModal(), IDABORT);
}

TEST(WinRouting, OkStoresTheControlsCancelDoesNot) {
    for (WORD id : {IDOK, IDCANCEL}) {
        ScriptedDialog d;
        d.body = [id](ScriptedDialog& self) {
            EXPECT_EQ(win::Control(self.Item(kEdit)).GetText(), L"Initial");
            SetDlgItemTextW(self.Hwnd(), kEdit, L"typed");
            Command(self, id, BN_CLICKED, self.Item(kPush));
        };
        EXPECT_EQ(d.DoModal(), id);
        EXPECT_EQ(d.name, id == IDOK ? L"typed" : L"Initial");
        EXPECT_EQ(d.exchanges, id == IDOK ? 2 : 1);
    }
    // A routed OK replaces the base one.
    ScriptedDialog d;
    d.OnCommand(IDOK, [&d] { d.EndDialog(5); });
    d.body = [](ScriptedDialog& self) { Command(self, IDOK, BN_CLICKED, nullptr); };
    EXPECT_EQ(d.DoModal(), 5);
    EXPECT_EQ(d.exchanges, 1);
}

// Counts the messages a foreign subclass sees.
int g_foreignSeen = 0;
WNDPROC g_foreignNext = nullptr;
LRESULT CALLBACK ForeignProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP + 1)
        ++g_foreignSeen;
    return CallWindowProcW(g_foreignNext, hwnd, msg, wp, lp);
}
LRESULT CALLBACK ForeignSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                 DWORD_PTR seen) {
    if (msg == WM_APP + 1)
        ++*reinterpret_cast<int*>(seen);
    return DefSubclassProc(hwnd, msg, wp, lp);
}

class CountingButton : public win::OwnerDrawButton {
  public:
    int seen = 0, draws = 0;
    void DrawItem(const DRAWITEMSTRUCT&) override { ++draws; }

  protected:
    bool OnMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        seen += msg == WM_APP + 1;
        return false;
    }
};

TEST(WinBinding, SurvivesForeignSubclassesAndLeavesThemInPlace) {
    ScriptedDialog d;
    d.body = [](ScriptedDialog& self) {
        HWND hwnd = self.Item(kOwnerDrawn);
        auto button = std::make_unique<CountingButton>();
        ASSERT_TRUE(button->SubclassWindow(hwnd));
        EXPECT_FALSE(CountingButton().SubclassWindow(hwnd)) << "one object per window";
        // A tooltip that subclasses its tool, a comctl32 subclass and a raw
        // window-procedure subclass, all after the binding.
        HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, self.Hwnd(),
                                   nullptr, nullptr, nullptr);
        TTTOOLINFOW tool{sizeof(tool), TTF_IDISHWND | TTF_SUBCLASS, self.Hwnd(),
                         reinterpret_cast<UINT_PTR>(hwnd)};
        tool.lpszText = const_cast<wchar_t*>(L"tip");
        EXPECT_TRUE(SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)));
        int subclassSeen = 0;
        ASSERT_TRUE(SetWindowSubclass(hwnd, ForeignSubclass, 9,
                                      reinterpret_cast<DWORD_PTR>(&subclassSeen)));
        g_foreignSeen = 0;
        g_foreignNext = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));

        EXPECT_EQ(win::Window::FromHandle(hwnd), button.get());
        SendMessageW(hwnd, WM_APP + 1, 0, 0);
        EXPECT_EQ(button->seen, 1);
        EXPECT_EQ(subclassSeen, 1);
        EXPECT_EQ(g_foreignSeen, 1);
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        win::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        EXPECT_GE(button->draws, 1) << "WM_DRAWITEM still reflected to the object";

        // The object lets go first: both later subclassers keep working.
        button.reset();
        EXPECT_EQ(win::Window::FromHandle(hwnd), nullptr);
        SendMessageW(hwnd, WM_APP + 1, 0, 0);
        EXPECT_EQ(subclassSeen, 2);
        EXPECT_EQ(g_foreignSeen, 2);
        EXPECT_EQ(win::Control(hwnd).GetText(), L"Drawn") << "the chain still ends in the button";

        // A new object binds again under the foreign ones.
        CountingButton again;
        ASSERT_TRUE(again.SubclassWindow(hwnd));
        SendMessageW(hwnd, WM_APP + 1, 0, 0);
        EXPECT_EQ(again.seen, 1);
        EXPECT_EQ(g_foreignSeen, 3);
        DestroyWindow(tip);
        // `again` is unbound when the dialog destroys the control.
    };
    d.DoModal();
}

TEST(WinControls, ComboBox) {
    ScriptedDialog d;
    d.body = [](ScriptedDialog& self) {
        win::ComboBox combo;
        ASSERT_TRUE(combo.Bind(self.Hwnd(), kCombo));
        for (const wchar_t* s : {L"Alpha", L"beta", L"Alphabet", L"Gamma"})
            combo.AddString(s);
        EXPECT_EQ(combo.GetCount(), 4);
        struct Find {
            int start;
            const wchar_t* text;
            int found;
        };
        // Prefix, case ignored, from the item after `start`, wrapping round.
        for (const Find& f : {Find{-1, L"alp", 0}, Find{0, L"alp", 2}, Find{2, L"ALP", 0},
                              Find{3, L"b", 1}, Find{1, L"b", 1}, Find{-1, L"x", CB_ERR}}) {
            EXPECT_EQ(combo.FindString(f.start, f.text), f.found) << f.start << " " << f.text;
        }
        EXPECT_EQ(combo.FindStringExact(-1, L"ALPHABET"), 2);
        EXPECT_TRUE(combo.SetCurSel(1));
        EXPECT_EQ(combo.GetCurSel(), 1);
        EXPECT_EQ(combo.GetText(), L"beta");
        EXPECT_FALSE(combo.SetCurSel(9));
        EXPECT_EQ(combo.GetCurSel(), CB_ERR);
        EXPECT_EQ(combo.DeleteString(0), 3);
        EXPECT_EQ(combo.GetItemText(0), L"beta");
        EXPECT_EQ(combo.GetItemText(7), L"");
        combo.SetText(L"typed name");
        EXPECT_EQ(combo.GetText(), L"typed name");
        combo.ResetContent();
        EXPECT_EQ(combo.GetCount(), 0);

        combo.Enable(false);
        EXPECT_FALSE(combo.IsEnabled());
        combo.Show(false);
        EXPECT_FALSE(IsWindowVisible(combo.Hwnd()));
        combo.Move(RECT{3, 5, 103, 25});
        RECT r = combo.Rect();
        EXPECT_EQ(r.left, 3);
        EXPECT_EQ(r.top, 5);
        EXPECT_EQ(r.right, 103);

        win::ComboBox unbound;
        EXPECT_EQ(unbound.GetCount(), 0);
        EXPECT_EQ(unbound.GetCurSel(), CB_ERR);
        EXPECT_EQ(unbound.FindString(-1, L""), CB_ERR);
        EXPECT_FALSE(unbound.Bind(self.Hwnd(), 4242));
    };
    d.DoModal();
}

TEST(WinControls, ListView) {
    ScriptedDialog d;
    d.body = [](ScriptedDialog& self) {
        win::ListView list(self.Hwnd(), kList);
        list.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES, LVS_EX_FULLROWSELECT);
        EXPECT_EQ(list.GetExtendedStyle() & (LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES),
                  static_cast<DWORD>(LVS_EX_FULLROWSELECT));
        EXPECT_EQ(list.InsertColumn(0, L"Key", 60), 0);
        EXPECT_EQ(list.InsertColumn(1, L"Up/Down", 40), 1);
        EXPECT_EQ(list.GetColumnCount(), 2);
        EXPECT_TRUE(list.DeleteColumn(1));
        EXPECT_EQ(list.GetColumnCount(), 1);
        list.InsertColumn(1, L"Up/Down", 40);

        EXPECT_EQ(list.InsertItem(0, L"A"), 0);
        EXPECT_EQ(list.InsertItem(1, L"B"), 1);
        EXPECT_EQ(list.InsertItem(1, L"C"), 1); // before B
        EXPECT_TRUE(list.SetItemText(1, 1, L"down"));
        EXPECT_EQ(list.GetItemText(1, 0), L"C");
        EXPECT_EQ(list.GetItemText(1, 1), L"down");
        EXPECT_EQ(list.GetItemText(2, 0), L"B");
        EXPECT_EQ(list.GetItemCount(), 3);

        EXPECT_EQ(list.GetSelectedRow(), -1);
        list.SelectRow(2);
        EXPECT_EQ(list.GetSelectedRow(), 2);
        EXPECT_EQ(list.GetItemState(2, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
        list.SelectRow(0);
        EXPECT_EQ(list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), 0u) << "one row selected";
        EXPECT_EQ(list.GetSelectedRow(), 0);

        EXPECT_TRUE(list.DeleteItem(0));
        EXPECT_EQ(list.GetItemText(0, 0), L"C");
        EXPECT_TRUE(list.DeleteAllItems());
        EXPECT_EQ(list.GetItemCount(), 0);
        EXPECT_EQ(list.GetSelectedRow(), -1);

        // A long list scrolls to the row asked for.
        for (int i = 0; i < 60; ++i)
            list.InsertItem(i, L"row");
        EXPECT_EQ(SendMessageW(list.Hwnd(), LVM_GETTOPINDEX, 0, 0), 0);
        EXPECT_TRUE(list.EnsureVisible(59));
        EXPECT_GT(SendMessageW(list.Hwnd(), LVM_GETTOPINDEX, 0, 0), 30);

        win::Edit edit(self.Hwnd(), kEdit);
        edit.SetLimitText(3);
        EXPECT_EQ(SendMessageW(edit.Hwnd(), EM_GETLIMITTEXT, 0, 0), 3);
        edit.SetText(L"ab");
        EXPECT_EQ(edit.GetText(), L"ab");
        EXPECT_EQ(win::ListView().GetSelectedRow(), -1);
    };
    d.DoModal();
}

} // namespace
