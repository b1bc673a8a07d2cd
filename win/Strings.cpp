#include "win/Strings.h"

#include <cwchar>
#include <vector>

namespace win {

std::wstring FormatInt(int value) {
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"%d", value);
    return buffer;
}

std::wstring ToUpper(std::wstring text) {
    if (!text.empty())
        ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

std::wstring ExeDirectory() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return L"";
        if (n < buffer.size()) {
            std::wstring path(buffer.data(), n);
            return path.substr(0, path.find_last_of(L'\\') + 1);
        }
        buffer.resize(buffer.size() * 2); // long path: try a larger buffer
    }
}

std::wstring GetWindowTextString(HWND hwnd) {
    int n = ::GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = ::GetWindowTextW(hwnd, text.data(), n + 1);
    text.resize(static_cast<size_t>(n > 0 ? n : 0));
    return text;
}

} // namespace win
