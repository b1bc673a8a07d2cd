// The Win32 store: an INI file read and written through the private-profile
// functions, and the atomic saves of set.ini and of exported profile files.
#pragma once

#include <string>
#include <vector>

#include "engine/KeyModel.h"
#include "layout/Layout.h"
#include "storage/IniStore.h"

namespace orvane {

// The store over one file path. Text values are read whole (the buffer grows
// until the value fits). Values the functions would trim or unquote on
// reading are written quoted, so every value comes back as written.
class PrivateProfileStore : public IniStore {
  public:
    explicit PrivateProfileStore(std::wstring path) : path_(std::move(path)) {}

    int ReadInt(const std::wstring& section, const std::wstring& key, int def) override;
    std::wstring ReadText(const std::wstring& section, const std::wstring& key) override;
    void WriteText(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
    void EmptySection(const std::wstring& section) override;
    bool HasSection(const std::wstring& section) override;

    // Replaces every key of the section by `entries`, in order, in one
    // write (the same as EmptySection and a WriteText per entry).
    void ReplaceSection(const std::wstring& section,
                        const std::vector<MemoryIniStore::Entry>& entries);

    const std::wstring& Path() const { return path_; }
    // Whether any write or emptying reported failure since construction, and
    // the system's code of the first such failure (ERROR_SUCCESS if none).
    bool WriteFailed() const { return writeFailed_; }
    unsigned long WriteError() const { return writeError_; }

  private:
    void NoteWriteFailure();

    std::wstring path_;
    bool writeFailed_ = false;
    unsigned long writeError_ = 0;
};

// Reads a whole INI file in one go into `snapshot`, by the rules the
// private-profile functions read it with (see ParseIniText; a file without a
// byte-order mark is in the ANSI code page). Loading the three profiles
// through one private-profile call per key costs over a second under Wine;
// from a snapshot it costs milliseconds, so start-up (set.ini, Main.ini)
// reads snapshots. Returns true when the file was read or does not exist (an
// empty snapshot); false, leaving an empty snapshot, when it exists but
// cannot be read (e.g. locked), so a caller can avoid saving defaults over it.
// `error` (when given) receives the system's code of that failure, else
// ERROR_SUCCESS. A file larger than `maxBytes` is not read
// (ERROR_FILE_TOO_LARGE); without a cap the whole file is read (up to 2 GB).
// A failed allocation counts as unreadable (ERROR_NOT_ENOUGH_MEMORY), never
// as an exception.
inline constexpr unsigned long long kReadWholeFile = ~0ull;
bool ReadIniFileSnapshot(const std::wstring& path, MemoryIniStore& snapshot,
                         unsigned long* error = nullptr,
                         unsigned long long maxBytes = kReadWholeFile);

// Saves all three profiles and [TYPE] "type" to `path` atomically: the
// existing file (if any) is copied, as UTF-16LE with a byte-order mark, to a
// temporary file beside it (a new one starts as just the mark), the profiles
// are written into that copy through the private-profile functions, and the
// copy then replaces the target in one move. Other sections of the existing
// file are kept. A read-only target is not replaced. On failure the previous
// file is left as it was, the temporary file is removed, and false is
// returned; `error` (when given) receives the system's code of the step that
// failed (ERROR_ACCESS_DENIED for a read-only target, the code of the failed
// open for a locked one, of the temporary file's creation for a folder that
// is missing or cannot be written; ERROR_NOT_ENOUGH_MEMORY when the existing
// file is too large to copy in memory), ERROR_SUCCESS on success.
bool SaveProfilesToFile(const std::wstring& path, const KeyButtons& buttons,
                        const ProfileMaps& maps, const Profiles& profiles,
                        unsigned long* error = nullptr);

// The same for one profile in the export format ([TYPE] "type" = `profile`
// and section "Profile<profile>"). False, and nothing written, for a profile
// outside 1..3 (ERROR_INVALID_PARAMETER in `error`).
bool ExportProfileToFile(const std::wstring& path, int profile, const KeyButtons& buttons,
                         const ProfileMaps& maps, const Profiles& profiles,
                         unsigned long* error = nullptr);

} // namespace orvane
