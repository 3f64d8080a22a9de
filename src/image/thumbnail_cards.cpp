#include "image/thumbnail_cards.h"

#include "image/artwork.h"
#include "image/draw.h"
#include "image/fit.h"
#include "image/resample.h"

namespace pondaro {

namespace {

// The empty card with the checkerboard in the picture's box: a white or a transparent
// picture stands out from the white card.
Image cardWithBackdrop(int x, int y, Size box) {
    Image card = emptyCard();
    drawOver(card, checkerboard(box.width, box.height), x, y);
    return card;
}

} // namespace

Image thumbnailCard(const Image& picture) {
    if (picture.empty()) return noImageCard();
    Image card = cardWithBackdrop(45, 20, kPictureCardBox);
    const Size s = fitSize({picture.width(), picture.height()}, kPictureCardBox);
    drawOver(card, resizeAreaAverage(picture, s.width, s.height), 45, 20);
    return card;
}

Image sceneCard(const Image& picture) {
    if (picture.empty()) return emptyCard();
    const Size box = kSceneCardBox;
    Image card = cardWithBackdrop(35, 10, box);
    drawOver(card, picture, 35 + (box.width - picture.width()) / 2, 10 + (box.height - picture.height()) / 2);
    return card;
}

} // namespace pondaro
