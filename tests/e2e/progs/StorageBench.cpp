// Times saving and loading three full profiles through the private-profile
// store, beside the floor of moving the same bytes with one WriteFile or one
// ReadFile. Usage: StorageBench.exe <work directory> <result file> [rounds]
// Each result line: "<figure> <ms> <ms> ..." (one value per round).
#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "StorageBenchCommon.h"
#include "storage/PrivateProfileStore.w32.h"
#include "storage/ProfileStore.h"

using namespace orvane;

using namespace orvane::bench;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3) {
        return 2;
    }
    std::wstring dir = argv[1];
    if (dir.back() != L'\\') {
        dir += L'\\';
    }
    const std::wstring result = argv[2];
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 7;
    const std::wstring path = dir + L"set.ini";
    const std::wstring floorPath = dir + L"floor.ini";

    const KeyButtons buttons = Layout();
    const MediaKeyNames media;
    ProfileMaps maps;
    Profiles profiles;
    for (int p = 1; p <= kProfileCount; ++p)
        FillFullProfile(buttons, p, maps, profiles);
    maps.activeProfile = 1;

    std::vector<double> save, load, snapshotLoad, writeFloor, readFloor;
    bool ok = true;
    for (int r = 0; r < rounds; ++r) {
        DeleteFileW(path.c_str());
        double t0 = NowMs();
        ok = SaveProfilesToFile(path, buttons, maps, profiles) && ok;
        save.push_back(NowMs() - t0);

        const std::string bytes = ReadAll(path);
        t0 = NowMs();
        WriteAll(floorPath, bytes);
        writeFloor.push_back(NowMs() - t0);

        // Nothing cached: the load reads the file as at start-up.
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, nullptr);
        ProfileMaps loadedMaps;
        Profiles loaded;
        t0 = NowMs();
        PrivateProfileStore file(path);
        LoadAllProfiles(file, buttons, media, loadedMaps, loaded);
        load.push_back(NowMs() - t0);
        ok = ok && loaded.stored == profiles.stored;

        // The same through one read of the whole file (what start-up uses).
        ProfileMaps snapMaps;
        Profiles snap;
        t0 = NowMs();
        MemoryIniStore snapshot;
        ok = ReadIniFileSnapshot(path, snapshot) && ok;
        LoadAllProfiles(snapshot, buttons, media, snapMaps, snap);
        snapshotLoad.push_back(NowMs() - t0);
        ok = ok && snap.stored == profiles.stored;

        t0 = NowMs();
        const std::string again = ReadAll(floorPath);
        readFloor.push_back(NowMs() - t0);
        ok = ok && again == bytes;
    }

    FILE* out = _wfopen(result.c_str(), L"w");
    if (out == nullptr) {
        return 3;
    }
    auto line = [&](const char* name, const std::vector<double>& v) {
        WriteResultLine(out, name, v);
    };
    line("save", save);
    line("write_floor", writeFloor);
    line("load", load);
    line("snapshot_load", snapshotLoad);
    line("read_floor", readFloor);
    std::fprintf(out, "bytes %zu\nok %d\n", ReadAll(path).size(), ok ? 1 : 0);
    std::fclose(out);
    DeleteFileW(path.c_str());
    DeleteFileW(floorPath.c_str());
    return ok ? 0 : 1;
}
