// Geometry of the assignment dialog's skin that the skin tool and the tests
// share: what each Composite.ini entry is, where the dialog template's own
// controls land in pixels, and the canvas those decide. Header-only and free
// of any drawing library.
#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

namespace skingen::dialog {

// Composite.ini entry numbers.
enum Entry {
    kOk = 1,
    kCancel,
    kClear,
    kOsk,
    kReserved,
    kSingleKeyTab,
    kMacroTab,
    kMultimediaTab,
    kFunctionKeyTab,
    kAddMacro,
    kDeleteMacro,
    kRecord,
    kDeleteEvent,
    kClearEvents,
    kTop,
    kUp,
    kDown,
    kBottom,
    kKeyNameBox,
    kMultimediaCombo,
    kFunctionCombo,
    kMacroCombo,
    kEventList,
};

// Buttons whose faces come from the key images, and from the macro images.
inline bool IsKeyButton(int n) {
    return n >= kOk && n <= kFunctionKeyTab && n != kReserved;
}
inline bool IsMacroButton(int n) {
    return n >= kAddMacro && n <= kBottom;
}
inline bool IsButton(int n) {
    return IsKeyButton(n) || IsMacroButton(n);
}

// The closed height the art leaves for a combo box (its entry's height also
// counts the open list).
constexpr int kComboBoxHeight = 40;

struct IntRect {
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

// Controls that keep their template place in every mode, in dialog units, in
// the two groups that share a plate: the "record key delay" check box 1027;
// the "loop count" caption 22222 and its edit box 1125.
constexpr IntRect kCheckBoxGroup[] = {{225, 281, 84, 14}};
constexpr IntRect kLoopCountGroup[] = {{81, 306, 47, 14}, {132, 305, 40, 14}};

// Dialog base units of the template font, 8-point "MS Shell Dlg", at 96 DPI:
// under Wine without its own fonts it falls back to DejaVu Sans (7 x 13, as
// measured with MapDialogRect); Windows' face gives 6 x 13.
struct BaseUnits {
    int x, y;
};
constexpr BaseUnits kTemplateFonts[] = {{7, 13}, {6, 13}};

// MapDialogRect: MulDiv(x, base x, 4), MulDiv(y, base y, 8), rounded.
inline int MulDivRound(int a, int b, int c) {
    return (a * b * 2 + c) / (2 * c);
}
inline IntRect ToPixels(const IntRect& du, BaseUnits base) {
    int left = MulDivRound(du.x, base.x, 4), top = MulDivRound(du.y, base.y, 8);
    int right = MulDivRound(du.right(), base.x, 4), bottom = MulDivRound(du.bottom(), base.y, 8);
    return {left, top, right - left, bottom - top};
}

// Where any of the template fonts puts a group of controls, plus a margin:
// the light plate the group sits on. Composite.ini's entries stay off it.
template <size_t N> IntRect PlateFor(const IntRect (&group)[N]) {
    int left = 1 << 20, top = 1 << 20, right = 0, bottom = 0;
    for (const IntRect& du : group) {
        for (BaseUnits base : kTemplateFonts) {
            IntRect p = ToPixels(du, base);
            left = std::min(left, p.x);
            top = std::min(top, p.y);
            right = std::max(right, p.right());
            bottom = std::max(bottom, p.bottom());
        }
    }
    constexpr int kMarginX = 6, kMarginY = 7;
    return {left - kMarginX, top - kMarginY, right - left + 2 * kMarginX,
            bottom - top + 2 * kMarginY};
}

inline std::vector<IntRect> TemplatePlates() {
    return {PlateFor(kCheckBoxGroup), PlateFor(kLoopCountGroup)};
}

// The dialog (and every image) reaches this far past the right-most and
// bottom-most of the entries and the plates.
constexpr int kMarginRight = 20;
constexpr int kMarginBottom = 24;

struct Size {
    int width = 0, height = 0;
};

// Any range of entries with x, y, width and height members; entries without
// an area do not count.
template <class Entries> Size CanvasFor(const Entries& entries) {
    int right = 0, bottom = 0;
    for (const IntRect& plate : TemplatePlates()) {
        right = std::max(right, plate.right());
        bottom = std::max(bottom, plate.bottom());
    }
    for (const auto& e : entries) {
        if (e.width > 0 && e.height > 0) {
            right = std::max(right, e.x + e.width);
            bottom = std::max(bottom, e.y + e.height);
        }
    }
    return {right + kMarginRight, bottom + kMarginBottom};
}

} // namespace skingen::dialog
