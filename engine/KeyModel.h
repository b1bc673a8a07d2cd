// The profile key model: what every key becomes in each of the three
// profiles, the macros, the per-cell settings the main window shows, and the
// queue of synthetic key events between the remapping hook and the injector.
//
// Portable: no Windows headers. Key codes are Win32 virtual-key codes held in
// an int; the keypad Enter is held as 108 so it differs from the main Enter.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "engine/HeldKeys.h"
#include "engine/KeySequence.h"

namespace orvane {

constexpr int kCellCount = 132;     // cells of the main window, numbered 1..132
constexpr int kKeyCellCount = 121;  // cells 1..121 carry a key code (the layout's kLastKeyCell)
constexpr int kProfileCount = 3;    // profiles 1..3
constexpr int kKeypadEnter = 108;   // VK_SEPARATOR stands for the keypad Enter
constexpr int kReleaseBit = 0x8000; // OutputQueue: set for a key release

// Key code -> KeySequence, ordered by key code. A key without an entry stays
// itself, as does a key mapped to [itself].
using ProfileKeyMap = std::map<int, KeySequence>;

// Stored as ints in set.ini; the values never change.
enum class AssignmentKind : int {
    SingleKey = 0,
    Macro = 1,
    Multimedia = 2,
    FunctionShortcut = 3,
};

// The assignment dialog is opened with this mode for the macro library alone;
// it is never stored in a KeyAssignment.
constexpr int kMacroLibraryOnly = 4;

struct KeyAssignment {
    std::wstring setName; // display text of the target; the cell's own name at the default
    int kind = 0;         // AssignmentKind, kept as the stored int
    int macroIndex = 0;   // index into the macro lists for kind Macro, else 0

    bool operator==(const KeyAssignment&) const = default;
};

// One recorded event: three consecutive ints in a MacroEventList.
struct MacroEvent {
    int keyNameParam = 0; // GetKeyNameTextW parameter; only used to show a name
    int vkCode = 0;
    int isDown = 0; // 1 press, 0 release
};
constexpr int kMacroEventInts = 3;

using MacroEventList = std::vector<int>; // flat: keyNameParam, vkCode, isDown, ...
using MacroEventLists = std::vector<MacroEventList>;
using MacroNames = std::vector<std::wstring>; // same length as MacroEventLists
using MacroAssignments = std::map<int, int>;  // key code -> macro index, kind Macro keys
using ChangedCells = std::vector<int>;        // 0-based cell indexes, each at most once
using KeyAssignments = std::array<KeyAssignment, kCellCount>;

// One profile's editable data. Its key map is the model's map of the same
// profile (or the WorkingKeyMap for the WorkingProfile).
struct ProfileData {
    ChangedCells changedCells;
    MacroAssignments macroAssignments;
    MacroNames macroNames;
    MacroEventLists macroEventLists;
    KeyAssignments keyAssignments;

    bool operator==(const ProfileData&) const = default;
};

// FIFO of synthetic key events. Element: bits 0..14 the key code, bit 15 set
// for a release, bit 16 (kKeypadOriginBit, engine/RemapDecision.h) set for a
// navigation code that stands for a keypad key. The value 0 is ignored by the
// injector. Appended by the remapping hook on the GUI thread, taken by the
// injector thread, both under QueueMutex (held by the Win32 engine; the
// core never locks).
using OutputQueue = std::deque<int>;

// The key maps of the profile model: the WorkingKeyMap, the maps of profiles
// 1..3 and ActiveProfile. The main window owns one (the model it edits, loads
// and saves); the remapping engine keeps its own copy inside KeyMaps, which
// only the engine's named operations replace. Nothing outside engine/ holds a
// reference to the engine's copy. A profile number outside 1..3 (a
// hand-edited file) names no map: the hook then remaps nothing.
class ProfileMaps {
  public:
    ProfileKeyMap working; // WorkingKeyMap; never read by the hook
    int activeProfile = 1; // ActiveProfile; may be bad from a hand-edited file

    // The map of profile p (1..3), or nullptr for any other value.
    ProfileKeyMap* ProfileMap(int p) {
        return p >= 1 && p <= kProfileCount ? &profiles_[p - 1] : nullptr;
    }
    const ProfileKeyMap* ProfileMap(int p) const {
        return p >= 1 && p <= kProfileCount ? &profiles_[p - 1] : nullptr;
    }

  private:
    std::array<ProfileKeyMap, kProfileCount> profiles_; // maps of profiles 1..3
};

// The engine's state that the remapping hook reads: its copy of the profile
// maps, RemapSuspended and the hook's memory of held keys. It belongs to the
// thread that runs the hook, so none of it needs a lock. The OutputQueue, the
// one thing shared with the injector thread, lives beside it in the Win32
// engine (RemapEngine).
//
// A profile map is changed only through the non-const ProfileMap, which first
// pins the sequences of held swallowed keys (HeldKeys::Pin): they may point
// into the map about to change.
class KeyMaps : public ProfileMaps {
  public:
    int remapSuspended = 1; // RemapSuspended: 1 while the keyboard is absent
    HeldKeys held;          // the hook's verdicts on the keys now held

    ProfileKeyMap* ProfileMap(int p) {
        held.Pin();
        return ProfileMaps::ProfileMap(p);
    }
    const ProfileKeyMap* ProfileMap(int p) const { return ProfileMaps::ProfileMap(p); }

    // The profile maps and ActiveProfile of `model` replace this copy's
    // (pinning held keys first); the WorkingKeyMap is not copied, the hook
    // never reads it.
    void ReplaceProfileMaps(const ProfileMaps& model);
};

// The main dialog's profile data: the WorkingProfile (what the window shows
// and edits) and the stored data of profiles 1..3.
struct Profiles {
    ProfileData working;
    std::array<ProfileData, kProfileCount> stored;

    ProfileData* Stored(int p) { return p >= 1 && p <= kProfileCount ? &stored[p - 1] : nullptr; }
    const ProfileData* Stored(int p) const {
        return p >= 1 && p <= kProfileCount ? &stored[p - 1] : nullptr;
    }
};

// Seeds a map with k -> [k] for every k in 1..254 (insertion: existing
// entries are kept).
void SeedIdentity(ProfileKeyMap& map);
// The same for the WorkingKeyMap and the maps of profiles 1..3.
void SeedIdentity(ProfileMaps& maps);

// Copies the WorkingProfile and WorkingKeyMap into profile p. p outside 1..3
// copies nothing.
void CopyWorkingToProfile(ProfileMaps& maps, Profiles& profiles, int p);

// Copies profile p into the WorkingProfile and WorkingKeyMap. p outside 1..3
// copies nothing.
void CopyProfileToWorking(ProfileMaps& maps, Profiles& profiles, int p);

// The default settings in the working copy: every key 1..254 maps to itself
// (overwriting or creating, removing nothing), no changed cells, no macros,
// and each cell's setName is its own cell name (cellNames[i] for cell i+1).
void ResetWorkingProfile(ProfileMaps& maps, Profiles& profiles,
                         const std::array<std::wstring, kCellCount>& cellNames);

// The key-down order of a macro: vkCode of every event with isDown 1, in list
// order. An incomplete last group (a hand-edited file) is ignored.
KeySequence MacroKeySequence(const MacroEventList& events);

} // namespace orvane
