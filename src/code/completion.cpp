#include "code/completion.h"

#include <algorithm>

#include "base/text.h"

namespace pondaro {

namespace {

bool isWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
bool isDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool isIdentifier(std::string_view word) {
    if (word.empty() || isDigit(word[0])) return false;
    return std::all_of(word.begin(), word.end(), [](char c) { return isWordChar(c) || c == '$'; });
}

CompletionWords::CompletionWords(const std::vector<KeywordEntry>& engine, const Project* project) {
    std::vector<std::string> all;
    for (const auto& e : engine) all.push_back(e.word);
    if (project) project->forEachResourceName([&](const std::string& name) { all.push_back(name); });
    std::erase_if(all, [](const std::string& w) { return !isIdentifier(w); });
    std::sort(all.begin(), all.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = asciiUpper(a), ub = asciiUpper(b);
        return ua != ub ? ua < ub : a < b;
    });
    all.erase(std::unique(all.begin(), all.end()), all.end());
    words_ = std::move(all);
}

std::vector<std::string> CompletionWords::candidates(std::string_view prefix) const {
    const std::string upper = asciiUpper(prefix);
    auto first = std::lower_bound(words_.begin(), words_.end(), upper,
                                  [](const std::string& w, const std::string& key) { return asciiUpper(w) < key; });
    std::vector<std::string> out;
    for (auto it = first; it != words_.end(); ++it) {
        if (asciiUpper(std::string_view(*it).substr(0, upper.size())) != upper) break;
        out.push_back(*it);
    }
    if (out.size() == 1 && equalsIgnoringCase(out[0], prefix)) out.clear();
    return out;
}

bool completionMayOpen(std::string_view lineBeforeCaret, bool commentOpenBefore) {
    if (lineBeforeCaret.empty()) return !commentOpenBefore;
    // Comments and strings do not depend on the word lists: the plain lists serve.
    static const ColourWords noWords;
    const LineColours line = colourLine(lineBeforeCaret, commentOpenBefore, noWords);
    const Colour last = line.colours.back();
    return last != Colour::Comment && last != Colour::String;
}

std::string_view wordBeforeCaret(std::string_view line, size_t column) {
    column = std::min(column, line.size());
    size_t start = column;
    while (start > 0 && isWordChar(line[start - 1])) --start;
    while (start < column && isDigit(line[start])) ++start;  // a word does not start with a digit
    return line.substr(start, column - start);
}

std::optional<CallTip> callTipAt(std::string_view line, size_t column, const std::vector<KeywordEntry>& entries) {
    column = std::min(column, line.size());
    struct Open {
        size_t at;       // position of "("
        int commas = 0;  // argument separators seen at this depth
    };
    std::vector<Open> open;
    for (size_t i = 0; i < column; ++i) {
        const char c = line[i];
        if (c == '"' || c == '\'') {
            size_t close = line.find(c, i + 1);
            if (close == std::string_view::npos || close >= column) return std::nullopt;  // caret in a string
            i = close;
        } else if (c == '/' && i + 1 < column && line[i + 1] == '/') {
            return std::nullopt;  // caret in a comment
        } else if (c == '/' && i + 1 < column && line[i + 1] == '*') {
            size_t close = line.find("*/", i + 2);
            if (close == std::string_view::npos || close + 2 > column) return std::nullopt;
            i = close + 1;
        } else if (c == '(') {
            open.push_back({i});
        } else if (c == ')') {
            if (!open.empty()) open.pop_back();
        } else if (c == ',' && !open.empty()) {
            ++open.back().commas;
        }
    }
    if (open.empty()) return std::nullopt;
    const Open& call = open.back();
    size_t end = call.at;
    while (end > 0 && (line[end - 1] == ' ' || line[end - 1] == '\t')) --end;
    std::string_view word = wordBeforeCaret(line, end);
    if (word.empty()) return std::nullopt;
    for (size_t i = 0; i < entries.size(); ++i) {
        const KeywordEntry& e = entries[i];
        if (e.word != word || e.kind != "Fn" || e.syntax.empty() || e.syntax == "n/a") continue;
        CallTip tip{int(i), e.syntax};
        // Highlight the argument the caret is in: the part of the syntax between the
        // commas (at the outermost depth of its parentheses) with the same position.
        size_t paren = e.syntax.find('(');
        if (paren != std::string::npos) {
            int depth = 0, index = 0;
            size_t start = paren + 1;
            for (size_t k = paren + 1; k < e.syntax.size(); ++k) {
                const char s = e.syntax[k];
                const bool ends = (s == ',' && depth == 0) || (s == ')' && depth == 0);
                if (s == '(' || s == '[') ++depth;
                else if ((s == ')' || s == ']') && depth > 0) --depth;
                if (!ends) continue;
                if (index == call.commas) {
                    size_t a = start, b = k;
                    while (a < b && e.syntax[a] == ' ') ++a;
                    tip.highlightStart = a;
                    tip.highlightEnd = b;
                    break;
                }
                ++index;
                start = k + 1;
                if (s == ')') break;
            }
        }
        return tip;
    }
    return std::nullopt;
}

} // namespace pondaro
