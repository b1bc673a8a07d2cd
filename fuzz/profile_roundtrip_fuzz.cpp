// Whatever a hand-edited file makes the loader produce, the writer saves it
// so that it loads back the same: arbitrary INI text is loaded, the profile
// in force is saved, turned into file text, parsed and loaded again.
#include <cstddef>
#include <cstdint>

#include "fuzz/ProfileFuzz.h"

using namespace orvane;
using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const KeyButtons& buttons = fuzz::FuzzButtons();
    const MediaKeyNames& media = fuzz::FuzzMedia();
    ProfileMaps maps;
    Profiles profiles;
    fuzz::LoadAndCheck(data, size, maps, profiles);

    // What the program writes, it reads back unchanged (checked for the
    // profile in force, which the input chooses through [TYPE]).
    const int p = maps.activeProfile;
    MemoryIniStore saved;
    SaveProfile(saved, p, buttons, maps, profiles);
    MemoryIniStore reread = ParseIniText(saved.ToText());
    ProfileMaps maps2;
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
