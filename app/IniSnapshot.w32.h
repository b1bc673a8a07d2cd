// Start-up reading of the program's INI files from one snapshot.
//
// Each GetPrivateProfile* call opens and checks the file again; the loader
// makes some 1500 of them for set.ini, which costs about a second under Wine
// on the GUI thread before the window can show. Start-up therefore reads each
// file once and parses it with the same rules as the private-profile
// functions (ParseIniText: names without regard to case, trimmed and unquoted
// values, first key wins, the file's encoding by its byte-order mark). All
// writing still goes through the private-profile functions.
#pragma once

#include <string>

#include "storage/IniStore.h"

namespace orvane {

// The file's contents as a store; an empty store when the file is missing or
// cannot be read (every value then reads as its default, as it would through
// the private-profile functions).
MemoryIniStore ReadIniSnapshot(const std::wstring& path);

} // namespace orvane
