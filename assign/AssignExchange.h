// What the main window and the key-assignment dialog hand each other: the
// key being edited, its assignment and sequence, and a copy of the working
// profile's macro library. The main window fills it before the dialog runs
// (BeginKeyEdit) and, only when the dialog ended with OK, applies what it
// holds to its model in one step (FinishKeyEdit); Cancel leaves nothing to
// take back. The dialog reads and writes nothing else of the model.
//
// Portable: no Windows headers.
#pragma once

#include <optional>
#include <string>

#include "engine/KeyModel.h"

namespace orvane {

// The dialog's modes: the four kinds of assignment and the macro library
// alone. editMode holds them as the stored ints.
enum class EditMode : int {
    SingleKey = static_cast<int>(AssignmentKind::SingleKey),
    Macro = static_cast<int>(AssignmentKind::Macro),
    Multimedia = static_cast<int>(AssignmentKind::Multimedia),
    FunctionKey = static_cast<int>(AssignmentKind::FunctionShortcut),
    MacroLibraryOnly = kMacroLibraryOnly,
};

// editMode values: an AssignmentKind (0..3) or kMacroLibraryOnly (4).
struct AssignExchange {
    int editKey = 0;       // virtual-key code of the key cell being assigned
    int editMode = 0;      // on entry the key's kind (or 4); after OK the chosen kind
    int editMacro = 0;     // the key's macro index / the macro selected at OK
    std::wstring editName; // the key's set name; after OK the new one
    // On entry the key's sequence in the working copy (none: the working
    // map has no entry for the key, and OK gives it none).
    std::optional<KeySequence> editSequence;
    // Set by OK: the key's new sequence; none leaves its entry as it is.
    std::optional<KeySequence> newSequence;

    bool InMode(EditMode mode) const { return editMode == static_cast<int>(mode); }
    void SetMode(EditMode mode) { editMode = static_cast<int>(mode); }
    // The macro tab and its library are shown: macro mode or the library alone.
    bool ShowsMacroLibrary() const {
        return InMode(EditMode::Macro) || InMode(EditMode::MacroLibraryOnly);
    }

    // The dialog's own copies of the library; edited in place while it runs.
    MacroNames macroNames;
    MacroEventLists macroEventLists;
    MacroAssignments macroAssignments;
};

} // namespace orvane
