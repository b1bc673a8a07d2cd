// What the storage benchmarks share: a clock, a layout of 121 key cells, a
// full profile (ten macros of fifty events) and the one-call file floor they
// are measured against, and their result-file format ("<figure> <ms> ...").
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "engine/KeyModel.h"
#include "layout/Layout.h"

namespace orvane::bench {

inline double NowMs() {
    LARGE_INTEGER f, c;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&c);
    return 1000.0 * static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

inline KeyButtons Layout() {
    KeyButtons b;
    for (int i = 0; i < kCellCount; ++i) {
        b[i].keyCode = i < kKeyCellCount ? 8 + i : 0;
        b[i].name = L"Key " + std::to_wstring(i + 1);
    }
    return b;
}

// Profile p: 121 keys, ten macros of fifty events each, the first ten keys on them.
inline void FillFullProfile(const KeyButtons& b, int p, ProfileMaps& maps, Profiles& profiles) {
    ProfileData& d = *profiles.Stored(p);
    ProfileKeyMap& m = *maps.ProfileMap(p);
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
}

// The floor: the same bytes in one ReadFile / one WriteFile.
inline std::string ReadAll(const std::wstring& path) {
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

inline void WriteAll(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

// One result line: the figure's name and one value per round.
inline void WriteResultLine(FILE* out, const char* name, const std::vector<double>& values) {
    std::fprintf(out, "%s", name);
    for (double x : values)
        std::fprintf(out, " %.3f", x);
    std::fprintf(out, "\n");
}

} // namespace orvane::bench
