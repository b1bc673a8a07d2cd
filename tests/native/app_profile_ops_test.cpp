// The main window's click dispatch and its operations on the profile data.
#include <gtest/gtest.h>

#include "app/ClickDispatch.h"
#include "app/ProfileOps.h"
#include "assign/MacroLibrary.h"
#include "mainwnd/HoverPass.h"
#include "storage_fixtures.h"

namespace orvane {
namespace {

// Key cell n (1-based) has key code 9 + n and the name "K<code>".
constexpr int KeyOf(int cell) {
    return 9 + cell;
}

struct Model {
    KeyButtons cells = fixture::TestButtons();
    ProfileMaps maps;
    Profiles profiles;
    int modified = 0;
    MainModel model{maps, profiles, cells, modified};

    Model() {
        for (ProfileKeyMap* m :
             {&maps.working, maps.ProfileMap(1), maps.ProfileMap(2), maps.ProfileMap(3)})
            SeedIdentity(*m);
        for (int i = 0; i < kCellCount; ++i)
            profiles.working.keyAssignments[i].setName = cells[i].name;
        for (ProfileData& p : profiles.stored)
            p = profiles.working;
    }

    // Binds key cell `cell` to macro m of the working copy, as a finished
    // key edit leaves it.
    void Bind(int cell, int m, bool changed = true) {
        ProfileData& w = profiles.working;
        w.keyAssignments[cell - 1] = {w.macroNames[m], 1, m};
        w.macroAssignments[KeyOf(cell)] = m;
        maps.working[KeyOf(cell)] = MacroKeySequence(w.macroEventLists[m]);
        if (changed)
            w.changedCells.push_back(cell - 1);
    }
    // Macros "m<i>" whose one key-down is 60 + i.
    void AddMacros(int count) {
        for (int i = 0; i < count; ++i) {
            profiles.working.macroNames.push_back(L"m" + std::to_wstring(i));
            profiles.working.macroEventLists.push_back({0, 60 + i, 1, 0, 60 + i, 0});
        }
    }
    const KeyAssignment& Cell(int cell) const { return profiles.working.keyAssignments[cell - 1]; }
    bool Changed(int cell) const {
        const ChangedCells& c = profiles.working.changedCells;
        return std::count(c.begin(), c.end(), cell - 1) == 1;
    }
};

TEST(ClickDispatch, HitCellUsesHalfOpenRectsAndTheLowerNumber) {
    HitRects hits{};
    hits[4] = {10, 10, 50, 30}; // cell 5
    hits[9] = {40, 20, 80, 60}; // cell 10 overlaps it
    struct Case {
        int x, y, want;
    } cases[] = {{10, 10, 5},  {49, 29, 5},  {50, 25, 10}, {45, 25, 5},
                 {45, 30, 10}, {80, 40, -1}, {60, 60, -1}, {0, 0, -1}};
    for (const Case& c : cases)
        EXPECT_EQ(HitCell(hits, c.x, c.y), c.want) << c.x << "," << c.y;
}

TEST(ClickDispatch, ControlNamesAreExactAndKeyCellsEndAt104) {
    struct Case {
        const wchar_t* name;
        ControlAction want;
    } cases[] = {
        {L"Close", ControlAction::Close},
        {L"Macro..", ControlAction::MacroLibrary},
        {L"Minimize", ControlAction::Minimize},
        {L"Menu", ControlAction::Menu},
        {L"Apply", ControlAction::Apply},
        {L"OK", ControlAction::Ok},
        {L"Cancel", ControlAction::Cancel},
        {L"Default", ControlAction::Default},
        {L"Profile1", ControlAction::Profile1},
        {L"Profile3", ControlAction::Profile3},
        {L"ok", ControlAction::None},
        {L"Close ", ControlAction::None},
        {L"Macro.", ControlAction::None},
        {L"Profile", ControlAction::None},
        {L"", ControlAction::None},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ControlActionOf(c.name), c.want) << std::string(c.name, c.name + wcslen(c.name));
    EXPECT_EQ(ProfileOfAction(ControlAction::Profile2), 2);
    EXPECT_EQ(ProfileOfAction(ControlAction::Apply), 0);
    EXPECT_FALSE(IsClickableKeyCell(0));
    EXPECT_TRUE(IsClickableKeyCell(1));
    EXPECT_TRUE(IsClickableKeyCell(104));
    EXPECT_FALSE(IsClickableKeyCell(105));
}

TEST(ProfileOps, CommitCopiesIntoTheProfileInForceOnly) {
    Model m;
    m.maps.activeProfile = 2;
    m.maps.working[KeyOf(1)] = {65};
    m.profiles.working.changedCells = {0};
    m.modified = 1;
    CommitWorkingProfile(m.model);
    EXPECT_EQ(*m.maps.ProfileMap(2), m.maps.working);
    EXPECT_EQ(m.profiles.stored[1], m.profiles.working);
    EXPECT_NE(*m.maps.ProfileMap(1), m.maps.working);
    EXPECT_EQ(m.modified, 0);

    m.maps.activeProfile = 7; // a hand-edited "type": no profile to copy into
    m.maps.working[KeyOf(2)] = {66};
    CommitWorkingProfile(m.model);
    for (int n = 1; n <= kProfileCount; ++n)
        EXPECT_NE(m.maps.ProfileMap(n)->at(KeyOf(2)), KeySequence{66});
}

TEST(ProfileOps, SwitchAsksOnlyWhenLeavingUncommittedEdits) {
    struct Case {
        int active, modified, target;
        bool answer;
        bool wantPrompt, wantOldSaved;
        int wantModified;
    } cases[] = {
        {1, 1, 2, true, true, true, 0},   // save prompt, OK
        {1, 1, 2, false, true, false, 0}, // save prompt, Cancel: edits dropped
        {1, 0, 3, true, false, false, 0}, // nothing to save
        {2, 1, 2, true, false, false, 1}, // same profile: reload, no prompt
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.active << "->" << c.target << " mod " << c.modified
                                        << " answer " << c.answer);
        Model m;
        m.maps.activeProfile = c.active;
        (*m.maps.ProfileMap(c.target))[KeyOf(5)] = {77}; // what the target holds
        m.profiles.stored[c.target - 1].changedCells = {4};
        m.maps.working[KeyOf(1)] = {65}; // the uncommitted edit
        m.modified = c.modified;
        int prompts = 0;
        SwitchProfile(m.model, c.target, [&] {
            ++prompts;
            return c.answer;
        });
        EXPECT_EQ(prompts, c.wantPrompt ? 1 : 0);
        EXPECT_EQ(m.maps.ProfileMap(c.active)->at(KeyOf(1)) == KeySequence{65}, c.wantOldSaved);
        EXPECT_EQ(m.modified, c.wantModified);
        EXPECT_EQ(m.maps.activeProfile, c.target);
        EXPECT_EQ(m.maps.working.at(KeyOf(5)), KeySequence{77});
        EXPECT_EQ(m.maps.working.at(KeyOf(1)), KeySequence{KeyOf(1)});
        EXPECT_EQ(m.profiles.working.changedCells, ChangedCells{4});
    }
}

TEST(ProfileOps, SwitchToAProfileOutside1To3DoesNothing) {
    Model m;
    m.modified = 1;
    m.maps.working[KeyOf(1)] = {65};
    bool asked = false;
    SwitchProfile(m.model, 4, [&] { return asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_EQ(m.maps.activeProfile, 1);
    EXPECT_EQ(m.maps.working.at(KeyOf(1)), KeySequence{65});
}

// After an import the working copy is the profile in force: the next switch
// asks nothing. A refused import keeps the uncommitted edits and the flag.
TEST(ProfileOps, ImportLeavesNothingToSaveAndARefusedOneKeepsTheEdits) {
    const MediaKeyNames media = fixture::TestMediaNames(fixture::TestButtons());
    for (bool holdsProfile : {true, false}) {
        SCOPED_TRACE(holdsProfile);
        Model m;
        m.maps.activeProfile = 2;
        m.maps.working[KeyOf(1)] = {65}; // uncommitted edits
        m.profiles.working.macroNames = {L"new"};
        m.profiles.working.macroEventLists = {{}};
        m.modified = 1;
        const Profiles before = m.profiles;
        MemoryIniStore file = ParseIniText(holdsProfile ? L"[TYPE]\ntype=1\n[Profile1]\nKey11=67\n"
                                                        : L"[TYPE]\ntype=3\n[Other]\nKey11=67\n");
        EXPECT_EQ(ImportIntoProfileInForce(m.model, file, media), holdsProfile);
        if (holdsProfile) {
            EXPECT_EQ(m.modified, 0);
            EXPECT_EQ(m.profiles.working, m.profiles.stored[1]);
            EXPECT_EQ(m.maps.working, *m.maps.ProfileMap(2));
            EXPECT_EQ(m.maps.working.at(KeyOf(2)), KeySequence{67});
        } else {
            EXPECT_EQ(m.modified, 1);
            EXPECT_EQ(m.profiles.working, before.working);
            EXPECT_EQ(m.profiles.stored, before.stored);
            EXPECT_EQ(m.maps.working.at(KeyOf(1)), KeySequence{65});
        }
        int prompts = 0;
        SwitchProfile(m.model, 3, [&] { return ++prompts, true; });
        EXPECT_EQ(prompts, holdsProfile ? 0 : 1);
    }
}

TEST(ProfileOps, DefaultResetsAndCommitsOnlyTheProfileInForce) {
    Model m;
    m.maps.activeProfile = 3;
    m.AddMacros(1);
    m.Bind(1, 0);
    m.profiles.working.keyAssignments[1] = {L"Z", 0, 0};
    m.maps.working[KeyOf(2)] = {90};
    m.maps.working[300] = {1}; // outside 1..254: kept
    (*m.maps.ProfileMap(1))[KeyOf(2)] = {90};
    CommitWorkingProfile(m.model);
    m.profiles.stored[0] = m.profiles.working;

    RestoreDefaults(m.model);
    EXPECT_EQ(m.modified, 0);
    for (int k = 1; k <= 254; ++k)
        ASSERT_EQ(m.maps.ProfileMap(3)->at(k), KeySequence{k}) << k;
    EXPECT_EQ(m.maps.ProfileMap(3)->at(300), KeySequence{1});
    const ProfileData& p3 = m.profiles.stored[2];
    EXPECT_TRUE(p3.changedCells.empty());
    EXPECT_TRUE(p3.macroNames.empty() && p3.macroEventLists.empty() && p3.macroAssignments.empty());
    EXPECT_EQ(p3.keyAssignments[0], (KeyAssignment{L"K10", 0, 0}));
    EXPECT_EQ(p3.keyAssignments[1], (KeyAssignment{L"K11", 0, 0}));
    EXPECT_EQ(m.maps.ProfileMap(1)->at(KeyOf(2)), KeySequence{90});
    EXPECT_EQ(m.profiles.stored[0].keyAssignments[1].setName, L"Z");
}

TEST(ProfileOps, KeyEditTextDecidesChangedCells) {
    struct Case {
        const wchar_t* editName;
        bool alreadyChanged;
        bool wantChanged;
        const wchar_t* wantText;
    } cases[] = {
        {L"B", false, true, L"B"},  {L"B", true, true, L"B"},      {L"K12", true, false, L"K12"},
        {L"", true, false, L"K12"}, {L"k12", false, true, L"k12"}, // exact comparison
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.alreadyChanged);
        Model m;
        if (c.alreadyChanged)
            m.profiles.working.changedCells = {7, 2};
        m.modified = 1;
        AssignExchange ex;
        ASSERT_TRUE(BeginKeyEdit(m.model, 3, ex));
        EXPECT_EQ(ex.editKey, KeyOf(3));
        ex.editName = c.editName;
        ex.newSequence = KeySequence{66}; // what the dialog's OK chose
        FinishKeyEdit(m.model, 3, ex);
        EXPECT_EQ(m.Changed(3), c.wantChanged);
        EXPECT_EQ(m.Cell(3).setName, c.wantText);
        EXPECT_EQ(m.modified, 0);
        EXPECT_EQ(m.maps.ProfileMap(1)->at(KeyOf(3)), KeySequence{66}) << "committed at once";
        EXPECT_EQ(m.profiles.stored[0], m.profiles.working);
    }
}

TEST(ProfileOps, BeginFillsTheExchangeAndLeavesTheModel) {
    Model m;
    m.AddMacros(2);
    m.Bind(4, 1);
    const ProfileData before = m.profiles.working;
    AssignExchange ex;
    ex.editKey = 99;
    ex.editName = L"kept";
    BeginMacroLibrary(m.model, ex);
    EXPECT_EQ(ex.editMode, kMacroLibraryOnly);
    EXPECT_EQ(ex.editMacro, 0);
    EXPECT_EQ(ex.editKey, 99);
    EXPECT_EQ(ex.editName, L"kept");
    EXPECT_EQ(ex.macroNames, before.macroNames);
    EXPECT_EQ(ex.macroAssignments, before.macroAssignments);

    ASSERT_TRUE(BeginKeyEdit(m.model, 4, ex));
    EXPECT_EQ(ex.editName, L"m1");
    EXPECT_EQ(ex.editMode, 1);
    EXPECT_EQ(ex.editMacro, 1);
    EXPECT_EQ(ex.editKey, KeyOf(4));
    EXPECT_FALSE(BeginKeyEdit(m.model, 105, ex));
    EXPECT_FALSE(BeginKeyEdit(m.model, 0, ex));
    EXPECT_EQ(m.profiles.working, before);
}

// Three macros bound to cells 1, 2 and 3; "Macro.." deletes the middle one.
TEST(SyncMacroKeys, LibraryDeleteResetsItsKeyAndLaterKeysFollowTheirMacro) {
    Model m;
    m.AddMacros(3);
    m.Bind(1, 0);
    m.Bind(2, 1);
    m.Bind(3, 2);
    CommitWorkingProfile(m.model);
    AssignExchange ex;
    BeginMacroLibrary(m.model, ex);
    ASSERT_EQ(KeysBoundToMacro(ex.macroAssignments, 1), std::vector<int>{KeyOf(2)});
    DeleteMacro(ex, 1);
    ex.macroEventLists[1].insert(ex.macroEventLists[1].end(), {0, 90, 1}); // edit m2
    ex.macroNames[1] = L"renamed";
    FinishMacroLibrary(m.model, ex);

    EXPECT_EQ(m.modified, 1);
    EXPECT_EQ(m.maps.working.at(KeyOf(1)), KeySequence{60});
    EXPECT_EQ(m.maps.working.at(KeyOf(2)), KeySequence{KeyOf(2)});
    EXPECT_EQ(m.Cell(2), (KeyAssignment{L"K11", 0, 0}));
    EXPECT_FALSE(m.Changed(2));
    EXPECT_EQ(m.maps.working.at(KeyOf(3)), (KeySequence{62, 90}));
    EXPECT_EQ(m.Cell(3), (KeyAssignment{L"renamed", 1, 1}));
    EXPECT_EQ(m.profiles.working.macroAssignments,
              (MacroAssignments{{KeyOf(1), 0}, {KeyOf(3), 1}}));
    EXPECT_EQ(m.profiles.working.macroNames, (MacroNames{L"m0", L"renamed"}));
    // Not committed: the hook still plays the old macros.
    EXPECT_EQ(m.maps.ProfileMap(1)->at(KeyOf(3)), KeySequence{62});
}

TEST(SyncMacroKeys, VariantBResetsOnlyKeysStillBoundToALostMacro) {
    Model m;
    m.AddMacros(2);
    m.Bind(1, 0);
    m.Bind(2, 1);
    m.Bind(3, 1);
    AssignExchange ex;
    ASSERT_TRUE(BeginKeyEdit(m.model, 2, ex));
    // In the dialog: macro 1 is deleted (keys 2 and 3 lose it), key 2 is
    // given a single key instead, and macro 0 gets an incomplete event.
    DeleteMacro(ex, 1);
    ex.macroEventLists[0].insert(ex.macroEventLists[0].end(), {0, 70});
    ex.editMode = 0;
    ex.editMacro = 0;
    ex.editName = L"Q";
    ex.newSequence = KeySequence{81};
    FinishKeyEdit(m.model, 2, ex);

    EXPECT_EQ(m.Cell(2), (KeyAssignment{L"Q", 0, 0}));
    EXPECT_EQ(m.maps.ProfileMap(1)->at(KeyOf(2)), KeySequence{81}) << "the new kind stays";
    EXPECT_EQ(m.Cell(3), (KeyAssignment{L"K12", 0, 0}));
    EXPECT_FALSE(m.Changed(3));
    EXPECT_EQ(m.maps.ProfileMap(1)->at(KeyOf(3)), KeySequence{KeyOf(3)});
    EXPECT_EQ(m.maps.ProfileMap(1)->at(KeyOf(1)), KeySequence{60});
}

TEST(SyncMacroKeys, AnIndexNamingNoMacroCountsAsNotFound) {
    for (SyncVariant variant : {SyncVariant::A, SyncVariant::B}) {
        Model m;
        m.AddMacros(2);
        m.Bind(1, 1);
        AssignExchange ex;
        BeginMacroLibrary(m.model, ex);
        ex.macroEventLists.pop_back(); // a dialog that dropped the macro without renumbering
        ex.macroNames.pop_back();
        SyncMacroKeys(m.model, ex, variant);
        EXPECT_EQ(m.maps.working.at(KeyOf(1)), KeySequence{KeyOf(1)});
        EXPECT_EQ(m.Cell(1), (KeyAssignment{L"K10", 0, 0}));
        EXPECT_TRUE(m.profiles.working.changedCells.empty());
    }
    // Taking the library back drops such a binding.
    Model m;
    m.AddMacros(1);
    AssignExchange ex;
    BeginMacroLibrary(m.model, ex);
    ex.macroAssignments[KeyOf(5)] = 3;
    FinishMacroLibrary(m.model, ex);
    EXPECT_TRUE(m.profiles.working.macroAssignments.empty());
}

TEST(SyncMacroKeys, AMacroNamedLikeItsCellStillFollowsItsMacro) {
    Model m;
    m.AddMacros(2);
    m.profiles.working.macroNames[1] = L"K11";
    m.Bind(2, 1, /*changed=*/false); // its text equals the cell's name
    AssignExchange ex;
    BeginMacroLibrary(m.model, ex);
    DeleteMacro(ex, 0);
    FinishMacroLibrary(m.model, ex);
    EXPECT_EQ(m.Cell(2), (KeyAssignment{L"K11", 1, 0}));
    EXPECT_EQ(m.maps.working.at(KeyOf(2)), KeySequence{61});
}

} // namespace
} // namespace orvane
