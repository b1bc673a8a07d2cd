// The profile store through the real private-profile functions: save and
// load of full profiles, encodings, and the atomic save's failure paths.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <new>
#include <string>

#include "../native/storage_fixtures.h"
#include "storage/PrivateProfileStore.w32.h"
#include "storage/ProfileImport.h"
#include "storage/ProfileStore.h"

// Replaced for this test binary: while a test sets gFailAllocationsFrom, every
// allocation of at least that many bytes fails as it does when memory runs
// out.
static size_t gFailAllocationsFrom = static_cast<size_t>(-1);

void* operator new(size_t size) {
    if (size >= gFailAllocationsFrom)
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}

namespace orvane {
namespace {

std::string ReadBytes(const std::wstring& path) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD got = 0;
    ReadFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    CloseHandle(h);
    bytes.resize(got);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(h);
}

std::string Utf16File(const std::wstring& text) {
    std::string bytes = "\xFF\xFE";
    bytes.append(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
    return bytes;
}

// Each test gets a fresh directory of its own.
class PrivateProfileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::wstring(temp) + L"orvane-storage-" + std::to_wstring(GetCurrentProcessId()) +
               L"-" + std::to_wstring(counter_++) + L"\\";
        ASSERT_TRUE(CreateDirectoryW(dir_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
        // Nothing from an earlier run may answer for these files.
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        WritePrivateProfileStringW(nullptr, nullptr, nullptr, nullptr);
        for (const std::wstring& f : Files()) {
            SetFileAttributesW((dir_ + f).c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW((dir_ + f).c_str());
        }
        RemoveDirectoryW(dir_.c_str());
    }

    std::vector<std::wstring> Files() const {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW fd;
        HANDLE h = FindFirstFileW((dir_ + L"*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE) {
            return names;
        }
        do {
            if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
                names.push_back(fd.cFileName);
            }
        } while (FindNextFileW(h, &fd));
        FindClose(h);
        return names;
    }

    std::wstring Path(const wchar_t* name) const { return dir_ + name; }

    KeyButtons buttons = fixture::TestButtons();
    MediaKeyNames media = fixture::TestMediaNames(buttons);
    std::wstring dir_;
    static inline int counter_ = 0;
};

MacroEventList Events(int count) {
    MacroEventList list;
    for (int e = 0; e < count; ++e) {
        // A letter key's event: seven-digit keyNameParam, two-digit code.
        list.insert(list.end(), {(30 + e % 20) << 16, 65 + e % 26, e % 2 == 0 ? 1 : 0});
    }
    return list;
}

// Profile p with every kind of assignment, macros of 0, 1, 20 and 100
// events, and names in several scripts.
void MakeProfile(ProfileMaps& maps, Profiles& profiles, const KeyButtons& b, int p) {
    ProfileData& d = *profiles.Stored(p);
    ProfileKeyMap& m = *maps.ProfileMap(p);
    for (int i = 0; i < kKeyCellCount; ++i) {
        d.keyAssignments[i] = KeyAssignment{b[i].name, 0, 0};
        m[b[i].keyCode] = KeySequence{b[i].keyCode};
    }
    d.macroNames = {L"Ελληνικά", L"中文宏", L"ماكرو عربي", L"😀 emoji " + std::to_wstring(p)};
    d.macroEventLists = {Events(0), Events(1), Events(20), Events(100)};
    const wchar_t* names[] = {L"B", L" leading and trailing ", L"\"quoted\"", L"'single'"};
    for (int i = 0; i < 4; ++i) {
        d.keyAssignments[i] = {names[i], 0, 0};
        m[b[i].keyCode] = {65 + i + p};
    }
    for (int k = 0; k < 4; ++k) {
        const int cell = 10 + k;
        d.keyAssignments[cell] = {d.macroNames[k], 1, k};
        d.macroAssignments[b[cell].keyCode] = k;
        m[b[cell].keyCode] = MacroKeySequence(d.macroEventLists[k]);
    }
    d.keyAssignments[20] = {b[107].name, 2, 0};
    m[b[20].keyCode] = {b[107].keyCode};
    d.keyAssignments[21] = {L"Zoom Out", 3, 0};
    m[b[21].keyCode] = {17, 109};
    d.keyAssignments[22] = {L"the highest code", 0, 0};
    m[b[22].keyCode] = {255};
    d.keyAssignments[23] = {std::wstring(600, L'Ж'), 0, 0}; // far beyond 259 characters
    d.changedCells = {0, 1, 2, 3, 10, 11, 12, 13, 20, 21, 22, 23};
}

TEST_F(PrivateProfileTest, SaveThenLoadGivesBackEveryProfile) {
    ProfileMaps maps;
    Profiles profiles;
    for (int p = 1; p <= 3; ++p) {
        MakeProfile(maps, profiles, buttons, p);
    }
    maps.activeProfile = 2;
    const std::wstring path = Path(L"set.ini");
    ASSERT_TRUE(SaveProfilesToFile(path, buttons, maps, profiles));

    PrivateProfileStore file(path);
    ProfileMaps loadedMaps;
    Profiles loaded;
    LoadAllProfiles(file, buttons, media, loadedMaps, loaded);
    EXPECT_EQ(loadedMaps.activeProfile, 2);
    for (int p = 1; p <= 3; ++p) {
        SCOPED_TRACE(p);
        EXPECT_TRUE(*loaded.Stored(p) == *profiles.Stored(p));
        EXPECT_TRUE(*loadedMaps.ProfileMap(p) == *maps.ProfileMap(p));
        EXPECT_EQ(loaded.Stored(p)->macroEventLists[3].size(), 300u);
        EXPECT_EQ(loaded.Stored(p)->keyAssignments[1].setName, L" leading and trailing ");
    }
    EXPECT_TRUE(loaded.working == *profiles.Stored(2));

    // A snapshot of the file reads exactly as the functions do.
    MemoryIniStore snapshot;
    ASSERT_TRUE(ReadIniFileSnapshot(path, snapshot));
    ProfileMaps snapMaps;
    Profiles snap;
    LoadAllProfiles(snapshot, buttons, media, snapMaps, snap);
    EXPECT_EQ(snapMaps.activeProfile, 2);
    EXPECT_TRUE(snap.stored == loaded.stored);
    for (int p = 1; p <= kProfileCount; ++p)
        EXPECT_TRUE(*snapMaps.ProfileMap(p) == *loadedMaps.ProfileMap(p)) << p;

    const std::string bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    EXPECT_EQ(Files(), std::vector<std::wstring>{L"set.ini"}); // no temporary file left
}

TEST_F(PrivateProfileTest, ReadsWholeValuesAndSeesEmptySections) {
    const std::wstring path = Path(L"values.ini");
    const std::wstring longValue = std::wstring(5000, L'x') + L"end";
    WriteBytes(path, Utf16File(L"[Long]\r\nv=" + longValue +
                               L"\r\n[Empty]\r\n[quoted]\r\nq=\"  a  \"\r\n"));
    PrivateProfileStore store(path);
    EXPECT_EQ(store.ReadText(L"long", L"V"), longValue);
    EXPECT_EQ(store.ReadText(L"quoted", L"q"), L"  a  ");
    EXPECT_TRUE(store.HasSection(L"EMPTY"));
    EXPECT_FALSE(store.HasSection(L"Missing"));
    EXPECT_EQ(store.ReadInt(L"Long", L"missing", 7), 7);
}

TEST_F(PrivateProfileTest, SaveKeepsOtherSectionsOfAnExistingFile) {
    const std::wstring path = Path(L"set.ini");
    WriteBytes(
        path,
        Utf16File(
            L"[Other]\r\nname=Καλημέρα 世界\r\n[Profile1]\r\nStale=1\r\n[TYPE]\r\ntype=3\r\n"));
    ProfileMaps maps;
    Profiles profiles;
    MakeProfile(maps, profiles, buttons, 1);
    ASSERT_TRUE(SaveProfilesToFile(path, buttons, maps, profiles));
    PrivateProfileStore file(path);
    EXPECT_EQ(file.ReadText(L"Other", L"name"), L"Καλημέρα 世界");
    EXPECT_EQ(file.ReadText(L"Profile1", L"Stale"), L"");
    EXPECT_EQ(file.ReadInt(L"TYPE", L"type", 0), 1);
    EXPECT_EQ(file.ReadText(L"Profile1", L"MacroName2"), L"ماكرو عربي");
}

// An ANSI file is turned into UTF-16 on its first save, keeping its
// content, so names in any script can be stored in it from then on.
TEST_F(PrivateProfileTest, SaveConvertsAnAnsiFileToUtf16) {
    const std::wstring path = Path(L"export.ini");
    WriteBytes(path, "[Keep]\r\nplain=ascii text\r\n");
    ProfileMaps maps;
    Profiles profiles;
    MakeProfile(maps, profiles, buttons, 3);
    ASSERT_TRUE(ExportProfileToFile(path, 3, buttons, maps, profiles));
    EXPECT_EQ(ReadBytes(path).substr(0, 2), "\xFF\xFE");
    MemoryIniStore snapshot;
    ASSERT_TRUE(ReadIniFileSnapshot(path, snapshot));
    EXPECT_EQ(snapshot.ReadText(L"Keep", L"plain"), L"ascii text");
    PrivateProfileStore file(path);
    EXPECT_EQ(file.ReadText(L"Keep", L"plain"), L"ascii text");
    EXPECT_EQ(file.ReadInt(L"TYPE", L"type", 0), 3);
    EXPECT_FALSE(file.HasSection(L"Profile1"));

    ProfileMaps loadedMaps;
    Profiles loaded;
    LoadProfile(file, 3, 1, buttons, media, loadedMaps, loaded);
    EXPECT_TRUE(loaded.stored[0] == profiles.stored[2]);

    DWORD error = ERROR_SUCCESS;
    EXPECT_FALSE(ExportProfileToFile(path, 0, buttons, maps, profiles, &error));
    EXPECT_EQ(error, DWORD(ERROR_INVALID_PARAMETER));
}

TEST_F(PrivateProfileTest, FailedSavesLeaveTheOldFileAndNoTemporary) {
    ProfileMaps maps;
    Profiles profiles;
    MakeProfile(maps, profiles, buttons, 1);
    const std::string old = Utf16File(L"[TYPE]\r\ntype=2\r\n[Mine]\r\nk=v\r\n");

    // Each failure names the system's reason.
    DWORD error = ERROR_SUCCESS;

    // The target's directory does not exist.
    EXPECT_FALSE(SaveProfilesToFile(dir_ + L"missing\\set.ini", buttons, maps, profiles, &error));
    EXPECT_TRUE(error == ERROR_PATH_NOT_FOUND || error == ERROR_DIRECTORY) << error;
    EXPECT_EQ(GetFileAttributesW((dir_ + L"missing").c_str()), INVALID_FILE_ATTRIBUTES);

    // The target is held open by another program without sharing.
    const std::wstring locked = Path(L"locked.ini");
    WriteBytes(locked, old);
    HANDLE h = CreateFileW(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(SaveProfilesToFile(locked, buttons, maps, profiles, &error));
    EXPECT_EQ(error, DWORD(ERROR_SHARING_VIOLATION));
    MemoryIniStore snapshot;
    error = ERROR_SUCCESS;
    EXPECT_FALSE(ReadIniFileSnapshot(locked, snapshot, &error)); // unlike a missing file
    EXPECT_EQ(error, DWORD(ERROR_SHARING_VIOLATION));
    CloseHandle(h);
    EXPECT_TRUE(ReadBytes(locked) == old);

    // The target is read-only.
    const std::wstring readOnly = Path(L"readonly.ini");
    WriteBytes(readOnly, old);
    ASSERT_TRUE(SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(SaveProfilesToFile(readOnly, buttons, maps, profiles, &error));
    EXPECT_EQ(error, DWORD(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(ReadBytes(readOnly) == old);

    // After a failure a good save reports success again.
    EXPECT_TRUE(SaveProfilesToFile(Path(L"good.ini"), buttons, maps, profiles, &error));
    EXPECT_EQ(error, DWORD(ERROR_SUCCESS));
    DeleteFileW(Path(L"good.ini").c_str());

    auto files = Files();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::wstring>{L"locked.ini", L"readonly.ini"}));
}

// Import reads a file of up to kMaxImportFileBytes and refuses a larger one
// before reading it; the start-up read has no cap.
TEST_F(PrivateProfileTest, TheImportCapRefusesALargerFileUnread) {
    const std::wstring path = Path(L"big.ini");
    for (unsigned long long size : {kMaxImportFileBytes, kMaxImportFileBytes + 1}) {
        SCOPED_TRACE(size);
        WriteBytes(path, "[Profile1]\r\nKey10=66\r\n");
        HANDLE h = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        ASSERT_TRUE(SetFilePointerEx(h, end, nullptr, FILE_BEGIN) && SetEndOfFile(h));
        CloseHandle(h);

        MemoryIniStore snapshot;
        DWORD error = ERROR_SUCCESS;
        const bool fits = size <= kMaxImportFileBytes;
        EXPECT_EQ(ReadIniFileSnapshot(path, snapshot, &error, kMaxImportFileBytes), fits);
        EXPECT_EQ(error, fits ? DWORD(ERROR_SUCCESS) : DWORD(ERROR_FILE_TOO_LARGE));
        EXPECT_EQ(snapshot.ReadInt(L"Profile1", L"Key10", 0), fits ? 66 : 0);
        EXPECT_TRUE(ReadIniFileSnapshot(path, snapshot, &error)); // no cap: read whole
        EXPECT_EQ(snapshot.ReadInt(L"Profile1", L"Key10", 0), 66);
    }
}

// Memory running out while a file is read whole (start-up, an export's copy
// of its target) is a failure of that step, never the end of the process:
// the read reports the file unreadable, the save fails and leaves the target
// and no temporary file.
TEST_F(PrivateProfileTest, AFailedAllocationFailsTheStepAndKeepsTheFile) {
    ProfileMaps maps;
    Profiles profiles;
    MakeProfile(maps, profiles, buttons, 1);
    const std::wstring path = Path(L"set.ini");
    const std::string old =
        Utf16File(L"[TYPE]\r\ntype=2\r\n[Mine]\r\nk=" + std::wstring(1 << 20, L'v') + L"\r\n");
    WriteBytes(path, old);

    MemoryIniStore snapshot = ParseIniText(L"[Stale]\na=b\n");
    DWORD readError = ERROR_SUCCESS, saveError = ERROR_SUCCESS, exportError = ERROR_SUCCESS;
    gFailAllocationsFrom = 1 << 20; // the file holds 2 MB
    const bool read = ReadIniFileSnapshot(path, snapshot, &readError);
    const bool saved = SaveProfilesToFile(path, buttons, maps, profiles, &saveError);
    const bool exported = ExportProfileToFile(path, 1, buttons, maps, profiles, &exportError);
    gFailAllocationsFrom = static_cast<size_t>(-1);

    EXPECT_FALSE(read);
    EXPECT_EQ(readError, DWORD(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_FALSE(snapshot.HasSection(L"Stale"));
    EXPECT_FALSE(saved);
    EXPECT_EQ(saveError, DWORD(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_FALSE(exported);
    EXPECT_EQ(exportError, DWORD(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_TRUE(ReadBytes(path) == old);
    EXPECT_EQ(Files(), (std::vector<std::wstring>{L"set.ini"}));
    // With memory again, the same file reads and saves.
    EXPECT_TRUE(ReadIniFileSnapshot(path, snapshot, &readError));
    EXPECT_TRUE(SaveProfilesToFile(path, buttons, maps, profiles, &saveError));
}

TEST_F(PrivateProfileTest, NoFileLoadsTheDefaultProfiles) {
    PrivateProfileStore none(Path(L"absent.ini"));
    ProfileMaps maps;
    Profiles profiles;
    LoadAllProfiles(none, buttons, media, maps, profiles);
    EXPECT_EQ(maps.activeProfile, 1);
    for (int p = 1; p <= 3; ++p) {
        for (int i = 0; i < kKeyCellCount; ++i) {
            EXPECT_EQ(maps.ProfileMap(p)->at(buttons[i].keyCode), KeySequence{buttons[i].keyCode});
            EXPECT_EQ(profiles.Stored(p)->keyAssignments[i].setName, buttons[i].name);
        }
    }
    EXPECT_TRUE(Files().empty()); // loading never creates the file
}

} // namespace
} // namespace orvane
