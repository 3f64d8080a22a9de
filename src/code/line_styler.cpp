#include "code/line_styler.h"

#include <algorithm>

namespace pondaro {

namespace {

constexpr int kDepthLimit = 1 << 20;

// Splits the line end off the line's bytes.
size_t contentLength(const std::string& bytes) {
    size_t n = bytes.size();
    if (n > 0 && bytes[n - 1] == '\n') --n;
    if (n > 0 && bytes[n - 1] == '\r') --n;
    return n;
}

} // namespace

int packLineState(const CarriedState& s) {
    const int depth = std::clamp(s.depth, -kDepthLimit, kDepthLimit);
    return 1 | (s.commentOpen ? 2 : 0) | ((depth + kDepthLimit) << 2);
}

std::optional<CarriedState> unpackLineState(int state) {
    if ((state & 1) == 0) return std::nullopt;
    return CarriedState{(state & 2) != 0, (state >> 2) - kDepthLimit};
}

void ChangedText::inserted(size_t position, size_t length) {
    if (end_ && *end_ >= position) *end_ += length;
    end_ = std::max(end_.value_or(0), position + length);
}

void ChangedText::deleted(size_t position, size_t length) {
    if (end_) {
        if (*end_ >= position + length) *end_ -= length;
        else if (*end_ > position) *end_ = position;
    }
    end_ = std::max(end_.value_or(0), position);
}

StyleRun styleLines(StyleTarget& target, const ColourWords& words, size_t first, size_t mustReach) {
    const size_t lines = target.lineCount();
    StyleRun run;
    if (lines == 0) return run;
    first = std::min(first, lines - 1);
    // Start from a line whose predecessor says what it carries.
    CarriedState carried;
    while (first > 0) {
        if (auto s = unpackLineState(target.lineState(first - 1))) {
            carried = *s;
            break;
        }
        --first;
    }
    run.first = first;
    std::vector<Colour> colours;
    for (size_t line = first; line < lines; ++line) {
        const std::string bytes = target.lineBytes(line);
        const size_t content = contentLength(bytes);
        LineColours lc = colourLine(std::string_view(bytes).substr(0, content), carried.commentOpen, words);
        colours = std::move(lc.colours);
        // The line end belongs to a comment that runs on, else it is plain.
        colours.resize(bytes.size(), lc.commentOpen ? Colour::Comment : Colour::Plain);
        target.setLineColours(line, colours);

        const CarriedState after{lc.commentOpen, carried.depth + lc.opens - lc.closes};
        target.setFoldLevel(line, carried.depth, after.depth > carried.depth);
        const int before = target.lineState(line);
        const int now = packLineState(after);
        target.setLineState(line, now);
        ++run.count;
        carried = after;
        if (line >= mustReach && before == now) break;
    }
    return run;
}

} // namespace pondaro
