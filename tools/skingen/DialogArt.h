// Draws the assignment dialog's eleven skin pictures from its layout
// (Composite.ini): the mask, one background per mode, and the over, down and
// disabled pictures the button faces are cut from. All have one size
// (DialogGeometry.h); a look picture equals its normal picture outside the
// rectangles of the buttons it serves.
#pragma once

#include <vector>

#include "LayoutFile.h"
#include "Paint.h"
#include "SkinArt.h"

namespace skingen {

struct DialogImages {
    Surface mask;                              // pure white outside the body, black inside
    Surface keyNormal, keyOver, keyDown;       // single-key mode; faces of entries 1-9
    Surface mediaNormal, functionNormal;       // multimedia and function-key modes
    Surface macroNormal, macroOver, macroDown; // macro mode; faces of entries 10-18
    Surface macroDisable;                      // disabled faces of entries 10-18
    Surface macro2Normal;                      // macro library without a key
};

DialogImages DrawDialogSkin(const std::vector<DialogEntry>& entries, const Fonts& fonts);

// The file name each picture is shipped under, in the folder skin.
struct NamedImage {
    const char* file;
    cairo_surface_t* image;
};
std::vector<NamedImage> DialogFiles(const DialogImages& images);

} // namespace skingen
