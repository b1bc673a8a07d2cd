// Drawing helpers shared by the keyboard art and the icon: fonts loaded by
// file through FreeType (so every machine draws the same pixels), colours,
// rounded shapes and text placement.
#pragma once

#include <string>

#include <cairo.h>

namespace skingen {

// CondensedBold is the bold face drawn narrower, not a file of its own.
enum class Face { Regular, Bold, CondensedBold };

// Loads the DejaVu faces from a directory; throws std::runtime_error when a
// file is missing. Lives as long as the drawing.
class Fonts {
  public:
    explicit Fonts(const std::string& dir);
    ~Fonts();
    Fonts(const Fonts&) = delete;
    Fonts& operator=(const Fonts&) = delete;

    cairo_font_face_t* Get(Face f) const;

  private:
    struct Impl;
    Impl* impl_;
};

struct Rgb {
    double r, g, b;
};
constexpr Rgb Hex(unsigned v) {
    return {((v >> 16) & 0xFF) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0};
}
Rgb Mix(Rgb a, Rgb b, double t);

void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);
// Vertical gradient from y0 (colour a) to y1 (colour b) as the source.
void SetVertical(cairo_t* cr, double y0, double y1, Rgb a, Rgb b, double alphaA = 1.0,
                 double alphaB = 1.0);
void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);

// Deterministic font settings: no hinting, unhinted metrics, grey antialias.
void UseFont(cairo_t* cr, const Fonts& fonts, Face face, double size);

struct TextBox {
    double width, ascent; // advance width; ascent of capitals (ink of "H")
};
TextBox MeasureText(cairo_t* cr, const std::string& text, double tracking = 0);

// Draws text with its capital-height box centred on (cx, cy), or its left edge
// at cx when alignLeft. tracking adds space between letters. halo > 0 first
// strokes the outline in haloColor with that width, a soft glow.
struct TextStyle {
    Rgb color;
    double tracking = 0;
    bool alignLeft = false;
    double halo = 0;
    Rgb haloColor{0, 0, 0};
    double haloAlpha = 0;
};
void DrawText(cairo_t* cr, const std::string& text, double cx, double cy, const TextStyle& style);

} // namespace skingen
