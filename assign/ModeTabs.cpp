#include "assign/ModeTabs.h"

namespace orvane {

LatchedTab TabOfMode(int editMode) {
    switch (editMode) {
    case 0:
        return LatchedTab::SingleKey;
    case 1:
    case kMacroLibraryOnly:
        return LatchedTab::Macro;
    case 2:
        return LatchedTab::Multimedia;
    case 3:
        return LatchedTab::Function;
    default:
        return LatchedTab::None;
    }
}

std::array<bool, 4> ModeTabs::Select(LatchedTab tab) {
    std::array<bool, 4> changed{};
    for (int i = 0; i < 4; ++i) {
        BitButtonState& b = *tabs_[i];
        const int want = static_cast<int>(tab) == i ? 1 : 0;
        changed[i] = (b.latched != 0) != (want != 0);
        b.latched = want;
    }
    return changed;
}

LatchedTab ModeTabs::Latched() const {
    LatchedTab found = LatchedTab::None;
    for (int i = 0; i < 4; ++i) {
        if (!tabs_[i]->latched)
            continue;
        if (found != LatchedTab::None)
            return LatchedTab::None;
        found = static_cast<LatchedTab>(i);
    }
    return found;
}

} // namespace orvane
