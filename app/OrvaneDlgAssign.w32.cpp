// COrvaneDlg's two runs of the assignment dialog: for a key cell, and for the
// macro library alone ("Macro.."). The halves around the run are the core's
// (app/ProfileOps.h); only a result of IDOK takes anything back.
// The dialog object is setConfig_, whose exchange fields the halves fill and
// read.
#include "app/OrvaneDlg.w32.h"

namespace orvane {

void COrvaneDlg::OpenKeyAssignment(int cell) {
    MainModel model = Model();
    if (!BeginKeyEdit(model, cell, setConfig_))
        return;
    if (setConfig_.DoModal() != IDOK)
        return;
    FinishKeyEdit(model, cell, setConfig_);
    PublishMaps();
    // The cell's new look (changed or not) shows at once, wherever the
    // dialog stood.
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

void COrvaneDlg::OpenMacroLibrary() {
    MainModel model = Model();
    BeginMacroLibrary(model, setConfig_);
    if (setConfig_.DoModal() != IDOK)
        return;
    FinishMacroLibrary(model, setConfig_);
}

} // namespace orvane
