// Pictograms drawn as vector paths in the current source colour.
#pragma once

#include <cairo.h>

#include "Legends.h"

namespace skingen {

// Draws a media pictogram centred on (cx, cy), about `size` pixels across.
void DrawMediaGlyph(cairo_t* cr, MediaGlyph glyph, double cx, double cy, double size);

// A solid triangle pointing in `dir`, `size` pixels across.
void DrawTriangle(cairo_t* cr, ArrowDir dir, double cx, double cy, double size);

// The window buttons: a cross (Close) and a bar (Minimize).
void DrawCross(cairo_t* cr, double cx, double cy, double size, double lineWidth);
void DrawBar(cairo_t* cr, double cx, double cy, double size, double lineWidth);

} // namespace skingen
