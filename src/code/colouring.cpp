#include "code/colouring.h"

#include <sstream>

#include "base/text.h"

namespace pondaro {

const char* javascriptKeywords() {
    return "break case catch continue debugger default delete do else finally for function if in instanceof new "
           "return switch this throw try typeof var void while with true false null undefined";
}

namespace {

std::unordered_set<std::string> splitWords(const char* text) {
    std::unordered_set<std::string> words;
    std::istringstream in(text);
    for (std::string w; in >> w;) words.insert(asciiLower(w));
    return words;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

ColourWords studioColourWords(const std::vector<KeywordEntry>& engine, const Project* project) {
    ColourWords w;
    w.keywords = splitWords(javascriptKeywords());
    for (const auto& e : engine) {
        std::string word = asciiLower(e.word);
        if (e.kind == "Fn") w.engineFunctions.insert(word);
        else if (e.kind == "Var") w.engineVariables.insert(word);
        else if (e.kind == "Cons") w.engineConstants.insert(word);
    }
    if (project) project->forEachResourceName([&](const std::string& name) { w.resources.insert(asciiLower(name)); });
    return w;
}

ColourWords makerColourWords() {
    ColourWords w;
    w.keywords = splitWords(javascriptKeywords());
    w.separators = "=+-*/%()[],.";
    return w;
}

LineColours colourLine(std::string_view line, bool commentOpen, const ColourWords& words) {
    LineColours out;
    const size_t n = line.size();
    out.colours.assign(n, Colour::Plain);
    auto paint = [&](size_t from, size_t to, Colour c) {
        for (size_t k = from; k < to && k < n; ++k) out.colours[k] = c;
    };
    auto isSeparator = [&](char c) { return words.separators.find(c) != std::string::npos; };
    // A word runs up to white space, a separator, a quote or a brace.
    auto endsWord = [&](char c) { return isBlank(c) || isSeparator(c) || c == '"' || c == '\'' || c == '{' || c == '}'; };

    size_t i = 0;
    while (i < n) {
        if (commentOpen) {
            size_t close = line.find("*/", i);
            size_t end = close == std::string_view::npos ? n : close + 2;
            paint(i, end, Colour::Comment);
            i = end;
            commentOpen = close == std::string_view::npos;
            continue;
        }
        const char c = line[i];
        if (c == '/' && i + 1 < n && line[i + 1] == '/') {
            paint(i, n, Colour::Comment);
            break;
        }
        if (c == '/' && i + 1 < n && line[i + 1] == '*') {
            paint(i, i + 2, Colour::Comment);
            i += 2;
            commentOpen = true;
            continue;
        }
        if (c == '"' || c == '\'') {
            size_t close = line.find(c, i + 1);
            size_t end = close == std::string_view::npos ? n : close + 1;
            paint(i, end, Colour::String);
            i = end;
            continue;
        }
        if (c == '{' || c == '}') {
            out.colours[i] = Colour::Keyword;
            (c == '{' ? out.opens : out.closes)++;
            ++i;
            continue;
        }
        if (c == '(' || c == ')') {
            out.colours[i] = Colour::Function;
            ++i;
            continue;
        }
        const bool pointNumber = c == '.' && i + 1 < n && isDigit(line[i + 1]);
        if (isBlank(c) || (isSeparator(c) && !pointNumber)) {
            ++i;
            continue;
        }
        // A token: up to white space, a separator other than "." (numbers hold one),
        // a quote or a brace. Then decide what it is.
        size_t end = i;
        while (end < n && !(endsWord(line[end]) && line[end] != '.')) ++end;
        std::string_view token = line.substr(i, end - i);
        if (isDigit(c) || pointNumber) {
            size_t dots = 0;
            bool digitsOnly = true;
            for (char t : token) {
                if (t == '.') ++dots;
                else if (!isDigit(t)) digitsOnly = false;
            }
            bool number = digitsOnly && dots <= 1 && token.back() != '.';
            paint(i, end, number ? Colour::Number : Colour::Plain);
            i = end;
            continue;
        }
        // A word stops at a "." too: member access splits into words.
        size_t wordEnd = i;
        while (wordEnd < n && !endsWord(line[wordEnd])) ++wordEnd;
        std::string lower = asciiLower(line.substr(i, wordEnd - i));
        Colour colour = Colour::Plain;
        if (words.keywords.count(lower)) colour = Colour::Keyword;
        else if (words.resources.count(lower)) colour = Colour::Resource;
        else if (words.engineFunctions.count(lower)) colour = Colour::EngineFn;
        else if (words.engineVariables.count(lower)) colour = Colour::EngineVar;
        else if (words.engineConstants.count(lower)) colour = Colour::EngineConst;
        size_t next = wordEnd;
        if (colour == Colour::Plain) {
            while (next < n && isBlank(line[next])) ++next;
            if (next < n && line[next] == '(') {
                colour = Colour::Function;
                paint(wordEnd, next, Colour::Function);  // the blanks before "(" too
            }
        }
        paint(i, wordEnd, colour);
        i = wordEnd;
    }
    out.commentOpen = commentOpen;
    return out;
}

void ColouredText::setText(std::string_view text) {
    lines_.clear();
    size_t pos = 0;
    while (true) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(pos));
            break;
        }
        lines_.emplace_back(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
    coloured_.assign(lines_.size(), LineColours{});
    levels_.assign(lines_.size(), 0);
    for (size_t i = 0; i < lines_.size(); ++i) {
        coloured_[i] = colourLine(lines_[i], i > 0 && coloured_[i - 1].commentOpen, *words_);
        if (i > 0) levels_[i] = levels_[i - 1] + coloured_[i - 1].opens - coloured_[i - 1].closes;
    }
}

size_t ColouredText::editLine(size_t index, std::string_view newLine) {
    if (index >= lines_.size()) return 0;
    lines_[index] = std::string(newLine);
    return recolourFrom(index);
}

size_t ColouredText::recolourFrom(size_t index) {
    size_t done = 0;
    for (size_t i = index; i < lines_.size(); ++i) {
        LineColours fresh = colourLine(lines_[i], i > 0 && coloured_[i - 1].commentOpen, *words_);
        const bool sameCarry = fresh.commentOpen == coloured_[i].commentOpen &&
                               fresh.opens - fresh.closes == coloured_[i].opens - coloured_[i].closes;
        coloured_[i] = std::move(fresh);
        ++done;
        if (i > index && sameCarry) break;  // what follows is coloured as before
        if (i == index && sameCarry) break;
    }
    // Fold levels follow from the line before; recompute from the edit down while they change.
    for (size_t i = std::max<size_t>(index, 1); i < lines_.size(); ++i) {
        int level = levels_[i - 1] + coloured_[i - 1].opens - coloured_[i - 1].closes;
        if (level == levels_[i] && i > index + done) break;
        levels_[i] = level;
    }
    return done;
}

int currentHelpEntry(std::string_view line, size_t column, const std::vector<KeywordEntry>& entries) {
    auto wordChar = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_'; };
    column = std::min(column, line.size());
    size_t start = column;
    while (start > 0 && wordChar(line[start - 1])) --start;
    size_t end = start;
    while (end < line.size() && wordChar(line[end])) ++end;
    std::string_view word = line.substr(start, end - start);
    if (word.empty()) return -1;
    for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i].word == word && !entries[i].syntax.empty()) return int(i);
    return -1;
}

} // namespace pondaro
