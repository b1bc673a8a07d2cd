#include "storage/ProfileStore.h"

#include <algorithm>
#include <optional>

#include "storage/IniValues.h"

namespace orvane {

std::wstring ExecutableDirectory(std::wstring_view modulePath) {
    size_t slash = modulePath.rfind(L'\\');
    return slash == std::wstring_view::npos ? std::wstring()
                                            : std::wstring(modulePath.substr(0, slash + 1));
}

std::wstring ProfileStorePath(std::wstring_view exeDir) {
    std::wstring path(exeDir);
    if (path.empty() || path.back() != L'\\') {
        path += L'\\';
    }
    return path + kProfileStoreFileName;
}

std::wstring ProfileSectionName(int profile) {
    return L"Profile" + FormatInt(profile);
}

const FunctionShortcut* FindFunctionShortcut(std::wstring_view text) {
    for (const FunctionShortcut& row : FunctionShortcutTable) {
        if (row.text == text) {
            return &row;
        }
    }
    return nullptr;
}

namespace {

std::wstring KeyName(const wchar_t* prefix, int number) {
    return prefix + FormatInt(number);
}

bool IsCellIndex(int index) {
    return index >= 0 && index < kCellCount;
}

// The profile a file without a section for it stands for: every key cell is
// itself and named after its cell. (Reading the absent keys as zeros would
// map every key to code 0 and so swallow the whole keyboard.)
void LoadDefaultProfile(const KeyButtons& buttons, ProfileKeyMap& map, ProfileData& data) {
    for (int i = 0; i < kKeyCellCount; ++i) {
        const int c = buttons[i].keyCode;
        data.keyAssignments[i] = KeyAssignment{buttons[i].name, 0, 0};
        map[c] = KeySequence{c};
    }
}

// "SetIndexNum" entries. Entries that name no cell, and repeats, are dropped:
// the list holds each cell index at most once.
void LoadChangedCells(IniStore& file, const std::wstring& sec, ChangedCells& cells) {
    const int n = std::clamp(file.ReadInt(sec, L"SetIndexNum", 0), 0, kMaxChangedCellEntries);
    for (int j = 0; j < n; ++j) {
        const int index = file.ReadInt(sec, KeyName(L"setindex", j), 0);
        if (IsCellIndex(index) && std::find(cells.begin(), cells.end(), index) == cells.end()) {
            cells.push_back(index);
        }
    }
}

// One "MacroKey" value of `count` ints. A count beyond the value's fields
// reads the missing fields as 0 (bounded by kMaxMissingMacroInts); a smaller
// one ignores the fields beyond it. An incomplete last event (a count that is
// no multiple of 3) is dropped, so the list only ever holds whole events.
MacroEventList ParseMacroEvents(const std::wstring& text, int count) {
    MacroEventList list;
    if (count <= 0) {
        return list;
    }
    const std::vector<std::wstring_view> fields = SplitFields(text);
    const size_t limit = fields.size() + kMaxMissingMacroInts;
    size_t n = std::min(static_cast<size_t>(count), limit);
    n -= n % kMacroEventInts;
    list.reserve(n);
    for (size_t f = 0; f < n; ++f) {
        list.push_back(f < fields.size() ? ParseIntLikeWtoi(fields[f]) : 0);
    }
    return list;
}

void LoadMacros(IniStore& file, const std::wstring& sec, ProfileData& data) {
    const int m = std::clamp(file.ReadInt(sec, L"MacroStrNum", 0), 0, kMaxStoredMacros);
    for (int i = 0; i < m; ++i) {
        data.macroNames.push_back(file.ReadText(sec, KeyName(L"MacroName", i)));
    }
    for (int i = 0; i < m; ++i) {
        const int count = file.ReadInt(sec, KeyName(L"MacroKeyNum", i), 0);
        const std::wstring text =
            count > 0 ? file.ReadText(sec, KeyName(L"MacroKey", i)) : std::wstring();
        data.macroEventLists.push_back(ParseMacroEvents(text, count));
    }
}

// The largest virtual-key code a single key can be sent as.
constexpr int kMaxVirtualKey = 255;

bool IsSendableKey(int code) {
    return code >= 1 && code <= kMaxVirtualKey;
}

// The sequence the stored assignment `a` of key code `c` plays, or nothing
// when the assignment cannot be honoured: a single key without a sendable
// Key<c>, a macro index that names no macro, a multimedia or function name
// the tables lack, a kind outside 0..3.
std::optional<KeySequence> StoredSequence(IniStore& file, const std::wstring& sec, int c,
                                          const KeyAssignment& a,
                                          const MediaKeyNames& mediaKeyNames,
                                          const ProfileData& data) {
    switch (a.kind) {
    case static_cast<int>(AssignmentKind::SingleKey): {
        const int key = file.ReadInt(sec, KeyName(L"Key", c), 0);
        return IsSendableKey(key) ? std::optional(KeySequence{key}) : std::nullopt;
    }
    case static_cast<int>(AssignmentKind::Macro):
        // An empty macro exists and plays nothing, as it should.
        if (a.macroIndex >= 0 && static_cast<size_t>(a.macroIndex) < data.macroEventLists.size())
            return MacroKeySequence(data.macroEventLists[a.macroIndex]);
        return std::nullopt;
    case static_cast<int>(AssignmentKind::Multimedia):
        if (auto it = mediaKeyNames.find(a.setName);
            it != mediaKeyNames.end() && IsSendableKey(it->second))
            return KeySequence{it->second};
        return std::nullopt;
    case static_cast<int>(AssignmentKind::FunctionShortcut):
        if (const FunctionShortcut* row = FindFunctionShortcut(a.setName))
            return row->Sequence();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

// The key cell's assignment and, from it, its sequence in the working map.
// A cell whose stored assignment cannot be honoured (no entries at all
// included) keeps its own meaning: itself, under its layout name, and not
// marked changed. Reading it as stored would swallow the key system-wide
// and the next save would make that permanent. Answers whether the stored
// assignment was taken.
bool LoadKeyCell(IniStore& file, const std::wstring& sec, int cell, const KeyButtons& buttons,
                 const MediaKeyNames& mediaKeyNames, ProfileKeyMap& map, ProfileData& data) {
    const int c = buttons[cell].keyCode;
    KeyAssignment& a = data.keyAssignments[cell];
    a.kind = file.ReadInt(sec, KeyName(L"IndexPic", c), 0);
    // A macro cell without a MacroIndex names no macro.
    const bool macro = a.kind == static_cast<int>(AssignmentKind::Macro);
    a.macroIndex = file.ReadInt(sec, KeyName(L"MacroIndex", c), macro ? -1 : 0);
    a.setName = file.ReadText(sec, KeyName(L"SetName", c));

    std::optional<KeySequence> sequence = StoredSequence(file, sec, c, a, mediaKeyNames, data);
    if (!sequence) {
        a = KeyAssignment{buttons[cell].name, 0, 0};
        map[c] = KeySequence{c};
        return false;
    }
    if (macro)
        data.macroAssignments[c] = a.macroIndex;
    map[c] = std::move(*sequence);
    return true;
}

} // namespace

bool LoadProfile(IniStore& file, int section, int target, const KeyButtons& buttons,
                 const MediaKeyNames& mediaKeyNames, ProfileMaps& maps, Profiles& profiles) {
    const std::wstring sec = ProfileSectionName(section);
    ProfileData& w = profiles.working;
    maps.working.clear();
    w.changedCells.clear();
    w.macroEventLists.clear();
    w.macroNames.clear();
    w.macroAssignments.clear();
    // The assignments of the command cells 122..132 keep their values.

    if (!file.HasSection(sec)) {
        LoadDefaultProfile(buttons, maps.working, w);
    } else {
        LoadChangedCells(file, sec, w.changedCells);
        LoadMacros(file, sec, w);
        // Cells in layout order: of two cells with one key code the later
        // one decides the sequence.
        for (int i = 0; i < kKeyCellCount; ++i) {
            if (!LoadKeyCell(file, sec, i, buttons, mediaKeyNames, maps.working, w))
                std::erase(w.changedCells, i);
        }
    }
    CopyWorkingToProfile(maps, profiles, target);
    return true;
}

namespace {

std::wstring JoinEvents(const MacroEventList& list) {
    std::wstring text;
    for (size_t i = 0; i < list.size(); ++i) {
        if (i > 0) {
            text += L',';
        }
        text += FormatInt(list[i]);
    }
    return text;
}

} // namespace

bool SaveProfile(IniStore& file, int profile, const KeyButtons& buttons, const ProfileMaps& maps,
                 const Profiles& profiles) {
    const ProfileKeyMap* map = maps.ProfileMap(profile);
    if (map == nullptr) {
        return false;
    }
    const ProfileData& d = profiles.stored[profile - 1];
    const std::wstring sec = ProfileSectionName(profile);

    file.EmptySection(sec);
    for (int i = 0; i < kKeyCellCount; ++i) {
        const int c = buttons[i].keyCode;
        const KeyAssignment& a = d.keyAssignments[i];
        file.WriteInt(sec, KeyName(L"IndexPic", c), a.kind);
        file.WriteInt(sec, KeyName(L"MacroIndex", c), a.macroIndex);
        file.WriteText(sec, KeyName(L"SetName", c), a.setName);
        if (a.kind == static_cast<int>(AssignmentKind::SingleKey)) {
            // A single-key cell without a key that can be sent (no entry, an
            // empty sequence, code 0) is saved as itself, as it loads.
            auto it = map->find(c);
            const bool has =
                it != map->end() && !it->second.empty() && IsSendableKey(it->second.front());
            file.WriteInt(sec, KeyName(L"Key", c), has ? it->second.front() : c);
        }
    }

    // Every macro gets its name key, so the section always holds MacroStrNum
    // names (an unnamed macro's name is empty).
    const size_t macros = d.macroEventLists.size();
    file.WriteInt(sec, L"MacroStrNum", static_cast<int>(macros));
    for (size_t i = 0; i < macros; ++i) {
        file.WriteText(sec, KeyName(L"MacroName", static_cast<int>(i)),
                       i < d.macroNames.size() ? d.macroNames[i] : std::wstring());
    }
    for (size_t i = 0; i < macros; ++i) {
        const MacroEventList& list = d.macroEventLists[i];
        file.WriteText(sec, KeyName(L"MacroKey", static_cast<int>(i)), JoinEvents(list));
        file.WriteInt(sec, KeyName(L"MacroKeyNum", static_cast<int>(i)),
                      static_cast<int>(list.size()));
    }

    // Only entries that name a cell are written, each once.
    ChangedCells cells;
    for (int index : d.changedCells) {
        if (IsCellIndex(index) && std::find(cells.begin(), cells.end(), index) == cells.end()) {
            cells.push_back(index);
        }
    }
    file.WriteInt(sec, L"SetIndexNum", static_cast<int>(cells.size()));
    for (size_t j = 0; j < cells.size(); ++j) {
        file.WriteInt(sec, KeyName(L"setindex", static_cast<int>(j)), cells[j]);
    }
    return true;
}

void LoadAllProfiles(IniStore& file, const KeyButtons& buttons, const MediaKeyNames& mediaKeyNames,
                     ProfileMaps& maps, Profiles& profiles) {
    int active = file.ReadInt(kTypeSection, kTypeKey, 1);
    if (active < 1 || active > kProfileCount) {
        // A hand-edited "type": the program starts with profile 1 in force
        // rather than with no profile loaded.
        active = 1;
    }
    maps.activeProfile = active;
    // The profile in force is loaded last, so the working copy holds it.
    const int order[kProfileCount] = {active % 3 + 1, (active + 1) % 3 + 1, active};
    for (int p : order) {
        LoadProfile(file, p, p, buttons, mediaKeyNames, maps, profiles);
    }
}

void SaveAllProfiles(IniStore& file, const KeyButtons& buttons, const ProfileMaps& maps,
                     const Profiles& profiles) {
    for (int p = 1; p <= kProfileCount; ++p) {
        SaveProfile(file, p, buttons, maps, profiles);
    }
    // Only a profile number is ever written; anything else starts as 1.
    const int active = maps.ProfileMap(maps.activeProfile) ? maps.activeProfile : 1;
    file.WriteInt(kTypeSection, kTypeKey, active);
}

bool ExportProfile(IniStore& file, int profile, const KeyButtons& buttons, const ProfileMaps& maps,
                   const Profiles& profiles) {
    if (maps.ProfileMap(profile) == nullptr) {
        return false;
    }
    file.WriteInt(kTypeSection, kTypeKey, profile);
    return SaveProfile(file, profile, buttons, maps, profiles);
}

} // namespace orvane
