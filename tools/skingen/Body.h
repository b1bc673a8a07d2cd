// The gunmetal body every window of the product is cut from.
#pragma once

#include <cairo.h>

#include "Design.h"

namespace skingen {

// Paints a whole w x h picture: rim colour outside the rounded outline of
// SkinGeometry.h, brushed gunmetal inside, and a soft bevel along the edge.
// The anti-aliased edge blends into the dark rim colour, never into white, so
// the binary mask can cut a hard edge through it.
void DrawBodyShell(cairo_t* cr, int w, int h);

// The recessed plate that keys or controls sit in: a lit lower lip, a dark
// face and an inner shadow `shadow` pixels deep (opacity `shadowAlpha`, drawn
// with a stroke `shadowWidth` wide) along its top.
void DrawRecessedPlate(cairo_t* cr, const Rect& deck, double shadow, double shadowAlpha,
                       double shadowWidth);

} // namespace skingen
