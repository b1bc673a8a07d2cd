// What the main window and the key-assignment dialog hand each other: the
// key being edited, its assignment, and a copy of the working profile's macro
// library. The main window fills it before the dialog runs and reads it back
// only when the dialog ended with OK; Cancel leaves nothing to take back.
//
// Portable: no Windows headers.
#pragma once

#include <string>

#include "engine/KeyModel.h"

namespace orvane {

// editMode values: an AssignmentKind (0..3) or kMacroLibraryOnly (4).
struct AssignExchange {
    int editKey = 0;       // virtual-key code of the key cell being assigned
    int editMode = 0;      // on entry the key's kind (or 4); after OK the chosen kind
    int editMacro = 0;     // the key's macro index / the macro selected at OK
    std::wstring editName; // the key's set name; after OK the new one

    // The dialog's own copies of the library; edited in place while it runs.
    MacroNames macroNames;
    MacroEventLists macroEventLists;
    MacroAssignments macroAssignments;
};

} // namespace orvane
