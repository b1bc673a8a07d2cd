// Small string helpers of the Win32 layer.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// The value formatted like "%d".
std::wstring FormatInt(int value);

// Upper case as the system's locale-independent mapping (CharUpperBuffW).
std::wstring ToUpper(std::wstring text);

// The directory of the running module, up to and including the last
// backslash; files beside the executable are this plus a relative name.
std::wstring ExeDirectory();

// A window's text.
std::wstring GetWindowTextString(HWND hwnd);

} // namespace win
