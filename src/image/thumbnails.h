#pragma once
// The resource panel's card of one sprite, rebuilt after an image tool replaced its
// frames. The cards themselves are the studio's artwork (app/artwork.h) and the
// panel's thumbnails (app/thumbnails.h); this header brings both along.
#include <cstddef>

#include "app/artwork.h"
#include "app/thumbnails.h"
#include "project/model.h"

namespace pondaro {

// The sprite's preview image becomes the card of its first frame (the "no image"
// card when it has none).
void refreshSpriteThumbnail(Project& p, size_t spriteIndex);

} // namespace pondaro
