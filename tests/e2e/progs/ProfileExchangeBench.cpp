// Times exporting one full profile to a file and importing it into another
// profile, beside the floor of moving the same bytes with one WriteFile or
// one ReadFile. Usage: ProfileExchangeBench.exe <work directory> <result file> [rounds]
// Each result line: "<figure> <ms> <ms> ..." (one value per round).
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "StorageBenchCommon.h"
#include "storage/PrivateProfileStore.w32.h"
#include "storage/ProfileImport.h"
#include "storage/ProfileStore.h"

using namespace orvane;

using namespace orvane::bench;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc < 3)
        return 2;
    std::wstring dir = argv[1];
    if (dir.back() != L'\\')
        dir += L'\\';
    const std::wstring result = argv[2];
    const int rounds = argc > 3 ? _wtoi(argv[3]) : 7;
    const std::wstring path = dir + L"exported.ini";
    const std::wstring floorPath = dir + L"floor.ini";

    const KeyButtons buttons = Layout();
    const MediaKeyNames media;
    ProfileMaps maps;
    Profiles profiles;
    FillFullProfile(buttons, 1, maps, profiles);
    maps.activeProfile = 1;

    std::vector<double> exportMs, importMs, writeFloor, readFloor;
    bool ok = true;
    for (int r = 0; r < rounds; ++r) {
        DeleteFileW(path.c_str());
        double t0 = NowMs();
        ok = ExportProfileToFile(path, 1, buttons, maps, profiles) && ok;
        exportMs.push_back(NowMs() - t0);

        const std::string bytes = ReadAll(path);
        t0 = NowMs();
        WriteAll(floorPath, bytes);
        writeFloor.push_back(NowMs() - t0);

        // As the Import command does it, into profile 2.
        ProfileMaps into = maps;
        Profiles intoProfiles = profiles;
        into.activeProfile = 2;
        t0 = NowMs();
        MemoryIniStore file;
        ok = ReadIniFileSnapshot(path, file) && ok;
        ok = ImportProfile(file, 2, buttons, media, into, intoProfiles) && ok;
        importMs.push_back(NowMs() - t0);
        ok = ok && intoProfiles.stored[1] == profiles.stored[0] &&
             *into.ProfileMap(2) == *maps.ProfileMap(1);

        t0 = NowMs();
        const std::string again = ReadAll(floorPath);
        readFloor.push_back(NowMs() - t0);
        ok = ok && again == bytes;
    }

    FILE* out = _wfopen(result.c_str(), L"w");
    if (out == nullptr)
        return 3;
    auto line = [&](const char* name, const std::vector<double>& v) {
        WriteResultLine(out, name, v);
    };
    line("export", exportMs);
    line("write_floor", writeFloor);
    line("import", importMs);
    line("read_floor", readFloor);
    std::fprintf(out, "bytes %zu\nok %d\n", ReadAll(path).size(), ok ? 1 : 0);
    std::fclose(out);
    DeleteFileW(path.c_str());
    DeleteFileW(floorPath.c_str());
    return ok ? 0 : 1;
}
