#include "app/FirstPaintSignal.w32.h"

#include <utility>

#include "win/EventSignal.h"

namespace orvane {

void SignalFirstPaint() {
    static const win::NamedEventSignal signal(L"ORVANE_FIRST_PAINT_EVENT");
    static bool done = false;
    if (!std::exchange(done, true))
        signal.Set();
}

} // namespace orvane
