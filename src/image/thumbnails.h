#pragma once
// The 150 x 100 thumbnail cards of the resource panel.
#include <cstddef>

#include "image/image.h"
#include "project/model.h"

namespace pondaro {

inline constexpr int kCardWidth = 150;
inline constexpr int kCardHeight = 100;

// A white rounded rectangle with a dark border on a light grey ground.
Image emptyCard();
// The same shape in a muted red with a large "?": a resource without a picture.
Image noImageCard();
// The size a picture of w x h is shown at on a card: 60 pixels along its longer side,
// the other side in proportion rounded to the nearest whole number (at least 1).
void thumbnailSize(int w, int h, int& outW, int& outH);
// The empty card with the picture resampled to its thumbnail size at (45, 20), or the
// "no image" card when there is no picture.
Image thumbnailCard(const Image* picture);

// Rebuilds the sprite's preview image from its first frame.
void refreshSpriteThumbnail(Project& p, size_t spriteIndex);
void refreshSpriteThumbnails(Project& p);

} // namespace pondaro
