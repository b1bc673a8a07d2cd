#include "Glyphs.h"

#include <cmath>

namespace skingen {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Unit-square helpers: the glyph is drawn in [-0.5, 0.5]^2, scaled to size.
void Tri(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2) {
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_line_to(cr, x2, y2);
    cairo_close_path(cr);
}

void Speaker(cairo_t* cr) {
    cairo_move_to(cr, -0.48, -0.14);
    cairo_line_to(cr, -0.30, -0.14);
    cairo_line_to(cr, -0.06, -0.38);
    cairo_line_to(cr, -0.06, 0.38);
    cairo_line_to(cr, -0.30, 0.14);
    cairo_line_to(cr, -0.48, 0.14);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void Wave(cairo_t* cr, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, -0.10, 0, r, -kPi / 4, kPi / 4);
    cairo_stroke(cr);
}

void Star(cairo_t* cr) {
    for (int i = 0; i < 10; ++i) {
        double r = (i % 2) ? 0.22 : 0.52;
        double a = -kPi / 2 + i * kPi / 5;
        double x = r * std::cos(a), y = r * std::sin(a) + 0.04;
        if (i == 0)
            cairo_move_to(cr, x, y);
        else
            cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
}

void ArrowShape(cairo_t* cr, double dir) { // dir -1 left, +1 right
    cairo_move_to(cr, -0.44 * dir, 0);
    cairo_line_to(cr, 0.30 * dir, 0);
    cairo_stroke(cr);
    Tri(cr, 0.48 * dir, 0, 0.08 * dir, -0.32, 0.08 * dir, 0.32);
    cairo_fill(cr);
}

} // namespace

void DrawMediaGlyph(cairo_t* cr, MediaGlyph g, double cx, double cy, double size) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, size, size);
    cairo_set_line_width(cr, 1.6 / size);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_new_path(cr);
    switch (g) {
    case MediaGlyph::Previous:
        cairo_rectangle(cr, -0.50, -0.32, 0.12, 0.64);
        Tri(cr, -0.38, 0, 0.04, -0.32, 0.04, 0.32);
        Tri(cr, 0.04, 0, 0.46, -0.32, 0.46, 0.32);
        cairo_fill(cr);
        break;
    case MediaGlyph::Next:
        cairo_rectangle(cr, 0.38, -0.32, 0.12, 0.64);
        Tri(cr, 0.38, 0, -0.04, -0.32, -0.04, 0.32);
        Tri(cr, -0.04, 0, -0.46, -0.32, -0.46, 0.32);
        cairo_fill(cr);
        break;
    case MediaGlyph::PlayPause:
        Tri(cr, -0.48, -0.36, -0.48, 0.36, 0.06, 0);
        cairo_rectangle(cr, 0.16, -0.34, 0.12, 0.68);
        cairo_rectangle(cr, 0.38, -0.34, 0.12, 0.68);
        cairo_fill(cr);
        break;
    case MediaGlyph::Stop:
        cairo_rectangle(cr, -0.30, -0.30, 0.60, 0.60);
        cairo_fill(cr);
        break;
    case MediaGlyph::Mute:
        Speaker(cr);
        cairo_move_to(cr, 0.12, -0.16);
        cairo_line_to(cr, 0.44, 0.16);
        cairo_move_to(cr, 0.44, -0.16);
        cairo_line_to(cr, 0.12, 0.16);
        cairo_stroke(cr);
        break;
    case MediaGlyph::VolumeDown:
        cairo_translate(cr, 0.08, 0);
        Speaker(cr);
        Wave(cr, 0.24);
        break;
    case MediaGlyph::VolumeUp:
        Speaker(cr);
        Wave(cr, 0.24);
        Wave(cr, 0.44);
        break;
    case MediaGlyph::Back:
        ArrowShape(cr, -1);
        break;
    case MediaGlyph::Forward:
        ArrowShape(cr, 1);
        break;
    case MediaGlyph::Refresh:
        cairo_arc(cr, 0, 0.02, 0.36, -kPi * 0.35, kPi * 1.45);
        cairo_stroke(cr);
        Tri(cr, 0.10, -0.50, 0.40, -0.34, 0.08, -0.14);
        cairo_fill(cr);
        break;
    case MediaGlyph::BrowserStop:
        for (int i = 0; i < 8; ++i) {
            double a = kPi / 8 + i * kPi / 4;
            double x = 0.46 * std::cos(a), y = 0.46 * std::sin(a);
            if (i == 0)
                cairo_move_to(cr, x, y);
            else
                cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        cairo_stroke(cr);
        cairo_move_to(cr, -0.14, -0.14);
        cairo_line_to(cr, 0.14, 0.14);
        cairo_move_to(cr, 0.14, -0.14);
        cairo_line_to(cr, -0.14, 0.14);
        cairo_stroke(cr);
        break;
    case MediaGlyph::Home:
        cairo_move_to(cr, -0.50, 0.02);
        cairo_line_to(cr, 0, -0.42);
        cairo_line_to(cr, 0.50, 0.02);
        cairo_stroke(cr);
        cairo_rectangle(cr, -0.32, -0.06, 0.64, 0.50);
        cairo_fill(cr);
        break;
    case MediaGlyph::Search:
        cairo_arc(cr, -0.08, -0.08, 0.28, 0, 2 * kPi);
        cairo_stroke(cr);
        cairo_set_line_width(cr, 2.4 / size);
        cairo_move_to(cr, 0.14, 0.14);
        cairo_line_to(cr, 0.44, 0.44);
        cairo_stroke(cr);
        break;
    case MediaGlyph::Favorites:
        Star(cr);
        break;
    case MediaGlyph::Mail:
        cairo_rectangle(cr, -0.48, -0.32, 0.96, 0.64);
        cairo_move_to(cr, -0.48, -0.32);
        cairo_line_to(cr, 0, 0.06);
        cairo_line_to(cr, 0.48, -0.32);
        cairo_stroke(cr);
        break;
    case MediaGlyph::Computer:
        cairo_rectangle(cr, -0.46, -0.40, 0.92, 0.60);
        cairo_stroke(cr);
        cairo_rectangle(cr, -0.24, 0.34, 0.48, 0.10);
        cairo_rectangle(cr, -0.05, 0.20, 0.10, 0.16);
        cairo_fill(cr);
        break;
    case MediaGlyph::Calculator:
        cairo_rectangle(cr, -0.36, -0.48, 0.72, 0.96);
        cairo_stroke(cr);
        cairo_rectangle(cr, -0.22, -0.34, 0.44, 0.16);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                cairo_rectangle(cr, -0.22 + c * 0.17, -0.06 + r * 0.15, 0.10, 0.09);
        cairo_fill(cr);
        break;
    case MediaGlyph::Media:
        cairo_arc(cr, -0.14, 0.26, 0.16, 0, 2 * kPi);
        cairo_fill(cr);
        cairo_move_to(cr, 0.02, 0.26);
        cairo_line_to(cr, 0.02, -0.44);
        cairo_line_to(cr, 0.36, -0.28);
        cairo_stroke(cr);
        break;
    case MediaGlyph::None:
        break;
    }
    cairo_restore(cr);
}

void DrawTriangle(cairo_t* cr, ArrowDir dir, double cx, double cy, double size) {
    double h = size / 2, w = size * 0.45;
    cairo_new_path(cr);
    switch (dir) {
    case ArrowDir::Up:
        Tri(cr, cx, cy - w, cx - h, cy + w, cx + h, cy + w);
        break;
    case ArrowDir::Down:
        Tri(cr, cx, cy + w, cx - h, cy - w, cx + h, cy - w);
        break;
    case ArrowDir::Left:
        Tri(cr, cx - w, cy, cx + w, cy - h, cx + w, cy + h);
        break;
    case ArrowDir::Right:
        Tri(cr, cx + w, cy, cx - w, cy - h, cx - w, cy + h);
        break;
    case ArrowDir::None:
        return;
    }
    cairo_fill(cr);
}

void DrawCross(cairo_t* cr, double cx, double cy, double size, double lineWidth) {
    double h = size / 2;
    cairo_new_path(cr);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx - h, cy - h);
    cairo_line_to(cr, cx + h, cy + h);
    cairo_move_to(cr, cx + h, cy - h);
    cairo_line_to(cr, cx - h, cy + h);
    cairo_stroke(cr);
}

void DrawBar(cairo_t* cr, double cx, double cy, double size, double lineWidth) {
    cairo_new_path(cr);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, cx - size / 2, cy);
    cairo_line_to(cr, cx + size / 2, cy);
    cairo_stroke(cr);
}

} // namespace skingen
