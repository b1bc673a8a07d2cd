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

// Every key cell plays what its assignment names: no stored value leaves a
// key swallowed with nothing to send (a key that cannot be honoured loads as
// itself, kind 0).
inline void CheckKeyCells(const ProfileData& d, const ProfileKeyMap& map) {
    const KeyButtons& b = FuzzButtons();
    for (int i = 0; i < kKeyCellCount; ++i) {
        const int c = b[i].keyCode;
        const KeyAssignment& a = d.keyAssignments[i];
        const auto it = map.find(c);
        Check(it != map.end());
        const KeySequence& s = it->second;
        switch (a.kind) {
        case static_cast<int>(AssignmentKind::SingleKey):
            Check(s.size() == 1 && s[0] >= 1 && s[0] <= 255);
            break;
        case static_cast<int>(AssignmentKind::Macro): {
            const auto m = d.macroAssignments.find(c);
            Check(m != d.macroAssignments.end() && m->second == a.macroIndex);
            Check(s == MacroKeySequence(d.macroEventLists[a.macroIndex]));
            break;
        }
        case static_cast<int>(AssignmentKind::Multimedia): {
            const auto m = FuzzMedia().find(a.setName);
            Check(m != FuzzMedia().end() && s == KeySequence{m->second});
            break;
        }
        case static_cast<int>(AssignmentKind::FunctionShortcut): {
            const FunctionShortcut* f = FindFunctionShortcut(a.setName);
            Check(f != nullptr && s == f->Sequence());
            break;
        }
        default:
            Check(false);
        }
    }
}

// Loads all three profiles from the input as the program does at start-up
// and checks what came out.
inline void LoadAndCheck(const uint8_t* data, size_t size, ProfileMaps& maps, Profiles& profiles) {
    MemoryIniStore file =
        ParseIniText(DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size)));
    LoadAllProfiles(file, FuzzButtons(), FuzzMedia(), maps, profiles);
    Check(maps.activeProfile >= 1 && maps.activeProfile <= kProfileCount);
    const ProfileMaps& m = maps;
    for (int p = 1; p <= kProfileCount; ++p) {
        CheckInvariants(*profiles.Stored(p));
        CheckKeyCells(*profiles.Stored(p), *m.ProfileMap(p));
    }
}

} // namespace orvane::fuzz
