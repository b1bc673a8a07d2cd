#include "DialogArt.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>

#include "Body.h"
#include "Design.h"
#include "DialogGeometry.h"
#include "Glyphs.h"
#include "Keycap.h"
#include "SkinGeometry.h"

namespace skingen {
namespace {

namespace dlg = skingen::dialog;

enum class Mode { SingleKey, Macro, Multimedia, FunctionKey, MacroLibrary };

// The face colour the dialog's own controls (the check box, the loop-count
// caption) paint behind their text under Wine; the plate they sit on has it.
constexpr Rgb kPlate = Hex(0xf5f5f5);
constexpr Rgb kWellFill = Hex(0x0b0c0e);
constexpr Rgb kCaption = Hex(0xaeb4bc);
constexpr Rgb kHint = Hex(0x7d848e);
constexpr Rgb kLegendDisabled = Hex(0x626872);

// An entry the tool draws: it has an area and lies on a sane canvas (a typing
// slip in a hand-edited file is left out rather than making a huge picture).
bool Drawable(const DialogEntry& e) {
    constexpr int kMaxCanvas = 4096;
    return e.present && e.width > 0 && e.height > 0 && e.x >= 0 && e.y >= 0 &&
           e.x + e.width <= kMaxCanvas && e.y + e.height <= kMaxCanvas;
}

using Entries = std::vector<DialogEntry>; // drawable entries only, any order

const DialogEntry* Find(const Entries& entries, int n) {
    for (const DialogEntry& e : entries) {
        if (e.number == n)
            return &e;
    }
    return nullptr;
}

Rect RectOf(const DialogEntry& e) {
    return {double(e.x), double(e.y), double(e.width), double(e.height)};
}

// The part of a plain control the art prepares a place for: a combo box's
// entry also counts its open list.
Rect ClosedRect(const DialogEntry& e) {
    Rect r = RectOf(e);
    if (e.number != dlg::kKeyNameBox && e.number != dlg::kEventList)
        r.h = std::min(r.h, double(dlg::kComboBoxHeight));
    return r;
}

bool ShownIn(int n, Mode mode) {
    if (dlg::IsKeyButton(n)) {
        bool modeTabWithoutKey =
            n == dlg::kSingleKeyTab || n == dlg::kMultimediaTab || n == dlg::kFunctionKeyTab;
        return mode != Mode::MacroLibrary || !modeTabWithoutKey;
    }
    if (dlg::IsMacroButton(n))
        return mode == Mode::Macro || mode == Mode::MacroLibrary;
    return false;
}

std::vector<int> PlainControlsOf(Mode mode) {
    switch (mode) {
    case Mode::SingleKey:
        return {dlg::kKeyNameBox};
    case Mode::Multimedia:
        return {dlg::kMultimediaCombo};
    case Mode::FunctionKey:
        return {dlg::kFunctionCombo};
    default:
        return {dlg::kMacroCombo, dlg::kEventList};
    }
}

struct Bounds {
    double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
    bool empty() const { return left > right; }
    void Add(const Rect& r) {
        left = std::min(left, r.x);
        top = std::min(top, r.y);
        right = std::max(right, r.x + r.w);
        bottom = std::max(bottom, r.y + r.h);
    }
};

Bounds BoundsOf(const Entries& entries, int first, int last) {
    Bounds b;
    for (const DialogEntry& e : entries) {
        if (e.number >= first && e.number <= last)
            b.Add(RectOf(e));
    }
    return b;
}

// ------------------------------------------------------------------ text

std::string Upper(const std::string& s) {
    std::string u = s;
    for (char& c : u)
        c = char(std::toupper((unsigned char)c));
    return u;
}

// The largest size up to `size` (down to `smallest`) at which text fits.
double FitSize(cairo_t* cr, const Fonts& f, Face face, const std::string& text, double tracking,
               double width, double size, double smallest) {
    for (; size > smallest; size -= 0.25) {
        UseFont(cr, f, face, size);
        if (MeasureText(cr, text, tracking).width <= width)
            break;
    }
    return size;
}

void Caption(cairo_t* cr, const Fonts& f, const std::string& text, double x, double cy,
             bool alignLeft = false, Rgb color = kCaption) {
    UseFont(cr, f, Face::Bold, 8.5);
    TextStyle st;
    st.color = color;
    st.tracking = 1.6;
    if (alignLeft) {
        st.alignLeft = true;
    }
    DrawText(cr, text, x, cy, st);
}

void Hint(cairo_t* cr, const Fonts& f, const std::string& text, double cx, double cy,
          bool alignLeft = false) {
    UseFont(cr, f, Face::Regular, 9.5);
    TextStyle st;
    st.color = kHint;
    st.alignLeft = alignLeft;
    DrawText(cr, text, cx, cy, st);
}

// --------------------------------------------------------------- buttons

enum class Glyph { None, Lamp, Keyboard, RecordDot, Top, Up, Down, Bottom };

Glyph GlyphOf(int n) {
    switch (n) {
    case dlg::kSingleKeyTab:
    case dlg::kMacroTab:
    case dlg::kMultimediaTab:
    case dlg::kFunctionKeyTab:
        return Glyph::Lamp;
    case dlg::kOsk:
        return Glyph::Keyboard;
    case dlg::kRecord:
        return Glyph::RecordDot;
    case dlg::kTop:
        return Glyph::Top;
    case dlg::kUp:
        return Glyph::Up;
    case dlg::kDown:
        return Glyph::Down;
    case dlg::kBottom:
        return Glyph::Bottom;
    default:
        return Glyph::None;
    }
}

Rgb LegendColor(Look look) {
    switch (look) {
    case Look::Over:
        return kWhite;
    case Look::Down:
        return kAccent;
    case Look::Disabled:
        return kLegendDisabled;
    default:
        return kLegend;
    }
}

// Accent light around a point: a lit lamp or the live record dot.
void Glow(cairo_t* cr, double x, double y, double radius, double alpha) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    cairo_pattern_add_color_stop_rgba(glow, 0, kAccent.r, kAccent.g, kAccent.b, alpha);
    cairo_pattern_add_color_stop_rgba(glow, 1, kAccent.r, kAccent.g, kAccent.b, 0);
    cairo_arc(cr, x, y, radius, 0, 2 * kPi);
    cairo_set_source(cr, glow);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

// The mode tabs' indicator, like the profile buttons' lamp on the keyboard.
void DrawLamp(cairo_t* cr, double x, double y, Look look) {
    if (look == Look::Down) {
        Glow(cr, x, y, 7.5, 0.7);
        cairo_arc(cr, x, y, 3, 0, 2 * kPi);
        SetColor(cr, Mix(kAccent, kWhite, 0.45));
        cairo_fill(cr);
        return;
    }
    cairo_arc(cr, x, y, 3.5, 0, 2 * kPi);
    SetColor(cr, kOutline);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 2.6, 0, 2 * kPi);
    SetColor(cr, Hex(0x1d3640));
    cairo_fill(cr);
}

// Record's dot: lit in the accent colour, with a halo, while recording.
void DrawRecordDot(cairo_t* cr, double x, double y, Look look) {
    if (look == Look::Down) {
        Glow(cr, x, y, 11, 0.55);
        cairo_arc(cr, x, y, 5, 0, 2 * kPi);
        SetColor(cr, kAccent);
        cairo_fill(cr);
        cairo_arc(cr, x - 1.2, y - 1.4, 1.6, 0, 2 * kPi);
        SetColor(cr, kWhite, 0.6);
        cairo_fill(cr);
        return;
    }
    cairo_arc(cr, x, y, 5, 0, 2 * kPi);
    SetColor(cr, kOutline);
    cairo_fill(cr);
    cairo_arc(cr, x, y, 4, 0, 2 * kPi);
    SetColor(cr, LegendColor(look), look == Look::Disabled ? 1.0 : 0.85);
    cairo_fill(cr);
}

// A small keyboard pictogram, 16 x 10, in the current source colour.
void DrawKeyboardGlyph(cairo_t* cr, double cx, double cy) {
    RoundRect(cr, cx - 8, cy - 5, 16, 10, 2);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 4; ++col)
            cairo_rectangle(cr, cx - 5.5 + col * 3.3, cy - 2.6 + row * 2.6, 1.6, 1.4);
    }
    cairo_rectangle(cr, cx - 3.5, cy + 2.4, 7, 1.2);
    cairo_fill(cr);
}

// An arrow, with a bar beyond its tip for "to the end".
void DrawArrowGlyph(cairo_t* cr, Glyph g, double cx, double cy) {
    bool up = g == Glyph::Top || g == Glyph::Up;
    DrawTriangle(cr, up ? ArrowDir::Up : ArrowDir::Down, cx, cy, 9);
    if (g == Glyph::Top || g == Glyph::Bottom)
        DrawBar(cr, cx, cy + (up ? -6.5 : 6.5), 9, 1.6);
}

void DrawButton(cairo_t* cr, const Fonts& f, const DialogEntry& e, Look look) {
    cairo_save(cr);
    cairo_rectangle(cr, e.x, e.y, e.width, e.height);
    cairo_clip(cr);
    Rect face = DrawCap(cr, RectOf(e), look);
    Glyph glyph = GlyphOf(e.number);
    Rgb color = LegendColor(look);

    // What goes on the face: an optional glyph at the left, then the label.
    std::string label = Upper(e.label);
    constexpr double kTracking = 0.8;
    double glyphWidth = 0, gap = 7;
    switch (glyph) {
    case Glyph::None:
        gap = 0;
        break;
    case Glyph::Lamp:
        glyphWidth = 7;
        break;
    case Glyph::Keyboard:
        glyphWidth = 16;
        gap = 5;
        break;
    case Glyph::RecordDot:
        glyphWidth = 10;
        break;
    default:
        glyphWidth = 9;
        break;
    }
    // The lamp keeps to the left edge like the profile buttons'; the label
    // then centres in the rest of the face.
    double lampRoom = glyph == Glyph::Lamp ? 18 : 0;
    double room = face.w - 10 - lampRoom - (lampRoom > 0 ? 0 : glyphWidth + gap);
    double size = FitSize(cr, f, Face::Bold, label, kTracking, room, 9, 6.5);
    double textWidth = label.empty() ? 0 : MeasureText(cr, label, kTracking).width;
    double cy = face.cy();
    double left = face.cx() - (glyphWidth + gap + textWidth) / 2;
    if (glyph == Glyph::Lamp) {
        DrawLamp(cr, face.x + 10, cy, look);
        left = face.x + lampRoom + (face.w - lampRoom - 4 - textWidth) / 2 - glyphWidth - gap;
    } else if (glyph == Glyph::RecordDot) {
        DrawRecordDot(cr, left + 5, cy, look);
    } else if (glyph != Glyph::None) {
        if (look == Look::Over) {
            SetColor(cr, kAccent, 0.3);
            cairo_save(cr);
            cairo_translate(cr, left + glyphWidth / 2, cy);
            cairo_scale(cr, 1.25, 1.25);
            cairo_translate(cr, -(left + glyphWidth / 2), -cy);
            if (glyph == Glyph::Keyboard)
                DrawKeyboardGlyph(cr, left + glyphWidth / 2, cy);
            else
                DrawArrowGlyph(cr, glyph, left + glyphWidth / 2, cy);
            cairo_restore(cr);
        }
        SetColor(cr, color);
        if (glyph == Glyph::Keyboard)
            DrawKeyboardGlyph(cr, left + glyphWidth / 2, cy);
        else
            DrawArrowGlyph(cr, glyph, left + glyphWidth / 2, cy);
    }
    if (!label.empty()) {
        TextStyle st;
        st.color = color;
        st.tracking = kTracking;
        st.alignLeft = true;
        if (look == Look::Over) {
            st.halo = 3.0;
            st.haloColor = kAccent;
            st.haloAlpha = 0.25;
        }
        UseFont(cr, f, Face::Bold, size);
        DrawText(cr, label, left + glyphWidth + gap, cy, st);
    }
    cairo_restore(cr);
}

// ------------------------------------------------------------ background

void DrawHeader(cairo_t* cr, const Fonts& f, const Entries& entries, Mode mode, int width) {
    Bounds top = BoundsOf(entries, dlg::kOk, dlg::kFunctionKeyTab);
    if (top.empty() || top.top < 44)
        return;
    double cy = std::round(top.top / 2) + 1;
    double x = 24;
    // Accent chevron, the only accent on the resting dialog.
    SetColor(cr, kAccent);
    cairo_move_to(cr, x, cy - 8);
    cairo_line_to(cr, x + 6, cy - 8);
    cairo_line_to(cr, x + 12, cy);
    cairo_line_to(cr, x + 6, cy + 8);
    cairo_line_to(cr, x, cy + 8);
    cairo_line_to(cr, x + 6, cy);
    cairo_close_path(cr);
    cairo_fill(cr);

    UseFont(cr, f, Face::Bold, 16);
    TextStyle logo;
    logo.color = kBlack;
    logo.tracking = 3;
    logo.alignLeft = true;
    cairo_push_group(cr);
    DrawText(cr, "VARNOK", x + 20, cy + 1, logo);
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.6);
    logo.color = Hex(0xdfe3e8);
    DrawText(cr, "VARNOK", x + 20, cy, logo);
    double after = x + 20 + MeasureText(cr, "VARNOK", 3).width + 14;

    // A short engraved divider, then what this window is for.
    SetColor(cr, kBlack, 0.5);
    cairo_rectangle(cr, after, cy - 8, 1, 16);
    cairo_fill(cr);
    SetColor(cr, kWhite, 0.12);
    cairo_rectangle(cr, after + 1, cy - 8, 1, 16);
    cairo_fill(cr);
    Caption(cr, f, mode == Mode::MacroLibrary ? "MACRO LIBRARY" : "KEY ASSIGNMENT", after + 14, cy,
            true);

    // A machined groove under the header and the tab row, as on the keyboard.
    double gy = std::round(top.bottom + 8) + 0.5;
    Bounds panel = BoundsOf(entries, dlg::kAddMacro, dlg::kEventList);
    if (!panel.empty() && panel.top - 8 > top.bottom)
        gy = std::round((top.bottom + panel.top - 8) / 2) + 0.5;
    SetColor(cr, kBlack, 0.55);
    cairo_move_to(cr, 14, gy);
    cairo_line_to(cr, width - 14, gy);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    SetColor(cr, kWhite, 0.10);
    cairo_move_to(cr, 14, gy + 1);
    cairo_line_to(cr, width - 14, gy + 1);
    cairo_stroke(cr);
}

// The recessed deck the mode's controls sit on, like the keyboard's key plate.
void DrawDeck(cairo_t* cr, const Bounds& b) {
    Rect deck{b.left - 8, b.top - 8, b.right - b.left + 16, b.bottom - b.top + 16};
    DrawRecessedPlate(cr, deck, 6, 0.7, 4);
}

// A flat, darker recess a plain control is set into; the control covers r.
void DrawWell(cairo_t* cr, const Rect& r) {
    RoundRect(cr, r.x - 4, r.y - 4, r.w + 8, r.h + 8, 5);
    SetVertical(cr, r.y - 4, r.y + r.h + 4, kBlack, kWhite, 0.6, 0.10);
    cairo_fill(cr);
    RoundRect(cr, r.x - 3, r.y - 3, r.w + 6, r.h + 6, 4);
    SetColor(cr, kWellFill);
    cairo_fill(cr);
}

// A light plate under a group of the template's own controls (the check box;
// the loop-count caption and box). Only its edge is shaded, so the controls'
// area stays perfectly flat.
void DrawPlate(cairo_t* cr, const dlg::IntRect& p) {
    RoundRect(cr, p.x - 1.5, p.y - 1.5, p.width + 3, p.height + 3, 6);
    SetVertical(cr, p.y, p.bottom(), kBlack, kWhite, 0.55, 0.18);
    cairo_fill(cr);
    RoundRect(cr, p.x, p.y, p.width, p.height, 5);
    SetColor(cr, kPlate);
    cairo_fill(cr);
    RoundRect(cr, p.x + 0.5, p.y + 0.5, p.width - 1, p.height - 1, 4.5);
    SetVertical(cr, p.y, p.bottom(), kWhite, kBlack, 0.9, 0.18);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// Faint pictures above the mode's control: what the combo's items do.
void DrawMediaRow(cairo_t* cr, const Rect& box) {
    const MediaGlyph row[] = {MediaGlyph::PlayPause, MediaGlyph::Previous,    MediaGlyph::Next,
                              MediaGlyph::Refresh,   MediaGlyph::BrowserStop, MediaGlyph::Back,
                              MediaGlyph::Forward};
    constexpr double kStep = 40;
    double x = box.cx() - kStep * 3;
    for (MediaGlyph g : row) {
        SetColor(cr, kCaption, 0.55);
        DrawMediaGlyph(cr, g, x, box.y - 64, 16);
        x += kStep;
    }
}

// Two faint keycaps, A and B, with an arrow between: one key becomes another.
void DrawRemapRow(cairo_t* cr, const Fonts& f, const Rect& box) {
    constexpr double kCap = 34, kGap = 44;
    double left = box.cx() - kCap - kGap / 2, cy = box.y - 64;
    TextStyle st;
    st.color = Mix(kDeckTop, kCaption, 0.6);
    for (int i = 0; i < 2; ++i) {
        double x = left + i * (kCap + kGap);
        RoundRect(cr, x + 0.5, cy - kCap / 2 + 0.5, kCap - 1, kCap - 1, 5);
        SetColor(cr, kCaption, 0.45);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        UseFont(cr, f, Face::Bold, 13);
        DrawText(cr, i == 0 ? "A" : "B", x + kCap / 2, cy, st);
    }
    double ax = left + kCap + 10, bx = left + kCap + kGap - 10;
    SetColor(cr, kCaption, 0.55);
    cairo_set_line_width(cr, 1.6);
    cairo_move_to(cr, ax, cy);
    cairo_line_to(cr, bx - 5, cy);
    cairo_stroke(cr);
    cairo_move_to(cr, bx, cy);
    cairo_line_to(cr, bx - 7, cy - 4.5);
    cairo_line_to(cr, bx - 7, cy + 4.5);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void DrawShortcutRow(cairo_t* cr, const Fonts& f, const Rect& box) {
    const char* keys[] = {"Ctrl", "C"};
    double widths[] = {46, 30};
    double total = widths[0] + 24 + widths[1];
    double x = box.cx() - total / 2, cy = box.y - 64;
    for (int i = 0; i < 2; ++i) {
        RoundRect(cr, x + 0.5, cy - 13.5, widths[i] - 1, 27, 4);
        SetColor(cr, kCaption, 0.45);
        cairo_set_line_width(cr, 1);
        cairo_stroke(cr);
        UseFont(cr, f, Face::Bold, 10);
        TextStyle st;
        st.color = Mix(kDeckTop, kCaption, 0.6);
        DrawText(cr, keys[i], x + widths[i] / 2, cy, st);
        x += widths[i];
        if (i == 0) {
            UseFont(cr, f, Face::Bold, 12);
            DrawText(cr, "+", x + 12, cy, st);
            x += 24;
        }
    }
}

void DrawModeContent(cairo_t* cr, const Fonts& f, const Entries& entries, Mode mode,
                     const Bounds& deck) {
    for (int n : PlainControlsOf(mode)) {
        if (const DialogEntry* e = Find(entries, n))
            DrawWell(cr, ClosedRect(*e));
    }
    auto captionAbove = [&](int n, const char* text) {
        const DialogEntry* e = Find(entries, n);
        if (e)
            Caption(cr, f, text, ClosedRect(*e).cx(), e->y - 20);
        return e;
    };
    switch (mode) {
    case Mode::SingleKey:
        if (const DialogEntry* e = captionAbove(dlg::kKeyNameBox, "PRESS THE KEY TO ASSIGN")) {
            Rect box = RectOf(*e);
            DrawRemapRow(cr, f, box);
            Hint(cr, f, "The key is taken as it is, before any remapping.", box.cx(),
                 box.y + box.h + 26);
            Hint(cr, f, "Clear gives the key back its own meaning.", box.cx(), box.y + box.h + 46);
        }
        break;
    case Mode::Multimedia:
        if (const DialogEntry* e = captionAbove(dlg::kMultimediaCombo, "MULTIMEDIA KEY"))
            DrawMediaRow(cr, ClosedRect(*e));
        break;
    case Mode::FunctionKey:
        if (const DialogEntry* e = captionAbove(dlg::kFunctionCombo, "EDITING SHORTCUT"))
            DrawShortcutRow(cr, f, ClosedRect(*e));
        break;
    case Mode::Macro:
    case Mode::MacroLibrary: {
        if (const DialogEntry* combo = Find(entries, dlg::kMacroCombo)) {
            Rect box = ClosedRect(*combo);
            UseFont(cr, f, Face::Bold, 8.5);
            double w = MeasureText(cr, "MACRO", 1.6).width;
            if (box.x - w - 12 > deck.left)
                Caption(cr, f, "MACRO", box.x - 12 - w, box.cy(), true);
        }
        const DialogEntry* up = Find(entries, dlg::kUp);
        const DialogEntry* down = Find(entries, dlg::kDown);
        if (up && down && down->y - (up->y + up->height) > 20)
            Caption(cr, f, "SELECT", RectOf(*up).cx(), (up->y + up->height + down->y) / 2.0);
        const DialogEntry* clear = Find(entries, dlg::kClearEvents);
        if (clear && deck.right - (clear->x + clear->width) > 200)
            Hint(cr, f, "Record takes every key until pressed again.", clear->x + clear->width + 18,
                 clear->y + clear->height / 2.0, true);
        break;
    }
    }
}

void DrawBackground(cairo_t* cr, const Fonts& f, const Entries& entries, Mode mode, int w, int h) {
    DrawBodyShell(cr, w, h);
    DrawHeader(cr, f, entries, mode, w);
    Bounds deck = BoundsOf(entries, dlg::kAddMacro, dlg::kEventList);
    if (!deck.empty()) {
        DrawDeck(cr, deck);
        DrawModeContent(cr, f, entries, mode, deck);
    }
    std::vector<dlg::IntRect> plates = dlg::TemplatePlates();
    for (const dlg::IntRect& plate : plates)
        DrawPlate(cr, plate);
    // The two plates hold the macro playback options; say so beside the
    // upper one when there is room.
    const dlg::IntRect& options = plates.front();
    UseFont(cr, f, Face::Bold, 8.5);
    double wide = MeasureText(cr, "MACRO OPTIONS", 1.6).width;
    if (options.x - 14 - wide > 24)
        Caption(cr, f, "MACRO OPTIONS", options.x - 14 - wide, options.y + options.height / 2.0,
                true, kHint);
}

Surface DrawMask(int w, int h) {
    Surface mask = NewSurface(w, h);
    cairo_surface_flush(mask.get());
    unsigned char* bits = cairo_image_surface_get_data(mask.get());
    int stride = cairo_image_surface_get_stride(mask.get());
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(bits + y * stride);
        for (int x = 0; x < w; ++x)
            row[x] = InsideBody(x, y, w, h) ? 0xFF000000u : 0xFFFFFFFFu;
    }
    cairo_surface_mark_dirty(mask.get());
    return mask;
}

// One mode's pictures: the bare background (for redrawing buttons on), and the
// normal picture with every button the mode shows.
struct ModeArt {
    Surface bare, normal;
};

ModeArt DrawMode(const Fonts& f, const Entries& entries, Mode mode, int w, int h) {
    ModeArt art;
    art.bare = NewSurface(w, h);
    cairo_t* cr = cairo_create(art.bare.get());
    DrawBackground(cr, f, entries, mode, w, h);
    cairo_destroy(cr);
    art.normal = CopyOf(art.bare.get());
    cr = cairo_create(art.normal.get());
    for (const DialogEntry& e : entries) {
        if (ShownIn(e.number, mode))
            DrawButton(cr, f, e, Look::Normal);
    }
    cairo_destroy(cr);
    return art;
}

// `normal` with the buttons that `serves` picks redrawn in `look` on a clean
// piece of the bare background.
Surface Looked(const Fonts& f, const Entries& entries, const ModeArt& art, Look look,
               bool (*serves)(int)) {
    Surface s = CopyOf(art.normal.get());
    cairo_t* cr = cairo_create(s.get());
    for (const DialogEntry& e : entries) {
        if (!serves(e.number))
            continue;
        cairo_save(cr);
        cairo_rectangle(cr, e.x, e.y, e.width, e.height);
        cairo_clip(cr);
        cairo_set_source_surface(cr, art.bare.get(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
        DrawButton(cr, f, e, look);
    }
    cairo_destroy(cr);
    return s;
}

} // namespace

DialogImages DrawDialogSkin(const std::vector<DialogEntry>& all, const Fonts& fonts) {
    Entries entries;
    for (const DialogEntry& e : all) {
        if (Drawable(e) && e.number != dlg::kReserved)
            entries.push_back(e);
    }
    dlg::Size size = dlg::CanvasFor(entries);
    int w = size.width, h = size.height;

    DialogImages out;
    out.mask = DrawMask(w, h);
    ModeArt key = DrawMode(fonts, entries, Mode::SingleKey, w, h);
    out.keyOver = Looked(fonts, entries, key, Look::Over, dlg::IsKeyButton);
    out.keyDown = Looked(fonts, entries, key, Look::Down, dlg::IsKeyButton);
    out.keyNormal = std::move(key.normal);
    out.mediaNormal = DrawMode(fonts, entries, Mode::Multimedia, w, h).normal;
    out.functionNormal = DrawMode(fonts, entries, Mode::FunctionKey, w, h).normal;
    ModeArt macro = DrawMode(fonts, entries, Mode::Macro, w, h);
    out.macroOver = Looked(fonts, entries, macro, Look::Over, dlg::IsMacroButton);
    out.macroDown = Looked(fonts, entries, macro, Look::Down, dlg::IsMacroButton);
    out.macroDisable = Looked(fonts, entries, macro, Look::Disabled, dlg::IsMacroButton);
    out.macroNormal = std::move(macro.normal);
    out.macro2Normal = DrawMode(fonts, entries, Mode::MacroLibrary, w, h).normal;
    return out;
}

std::vector<NamedImage> DialogFiles(const DialogImages& d) {
    return {{"key_mask.bmp", d.mask.get()},
            {"key_normal.bmp", d.keyNormal.get()},
            {"key_over.bmp", d.keyOver.get()},
            {"key_down.bmp", d.keyDown.get()},
            {"media_normal.bmp", d.mediaNormal.get()},
            {"function_normal.bmp", d.functionNormal.get()},
            {"macro_normal.bmp", d.macroNormal.get()},
            {"macro_over.bmp", d.macroOver.get()},
            {"macro_down.bmp", d.macroDown.get()},
            {"macro_disable.bmp", d.macroDisable.get()},
            {"macro2_normal.bmp", d.macro2Normal.get()}};
}

} // namespace skingen
