// The profile store: the format of set.ini (and of exported profile files),
// loading one profile into the model and saving one back.
//
// Sections: "TYPE" (key "type": the profile in force, 1..3, default 1) and
// "Profile1".."Profile3". Keys of a profile section, for each key cell with
// key code c: "IndexPic<c>" (kind), "MacroIndex<c>", "SetName<c>" and, for
// kind 0 only, "Key<c>" (the target code); then "MacroStrNum", "MacroName<i>",
// "MacroKey<i>" (the event ints joined by ","), "MacroKeyNum<i>" (their
// count), "SetIndexNum" and "setindex<j>" (the changed cells, 0-based).
//
// Portable: no Windows headers.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/KeyModel.h"
#include "layout/Layout.h"
#include "storage/IniStore.h"

namespace orvane {

inline constexpr wchar_t kTypeSection[] = L"TYPE";
inline constexpr wchar_t kTypeKey[] = L"type";
inline constexpr wchar_t kProfileStoreFileName[] = L"set.ini";

// Hand-edited files can hold any count; these bound what a load reads so a
// bad count can neither exhaust memory nor stall the GUI thread. A profile
// written by SaveProfile stays far below them.
inline constexpr int kMaxStoredMacros = 4096;       // "MacroStrNum" is read as at most this
inline constexpr int kMaxChangedCellEntries = 1024; // "SetIndexNum" is read as at most this
inline constexpr int kMaxMissingMacroInts =
    3 * 256; // zeros added when "MacroKeyNum" exceeds the fields

// The directory of the executable (up to and including its last backslash)
// from the module path; empty when the path has no backslash.
std::wstring ExecutableDirectory(std::wstring_view modulePath);

// The path of set.ini beside the executable: `exeDir` (which ends in a
// backslash; one is added when it does not) followed by "set.ini".
std::wstring ProfileStorePath(std::wstring_view exeDir);

// "Profile<n>".
std::wstring ProfileSectionName(int profile);

// One row of the assignment dialog's function list: the text stored as the
// setName of a kind-3 cell and the chord it plays.
struct FunctionShortcut {
    std::wstring_view text;
    std::array<int, 3> keys;
    int keyCount;

    KeySequence Sequence() const { return KeySequence(keys.begin(), keys.begin() + keyCount); }
};

// Position is the item's place in the dialog's function list. Texts compare
// exactly, case included ("Select ALL").
inline constexpr std::array<FunctionShortcut, 13> FunctionShortcutTable{{
    {L"Open", {17, 79, 0}, 2},
    {L"Window", {17, 78, 0}, 2},
    {L"Undo", {17, 90, 0}, 2},
    {L"Save", {17, 83, 0}, 2},
    {L"Copy", {17, 67, 0}, 2},
    {L"Cut", {17, 88, 0}, 2},
    {L"Paste", {17, 86, 0}, 2},
    {L"Search", {17, 70, 0}, 2},
    {L"Select ALL", {17, 65, 0}, 2},
    {L"Zoom Out", {17, 109, 0}, 2},
    {L"Zoom In", {17, 107, 0}, 2},
    {L"Minimize", {18, 32, 78}, 3},
    {L"Maximize", {18, 32, 88}, 3},
}};

// The row whose text equals `text` exactly, or nullptr.
const FunctionShortcut* FindFunctionShortcut(std::wstring_view text);

// Reads section "Profile<section>" of `file` into the WorkingProfile and the
// WorkingKeyMap, then copies both into profile `target` (nothing is copied
// for a target outside 1..3). The key cells are buttons[0..120]. An absent
// section loads as the default profile: every key cell maps to its own code,
// named after its cell, with no macros and no changed cells. In a section
// that exists, every key cell whose stored assignment cannot be honoured
// loads the same way (itself, its cell's name, kind 0, not changed): a cell
// with no entries, a single key whose "Key<c>" is missing or outside 1..255,
// a macro index that names no macro, a multimedia or function name the
// tables lack, a kind outside 0..3. Returns true.
bool LoadProfile(IniStore& file, int section, int target, const KeyButtons& buttons,
                 const MediaKeyNames& mediaKeyNames, ProfileMaps& maps, Profiles& profiles);

// Empties section "Profile<profile>" of `file` and writes the stored data of
// `profile` (its ProfileData and ProfileKeyMap, never the WorkingProfile) in
// the fixed key order. Other sections are untouched. Returns false, writing
// nothing, for a profile outside 1..3.
bool SaveProfile(IniStore& file, int profile, const KeyButtons& buttons, const ProfileMaps& maps,
                 const Profiles& profiles);

// Start-up: reads ActiveProfile from [TYPE] "type" (default 1) and loads the
// three profiles with the one in force last (1: 2,3,1; 2: 3,1,2; 3: 1,2,3), so
// the working copy ends up holding it. Any other "type" value starts the
// program with profile 1 in force (ActiveProfile = 1, load order 2,3,1): the
// hook and the main window need a profile in force, and the next save writes
// a valid "type" back.
void LoadAllProfiles(IniStore& file, const KeyButtons& buttons, const MediaKeyNames& mediaKeyNames,
                     ProfileMaps& maps, Profiles& profiles);

// Saves profiles 1, 2 and 3, then [TYPE] "type" = ActiveProfile.
void SaveAllProfiles(IniStore& file, const KeyButtons& buttons, const ProfileMaps& maps,
                     const Profiles& profiles);

// An exported file: [TYPE] "type" = `profile`, then the profile's section.
// Returns false, writing nothing, for a profile outside 1..3.
bool ExportProfile(IniStore& file, int profile, const KeyButtons& buttons, const ProfileMaps& maps,
                   const Profiles& profiles);

} // namespace orvane
