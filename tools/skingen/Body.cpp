#include "Body.h"

#include <cstdint>

#include "Design.h"
#include "Paint.h"
#include "SkinGeometry.h"

namespace skingen {
namespace {

// Fine horizontal grain of brushed metal, from a fixed seed so every build
// draws the same picture.
void BrushedGrain(cairo_t* cr, int w, int h) {
    uint32_t seed = 0x2545F491u;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return (seed >> 8) / double(1 << 24);
    };
    cairo_set_line_width(cr, 1);
    for (int y = 0; y < h; ++y) {
        double x = -next() * 200;
        while (x < w) {
            double len = 40 + next() * 260, a = next() * 0.035;
            SetColor(cr, next() < 0.5 ? kWhite : kBlack, a);
            cairo_move_to(cr, x, y + 0.5);
            cairo_line_to(cr, x + len, y + 0.5);
            cairo_stroke(cr);
            x += len;
        }
    }
}

} // namespace

void DrawBodyShell(cairo_t* cr, int w, int h) {
    // Everything outside the outline is rim-coloured, so the anti-aliased
    // edge of the body blends into dark, never into white: the mask cuts a
    // hard edge through these pixels.
    SetColor(cr, kRim);
    cairo_paint(cr);
    RoundRect(cr, 0, 0, w, h, kBodyRadius);
    SetVertical(cr, 0, h, kBodyTop, kBodyBottom);
    cairo_fill(cr);

    cairo_save(cr);
    RoundRect(cr, 0, 0, w, h, kBodyRadius);
    cairo_clip(cr);
    BrushedGrain(cr, w, h);
    cairo_restore(cr);

    // Bevel: a light upper edge and a dark lower edge around the outline.
    RoundRect(cr, 1.5, 1.5, w - 3, h - 3, kBodyRadius - 1.5);
    SetVertical(cr, 0, h, kWhite, kBlack, 0.30, 0.55);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    RoundRect(cr, 4.5, 4.5, w - 9, h - 9, kBodyRadius - 4);
    SetVertical(cr, 0, h, kBlack, kWhite, 0.25, 0.06);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void DrawRecessedPlate(cairo_t* cr, const Rect& deck, double shadow, double shadowAlpha,
                       double shadowWidth) {
    RoundRect(cr, deck.x - 1, deck.y - 1, deck.w + 2, deck.h + 2.5, 10);
    SetVertical(cr, deck.y, deck.y + deck.h, kBlack, kWhite, 0.35, 0.16);
    cairo_fill(cr);
    RoundRect(cr, deck.x, deck.y, deck.w, deck.h, 9);
    SetVertical(cr, deck.y, deck.y + deck.h, kDeckTop, kDeckBottom);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    SetVertical(cr, deck.y, deck.y + shadow, kBlack, kBlack, shadowAlpha, 0);
    cairo_set_line_width(cr, shadowWidth);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

} // namespace skingen
