// Writers for the skin's file formats: 24-bit bottom-up BMP (what the
// program loads with LoadImageW) and a multi-size .ico.
#pragma once

#include <string>
#include <vector>

#include <cairo.h>

namespace skingen {

// Writes an opaque cairo image surface as a 24-bit bottom-up BMP.
bool WriteBmp24(cairo_surface_t* surface, const std::string& path);

// Writes one icon file holding every surface (ARGB32, square, at most 256
// wide). Sizes below 256 go in as 32-bit DIBs with an AND mask, 256 as PNG.
bool WriteIco(const std::vector<cairo_surface_t*>& sizes, const std::string& path);

} // namespace skingen
