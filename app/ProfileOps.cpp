#include "app/ProfileOps.h"

#include <algorithm>

#include "assign/AssignDecisions.h"
#include "storage/ProfileImport.h"

namespace orvane {

namespace {

std::array<std::wstring, kCellCount> CellNames(const KeyButtons& cells) {
    std::array<std::wstring, kCellCount> names;
    for (int i = 0; i < kCellCount; ++i)
        names[i] = cells[i].name;
    return names;
}

bool MacroExists(const AssignExchange& dialog, int m) {
    return m >= 0 && static_cast<size_t>(m) < dialog.macroEventLists.size();
}

// The 0-based cell that shows key `key`'s macro binding, or -1. ChangedCells
// is searched first (in list order); a bound key whose text equals its cell's
// name is not in it, so the key cells of kind Macro come next.
int CellOfMacroKey(const MainModel& model, int key) {
    const ProfileData& w = model.profiles.working;
    for (int e : w.changedCells) {
        if (e >= 0 && e < kCellCount && model.cells[e].keyCode == key)
            return e;
    }
    for (int e = 0; e < kKeyCellCount; ++e) {
        if (model.cells[e].keyCode == key &&
            w.keyAssignments[e].kind == static_cast<int>(AssignmentKind::Macro))
            return e;
    }
    return -1;
}

void RemoveChangedCell(ChangedCells& changed, int e) {
    auto it = std::find(changed.begin(), changed.end(), e);
    if (it != changed.end())
        changed.erase(it);
}

// Key `key` shown by cell e becomes itself again.
void ResetMacroKey(MainModel& model, int e, int key) {
    ProfileData& w = model.profiles.working;
    w.keyAssignments[e] = KeyAssignment{model.cells[e].name, 0, 0};
    RemoveChangedCell(w.changedCells, e);
    model.maps.working[key] = KeySequence{key};
}

void CopyLibraryFrom(ProfileData& data, const AssignExchange& dialog) {
    data.macroEventLists = dialog.macroEventLists;
    data.macroNames = dialog.macroNames;
    data.macroNames.resize(data.macroEventLists.size());
    // A binding that names no macro would play another macro once one is
    // added at its place: such bindings are not taken back.
    data.macroAssignments.clear();
    for (const auto& [key, m] : dialog.macroAssignments) {
        if (MacroExists(dialog, m))
            data.macroAssignments.emplace(key, m);
    }
}

void CopyLibraryTo(AssignExchange& dialog, const ProfileData& data) {
    dialog.macroEventLists = data.macroEventLists;
    dialog.macroNames = data.macroNames;
    dialog.macroAssignments = data.macroAssignments;
}

} // namespace

void CommitWorkingProfile(MainModel& model) {
    CopyWorkingToProfile(model.maps, model.profiles, model.maps.activeProfile);
    model.settingsModified = 0;
}

bool ImportIntoProfileInForce(MainModel& model, MemoryIniStore& file,
                              const MediaKeyNames& mediaKeyNames) {
    if (!ImportProfile(file, model.maps.activeProfile, model.cells, mediaKeyNames, model.maps,
                       model.profiles))
        return false;
    model.settingsModified = 0;
    return true;
}

void SwitchProfile(MainModel& model, int n, const std::function<bool()>& confirmSave) {
    if (n < 1 || n > kProfileCount)
        return;
    if (n != model.maps.activeProfile && model.settingsModified != 0) {
        if (confirmSave && confirmSave())
            CopyWorkingToProfile(model.maps, model.profiles, model.maps.activeProfile);
        model.settingsModified = 0;
    }
    model.maps.activeProfile = n;
    CopyProfileToWorking(model.maps, model.profiles, n);
}

void RestoreDefaults(MainModel& model) {
    ResetWorkingProfile(model.maps, model.profiles, CellNames(model.cells));
    model.settingsModified = 1;
    CommitWorkingProfile(model);
}

void SyncMacroKeys(MainModel& model, const AssignExchange& dialog, SyncVariant variant) {
    ProfileData& w = model.profiles.working;
    // The working copy's bindings are the old ones: the caller takes the
    // dialog's back only after this.
    for (const auto& binding : w.macroAssignments) {
        const int key = binding.first;
        const auto found = dialog.macroAssignments.find(key);
        const int e = CellOfMacroKey(model, key);
        if (found != dialog.macroAssignments.end() && MacroExists(dialog, found->second)) {
            const int m = found->second;
            model.maps.working[key] = MacroKeySequence(dialog.macroEventLists[m]);
            if (e >= 0) {
                w.keyAssignments[e].macroIndex = m;
                w.keyAssignments[e].setName =
                    static_cast<size_t>(m) < dialog.macroNames.size() ? dialog.macroNames[m] : L"";
            }
            continue;
        }
        if (variant == SyncVariant::A) {
            if (e >= 0)
                ResetMacroKey(model, e, key);
            else
                model.maps.working[key] = KeySequence{key};
        } else if (e >= 0 && w.keyAssignments[e].kind == static_cast<int>(AssignmentKind::Macro)) {
            ResetMacroKey(model, e, key);
        }
    }
}

bool BeginKeyEdit(const MainModel& model, int cell, AssignExchange& dialog) {
    if (cell < 1 || cell > kLastClickableKeyCell)
        return false;
    const KeyAssignment& a = model.profiles.working.keyAssignments[cell - 1];
    dialog.editName = a.setName;
    dialog.editMode = a.kind;
    dialog.editMacro = a.macroIndex;
    dialog.editKey = model.cells[cell - 1].keyCode;
    dialog.editSequence = PresentSequence(model.maps.working, dialog.editKey);
    dialog.newSequence.reset();
    CopyLibraryTo(dialog, model.profiles.working);
    return true;
}

void FinishKeyEdit(MainModel& model, int cell, const AssignExchange& dialog) {
    if (cell < 1 || cell > kLastClickableKeyCell)
        return;
    const int e = cell - 1;
    ApplyNewSequence(model.maps.working, dialog);
    ProfileData& w = model.profiles.working;
    const std::wstring& cellName = model.cells[e].name;
    std::wstring text;
    if (dialog.editName.empty() || dialog.editName == cellName) {
        RemoveChangedCell(w.changedCells, e);
        text = cellName;
    } else {
        if (std::find(w.changedCells.begin(), w.changedCells.end(), e) == w.changedCells.end())
            w.changedCells.push_back(e);
        text = dialog.editName;
    }
    w.keyAssignments[e] = KeyAssignment{text, dialog.editMode, dialog.editMacro};
    model.settingsModified = 1;
    SyncMacroKeys(model, dialog, SyncVariant::B);
    CopyLibraryFrom(w, dialog);
    CommitWorkingProfile(model);
}

void BeginMacroLibrary(const MainModel& model, AssignExchange& dialog) {
    dialog.editMode = kMacroLibraryOnly;
    dialog.editMacro = 0;
    dialog.editSequence.reset();
    dialog.newSequence.reset();
    CopyLibraryTo(dialog, model.profiles.working);
}

void FinishMacroLibrary(MainModel& model, const AssignExchange& dialog) {
    model.settingsModified = 1;
    SyncMacroKeys(model, dialog, SyncVariant::A);
    CopyLibraryFrom(model.profiles.working, dialog);
}

} // namespace orvane
