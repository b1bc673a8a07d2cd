// The assignment dialog's layout, read from Composite.ini: section
// "BUTTONINFO", keys "1" to "23", one placed control each (entry 5 is read
// and places nothing).
//
// Value format, as in Main.ini: fields split at every "," without trimming;
// a missing field is 0 or empty; numbers read like _wtoi. Coordinates are
// pixels of the dialog's client area, which are also the pixels of its skin
// images: a button's faces are cut from the images at its own rectangle.
//
// Portable: no Windows headers.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "layout/Layout.h"
#include "storage/IniStore.h"

namespace orvane {

constexpr int kDialogLayoutEntryCount = 23;

// What each entry places. Entry 5 places nothing.
enum class DialogEntry : int {
    Ok = 1,
    Cancel = 2,
    Clear = 3,
    Osk = 4,
    SingleKeyTab = 6, // the four mode tabs, in LatchedTab order
    MacroTab = 7,
    MultimediaTab = 8,
    FunctionTab = 9,
    AddMacro = 10,
    DeleteMacro = 11,
    Record = 12,
    DeleteEvent = 13,
    ClearEvents = 14,
    EventTop = 15,
    EventUp = 16,
    EventDown = 17,
    EventBottom = 18,
    KeyName = 19, // the plain controls 1127..1131, in control id order
    MultimediaCombo = 20,
    FunctionCombo = 21,
    MacroCombo = 22,
    EventList = 23,
};

// The tab entry of the mode tab at `index` (0..3, LatchedTab order).
constexpr DialogEntry ModeTabEntry(int index) {
    return static_cast<DialogEntry>(static_cast<int>(DialogEntry::SingleKeyTab) + index);
}

struct DialogLayoutEntry {
    int x = 0, y = 0, width = 0, height = 0;
    std::wstring label; // fifth field; kept, shown nowhere
    CellRect rectangle; // x, y, x + width, y + height (saturating)

    bool operator==(const DialogLayoutEntry&) const = default;
};

// Entry n (1..23) at index n - 1.
using DialogLayout = std::array<DialogLayoutEntry, kDialogLayoutEntryCount>;

inline const DialogLayoutEntry& EntryOf(const DialogLayout& layout, DialogEntry entry) {
    return layout[static_cast<int>(entry) - 1];
}

// One entry's value: x, y, width, height, label.
DialogLayoutEntry ParseDialogLayoutEntry(std::wstring_view value);

// Entries 1..23 of section "BUTTONINFO"; a missing file, section or key gives
// an all-zero entry (its control ends up at 0,0 with no size).
DialogLayout ReadDialogLayout(IniStore& compositeIni);

} // namespace orvane
