// Reads the main window's layout from Main.ini: section "BUTTONINFO", keys
// "1" to "132", one cell each.
//
// Value format: fields split at every "," without trimming; a missing field
// is empty; numbers read like _wtoi; the name is taken verbatim. Cells 1..121
// are x,y,width,height,keyCode,name; cells 122..132 are x,y,width,height,name.
//
// Portable: no Windows headers.
#pragma once

#include <string_view>

#include "layout/Layout.h"
#include "storage/IniStore.h"

namespace orvane {

// The layout section and the key of cell n.
inline constexpr wchar_t kLayoutSection[] = L"BUTTONINFO";

// Parses the value of cell `cellNumber` (1..132): six fields for the key
// cells 1..121, five for the command cells 122..132 (keyCode stays 0).
KeyButton ParseCellValue(int cellNumber, std::wstring_view value);

// The hit rectangle of a cell: x, y, x + width, y + height. Sums beyond the
// int range saturate.
CellRect HitRectOf(const KeyButton& button);

// Fills the 132 cells, their hit rectangles and MediaKeyNames (cells
// 104..121, by insertion: for a repeated name the lower cell wins). A missing
// key gives an empty cell with a zero rectangle; a missing file leaves every
// cell empty and MediaKeyNames holding "" -> 0. MediaKeyNames is added to,
// not cleared.
void ReadLayout(IniStore& mainIni, KeyButtons& buttons, HitRects& hitRects,
                MediaKeyNames& mediaKeyNames);

} // namespace orvane
