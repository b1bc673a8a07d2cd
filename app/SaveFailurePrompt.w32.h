// The question the main dialog asks when Exit cannot write set.ini. GUI
// thread only; the box is modal to its owner.
#pragma once

#include <windows.h>

#include <string>

namespace orvane {

// Why set.ini was not written.
enum class SaveFailure {
    // The save was tried and failed (read-only file, a folder that cannot be
    // written, the file held by another program).
    WriteFailed,
    // set.ini existed but could not be read at start-up, so the profiles
    // shown are not the stored ones and were not saved over them.
    UnreadAtStartup,
};

// The system's text for `code` (FormatMessageW, US English where the system
// has it), without the trailing line break; "Error <code>" when the system
// has no text for it.
std::wstring SystemErrorText(DWORD code);

// Shows the box (caption "keyboard", Retry and Cancel, exclamation icon) with
// `path` and the system's reason for `code`. True when the user chose Retry.
bool AskRetrySave(HWND owner, const std::wstring& path, DWORD code, SaveFailure failure);

} // namespace orvane
