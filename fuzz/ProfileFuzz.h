// Shared by the profile fuzz targets: a layout with some key codes shared
// by two cells, the model invariants every load must keep, and the start-up
// load of all three profiles from arbitrary INI text.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/IniStore.h"
#include "storage/ProfileStore.h"

namespace orvane::fuzz {

inline KeyButtons Buttons() {
    KeyButtons b;
    for (int i = 0; i < kKeyCellCount; ++i) {
        b[i].keyCode = 8 + i % 118; // a few codes repeat, as two cells may share one
        b[i].name = L"K" + std::to_wstring(i);
    }
    return b;
}

inline void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

inline void CheckInvariants(const ProfileData& d) {
    Check(d.macroNames.size() == d.macroEventLists.size());
    for (const MacroEventList& list : d.macroEventLists) {
        Check(list.size() % kMacroEventInts == 0);
    }
    for (int index : d.changedCells) {
        Check(index >= 0 && index < kCellCount);
    }
    for (const auto& [code, macro] : d.macroAssignments) {
        Check(macro >= 0 && static_cast<size_t>(macro) < d.macroEventLists.size());
    }
}

inline const KeyButtons& FuzzButtons() {
    static const KeyButtons buttons = Buttons();
    return buttons;
}

inline const MediaKeyNames& FuzzMedia() {
    static const MediaKeyNames media = {{L"Mute", 173}, {L"K110", 174}, {L"", 0}};
    return media;
}

// Loads all three profiles from the input as the program does at start-up
// and checks what came out.
inline void LoadAndCheck(const uint8_t* data, size_t size, ProfileMaps& maps, Profiles& profiles) {
    MemoryIniStore file =
        ParseIniText(DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size)));
    LoadAllProfiles(file, FuzzButtons(), FuzzMedia(), maps, profiles);
    Check(maps.activeProfile >= 1 && maps.activeProfile <= kProfileCount);
    for (const ProfileData& d : profiles.stored) {
        CheckInvariants(d);
    }
}

} // namespace orvane::fuzz
