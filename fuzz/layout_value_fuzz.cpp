// The Main.ini value parser on arbitrary values: no crash, no undefined
// behaviour, and the fields come back as the text holds them. The expected
// fields come from a reference reading written apart from the parser (a
// character loop for the fields, digit strings compared with the int limits
// for the numbers), so a fault in the parser's helpers cannot hide itself.
#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "storage/IniStore.h"
#include "storage/IniValues.h"
#include "storage/LayoutReader.h"

using namespace orvane;

namespace {

std::vector<std::wstring> RefFields(const std::wstring& value) {
    std::vector<std::wstring> fields(1);
    for (wchar_t c : value) {
        if (c == L',') {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

// _wtoi: C-locale blanks, a sign, decimal digits; beyond the int range the
// nearest limit.
int RefNumber(const std::wstring& text) {
    const size_t start = text.find_first_not_of(L" \t\n\v\f\r");
    if (start == std::wstring::npos) {
        return 0;
    }
    size_t i = start;
    const bool negative = text[i] == L'-';
    if (text[i] == L'-' || text[i] == L'+') {
        ++i;
    }
    std::string digits;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        if (!digits.empty() || text[i] != L'0') {
            digits += char(text[i]);
        }
    }
    const std::string limit = negative ? "2147483648" : "2147483647";
    if (digits.size() > limit.size() || (digits.size() == limit.size() && digits > limit)) {
        return negative ? INT_MIN : INT_MAX;
    }
    const long long magnitude = digits.empty() ? 0 : std::stoll(digits);
    return int(negative ? -magnitude : magnitude);
}

int RefEdge(int origin, int extent) {
    const long long edge = (long long)origin + extent;
    return edge > INT_MAX ? INT_MAX : edge < INT_MIN ? INT_MIN : int(edge);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const int cell = 1 + data[0] % kCellCount;
    const std::wstring value =
        DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    const bool keyCell = cell <= kLastKeyCell;
    const std::vector<std::wstring> f = RefFields(value);
    auto field = [&](size_t i) { return i < f.size() ? f[i] : std::wstring(); };

    const KeyButton b = ParseCellValue(cell, value);
    if (b.x != RefNumber(field(0)) || b.y != RefNumber(field(1)) ||
        b.width != RefNumber(field(2)) || b.height != RefNumber(field(3)) ||
        b.keyCode != (keyCell ? RefNumber(field(4)) : 0) || b.name != field(keyCell ? 5 : 4)) {
        std::abort();
    }
    const CellRect r = HitRectOf(b);
    if (r.left != b.x || r.top != b.y || r.right != RefEdge(b.x, b.width) ||
        r.bottom != RefEdge(b.y, b.height)) {
        std::abort();
    }
    // The same value read through a layout section.
    MemoryIniStore ini;
    ini.WriteText(kLayoutSection, std::to_wstring(cell), value);
    KeyButtons buttons;
    HitRects rects;
    MediaKeyNames media;
    ReadLayout(ini, buttons, rects, media);
    // The store keeps line breaks as blanks; every field, the key code and
    // the name included, is what the reference reads from the stored text.
    const std::vector<std::wstring> sf = RefFields(IniStoredValue(value));
    auto stored = [&](size_t i) { return i < sf.size() ? sf[i] : std::wstring(); };
    const KeyButton& got = buttons[cell - 1];
    if (got.x != RefNumber(stored(0)) || got.y != RefNumber(stored(1)) ||
        got.width != RefNumber(stored(2)) || got.height != RefNumber(stored(3)) ||
        got.keyCode != (keyCell ? RefNumber(stored(4)) : 0) ||
        got.name != stored(keyCell ? 5 : 4) || rects[cell - 1] != HitRectOf(got)) {
        std::abort();
    }
    // A multimedia cell's name plays its key code (an empty name is kept by
    // the lowest media cell, whose value is empty here).
    if (cell >= kFirstMediaCell && keyCell && (!got.name.empty() || cell == kFirstMediaCell)) {
        const auto it = media.find(got.name);
        if (it == media.end() || it->second != got.keyCode) {
            std::abort();
        }
    }
    return 0;
}
