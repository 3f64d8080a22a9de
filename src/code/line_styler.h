#pragma once
// Styling a document held by an editing component that asks its owner to colour it
// (container lexing). Each line keeps, as its line state, what it carries into the next
// line: whether a /* comment is still open and the fold depth after it. After an edit,
// lines are coloured from the first changed one; once past the changed text, colouring
// stops at the first line whose carried state is what it was before, because every
// later line was coloured from that same state.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "code/colouring.h"

namespace pondaro {

// What the styler needs from the editing component. Lines are numbered from 0.
class StyleTarget {
public:
    virtual ~StyleTarget() = default;
    virtual size_t lineCount() const = 0;
    // The line's bytes (UTF-8) including its line end, if it has one.
    virtual std::string lineBytes(size_t line) const = 0;
    virtual int lineState(size_t line) const = 0;
    virtual void setLineState(size_t line, int state) = 0;
    // One colour per byte of the line, its line end included. Lines are styled one
    // after another, each starting where the one before ended.
    virtual void setLineColours(size_t line, const std::vector<Colour>& colours) = 0;
    // `depth` is the fold depth at the line's start; `header` marks a line after which
    // the depth is greater (a fold opens on it).
    virtual void setFoldLevel(size_t line, int depth, bool header) = 0;
};

// What a line carries into the next one, packed into a line state. 0 means "never
// coloured".
struct CarriedState {
    bool commentOpen = false;
    int depth = 0;
    bool operator==(const CarriedState&) const = default;
};
int packLineState(const CarriedState& s);
std::optional<CarriedState> unpackLineState(int state);

// The span of text changed since the document was last styled, in byte positions of
// the current text. Insertions and deletions after it move nothing; those before or
// inside it move its end.
class ChangedText {
public:
    void inserted(size_t position, size_t length);
    void deleted(size_t position, size_t length);
    // Everything up to the position counts as changed (new text, new word lists).
    void changedUpTo(size_t position) { end_ = std::max(end_.value_or(0), position); }
    void clear() { end_.reset(); }
    // The position just after the last changed byte, if anything changed.
    std::optional<size_t> end() const { return end_; }

private:
    std::optional<size_t> end_;
};

struct StyleRun {
    size_t first = 0;  // the first line coloured
    size_t count = 0;  // how many lines were coloured
};

// Colours lines from `first` (moved back to the nearest line whose predecessor holds
// a carried state). Every line up to and including `mustReach` is coloured; after it,
// colouring stops after the first line whose carried state did not change.
StyleRun styleLines(StyleTarget& target, const ColourWords& words, size_t first, size_t mustReach);

} // namespace pondaro
