#pragma once
// The look of a code editor as plain data: the whole-editor colours, the font, and the
// style number and colour that each colouring kind takes. The studio and the extension
// maker number their styles differently, so each program has its own scheme.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "code/colouring.h"
#include "preferences/preferences.h"

namespace pondaro {

inline constexpr size_t kColourKinds = size_t(Colour::EngineConst) + 1;

struct StyleSpec {
    int number = 0;
    int colour = 0;  // red + green * 256 + blue * 65536
    bool italic = false;
    bool bold = false;
};

struct EditorScheme {
    int text = 0;
    int selectionBack = 0;
    int selectionFore = 0;
    int caretLine = 0;
    std::string fontFamily;
    int fontSize = 11;
    // Every style the program sets, the one for plain text included.
    std::vector<StyleSpec> styles;
    // The style number of each colouring kind, indexed by Colour.
    std::array<int, kColourKinds> styleOf{};

    int styleFor(Colour c) const { return styleOf[size_t(c)]; }
    const StyleSpec* style(int number) const;
};

// The studio's editor: colours and font from the preferences. Styles 0 to 9 as the
// studio numbers them; plain text takes style 10 in the text colour.
EditorScheme studioScheme(const Preferences& prefs);

// The extension maker's fixed scheme: styles 2 to 11; plain text takes style 0.
EditorScheme makerScheme();

// A font size the editor can use: sizes below 1 (a size text of "abc" is stored as 0)
// or above 72 points would make the text unreadable, so they fall back to 11 and 72.
int usableFontSize(int size);

// The text whose pixel width the line-number margin takes: one "9" for every decimal
// digit of the line count (at least one).
std::string lineNumberSample(size_t lineCount);

} // namespace pondaro
