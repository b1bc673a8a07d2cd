// Export to a profile file and import from one.
#include <gtest/gtest.h>

#include "storage/IniStore.h"
#include "storage/ProfileImport.h"
#include "storage/ProfileStore.h"
#include "storage_fixtures.h"

namespace orvane {
namespace {

class ProfileImportTest : public ::testing::Test {
  protected:
    KeyButtons buttons = fixture::TestButtons();
    MediaKeyNames media = fixture::TestMediaNames(buttons);
    ProfileMaps maps;
    Profiles profiles;

    ProfileImportTest() {
        for (int p = 1; p <= kProfileCount; ++p) {
            ProfileData& d = *profiles.Stored(p);
            for (int i = 0; i < kKeyCellCount; ++i) {
                d.keyAssignments[i] = {buttons[i].name, 0, 0};
                (*maps.ProfileMap(p))[buttons[i].keyCode] = {buttons[i].keyCode};
            }
        }
        profiles.working = profiles.stored[0];
        maps.working = *maps.ProfileMap(1);
    }

    // Profile p with macros of any length and script, bound to cells 1 and 2.
    void MakeMacroProfile(int p) {
        ProfileData& d = *profiles.Stored(p);
        ProfileKeyMap& m = *maps.ProfileMap(p);
        d.macroNames = {L"Ελληνικά 中文 عربي 😀 \"q\" ;x=y", std::wstring(2000, L'n')};
        d.macroEventLists = {{}, {}};
        for (int e = 0; e < 50; ++e) {
            d.macroEventLists[0].insert(d.macroEventLists[0].end(), {e << 16, 65 + e % 26, 1});
            d.macroEventLists[1].insert(d.macroEventLists[1].end(), {e << 16, 48 + e % 10, e % 2});
        }
        for (int cell : {1, 2}) {
            const int m_ = cell - 1;
            d.keyAssignments[cell - 1] = {d.macroNames[m_], 1, m_};
            d.macroAssignments[buttons[cell - 1].keyCode] = m_;
            m[buttons[cell - 1].keyCode] = MacroKeySequence(d.macroEventLists[m_]);
        }
        d.keyAssignments[2] = {L"Copy", 3, 0};
        m[buttons[2].keyCode] = {17, 67};
        d.changedCells = {0, 1, 2};
    }
};

TEST_F(ProfileImportTest, ExportOfProfile2ImportsAsACopyIntoProfile3) {
    MakeMacroProfile(2);
    // An existing target keeps its other sections; an old Profile2 is rewritten.
    MemoryIniStore file =
        ParseIniText(L"[Other]\na=b\n[TYPE]\ntype=3\n[Profile2]\nsetindex40=7\nKey10=55\n");
    ASSERT_TRUE(ExportProfile(file, 2, buttons, maps, profiles));
    EXPECT_EQ(file.ReadText(L"Other", L"a"), L"b");
    EXPECT_EQ(file.ReadInt(L"TYPE", L"type", 0), 2);
    EXPECT_EQ(file.ReadText(L"Profile2", L"setindex40"), L"");

    maps.activeProfile = 3;
    profiles.working.changedCells = {9}; // uncommitted edits, dropped by the import
    const ProfileData before1 = profiles.stored[0];
    MemoryIniStore reread = ParseIniText(file.ToText());
    ASSERT_TRUE(ImportProfile(reread, 3, buttons, media, maps, profiles));
    EXPECT_EQ(profiles.stored[2], profiles.stored[1]);
    EXPECT_EQ(*maps.ProfileMap(3), *maps.ProfileMap(2));
    EXPECT_EQ(profiles.working, profiles.stored[1]);
    EXPECT_EQ(maps.working, *maps.ProfileMap(2));
    EXPECT_EQ(profiles.stored[0], before1);
}

TEST_F(ProfileImportTest, AFileThatHoldsNoProfileChangesNothing) {
    MakeMacroProfile(1);
    profiles.working = profiles.stored[0];
    maps.working = *maps.ProfileMap(1);
    const Profiles beforeProfiles = profiles;
    const ProfileMaps beforeMaps = maps;
    const wchar_t* files[] = {
        L"",
        L"[Settings]\nwidth=3\n",
        L"[TYPE]\ntype=2\n[Profile1]\nKey10=65\n", // names a section it lacks
        L"[TYPE]\ntype=5\n[Profile5x]\nKey10=65\n",
        L"[Profile1]\n",                             // the section, but no key in it
        L"[TYPE]\ntype=abc\n[Profile2]\nKey10=65\n", // reads as 0: Profile0
    };
    for (const wchar_t* text : files) {
        MemoryIniStore file = ParseIniText(text);
        EXPECT_FALSE(HoldsExportedProfile(file));
        EXPECT_FALSE(ImportProfile(file, 1, buttons, media, maps, profiles));
        EXPECT_EQ(profiles.working, beforeProfiles.working);
        EXPECT_EQ(profiles.stored, beforeProfiles.stored);
        for (int p = 1; p <= kProfileCount; ++p)
            EXPECT_EQ(*maps.ProfileMap(p), *beforeMaps.ProfileMap(p));
        EXPECT_EQ(maps.working, beforeMaps.working);
    }
}

TEST_F(ProfileImportTest, NoTypeReadsProfile1AndABadTargetChangesNothing) {
    MemoryIniStore file = ParseIniText(L"[Profile1]\nIndexPic10=0\nKey10=66\n");
    EXPECT_EQ(ExportedProfileNumber(file), 1);
    MakeMacroProfile(3);
    profiles.working.changedCells = {9}; // an uncommitted edit
    const Profiles before = profiles;
    const ProfileMaps beforeMaps = maps;
    for (int target : {0, 4, -1}) {
        EXPECT_FALSE(ImportProfile(file, target, buttons, media, maps, profiles));
        EXPECT_EQ(profiles.working, before.working);
        EXPECT_EQ(profiles.stored, before.stored);
        EXPECT_EQ(maps.working, beforeMaps.working);
        for (int p = 1; p <= kProfileCount; ++p)
            EXPECT_EQ(*maps.ProfileMap(p), *beforeMaps.ProfileMap(p));
    }
    ASSERT_TRUE(ImportProfile(file, 2, buttons, media, maps, profiles));
    EXPECT_EQ(maps.ProfileMap(2)->at(10), KeySequence{66});
    EXPECT_EQ(maps.working.at(10), KeySequence{66});
}

} // namespace
} // namespace orvane
