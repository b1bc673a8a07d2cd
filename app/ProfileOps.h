// The main window's operations on the profile data: commit (Apply), switch,
// restore defaults, and the two halves around each run of the assignment
// dialog (a key cell, or "Macro.." for the library alone), including the
// re-derivation of the keys bound to macros (SyncMacroKeys).
//
// All of it runs on the GUI thread and changes the model only: the caller
// hands the changed maps to the engine (RemapEngine::ReplaceMaps), repaints,
// and the profiles reach set.ini when the window is destroyed.
//
// Portable: no Windows headers.
#pragma once

#include <functional>

#include "assign/AssignExchange.h"
#include "engine/KeyModel.h"
#include "layout/Layout.h"
#include "storage/IniStore.h"

namespace orvane {

// The main dialog's data these operations work on, by reference.
struct MainModel {
    ProfileMaps& maps;  // the model's key maps and ActiveProfile (the engine has its own copy)
    Profiles& profiles; // WorkingProfile and the stored profiles
    const KeyButtons& cells;
    int& settingsModified; // SettingsModified: 1 while the working copy has uncommitted edits
};

// Copies the WorkingProfile into the profile in force (nothing for an
// ActiveProfile outside 1..3) and clears SettingsModified; once the caller
// has handed the maps to the engine, the hook uses it.
void CommitWorkingProfile(MainModel& model);

// Makes profile `n` (1..3; anything else does nothing) the one in force and
// loads the working copy from it. Switching away from uncommitted edits asks
// `confirmSave` first (only then): true commits the edits into the old
// profile, false drops them; either way SettingsModified is cleared. The
// button of the profile already in force reloads its committed data without
// asking. The caller repaints.
void SwitchProfile(MainModel& model, int n, const std::function<bool()>& confirmSave);

// The defaults of the profile in force, once the user has agreed: every key
// code 1..254 maps to itself, every cell is named after itself, no changed
// cells, no macros; committed at once. The other profiles keep their data.
// The caller repaints.
void RestoreDefaults(MainModel& model);

// After the dialog's OK: which keys bound to macros lost their macro.
//  A: after "Macro.." (the library alone): they become themselves again.
//  B: after a key cell: only those still of kind Macro do; a key just given
//     another kind keeps it.
enum class SyncVariant { A, B };

// Re-derives the keys bound to macros. For each key k of the working copy's
// (old) MacroAssignments, in ascending order: when the dialog's (new)
// MacroAssignments binds k to a macro m that exists, k's sequence becomes
// the key-down codes of macro m and its cell takes index m and m's name;
// otherwise (unbound, or an index that names no macro) the key is reset per
// `variant`. A key's cell is the first ChangedCells entry with its key code,
// else the first key cell of kind Macro with it (a macro named like the cell
// leaves it out of ChangedCells, yet it must follow its macro).
void SyncMacroKeys(MainModel& model, const AssignExchange& dialog, SyncVariant variant);

// Key cell `cell` (1..104): fills the exchange from the cell and the working
// copy (editName, editMode, editMacro, editKey, editSequence; no
// newSequence) and copies the library in.
// Returns false, filling nothing, for any other cell.
bool BeginKeyEdit(const MainModel& model, int cell, AssignExchange& dialog);

// Menu → Import: replaces the profile in force and the working copy with the
// profile `file` holds (ImportProfile) and clears SettingsModified, since
// the working copy then equals the profile in force and a later switch has
// nothing to ask. A file that holds no profile changes nothing,
// SettingsModified included, and answers false. The caller repaints.
bool ImportIntoProfileInForce(MainModel& model, MemoryIniStore& file,
                              const MediaKeyNames& mediaKeyNames);

// The one way a key edit reaches the model, after the dialog ended with OK:
// the key's new sequence (dialog.newSequence) into the WorkingKeyMap, the
// cell's assignment, ChangedCells, SyncMacroKeys(B), the library taken back,
// and a commit; once the caller has handed the maps to the engine the hook
// uses the edit. A result other than OK must not call this: nothing changes
// then.
void FinishKeyEdit(MainModel& model, int cell, const AssignExchange& dialog);

// "Macro..": editMode = MacroLibraryOnly and editMacro = 0 (editName and
// editKey keep whatever they held), and the library copied in.
void BeginMacroLibrary(const MainModel& model, AssignExchange& dialog);

// After OK on "Macro..": SettingsModified = 1, SyncMacroKeys(A), the library
// taken back. No commit: the edits wait for Apply, OK, the switch prompt or
// the exit.
void FinishMacroLibrary(MainModel& model, const AssignExchange& dialog);

} // namespace orvane
