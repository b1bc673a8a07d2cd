// The keycap body shared by the keyboard's keys and the dialog's buttons:
// a skirt lit from the top, a dished top face, and the over and down looks.
#pragma once

#include <cairo.h>

#include "Design.h"

namespace skingen {

// Draws the cap filling r in the given look and returns its top face, where
// the legend goes. A disabled cap is drawn flat and without highlights.
Rect DrawCap(cairo_t* cr, const Rect& r, Look look);

// Soft accent light along the current path (stroked, then cleared): the
// over look of keys and buttons.
void AccentRim(cairo_t* cr, double width, double alpha);

} // namespace skingen
