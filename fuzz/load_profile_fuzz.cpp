// LoadProfile (through the start-up load of all three profiles) over a store
// parsed from arbitrary INI text: no input may crash, read outside a list, or
// leave a model that breaks its invariants. profile_roundtrip_fuzz adds the
// save and reload of what was loaded.
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

    return 0;
}
