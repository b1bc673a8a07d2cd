#include "app/IniSnapshot.w32.h"

#include <windows.h>

#include <string>

#include "win/Handles.h"

namespace orvane {

MemoryIniStore ReadIniSnapshot(const std::wstring& path) {
    win::UniqueHandleObject file(CreateFileW(path.c_str(), GENERIC_READ,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    // INI files of this program are a few hundred kilobytes at most; a file
    // beyond 64 MB is not one of them and reads as empty.
    if (!file || !GetFileSizeEx(file.Get(), &size) || size.QuadPart > (64 << 20))
        return MemoryIniStore{};
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
        return MemoryIniStore{};
    bytes.resize(read);
    return ParseIniText(DecodeIniBytes(bytes));
}

} // namespace orvane
