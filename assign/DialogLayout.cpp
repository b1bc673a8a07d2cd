#include "assign/DialogLayout.h"

#include "storage/IniValues.h"
#include "storage/LayoutReader.h"

namespace orvane {

DialogLayoutEntry ParseDialogLayoutEntry(std::wstring_view value) {
    DialogLayoutEntry e;
    e.x = ParseIntLikeWtoi(ExtractField(value, 0));
    e.y = ParseIntLikeWtoi(ExtractField(value, 1));
    e.width = ParseIntLikeWtoi(ExtractField(value, 2));
    e.height = ParseIntLikeWtoi(ExtractField(value, 3));
    e.label = ExtractField(value, 4);
    // Same box rule as the main window's cells, saturation included.
    KeyButton box;
    box.x = e.x;
    box.y = e.y;
    box.width = e.width;
    box.height = e.height;
    e.rectangle = HitRectOf(box);
    return e;
}

DialogLayout ReadDialogLayout(IniStore& compositeIni) {
    DialogLayout layout;
    for (int n = 1; n <= kDialogLayoutEntryCount; ++n)
        layout[n - 1] = ParseDialogLayoutEntry(compositeIni.ReadText(kLayoutSection, FormatInt(n)));
    return layout;
}

} // namespace orvane
