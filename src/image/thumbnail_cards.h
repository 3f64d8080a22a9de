#pragma once
// The resource panel's 150 x 100 cards that carry a picture: a sprite's first frame or
// a background's picture in the 60 x 60 box, a scene's canvas in the 80 x 80 box. The
// empty, "no image" and kind cards are artwork (image/artwork.h).
#include "base/geometry.h"
#include "image/image.h"

namespace pondaro {

// A sprite's or a background's card holds its picture in this box at (45, 20).
inline constexpr Size kPictureCardBox{60, 60};
// The empty card with the checkerboard backdrop in the box and the picture fitted into
// it at the box's top-left corner, smoothed by area averaging so transparent pixels do
// not darken its edges; the "no image" card for an empty picture.
Image thumbnailCard(const Image& picture);

// A scene's card holds its canvas fitted into this box at (35, 10).
inline constexpr Size kSceneCardBox{80, 80};
// The empty card with the checkerboard backdrop in the box and `picture` (the canvas
// already drawn at the size fitSize gives for kSceneCardBox) centred on it; the empty
// card for an empty picture.
Image sceneCard(const Image& picture);

} // namespace pondaro
