// The macro library's list operations: recording one key event, deleting and
// clearing events, adding, renaming and deleting macros, and moving the
// selection in the event list. They work on the assignment dialog's copies of
// the library (AssignExchange); the dialog only translates its controls into
// these calls and shows the result.
//
// Every index handed in may be stale or -1 ("nothing selected": an empty
// library, or a macro combo whose text was edited away from every item). Such
// a call changes nothing and reads nothing outside a list.
//
// Portable: no Windows headers.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "assign/AssignExchange.h"
#include "engine/KeyModel.h"

namespace orvane {

constexpr int kNoSelection = -1;

// Which codes have a recorded key-down whose key-up has not been recorded
// yet. Codes 1..254 are tracked; any other code is never "down". The dialog
// object keeps one for its whole life, across recordings and openings.
class KeyDownState {
  public:
    static bool Tracks(int vkCode) { return vkCode >= 1 && vkCode <= 254; }
    bool IsDown(int vkCode) const { return Tracks(vkCode) && down_[vkCode]; }
    void Set(int vkCode, bool down) {
        if (Tracks(vkCode))
            down_[vkCode] = down;
    }

  private:
    std::array<bool, 255> down_{};
};

// One key event as the capture hook sees it (the KBDLLHOOKSTRUCT fields and
// whether the message was a key-down or key-up, system variants included).
struct HookKeyEvent {
    int vkCode = 0;
    int scanCode = 0;
    int flags = 0; // LLKHF_*: 0x01 extended, 0x20 Alt, 0x80 key-up
    bool isDown = false;
    std::uint32_t time = 0; // the event's time stamp (milliseconds)
};

// The GetKeyNameTextW parameter of a hook event: scan code << 16 plus flags
// << 24. Right Shift with the extended flag (0x1360000) becomes 0x360000, so
// it is named "Right Shift" rather than after an extended key.
int RecorderKeyNameParam(int scanCode, int flags);

// The code the recorder stores for a hook event. The flags are compared
// whole (apart from the key-up bit), so with Alt held nothing is translated:
//  - Enter with the extended flag alone (keypad Enter) becomes 108;
//  - the navigation codes without the extended flag come from the keypad
//    with NumLock off and become the keypad codes (33->105, 34->99, 35->97,
//    36->103, 37->100, 38->104, 39->102, 40->98, 45->96, 46->110).
int RecorderVkCode(int vkCode, int flags);

// Records one hook event into macro `macro`'s event list. A key-down is
// recorded only when its code is tracked and not already down (auto-repeat of
// a held key records nothing), and marks it down; a key-up is always
// recorded and marks its code up. Returns the event appended (its vkCode
// normalised), or nothing when nothing was recorded; with no valid macro
// selected nothing is recorded and `state` is not touched.
std::optional<MacroEvent> RecordMacroEvent(AssignExchange& library, int macro, KeyDownState& state,
                                           const HookKeyEvent& event);

// The events of macro `macro` (an incomplete last group is left out); empty
// for an invalid index. What the dialog's event list shows, row i = event i.
std::vector<MacroEvent> MacroEvents(const AssignExchange& library, int macro);

// Deletes event `row` of macro `macro`. Returns the row to select afterwards
// (the event that followed, now at `row`), or kNoSelection when none
// followed or nothing was deleted.
int DeleteMacroEvent(AssignExchange& library, int macro, int row);

// Empties macro `macro`'s event list; nothing for an invalid index.
void ClearMacroEvents(AssignExchange& library, int macro);

// Appends the macro "define<counter>" with no events, raises `nameCounter`
// (held by the caller for the whole run, shared by all openings and
// profiles; numbers are never reused) and selects it: editMacro = its index,
// which is returned.
int AddMacro(AssignExchange& library, int& nameCounter);

// Names macro `macro` `name` (the combo's text as typed). Returns false and
// changes nothing when `macro` names no macro.
bool RenameMacro(AssignExchange& library, int macro, const std::wstring& name);

// The keys whose assignment is macro `macro`, in ascending order. When there
// are any, the dialog asks before DeleteMacro.
std::vector<int> KeysBoundToMacro(const MacroAssignments& assignments, int macro);

// Deletes macro `macro` once the user has agreed: removes the keys bound to
// it from MacroAssignments (the main window resets those keys after OK),
// renumbers the keys bound to later macros so that each still names its own
// macro, and removes the name and the event list. Selects the macro before
// it, else the new first one, else nothing (editMacro = kNoSelection when the
// library became empty) and returns that selection. An invalid `macro`
// changes nothing and returns kNoSelection.
int DeleteMacro(AssignExchange& library, int macro);

enum class SelectionMove { Top, Up, Down, Bottom };

// The row the event list's selection moves to from `selected` in a list of
// `rowCount` rows (Top and Bottom always name the end row, to be selected and
// scrolled into view), or kNoSelection when it stays where it is: Up at the
// first row, Down at the last, Up/Down with no selection, an empty list.
// Only the selection moves; the events keep their order.
int MoveSelection(SelectionMove move, int selected, int rowCount);

} // namespace orvane
