// The macro library's list operations on the dialog's copies.
#include <gtest/gtest.h>

#include "assign/MacroLibrary.h"

namespace orvane {
namespace {

constexpr int kShift = 160;
constexpr int kA = 65;

HookKeyEvent Down(int vk, int scan = 0x1E, int flags = 0) {
    return {vk, scan, flags, true};
}
HookKeyEvent Up(int vk, int scan = 0x1E, int flags = 0x80) {
    return {vk, scan, flags, false};
}

AssignExchange LibraryOf(int macros) {
    AssignExchange ex;
    for (int i = 0; i < macros; ++i) {
        ex.macroNames.push_back(L"m" + std::to_wstring(i));
        ex.macroEventLists.push_back({0, 60 + i, 1, 0, 60 + i, 0});
    }
    return ex;
}

// vk codes and directions of a macro, "65d 65u ..." style.
std::string Script(const AssignExchange& ex, int macro) {
    std::string s;
    for (const MacroEvent& e : MacroEvents(ex, macro))
        s += (s.empty() ? "" : " ") + std::to_string(e.vkCode) + (e.isDown ? "d" : "u");
    return s;
}

TEST(MacroRecorder, KeyNameParamAndVkNormalisation) {
    struct Case {
        int vk, scan, flags;
        int wantVk, wantParam;
    } cases[] = {
        {kA, 0x1E, 0, kA, 0x1E0000},
        {kA, 0x1E, 0x80, kA, static_cast<int>(0x801E0000u)},
        {161, 0x36, 0x01, 161, 0x360000}, // right Shift, extended: named without it
        {161, 0x36, 0x00, 161, 0x360000},
        {13, 0x1C, 0x01, 108, 0x11C0000},                     // keypad Enter down
        {13, 0x1C, 0x81, 108, static_cast<int>(0x811C0000u)}, // and up
        {13, 0x1C, 0x00, 13, 0x1C0000},                       // main Enter
        {13, 0x1C, 0x21, 13, 0x211C0000},                     // keypad Enter with Alt: untouched
        {37, 0x4B, 0x00, 100, 0x4B0000},                      // keypad 4, NumLock off
        {37, 0x4B, 0x80, 100, static_cast<int>(0x804B0000u)},
        {37, 0x4B, 0x01, 37, 0x14B0000}, // the Left arrow of the navigation block
        {33, 0x49, 0, 105, 0x490000},
        {34, 0x51, 0, 99, 0x510000},
        {35, 0x4F, 0, 97, 0x4F0000},
        {36, 0x47, 0, 103, 0x470000},
        {38, 0x48, 0, 104, 0x480000},
        {39, 0x4D, 0, 102, 0x4D0000},
        {40, 0x50, 0, 98, 0x500000},
        {45, 0x52, 0, 96, 0x520000},
        {46, 0x53, 0, 110, 0x530000},
        {46, 0x53, 0x20, 46, 0x20530000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "vk " << c.vk << " flags " << c.flags);
        EXPECT_EQ(RecorderVkCode(c.vk, c.flags), c.wantVk);
        EXPECT_EQ(RecorderKeyNameParam(c.scan, c.flags), c.wantParam);
    }
}

TEST(MacroRecorder, ShiftAAndHeldKeysGiveOneRowPerChange) {
    AssignExchange ex = LibraryOf(1);
    ex.macroEventLists[0].clear();
    KeyDownState state;
    const HookKeyEvent events[] = {Down(kShift, 0x2A), Down(kShift, 0x2A), Down(kA),
                                   Down(kA),           Down(kA),           Up(kA),
                                   Up(kShift, 0x2A)};
    int recorded = 0;
    for (const HookKeyEvent& e : events)
        recorded += RecordMacroEvent(ex, 0, state, e).has_value();
    EXPECT_EQ(recorded, 4);
    EXPECT_EQ(Script(ex, 0), "160d 65d 65u 160u");
    EXPECT_EQ(ex.macroEventLists[0][0], 0x2A0000);
    EXPECT_FALSE(state.IsDown(kA));
    EXPECT_FALSE(state.IsDown(kShift));
}

TEST(MacroRecorder, StateOutlivesRecordingsAndUpsAlwaysRecord) {
    AssignExchange ex = LibraryOf(2);
    KeyDownState state;
    // Recording stopped while A was held: its next down is ignored until an up.
    ASSERT_TRUE(RecordMacroEvent(ex, 0, state, Down(kA)));
    EXPECT_FALSE(RecordMacroEvent(ex, 1, state, Down(kA)));
    // A key held when recording started records its lone up.
    EXPECT_TRUE(RecordMacroEvent(ex, 1, state, Up(66, 0x30)));
    EXPECT_TRUE(RecordMacroEvent(ex, 1, state, Up(kA)));
    EXPECT_TRUE(RecordMacroEvent(ex, 1, state, Down(kA)));
    EXPECT_EQ(Script(ex, 1), "61d 61u 66u 65u 65d");
    // Codes outside 1..254 record their ups only.
    EXPECT_FALSE(RecordMacroEvent(ex, 1, state, Down(255)));
    EXPECT_TRUE(RecordMacroEvent(ex, 1, state, Up(255)));
}

TEST(MacroRecorder, NoSelectedMacroRecordsNothing) {
    for (int macro : {kNoSelection, 2, 99}) {
        AssignExchange ex = LibraryOf(2);
        const AssignExchange before = ex;
        KeyDownState state;
        EXPECT_FALSE(RecordMacroEvent(ex, macro, state, Down(kA)));
        EXPECT_FALSE(state.IsDown(kA)) << "the key-down must not be half-recorded";
        EXPECT_EQ(DeleteMacroEvent(ex, macro, 0), kNoSelection);
        ClearMacroEvents(ex, macro);
        EXPECT_FALSE(RenameMacro(ex, macro, L"x"));
        EXPECT_EQ(DeleteMacro(ex, macro), kNoSelection);
        EXPECT_TRUE(MacroEvents(ex, macro).empty());
        EXPECT_EQ(ex.macroNames, before.macroNames);
        EXPECT_EQ(ex.macroEventLists, before.macroEventLists);
    }
}

TEST(MacroEventList, DeleteSelectsTheFollowingEventAndClearEmpties) {
    AssignExchange ex = LibraryOf(2);
    ex.macroEventLists[1] = {1, 65, 1, 2, 65, 0, 3, 66, 1, 4, 66, 0};
    EXPECT_EQ(DeleteMacroEvent(ex, 1, 0), 0); // the "down" of A: its "up" follows
    EXPECT_EQ(Script(ex, 1), "65u 66d 66u");
    EXPECT_EQ(DeleteMacroEvent(ex, 1, 2), kNoSelection); // last row: nothing follows
    EXPECT_EQ(Script(ex, 1), "65u 66d");
    EXPECT_EQ(DeleteMacroEvent(ex, 1, 2), kNoSelection); // past the end
    EXPECT_EQ(DeleteMacroEvent(ex, 1, -1), kNoSelection);
    EXPECT_EQ(Script(ex, 1), "65u 66d");
    ClearMacroEvents(ex, 1);
    EXPECT_TRUE(ex.macroEventLists[1].empty());
    EXPECT_EQ(Script(ex, 0), "60d 60u");
}

TEST(MacroEventList, IncompleteLastGroupIsNeverIndexed) {
    AssignExchange ex = LibraryOf(1);
    ex.macroEventLists[0] = {1, 65, 1, 2, 66}; // hand-edited file
    EXPECT_EQ(MacroEvents(ex, 0).size(), 1u);
    EXPECT_EQ(DeleteMacroEvent(ex, 0, 1), kNoSelection);
    KeyDownState state;
    ASSERT_TRUE(RecordMacroEvent(ex, 0, state, Down(67)));
    EXPECT_EQ(ex.macroEventLists[0], (MacroEventList{1, 65, 1, 0x1E0000, 67, 1}));
}

TEST(MacroLibrary, AddNamesFromTheRunWideCounter) {
    AssignExchange ex = LibraryOf(0);
    ex.macroNames = {L"define0"};
    ex.macroEventLists = {{}};
    int counter = 0;
    EXPECT_EQ(AddMacro(ex, counter), 1);
    EXPECT_EQ(DeleteMacro(ex, 1), 0);
    EXPECT_EQ(AddMacro(ex, counter), 1);
    EXPECT_EQ(ex.macroNames, (MacroNames{L"define0", L"define1"}));
    EXPECT_EQ(ex.macroEventLists.size(), 2u);
    EXPECT_EQ(ex.editMacro, 1);
    EXPECT_EQ(counter, 2);
}

TEST(MacroLibrary, RenameKeepsAnyText) {
    AssignExchange ex = LibraryOf(2);
    const std::wstring name = L"Ма́крос 宏 " + std::wstring(3000, L'x');
    EXPECT_TRUE(RenameMacro(ex, 1, name));
    EXPECT_TRUE(RenameMacro(ex, 0, L""));
    EXPECT_EQ(ex.macroNames, (MacroNames{L"", name}));
}

TEST(MacroLibrary, DeleteRenumbersLaterBindingsAndDropsItsOwn) {
    AssignExchange ex = LibraryOf(4);
    ex.macroAssignments = {{65, 0}, {66, 1}, {67, 1}, {68, 2}, {69, 3}};
    EXPECT_EQ(KeysBoundToMacro(ex.macroAssignments, 1), (std::vector<int>{66, 67}));
    EXPECT_TRUE(KeysBoundToMacro(ex.macroAssignments, 7).empty());

    EXPECT_EQ(DeleteMacro(ex, 1), 0);
    EXPECT_EQ(ex.macroAssignments, (MacroAssignments{{65, 0}, {68, 1}, {69, 2}}));
    EXPECT_EQ(ex.macroNames, (MacroNames{L"m0", L"m2", L"m3"}));
    EXPECT_EQ(Script(ex, 1), "62d 62u"); // key 68 still names the events it named
    EXPECT_EQ(ex.editMacro, 0);
}

TEST(MacroLibrary, DeleteSelectsThePreviousElseFirstElseNothing) {
    AssignExchange ex = LibraryOf(3);
    EXPECT_EQ(DeleteMacro(ex, 0), 0);
    EXPECT_EQ(ex.macroNames, (MacroNames{L"m1", L"m2"}));
    EXPECT_EQ(DeleteMacro(ex, 1), 0);
    EXPECT_EQ(DeleteMacro(ex, 0), kNoSelection);
    EXPECT_EQ(ex.editMacro, kNoSelection);
    EXPECT_TRUE(ex.macroNames.empty());
    EXPECT_TRUE(ex.macroEventLists.empty());
}

TEST(MacroEventList, SelectionMoves) {
    struct Case {
        SelectionMove move;
        int selected, rows, want;
    } cases[] = {
        {SelectionMove::Top, 3, 5, 0},
        {SelectionMove::Top, kNoSelection, 5, 0},
        {SelectionMove::Bottom, 0, 5, 4},
        {SelectionMove::Up, 3, 5, 2},
        {SelectionMove::Up, 0, 5, kNoSelection},
        {SelectionMove::Down, 3, 5, 4},
        {SelectionMove::Down, 4, 5, kNoSelection},
        {SelectionMove::Down, kNoSelection, 5, kNoSelection},
        {SelectionMove::Up, 9, 5, kNoSelection},
        {SelectionMove::Top, 0, 0, kNoSelection},
        {SelectionMove::Bottom, kNoSelection, 0, kNoSelection},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MoveSelection(c.move, c.selected, c.rows), c.want)
            << static_cast<int>(c.move) << " from " << c.selected << " of " << c.rows;
    }
}

} // namespace
} // namespace orvane
