#include "SkinArt.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "Body.h"
#include "Design.h"
#include "Glyphs.h"
#include "Keycap.h"
#include "Legends.h"
#include "SkinGeometry.h"

namespace skingen {
namespace {

enum class CellKind { Key, Media, Profile, Command, Close, Minimize };

Rect RectOf(const LayoutCell& c) {
    return {double(c.x), double(c.y), double(c.width), double(c.height)};
}

// The largest picture the tool draws; a cell reaching beyond it (a typing
// slip in a hand-edited layout) is left out instead of making a huge image.
constexpr int kMaxCanvas = 4096;

bool Drawable(const LayoutCell& c) {
    return c.present && c.width > 0 && c.height > 0 && c.x >= 0 && c.y >= 0 &&
           c.x + c.width <= kMaxCanvas && c.y + c.height <= kMaxCanvas;
}

CellKind KindOf(const LayoutCell& c) {
    if (c.number <= 104)
        return CellKind::Key;
    if (c.number <= kLastKeyCodeCell)
        return CellKind::Media;
    if (c.name == "Close")
        return CellKind::Close;
    if (c.name == "Minimize")
        return CellKind::Minimize;
    if (c.name.rfind("Profile", 0) == 0)
        return CellKind::Profile;
    return CellKind::Command;
}

// ---------------------------------------------------------------- legends

TextStyle LegendStyle(Look look, Rgb normal = kLegend) {
    TextStyle s;
    s.color = normal;
    if (look == Look::Over) {
        s.color = kWhite;
        s.halo = 3.0;
        s.haloColor = kAccent;
        s.haloAlpha = 0.30;
    } else if (look == Look::Down) {
        s.color = kAccent;
        s.halo = 2.5;
        s.haloColor = kAccent;
        s.haloAlpha = 0.12;
    }
    return s;
}

void Text(cairo_t* cr, const Fonts& f, Face face, double size, const std::string& text, double cx,
          double cy, TextStyle style) {
    UseFont(cr, f, face, size);
    DrawText(cr, text, cx, cy, style);
}

void DrawLegend(cairo_t* cr, const Fonts& f, const Legend& lg, const Rect& face, Look look) {
    TextStyle st = LegendStyle(look);
    double cx = face.cx(), cy = face.cy();
    switch (lg.kind) {
    case LegendKind::Letter:
        Text(cr, f, Face::Bold, 13.5, lg.main, cx, cy - 0.5, st);
        break;
    case LegendKind::Function:
        Text(cr, f, Face::Regular, 11, lg.main, cx, cy, st);
        break;
    case LegendKind::Dual:
        Text(cr, f, Face::Regular, 10.5, lg.main, cx, cy - 6.5, st);
        Text(cr, f, Face::Bold, 10.5, lg.second, cx, cy + 6.5, st);
        break;
    case LegendKind::Modifier: {
        TextStyle left = st;
        left.alignLeft = true;
        if (!lg.second.empty())
            Text(cr, f, Face::Regular, 11, lg.second, face.x + 5, face.y + 8.5, left);
        Text(cr, f, Face::Regular, 9, lg.main, face.x + 5, face.y + face.h - 7, left);
        break;
    }
    case LegendKind::Small: {
        size_t nl = lg.main.find('\n');
        if (nl == std::string::npos) {
            Text(cr, f, Face::Regular, 8.5, lg.main, cx, cy, st);
        } else {
            Text(cr, f, Face::Regular, 8.5, lg.main.substr(0, nl), cx, cy - 5.5, st);
            Text(cr, f, Face::Regular, 8.5, lg.main.substr(nl + 1), cx, cy + 5.5, st);
        }
        break;
    }
    case LegendKind::Arrow:
        if (look == Look::Over) {
            SetColor(cr, kAccent, 0.35);
            DrawTriangle(cr, lg.arrow, cx, cy, 13);
        }
        SetColor(cr, st.color);
        DrawTriangle(cr, lg.arrow, cx, cy, 10);
        break;
    case LegendKind::Numpad:
        if (lg.second.empty()) {
            Text(cr, f, Face::Bold, 14, lg.main, cx, cy, st);
        } else {
            Text(cr, f, Face::Bold, 13, lg.main, cx, cy - 4.5, st);
            TextStyle sub = LegendStyle(look, kLegendDim);
            sub.halo = 0;
            Text(cr, f, Face::Regular, 7.5, lg.second, cx, cy + 8.5, sub);
        }
        break;
    case LegendKind::Blank:
        break;
    }
}

// ---------------------------------------------------------------- keycaps

void DrawKeycap(cairo_t* cr, const Fonts& f, const LayoutCell& c, Look look) {
    Rect face = DrawCap(cr, RectOf(c), look);
    DrawLegend(cr, f, LegendFor(c.keyCode, c.name), face, look);
}

// ------------------------------------------------------------ media knobs

void DrawMediaButton(cairo_t* cr, const LayoutCell& c, Look look) {
    Rect r = RectOf(c);
    double R = std::min(r.w, r.h) / 2, cx = r.cx(), cy = r.cy();
    // Dark well the button sits in, then a machined ring lit from the top.
    cairo_arc(cr, cx, cy, R - 0.5, 0, 2 * kPi);
    SetColor(cr, kOutline, 0.9);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, R - 1.5, 0, 2 * kPi);
    SetVertical(cr, cy - R, cy + R, Hex(0x6a7079), Hex(0x1e2125));
    cairo_fill(cr);

    bool down = look == Look::Down;
    double dome = R - 4;
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy - dome * 0.5, 1, cx, cy, dome);
    Rgb a = down ? Hex(0x26292e) : Hex(0x4b5058), b = down ? Hex(0x1c1e22) : Hex(0x2a2d32);
    cairo_pattern_add_color_stop_rgb(p, 0, a.r, a.g, a.b);
    cairo_pattern_add_color_stop_rgb(p, 1, b.r, b.g, b.b);
    cairo_arc(cr, cx, cy, dome, 0, 2 * kPi);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    if (down) {
        cairo_arc(cr, cx, cy, dome - 1, kPi * 1.1, kPi * 1.9);
        SetColor(cr, kBlack, 0.55);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    if (look == Look::Over) {
        cairo_arc(cr, cx, cy, R - 2, 0, 2 * kPi);
        AccentRim(cr, 1.2, 0.9);
    }
    MediaGlyph g = MediaGlyphFor(c.keyCode);
    double size = R * 0.88, gy = cy + (down ? 1 : 0);
    if (look == Look::Over) {
        SetColor(cr, kAccent, 0.25);
        DrawMediaGlyph(cr, g, cx, gy, size * 1.2);
    }
    SetColor(cr, look == Look::Normal ? kLegend : look == Look::Over ? kWhite : kAccent);
    DrawMediaGlyph(cr, g, cx, gy, size);
}

// -------------------------------------------------- strip buttons (pills)

// The common body of the command, window and profile buttons; returns the
// face rectangle the label goes on.
Rect DrawPill(cairo_t* cr, const Rect& r, Look look) {
    bool down = look == Look::Down;
    RoundRect(cr, r.x + 0.5, r.y + 0.5, r.w - 1, r.h - 1, 6);
    SetColor(cr, kOutline);
    cairo_fill(cr);
    Rect face{r.x + 1.5, r.y + 1.5, r.w - 3, r.h - 3};
    RoundRect(cr, face.x, face.y, face.w, face.h, 5);
    if (down)
        SetVertical(cr, face.y, face.y + face.h, Hex(0x1d2024), Hex(0x2a2d33));
    else
        SetVertical(cr, face.y, face.y + face.h, Hex(0x4a4f57), Hex(0x2b2f35));
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    if (down)
        SetVertical(cr, face.y, face.y + 4, kBlack, kBlack, 0.6, 0);
    else
        SetVertical(cr, face.y, face.y + face.h, kWhite, kWhite, 0.22, 0.0);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    if (look == Look::Over) {
        RoundRect(cr, face.x, face.y, face.w, face.h, 5);
        AccentRim(cr, 1.0, 0.9);
    }
    if (down)
        face.y += 1;
    return face;
}

std::string CommandLabel(const std::string& name) {
    std::string label;
    for (char ch : name) {
        if (ch != '.')
            label += char(std::toupper((unsigned char)ch));
    }
    return label;
}

void DrawCommand(cairo_t* cr, const Fonts& f, const LayoutCell& c, CellKind kind, Look look) {
    Rect face = DrawPill(cr, RectOf(c), look);
    TextStyle st = LegendStyle(look);
    st.halo = 0;
    if (kind == CellKind::Close || kind == CellKind::Minimize) {
        double s = std::min(face.w, face.h) * 0.36;
        if (look == Look::Over) {
            SetColor(cr, kAccent, 0.3);
            if (kind == CellKind::Close)
                DrawCross(cr, face.cx(), face.cy(), s, 4);
            else
                DrawBar(cr, face.cx(), face.cy(), s, 4);
        }
        SetColor(cr, st.color);
        if (kind == CellKind::Close)
            DrawCross(cr, face.cx(), face.cy(), s, 1.8);
        else
            DrawBar(cr, face.cx(), face.cy(), s + 1, 1.8);
        return;
    }
    if (kind == CellKind::Profile) {
        // Indicator lamp at the left: dark, or lit in the accent colour when
        // this profile is in force (the down look).
        double lx = face.x + 9.5, ly = face.cy();
        if (look == Look::Down) {
            cairo_pattern_t* glow = cairo_pattern_create_radial(lx, ly, 0, lx, ly, 7.5);
            cairo_pattern_add_color_stop_rgba(glow, 0, kAccent.r, kAccent.g, kAccent.b, 0.7);
            cairo_pattern_add_color_stop_rgba(glow, 1, kAccent.r, kAccent.g, kAccent.b, 0);
            cairo_arc(cr, lx, ly, 7.5, 0, 2 * kPi);
            cairo_set_source(cr, glow);
            cairo_fill(cr);
            cairo_pattern_destroy(glow);
            cairo_arc(cr, lx, ly, 3, 0, 2 * kPi);
            SetColor(cr, Mix(kAccent, kWhite, 0.45));
            cairo_fill(cr);
        } else {
            cairo_arc(cr, lx, ly, 3.5, 0, 2 * kPi);
            SetColor(cr, kOutline);
            cairo_fill(cr);
            cairo_arc(cr, lx, ly, 2.6, 0, 2 * kPi);
            SetColor(cr, Hex(0x1d3640));
            cairo_fill(cr);
        }
        std::string digit = c.name.size() > 7 ? c.name.substr(7) : c.name;
        Text(cr, f, Face::Bold, 10, "P" + digit, face.x + 28.5, face.cy(), st);
        return;
    }
    st.tracking = 1.0;
    Text(cr, f, Face::CondensedBold, 9, CommandLabel(c.name), face.cx(), face.cy(), st);
}

void DrawCell(cairo_t* cr, const Fonts& f, const LayoutCell& c, Look look) {
    cairo_save(cr);
    cairo_rectangle(cr, c.x, c.y, c.width, c.height);
    cairo_clip(cr);
    CellKind kind = KindOf(c);
    switch (kind) {
    case CellKind::Key:
        DrawKeycap(cr, f, c, look);
        break;
    case CellKind::Media:
        DrawMediaButton(cr, c, look);
        break;
    default:
        DrawCommand(cr, f, c, kind, look);
        break;
    }
    cairo_restore(cr);
}

// ------------------------------------------------------------------ body

struct Bounds {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    bool empty() const { return left > right; }
    void Add(const LayoutCell& c) {
        left = std::min(left, double(c.x));
        top = std::min(top, double(c.y));
        right = std::max(right, double(c.x + c.width));
        bottom = std::max(bottom, double(c.y + c.height));
    }
};

Bounds BoundsOf(const std::vector<LayoutCell>& cells, int first, int last) {
    Bounds b;
    for (const LayoutCell& c : cells) {
        if (c.number >= first && c.number <= last && Drawable(c))
            b.Add(c);
    }
    return b;
}

const LayoutCell* FindKey(const std::vector<LayoutCell>& cells, int code) {
    for (const LayoutCell& c : cells) {
        if (c.number <= 104 && Drawable(c) && c.keyCode == code)
            return &c;
    }
    return nullptr;
}

void DrawLed(cairo_t* cr, double x, double y) {
    cairo_arc(cr, x, y, 3.5, 0, 2 * kPi);
    SetColor(cr, kOutline);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 2.6, 0, 2 * kPi);
    SetColor(cr, Hex(0x1d3640));
    cairo_fill(cr);
    cairo_arc(cr, x - 0.8, y - 0.9, 0.9, 0, 2 * kPi);
    SetColor(cr, kWhite, 0.25);
    cairo_fill(cr);
}

void DrawBody(cairo_t* cr, const Fonts& f, const std::vector<LayoutCell>& cells, int w, int h) {
    DrawBodyShell(cr, w, h);

    Bounds keys = BoundsOf(cells, 1, 104);
    Bounds media = BoundsOf(cells, 105, kLastKeyCodeCell);
    Bounds commands = BoundsOf(cells, 122, kCells);

    // A machined groove under the command strip along the top edge.
    if (!commands.empty()) {
        double gy = std::round(commands.bottom + 11) + 0.5;
        if (!media.empty())
            gy = std::round((commands.bottom + media.top) / 2) + 0.5;
        SetColor(cr, kBlack, 0.55);
        cairo_move_to(cr, 14, gy);
        cairo_line_to(cr, w - 14, gy);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        SetColor(cr, kWhite, 0.10);
        cairo_move_to(cr, 14, gy + 1);
        cairo_line_to(cr, w - 14, gy + 1);
        cairo_stroke(cr);
        // The strip itself reads a shade darker than the deck surround.
        cairo_save(cr);
        RoundRect(cr, 0, 0, w, h, kBodyRadius);
        cairo_clip(cr);
        cairo_rectangle(cr, 0, 0, w, gy - 0.5);
        SetVertical(cr, 0, gy, kBlack, kBlack, 0.0, 0.12);
        cairo_fill(cr);
        cairo_restore(cr);
    }

    // The recessed plate the keys sit in, with an inner shadow at its top.
    if (!keys.empty()) {
        Rect deck{keys.left - 10, keys.top - 10, keys.right - keys.left + 20,
                  keys.bottom - keys.top + 20};
        DrawRecessedPlate(cr, deck, 8, 0.8, 6);

        // Lock indicators in the free space above the keypad.
        const LayoutCell* numLock = FindKey(cells, 144);
        const LayoutCell* numMinus = FindKey(cells, 109);
        const LayoutCell* esc = FindKey(cells, 27);
        if (numLock && numMinus && esc) {
            double left = numLock->x, right = numMinus->x + numMinus->width;
            double cy = esc->y + esc->height / 2.0;
            const char* labels[3] = {"NUM", "CAPS", "SCROLL"};
            for (int i = 0; i < 3; ++i) {
                double x = left + (right - left) * (i + 0.5) / 3;
                DrawLed(cr, x, cy - 5);
                TextStyle st;
                st.color = kLegendDim;
                st.tracking = 0.8;
                Text(cr, f, Face::CondensedBold, 7, labels[i], x, cy + 7, st);
            }
        }
    }

    // Brand mark in the band left of the media buttons.
    double bandLeft = keys.empty() ? 40 : keys.left;
    double bandRight = media.empty() ? w / 2.0 : media.left - 20;
    if (!keys.empty() && bandRight - bandLeft > 220) {
        double cy = media.empty() ? keys.top - 30 : (media.top + media.bottom) / 2;
        // Accent chevron, the only accent on the resting keyboard.
        SetColor(cr, kAccent);
        cairo_move_to(cr, bandLeft + 2, cy - 10);
        cairo_line_to(cr, bandLeft + 9, cy - 10);
        cairo_line_to(cr, bandLeft + 16, cy);
        cairo_line_to(cr, bandLeft + 9, cy + 10);
        cairo_line_to(cr, bandLeft + 2, cy + 10);
        cairo_line_to(cr, bandLeft + 9, cy);
        cairo_close_path(cr);
        cairo_fill(cr);
        TextStyle shadow;
        shadow.color = kBlack;
        shadow.tracking = 4;
        shadow.alignLeft = true;
        UseFont(cr, f, Face::Bold, 22);
        cairo_save(cr);
        cairo_push_group(cr);
        DrawText(cr, "VARNOK", bandLeft + 26, cy - 3 + 1, shadow);
        cairo_pop_group_to_source(cr);
        cairo_paint_with_alpha(cr, 0.6);
        cairo_restore(cr);
        TextStyle logo = shadow;
        logo.color = Hex(0xdfe3e8);
        DrawText(cr, "VARNOK", bandLeft + 26, cy - 3, logo);
        TextStyle sub;
        sub.color = kLegendDim;
        sub.tracking = 2.2;
        sub.alignLeft = true;
        Text(cr, f, Face::CondensedBold, 7.5, "MECHANICAL GAMING KEYBOARD", bandLeft + 27, cy + 14,
             sub);
    }
}

} // namespace

Surface NewSurface(int w, int h) {
    return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
}

Surface CopyOf(cairo_surface_t* s) {
    Surface c = NewSurface(cairo_image_surface_get_width(s), cairo_image_surface_get_height(s));
    cairo_t* cr = cairo_create(c.get());
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    cairo_destroy(cr);
    return c;
}

SkinImages DrawSkin(const std::vector<LayoutCell>& cells, const Fonts& fonts) {
    std::vector<LayoutCell> drawn;
    for (const LayoutCell& c : cells) {
        if (Drawable(c))
            drawn.push_back(c);
    }
    CanvasSize size = CanvasForCells(drawn);
    int w = size.width, h = size.height;

    SkinImages out;
    out.mask = NewSurface(w, h);
    cairo_surface_flush(out.mask.get());
    unsigned char* bits = cairo_image_surface_get_data(out.mask.get());
    int stride = cairo_image_surface_get_stride(out.mask.get());
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(bits + y * stride);
        for (int x = 0; x < w; ++x)
            row[x] = InsideBody(x, y, w, h) ? 0xFF000000u : 0xFFFFFFFFu;
    }
    cairo_surface_mark_dirty(out.mask.get());

    Surface background = NewSurface(w, h);
    {
        cairo_t* cr = cairo_create(background.get());
        DrawBody(cr, fonts, drawn, w, h);
        cairo_destroy(cr);
    }
    out.normal = CopyOf(background.get());
    {
        cairo_t* cr = cairo_create(out.normal.get());
        for (const LayoutCell& c : drawn)
            DrawCell(cr, fonts, c, Look::Normal);
        cairo_destroy(cr);
    }
    // The over and down pictures: the normal one with every cell redrawn on
    // a clean piece of background in that look.
    auto looked = [&](Look look) {
        Surface s = CopyOf(out.normal.get());
        cairo_t* cr = cairo_create(s.get());
        for (const LayoutCell& c : drawn) {
            cairo_save(cr);
            cairo_rectangle(cr, c.x, c.y, c.width, c.height);
            cairo_clip(cr);
            cairo_set_source_surface(cr, background.get(), 0, 0);
            cairo_paint(cr);
            cairo_restore(cr);
            DrawCell(cr, fonts, c, look);
        }
        cairo_destroy(cr);
        return s;
    };
    out.over = looked(Look::Over);
    out.down = looked(Look::Down);
    return out;
}

Surface MaskedCopy(cairo_surface_t* image, cairo_surface_t* mask) {
    Surface s = CopyOf(image);
    cairo_surface_flush(s.get());
    cairo_surface_flush(mask);
    int w = cairo_image_surface_get_width(s.get()), h = cairo_image_surface_get_height(s.get());
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(s.get()) +
                                                    y * cairo_image_surface_get_stride(s.get()));
        const uint32_t* m = reinterpret_cast<const uint32_t*>(
            cairo_image_surface_get_data(mask) + y * cairo_image_surface_get_stride(mask));
        for (int x = 0; x < w; ++x) {
            if ((m[x] & 0xFFFFFF) == 0xFFFFFF)
                row[x] = 0;
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

Surface DrawIcon(int size, const Fonts& fonts) {
    (void)fonts;
    Surface s = NewSurface(size, size);
    cairo_t* cr = cairo_create(s.get());
    double k = size / 48.0; // designed on a 48-pixel grid
    cairo_scale(cr, k, k);

    // Gunmetal tile with a bevel.
    RoundRect(cr, 1, 1, 46, 46, 10);
    SetColor(cr, kOutline);
    cairo_fill(cr);
    RoundRect(cr, 2, 2, 44, 44, 9);
    SetVertical(cr, 2, 46, kBodyTop, kBodyBottom);
    cairo_fill_preserve(cr);
    SetVertical(cr, 2, 46, kWhite, kBlack, 0.35, 0.4);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);

    // One keycap, seen from above, with the remap arrows in the accent colour;
    // at 16 pixels the cap would be mush, so the arrows stand on the tile alone.
    if (size > 16) {
        RoundRect(cr, 8, 8, 32, 32, 6);
        SetVertical(cr, 8, 40, kSkirtTop, Hex(0x16181b));
        cairo_fill_preserve(cr);
        SetColor(cr, kOutline);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        RoundRect(cr, 12, 10, 24, 24, 4.5);
        SetVertical(cr, 10, 34, Hex(0x575d66), kFaceBottom);
        cairo_fill_preserve(cr);
        SetVertical(cr, 10, 34, kWhite, kWhite, 0.3, 0.0);
        cairo_stroke(cr);
    }

    // The remap arrows; at 16 pixels they grow to stay legible.
    if (size <= 16) {
        cairo_translate(cr, 24, 22);
        cairo_scale(cr, 1.5, 1.5);
        cairo_translate(cr, -24, -22);
    }
    SetColor(cr, kAccent);
    cairo_set_line_width(cr, size <= 16 ? 3.0 : 2.4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 16.5, 18);
    cairo_line_to(cr, 28, 18);
    cairo_stroke(cr);
    cairo_move_to(cr, 31.5, 18);
    cairo_line_to(cr, 26, 13.5);
    cairo_line_to(cr, 26, 22.5);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_move_to(cr, 31.5, 26.5);
    cairo_line_to(cr, 20, 26.5);
    cairo_stroke(cr);
    cairo_move_to(cr, 16.5, 26.5);
    cairo_line_to(cr, 22, 22);
    cairo_line_to(cr, 22, 31);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_destroy(cr);
    return s;
}

} // namespace skingen
