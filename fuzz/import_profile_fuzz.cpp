// ImportProfile of an arbitrary file into each profile slot in turn, from
// three distinct profiles with an uncommitted edit, as the program holds
// them. Whatever the file (odd-length, binary, huge, a [TYPE] naming another
// profile than the slot), an import that answers true leaves the target and
// the working copy equal and every key sound; one that answers false changes
// nothing; the other two profiles never change.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

#include "fuzz/ProfileFuzz.h"
#include "storage/ProfileImport.h"

using namespace orvane;
using fuzz::Check;

namespace {

// Three profiles that differ in every part an import replaces.
constexpr wchar_t kStartUp[] = L"[TYPE]\ntype=1\n"
                               L"[Profile1]\nKey8=66\nSetIndexNum=1\nsetindex0=0\n"
                               L"[Profile2]\nMacroStrNum=1\nMacroName0=m\nMacroKeyNum0=3\n"
                               L"MacroKey0=1,65,1\nIndexPic9=1\nMacroIndex9=0\n"
                               L"[Profile3]\nIndexPic10=3\nSetName10=Copy\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const MediaKeyNames& media = fuzz::FuzzMedia();
    const KeyButtons& buttons = fuzz::FuzzButtons();
    MemoryIniStore file =
        ParseIniText(DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data), size)));
    const bool holds = HoldsExportedProfile(file);
    static const auto [startMaps, startProfiles] = [&] {
        std::pair<ProfileMaps, Profiles> loaded;
        MemoryIniStore startUp = ParseIniText(kStartUp);
        LoadAllProfiles(startUp, buttons, media, loaded.first, loaded.second);
        return loaded;
    }();
    for (int target = 1; target <= kProfileCount; ++target) {
        ProfileMaps maps = startMaps;
        Profiles profiles = startProfiles;
        maps.activeProfile = target;
        CopyProfileToWorking(maps, profiles, target);
        profiles.working.changedCells.push_back(7); // an uncommitted edit
        maps.working[8] = {90};
        const ProfileMaps beforeMaps = maps;
        const Profiles before = profiles;

        const bool imported = ImportProfile(file, target, buttons, media, maps, profiles);
        Check(imported == holds);
        const ProfileMaps& m = maps;
        for (int p = 1; p <= kProfileCount; ++p) {
            if (p != target || !imported) {
                Check(profiles.stored[p - 1] == before.stored[p - 1]);
                Check(*m.ProfileMap(p) == *beforeMaps.ProfileMap(p));
            }
            fuzz::CheckInvariants(profiles.stored[p - 1]);
            fuzz::CheckKeyCells(profiles.stored[p - 1], *m.ProfileMap(p));
        }
        Check(m.activeProfile == target);
        if (imported) {
            Check(profiles.working == profiles.stored[target - 1]);
            Check(m.working == *m.ProfileMap(target));
        } else {
            Check(profiles.working == before.working);
            Check(m.working == beforeMaps.working);
        }
    }
    return 0;
}
