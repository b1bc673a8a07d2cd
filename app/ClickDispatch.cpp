#include "app/ClickDispatch.h"

#include <array>
#include <utility>

#include "layout/Layout.h"

namespace orvane {

namespace {

using NamedAction = std::pair<std::wstring_view, ControlAction>;

// Tried in this order; the first equal name wins.
constexpr std::array<NamedAction, 11> kControlNames{{
    {L"Close", ControlAction::Close},
    {L"Macro..", ControlAction::MacroLibrary},
    {L"Minimize", ControlAction::Minimize},
    {L"Menu", ControlAction::Menu},
    {L"Apply", ControlAction::Apply},
    {L"OK", ControlAction::Ok},
    {L"Cancel", ControlAction::Cancel},
    {L"Default", ControlAction::Default},
    {L"Profile1", ControlAction::Profile1},
    {L"Profile2", ControlAction::Profile2},
    {L"Profile3", ControlAction::Profile3},
}};

} // namespace

ControlAction ControlActionOf(std::wstring_view name) {
    for (const auto& [controlName, action] : kControlNames) {
        if (name == controlName)
            return action;
    }
    return ControlAction::None;
}

int ProfileOfAction(ControlAction action) {
    switch (action) {
    case ControlAction::Profile1:
        return 1;
    case ControlAction::Profile2:
        return 2;
    case ControlAction::Profile3:
        return 3;
    default:
        return 0;
    }
}

bool IsClickableKeyCell(int cell) {
    return cell >= 1 && cell <= kLastClickableKeyCell;
}

} // namespace orvane
