#pragma once
// A fingerprint of a picture's size and pixels: two pictures with different pixels
// almost surely get different fingerprints, so a copy made from a picture (a small
// icon, say) can be kept until the fingerprint of its source changes, without keeping
// the source or being told of every edit made to it.
#include <cstdint>

#include "image/image.h"

namespace pondaro {

uint64_t pictureFingerprint(const Image& picture);

} // namespace pondaro
