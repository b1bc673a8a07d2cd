// The assignment dialog's decisions that need no window: which combo item an
// opening selects, what the capture starts from, and what OK does to the key,
// the exchange fields and the macro assignments.
//
// Portable: no Windows headers. The Win32 dialog reads its controls into an
// OkInput, calls CommitAssignment, and shows nothing of its own.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assign/AssignExchange.h"
#include "engine/KeyModel.h"
#include "layout/Layout.h"

namespace orvane {

// The combo rule the dialog opens with: a case-insensitive prefix search
// that starts at the item after `startAfter` and wraps around to the items
// before it (item `startAfter` itself is tried last). -1 searches from item
// 0. Answers the first matching index, or -1 when no item matches (the
// combo then shows no selection). An empty text matches any item.
int FindString(const std::vector<std::wstring>& items, int startAfter, std::wstring_view text);

// The selection a combo shows after it was filled with `count` items and
// told to select `index`: -1 when the index names no item.
inline int SelectionAfterFill(std::size_t count, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < count ? index : -1;
}

// The key's sequence in `working`, or none when the map has no entry for it.
std::optional<KeySequence> PresentSequence(const ProfileKeyMap& working, int key);

// The key OK assigns in single-key mode when nothing is captured during an
// opening: the key's present target when it is a single key (kind 0 with a
// one-code sequence), else the key itself. OK without a capture then keeps
// the key as it is.
int InitialCaptureTarget(int editKey, int editMode, const std::optional<KeySequence>& present);

// The mode tab latched when OK is pressed: the first of single key, macro,
// multimedia, function key, or None.
enum class LatchedTab : int { None = -1, SingleKey = 0, Macro = 1, Multimedia = 2, Function = 3 };

// What OK reads from the dialog's controls.
struct OkInput {
    LatchedTab latched = LatchedTab::None;
    std::wstring keyNameText;   // key-name box 1127
    std::wstring macroText;     // macro combo 1130 (its edit text)
    std::wstring mediaText;     // multimedia combo 1128
    std::wstring functionText;  // function combo 1129
    int functionSelection = -1; // selected row of 1129, -1 for none
    int capturedKey = 0;        // CapturedKey
};

// OK: sets ex.editName (from the latched tab, and from 1128 in multimedia
// mode), ex.newSequence (only when the key has a sequence, ex.editSequence),
// and updates ex.macroAssignments:
//  0 single key   -> [capturedKey]; the key's macro binding is dropped;
//  1 macro        -> CommitMacro with the macro ex.editMacro names;
//  2 multimedia   -> [code of mediaText in mediaKeyNames]; unknown text
//                    changes nothing but the name;
//  3 function     -> the chord of the selected row; no row changes nothing;
//  4 library only -> nothing.
// A multimedia or function change also drops the key's macro binding.
void CommitAssignment(const OkInput& in, const MediaKeyNames& mediaKeyNames, AssignExchange& ex);

// OK in macro mode, macro `selected` (-1 for none): the key plays the
// key-down codes of the macro and is bound to it. Without a macro the key is
// reset: itself, kind 0, no name, no binding.
void CommitMacro(int selected, AssignExchange& ex);

// Writes the sequence OK chose (ex.newSequence) into `working`, when there
// is one and the map holds ex.editKey. Part of FinishKeyEdit.
void ApplyNewSequence(ProfileKeyMap& working, const AssignExchange& ex);

} // namespace orvane
