#include "code/editor_scheme.h"

namespace pondaro {

const StyleSpec* EditorScheme::style(int number) const {
    for (const StyleSpec& s : styles)
        if (s.number == number) return &s;
    return nullptr;
}

int usableFontSize(int size) {
    if (size < 1) return 11;
    return size > 72 ? 72 : size;
}

EditorScheme studioScheme(const Preferences& p) {
    EditorScheme s;
    s.text = p.sci_color_fore;
    s.selectionBack = p.sci_color_selection_back;
    s.selectionFore = p.sci_color_selection_fore;
    s.caretLine = p.sci_color_caret;
    s.fontFamily = p.sci_font_family;
    s.fontSize = usableFontSize(p.sci_font_size);
    s.styles = {
        {0, p.sci_color_command},
        {1, p.sci_color_comment, true, false},
        {2, p.sci_color_string},
        {3, p.sci_color_number},
        {4, p.sci_color_function},
        {5, p.sci_color_resource},
        {6, p.sci_color_pd_function},
        {7, p.sci_color_pd_variable},
        {8, p.sci_color_pd_constant},
        {9, colourValue(0, 0, 255), false, true},  // reserved
        {10, p.sci_color_fore},
    };
    s.styleOf[size_t(Colour::Plain)] = 10;
    s.styleOf[size_t(Colour::Keyword)] = 0;
    s.styleOf[size_t(Colour::Comment)] = 1;
    s.styleOf[size_t(Colour::String)] = 2;
    s.styleOf[size_t(Colour::Number)] = 3;
    s.styleOf[size_t(Colour::Function)] = 4;
    s.styleOf[size_t(Colour::Resource)] = 5;
    s.styleOf[size_t(Colour::EngineFn)] = 6;
    s.styleOf[size_t(Colour::EngineVar)] = 7;
    s.styleOf[size_t(Colour::EngineConst)] = 8;
    return s;
}

EditorScheme makerScheme() {
    EditorScheme s;
    s.text = colourValue(0, 0, 0);
    s.selectionBack = colourValue(0, 0, 64);
    s.selectionFore = colourValue(255, 255, 255);
    s.caretLine = colourValue(255, 240, 240);
    s.fontFamily = "Consolas";
    s.fontSize = 11;
    s.styles = {
        {0, colourValue(0, 0, 0)},
        {2, colourValue(54, 45, 227)},
        {3, colourValue(160, 160, 160), true, false},
        {4, colourValue(198, 0, 198)},
        {5, colourValue(208, 64, 64)},
        {6, colourValue(35, 163, 35)},
        {7, colourValue(49, 170, 187)},
        {8, colourValue(32, 106, 34)},
        {9, colourValue(81, 80, 19)},
        {10, colourValue(60, 60, 60)},
        {11, colourValue(255, 0, 0), false, true},
    };
    s.styleOf[size_t(Colour::Plain)] = 0;
    s.styleOf[size_t(Colour::Keyword)] = 2;
    s.styleOf[size_t(Colour::Comment)] = 3;
    s.styleOf[size_t(Colour::String)] = 4;
    s.styleOf[size_t(Colour::Number)] = 5;
    s.styleOf[size_t(Colour::Function)] = 6;
    // No word list of the maker produces these; they keep the colours the scheme sets.
    s.styleOf[size_t(Colour::Resource)] = 7;
    s.styleOf[size_t(Colour::EngineFn)] = 8;
    s.styleOf[size_t(Colour::EngineVar)] = 9;
    s.styleOf[size_t(Colour::EngineConst)] = 10;
    return s;
}

std::string lineNumberSample(size_t lineCount) {
    size_t digits = 1;
    for (size_t n = lineCount; n >= 10; n /= 10) ++digits;
    return std::string(digits, '9');
}

} // namespace pondaro
