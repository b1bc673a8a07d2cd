#include "storage/IniValues.h"

#include <climits>

namespace orvane {

int ParseIntLikeWtoi(std::wstring_view text) {
    size_t i = 0;
    // _wtoi skips the blanks iswspace accepts in the C locale.
    while (i < text.size() && (text[i] == L' ' || (text[i] >= L'\t' && text[i] <= L'\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i) {
        value = value * 10 + (text[i] - L'0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1; // saturate; keep consuming digits
        }
    }
    if (negative) {
        return static_cast<int>(-value); // -(INT_MAX + 1) is INT_MIN
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}

std::wstring ExtractField(std::wstring_view value, int index, wchar_t separator) {
    if (index < 0) {
        return {};
    }
    size_t start = 0;
    for (int f = 0; f < index; ++f) {
        size_t comma = value.find(separator, start);
        if (comma == std::wstring_view::npos) {
            return {};
        }
        start = comma + 1;
    }
    size_t end = value.find(separator, start);
    return std::wstring(value.substr(start, end == std::wstring_view::npos ? end : end - start));
}

std::vector<std::wstring_view> SplitFields(std::wstring_view value, wchar_t separator) {
    std::vector<std::wstring_view> fields;
    size_t start = 0;
    for (;;) {
        size_t end = value.find(separator, start);
        if (end == std::wstring_view::npos) {
            fields.push_back(value.substr(start));
            return fields;
        }
        fields.push_back(value.substr(start, end - start));
        start = end + 1;
    }
}

int FieldCount(std::wstring_view value, wchar_t separator) {
    int count = 1;
    for (wchar_t c : value) {
        if (c == separator) {
            ++count;
        }
    }
    return count;
}

std::wstring FormatInt(int value) {
    return std::to_wstring(value);
}

} // namespace orvane
