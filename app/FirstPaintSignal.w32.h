// Start-up measurement: when the environment variable ORVANE_FIRST_PAINT_EVENT
// names an event, the first call of SignalFirstPaint in the process sets it.
// bench/wine/startup starts a program under a timer and waits for that event,
// so the figure ends when the main window's face is on the screen. Without
// the variable (every normal run) this reads the environment once and does
// nothing else.
#pragma once

namespace orvane {

void SignalFirstPaint();

} // namespace orvane
