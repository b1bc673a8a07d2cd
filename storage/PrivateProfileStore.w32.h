// The Win32 store: an INI file read and written through the private-profile
// functions, and the atomic saves of set.ini and of exported profile files.
#pragma once

#include <string>
#include <vector>

#include "layout/Layout.h"
#include "engine/KeyModel.h"
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
    // Whether any write or emptying reported failure since construction.
    bool WriteFailed() const { return writeFailed_; }

  private:
    std::wstring path_;
    bool writeFailed_ = false;
};

// Reads a whole INI file in one go into `snapshot`, by the rules the
// private-profile functions read it with (see ParseIniText; a file without a
// byte-order mark is in the ANSI code page). Loading the three profiles
// through one private-profile call per key costs over a second under Wine;
// from a snapshot it costs milliseconds, so start-up (set.ini, Main.ini)
// reads snapshots. Returns true when the file was read or does not exist (an
// empty snapshot); false, leaving an empty snapshot, when it exists but
// cannot be read (e.g. locked), so a caller can avoid saving defaults over it.
bool ReadIniFileSnapshot(const std::wstring& path, MemoryIniStore& snapshot);

// Saves all three profiles and [TYPE] "type" to `path` atomically: the
// existing file (if any) is copied, as UTF-16LE with a byte-order mark, to a
// temporary file beside it (a new one starts as just the mark), the profiles
// are written into that copy through the private-profile functions, and the
// copy then replaces the target in one move. Other sections of the existing
// file are kept. A read-only target is not replaced. On failure the previous file is left as it
// was, the temporary file is removed, and false is returned.
bool SaveProfilesToFile(const std::wstring& path, const KeyButtons& buttons, const KeyMaps& maps,
                        const Profiles& profiles);

// The same for one profile in the export format ([TYPE] "type" = `profile`
// and section "Profile<profile>"). False, and nothing written, for a profile
// outside 1..3.
bool ExportProfileToFile(const std::wstring& path, int profile, const KeyButtons& buttons,
                         const KeyMaps& maps, const Profiles& profiles);

} // namespace orvane
