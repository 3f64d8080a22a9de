#pragma once
// The code editor's colouring engine: one line at a time, given whether a /* comment
// is still open from the line before. The editor maps each kind to its style number.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "code/keywords.h"
#include "project/model.h"

namespace pondaro {

enum class Colour : uint8_t {
    Plain,      // text that matches no rule
    Keyword,    // JavaScript keywords and the braces
    Comment,
    String,
    Number,
    Function,   // the parentheses and a word before "("
    Resource,   // a project resource name
    EngineFn,
    EngineVar,
    EngineConst,
};

// The word lists and separators one editor colours with. Words are stored in lower
// case: matching ignores letter case.
struct ColourWords {
    std::unordered_set<std::string> keywords;
    std::unordered_set<std::string> resources;
    std::unordered_set<std::string> engineFunctions;
    std::unordered_set<std::string> engineVariables;
    std::unordered_set<std::string> engineConstants;
    std::string separators = "=+-*/%()[],.|&;";
};

// The JavaScript keywords the editor knows.
const char* javascriptKeywords();

// The studio's lists: keywords, the engine words by kind, and the project's resource
// names (sprites, sounds, musics, backgrounds, fonts, scenes, functions, templates).
ColourWords studioColourWords(const std::vector<KeywordEntry>& engine, const Project* project);
// The extension maker's lists: keywords only, fewer separators.
ColourWords makerColourWords();

struct LineColours {
    std::vector<Colour> colours;  // one per byte of the line
    bool commentOpen = false;     // a /* comment runs on past the line's end
    int opens = 0;                // "{" in code
    int closes = 0;               // "}" in code
};

LineColours colourLine(std::string_view line, bool commentOpenBefore, const ColourWords& words);

// A whole text kept coloured line by line. After an edit only the lines from the
// changed one are coloured again, and only while the state carried into the next line
// differs from before.
class ColouredText {
public:
    explicit ColouredText(const ColourWords* words) : words_(words) {}
    // Replaces the text and colours all of it.
    void setText(std::string_view text);
    // Replaces line `index` (without its line end) and recolours from there; returns
    // the number of lines coloured.
    size_t editLine(size_t index, std::string_view newLine);
    size_t lineCount() const { return lines_.size(); }
    const LineColours& line(size_t i) const { return coloured_[i]; }
    // Fold depth at the start of each line (0 at the top).
    int foldLevel(size_t i) const { return levels_[i]; }

private:
    size_t recolourFrom(size_t index);
    const ColourWords* words_;
    std::vector<std::string> lines_;
    std::vector<LineColours> coloured_;
    std::vector<int> levels_;
};

// The engine word at the caret: walk left over letters and "_" from `column`, then
// collect them; the first entry with that word and a non-empty syntax, or -1.
int currentHelpEntry(std::string_view line, size_t column, const std::vector<KeywordEntry>& entries);

} // namespace pondaro
