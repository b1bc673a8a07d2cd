#include <gtest/gtest.h>

#include <set>

#include "storage/LayoutReader.h"
#include "storage/IniStore.h"
#include "storage/IniValues.h"
#include "storage_fixtures.h"

namespace orvane {
namespace {

struct CellCase {
    int cell;
    const wchar_t* value;
    KeyButton want;
};

TEST(LayoutReader, ParsesCellValues) {
    const CellCase cases[] = {
        {1, L"1,2,3,4,5,Esc", {1, 2, 3, 4, L"Esc", 5}},
        {122, L"1,2,3,4,Close", {1, 2, 3, 4, L"Close", 0}},
        // A key cell reads field 5 as its code: "Close" is no number.
        {121, L"1,2,3,4,Close", {1, 2, 3, 4, L"", 0}},
        // Blanks before numbers are skipped; a blank before the name stays.
        {5, L" 12, 40 ,38,38, 81, Q", {12, 40, 38, 38, L" Q", 81}},
        {7, L"1,2,3,4,65,Num +", {1, 2, 3, 4, L"Num +", 65}},
        // Missing fields are empty, extra fields ignored, bad numbers read
        // as their leading digits or 0.
        {9, L"7,8", {7, 8, 0, 0, L"", 0}},
        {9, L"1,2,3,4,5,Name,extra", {1, 2, 3, 4, L"Name", 5}},
        {9, L"12px,-3,x,+4,65a,", {12, -3, 0, 4, L"", 65}},
        {130, L"", {0, 0, 0, 0, L"", 0}},
        {9, L"99999999999,-99999999999,0,0,0,X", {2147483647, -2147483647 - 1, 0, 0, L"X", 0}},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(::testing::Message() << "cell " << c.cell);
        KeyButton b = ParseCellValue(c.cell, c.value);
        EXPECT_EQ(b.x, c.want.x);
        EXPECT_EQ(b.y, c.want.y);
        EXPECT_EQ(b.width, c.want.width);
        EXPECT_EQ(b.height, c.want.height);
        EXPECT_EQ(b.keyCode, c.want.keyCode);
        EXPECT_EQ(b.name, c.want.name);
    }
}

TEST(LayoutReader, HitRectIsCellBoxAndSaturates) {
    EXPECT_EQ(HitRectOf(ParseCellValue(1, L"1,2,3,4,5,Esc")), (CellRect{1, 2, 4, 6}));
    KeyButton far{2147483600, -2147483600, 100, -100, L"", 0};
    EXPECT_EQ(HitRectOf(far), (CellRect{2147483600, -2147483600, 2147483647, -2147483647 - 1}));
}

TEST(LayoutReader, MissingFileGivesEmptyCellsAndOneEmptyMediaName) {
    MemoryIniStore none;
    KeyButtons buttons = fixture::TestButtons();
    HitRects rects;
    rects.fill(CellRect{1, 1, 2, 2});
    MediaKeyNames media;
    ReadLayout(none, buttons, rects, media);
    for (int i = 0; i < kCellCount; ++i) {
        EXPECT_EQ(buttons[i].name, L"");
        EXPECT_EQ(buttons[i].keyCode, 0);
        EXPECT_EQ(rects[i], CellRect{});
    }
    EXPECT_EQ(media, (MediaKeyNames{{L"", 0}}));
}

TEST(LayoutReader, LowerMediaCellKeepsARepeatedName) {
    MemoryIniStore ini;
    ini.WriteText(kLayoutSection, L"104", L"0,0,10,10,173,Mute");
    ini.WriteText(kLayoutSection, L"110", L"0,0,10,10,174,Mute");
    ini.WriteText(kLayoutSection, L"103", L"0,0,10,10,99,Below"); // not a media cell
    ini.WriteText(kLayoutSection, L"122", L"0,0,10,10,Close");
    KeyButtons buttons;
    HitRects rects;
    MediaKeyNames media;
    ReadLayout(ini, buttons, rects, media);
    EXPECT_EQ(media.at(L"Mute"), 173);
    EXPECT_EQ(media.count(L"Below"), 0u);
    EXPECT_EQ(media.count(L""), 1u); // the cells without a value
    EXPECT_EQ(buttons[121].name, L"Close");
    EXPECT_EQ(rects[121], (CellRect{0, 0, 10, 10}));
}

// The delivered layout agrees with the fixed roles of the cell numbers.
TEST(LayoutReader, DeliveredMainIniFitsTheCellRoles) {
    const std::string bytes = fixture::ReadFileBytes(ORVANE_SOURCE_DIR "/res/Main.ini");
    ASSERT_FALSE(bytes.empty());
    MemoryIniStore ini = ParseIniText(DecodeIniBytes(bytes));
    KeyButtons buttons;
    HitRects rects;
    MediaKeyNames media;
    ReadLayout(ini, buttons, rects, media);

    std::set<std::wstring> commands;
    for (int n = kFirstCommandCell; n <= kCellCount; ++n) {
        commands.insert(buttons[n - 1].name);
    }
    EXPECT_EQ(commands, (std::set<std::wstring>{L"Close", L"Macro..", L"Minimize", L"Menu",
                                                L"Apply", L"OK", L"Cancel", L"Default", L"Profile1",
                                                L"Profile2", L"Profile3"}));
    EXPECT_EQ(buttons[kProfileCell1 - 1].name, L"Profile1");
    EXPECT_EQ(buttons[kProfileCell1].name, L"Profile2");
    EXPECT_EQ(buttons[kProfileCell1 + 1].name, L"Profile3");
    for (int n = 1; n <= kLastKeyCell; ++n) {
        SCOPED_TRACE(n);
        EXPECT_GE(buttons[n - 1].keyCode, 1);
        EXPECT_LE(buttons[n - 1].keyCode, 254);
        EXPECT_FALSE(buttons[n - 1].name.empty());
    }
    for (int n = 1; n <= kCellCount; ++n) {
        EXPECT_GT(rects[n - 1].right, rects[n - 1].left) << n;
        EXPECT_GT(rects[n - 1].bottom, rects[n - 1].top) << n;
    }
    EXPECT_EQ(media.size(), static_cast<size_t>(kLastKeyCell - kFirstMediaCell + 1));
}

} // namespace
} // namespace orvane
