// The small store interface through which every INI file of the program is
// read and written, and an in-memory store with the same rules for tests,
// fuzzing and tools.
//
// The rules every store keeps (they are those of the Win32 private-profile
// functions): section and key names match without regard to case; a missing
// key reads as the caller's default (empty text, or `def` for numbers);
// numbers read like _wtoi; writing a key creates its section when missing, a
// new key goes to the end of its section and an existing key keeps its place.
//
// Portable: no Windows headers.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orvane {

class IniStore {
  public:
    virtual ~IniStore();

    // The key's value as an integer; `def` when the key (or file) is missing
    // or its value is empty.
    virtual int ReadInt(const std::wstring& section, const std::wstring& key, int def) = 0;
    // The key's whole value, however long; empty when missing.
    virtual std::wstring ReadText(const std::wstring& section, const std::wstring& key) = 0;
    // Sets the key's value. Line breaks in `value` are stored as blanks: a
    // value can never open a new line (and so a new key or section) in the
    // file. Every other character comes back from ReadText unchanged.
    virtual void WriteText(const std::wstring& section, const std::wstring& key,
                           const std::wstring& value) = 0;
    // Removes every key of the section; the section itself stays.
    virtual void EmptySection(const std::wstring& section) = 0;
    // Whether the section exists (an emptied section exists).
    virtual bool HasSection(const std::wstring& section) = 0;

    void WriteInt(const std::wstring& section, const std::wstring& key, int value);
};

// Case-insensitive equality of section and key names (ASCII letters fold; the
// program's names are all ASCII).
bool IniNameEquals(std::wstring_view a, std::wstring_view b);

// What a store keeps of a written value: CR and LF become blanks.
std::wstring IniStoredValue(std::wstring_view value);

// An INI file held in memory: sections and keys in the order they were
// created, so tests can check the order a writer leaves in a file.
class MemoryIniStore : public IniStore {
  public:
    using Entry = std::pair<std::wstring, std::wstring>; // key, value
    // Case-insensitive hashing and comparison of names, usable with views.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::wstring_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::wstring_view a, std::wstring_view b) const {
            return IniNameEquals(a, b);
        }
    };
    struct Section {
        std::wstring name;
        std::vector<Entry> entries;
        std::unordered_map<std::wstring, size_t, NameHash, NameEqual>
            index; // key -> position in entries
    };

    int ReadInt(const std::wstring& section, const std::wstring& key, int def) override;
    std::wstring ReadText(const std::wstring& section, const std::wstring& key) override;
    void WriteText(const std::wstring& section, const std::wstring& key,
                   const std::wstring& value) override;
    void EmptySection(const std::wstring& section) override;
    bool HasSection(const std::wstring& section) override;

    const std::vector<Section>& Sections() const { return sections_; }
    // The section's entries in file order; empty when the section is missing.
    std::vector<Entry> Entries(const std::wstring& section) const;
    // The file text (CRLF lines) that reads back as this store; values that
    // the private-profile functions would trim or unquote are quoted.
    std::wstring ToText() const;

  private:
    friend MemoryIniStore ParseIniText(std::wstring_view text);

    Section* Find(std::wstring_view section);
    const Section* Find(std::wstring_view section) const;
    static const Entry* FindEntry(const Section& s, std::wstring_view key);

    std::vector<Section> sections_;
};

// Parses INI text the way the private-profile functions read a file:
// "[name]" opens a section (a repeated section adds to the first one), lines
// "key=value" give values with key and value trimmed of blanks and a value
// enclosed in matching quotes unquoted; for a repeated key the first one
// counts. Lines before the first section, without "=" or starting with ";" are
// ignored. Sound on any input.
MemoryIniStore ParseIniText(std::wstring_view text);

// Decodes the bytes of an INI file: UTF-16LE or UTF-16BE with a byte-order
// mark, UTF-8 with a mark, otherwise one character per byte (the ANSI case;
// exact for ASCII). Unpaired surrogates and odd trailing bytes become U+FFFD.
std::wstring DecodeIniBytes(std::string_view bytes);

// The private-profile rule for writing `value` so that reading it back gives
// `value` again: values that begin or end with a blank, or that are enclosed
// in matching quotes, are enclosed in double quotes.
std::wstring QuoteIniValue(std::wstring_view value);

} // namespace orvane
