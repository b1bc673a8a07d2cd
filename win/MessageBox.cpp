#include "win/MessageBox.h"

namespace win {

int KeyboardMessageBox(HWND owner, const std::wstring& text, UINT type) {
    return ::MessageBoxExW(owner, text.c_str(), L"keyboard", type,
                           MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

} // namespace win
