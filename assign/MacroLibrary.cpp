#include "assign/MacroLibrary.h"

#include <cstdint>

namespace orvane {

namespace {

constexpr int kFlagExtended = 0x01;
constexpr int kFlagUp = 0x80;

bool ValidMacro(const AssignExchange& library, int macro) {
    return macro >= 0 && static_cast<size_t>(macro) < library.macroEventLists.size();
}

// Events that are whole (three ints) in a list.
size_t EventCount(const MacroEventList& list) {
    return list.size() / kMacroEventInts;
}

int KeypadCodeOfNavigation(int vkCode) {
    switch (vkCode) {
    case 33:
        return 105; // Page Up -> keypad 9
    case 34:
        return 99; // Page Down -> keypad 3
    case 35:
        return 97; // End -> keypad 1
    case 36:
        return 103; // Home -> keypad 7
    case 37:
        return 100; // Left -> keypad 4
    case 38:
        return 104; // Up -> keypad 8
    case 39:
        return 102; // Right -> keypad 6
    case 40:
        return 98; // Down -> keypad 2
    case 45:
        return 96; // Insert -> keypad 0
    case 46:
        return 110; // Delete -> keypad decimal
    default:
        return vkCode;
    }
}

} // namespace

int RecorderKeyNameParam(int scanCode, int flags) {
    // Shifting into the sign bit (a key-up's 0x80 flag) wraps: the stored
    // value is the same 32 bits the hook structure gave.
    const uint32_t param =
        (static_cast<uint32_t>(scanCode) << 16) + (static_cast<uint32_t>(flags) << 24);
    if (param == 0x1360000u)
        return 0x360000;
    return static_cast<int>(param);
}

int RecorderVkCode(int vkCode, int flags) {
    const int direction = flags & ~kFlagUp;
    if (vkCode == 13 && direction == kFlagExtended)
        return kKeypadEnter;
    if (direction == 0)
        return KeypadCodeOfNavigation(vkCode);
    return vkCode;
}

std::optional<MacroEvent> RecordMacroEvent(AssignExchange& library, int macro, KeyDownState& state,
                                           const HookKeyEvent& event) {
    if (!ValidMacro(library, macro))
        return std::nullopt;
    const MacroEvent recorded{RecorderKeyNameParam(event.scanCode, event.flags),
                              RecorderVkCode(event.vkCode, event.flags), event.isDown ? 1 : 0};
    if (event.isDown) {
        if (!KeyDownState::Tracks(recorded.vkCode) || state.IsDown(recorded.vkCode))
            return std::nullopt;
        state.Set(recorded.vkCode, true);
    } else {
        state.Set(recorded.vkCode, false);
    }
    MacroEventList& list = library.macroEventLists[macro];
    // A hand-edited file may have left an incomplete last group: drop it so
    // the new event starts on a group boundary.
    list.resize(EventCount(list) * kMacroEventInts);
    list.insert(list.end(), {recorded.keyNameParam, recorded.vkCode, recorded.isDown});
    return recorded;
}

std::vector<MacroEvent> MacroEvents(const AssignExchange& library, int macro) {
    std::vector<MacroEvent> events;
    if (!ValidMacro(library, macro))
        return events;
    const MacroEventList& list = library.macroEventLists[macro];
    const size_t n = EventCount(list);
    events.reserve(n);
    for (size_t i = 0; i < n; ++i) {
        const size_t j = i * kMacroEventInts;
        events.push_back(MacroEvent{list[j], list[j + 1], list[j + 2]});
    }
    return events;
}

int DeleteMacroEvent(AssignExchange& library, int macro, int row) {
    if (!ValidMacro(library, macro) || row < 0)
        return kNoSelection;
    MacroEventList& list = library.macroEventLists[macro];
    const size_t n = EventCount(list);
    if (static_cast<size_t>(row) >= n)
        return kNoSelection;
    const auto first = list.begin() + static_cast<std::ptrdiff_t>(row) * kMacroEventInts;
    list.erase(first, first + kMacroEventInts);
    return static_cast<size_t>(row) + 1 < n ? row : kNoSelection;
}

void ClearMacroEvents(AssignExchange& library, int macro) {
    if (ValidMacro(library, macro))
        library.macroEventLists[macro].clear();
}

int AddMacro(AssignExchange& library, int& nameCounter) {
    // Names and lists always grow together; a library handed in with lists
    // of different lengths is first made whole so the new index is shared.
    library.macroNames.resize(library.macroEventLists.size());
    library.macroNames.push_back(L"define" + std::to_wstring(nameCounter));
    library.macroEventLists.emplace_back();
    ++nameCounter;
    library.editMacro = static_cast<int>(library.macroEventLists.size()) - 1;
    return library.editMacro;
}

bool RenameMacro(AssignExchange& library, int macro, const std::wstring& name) {
    if (macro < 0 || static_cast<size_t>(macro) >= library.macroNames.size())
        return false;
    library.macroNames[macro] = name;
    return true;
}

std::vector<int> KeysBoundToMacro(const MacroAssignments& assignments, int macro) {
    std::vector<int> keys;
    for (const auto& [key, index] : assignments) {
        if (index == macro)
            keys.push_back(key);
    }
    return keys;
}

int DeleteMacro(AssignExchange& library, int macro) {
    if (!ValidMacro(library, macro))
        return kNoSelection;
    for (auto it = library.macroAssignments.begin(); it != library.macroAssignments.end();) {
        if (it->second == macro) {
            it = library.macroAssignments.erase(it);
        } else {
            if (it->second > macro)
                --it->second; // follows its macro down one place
            ++it;
        }
    }
    if (static_cast<size_t>(macro) < library.macroNames.size())
        library.macroNames.erase(library.macroNames.begin() + macro);
    library.macroEventLists.erase(library.macroEventLists.begin() + macro);

    int selection = kNoSelection;
    if (macro > 0)
        selection = macro - 1;
    else if (!library.macroEventLists.empty())
        selection = 0;
    library.editMacro = selection;
    return selection;
}

int MoveSelection(SelectionMove move, int selected, int rowCount) {
    if (rowCount <= 0)
        return kNoSelection;
    const bool hasSelection = selected >= 0 && selected < rowCount;
    switch (move) {
    case SelectionMove::Top:
        return 0;
    case SelectionMove::Bottom:
        return rowCount - 1;
    case SelectionMove::Up:
        return hasSelection && selected > 0 ? selected - 1 : kNoSelection;
    case SelectionMove::Down:
        return hasSelection && selected + 1 < rowCount ? selected + 1 : kNoSelection;
    }
    return kNoSelection;
}

} // namespace orvane
