// COrvaneDlg's Export (32776) and Import (32777) commands from the button
// menu: the common file dialogs, then the storage layer. Export writes the
// stored profile in force (not uncommitted edits) atomically; import replaces
// the profile in force and the working copy, and shows at once.
//
// The file dialogs are owned by the main window, so the window is disabled
// under them and Exit (from the tray) finds and cancels them with the other
// owned dialogs before it saves: nothing can change the profiles after
// set.ini was written.
#include "app/OrvaneDlg.w32.h"

#include <commdlg.h>

#include <string>
#include <vector>

#include "app/ProfileOps.h"
#include "app/SaveFailurePrompt.w32.h"
#include "storage/PrivateProfileStore.w32.h"
#include "storage/ProfileImport.h"
#include "win/MessageBox.h"

namespace orvane {

namespace {

// The path the user chose, or empty when the dialog was cancelled.
std::wstring ChooseProfileFile(HWND owner, bool save) {
    // Long paths (and names in any script) fit: the dialog fills the buffer.
    std::vector<wchar_t> path(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"ini File(*.ini)\0*.ini\0";
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path.data();
    ofn.nMaxFile = static_cast<DWORD>(path.size());
    ofn.lpstrTitle = save ? L"Save As" : L"Open";
    // A name typed without an extension gets the one Import's filter shows.
    ofn.lpstrDefExt = L"ini";
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT;
    if (!save)
        ofn.Flags |= OFN_NOCHANGEDIR;
    const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    return chosen ? std::wstring(path.data()) : std::wstring();
}

// Why a file chosen for import was not imported.
std::wstring ImportRefusal(DWORD readError) {
    if (readError == ERROR_FILE_TOO_LARGE)
        return L"This file is larger than 16 MB, too large to hold a profile. Nothing was "
               L"imported.";
    return L"This file could not be read:\n" + SystemErrorText(readError) +
           L"\nNothing was imported.";
}

static_assert(kMaxImportFileBytes == 16ull * 1024 * 1024, "the refusal names the cap");

} // namespace

void COrvaneDlg::OnExportProfile() {
    const std::wstring path = ChooseProfileFile(Hwnd(), true);
    // Exit cancelled the dialog and has saved: nothing more may happen.
    if (path.empty() || exiting_)
        return;
    if (!ExportProfileToFile(path, maps_.activeProfile, cells_, maps_, profiles_))
        win::Tell(Hwnd(),
                  L"The profile could not be exported to this file. The file was not changed.");
}

void COrvaneDlg::OnImportProfile() {
    const std::wstring path = ChooseProfileFile(Hwnd(), false);
    if (path.empty() || exiting_)
        return;
    MemoryIniStore file;
    DWORD readError = ERROR_SUCCESS;
    if (!ReadIniFileSnapshot(path, file, &readError, kMaxImportFileBytes)) {
        win::Tell(Hwnd(), ImportRefusal(readError));
        return;
    }
    MainModel model = Model();
    if (!ImportIntoProfileInForce(model, file, mediaKeyNames_)) {
        win::Tell(Hwnd(), L"This file holds no profile. Nothing was imported.");
        return;
    }
    PublishMaps();
    RepaintSkin();
}

} // namespace orvane
