#include "storage/IniStore.h"

#include <algorithm>

#include "storage/IniValues.h"

namespace orvane {

IniStore::~IniStore() = default;

void IniStore::WriteInt(const std::wstring& section, const std::wstring& key, int value) {
    WriteText(section, key, FormatInt(value));
}

namespace {

wchar_t FoldAscii(wchar_t c) {
    return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - 32) : c;
}

// The blanks the private-profile functions trim around keys and values.
bool IsIniBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\v' || c == L'\f';
}

std::wstring_view Trim(std::wstring_view s) {
    while (!s.empty() && (IsIniBlank(s.front()) || s.front() == L'\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (IsIniBlank(s.back()) || s.back() == L'\r')) {
        s.remove_suffix(1);
    }
    return s;
}

bool IsQuote(wchar_t c) {
    return c == L'"' || c == L'\'';
}

// Reading drops one pair of matching quotes around a value of two or more
// characters.
std::wstring_view Unquote(std::wstring_view v) {
    if (v.size() >= 2 && IsQuote(v.front()) && v.back() == v.front()) {
        return v.substr(1, v.size() - 2);
    }
    return v;
}

} // namespace

bool IniNameEquals(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldAscii(x) == FoldAscii(y); });
}

std::wstring IniStoredValue(std::wstring_view value) {
    std::wstring out(value);
    std::replace(out.begin(), out.end(), L'\r', L' ');
    std::replace(out.begin(), out.end(), L'\n', L' ');
    return out;
}

std::wstring QuoteIniValue(std::wstring_view value) {
    bool needsQuotes =
        !value.empty() &&
        (IsIniBlank(value.front()) || IsIniBlank(value.back()) ||
         (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front()));
    if (!needsQuotes) {
        return std::wstring(value);
    }
    std::wstring out;
    out.reserve(value.size() + 2);
    out += L'"';
    out += value;
    out += L'"';
    return out;
}

MemoryIniStore::Section* MemoryIniStore::Find(std::wstring_view section) {
    for (Section& s : sections_) {
        if (IniNameEquals(s.name, section)) {
            return &s;
        }
    }
    return nullptr;
}

const MemoryIniStore::Section* MemoryIniStore::Find(std::wstring_view section) const {
    return const_cast<MemoryIniStore*>(this)->Find(section);
}

size_t MemoryIniStore::NameHash::operator()(std::wstring_view name) const {
    size_t h = 14695981039346656037ull; // FNV-1a over the folded characters
    for (wchar_t c : name) {
        h = (h ^ static_cast<size_t>(FoldAscii(c))) * 1099511628211ull;
    }
    return h;
}

const MemoryIniStore::Entry* MemoryIniStore::FindEntry(const Section& s, std::wstring_view key) {
    auto it = s.index.find(key);
    return it == s.index.end() ? nullptr : &s.entries[it->second];
}

int MemoryIniStore::ReadInt(const std::wstring& section, const std::wstring& key, int def) {
    const Section* s = Find(section);
    const Entry* e = s ? FindEntry(*s, key) : nullptr;
    if (e == nullptr || e->second.empty()) {
        return def;
    }
    return ParseIntLikeWtoi(e->second);
}

std::wstring MemoryIniStore::ReadText(const std::wstring& section, const std::wstring& key) {
    const Section* s = Find(section);
    const Entry* e = s ? FindEntry(*s, key) : nullptr;
    return e ? e->second : std::wstring();
}

void MemoryIniStore::WriteText(const std::wstring& section, const std::wstring& key,
                               const std::wstring& value) {
    Section* s = Find(section);
    if (s == nullptr) {
        sections_.push_back(Section{section, {}, {}});
        s = &sections_.back();
    }
    if (Entry* e = const_cast<Entry*>(FindEntry(*s, key))) {
        e->second = IniStoredValue(value);
    } else {
        s->index.emplace(key, s->entries.size());
        s->entries.emplace_back(key, IniStoredValue(value));
    }
}

void MemoryIniStore::EmptySection(const std::wstring& section) {
    if (Section* s = Find(section)) {
        s->entries.clear();
        s->index.clear();
    } else {
        sections_.push_back(Section{section, {}, {}});
    }
}

bool MemoryIniStore::HasSection(const std::wstring& section) {
    return Find(section) != nullptr;
}

std::vector<MemoryIniStore::Entry> MemoryIniStore::Entries(const std::wstring& section) const {
    const Section* s = Find(section);
    return s ? s->entries : std::vector<Entry>();
}

std::wstring MemoryIniStore::ToText() const {
    std::wstring out;
    for (const Section& s : sections_) {
        out += L'[';
        out += s.name;
        out += L"]\r\n";
        for (const Entry& e : s.entries) {
            out += e.first;
            out += L'=';
            out += QuoteIniValue(e.second);
            out += L"\r\n";
        }
    }
    return out;
}

MemoryIniStore ParseIniText(std::wstring_view text) {
    MemoryIniStore store;
    std::wstring current;
    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of(L"\r\n", pos);
        std::wstring_view line = text.substr(pos, end == std::wstring_view::npos ? end : end - pos);
        pos = end == std::wstring_view::npos ? text.size() : end + 1;

        line = Trim(line);
        if (line.empty() || line.front() == L';') {
            continue;
        }
        if (line.front() == L'[') {
            size_t close = line.rfind(L']');
            if (close != std::wstring_view::npos) {
                current = std::wstring(Trim(line.substr(1, close - 1)));
                inSection = true;
                if (!store.HasSection(current)) {
                    store.EmptySection(current); // creates it, in file order
                }
                continue;
            }
        }
        size_t eq = line.find(L'=');
        if (!inSection || eq == std::wstring_view::npos) {
            continue;
        }
        std::wstring key(Trim(line.substr(0, eq)));
        std::wstring_view value = Unquote(Trim(line.substr(eq + 1)));
        // The first of repeated keys is the one a reader finds.
        const MemoryIniStore::Section* s = store.Find(current);
        if (s == nullptr || MemoryIniStore::FindEntry(*s, key) == nullptr) {
            store.WriteText(current, key, std::wstring(value));
        }
    }
    return store;
}

std::wstring DecodeIniBytes(std::string_view bytes) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
    std::wstring out;
    const bool le = bytes.size() >= 2 && byte(0) == 0xFF && byte(1) == 0xFE;
    const bool be = bytes.size() >= 2 && byte(0) == 0xFE && byte(1) == 0xFF;
    if (le || be) {
        // Code units first, then surrogate pairs joined where wchar_t holds
        // whole code points.
        std::u16string units;
        size_t i = 2;
        for (; i + 1 < bytes.size(); i += 2) {
            unsigned u = le ? (byte(i) | (byte(i + 1) << 8)) : ((byte(i) << 8) | byte(i + 1));
            units.push_back(static_cast<char16_t>(u));
        }
        for (size_t k = 0; k < units.size(); ++k) {
            char16_t u = units[k];
            if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units.size() && units[k + 1] >= 0xDC00 &&
                units[k + 1] <= 0xDFFF) {
                if constexpr (sizeof(wchar_t) >= 4) {
                    out.push_back(static_cast<wchar_t>(0x10000 + ((u - 0xD800) << 10) +
                                                       (units[k + 1] - 0xDC00)));
                } else {
                    out.push_back(static_cast<wchar_t>(u));
                    out.push_back(static_cast<wchar_t>(units[k + 1]));
                }
                ++k;
            } else if (u >= 0xD800 && u <= 0xDFFF) {
                out.push_back(L'\xFFFD');
            } else {
                out.push_back(static_cast<wchar_t>(u));
            }
        }
        if (i < bytes.size()) {
            out.push_back(L'\xFFFD');
        }
        return out;
    }
    if (bytes.size() >= 3 && byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        // UTF-8; malformed sequences become U+FFFD one byte at a time.
        size_t i = 3;
        while (i < bytes.size()) {
            unsigned c = byte(i);
            int extra = c < 0x80             ? 0
                        : (c & 0xE0) == 0xC0 ? 1
                        : (c & 0xF0) == 0xE0 ? 2
                        : (c & 0xF8) == 0xF0 ? 3
                                             : -1;
            unsigned cp = extra == 0   ? c
                          : extra == 1 ? (c & 0x1F)
                          : extra == 2 ? (c & 0x0F)
                                       : (c & 0x07);
            bool ok = extra >= 0 && i + static_cast<size_t>(extra) < bytes.size();
            if (ok) {
                for (int k = 1; k <= extra; ++k) {
                    if ((byte(i + k) & 0xC0) != 0x80) {
                        ok = false;
                        break;
                    }
                    cp = (cp << 6) | (byte(i + k) & 0x3F);
                }
            }
            static constexpr unsigned kMin[] = {0, 0x80, 0x800, 0x10000};
            if (!ok || cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
                out.push_back(L'\xFFFD');
                ++i;
                continue;
            }
            if (sizeof(wchar_t) < 4 && cp >= 0x10000) {
                out.push_back(static_cast<wchar_t>(0xD800 + ((cp - 0x10000) >> 10)));
                out.push_back(static_cast<wchar_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
            } else {
                out.push_back(static_cast<wchar_t>(cp));
            }
            i += extra + 1;
        }
        return out;
    }
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        out.push_back(static_cast<wchar_t>(byte(i)));
    }
    return out;
}

} // namespace orvane
