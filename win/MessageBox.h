// The program's message boxes: every one has the caption "keyboard" and
// buttons in US English (language 1033), whatever the system's language.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// MessageBoxExW with the caption and language above; answers its result.
int KeyboardMessageBox(HWND owner, const std::wstring& text, UINT type);

// A notice: OK, with the exclamation icon.
inline void Tell(HWND owner, const std::wstring& text) {
    KeyboardMessageBox(owner, text, MB_OK | MB_ICONEXCLAMATION);
}

// A question: OK / Cancel, with the exclamation icon; only OK counts as yes.
inline bool AskOkCancel(HWND owner, const std::wstring& text) {
    return KeyboardMessageBox(owner, text, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDOK;
}

} // namespace win
