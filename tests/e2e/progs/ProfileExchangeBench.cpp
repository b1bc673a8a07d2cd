// Times exporting one full profile to a file and importing it into another
// profile, beside the floor of moving the same bytes with one WriteFile or
// one ReadFile. Usage: ProfileExchangeBench.exe <work directory> <result file> [rounds]
// Each result line: "<figure> <ms> <ms> ..." (one value per round).
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "storage/PrivateProfileStore.w32.h"
#include "storage/ProfileImport.h"
#include "storage/ProfileStore.h"

using namespace orvane;

namespace {

double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

KeyButtons Layout() {
    KeyButtons b;
    for (int i = 0; i < kCellCount; ++i) {
        b[i].keyCode = i < kKeyCellCount ? 8 + i : 0;
        b[i].name = L"Key " + std::to_wstring(i + 1);
    }
    return b;
}

// Profile 1: 121 keys, ten macros of fifty events each, the first ten keys on them.
void FullProfile(const KeyButtons& b, KeyMaps& maps, Profiles& profiles) {
    ProfileData& d = profiles.stored[0];
    ProfileKeyMap& m = maps.profile[0];
    for (int i = 0; i < kKeyCellCount; ++i) {
        d.keyAssignments[i] = KeyAssignment{L"Target " + std::to_wstring(i), 0, 0};
        m[b[i].keyCode] = KeySequence{65 + i % 26};
    }
    for (int k = 0; k < 10; ++k) {
        MacroEventList events;
        for (int e = 0; e < 50; ++e)
            events.insert(events.end(), {(30 + e % 20) << 16, 65 + e % 26, e % 2 == 0 ? 1 : 0});
        d.macroNames.push_back(L"Macro " + std::to_wstring(k));
        d.macroEventLists.push_back(events);
        d.keyAssignments[k] = KeyAssignment{d.macroNames.back(), 1, k};
        d.macroAssignments[b[k].keyCode] = k;
        m[b[k].keyCode] = MacroKeySequence(events);
        d.changedCells.push_back(k);
    }
    maps.activeProfile = 1;
}

std::string ReadAll(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    std::string bytes;
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(h, nullptr));
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

void WriteAll(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

} // namespace

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
    KeyMaps maps;
    Profiles profiles;
    FullProfile(buttons, maps, profiles);

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
        KeyMaps into = maps;
        Profiles intoProfiles = profiles;
        into.activeProfile = 2;
        t0 = NowMs();
        MemoryIniStore file;
        ok = ReadIniFileSnapshot(path, file) && ok;
        ok = ImportProfile(file, 2, buttons, media, into, intoProfiles) && ok;
        importMs.push_back(NowMs() - t0);
        ok = ok && intoProfiles.stored[1] == profiles.stored[0] &&
             into.profile[1] == maps.profile[0];

        t0 = NowMs();
        const std::string again = ReadAll(floorPath);
        readFloor.push_back(NowMs() - t0);
        ok = ok && again == bytes;
    }

    FILE* out = _wfopen(result.c_str(), L"w");
    if (out == nullptr)
        return 3;
    auto line = [&](const char* name, const std::vector<double>& v) {
        std::fprintf(out, "%s", name);
        for (double x : v)
            std::fprintf(out, " %.3f", x);
        std::fprintf(out, "\n");
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
