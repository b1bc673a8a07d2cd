#include "storage/LayoutReader.h"

#include <climits>

#include "storage/IniValues.h"

namespace orvane {

KeyButton ParseCellValue(int cellNumber, std::wstring_view value) {
    KeyButton b;
    b.x = ParseIntLikeWtoi(ExtractField(value, 0));
    b.y = ParseIntLikeWtoi(ExtractField(value, 1));
    b.width = ParseIntLikeWtoi(ExtractField(value, 2));
    b.height = ParseIntLikeWtoi(ExtractField(value, 3));
    if (cellNumber <= kLastKeyCell) {
        b.keyCode = ParseIntLikeWtoi(ExtractField(value, 4));
        b.name = ExtractField(value, 5);
    } else {
        b.name = ExtractField(value, 4);
    }
    return b;
}

namespace {

int SaturatingSum(int a, int b) {
    long long s = static_cast<long long>(a) + b;
    return s > INT_MAX ? INT_MAX : s < INT_MIN ? INT_MIN : static_cast<int>(s);
}

} // namespace

CellRect HitRectOf(const KeyButton& button) {
    return CellRect{button.x, button.y, SaturatingSum(button.x, button.width),
                    SaturatingSum(button.y, button.height)};
}

void ReadLayout(IniStore& mainIni, KeyButtons& buttons, HitRects& hitRects,
                MediaKeyNames& mediaKeyNames) {
    for (int n = 1; n <= kCellCount; ++n) {
        KeyButton b = ParseCellValue(n, mainIni.ReadText(kLayoutSection, FormatInt(n)));
        if (n >= kFirstMediaCell && n <= kLastKeyCell) {
            mediaKeyNames.try_emplace(b.name, b.keyCode); // the lower cell keeps a repeated name
        }
        hitRects[n - 1] = HitRectOf(b);
        buttons[n - 1] = std::move(b);
    }
}

} // namespace orvane
