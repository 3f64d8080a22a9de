#pragma once
// Fitting a picture into a box keeping its shape: the one rule behind the resource
// panel's cards, the open dialog's preview, the scene's previews and the picture of the
// object to place.
#include "base/geometry.h"
#include "image/image.h"

namespace pondaro {

// The size a `picture` takes when scaled to fill `box` keeping its shape. When the
// picture is wider for its height than the box, it takes the box's width and
// round(box width x picture height / picture width) as its height, else the box's
// height and the width worked out the same way; each side stays within 1 and the box's.
// 0 x 0 for an empty picture or box.
Size fitSize(Size picture, Size box);

// The picture scaled down (never up) to fit a box, by area averaging; the picture as
// it is when it fits already. Empty for an empty picture or box.
Image fitPicture(const Image& picture, Size box);

// A transparent picture of the box's size with `picture` scaled to fit, up or down, by
// the nearest pixel (so small sprites stay crisp) and centred. Empty for an empty box.
Image fitInto(const Image& picture, Size box);

} // namespace pondaro
