#include <gtest/gtest.h>

#include <cwchar>

#include "engine_script.h"
#include "storage/IniStore.h"
#include "storage/LayoutReader.h"
#include "storage/ProfileStore.h"
#include "storage_fixtures.h"

namespace orvane {
namespace {

using Entries = std::vector<MemoryIniStore::Entry>;

// A layout, a profile model and a store, and the usual load and save steps.
// The cells and multimedia names of the shipped res/Main.ini.
void ReadShippedLayout(KeyButtons& buttons, MediaKeyNames& media) {
    MemoryIniStore layout =
        ParseIniText(DecodeIniBytes(fixture::ReadFileBytes(ORVANE_SOURCE_DIR "/res/Main.ini")));
    HitRects rects;
    ReadLayout(layout, buttons, rects, media);
}

class ProfileStoreTest : public ::testing::Test {
  protected:
    KeyButtons buttons = fixture::TestButtons();
    MediaKeyNames media = fixture::TestMediaNames(buttons);
    ProfileMaps maps;
    Profiles profiles;

    // Loads section 1 of `ini` text into profile 1.
    void LoadText(const std::wstring& text, int section = 1, int target = 1) {
        MemoryIniStore store = ParseIniText(text);
        ASSERT_TRUE(LoadProfile(store, section, target, buttons, media, maps, profiles));
    }
    const ProfileKeyMap& Map(int p) { return *maps.ProfileMap(p); }
    ProfileData& Stored(int p) { return *profiles.Stored(p); }
    static int Code(int cell) { return 9 + cell; } // key code of cell n in the test layout
};

// A profile of every kind: what a user edit leaves in profile 2.
void MakeFullProfile(ProfileMaps& maps, Profiles& profiles, const KeyButtons& buttons, int p) {
    ProfileData& d = *profiles.Stored(p);
    ProfileKeyMap& m = *maps.ProfileMap(p);
    for (int i = 0; i < kKeyCellCount; ++i) {
        d.keyAssignments[i] = KeyAssignment{buttons[i].name, 0, 0};
        m[buttons[i].keyCode] = KeySequence{buttons[i].keyCode};
    }
    d.macroNames = {L"empty", L"two", L"Ελληνικά 中文 عربي 😀"};
    d.macroEventLists = {{}, {1, 65, 1, 1, 65, 0}, {}};
    for (int e = 0; e < 100; ++e) { // 100 events, far beyond 259 characters
        d.macroEventLists[2].insert(d.macroEventLists[2].end(),
                                    {(30 + e % 20) << 16, 65 + e % 26, e % 2 == 0});
    }
    // cell 1: single key to 66; cell 2: macro 1; cell 3: macro 2;
    // cell 4: media; cell 5: shortcut; cell 6: a name with blanks.
    d.keyAssignments[0] = {L"B", 0, 0};
    m[buttons[0].keyCode] = {66};
    d.keyAssignments[1] = {L"two", 1, 1};
    d.macroAssignments[buttons[1].keyCode] = 1;
    m[buttons[1].keyCode] = MacroKeySequence(d.macroEventLists[1]);
    d.keyAssignments[2] = {L"Ελληνικά 中文 عربي 😀", 1, 2};
    d.macroAssignments[buttons[2].keyCode] = 2;
    m[buttons[2].keyCode] = MacroKeySequence(d.macroEventLists[2]);
    d.keyAssignments[3] = {buttons[110].name, 2, 0};
    m[buttons[3].keyCode] = {buttons[110].keyCode};
    d.keyAssignments[4] = {L"Select ALL", 3, 0};
    m[buttons[4].keyCode] = {17, 65};
    d.keyAssignments[5] = {L" spaced name ", 0, 0};
    m[buttons[5].keyCode] = {67};
    d.changedCells = {0, 1, 2, 3, 4, 5};
}

TEST_F(ProfileStoreTest, SaveWritesKeysInTheFixedOrder) {
    MakeFullProfile(maps, profiles, buttons, 2);
    MemoryIniStore file;
    file.WriteText(L"Profile2", L"Stale", L"gone after the save");
    ASSERT_TRUE(SaveProfile(file, 2, buttons, maps, profiles));
    const Entries e = file.Entries(L"Profile2");

    // Cells: kind 0 has four keys, the others three.
    const Entries head(e.begin(), e.begin() + 7);
    EXPECT_EQ(head, (Entries{{L"IndexPic10", L"0"},
                             {L"MacroIndex10", L"0"},
                             {L"SetName10", L"B"},
                             {L"Key10", L"66"},
                             {L"IndexPic11", L"1"},
                             {L"MacroIndex11", L"1"},
                             {L"SetName11", L"two"}}));
    // The tail after the last cell: macros, then the changed cells.
    const Entries tail(e.end() - 18, e.end());
    EXPECT_EQ(tail[0], (MemoryIniStore::Entry{L"Key130", L"130"}));
    const Entries rest(tail.begin() + 1, tail.end());
    EXPECT_EQ(rest[0], (MemoryIniStore::Entry{L"MacroStrNum", L"3"}));
    EXPECT_EQ(rest[1].first, L"MacroName0");
    EXPECT_EQ(rest[4], (MemoryIniStore::Entry{L"MacroKey0", L""}));
    EXPECT_EQ(rest[5], (MemoryIniStore::Entry{L"MacroKeyNum0", L"0"}));
    EXPECT_EQ(rest[6], (MemoryIniStore::Entry{L"MacroKey1", L"1,65,1,1,65,0"}));
    EXPECT_EQ(rest[7], (MemoryIniStore::Entry{L"MacroKeyNum1", L"6"}));
    EXPECT_EQ(rest[8].first, L"MacroKey2");
    EXPECT_EQ(rest[9], (MemoryIniStore::Entry{L"MacroKeyNum2", L"300"}));
    EXPECT_EQ(rest[10], (MemoryIniStore::Entry{L"SetIndexNum", L"6"}));
    EXPECT_EQ(rest[16], (MemoryIniStore::Entry{L"setindex5", L"5"}));
    EXPECT_EQ(e.size(), 121u * 3 + 117 + 1 + 3 + 3 * 2 + 1 + 6); // 117 kind-0 cells have Key
    EXPECT_EQ(file.ReadText(L"Profile2", L"Stale"), L"");
}

TEST_F(ProfileStoreTest, SaveThenLoadGivesBackTheProfile) {
    MakeFullProfile(maps, profiles, buttons, 2);
    MemoryIniStore file;
    SaveProfile(file, 2, buttons, maps, profiles);
    // Through the file text, as a reader of the real file sees it.
    MemoryIniStore reread = ParseIniText(file.ToText());

    ProfileMaps loadedMaps;
    Profiles loaded;
    LoadProfile(reread, 2, 3, buttons, media, loadedMaps, loaded);
    EXPECT_EQ(loaded.stored[2], profiles.stored[1]);
    EXPECT_EQ(*loadedMaps.ProfileMap(3), *maps.ProfileMap(2));
    EXPECT_EQ(loaded.working, profiles.stored[1]);
    EXPECT_EQ(loadedMaps.working, *maps.ProfileMap(2));
}

TEST_F(ProfileStoreTest, SaveKeepsOtherSectionsAndEmptiesItsOwn) {
    MemoryIniStore file = ParseIniText(
        L"[TYPE]\ntype=3\n[Profile1]\nKey10=99\nsetindex7=3\n[Profile2]\nKey10=55\n[Other]\na=b\n");
    profiles.stored[0].keyAssignments[0].kind = 1; // no Key10 any more
    SaveProfile(file, 1, buttons, maps, profiles);
    EXPECT_EQ(file.ReadText(L"Profile1", L"Key10"), L"");
    EXPECT_EQ(file.ReadText(L"Profile1", L"setindex7"), L"");
    EXPECT_EQ(file.ReadInt(L"Profile2", L"Key10", 0), 55);
    EXPECT_EQ(file.ReadText(L"Other", L"a"), L"b");
    EXPECT_EQ(file.ReadInt(L"TYPE", L"type", 0), 3);
    ASSERT_EQ(file.Sections().size(), 4u);
    EXPECT_EQ(file.Sections()[1].name, L"Profile1"); // in place
}

// Writes only what the model's rules allow, whatever the model holds.
TEST_F(ProfileStoreTest, SaveWritesSoundValuesForBrokenModels) {
    ProfileData& d = Stored(1);
    d.changedCells = {4, -1, 132, 4, 131};
    d.macroNames = {L"a", L"b"}; // a name without a list is not counted
    d.macroEventLists = {{1, 2, 1}};
    maps.ProfileMap(1)->erase(Code(1));  // kind 0 without an entry
    (*maps.ProfileMap(1))[Code(2)] = {}; // kind 0 with an empty sequence
    MemoryIniStore file;
    SaveProfile(file, 1, buttons, maps, profiles);
    EXPECT_EQ(file.ReadInt(L"Profile1", L"Key10", -1), 10);
    EXPECT_EQ(file.ReadInt(L"Profile1", L"Key11", -1), 11);
    EXPECT_EQ(file.ReadInt(L"Profile1", L"SetIndexNum", -1), 2);
    EXPECT_EQ(file.ReadInt(L"Profile1", L"setindex0", -1), 4);
    EXPECT_EQ(file.ReadInt(L"Profile1", L"setindex1", -1), 131);
    EXPECT_EQ(file.ReadInt(L"Profile1", L"MacroStrNum", -1), 1);
    EXPECT_EQ(file.ReadText(L"Profile1", L"MacroName1"), L"");

    EXPECT_FALSE(SaveProfile(file, 0, buttons, maps, profiles));
    EXPECT_FALSE(SaveProfile(file, 4, buttons, maps, profiles));
    EXPECT_FALSE(file.HasSection(L"Profile0"));
    EXPECT_FALSE(file.HasSection(L"Profile4"));
}

TEST_F(ProfileStoreTest, AbsentSectionLoadsTheDefaultProfile) {
    profiles.working.keyAssignments[125].setName = L"command cell keeps this";
    maps.working[200] = {1};
    LoadText(L"[Profile2]\nKey10=3\n", 1, 1);
    for (int i = 0; i < kKeyCellCount; ++i) {
        EXPECT_EQ(Stored(1).keyAssignments[i], (KeyAssignment{buttons[i].name, 0, 0}));
        EXPECT_EQ(Map(1).at(buttons[i].keyCode), KeySequence{buttons[i].keyCode});
    }
    EXPECT_EQ(Map(1).size(), static_cast<size_t>(kKeyCellCount));
    EXPECT_TRUE(Stored(1).changedCells.empty());
    EXPECT_TRUE(Stored(1).macroNames.empty());
    EXPECT_EQ(Stored(1).keyAssignments[125].setName, L"command cell keeps this");
}

TEST_F(ProfileStoreTest, LoadBuildsSequencesByKind) {
    LoadText(L"[Profile1]\n"
             L"MacroStrNum=3\nMacroName0=m0\nMacroName1=m1\nMacroName2=empty\n"
             L"MacroKeyNum0=12\nMacroKey0=1,65,1,1,65,0,1,66,1,1,66,0\n"
             L"MacroKeyNum1=6\nMacroKey1=9,67,0,9,68,0\n"
             L"IndexPic10=0\nKey10=66\n"
             L"IndexPic11=1\nMacroIndex11=0\n"
             L"IndexPic12=1\nMacroIndex12=1\n"
             L"IndexPic13=1\nMacroIndex13=2\nSetName13=empty\n" // exists, plays nothing
             L"Key14=255\n"                                     // no IndexPic: kind 0
             L"IndexPic15=2\nSetName15=M120\n"
             L"IndexPic17=3\nSetName17=Select ALL\n"
             L"IndexPic18=3\nSetName18=Window\n"
             L"IndexPic20=3\nSetName20=Maximize\n"
             L"Key21=1\nSetName21=one\n"
             L"SetIndexNum=3\nsetindex0=0\nsetindex1=3\nsetindex2=11\n");
    const ProfileKeyMap& m = Map(1);
    EXPECT_EQ(m.at(10), (KeySequence{66}));
    EXPECT_EQ(m.at(11), (KeySequence{65, 66}));
    EXPECT_EQ(m.at(12), (KeySequence{})); // releases only
    EXPECT_EQ(m.at(13), (KeySequence{}));
    EXPECT_EQ(m.at(14), (KeySequence{255}));
    EXPECT_EQ(m.at(15), (KeySequence{120}));
    EXPECT_EQ(m.at(17), (KeySequence{17, 65}));
    EXPECT_EQ(m.at(18), (KeySequence{17, 78}));
    EXPECT_EQ(m.at(20), (KeySequence{18, 32, 88}));
    EXPECT_EQ(m.at(21), (KeySequence{1}));
    EXPECT_EQ(Stored(1).macroAssignments, (MacroAssignments{{11, 0}, {12, 1}, {13, 2}}));
    EXPECT_EQ(Stored(1).keyAssignments[3], (KeyAssignment{L"empty", 1, 2}));
    EXPECT_EQ(Stored(1).keyAssignments[11], (KeyAssignment{L"one", 0, 0}));
    EXPECT_EQ(Stored(1).macroNames, (MacroNames{L"m0", L"m1", L"empty"}));
    EXPECT_EQ(Stored(1).changedCells, (ChangedCells{0, 3, 11}));
}

// A key cell whose stored assignment cannot be honoured keeps its own
// meaning: itself, its cell's name, not changed. Each case is the whole
// stored assignment of cell 1 (code 10) in a section that marks it changed
// and holds two macros.
TEST_F(ProfileStoreTest, UnhonouredAssignmentsLeaveTheKeyItself) {
    const wchar_t* cases[] = {
        L"",              // no entries for the key
        L"SetName10=B\n", // no Key10
        L"IndexPic10=0\nMacroIndex10=0\nSetName10=B\n",
        L"IndexPic10=0\nKey10=0\n",
        L"IndexPic10=0\nKey10=256\n",
        L"Key10=-66\n",
        L"Key10=x\n",                                   // reads as 0
        L"IndexPic10=1\nMacroIndex10=2\nSetName10=m\n", // names no macro
        L"IndexPic10=1\nMacroIndex10=-1\n",
        L"IndexPic10=1\nSetName10=m0\n",   // no MacroIndex
        L"IndexPic10=2\nSetName10=m120\n", // the table's name is M120
        L"IndexPic10=2\n",
        L"IndexPic10=3\nSetName10=select all\n", // the table's is Select ALL
        L"IndexPic10=3\nSetName10=Nothing\n",
        L"IndexPic10=4\nKey10=66\n", // the library-only mode
        L"IndexPic10=-1\nKey10=66\n",
        L"IndexPic10=7\nMacroIndex10=0\nSetName10=Copy\nKey10=66\n",
    };
    for (const wchar_t* cell : cases) {
        SCOPED_TRACE(::testing::Message() << std::string(cell, cell + wcslen(cell)));
        LoadText(std::wstring(L"[Profile1]\nMacroStrNum=2\nMacroName0=m0\nMacroName1=m1\n"
                              L"MacroKeyNum0=3\nMacroKey0=1,65,1\n"
                              L"SetIndexNum=2\nsetindex0=0\nsetindex1=1\n"
                              L"IndexPic11=0\nKey11=67\n") +
                 cell);
        EXPECT_EQ(Stored(1).keyAssignments[0], (KeyAssignment{L"K10", 0, 0}));
        EXPECT_EQ(Map(1).at(10), KeySequence{10});
        EXPECT_EQ(Stored(1).macroAssignments.count(10), 0u);
        EXPECT_EQ(Stored(1).changedCells, (ChangedCells{1}));
        EXPECT_EQ(Map(1).at(11), KeySequence{67}); // the neighbour is read as stored
        // Saved and loaded again, the key stays itself.
        MemoryIniStore saved;
        SaveProfile(saved, 1, buttons, maps, profiles);
        EXPECT_EQ(saved.ReadInt(L"Profile1", L"Key10", 0), 10);
    }
}

// As a new user writes set.ini by hand: only Q is named. Q types W and every
// other key of the shipped keyboard stays itself, shortcuts included.
TEST(HandWrittenSetIni, NamesOneKeyAndEveryOtherKeyStaysItself) {
    KeyButtons buttons;
    MediaKeyNames media;
    ReadShippedLayout(buttons, media);
    MemoryIniStore set =
        ParseIniText(L"[TYPE]\ntype=1\n[Profile1]\nKey81=87\nSetName81=W\nMacroStrNum=0\n");
    ProfileMaps maps;
    Profiles profiles;
    LoadAllProfiles(set, buttons, media, maps, profiles);
    for (int i = 0; i < kKeyCellCount; ++i) {
        const int c = buttons[i].keyCode;
        SCOPED_TRACE(c);
        if (c == 81) {
            EXPECT_EQ(profiles.stored[0].keyAssignments[i], (KeyAssignment{L"W", 0, 0}));
            EXPECT_EQ(maps.ProfileMap(1)->at(c), KeySequence{87});
        } else {
            EXPECT_EQ(profiles.stored[0].keyAssignments[i], (KeyAssignment{buttons[i].name, 0, 0}));
            EXPECT_EQ(maps.ProfileMap(1)->at(c), KeySequence{c});
        }
    }
    // The engine remaps with what was loaded: Q, A, Ctrl+A, Ctrl+C.
    KeyMaps engine;
    engine.ReplaceProfileMaps(maps);
    engine.remapSuspended = 0;
    const test::ScriptResult r =
        test::Play(engine, "d:81 u:81 d:65 u:65 d:162 d:65 u:65 d:67 u:67 u:162", 0);
    EXPECT_EQ(r.verdicts, "S S P65 P65 P162 P65 P65 P67 P67 P162");
    EXPECT_EQ(r.queue, "dn:87 up:87");
}

TEST_F(ProfileStoreTest, MacroListsTakeTheCountedInts) {
    struct Case {
        const wchar_t* num;
        const wchar_t* key;
        MacroEventList want;
    };
    const Case cases[] = {
        {L"6", L"1,2,3", {1, 2, 3, 0, 0, 0}}, // more counted than present
        {L"3", L"1,2,3,4,5,6", {1, 2, 3}},    // fewer: the rest ignored
        {L"5", L"1,2,3,4,5", {1, 2, 3}},      // incomplete last event dropped
        {L"3", L" 7,x8, -9 ", {7, 0, -9}},    // fields read like _wtoi
        {L"0", L"1,2,3", {}},
        {L"-3", L"1,2,3", {}},
        {L"999999999", L"1,2,3", MacroEventList(3 + kMaxMissingMacroInts, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "MacroKeyNum " << std::wstring(c.num).size());
        LoadText(std::wstring(L"[Profile1]\nMacroStrNum=1\nMacroKeyNum0=") + c.num +
                 L"\nMacroKey0=" + c.key + L"\n");
        ASSERT_EQ(Stored(1).macroEventLists.size(), 1u);
        MacroEventList want = c.want;
        if (c.num == std::wstring(L"999999999")) {
            want[0] = 1, want[1] = 2, want[2] = 3;
        }
        EXPECT_EQ(Stored(1).macroEventLists[0], want);
    }
}

TEST_F(ProfileStoreTest, ChangedCellsKeepOnlyCellIndexesOnce) {
    LoadText(L"[Profile1]\nSetIndexNum=6\nsetindex0=5\nsetindex1=-1\nsetindex2=132\nsetindex3=131\n"
             L"setindex4=5\nKey10=66\nKey15=66\n");
    // setindex5 is missing and reads as 0, a cell index.
    EXPECT_EQ(Stored(1).changedCells, (ChangedCells{5, 131, 0}));
}

TEST_F(ProfileStoreTest, HugeCountsAreBounded) {
    LoadText(L"[Profile1]\nSetIndexNum=2000000000\nMacroStrNum=2000000000\nKey10=66\n");
    EXPECT_EQ(Stored(1).macroEventLists.size(), static_cast<size_t>(kMaxStoredMacros));
    EXPECT_EQ(Stored(1).macroNames.size(), static_cast<size_t>(kMaxStoredMacros));
    EXPECT_EQ(Stored(1).changedCells, (ChangedCells{0}));
}

TEST_F(ProfileStoreTest, CellsSharingAKeyCodeShareKeysAndTheLaterDecides) {
    buttons[1].keyCode = Code(1); // cells 1 and 2 both carry code 10
    LoadText(L"[Profile1]\nIndexPic10=0\nKey10=77\nSetName10=shared\n");
    EXPECT_EQ(Map(1).at(10), KeySequence{77});
    EXPECT_EQ(Stored(1).keyAssignments[0].setName, L"shared");
    EXPECT_EQ(Stored(1).keyAssignments[1].setName, L"shared");

    Stored(1).keyAssignments[0] = {L"first", 0, 0};
    Stored(1).keyAssignments[1] = {L"second", 0, 0};
    MemoryIniStore file;
    SaveProfile(file, 1, buttons, maps, profiles);
    const Entries e = file.Entries(L"Profile1");
    EXPECT_EQ(e[2], (MemoryIniStore::Entry{L"SetName10", L"second"}));
    EXPECT_EQ(e[4].first, L"IndexPic12"); // the shared keys are written once
}

TEST_F(ProfileStoreTest, LoadTargetsOutsideTheProfilesOnlyFillTheWorkingCopy) {
    LoadText(L"[Profile5]\nIndexPic10=0\nKey10=42\n", 5, 0);
    EXPECT_EQ(maps.working.at(10), KeySequence{42});
    for (int p = 1; p <= kProfileCount; ++p) {
        EXPECT_TRUE(Map(p).empty());
    }
}

// A store that notes which profile sections were loaded, in order.
class OrderStore : public MemoryIniStore {
  public:
    std::vector<std::wstring> sections;
    bool HasSection(const std::wstring& s) override {
        sections.push_back(s);
        return MemoryIniStore::HasSection(s);
    }
};

TEST_F(ProfileStoreTest, StartUpLoadsTheProfileInForceLast) {
    struct Case {
        const wchar_t* type; // nullptr: no [TYPE]
        int active;
        std::vector<std::wstring> order;
    };
    const Case cases[] = {
        {L"1", 1, {L"Profile2", L"Profile3", L"Profile1"}},
        {L"2", 2, {L"Profile3", L"Profile1", L"Profile2"}},
        {L"3", 3, {L"Profile1", L"Profile2", L"Profile3"}},
        {nullptr, 1, {L"Profile2", L"Profile3", L"Profile1"}},
        {L"0", 1, {L"Profile2", L"Profile3", L"Profile1"}},
        {L"4", 1, {L"Profile2", L"Profile3", L"Profile1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.active);
        OrderStore file;
        for (int p = 1; p <= 3; ++p) {
            file.WriteText(ProfileSectionName(p), L"Key10", std::to_wstring(100 + p));
        }
        if (c.type) {
            file.WriteText(L"TYPE", L"type", c.type);
        }
        ProfileMaps m;
        Profiles pr;
        LoadAllProfiles(file, buttons, media, m, pr);
        EXPECT_EQ(m.activeProfile, c.active);
        EXPECT_EQ(file.sections, c.order);
        EXPECT_EQ(m.working.at(10), KeySequence{100 + c.active});
        for (int p = 1; p <= 3; ++p) {
            EXPECT_EQ(m.ProfileMap(p)->at(10), KeySequence{100 + p});
        }
    }
}

TEST_F(ProfileStoreTest, SaveAllAndExportWriteTheType) {
    maps.activeProfile = 2;
    MemoryIniStore all;
    SaveAllProfiles(all, buttons, maps, profiles);
    ASSERT_EQ(all.Sections().size(), 4u);
    EXPECT_EQ(all.Sections()[3].name, L"TYPE");
    EXPECT_EQ(all.ReadInt(L"TYPE", L"type", 0), 2);

    MemoryIniStore exported = ParseIniText(L"[TYPE]\ntype=1\n[Keep]\nx=1\n");
    EXPECT_TRUE(ExportProfile(exported, 3, buttons, maps, profiles));
    EXPECT_EQ(exported.ReadInt(L"TYPE", L"type", 0), 3);
    EXPECT_TRUE(exported.HasSection(L"Profile3"));
    EXPECT_FALSE(exported.HasSection(L"Profile1"));
    EXPECT_EQ(exported.ReadInt(L"Keep", L"x", 0), 1);
    EXPECT_FALSE(ExportProfile(exported, 7, buttons, maps, profiles));
}

TEST(ProfileStorePath, IsTheExecutableDirectoryAndSetIni) {
    EXPECT_EQ(ExecutableDirectory(L"C:\\Program Files\\Orvane\\Orvane.exe"),
              L"C:\\Program Files\\Orvane\\");
    EXPECT_EQ(ExecutableDirectory(L"Orvane.exe"), L"");
    EXPECT_EQ(ProfileStorePath(L"C:\\Orvane\\"), L"C:\\Orvane\\set.ini");
    EXPECT_EQ(ProfileStorePath(L"C:\\Orvane"), L"C:\\Orvane\\set.ini");
}

TEST(FunctionShortcutTable, MatchesTextsExactly) {
    EXPECT_EQ(FunctionShortcutTable.size(), 13u);
    EXPECT_EQ(FindFunctionShortcut(L"Zoom In")->Sequence(), (KeySequence{17, 107}));
    EXPECT_EQ(FindFunctionShortcut(L"Minimize")->Sequence(), (KeySequence{18, 32, 78}));
    EXPECT_EQ(FindFunctionShortcut(L"Select All"), nullptr);
    EXPECT_EQ(FindFunctionShortcut(L"Open "), nullptr);
}

// The delivered set.ini holds the three default profiles of the delivered
// layout, exactly as the program's writer would leave them.
TEST(DeliveredSetIni, IsTheDefaultProfilesOfMainIni) {
    const std::string setBytes = fixture::ReadFileBytes(ORVANE_SOURCE_DIR "/res/set.ini");
    ASSERT_GE(setBytes.size(), 2u);
    EXPECT_EQ(setBytes.substr(0, 2), "\xFF\xFE"); // UTF-16LE with a byte-order mark
    KeyButtons buttons;
    MediaKeyNames media;
    ReadShippedLayout(buttons, media);

    MemoryIniStore set = ParseIniText(DecodeIniBytes(setBytes));
    ProfileMaps maps;
    Profiles profiles;
    LoadAllProfiles(set, buttons, media, maps, profiles);
    EXPECT_EQ(maps.activeProfile, 1);
    for (int p = 1; p <= 3; ++p) {
        SCOPED_TRACE(p);
        ASSERT_TRUE(set.HasSection(ProfileSectionName(p)));
        const ProfileData& d = *profiles.Stored(p);
        EXPECT_TRUE(d.changedCells.empty());
        EXPECT_TRUE(d.macroEventLists.empty());
        for (int i = 0; i < kKeyCellCount; ++i) {
            EXPECT_EQ(d.keyAssignments[i], (KeyAssignment{buttons[i].name, 0, 0})) << i;
            EXPECT_EQ(maps.ProfileMap(p)->at(buttons[i].keyCode), KeySequence{buttons[i].keyCode});
        }
    }
    // Written again by the program, the file would read the same.
    MemoryIniStore rewritten;
    SaveAllProfiles(rewritten, buttons, maps, profiles);
    EXPECT_TRUE(rewritten.ToText() == DecodeIniBytes(setBytes));
}

} // namespace
} // namespace orvane
