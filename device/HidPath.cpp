#include "device/HidPath.h"

namespace orvane {

int HexDigitValue(wchar_t c) {
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return 16;
}

size_t HexPairsToBytes(const std::wstring& text, std::vector<std::uint8_t>& out) {
    size_t appended = 0;
    for (size_t j = 0; j + 1 < text.size(); j += 2) {
        int high = HexDigitValue(static_cast<wchar_t>(text[j] & 0xFF));
        int low = HexDigitValue(static_cast<wchar_t>(text[j + 1] & 0xFF));
        if (high == 16 || low == 16)
            break;
        out.push_back(static_cast<std::uint8_t>(high * 16 + low));
        ++appended;
    }
    return appended;
}

int ReadPathId(const std::wstring& path, const std::wstring& name) {
    std::wstring lower = path;
    for (wchar_t& c : lower) {
        if (c >= L'A' && c <= L'Z')
            c = static_cast<wchar_t>(c - L'A' + L'a');
    }
    size_t p = lower.find(name);
    if (name.empty() || p == std::wstring::npos)
        return -1;
    // Drop everything up to and including the name and its separator.
    size_t start = p + name.size() + 1;
    if (start >= lower.size())
        return -1;
    std::wstring field = lower.substr(start);
    field = field.substr(0, field.find(L'&'));
    std::vector<std::uint8_t> bytes;
    if (HexPairsToBytes(field.substr(0, 4), bytes) < 2)
        return -1;
    return bytes[0] * 256 + bytes[1];
}

} // namespace orvane
