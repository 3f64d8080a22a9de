#include "image/run_row.h"

#include <algorithm>
#include <cstring>

#include "image/draw.h"

namespace pondaro {

void RunRow::reset(int width) {
    width_ = std::max(width, 0);
    runs_.clear();
    if (width_ > 0) runs_.push_back({0, width_, Rgba{}});
}

void RunRow::checker(int originX, int originY) {
    runs_.clear();
    const int squareRow = originY >> 4;  // arithmetic shift: squares continue left and above 0
    for (int x = 0; x < width_;) {
        const int square = (originX + x) >> 4;
        // The next square starts where (originX + x) reaches the next multiple of 16.
        const int end = std::min(width_, ((square + 1) << 4) - originX);
        runs_.push_back({x, end, ((square + squareRow) & 1) ? kCheckerLight : kCheckerDark});
        x = end;
    }
}

void RunRow::emit(int x0, int x1, Rgba colour) {
    if (x0 >= x1) return;
    if (!scratch_.empty() && scratch_.back().x1 == x0 && scratch_.back().colour == colour) scratch_.back().x1 = x1;
    else scratch_.push_back({x0, x1, colour});
}

template <class Change>
void RunRow::change(const std::vector<Span>& spans, Change colourOf) {
    scratch_.clear();
    size_t s = 0;
    for (const Run& r : runs_) {
        for (int x = r.x0; x < r.x1;) {
            while (s < spans.size() && spans[s].x1 <= x) ++s;
            if (s < spans.size() && spans[s].x0 <= x) {
                const int end = std::min(r.x1, spans[s].x1);
                emit(x, end, colourOf(r.colour, spans[s].colour));
                x = end;
            } else {
                const int end = s < spans.size() ? std::min(r.x1, spans[s].x0) : r.x1;
                emit(x, end, r.colour);
                x = end;
            }
        }
    }
    runs_.swap(scratch_);
}

Rgba RunRow::blended(Rgba under, Rgba colour) {
    uint32_t u, c;
    std::memcpy(&u, &under, 4);
    std::memcpy(&c, &colour, 4);
    Blend& b = blends_[((u * 2654435761u) ^ (c * 40503u)) >> 24];
    if (!b.used || !(b.under == under) || !(b.colour == colour)) b = {under, colour, blendOver(under, colour), true};
    return b.result;
}

void RunRow::blend(const std::vector<Span>& spans) {
    change(spans, [this](Rgba under, Rgba colour) { return colour.a == 0 ? under : blended(under, colour); });
}

void RunRow::xorSpan(int x0, int x1, Rgba colour) {
    change({{x0, x1, colour}}, [](Rgba under, Rgba c) {
        return Rgba{uint8_t(under.r ^ c.r), uint8_t(under.g ^ c.g), uint8_t(under.b ^ c.b), under.a};
    });
}

Rgba RunRow::at(int x) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), x, [](int v, const Run& r) { return v < r.x1; });
    return it == runs_.end() || x < it->x0 ? Rgba{} : it->colour;
}

void RunRow::write(uint8_t* rgba) const {
    for (const Run& r : runs_) {
        const uint8_t pixel[4] = {r.colour.r, r.colour.g, r.colour.b, r.colour.a};
        for (uint8_t* d = rgba + size_t(r.x0) * 4, *end = rgba + size_t(r.x1) * 4; d < end; d += 4)
            std::memcpy(d, pixel, 4);
    }
}

} // namespace pondaro
