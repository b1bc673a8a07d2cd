// Importing a profile file (the export format: [TYPE] "type" names the
// profile section the file holds). Export itself is ExportProfile /
// ExportProfileToFile.
//
// Portable: no Windows headers.
#pragma once

#include "engine/KeyModel.h"
#include "layout/Layout.h"
#include "storage/IniStore.h"

namespace orvane {

// Import reads no file larger than this: a full profile with a large macro
// library is well under 1 MB, so anything beyond is no profile and is
// refused before it is read into memory.
inline constexpr unsigned long long kMaxImportFileBytes = 16ull * 1024 * 1024; // 16 MB

// The profile section an exported file holds: [TYPE] "type", 1 when absent.
int ExportedProfileNumber(IniStore& file);

// Whether `file` holds the profile section it names: the section exists and
// has at least one key.
bool HoldsExportedProfile(MemoryIniStore& file);

// Replaces profile `target` (the one in force) and the working copy with the
// profile `file` holds. A file that holds none (no such section, or an empty
// one), or a target outside 1..3, changes nothing and answers false: an
// import never turns the profile in force into an empty one.
bool ImportProfile(MemoryIniStore& file, int target, const KeyButtons& buttons,
                   const MediaKeyNames& mediaKeyNames, ProfileMaps& maps, Profiles& profiles);

} // namespace orvane
