#include "assign/AssignDecisions.h"

#include <cwctype>

#include "storage/ProfileStore.h"

namespace orvane {

namespace {

bool StartsWithNoCase(std::wstring_view item, std::wstring_view prefix) {
    if (prefix.size() > item.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (std::towlower(static_cast<wint_t>(item[i])) !=
            std::towlower(static_cast<wint_t>(prefix[i])))
            return false;
    }
    return true;
}

// OK's sequence for the key, when it has one to replace.
void SetSequence(AssignExchange& ex, KeySequence seq) {
    if (ex.editSequence)
        ex.newSequence = std::move(seq);
}

} // namespace

int FindString(const std::vector<std::wstring>& items, int startAfter, std::wstring_view text) {
    const int n = static_cast<int>(items.size());
    if (n == 0)
        return -1;
    const int first = startAfter < 0 || startAfter >= n ? 0 : startAfter + 1;
    for (int k = 0; k < n; ++k) {
        int i = (first + k) % n;
        if (StartsWithNoCase(items[i], text))
            return i;
    }
    return -1;
}

std::optional<KeySequence> PresentSequence(const ProfileKeyMap& working, int key) {
    auto it = working.find(key);
    return it != working.end() ? std::optional(it->second) : std::nullopt;
}

int InitialCaptureTarget(int editKey, int editMode, const std::optional<KeySequence>& present) {
    if (editMode == static_cast<int>(AssignmentKind::SingleKey) && present && present->size() == 1)
        return present->front();
    return editKey;
}

void ApplyNewSequence(ProfileKeyMap& working, const AssignExchange& ex) {
    auto it = working.find(ex.editKey);
    if (ex.newSequence && it != working.end())
        it->second = *ex.newSequence;
}

void CommitMacro(int selected, AssignExchange& ex) {
    if (selected < 0 || static_cast<std::size_t>(selected) >= ex.macroEventLists.size()) {
        SetSequence(ex, {ex.editKey});
        // The reset key keeps no binding, or SyncMacroKeys would bring the
        // macro back.
        ex.macroAssignments.erase(ex.editKey);
        ex.editMode = static_cast<int>(AssignmentKind::SingleKey);
        ex.editMacro = 0;
        ex.editName.clear();
        return;
    }
    ex.macroAssignments[ex.editKey] = selected;
    SetSequence(ex, MacroKeySequence(ex.macroEventLists[selected]));
}

void CommitAssignment(const OkInput& in, const MediaKeyNames& mediaKeyNames, AssignExchange& ex) {
    ex.newSequence.reset();
    switch (in.latched) {
    case LatchedTab::SingleKey:
        ex.editName = in.keyNameText;
        break;
    case LatchedTab::Macro:
        ex.editName = in.macroText;
        break;
    case LatchedTab::Multimedia:
        ex.editName = in.mediaText;
        break;
    case LatchedTab::Function:
        ex.editName = in.functionText;
        break;
    case LatchedTab::None:
        break;
    }
    const bool hasKey = ex.editSequence.has_value();
    switch (ex.editMode) {
    case static_cast<int>(AssignmentKind::SingleKey):
        if (hasKey) {
            SetSequence(ex, {in.capturedKey});
            ex.macroAssignments.erase(ex.editKey);
        }
        break;
    case static_cast<int>(AssignmentKind::Macro):
        CommitMacro(SelectionAfterFill(ex.macroNames.size(), ex.editMacro), ex);
        break;
    case static_cast<int>(AssignmentKind::Multimedia): {
        ex.editName = in.mediaText;
        auto code = mediaKeyNames.find(in.mediaText);
        if (code != mediaKeyNames.end() && hasKey) {
            SetSequence(ex, {code->second});
            ex.macroAssignments.erase(ex.editKey);
        }
        break;
    }
    case static_cast<int>(AssignmentKind::FunctionShortcut):
        if (hasKey && in.functionSelection >= 0 &&
            static_cast<std::size_t>(in.functionSelection) < FunctionShortcutTable.size()) {
            SetSequence(ex, FunctionShortcutTable[in.functionSelection].Sequence());
            ex.macroAssignments.erase(ex.editKey);
        }
        break;
    default: // kMacroLibraryOnly: no key is being edited
        break;
    }
}

} // namespace orvane
