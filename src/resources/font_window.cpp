#include "resources/font_window.h"

#include <algorithm>

#include "base/integer_reader.h"
#include "resources/record_windows.h"

namespace pondaro {

PreviewFont previewFont(std::string_view family, std::string_view sizeText, bool bold, bool italic) {
    const int size = readInteger(sizeText);
    return {std::string(family), size < 1 ? kDefaultPreviewSize : std::min(size, kLargestPreviewSize), bold, italic};
}

bool applyFontWindow(Project& p, Dialogs& dialogs, const std::string& record, const Font& fields,
                     std::string_view sizeText) {
    return showApplyResult(applyFont(p, indexForApply(p.fonts, record), fields, sizeText), dialogs);
}

} // namespace pondaro
