// What a left press on the main window does: which cell it hits (HitCell,
// mainwnd/HoverPass.h, the same search the hover uses) and which command a
// named control cell runs.
//
// Portable: no Windows headers.
#pragma once

#include <string_view>

namespace orvane {

// The commands of the control cells, in the order their names are tried.
enum class ControlAction {
    None,
    Close,        // "Close": hide; the program stays in the notification area
    MacroLibrary, // "Macro..": the assignment dialog on the macro library alone
    Minimize,     // "Minimize"
    Menu,         // "Menu": the button menu at the cursor
    Apply,        // "Apply": commit the working profile
    Ok,           // "OK": commit, then hide
    Cancel,       // "Cancel": hide; nothing is undone
    Default,      // "Default": restore the defaults of the profile in force, after asking
    Profile1,     // "Profile1".."Profile3": switch profiles
    Profile2,
    Profile3,
};

// The action of a cell named `name`: the first control name equal to it
// (exact and case-sensitive, whole string), else None. Any cell can carry a
// control name; the key-cell path runs as well for cells 1..104.
ControlAction ControlActionOf(std::wstring_view name);

// The profile number 1..3 of a Profile action, else 0.
int ProfileOfAction(ControlAction action);

// Whether a click on cell `cell` (1-based) opens the assignment dialog for
// its key: cells 1..104.
bool IsClickableKeyCell(int cell);

} // namespace orvane
