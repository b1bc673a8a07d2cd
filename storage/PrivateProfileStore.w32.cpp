#include "storage/PrivateProfileStore.w32.h"

#include <windows.h>

#include <functional>
#include <new>
#include <string>
#include <vector>

#include "storage/ProfileStore.h"
#include "win/Handles.h"

namespace orvane {

namespace {

// The calling thread's last error, never ERROR_SUCCESS: a failure is always
// reported as one, even by a function that did not set a code.
DWORD FailureCode() {
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_GEN_FAILURE;
}

} // namespace

int PrivateProfileStore::ReadInt(const std::wstring& section, const std::wstring& key, int def) {
    return static_cast<int>(
        GetPrivateProfileIntW(section.c_str(), key.c_str(), def, path_.c_str()));
}

std::wstring PrivateProfileStore::ReadText(const std::wstring& section, const std::wstring& key) {
    // The function answers size - 1 when the value did not fit: grow and
    // read again until it does, so no value is ever cut.
    std::vector<wchar_t> buffer(260);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD n = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                 size, path_.c_str());
        if (n + 1 < size) {
            return std::wstring(buffer.data(), n);
        }
        buffer.resize(buffer.size() * 2);
    }
}

void PrivateProfileStore::WriteText(const std::wstring& section, const std::wstring& key,
                                    const std::wstring& value) {
    const std::wstring stored = QuoteIniValue(IniStoredValue(value));
    if (!WritePrivateProfileStringW(section.c_str(), key.c_str(), stored.c_str(), path_.c_str())) {
        NoteWriteFailure();
    }
}

void PrivateProfileStore::EmptySection(const std::wstring& section) {
    // Empty data (a multi-string holding no string) removes every key and
    // keeps the section.
    if (!WritePrivateProfileSectionW(section.c_str(), L"\0", path_.c_str())) {
        NoteWriteFailure();
    }
}

void PrivateProfileStore::ReplaceSection(const std::wstring& section,
                                         const std::vector<MemoryIniStore::Entry>& entries) {
    std::wstring data; // "key=value\0" per entry, ended by one more null
    for (const auto& [key, value] : entries) {
        data += key;
        data += L'=';
        data += QuoteIniValue(IniStoredValue(value));
        data += L'\0';
    }
    data += L'\0';
    if (!WritePrivateProfileSectionW(section.c_str(), data.c_str(), path_.c_str())) {
        NoteWriteFailure();
    }
}

void PrivateProfileStore::NoteWriteFailure() {
    if (!writeFailed_) {
        writeFailed_ = true;
        writeError_ = FailureCode();
    }
}

bool PrivateProfileStore::HasSection(const std::wstring& section) {
    std::vector<wchar_t> buffer(1024);
    DWORD n = 0;
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        n = GetPrivateProfileSectionNamesW(buffer.data(), size, path_.c_str());
        if (n + 2 < size) {
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    // Names follow one another, each ended by a null.
    for (DWORD i = 0; i < n;) {
        const std::wstring_view name(buffer.data() + i);
        if (IniNameEquals(name, section)) {
            return true;
        }
        i += static_cast<DWORD>(name.size()) + 1;
    }
    return false;
}

namespace {

// The private-profile functions rewrite the whole file on every write, so a
// profile written key by key costs one file rewrite per key. This store
// gathers the keys of the sections it empties and writes each such section
// in one call on Flush; every other write goes straight to the file.
class SectionBatchStore : public IniStore {
  public:
    explicit SectionBatchStore(PrivateProfileStore& file) : file_(file) {}

    int ReadInt(const std::wstring& section, const std::wstring& key, int def) override {
        return pending_.HasSection(section) ? pending_.ReadInt(section, key, def)
                                            : file_.ReadInt(section, key, def);
    }
    std::wstring ReadText(const std::wstring& section, const std::wstring& key) override {
        return pending_.HasSection(section) ? pending_.ReadText(section, key)
                                            : file_.ReadText(section, key);
    }
    void WriteText(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override {
        if (pending_.HasSection(section)) {
            pending_.WriteText(section, key, value);
        } else {
            file_.WriteText(section, key, value);
        }
    }
    void EmptySection(const std::wstring& section) override { pending_.EmptySection(section); }
    bool HasSection(const std::wstring& section) override {
        return pending_.HasSection(section) || file_.HasSection(section);
    }

    void Flush() {
        for (const MemoryIniStore::Section& s : pending_.Sections()) {
            file_.ReplaceSection(s.name, s.entries);
        }
        pending_ = MemoryIniStore();
    }

  private:
    PrivateProfileStore& file_;
    MemoryIniStore pending_;
};

enum class ReadResult { Ok, Missing, Failed };

// `error` receives the system's code when the result is Failed. A file
// larger than `maxBytes` fails with ERROR_FILE_TOO_LARGE before anything is
// allocated; a failed allocation throws std::bad_alloc.
ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes, DWORD& error,
                         unsigned long long maxBytes = kReadWholeFile) {
    win::UniqueHandleObject file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = FailureCode();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                              : ReadResult::Failed;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size)) {
        error = FailureCode();
        return ReadResult::Failed;
    }
    // One ReadFile call reads the whole file: at most 2 GB.
    if (size.QuadPart > 0x7FFFFFFF || static_cast<unsigned long long>(size.QuadPart) > maxBytes) {
        error = ERROR_FILE_TOO_LARGE;
        return ReadResult::Failed;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr)) {
        error = FailureCode();
        return ReadResult::Failed;
    }
    if (got != bytes.size()) {
        error = ERROR_HANDLE_EOF;
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

// ERROR_SUCCESS, or the system's code of the failed step.
DWORD WriteWholeFile(const std::wstring& path, const void* data, size_t size) {
    win::UniqueHandleObject file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        return FailureCode();
    }
    DWORD written = 0;
    if (size != 0 && !WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr)) {
        return FailureCode();
    }
    return size == 0 || written == size ? ERROR_SUCCESS : ERROR_DISK_FULL;
}

// The content of the temporary file: the existing file as UTF-16LE with a
// byte-order mark (the private-profile functions keep a file's encoding, and
// only UTF-16 keeps names typed in any script), or just the mark for a new
// file.
std::wstring AsUtf16Text(const std::string& bytes) {
    auto b = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if ((bytes.size() >= 2 && b(0) == 0xFE && b(1) == 0xFF) ||
        (bytes.size() >= 3 && b(0) == 0xEF && b(1) == 0xBB && b(2) == 0xBF)) {
        return DecodeIniBytes(bytes);
    }
    if (bytes.empty()) {
        return {};
    }
    const int n =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), n);
    return text;
}

// ERROR_SUCCESS, or the system's code of the failed step.
DWORD PrepareTempFile(const std::wstring& target, const std::wstring& temp) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        // The user protected the file; a move would still replace it on some
        // systems. Writing to it in place would fail with this code.
        return ERROR_ACCESS_DENIED;
    }
    std::string bytes;
    DWORD error = ERROR_SUCCESS;
    switch (ReadWholeFile(target, bytes, error)) {
    case ReadResult::Failed:
        return error; // locked or unreadable: its sections could not be kept
    case ReadResult::Missing:
        bytes.clear();
        break;
    case ReadResult::Ok:
        break;
    }
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        return WriteWholeFile(temp, bytes.data(), bytes.size());
    }
    std::wstring text = L"\xFEFF" + AsUtf16Text(bytes);
    return WriteWholeFile(temp, text.data(), text.size() * sizeof(wchar_t));
}

std::wstring DirectoryOf(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : path.substr(0, slash + 1);
}

// Releases the private-profile functions' cached copy of a file.
void ReleaseCachedCopy(const std::wstring& path) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, path.c_str());
}

// ERROR_SUCCESS, or the system's code of the step that failed; `write`
// answering false counts as ERROR_INVALID_PARAMETER. A failed allocation
// (the existing file copied whole, the sections gathered in memory) fails
// with ERROR_NOT_ENOUGH_MEMORY: the temporary file is removed and the target
// is left as it was.
DWORD SaveAtomically(const std::wstring& path, const std::function<bool(IniStore&)>& write) {
    wchar_t tempName[MAX_PATH + 1] = {};
    if (GetTempFileNameW(DirectoryOf(path).c_str(), L"ini", 0, tempName) == 0) {
        return FailureCode(); // the directory does not exist or cannot be written
    }
    win::UniqueFilePath temp(tempName);
    bool wrote = false;
    PrivateProfileStore store(temp.Get());
    try {
        if (const DWORD error = PrepareTempFile(path, temp.Get()); error != ERROR_SUCCESS) {
            return error;
        }
        SectionBatchStore batch(store);
        wrote = write(batch);
        batch.Flush();
    } catch (const std::bad_alloc&) {
        ReleaseCachedCopy(temp.Get());
        return ERROR_NOT_ENOUGH_MEMORY;
    }
    // Every write is on disk before the move.
    ReleaseCachedCopy(temp.Get());
    if (!wrote) {
        return ERROR_INVALID_PARAMETER;
    }
    if (store.WriteFailed()) {
        return store.WriteError();
    }
    if (!MoveFileExW(temp.Get().c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return FailureCode();
    }
    temp.Release();
    return ERROR_SUCCESS;
}

bool Report(DWORD result, DWORD* error) {
    if (error != nullptr) {
        *error = result;
    }
    return result == ERROR_SUCCESS;
}

} // namespace

bool ReadIniFileSnapshot(const std::wstring& path, MemoryIniStore& snapshot, DWORD* error,
                         unsigned long long maxBytes) {
    snapshot = MemoryIniStore();
    try {
        std::string bytes;
        DWORD readError = ERROR_SUCCESS;
        const ReadResult read = ReadWholeFile(path, bytes, readError, maxBytes);
        Report(read == ReadResult::Failed ? readError : ERROR_SUCCESS, error);
        switch (read) {
        case ReadResult::Missing:
            return true;
        case ReadResult::Failed:
            return false;
        case ReadResult::Ok:
            break;
        }
        const bool le = bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
                        static_cast<unsigned char>(bytes[1]) == 0xFE;
        snapshot = ParseIniText(le ? DecodeIniBytes(bytes) : AsUtf16Text(bytes));
        return true;
    } catch (const std::bad_alloc&) {
        // The file exists and was not read: to the caller it is unreadable
        // (start-up then saves nothing over it unless the user agrees).
        snapshot = MemoryIniStore();
        Report(ERROR_NOT_ENOUGH_MEMORY, error);
        return false;
    }
}

bool SaveProfilesToFile(const std::wstring& path, const KeyButtons& buttons,
                        const ProfileMaps& maps, const Profiles& profiles, DWORD* error) {
    return Report(SaveAtomically(path,
                                 [&](IniStore& store) {
                                     SaveAllProfiles(store, buttons, maps, profiles);
                                     return true;
                                 }),
                  error);
}

bool ExportProfileToFile(const std::wstring& path, int profile, const KeyButtons& buttons,
                         const ProfileMaps& maps, const Profiles& profiles, DWORD* error) {
    if (maps.ProfileMap(profile) == nullptr) {
        return Report(ERROR_INVALID_PARAMETER, error);
    }
    return Report(SaveAtomically(path,
                                 [&](IniStore& store) {
                                     return ExportProfile(store, profile, buttons, maps, profiles);
                                 }),
                  error);
}

} // namespace orvane
