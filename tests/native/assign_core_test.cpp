#include <gtest/gtest.h>

#include "assign/AssignDecisions.h"
#include "assign/DialogLayout.h"
#include "storage/IniStore.h"

namespace orvane {
namespace {

TEST(DialogLayout, ParsesEntriesLikeWtoiWithMissingFieldsZero) {
    struct Case {
        const wchar_t* value;
        DialogLayoutEntry want;
    };
    const Case cases[] = {
        {L"10,20,30", {10, 20, 30, 0, L"", {10, 20, 40, 20}}},
        {L"10,20,30,40,OK", {10, 20, 30, 40, L"OK", {10, 20, 40, 60}}},
        {L" 5,+6,7px,-8, a,b", {5, 6, 7, -8, L" a", {5, 6, 12, -2}}},
        {L"", {}},
        {L"x,y", {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDialogLayoutEntry(c.value), c.want) << "case " << (&c - cases);
}

TEST(DialogLayout, ReadsKeys1To23OfButtonInfoOnly) {
    MemoryIniStore ini;
    ini.WriteText(L"buttoninfo", L"1", L"1,2,3,4,OK");
    ini.WriteText(L"BUTTONINFO", L"23", L"100,200,300,50,List");
    ini.WriteText(L"BUTTONINFO", L"24", L"9,9,9,9,beyond");
    ini.WriteText(L"OTHER", L"2", L"9,9,9,9,elsewhere");
    DialogLayout layout = ReadDialogLayout(ini);
    EXPECT_EQ(layout[0], (DialogLayoutEntry{1, 2, 3, 4, L"OK", {1, 2, 4, 6}}));
    EXPECT_EQ(layout[22].rectangle, (CellRect{100, 200, 400, 250}));
    for (int i = 1; i < 22; ++i)
        EXPECT_EQ(layout[i], DialogLayoutEntry{}) << "entry " << i + 1;

    MemoryIniStore missing;
    for (const DialogLayoutEntry& e : ReadDialogLayout(missing))
        EXPECT_EQ(e, DialogLayoutEntry{});
}

TEST(FindString, CaseInsensitivePrefixStartingAfterItemAndWrapping) {
    const std::vector<std::wstring> fn = {L"Open", L"Window", L"Undo",   L"Save",      L"Copy",
                                          L"Cut",  L"Paste",  L"Search", L"Select ALL"};
    EXPECT_EQ(FindString(fn, 0, L"Copy"), 4);
    EXPECT_EQ(FindString(fn, 0, L"copy"), 4);
    EXPECT_EQ(FindString(fn, 0, L"Se"), 7); // first after item 0, in order
    EXPECT_EQ(FindString(fn, 0, L"select all"), 8);
    EXPECT_EQ(FindString(fn, 0, L"Open"), 0); // item 0 is tried last
    EXPECT_EQ(FindString(fn, 0, L"O"), 0);
    EXPECT_EQ(FindString(fn, 5, L"C"), 4); // wraps from the end to the front
    EXPECT_EQ(FindString(fn, -1, L"Open"), 0);
    EXPECT_EQ(FindString(fn, 0, L"Copy2"), -1); // longer than every item
    EXPECT_EQ(FindString(fn, 0, L"Xyz"), -1);
    EXPECT_EQ(FindString({}, 0, L"Open"), -1);
    EXPECT_EQ(FindString({L"Open", L"Open"}, 0, L"open"), 1);
}

TEST(InitialCaptureTarget, KeepsThePresentSingleKeyElseTheKeyItself) {
    ProfileKeyMap working{{65, {66}}, {67, {17, 67}}, {68, {}}};
    auto target = [&](int key, int mode) {
        return InitialCaptureTarget(key, mode, PresentSequence(working, key));
    };
    EXPECT_EQ(target(65, 0), 66);
    EXPECT_EQ(target(65, 2), 65); // another kind
    EXPECT_EQ(target(67, 0), 67); // a chord
    EXPECT_EQ(target(68, 0), 68);
    EXPECT_EQ(target(69, 0), 69); // no entry
}

// A key 65 ("A") bound to macro 1; macro 0 plays B, macro 1 plays C then D.
struct OkFixture {
    ProfileKeyMap working{{65, {70}}, {66, {66}}};
    AssignExchange ex;
    MediaKeyNames media{{L"Play/Pause", 179}, {L"Nexttrack", 176}};
    OkFixture() {
        ex.editKey = 65;
        ex.editName = L"old";
        ex.macroNames = {L"m0", L"m1"};
        ex.macroEventLists = {{0, 66, 1, 0, 66, 0}, {0, 67, 1, 0, 68, 1, 0, 67, 0, 0, 68, 0}};
        ex.macroAssignments = {{65, 1}, {66, 0}};
    }
    // OK in the dialog opened on ex.editKey, and the new sequence applied to
    // the working map as FinishKeyEdit applies it.
    void Commit(const OkInput& in) {
        ex.editSequence = PresentSequence(working, ex.editKey);
        CommitAssignment(in, media, ex);
        ApplyNewSequence(working, ex);
    }
    void CommitMacroIndex(int selected) {
        ex.editSequence = PresentSequence(working, ex.editKey);
        ex.newSequence.reset();
        CommitMacro(selected, ex);
        ApplyNewSequence(working, ex);
    }
};

TEST(CommitAssignment, ByModeSetsSequenceNameAndBinding) {
    struct Case {
        const char* what;
        int mode;
        int editMacro;
        OkInput in;
        KeySequence wantSeq;
        std::wstring wantName;
        int wantMode;
        bool wantBound; // 65 still in macroAssignments
        int wantBinding;
    };
    const Case cases[] = {
        {"single key",
         0,
         0,
         {LatchedTab::SingleKey, L"Q", L"", L"", L"", 0, 81},
         {81},
         L"Q",
         0,
         false,
         0},
        {"single key, nothing latched",
         0,
         0,
         {LatchedTab::None, L"Q", L"", L"", L"", 0, 81},
         {81},
         L"old",
         0,
         false,
         0},
        {"macro 0", 1, 0, {LatchedTab::Macro, L"", L"m0", L"", L"", 0, 0}, {66}, L"m0", 1, true, 0},
        {"macro 1 plays key-downs",
         1,
         1,
         {LatchedTab::Macro, L"", L"m1", L"", L"", 0, 0},
         {67, 68},
         L"m1",
         1,
         true,
         1},
        {"macro index past the library resets",
         1,
         7,
         {LatchedTab::Macro, L"", L"zz", L"", L"", 0, 0},
         {65},
         L"",
         0,
         false,
         0},
        {"multimedia",
         2,
         0,
         {LatchedTab::Multimedia, L"", L"", L"Play/Pause", L"", 0, 0},
         {179},
         L"Play/Pause",
         2,
         false,
         0},
        {"multimedia unknown text",
         2,
         0,
         {LatchedTab::Multimedia, L"", L"", L"Louder", L"", 0, 0},
         {70},
         L"Louder",
         2,
         true,
         1},
        {"function Copy",
         3,
         0,
         {LatchedTab::Function, L"", L"", L"", L"Copy", 4, 0},
         {17, 67},
         L"Copy",
         3,
         false,
         0},
        {"function Minimize",
         3,
         0,
         {LatchedTab::Function, L"", L"", L"", L"Minimize", 11, 0},
         {18, 32, 78},
         L"Minimize",
         3,
         false,
         0},
        {"function without a row",
         3,
         0,
         {LatchedTab::Function, L"", L"", L"", L"", -1, 0},
         {70},
         L"",
         3,
         true,
         1},
        {"library only",
         4,
         0,
         {LatchedTab::Macro, L"", L"m0", L"", L"", 0, 0},
         {70},
         L"m0",
         4,
         true,
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        OkFixture f;
        f.ex.editMode = c.mode;
        f.ex.editMacro = c.editMacro;
        f.Commit(c.in);
        EXPECT_EQ(f.working.at(65), c.wantSeq);
        EXPECT_EQ(f.ex.editName, c.wantName);
        EXPECT_EQ(f.ex.editMode, c.wantMode);
        ASSERT_EQ(f.ex.macroAssignments.count(65), c.wantBound ? 1u : 0u);
        if (c.wantBound)
            EXPECT_EQ(f.ex.macroAssignments.at(65), c.wantBinding);
        EXPECT_EQ(f.working.at(66), KeySequence{66}); // other keys untouched
        EXPECT_EQ(f.ex.macroAssignments.at(66), 0);
    }
}

TEST(CommitAssignment, KeyWithoutMapEntryGetsNoSequenceButMacroBinding) {
    OkFixture f;
    f.ex.editKey = 200;
    f.ex.editMode = 0;
    f.Commit({LatchedTab::SingleKey, L"Q", L"", L"", L"", 0, 81});
    EXPECT_EQ(f.working.count(200), 0u);
    f.ex.editMode = 1;
    f.ex.editMacro = 0;
    f.Commit({LatchedTab::Macro, L"", L"m0", L"", L"", 0, 0});
    EXPECT_EQ(f.working.count(200), 0u);
    EXPECT_EQ(f.ex.macroAssignments.at(200), 0);
}

TEST(CommitAssignment, OkWithoutCaptureKeepsTheKeyAndClearMakesItItself) {
    OkFixture f;
    f.working[65] = {70};
    f.ex.editMode = 0;
    OkInput in{LatchedTab::SingleKey, L"F", L"", L"", L"", 0, 0};
    in.capturedKey = InitialCaptureTarget(65, 0, PresentSequence(f.working, 65));
    f.Commit(in);
    EXPECT_EQ(f.working.at(65), KeySequence{70});

    // Clear: empty name, the key itself.
    in.keyNameText.clear();
    in.capturedKey = f.ex.editKey;
    f.Commit(in);
    EXPECT_EQ(f.working.at(65), KeySequence{65});
    EXPECT_EQ(f.ex.editName, L"");
}

TEST(CommitMacro, EmptyMacroGivesEmptySequenceAndNoMacroResets) {
    OkFixture f;
    f.ex.macroEventLists[0] = {0, 66, 0}; // only a key-up
    f.CommitMacroIndex(0);
    EXPECT_EQ(f.working.at(65), KeySequence{});
    EXPECT_EQ(f.ex.macroAssignments.at(65), 0);

    f.ex.editMode = 1;
    f.ex.editMacro = 1;
    f.CommitMacroIndex(-1);
    EXPECT_EQ(f.working.at(65), KeySequence{65});
    EXPECT_EQ(f.ex.editMode, 0);
    EXPECT_EQ(f.ex.editMacro, 0);
    EXPECT_EQ(f.ex.macroAssignments.count(65), 0u);
}

} // namespace
} // namespace orvane
