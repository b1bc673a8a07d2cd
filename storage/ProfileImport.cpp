#include "storage/ProfileImport.h"

#include "storage/ProfileStore.h"

namespace orvane {

int ExportedProfileNumber(IniStore& file) {
    return file.ReadInt(kTypeSection, kTypeKey, 1);
}

bool HoldsExportedProfile(MemoryIniStore& file) {
    return !file.Entries(ProfileSectionName(ExportedProfileNumber(file))).empty();
}

bool ImportProfile(MemoryIniStore& file, int target, const KeyButtons& buttons,
                   const MediaKeyNames& mediaKeyNames, ProfileMaps& maps, Profiles& profiles) {
    if (maps.ProfileMap(target) == nullptr || !HoldsExportedProfile(file))
        return false;
    return LoadProfile(file, ExportedProfileNumber(file), target, buttons, mediaKeyNames, maps,
                       profiles);
}

} // namespace orvane
