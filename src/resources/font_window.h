#pragma once
// The font window's rules: the preview of the text in the font as typed so far, and
// " Done ", which checks the name and the size and applies them.
#include <string>
#include <string_view>

#include "base/ports.h"
#include "project/model.h"

namespace pondaro {

inline constexpr const char* kFontPreviewText = "the brown fox jumps over the lazy dog";

// The font the preview is drawn in, from the window's fields as typed.
struct PreviewFont {
    std::string family;  // the desktop falls back to a font it has when there is none of this name
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
    friend bool operator==(const PreviewFont&, const PreviewFont&) = default;
};
// The size text is read as every numeric field is; a size below 1 (nothing, 0, text)
// previews at the desktop's usual size, as a font made with size 0 does, and one beyond
// kLargestPreviewSize at that size: the preview shows a line of 290 x 80 pixels, and a
// font of thousands of points would take the desktop long to draw for nothing.
inline constexpr int kDefaultPreviewSize = 10;
inline constexpr int kLargestPreviewSize = 400;
PreviewFont previewFont(std::string_view family, std::string_view sizeText, bool bold, bool italic);

// " Done " (and the pre-save commit) of the window of the font named `record`: `fields`
// holds the name, family, keywords, bold and italic; the size comes from `sizeText`.
// Each refusal of the checks ("The font name is missing", "... already exists", "The
// font size '" + text + "' is invalid") is shown as an error and nothing changes; else
// the record takes the fields and the project is marked modified.
bool applyFontWindow(Project& p, Dialogs& dialogs, const std::string& record, const Font& fields,
                     std::string_view sizeText);

} // namespace pondaro
