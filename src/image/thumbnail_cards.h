#pragma once
// The resource panel's 150 x 100 cards that carry a picture: a sprite's first frame or
// a background's picture in the 60 x 60 box, a scene's canvas in the 80 x 80 box. The
// empty, "no image" and kind cards are artwork (image/artwork.h).
#include "base/geometry.h"
#include "image/image.h"

namespace pondaro {

// The empty card with the picture fitted into the 60 x 60 box at (45, 20), smoothed by
// area averaging so transparent pixels do not darken its edges; the "no image" card for
// an empty picture.
Image thumbnailCard(const Image& picture);

// A scene's card holds its canvas fitted into this box at (35, 10).
inline constexpr Size kSceneCardBox{80, 80};
// The empty card with `picture` (the canvas already drawn at the size fitSize gives for
// kSceneCardBox) centred in the box; the empty card for an empty picture.
Image sceneCard(const Image& picture);

} // namespace pondaro
