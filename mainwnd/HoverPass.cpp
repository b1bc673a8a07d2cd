#include "mainwnd/HoverPass.h"

#include <cwctype>

namespace orvane {

std::wstring UpperCase(std::wstring text) {
    for (wchar_t& c : text)
        c = static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
    return text;
}

int HitCell(const HitRects& hits, int x, int y) {
    for (int i = 0; i < kCellCount; ++i)
        if (hits[i].Contains(x, y))
            return i + 1;
    return -1;
}

std::wstring KeyTipText(const std::wstring& upperName, const std::wstring& setName,
                        UpperCaseFn upper) {
    if (upper(setName) == upperName)
        return upperName;
    return upperName + L" Key, Set As: " + setName;
}

HoverDecision DecideHover(int x, int y, const HitRects& hits, int hoverCell, KeyButtons& cells,
                          const KeyAssignments& working, UpperCaseFn upper) {
    HoverDecision d;
    const int cell = HitCell(hits, x, y);
    if (cell == -1) {
        d.outcome = HoverOutcome::None;
        d.normalCell = hoverCell;
        d.hoverCell = -1;
        d.setTip = true;
        d.redrawChanged = true;
        return d;
    }
    if (cell >= kFirstInertCell && cell < kFirstCommandCell) {
        d.outcome = HoverOutcome::Inert;
        d.hoverCell = hoverCell;
        return d;
    }
    if (hoverCell != cell) {
        d.outcome = HoverOutcome::Moved;
        d.normalCell = hoverCell;
        d.redrawChanged = true;
    } else {
        d.outcome = HoverOutcome::Same;
    }
    d.overCell = cell;
    d.hoverCell = cell;
    if (cell <= kLastClickableKeyCell) {
        std::wstring& name = cells[cell - 1].name;
        name = upper(name);
        d.setTip = true;
        d.tipText = KeyTipText(name, working[cell - 1].setName, upper);
    }
    return d;
}

} // namespace orvane
