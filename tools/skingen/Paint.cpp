#include "Paint.h"

#include <algorithm>
#include <stdexcept>

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace skingen {

namespace {
// Horizontal scale of the condensed bold look, about the width of a
// condensed cut of the same face.
constexpr double kCondensedWidth = 0.88;
} // namespace

struct Fonts::Impl {
    FT_Library library = nullptr;
    FT_Face faces[3] = {};
    cairo_font_face_t* cairoFaces[3] = {};
};

Fonts::Fonts(const std::string& dir) : impl_(new Impl) {
    // Only the faces fonts-dejavu-core ships: the condensed look is the bold
    // face narrowed by UseFont.
    static const char* const kFiles[3] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf",
                                          "DejaVuSans-Bold.ttf"};
    if (FT_Init_FreeType(&impl_->library) != 0) {
        delete impl_;
        throw std::runtime_error("FreeType did not initialise");
    }
    for (int i = 0; i < 3; ++i) {
        std::string path = dir + "/" + kFiles[i];
        if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->faces[i]) != 0) {
            FT_Done_FreeType(impl_->library); // also frees the faces loaded so far
            delete impl_;
            throw std::runtime_error("cannot load font " + path);
        }
    }
    for (int i = 0; i < 3; ++i) {
        impl_->cairoFaces[i] = cairo_ft_font_face_create_for_ft_face(impl_->faces[i], 0);
        // cairo may keep the font face in its caches after we drop it; the
        // FT_Face goes with the font face, whenever cairo lets go of it.
        static cairo_user_data_key_t key;
        cairo_font_face_set_user_data(impl_->cairoFaces[i], &key, impl_->faces[i],
                                      [](void* face) { FT_Done_Face(static_cast<FT_Face>(face)); });
    }
}

Fonts::~Fonts() {
    for (int i = 0; i < 3; ++i)
        cairo_font_face_destroy(impl_->cairoFaces[i]);
    // Empties cairo's font caches so the FT_Faces are gone before the library.
    // Every surface and context is destroyed by now.
    cairo_debug_reset_static_data();
    FT_Done_FreeType(impl_->library);
    delete impl_;
}

cairo_font_face_t* Fonts::Get(Face f) const {
    return impl_->cairoFaces[int(f)];
}

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

void SetColor(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void SetVertical(cairo_t* cr, double y0, double y1, Rgb a, Rgb b, double alphaA, double alphaB) {
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, a.r, a.g, a.b, alphaA);
    cairo_pattern_add_color_stop_rgba(p, 1, b.r, b.g, b.b, alphaB);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    const double kPi = 3.14159265358979323846;
    if (w <= 0 || h <= 0)
        return; // a degenerate cell draws nothing rather than a reversed shape
    r = std::max(0.0, std::min({r, w / 2, h / 2}));
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void UseFont(cairo_t* cr, const Fonts& fonts, Face face, double size) {
    cairo_font_options_t* o = cairo_font_options_create();
    cairo_font_options_set_antialias(o, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(o, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(o, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, o);
    cairo_font_options_destroy(o);
    cairo_set_font_face(cr, fonts.Get(face));
    if (face == Face::CondensedBold) {
        cairo_matrix_t m;
        cairo_matrix_init_scale(&m, size * kCondensedWidth, size);
        cairo_set_font_matrix(cr, &m);
    } else {
        cairo_set_font_size(cr, size);
    }
}

TextBox MeasureText(cairo_t* cr, const std::string& text, double tracking) {
    cairo_text_extents_t e, cap;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_text_extents(cr, "H", &cap);
    double letters = 0;
    for (unsigned char c : text)
        letters += (c & 0xC0) != 0x80; // count code points, not bytes
    return {e.x_advance + tracking * (letters > 0 ? letters - 1 : 0), -cap.y_bearing};
}

namespace {

// Appends the glyph outlines of text to the current path, letter by letter
// when tracked.
void TextPath(cairo_t* cr, const std::string& text, double x, double baseline, double tracking) {
    if (tracking == 0) {
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, text.c_str());
        return;
    }
    size_t i = 0;
    while (i < text.size()) {
        size_t n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80)
            ++n;
        std::string letter = text.substr(i, n);
        cairo_move_to(cr, x, baseline);
        cairo_text_path(cr, letter.c_str());
        cairo_text_extents_t e;
        cairo_text_extents(cr, letter.c_str(), &e);
        x += e.x_advance + tracking;
        i += n;
    }
}

} // namespace

void DrawText(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& s) {
    TextBox box = MeasureText(cr, text, s.tracking);
    double x = s.alignLeft ? cx : cx - box.width / 2;
    double baseline = cy + box.ascent / 2;
    cairo_new_path(cr);
    TextPath(cr, text, x, baseline, s.tracking);
    if (s.halo > 0) {
        SetColor(cr, s.haloColor, s.haloAlpha);
        cairo_set_line_width(cr, s.halo);
        cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
        cairo_stroke_preserve(cr);
    }
    SetColor(cr, s.color);
    cairo_fill(cr);
}

} // namespace skingen
