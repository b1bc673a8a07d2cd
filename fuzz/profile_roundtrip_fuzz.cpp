// Whatever a hand-edited file makes the loader produce, the writer saves it
// so that it loads back the same: arbitrary INI text is loaded, the profile
// in force is saved, turned into file text, parsed and loaded again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/IniStore.h"
#include "storage/ProfileStore.h"

using namespace orvane;

namespace {

KeyButtons Buttons() {
    KeyButtons b;
    for (int i = 0; i < kKeyCellCount; ++i) {
        b[i].keyCode = 8 + i % 118; // a few codes repeat, as two cells may share one
        b[i].name = L"K" + std::to_wstring(i);
    }
    return b;
}

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

void CheckInvariants(const ProfileData& d) {
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const KeyButtons buttons = Buttons();
    static const MediaKeyNames media = {{L"Mute", 173}, {L"K110", 174}, {L"", 0}};
    MemoryIniStore file =
        ParseIniText(DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size)));

    KeyMaps maps;
    Profiles profiles;
    LoadAllProfiles(file, buttons, media, maps, profiles);
    Check(maps.activeProfile >= 1 && maps.activeProfile <= kProfileCount);
    for (const ProfileData& d : profiles.stored) {
        CheckInvariants(d);
    }

    // What the program writes, it reads back unchanged (checked for the
    // profile in force, which the input chooses through [TYPE]).
    const int p = maps.activeProfile;
    MemoryIniStore saved;
    SaveProfile(saved, p, buttons, maps, profiles);
    MemoryIniStore reread = ParseIniText(saved.ToText());
    KeyMaps maps2;
    Profiles profiles2;
    LoadProfile(reread, p, p, buttons, media, maps2, profiles2);
    const ProfileData& a = *profiles.Stored(p);
    const ProfileData& b = *profiles2.Stored(p);
    Check(a.changedCells == b.changedCells);
    Check(a.macroNames == b.macroNames);
    Check(a.macroEventLists == b.macroEventLists);
    Check(a.macroAssignments == b.macroAssignments);
    Check(*maps.ProfileMap(p) == *maps2.ProfileMap(p));
    // Cells sharing a key code share its keys: the later cell's assignment
    // is the one written, and both read it back.
    for (int i = 0; i < kKeyCellCount; ++i) {
        int last = i;
        for (int j = i + 1; j < kKeyCellCount; ++j) {
            if (buttons[j].keyCode == buttons[i].keyCode) {
                last = j;
            }
        }
        Check(b.keyAssignments[i] == a.keyAssignments[last]);
    }
    return 0;
}
