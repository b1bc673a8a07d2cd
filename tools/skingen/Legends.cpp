#include "Legends.h"

#include <map>

namespace skingen {
namespace {

Legend Make(LegendKind k, std::string main, std::string second = {}) {
    Legend l;
    l.kind = k;
    l.main = std::move(main);
    l.second = std::move(second);
    return l;
}

Legend Arrow(ArrowDir d) {
    Legend l;
    l.kind = LegendKind::Arrow;
    l.arrow = d;
    return l;
}

const std::map<int, Legend>& Table() {
    using K = LegendKind;
    static const std::map<int, Legend> table = [] {
        std::map<int, Legend> t;
        t[27] = Make(K::Function, "Esc");
        for (int i = 0; i < 12; ++i)
            t[112 + i] = Make(K::Function, "F" + std::to_string(i + 1));
        const char* shifted = ")!@#$%^&*(";
        for (int d = 0; d <= 9; ++d)
            t[48 + d] = Make(K::Dual, std::string(1, shifted[d]), std::string(1, char('0' + d)));
        for (int c = 'A'; c <= 'Z'; ++c)
            t[c] = Make(K::Letter, std::string(1, char(c)));
        t[192] = Make(K::Dual, "~", "`");
        t[189] = Make(K::Dual, "_", "-");
        t[187] = Make(K::Dual, "+", "=");
        t[219] = Make(K::Dual, "{", "[");
        t[221] = Make(K::Dual, "}", "]");
        t[220] = Make(K::Dual, "|", "\\");
        t[186] = Make(K::Dual, ":", ";");
        t[222] = Make(K::Dual, "\"", "'");
        t[188] = Make(K::Dual, "<", ",");
        t[190] = Make(K::Dual, ">", ".");
        t[191] = Make(K::Dual, "?", "/");
        t[8] = Make(K::Modifier, "Backspace", "\u2190");
        t[9] = Make(K::Modifier, "Tab", "\u21E5");
        t[20] = Make(K::Modifier, "Caps Lock", "\u21EA");
        t[13] = Make(K::Modifier, "Enter", "\u21B5");
        t[16] = t[160] = t[161] = Make(K::Modifier, "Shift", "\u21E7");
        t[17] = t[162] = t[163] = Make(K::Modifier, "Ctrl");
        t[18] = t[164] = t[165] = Make(K::Modifier, "Alt");
        t[91] = t[92] = Make(K::Modifier, "Win");
        t[93] = Make(K::Modifier, "Menu", "\u2630");
        t[32] = Make(K::Blank, "");
        t[44] = Make(K::Small, "Print\nScreen");
        t[145] = Make(K::Small, "Scroll\nLock");
        t[19] = Make(K::Small, "Pause\nBreak");
        t[45] = Make(K::Small, "Insert");
        t[36] = Make(K::Small, "Home");
        t[33] = Make(K::Small, "Page\nUp");
        t[46] = Make(K::Small, "Delete");
        t[35] = Make(K::Small, "End");
        t[34] = Make(K::Small, "Page\nDown");
        t[38] = Arrow(ArrowDir::Up);
        t[40] = Arrow(ArrowDir::Down);
        t[37] = Arrow(ArrowDir::Left);
        t[39] = Arrow(ArrowDir::Right);
        t[144] = Make(K::Small, "Num\nLock");
        t[111] = Make(K::Numpad, "/");
        t[106] = Make(K::Numpad, "*");
        t[109] = Make(K::Numpad, "\u2212");
        t[107] = Make(K::Numpad, "+");
        t[108] = Make(K::Small, "Enter");
        t[110] = Make(K::Numpad, ".", "Del");
        const char* sub[10] = {"Ins", "End",    "\u2193", "PgDn",   "\u2190",
                               "",    "\u2192", "Home",   "\u2191", "PgUp"};
        for (int d = 0; d <= 9; ++d)
            t[96 + d] = Make(K::Numpad, std::string(1, char('0' + d)), sub[d]);
        return t;
    }();
    return table;
}

} // namespace

Legend LegendFor(int keyCode, const std::string& name) {
    auto it = Table().find(keyCode);
    if (it != Table().end())
        return it->second;
    Legend l;
    l.kind = name.size() <= 2 ? LegendKind::Letter : LegendKind::Small;
    l.main = name;
    return l;
}

MediaGlyph MediaGlyphFor(int code) {
    switch (code) {
    case 177:
        return MediaGlyph::Previous;
    case 179:
        return MediaGlyph::PlayPause;
    case 178:
        return MediaGlyph::Stop;
    case 176:
        return MediaGlyph::Next;
    case 173:
        return MediaGlyph::Mute;
    case 174:
        return MediaGlyph::VolumeDown;
    case 175:
        return MediaGlyph::VolumeUp;
    case 166:
        return MediaGlyph::Back;
    case 167:
        return MediaGlyph::Forward;
    case 168:
        return MediaGlyph::Refresh;
    case 169:
        return MediaGlyph::BrowserStop;
    case 172:
        return MediaGlyph::Home;
    case 170:
        return MediaGlyph::Search;
    case 171:
        return MediaGlyph::Favorites;
    case 180:
        return MediaGlyph::Mail;
    case 182:
        return MediaGlyph::Computer;
    case 183:
        return MediaGlyph::Calculator;
    case 181:
        return MediaGlyph::Media;
    default:
        return MediaGlyph::None;
    }
}

} // namespace skingen
