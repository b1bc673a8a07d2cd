// The shipped layout file against the roles the program gives cell numbers:
// keys 1..104, multimedia names 104..121, the eleven command cells 122..132,
// and a picture every cell fits in.
#include <gtest/gtest.h>

#include <set>

#include "MainIniFile.h"
#include "tools/skingen/SkinGeometry.h"

namespace {

using layout_test::Cell;

class ShippedLayout : public ::testing::Test {
  protected:
    void SetUp() override {
        cells_ = layout_test::ReadMainIni(layout_test::ShippedMainIni());
        ASSERT_EQ(cells_.size(), 132u) << "Main.ini must define cells 1..132";
        ASSERT_EQ(cells_.begin()->first, 1);
        ASSERT_EQ(cells_.rbegin()->first, 132);
    }
    const Cell& At(int n) { return cells_.at(n); }
    std::map<int, Cell> cells_;
};

TEST_F(ShippedLayout, EveryValueHasItsFieldsAndARealRectangle) {
    for (const auto& [n, c] : cells_) {
        SCOPED_TRACE("cell " + std::to_string(n));
        // A comma inside a name would split it: the program would show a cut name.
        EXPECT_EQ(c.fieldCount, n <= 121 ? 6u : 5u);
        EXPECT_GT(c.width, 0);
        EXPECT_GT(c.height, 0);
        EXPECT_FALSE(c.name.empty());
        EXPECT_NE(c.name.front(), ' ');
        EXPECT_NE(c.name.back(), ' ');
    }
}

TEST_F(ShippedLayout, CellsDoNotOverlap) {
    for (int a = 1; a <= 132; ++a) {
        for (int b = a + 1; b <= 132; ++b) {
            const Cell &p = At(a), &q = At(b);
            bool apart =
                p.right() <= q.x || q.right() <= p.x || p.bottom() <= q.y || q.bottom() <= p.y;
            EXPECT_TRUE(apart) << "cells " << a << " and " << b << " overlap";
        }
    }
}

TEST_F(ShippedLayout, CommandCellsCarryTheElevenCommandNames) {
    std::multiset<std::string> names;
    for (int n = 122; n <= 132; ++n)
        names.insert(At(n).name);
    std::multiset<std::string> expected = {"Close",    "Macro..",  "Minimize", "Menu",
                                           "Apply",    "OK",       "Cancel",   "Default",
                                           "Profile1", "Profile2", "Profile3"};
    EXPECT_EQ(names, expected);
    EXPECT_EQ(At(128).name, "Profile1");
    EXPECT_EQ(At(129).name, "Profile2");
    EXPECT_EQ(At(130).name, "Profile3");
}

TEST_F(ShippedLayout, AssignmentDialogMultimediaNamesResolveToTheirCodes) {
    // MediaKeyNames is filled from cells 104..121; for a repeated name the
    // lower cell wins, so the first occurrence is the one that counts.
    std::map<std::string, int> media;
    for (int n = 104; n <= 121; ++n)
        media.emplace(At(n).name, At(n).keyCode);
    const std::pair<const char*, int> offered[] = {
        {"Play/Pause", 179}, {"Pretrack", 177}, {"Nexttrack", 176},  {"Refresh", 168},
        {"www Stop", 169},   {"www Back", 166}, {"www Forward", 167}};
    for (const auto& [name, code] : offered) {
        ASSERT_EQ(media.count(name), 1u) << name;
        EXPECT_EQ(media[name], code) << name;
    }
    // Cell 104 is a key and a media entry at once; its name must not shadow
    // a multimedia name.
    for (int n = 105; n <= 121; ++n)
        EXPECT_NE(At(104).name, At(n).name);
}

TEST_F(ShippedLayout, KeyCodesOfTheKeysAreUniqueAndTellTheTwoEntersApart) {
    std::map<int, int> cellOfCode;
    for (int n = 1; n <= 104; ++n) {
        int code = At(n).keyCode;
        EXPECT_GT(code, 0) << "cell " << n;
        EXPECT_LT(code, 256) << "cell " << n;
        auto [it, fresh] = cellOfCode.emplace(code, n);
        EXPECT_TRUE(fresh) << "cells " << it->second << " and " << n << " share key code " << code;
    }
    EXPECT_TRUE(cellOfCode.count(13)) << "main Enter";
    EXPECT_TRUE(cellOfCode.count(108)) << "keypad Enter";
    // The hook reports the left/right modifier codes, never the generic ones.
    for (int generic : {16, 17, 18})
        EXPECT_FALSE(cellOfCode.count(generic)) << generic;
    for (int sided : {160, 161, 162, 163, 164, 165})
        EXPECT_TRUE(cellOfCode.count(sided)) << sided;
}

TEST_F(ShippedLayout, EveryCellLiesInsideTheWindowOutline) {
    std::vector<Cell> all;
    for (const auto& [n, c] : cells_)
        all.push_back(c);
    skingen::CanvasSize size = skingen::CanvasForCells(all);
    EXPECT_LE(size.width, 1280) << "the window must fit a 1280-pixel-wide screen";
    for (const Cell& c : all) {
        SCOPED_TRACE("cell " + std::to_string(c.number));
        ASSERT_GE(c.x, 0);
        ASSERT_GE(c.y, 0);
        ASSERT_LE(c.right(), size.width);
        ASSERT_LE(c.bottom(), size.height);
        // The corners are the pixels most likely to fall outside the rounded outline.
        for (auto [px, py] : {std::pair{c.x, c.y},
                              {c.right() - 1, c.y},
                              {c.x, c.bottom() - 1},
                              {c.right() - 1, c.bottom() - 1}})
            EXPECT_TRUE(skingen::InsideBody(px, py, size.width, size.height)) << px << "," << py;
    }
}

TEST_F(ShippedLayout, CellTwentyEightRepaintStripTouchesNoCell) {
    // Drawing cell 28 also repaints, from the normal picture, a strip 2 pixels
    // wide starting 6 pixels left of it with the height of cell 27; over any
    // other cell it would wipe that cell's highlight.
    const Cell& c28 = At(28);
    int left = c28.x - 6, right = left + 2, top = c28.y, bottom = top + At(27).height;
    for (const auto& [n, c] : cells_) {
        bool apart = right <= c.x || c.right() <= left || bottom <= c.y || c.bottom() <= top;
        EXPECT_TRUE(apart) << "the strip covers part of cell " << n;
    }
}

} // namespace
