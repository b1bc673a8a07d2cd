// The profile key model's whole-profile operations.
#include <gtest/gtest.h>

#include "engine/KeyModel.h"

namespace orvane {
namespace {

std::array<std::wstring, kCellCount> CellNames() {
    std::array<std::wstring, kCellCount> names;
    for (int i = 0; i < kCellCount; ++i) {
        names[i] = L"cell" + std::to_wstring(i + 1);
    }
    return names;
}

ProfileData SampleProfile(int tag) {
    ProfileData d;
    d.changedCells = {4, tag};
    d.macroAssignments = {{65, 0}};
    d.macroNames = {L"m" + std::to_wstring(tag)};
    d.macroEventLists = {{30, 65, 1, 30, 65, 0}};
    d.keyAssignments[4] = KeyAssignment{L"B", 0, 0};
    d.keyAssignments[tag] = KeyAssignment{L"m", 1, 0};
    return d;
}

TEST(KeyModel, SeedIdentityCovers1To254AndKeepsEntries) {
    ProfileKeyMap map{{65, {66}}, {300, {1}}};
    SeedIdentity(map);
    EXPECT_EQ(map.size(), 255u); // 254 seeded codes, 65 kept, plus 300
    EXPECT_EQ(map.count(0), 0u);
    EXPECT_EQ(map.count(255), 0u);
    EXPECT_EQ(map.at(1), KeySequence{1});
    EXPECT_EQ(map.at(254), KeySequence{254});
    EXPECT_EQ(map.at(65), KeySequence{66});
}

TEST(KeyModel, CopyBothWaysReplacesMapAndData) {
    KeyMaps maps;
    Profiles profiles;
    maps.working = {{65, {66}}};
    profiles.working = SampleProfile(7);
    *maps.ProfileMap(2) = {{1, {1}}, {70, {17, 67}}};
    profiles.stored[1] = SampleProfile(9);

    CopyWorkingToProfile(maps, profiles, 3);
    EXPECT_EQ(*maps.ProfileMap(3), maps.working);
    EXPECT_EQ(profiles.stored[2], profiles.working);

    CopyProfileToWorking(maps, profiles, 2);
    EXPECT_EQ(maps.working, (ProfileKeyMap{{1, {1}}, {70, {17, 67}}}));
    EXPECT_EQ(profiles.working, SampleProfile(9));
    EXPECT_EQ(*maps.ProfileMap(3), (ProfileKeyMap{{65, {66}}})); // profile 3 kept its copy
}

TEST(KeyModel, CopyWithBadProfileNumberChangesNothing) {
    KeyMaps maps;
    Profiles profiles;
    maps.working = {{65, {66}}};
    profiles.working = SampleProfile(7);
    for (int p : {0, 4, -1}) {
        CopyWorkingToProfile(maps, profiles, p);
        CopyProfileToWorking(maps, profiles, p);
    }
    EXPECT_EQ(maps.working, (ProfileKeyMap{{65, {66}}}));
    EXPECT_EQ(profiles.working, SampleProfile(7));
    for (int i = 0; i < kProfileCount; ++i) {
        EXPECT_TRUE(maps.ProfileMap(i + 1)->empty());
        EXPECT_EQ(profiles.stored[i], ProfileData{});
    }
}

TEST(KeyModel, ResetThenCommitMakesEveryKeyItself) {
    KeyMaps maps;
    Profiles profiles;
    maps.working = {{0, {5}}, {65, {}}, {70, {17, 67}}, {255, {1}}};
    profiles.working = SampleProfile(7);
    maps.activeProfile = 2;
    *maps.ProfileMap(2) = {{66, {67}}};

    ResetWorkingProfile(maps, profiles, CellNames());
    CopyWorkingToProfile(maps, profiles, maps.activeProfile);

    const ProfileKeyMap& inForce = *maps.ProfileMap(2);
    for (int k = 1; k <= 254; ++k) {
        ASSERT_EQ(inForce.at(k), KeySequence{k}) << k;
    }
    EXPECT_EQ(inForce.at(0), KeySequence{5}); // outside 1..254: untouched
    EXPECT_EQ(inForce.at(255), KeySequence{1});
    const ProfileData& d = profiles.stored[1];
    EXPECT_TRUE(d.changedCells.empty());
    EXPECT_TRUE(d.macroAssignments.empty());
    EXPECT_TRUE(d.macroNames.empty());
    EXPECT_TRUE(d.macroEventLists.empty());
    EXPECT_EQ(d.keyAssignments[0], (KeyAssignment{L"cell1", 0, 0}));
    EXPECT_EQ(d.keyAssignments[7], (KeyAssignment{L"cell8", 0, 0}));
    EXPECT_EQ(d.keyAssignments[131], (KeyAssignment{L"cell132", 0, 0}));
}

TEST(KeyModel, MacroKeySequence) {
    const struct {
        MacroEventList events;
        KeySequence keys;
    } cases[] = {
        {{30, 65, 1, 48, 66, 1, 30, 65, 0, 48, 66, 0}, {65, 66}}, // A, B, release A, B
        {{30, 65, 0, 48, 66, 0}, {}},                             // only releases
        {{30, 65, 1, 30, 65, 0, 30, 65, 1}, {65, 65}},
        {{30, 65, 2, 48, 66, 1}, {66}}, // only exactly 1 counts as a press
        {{30, 65, 1, 48, 66}, {65}},    // incomplete last group from a hand-edited file
        {{}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MacroKeySequence(c.events), c.keys);
    }
}

} // namespace
} // namespace orvane
