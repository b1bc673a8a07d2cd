#include "assign/DialogPaintSignal.w32.h"

#include "win/EventSignal.h"

namespace orvane {

void SignalDialogPaint() {
    static const win::NamedEventSignal signal(L"ORVANE_DIALOG_PAINT_EVENT");
    signal.Set();
}

} // namespace orvane
