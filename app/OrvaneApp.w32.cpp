#include "app/OrvaneApp.w32.h"

#include <commctrl.h>

#include "app/OrvaneDlg.w32.h"

namespace orvane {

HWND FindMarkedWindow() {
    for (HWND wnd = GetWindow(GetDesktopWindow(), GW_CHILD); wnd;
         wnd = GetWindow(wnd, GW_HWNDNEXT)) {
        if (GetPropW(wnd, kInstanceMark))
            return wnd;
    }
    return nullptr;
}

BOOL COrvaneApp::IsFirstInstance() {
    // Never closed: the mark lasts as long as this process.
    CreateMutexW(nullptr, TRUE, kInstanceMark);
    if (GetLastError() != ERROR_ALREADY_EXISTS)
        return TRUE;
    if (HWND first = FindMarkedWindow()) {
        if (IsIconic(first))
            ShowWindow(first, SW_RESTORE);
        SetForegroundWindow(first);
        SetForegroundWindow(GetLastActivePopup(first));
    }
    return FALSE;
}

BOOL COrvaneApp::InitInstance() {
    if (!IsFirstInstance())
        return FALSE;
    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);
    // The dialog owns nearly everything the program does, including the
    // engine; it lives until the modal run ends.
    COrvaneDlg dialog(nullptr);
    dialog.DoModal();
    return FALSE;
}

} // namespace orvane
