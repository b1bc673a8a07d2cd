// Draws the main window's skin from the layout: the mask and the normal,
// over and down pictures, all of one size (SkinGeometry.h). Every cell's
// rectangle in the over and down pictures shows that cell in that look; the
// rest of those pictures equals the normal one.
#pragma once

#include <memory>
#include <vector>

#include <cairo.h>

#include "LayoutFile.h"
#include "Paint.h"

namespace skingen {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// A new transparent ARGB picture, and a copy of one.
Surface NewSurface(int w, int h);
Surface CopyOf(cairo_surface_t* s);

struct SkinImages {
    Surface mask; // pure white outside the body, pure black inside
    Surface normal, over, down;
};

SkinImages DrawSkin(const std::vector<LayoutCell>& cells, const Fonts& fonts);

// The application icon, `size` pixels square, with a transparent background.
Surface DrawIcon(int size, const Fonts& fonts);

// A copy of `image` whose pixels outside the mask are transparent.
Surface MaskedCopy(cairo_surface_t* image, cairo_surface_t* mask);

} // namespace skingen
