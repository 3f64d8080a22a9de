#include "image/thumbnails.h"

#include <algorithm>
#include <cmath>

#include "image/draw.h"
#include "image/resample.h"

namespace pondaro {

namespace {

constexpr Rgba kGround{224, 224, 224, 255};
constexpr Rgba kBorder{64, 64, 64, 255};
constexpr Rgba kCardFace{255, 255, 255, 255};
constexpr Rgba kMissingFace{190, 110, 110, 255};

void fillRoundedRect(Image& img, int x, int y, int w, int h, int r, Rgba c) {
    fillRect(img, x + r, y, w - 2 * r, h, c, ColourMode::Replace);
    fillRect(img, x, y + r, w, h - 2 * r, c, ColourMode::Replace);
    for (int cx : {x + r, x + w - 1 - r})
        for (int cy : {y + r, y + h - 1 - r}) fillEllipse(img, cx, cy, r, r, c, ColourMode::Replace);
}

Image card(Rgba face) {
    Image img(kCardWidth, kCardHeight);
    img.fill(kGround);
    fillRoundedRect(img, 4, 4, kCardWidth - 8, kCardHeight - 8, 10, kBorder);
    fillRoundedRect(img, 5, 5, kCardWidth - 10, kCardHeight - 10, 9, face);
    return img;
}

} // namespace

Image emptyCard() { return card(kCardFace); }

Image noImageCard() {
    Image img = card(kMissingFace);
    static const char* kQuestion[] = {".###.", "#...#", "....#", "...#.", "..#..", ".....", "..#.."};
    constexpr int kScale = 8;
    const int left = kCardWidth / 2 - 5 * kScale / 2, top = kCardHeight / 2 - 7 * kScale / 2;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col)
            if (kQuestion[row][col] == '#')
                fillRect(img, left + col * kScale, top + row * kScale, kScale, kScale, kCardFace, ColourMode::Replace);
    return img;
}

void thumbnailSize(int w, int h, int& outW, int& outH) {
    if (w <= 0 || h <= 0) {
        outW = outH = 0;
        return;
    }
    if (w >= h) {
        outW = 60;
        outH = int(std::lround(60.0 * h / w));
    } else {
        outW = int(std::lround(60.0 * w / h));
        outH = 60;
    }
    outW = std::max(outW, 1);
    outH = std::max(outH, 1);
}

Image thumbnailCard(const Image* picture) {
    if (!picture || picture->empty()) return noImageCard();
    Image img = emptyCard();
    int tw = 0, th = 0;
    thumbnailSize(picture->width(), picture->height(), tw, th);
    drawOver(img, resizeSmooth(*picture, tw, th), 45, 20);
    return img;
}

void refreshSpriteThumbnail(Project& p, size_t spriteIndex) {
    if (spriteIndex >= p.sprites.size()) return;
    Sprite& s = p.sprites[spriteIndex];
    s.preview = thumbnailCard(p.firstFrameImage(s.name));
}

void refreshSpriteThumbnails(Project& p) {
    for (size_t i = 0; i < p.sprites.size(); ++i) refreshSpriteThumbnail(p, i);
}

} // namespace pondaro
