#include "LayoutFile.h"

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace skingen {
namespace {

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// UTF-16LE (after the BOM) to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf16LeToUtf8(const std::string& bytes, size_t start) {
    std::string out;
    for (size_t i = start; i + 1 < bytes.size(); i += 2) {
        unsigned u = (unsigned char)bytes[i] | ((unsigned char)bytes[i + 1] << 8);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            unsigned v = (unsigned char)bytes[i + 2] | ((unsigned char)bytes[i + 3] << 8);
            if (v >= 0xDC00 && v < 0xE000) {
                AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
                i += 2;
                continue;
            }
        }
        AppendUtf8(out, (u >= 0xD800 && u < 0xE000) ? 0xFFFD : u);
    }
    return out;
}

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r'))
        ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r'))
        --e;
    return s.substr(b, e - b);
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower((unsigned char)c));
    return s;
}

// Like _wtoi: blanks, optional sign, digits up to the first non-digit.
int ReadInt(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';
    long long v = 0;
    while (i < s.size() && std::isdigit((unsigned char)s[i]) && v < 100000000)
        v = v * 10 + (s[i++] - '0');
    return int(negative ? -v : v);
}

std::vector<std::string> SplitFields(const std::string& value) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = value.find(',', start);
        fields.push_back(value.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return fields;
}

// Calls entry(n, fields) for every key "1".."last" of section BUTTONINFO, the
// first occurrence of a key only, as with the profile functions.
template <class Entry> void ForEachEntry(const std::string& bytes, int last, Entry entry) {
    std::string text;
    if (bytes.size() >= 2 && (unsigned char)bytes[0] == 0xFF && (unsigned char)bytes[1] == 0xFE)
        text = Utf16LeToUtf8(bytes, 2);
    else if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text = bytes.substr(3);
    else
        text = bytes;

    std::vector<bool> seen(size_t(last) + 1);
    std::istringstream in(text);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = Trim(line);
        if (line.empty() || line[0] == ';')
            continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            inSection = close != std::string::npos &&
                        Lower(Trim(line.substr(1, close - 1))) == "buttoninfo";
            continue;
        }
        size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos)
            continue;
        std::string key = Trim(line.substr(0, eq));
        if (key.empty() || key.find_first_not_of("0123456789") != std::string::npos)
            continue;
        int n = ReadInt(key);
        if (n < 1 || n > last || seen[size_t(n)])
            continue;
        seen[size_t(n)] = true;
        entry(n, SplitFields(Trim(line.substr(eq + 1))));
    }
}

std::string ReadFile(const std::string& path, bool& ok) {
    std::ifstream file(path, std::ios::binary);
    ok = bool(file);
    return {(std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>()};
}

} // namespace

std::vector<LayoutCell> ParseLayout(const std::string& bytes) {
    std::vector<LayoutCell> cells(kCells);
    for (int n = 1; n <= kCells; ++n)
        cells[n - 1].number = n;
    ForEachEntry(bytes, kCells, [&cells](int n, std::vector<std::string> f) {
        f.resize(6);
        LayoutCell& c = cells[n - 1];
        c.present = true;
        c.x = ReadInt(f[0]);
        c.y = ReadInt(f[1]);
        c.width = ReadInt(f[2]);
        c.height = ReadInt(f[3]);
        if (n <= kLastKeyCodeCell) {
            c.keyCode = ReadInt(f[4]);
            c.name = f[5];
        } else {
            c.name = f[4];
        }
    });
    return cells;
}

std::vector<DialogEntry> ParseDialogLayout(const std::string& bytes) {
    std::vector<DialogEntry> entries(kDialogEntries);
    for (int n = 1; n <= kDialogEntries; ++n)
        entries[n - 1].number = n;
    ForEachEntry(bytes, kDialogEntries, [&entries](int n, std::vector<std::string> f) {
        f.resize(5);
        DialogEntry& e = entries[n - 1];
        e.present = true;
        e.x = ReadInt(f[0]);
        e.y = ReadInt(f[1]);
        e.width = ReadInt(f[2]);
        e.height = ReadInt(f[3]);
        e.label = f[4];
    });
    return entries;
}

bool LoadLayout(const std::string& path, std::vector<LayoutCell>& cells) {
    bool ok = false;
    std::string bytes = ReadFile(path, ok);
    if (ok)
        cells = ParseLayout(bytes);
    return ok;
}

bool LoadDialogLayout(const std::string& path, std::vector<DialogEntry>& entries) {
    bool ok = false;
    std::string bytes = ReadFile(path, ok);
    if (ok)
        entries = ParseDialogLayout(bytes);
    return ok;
}

} // namespace skingen
