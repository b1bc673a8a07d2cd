// The Main.ini value parser on arbitrary values: no crash, no undefined
// behaviour, and the fields come back as the text holds them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/LayoutReader.h"
#include "storage/IniStore.h"
#include "storage/IniValues.h"

using namespace orvane;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) {
        return 0;
    }
    const int cell = 1 + data[0] % kCellCount;
    const std::wstring value =
        DecodeIniBytes(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
    const KeyButton b = ParseCellValue(cell, value);
    const CellRect r = HitRectOf(b);
    const bool keyCell = cell <= kLastKeyCell;
    const std::wstring name = ExtractField(value, keyCell ? 5 : 4);
    if (b.name != name || name.find(L',') != std::wstring::npos || r.left != b.x || r.top != b.y) {
        std::abort();
    }
    if (!keyCell && b.keyCode != 0) {
        std::abort();
    }
    // The same value read through a layout section.
    MemoryIniStore ini;
    ini.WriteText(kLayoutSection, std::to_wstring(cell), value);
    KeyButtons buttons;
    HitRects rects;
    MediaKeyNames media;
    ReadLayout(ini, buttons, rects, media);
    if (buttons[cell - 1].x != b.x || rects[cell - 1] != r) {
        std::abort();
    }
    return 0;
}
