// COrvaneDlg's Export (32776) and Import (32777) commands from the button
// menu: the common file dialogs, then the storage layer. Export writes the
// stored profile in force (not uncommitted edits) atomically; import replaces
// the profile in force and the working copy, and shows at once.
#include "app/OrvaneDlg.w32.h"

#include <commdlg.h>

#include <vector>

#include "storage/PrivateProfileStore.w32.h"
#include "storage/ProfileImport.h"

namespace orvane {

namespace {

// The path the user chose, or empty when the dialog was cancelled.
std::wstring ChooseProfileFile(bool save) {
    // Long paths (and names in any script) fit: the dialog fills the buffer.
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = nullptr;
    ofn.lpstrFilter = L"ini File(*.ini)\0*.ini\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrTitle = save ? L"Save As" : L"Open";
    ofn.lpstrDefExt = save ? L"sew" : L"tsk";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!save)
        ofn.Flags |= OFN_NOCHANGEDIR;
    const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    return chosen ? std::wstring(path.data()) : std::wstring();
}

void Tell(HWND owner, const wchar_t* text) {
    MessageBoxExW(owner, text, L"keyboard", MB_OK | MB_ICONEXCLAMATION,
                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
}

} // namespace

void COrvaneDlg::OnExportProfile() {
    const std::wstring path = ChooseProfileFile(true);
    if (path.empty())
        return;
    if (!ExportProfileToFile(path, maps_.activeProfile, cells_, maps_, profiles_))
        Tell(Hwnd(), L"The profile could not be exported to this file. The file was not changed.");
}

void COrvaneDlg::OnImportProfile() {
    const std::wstring path = ChooseProfileFile(false);
    if (path.empty())
        return;
    MemoryIniStore file;
    if (!ReadIniFileSnapshot(path, file) ||
        !ImportProfile(file, maps_.activeProfile, cells_, mediaKeyNames_, maps_, profiles_)) {
        Tell(Hwnd(), L"This file holds no profile. Nothing was imported.");
        return;
    }
    PublishMaps();
    RepaintSkin();
}

} // namespace orvane
