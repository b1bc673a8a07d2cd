#include "Keycap.h"

#include <algorithm>

namespace skingen {

void AccentRim(cairo_t* cr, double width, double alpha) {
    SetColor(cr, kAccent, alpha * 0.22);
    cairo_set_line_width(cr, width * 3.5);
    cairo_stroke_preserve(cr);
    SetColor(cr, kAccent, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

Rect DrawCap(cairo_t* cr, const Rect& r, Look look) {
    // Skirt: the sloped sides seen from above, lit from the top.
    RoundRect(cr, r.x + 0.5, r.y + 0.5, r.w - 1, r.h - 1, 5);
    if (look == Look::Down)
        SetVertical(cr, r.y, r.y + r.h, Mix(kSkirtTop, kBlack, 0.25),
                    Mix(kSkirtBottom, kBlack, 0.2));
    else
        SetVertical(cr, r.y, r.y + r.h, kSkirtTop, kSkirtBottom);
    cairo_fill_preserve(cr);
    {
        // Light from the upper left: the left skirt a touch lighter, the right darker.
        cairo_pattern_t* side = cairo_pattern_create_linear(r.x, 0, r.x + r.w, 0);
        cairo_pattern_add_color_stop_rgba(side, 0, 1, 1, 1, 0.06);
        cairo_pattern_add_color_stop_rgba(side, 0.5, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(side, 1, 0, 0, 0, 0.12);
        cairo_set_source(cr, side);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(side);
    }
    SetColor(cr, kOutline);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    // Top face: nearer the back edge, so the front skirt shows more; pressed
    // keys sink and the face sits lower and darker.
    bool down = look == Look::Down;
    Rect face{r.x + 4.5, r.y + (down ? 4.5 : 2.5), r.w - 9, r.h - (down ? 9.5 : 9.5)};
    RoundRect(cr, face.x, face.y, face.w, face.h, 4);
    bool disabled = look == Look::Disabled;
    if (down)
        SetVertical(cr, face.y, face.y + face.h, kFaceDownTop, kFaceDownBottom);
    else if (disabled)
        SetColor(cr, Mix(kFaceBottom, kSkirtTop, 0.6));
    else if (look == Look::Over)
        SetVertical(cr, face.y, face.y + face.h, Mix(kFaceTop, kWhite, 0.06),
                    Mix(kFaceBottom, kWhite, 0.05));
    else
        SetVertical(cr, face.y, face.y + face.h, kFaceTop, kFaceBottom);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    // A shallow dish: the middle of the face catches a little more light.
    cairo_pattern_t* dish =
        cairo_pattern_create_radial(face.cx(), face.y + face.h * 0.3, 1, face.cx(),
                                    face.y + face.h * 0.3, std::max(face.w, face.h) * 0.7);
    cairo_pattern_add_color_stop_rgba(dish, 0, 1, 1, 1, down || disabled ? 0.0 : 0.05);
    cairo_pattern_add_color_stop_rgba(dish, 1, 1, 1, 1, 0);
    cairo_set_source(cr, dish);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(dish);
    if (down) {
        // Inner shadow along the upper edge of the sunken face.
        SetVertical(cr, face.y, face.y + 5, kBlack, kBlack, 0.55, 0.0);
        cairo_set_line_width(cr, 4);
    } else {
        SetVertical(cr, face.y, face.y + face.h, kWhite, kWhite, disabled ? 0.08 : 0.22, 0.02);
        cairo_set_line_width(cr, 2);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
    // The crisp edge where the face meets the skirt.
    RoundRect(cr, face.x - 0.5, face.y - 0.5, face.w + 1, face.h + 1, 4.5);
    SetColor(cr, kBlack, down ? 0.45 : 0.3);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);

    if (look == Look::Over) {
        RoundRect(cr, r.x + 1.5, r.y + 1.5, r.w - 3, r.h - 3, 4);
        AccentRim(cr, 1.0, 0.85);
    }
    if (down) {
        // A thin accent line under the sunken face marks the key as changed.
        SetColor(cr, kAccent, 0.75);
        cairo_rectangle(cr, face.x + 3, face.y + face.h + 1.5, face.w - 6, 1);
        cairo_fill(cr);
    }
    return face;
}

} // namespace skingen
