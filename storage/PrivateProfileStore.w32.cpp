#include "storage/PrivateProfileStore.w32.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "storage/ProfileStore.h"

namespace orvane {

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
        writeFailed_ = true;
    }
}

void PrivateProfileStore::EmptySection(const std::wstring& section) {
    // Empty data (a multi-string holding no string) removes every key and
    // keeps the section.
    if (!WritePrivateProfileSectionW(section.c_str(), L"\0", path_.c_str())) {
        writeFailed_ = true;
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
        writeFailed_ = true;
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

// Owns a temporary file; removes it unless released.
class TempFile {
  public:
    explicit TempFile(std::wstring path) : path_(std::move(path)) {}
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() {
        if (!path_.empty()) {
            DeleteFileW(path_.c_str());
        }
    }
    const std::wstring& Path() const { return path_; }
    void Release() { path_.clear(); }

  private:
    std::wstring path_;
};

class FileHandle {
  public:
    explicit FileHandle(HANDLE h) : h_(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() {
        if (h_ != INVALID_HANDLE_VALUE) {
            CloseHandle(h_);
        }
    }
    HANDLE Get() const { return h_; }
    bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE h_;
};

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadWholeFile(const std::wstring& path, std::string& bytes) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                              : ReadResult::Failed;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 0x7FFFFFFF) {
        return ReadResult::Failed;
    }
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) ||
         got != bytes.size())) {
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

bool WriteWholeFile(const std::wstring& path, const void* data, size_t size) {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return false;
    }
    DWORD written = 0;
    return size == 0 || (WriteFile(file.Get(), data, static_cast<DWORD>(size), &written, nullptr) &&
                         written == size);
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

bool PrepareTempFile(const std::wstring& target, const std::wstring& temp) {
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
        return false; // the user protected the file; a move would still replace it on some systems
    }
    std::string bytes;
    switch (ReadWholeFile(target, bytes)) {
    case ReadResult::Failed:
        return false; // locked or unreadable: its sections could not be kept
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

bool SaveAtomically(const std::wstring& path, const std::function<bool(IniStore&)>& write) {
    wchar_t tempName[MAX_PATH + 1] = {};
    if (GetTempFileNameW(DirectoryOf(path).c_str(), L"ini", 0, tempName) == 0) {
        return false; // e.g. the directory does not exist
    }
    TempFile temp(tempName);
    if (!PrepareTempFile(path, temp.Path())) {
        return false;
    }
    PrivateProfileStore store(temp.Path());
    SectionBatchStore batch(store);
    const bool wrote = write(batch);
    batch.Flush();
    // Releases the functions' cached copy of the temporary file, so every
    // write is on disk before the move.
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, temp.Path().c_str());
    if (!wrote || store.WriteFailed()) {
        return false;
    }
    if (!MoveFileExW(temp.Path().c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return false;
    }
    temp.Release();
    return true;
}

} // namespace

bool ReadIniFileSnapshot(const std::wstring& path, MemoryIniStore& snapshot) {
    snapshot = MemoryIniStore();
    std::string bytes;
    switch (ReadWholeFile(path, bytes)) {
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
}

bool SaveProfilesToFile(const std::wstring& path, const KeyButtons& buttons, const KeyMaps& maps,
                        const Profiles& profiles) {
    return SaveAtomically(path, [&](IniStore& store) {
        SaveAllProfiles(store, buttons, maps, profiles);
        return true;
    });
}

bool ExportProfileToFile(const std::wstring& path, int profile, const KeyButtons& buttons,
                         const KeyMaps& maps, const Profiles& profiles) {
    if (maps.ProfileMap(profile) == nullptr) {
        return false;
    }
    return SaveAtomically(path, [&](IniStore& store) {
        return ExportProfile(store, profile, buttons, maps, profiles);
    });
}

} // namespace orvane
