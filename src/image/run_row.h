#pragma once
// One row of a picture held as runs of one colour, for canvases shown at a high zoom:
// there a row is a few long runs (a zoomed pixel, a square of the checkerboard), and
// drawing over a run costs one blend for the whole run instead of one per pixel. The
// colours that come out are exactly those of the per-pixel drawing functions of
// draw.h: each run gets what each of its pixels would.
#include <cstdint>
#include <vector>

#include "image/image.h"

namespace pondaro {

class RunRow {
public:
    // The pixels [x0, x1) of the row, in one colour.
    struct Span {
        int x0, x1;
        Rgba colour;
    };

    // A row of `width` transparent pixels.
    explicit RunRow(int width = 0) { reset(width); }
    void reset(int width);
    int width() const { return width_; }

    // The row of the endless checkerboard (drawCheckerboard) whose pixel (originX,
    // originY) lands at the row's first pixel.
    void checker(int originX, int originY);
    // Blends each span's colour over the pixels it covers, as putPixel with
    // ColourMode::AlphaBlend does (a colour of alpha 0 changes nothing). The spans must
    // be in order from left to right and must not overlap; parts outside the row are
    // left out.
    void blend(const std::vector<Span>& spans);
    // XORs red, green and blue of [x0, x1) with the colour's, alpha kept (xorFillRect).
    void xorSpan(int x0, int x1, Rgba colour);

    // The pixel at x.
    Rgba at(int x) const;
    // Writes the row's pixels, 4 bytes each, from `rgba` on.
    void write(uint8_t* rgba) const;

private:
    struct Run {
        int x0, x1;
        Rgba colour;
    };
    template <class Change>
    void change(const std::vector<Span>& spans, Change colourOf);
    void emit(int x0, int x1, Rgba colour);

    // blendOver remembered: the rows of one canvas blend the same few colours over the
    // same few again and again.
    Rgba blended(Rgba under, Rgba colour);
    struct Blend {
        Rgba under, colour, result;
        bool used = false;
    };

    int width_ = 0;
    std::vector<Run> runs_;     // in order, covering [0, width)
    std::vector<Run> scratch_;  // the next runs while a change is made
    std::vector<Blend> blends_ = std::vector<Blend>(256);
};

} // namespace pondaro
