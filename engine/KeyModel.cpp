#include "engine/KeyModel.h"

namespace orvane {

void SeedIdentity(ProfileKeyMap& map) {
    for (int k = 1; k <= 254; ++k) {
        map.try_emplace(k, KeySequence{k});
    }
}

void SeedIdentity(ProfileMaps& maps) {
    for (int p = 1; p <= kProfileCount; ++p) {
        SeedIdentity(*maps.ProfileMap(p));
    }
    SeedIdentity(maps.working);
}

void CopyWorkingToProfile(ProfileMaps& maps, Profiles& profiles, int p) {
    ProfileKeyMap* map = maps.ProfileMap(p);
    ProfileData* stored = profiles.Stored(p);
    if (map == nullptr || stored == nullptr) {
        return;
    }
    *map = maps.working;
    *stored = profiles.working;
}

void CopyProfileToWorking(ProfileMaps& maps, Profiles& profiles, int p) {
    ProfileKeyMap* map = maps.ProfileMap(p);
    ProfileData* stored = profiles.Stored(p);
    if (map == nullptr || stored == nullptr) {
        return;
    }
    maps.working = *map;
    profiles.working = *stored;
}

void ResetWorkingProfile(ProfileMaps& maps, Profiles& profiles,
                         const std::array<std::wstring, kCellCount>& cellNames) {
    for (int k = 1; k <= 254; ++k) {
        maps.working[k] = KeySequence{k};
    }
    ProfileData& w = profiles.working;
    w.changedCells.clear();
    for (int i = 0; i < kCellCount; ++i) {
        w.keyAssignments[i] = KeyAssignment{cellNames[i], 0, 0};
    }
    w.macroAssignments.clear();
    w.macroNames.clear();
    w.macroEventLists.clear();
}

void KeyMaps::ReplaceProfileMaps(const ProfileMaps& model) {
    for (int p = 1; p <= kProfileCount; ++p) {
        *ProfileMap(p) = *model.ProfileMap(p);
    }
    activeProfile = model.activeProfile;
}

KeySequence MacroKeySequence(const MacroEventList& events) {
    KeySequence seq;
    for (size_t i = 0; i + kMacroEventInts <= events.size(); i += kMacroEventInts) {
        if (events[i + 2] == 1) {
            seq.push_back(events[i + 1]);
        }
    }
    return seq;
}

} // namespace orvane
