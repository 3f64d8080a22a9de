#include "image/thumbnail_cards.h"

#include "image/artwork.h"
#include "image/draw.h"
#include "image/fit.h"
#include "image/resample.h"

namespace pondaro {

Image thumbnailCard(const Image& picture) {
    if (picture.empty()) return noImageCard();
    Image card = emptyCard();
    const Size s = fitSize({picture.width(), picture.height()}, {60, 60});
    drawOver(card, resizeAreaAverage(picture, s.width, s.height), 45, 20);
    return card;
}

Image sceneCard(const Image& picture) {
    Image card = emptyCard();
    if (picture.empty()) return card;
    const Size box = kSceneCardBox;
    drawOver(card, picture, 35 + (box.width - picture.width()) / 2, 10 + (box.height - picture.height()) / 2);
    return card;
}

} // namespace pondaro
