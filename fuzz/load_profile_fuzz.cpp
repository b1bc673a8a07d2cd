// LoadProfile (through the start-up load of all three profiles) over a store
// parsed from arbitrary INI text: no input may crash, read outside a list, or
// leave a model that breaks its invariants. profile_roundtrip_fuzz adds the
// save and reload of what was loaded.
#include <cstddef>
#include <cstdint>

#include "fuzz/ProfileFuzz.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProfileMaps maps;
    Profiles profiles;
    fuzz::LoadAndCheck(data, size, maps, profiles);
    return 0;
}
