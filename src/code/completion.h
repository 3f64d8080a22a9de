#pragma once
// Typing help in the code editor, from the same word lists as the colouring: the
// completion list of engine words and resource names, and the call tip that shows an
// engine function's syntax while its arguments are typed.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "code/colouring.h"
#include "code/keywords.h"
#include "project/model.h"

namespace pondaro {

// The words offered for completion, sorted as the completion list expects when it
// ignores letter case (by their upper-case form), without repeats.
class CompletionWords {
public:
    CompletionWords() = default;
    // The engine words and the project's resource names (templates, not instances).
    // Names that are not JavaScript identifiers cannot be typed, so they are left out.
    CompletionWords(const std::vector<KeywordEntry>& engine, const Project* project);

    // The words that start with the prefix, ignoring letter case, in list order. None
    // when the only match is the prefix itself: the word is already typed.
    std::vector<std::string> candidates(std::string_view prefix) const;
    const std::vector<std::string>& words() const { return words_; }

private:
    std::vector<std::string> words_;
};

bool isIdentifier(std::string_view word);

// Whether the completion list may open for the text of a line up to the caret: not
// while the caret stands in a comment or a string, where words are prose rather than
// code. `commentOpenBefore`: a /* comment runs into the line from the lines above.
bool completionMayOpen(std::string_view lineBeforeCaret, bool commentOpenBefore);

// The identifier that ends at the byte column of the line (letters, digits and "_",
// not starting with a digit); empty when there is none.
std::string_view wordBeforeCaret(std::string_view line, size_t column);

struct CallTip {
    int entry = -1;          // index in the engine word list
    std::string text;        // the entry's syntax
    size_t highlightStart = 0;  // the argument being typed, as a byte range of text
    size_t highlightEnd = 0;
};

// The engine function whose argument list holds the caret: the innermost "(" still
// open before the caret (outside strings and comments), preceded by the function's
// word. Nothing for a word without syntax ("n/a" or empty).
std::optional<CallTip> callTipAt(std::string_view line, size_t column, const std::vector<KeywordEntry>& entries);

} // namespace pondaro
