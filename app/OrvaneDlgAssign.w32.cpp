// COrvaneDlg's two runs of the assignment dialog: for a key cell, and for the
// macro library alone ("Macro.."). The halves around the run are the core's
// (mainwnd/ProfileOps.h); only a result of IDOK takes anything back.
//
// The dialog run itself (CSetCongfig::DoModal on exchange_) is wired by the
// assignment dialog's change, which owns this file from then on. Until then
// no dialog opens and every run ends as Cancel would: nothing changes.
#include "app/OrvaneDlg.w32.h"

namespace orvane {

namespace {

// Stands in for the dialog run until the assignment dialog is wired here.
INT_PTR RunAssignmentDialog(AssignExchange& /*exchange*/) {
    return IDCANCEL;
}

} // namespace

void COrvaneDlg::OpenKeyAssignment(int cell) {
    MainModel model = Model();
    if (!BeginKeyEdit(model, cell, exchange_))
        return;
    if (RunAssignmentDialog(exchange_) != IDOK)
        return;
    FinishKeyEdit(model, cell, exchange_);
}

void COrvaneDlg::OpenMacroLibrary() {
    MainModel model = Model();
    BeginMacroLibrary(model, exchange_);
    if (RunAssignmentDialog(exchange_) != IDOK)
        return;
    FinishMacroLibrary(model, exchange_);
}

} // namespace orvane
