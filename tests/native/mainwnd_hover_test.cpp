// Hover passes over the main window: which cells are redrawn how, where the
// highlight ends up, and what the tooltip says.
#include <gtest/gtest.h>

#include <string>

#include "mainwnd/HoverPass.h"

namespace orvane {
namespace {

class HoverPassTest : public ::testing::Test {
  protected:
    // A row of 10 px wide cells along y 0..9: x 0 cell 1, x 10 cell 2, x 20
    // cell 3, x 30 cell 110 (inert), x 40 cell 125 (control), x 50 cell 104
    // (last key cell); cells 7 and 8 both cover x 60..69.
    void SetUp() override {
        Place(1, 0, L"a", L"b");
        Place(2, 10, L"Esc", L"esc");
        Place(3, 20, L"Tab", L"");
        Place(110, 30, L"Mute", L"Mute");
        Place(125, 40, L"Apply", L"");
        Place(104, 50, L"Play", L"Play");
        Place(7, 60, L"F1", L"F2");
        Place(8, 60, L"F3", L"F3");
    }
    void Place(int cell, int x, const wchar_t* name, const wchar_t* setName) {
        cells[cell - 1].name = name;
        hits[cell - 1] = {x, 0, x + 10, 10};
        working[cell - 1].setName = setName;
    }
    HoverDecision Pass(int x, int y, int hoverCell) {
        return DecideHover(x, y, hits, hoverCell, cells, working);
    }

    KeyButtons cells;
    HitRects hits;
    KeyAssignments working;
};

TEST_F(HoverPassTest, Outcomes) {
    using O = HoverOutcome;
    struct Case {
        const char* what;
        int x, y, hoverCell;
        HoverDecision expected;
    };
    const Case cases[] = {
        {"onto a key set to another",
         5,
         5,
         -1,
         {O::Moved, -1, 1, 1, true, L"A Key, Set As: b", true}},
        {"same name in another case", 15, 5, 1, {O::Moved, 1, 2, 2, true, L"ESC", true}},
        {"empty setName", 25, 5, 2, {O::Moved, 2, 3, 3, true, L"TAB Key, Set As: ", true}},
        {"staying on a key", 9, 9, 1, {O::Same, -1, 1, 1, true, L"A Key, Set As: b", false}},
        {"key to control keeps the tip", 45, 0, 1, {O::Moved, 1, 125, 125, false, L"", true}},
        {"staying on a control", 41, 1, 125, {O::Same, -1, 125, 125, false, L"", false}},
        {"inert cell changes nothing", 35, 5, 2, {O::Inert, -1, -1, 2, false, L"", false}},
        {"inert cell with no highlight", 30, 0, -1, {O::Inert, -1, -1, -1, false, L"", false}},
        {"last key cell", 59, 9, 125, {O::Moved, 125, 104, 104, true, L"PLAY", true}},
        {"first of two overlapping cells",
         65,
         5,
         -1,
         {O::Moved, -1, 7, 7, true, L"F1 Key, Set As: F2", true}},
        {"between cells", 5, 10, 3, {O::None, 3, -1, -1, true, L"", true}},
        {"right edge is outside", 70, 5, 7, {O::None, 7, -1, -1, true, L"", true}},
        {"nothing to leave", -1, 5, -1, {O::None, -1, -1, -1, true, L"", true}},
    };
    for (const Case& c : cases) {
        SetUp();
        EXPECT_EQ(Pass(c.x, c.y, c.hoverCell), c.expected) << c.what;
    }
}

TEST_F(HoverPassTest, KeyNamesBecomeUpperCaseOnTheirFirstPassOnly) {
    Pass(5, 5, -1);
    EXPECT_EQ(cells[0].name, L"A");
    EXPECT_EQ(cells[1].name, L"Esc"); // not yet hovered
    Pass(15, 5, 1);
    EXPECT_EQ(cells[1].name, L"ESC");

    // Inert and control cells keep their names.
    Pass(35, 5, 2);
    Pass(45, 5, 2);
    EXPECT_EQ(cells[109].name, L"Mute");
    EXPECT_EQ(cells[124].name, L"Apply");

    // The stored upper-case name is what later passes compare with.
    working[0].setName = L"A";
    EXPECT_EQ(Pass(5, 5, 1).tipText, L"A");
}

TEST(HoverText, KeyTipText) {
    EXPECT_EQ(KeyTipText(L"A", L"B"), L"A Key, Set As: B");
    EXPECT_EQ(KeyTipText(L"ESC", L"esc"), L"ESC");
    EXPECT_EQ(KeyTipText(L"ESC", L"Esc Key"), L"ESC Key, Set As: Esc Key");
    EXPECT_EQ(KeyTipText(L"F1", L"macro one"), L"F1 Key, Set As: macro one");
    EXPECT_EQ(KeyTipText(L"A", L""), L"A Key, Set As: ");
    EXPECT_EQ(UpperCase(L"page dn+1"), L"PAGE DN+1");
}

TEST(HoverText, UpperCasingIsPluggable) {
    // The Win32 side passes the system's upper-casing; the decision must use
    // it both for the stored name and for the comparison.
    struct Local {
        static std::wstring Upper(std::wstring s) {
            for (auto& c : s)
                c = c == L'\u00e9' ? L'\u00c9' : (c >= L'a' && c <= L'z' ? wchar_t(c - 32) : c);
            return s;
        }
    };
    KeyButtons cells;
    HitRects hits;
    KeyAssignments working;
    cells[0].name = L"\u00e9";
    hits[0] = {0, 0, 1, 1};
    working[0].setName = L"\u00c9";
    const HoverDecision d = DecideHover(0, 0, hits, -1, cells, working, &Local::Upper);
    EXPECT_EQ(cells[0].name, L"\u00c9");
    EXPECT_EQ(d.tipText, L"\u00c9");
}

} // namespace
} // namespace orvane
