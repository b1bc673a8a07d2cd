// Dialog-opening measurement: when the environment variable
// ORVANE_DIALOG_PAINT_EVENT names an event, SignalDialogPaint sets it.
// CSetCongfig calls it once per opening, after its first WM_PAINT, so
// bench/wine/assign_dialog can time a click to the dialog on the screen.
// Without the variable (every normal run) nothing happens beyond reading the
// environment once.
#pragma once

namespace orvane {

void SignalDialogPaint();

} // namespace orvane
