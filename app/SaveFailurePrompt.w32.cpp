#include "app/SaveFailurePrompt.w32.h"

#include "win/MessageBox.h"

namespace orvane {

namespace {

constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US); // 1033

DWORD FormatSystemMessage(DWORD code, WORD language, wchar_t* buffer, DWORD size) {
    return FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                          language, buffer, size, nullptr);
}

} // namespace

std::wstring SystemErrorText(DWORD code) {
    wchar_t buffer[512];
    DWORD n = FormatSystemMessage(code, kUsEnglish, buffer, 512);
    if (n == 0)
        n = FormatSystemMessage(code, 0, buffer, 512); // the user's language
    std::wstring text(buffer, n);
    while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
        text.pop_back();
    return text.empty() ? L"Error " + std::to_wstring(code) : text;
}

bool AskRetrySave(HWND owner, const std::wstring& path, DWORD code, SaveFailure failure) {
    const std::wstring reason = SystemErrorText(code);
    std::wstring text;
    if (failure == SaveFailure::UnreadAtStartup) {
        text = L"The profiles could not be read from\n" + path + L"\nwhen the program started:\n" +
               reason +
               L"\n\nThe profiles shown are not the stored ones, so they were not saved.\n"
               L"Retry saves them over the file; Cancel ends the program and leaves the file "
               L"as it is.";
    } else {
        text = L"The profiles could not be saved to\n" + path + L"\n\n" + reason +
               L"\n\nRetry tries again; Cancel ends the program without saving.";
    }
    return win::KeyboardMessageBox(
               owner, text, MB_RETRYCANCEL | MB_ICONEXCLAMATION | MB_SETFOREGROUND) == IDRETRY;
}

} // namespace orvane
