// The assignment dialog's skin leaves light plates for the controls that keep
// their template place (the delay check box, the loop-count caption and box).
// Where they land depends on the template font on the running system: this
// maps their template rectangles with the real dialog font and checks they
// still fall on the plates, so a font change on the machine shows up here.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "tools/skingen/DialogGeometry.h"

namespace {

namespace dlg = skingen::dialog;

// A dialog template like the assignment dialog's: popup, DS_SETFONT |
// DS_FIXEDSYS, 411 x 334 units, 8-point "MS Shell Dlg", no controls.
std::vector<WORD> EmptyTemplate() {
    std::vector<WORD> t(sizeof(DLGTEMPLATE) / sizeof(WORD));
    auto* d = reinterpret_cast<DLGTEMPLATE*>(t.data());
    d->style = WS_POPUP | DS_SETFONT | DS_FIXEDSYS;
    d->cx = 411;
    d->cy = 334;
    t.insert(t.end(), {0, 0, 0, 8}); // no menu, class or title; 8 points
    for (const wchar_t* c = L"MS Shell Dlg"; *c; ++c)
        t.push_back(WORD(*c));
    t.push_back(0);
    return t;
}

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
    return FALSE;
}

TEST(DialogTemplatePlates, TheTemplateFontPutsItsControlsOnThePlates) {
    std::vector<WORD> t = EmptyTemplate();
    HWND dialog = CreateDialogIndirectW(
        GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(t.data()), nullptr, IgnoreAll);
    ASSERT_NE(dialog, nullptr);
    std::vector<dlg::IntRect> plates = dlg::TemplatePlates();
    std::vector<dlg::IntRect> controls(std::begin(dlg::kCheckBoxGroup),
                                       std::end(dlg::kCheckBoxGroup));
    controls.insert(controls.end(), std::begin(dlg::kLoopCountGroup),
                    std::end(dlg::kLoopCountGroup));
    for (const dlg::IntRect& du : controls) {
        RECT r{du.x, du.y, du.right(), du.bottom()};
        ASSERT_TRUE(MapDialogRect(dialog, &r));
        bool onPlate = false;
        for (const dlg::IntRect& p : plates) {
            onPlate |=
                r.left >= p.x && r.top >= p.y && r.right <= p.right() && r.bottom <= p.bottom();
        }
        EXPECT_TRUE(onPlate) << "template rect " << du.x << "," << du.y << " lands at " << r.left
                             << "," << r.top << "-" << r.right << "," << r.bottom;
    }
    DestroyWindow(dialog);
}

} // namespace
