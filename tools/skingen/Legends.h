// What is printed on each keycap, chosen by the key's virtual-key code (the
// layout's name is the fallback for codes the table does not know).
#pragma once

#include <string>

namespace skingen {

enum class LegendKind {
    Letter,   // one large character, centred
    Dual,     // shifted symbol above, base character below
    Modifier, // word at the bottom left, optional symbol at the top left
    Small,    // one or two lines of small text, centred
    Function, // Esc, F1..F12
    Arrow,    // a drawn triangle; `arrow` gives the direction
    Numpad,   // large main legend, optional small second legend below
    Blank,
};

enum class ArrowDir { None, Up, Down, Left, Right };

struct Legend {
    LegendKind kind = LegendKind::Small;
    std::string main;   // UTF-8; may hold one '\n' for Small
    std::string second; // Dual: the base character; Modifier: the symbol; Numpad: sub-legend
    ArrowDir arrow = ArrowDir::None;
};

Legend LegendFor(int keyCode, const std::string& name);

// Media button pictograms, by key code; None for codes without a pictogram.
enum class MediaGlyph {
    None,
    Previous,
    PlayPause,
    Stop,
    Next,
    Mute,
    VolumeDown,
    VolumeUp,
    Back,
    Forward,
    Refresh,
    BrowserStop,
    Home,
    Search,
    Favorites,
    Mail,
    Computer,
    Calculator,
    Media,
};
MediaGlyph MediaGlyphFor(int keyCode);

} // namespace skingen
