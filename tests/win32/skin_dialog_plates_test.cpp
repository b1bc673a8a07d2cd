// The assignment dialog's skin leaves light plates for the controls that keep
// their template place (the delay check box, the loop-count caption and box).
// Where they land depends on the dialog template and on the template font on
// the running system: this creates the real template, IDD_SETCONFIG from
// Orvane.exe's resources, and checks that those controls fall on the plates
// the skin tool drew, so moving one in res/AssignDialog.rc, or a font change
// on the machine, shows up here.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "res/resource.h"
#include "tools/skingen/DialogGeometry.h"

namespace {

namespace dlg = skingen::dialog;

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(DialogTemplatePlates, TheTemplatesOwnControlsLandOnThePlates) {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    HMODULE exe = LoadLibraryExW(ORVANE_EXE, nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(exe, nullptr) << "cannot load " << ORVANE_EXE;
    HWND dialog = CreateDialogParamW(exe, MAKEINTRESOURCEW(IDD_SETCONFIG), nullptr, IgnoreAll, 0);
    ASSERT_NE(dialog, nullptr);
    const std::vector<dlg::IntRect> plates = dlg::TemplatePlates();
    for (int id : {IDC_RECORD_DELAY, IDC_LOOP_LABEL, IDC_LOOP_COUNT}) {
        HWND control = GetDlgItem(dialog, id);
        ASSERT_NE(control, nullptr) << id;
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        bool onPlate = false;
        for (const dlg::IntRect& p : plates) {
            onPlate |=
                r.left >= p.x && r.top >= p.y && r.right <= p.right() && r.bottom <= p.bottom();
        }
        EXPECT_TRUE(onPlate) << "control " << id << " lands at " << r.left << "," << r.top << "-"
                             << r.right << "," << r.bottom;
    }
    DestroyWindow(dialog);
    FreeLibrary(exe);
}

} // namespace
