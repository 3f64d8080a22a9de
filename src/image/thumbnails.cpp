#include "image/thumbnails.h"

namespace pondaro {

void refreshSpriteThumbnail(Project& p, size_t spriteIndex) {
    if (spriteIndex >= p.sprites.size()) return;
    Sprite& s = p.sprites[spriteIndex];
    const Image* first = p.firstFrameImage(s.name);
    s.preview = first ? thumbnailCard(*first) : noImageCard();
}

} // namespace pondaro
