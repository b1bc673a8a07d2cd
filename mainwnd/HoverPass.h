// The decisions of one hover pass over the main window, without drawing.
//
// Portable: the Win32 side (HoverTracker) draws the cells and sets the
// tooltip text the decision names, in this order: the profile buttons,
// normalCell Normal, overCell Over, the tooltip, the changed cells Down.
#pragma once

#include <string>

#include "engine/KeyModel.h"
#include "layout/Layout.h"

namespace orvane {

constexpr int kFirstInertCell = 105; // cells 105..121 answer no hover

enum class HoverOutcome {
    None,  // no cell under the point: the highlight goes, the tip empties
    Moved, // the highlight moved to another cell
    Same,  // the highlight stays on the same cell
    Inert, // a cell 105..121: nothing changes beyond the profile buttons
};

struct HoverDecision {
    HoverOutcome outcome = HoverOutcome::None;
    int normalCell = -1;        // cell to draw Normal first (the old highlight), -1 none
    int overCell = -1;          // cell to draw Over next, -1 none
    int hoverCell = -1;         // HoverCell after the pass
    bool setTip = false;        // false: the tooltip keeps its text
    std::wstring tipText;       // the new text when setTip
    bool redrawChanged = false; // finally draw every ChangedCells entry Down

    bool operator==(const HoverDecision&) const = default;
};

// Upper-casing of cell names. The portable default maps each character with
// std::towupper, which follows the C library's current locale (ASCII at
// least); the Win32 side passes CharUpperBuffW so that names in any script
// are upper-cased by the system's tables.
using UpperCaseFn = std::wstring (*)(std::wstring);
std::wstring UpperCase(std::wstring text);

// The first cell 1..132 whose hit rectangle contains (x, y), or -1.
int HitCell(const HitRects& hits, int x, int y);

// The tip of a key cell: the name alone when setName names the same key
// (case ignored), else name + " Key, Set As: " + setName in its own case.
// `upperName` is the cell's name already upper-cased.
std::wstring KeyTipText(const std::wstring& upperName, const std::wstring& setName,
                        UpperCaseFn upper = UpperCase);

// One hover pass at the client point (x, y) with the current HoverCell. A hit
// on a key cell (1..104) upper-cases that cell's stored name in `cells`
// (names of other cells are never touched). `working` supplies the setName
// values of the WorkingProfile.
HoverDecision DecideHover(int x, int y, const HitRects& hits, int hoverCell, KeyButtons& cells,
                          const KeyAssignments& working, UpperCaseFn upper = UpperCase);

} // namespace orvane
