#pragma once
// The pictures of the resource panel: the 150 x 100 cards carrying a sprite's first
// frame, a background's picture or a scene's canvas, rebuilt when a project has been
// opened and when an editor changes them.
#include <filesystem>

#include "image/image.h"
#include "project/model.h"

namespace pondaro {

// A smooth resample of the whole picture to width x height: each target pixel averages
// the source area it covers, weighted by alpha so transparent pixels do not darken
// the edges.
Image resamplePicture(const Image& source, int width, int height);

// The size of a w x h picture scaled to fit a box x box square keeping its shape:
// box x round(box * h / w) when w >= h, else round(box * w / h) x box (at least 1).
struct Size2 {
    int w = 0, h = 0;
    friend bool operator==(const Size2&, const Size2&) = default;
};
Size2 fitSize(int w, int h, int box);

// The empty card with the picture resampled into the 60 x 60 box at (45, 20); the
// "no image" card for an empty picture.
Image thumbnailCard(const Image& picture);

// A scene's card: the canvas picture scaled to fit an 80 x 80 box at (35, 10).
Image sceneThumbnailCard(const Image& canvas);

// The picture scaled down (never up) to fit a width x height area, keeping its shape.
Image fitPicture(const Image& picture, int width, int height);

// The card of one sprite, after an image tool replaced its frames: its first frame's
// card, or the "no image" card when it has none.
void refreshSpriteThumbnail(Project& p, size_t spriteIndex);

// Refresh thumbnails: every sprite gets the card of its first frame (the "no image"
// card without frames); every background with a file gets the card of its picture -
// the picture in memory, else the file in the project's image folder; one that cannot
// be read gets the "no image" card.
void refreshThumbnails(Project& p, const std::filesystem::path& root);

} // namespace pondaro
