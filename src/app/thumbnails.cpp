#include "app/thumbnails.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/artwork.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "image/resample.h"
#include "project/project_file.h"

namespace pondaro {

Image resamplePicture(const Image& source, int width, int height) {
    return resizeAreaAverage(source, width, height);
}

Size2 fitSize(int w, int h, int box) {
    if (w <= 0 || h <= 0) return {};
    if (w >= h) return {box, std::max(1, int(std::lround(double(box) * h / w)))};
    return {std::max(1, int(std::lround(double(box) * w / h))), box};
}

Image thumbnailCard(const Image& picture) {
    if (picture.empty()) return noImageCard();
    Image card = emptyCard();
    Size2 s = fitSize(picture.width(), picture.height(), 60);
    drawOver(card, resamplePicture(picture, s.w, s.h), 45, 20);
    return card;
}

Image sceneThumbnailCard(const Image& canvas) {
    if (canvas.empty()) return noImageCard();
    Image card = emptyCard();
    Size2 s = fitSize(canvas.width(), canvas.height(), 80);
    drawOver(card, resamplePicture(canvas, s.w, s.h), 35 + (80 - s.w) / 2, 10 + (80 - s.h) / 2);
    return card;
}

Image fitPicture(const Image& picture, int width, int height) {
    if (picture.empty() || width <= 0 || height <= 0) return {};
    if (picture.width() <= width && picture.height() <= height) return picture;
    double scale = std::min(double(width) / picture.width(), double(height) / picture.height());
    int w = std::max(1, int(std::lround(picture.width() * scale)));
    int h = std::max(1, int(std::lround(picture.height() * scale)));
    return resamplePicture(picture, std::min(w, width), std::min(h, height));
}

void refreshSpriteThumbnail(Project& p, size_t spriteIndex) {
    if (spriteIndex >= p.sprites.size()) return;
    Sprite& s = p.sprites[spriteIndex];
    const Image* first = p.firstFrameImage(s.name);
    s.preview = first ? thumbnailCard(*first) : noImageCard();
}

void refreshThumbnails(Project& p, const std::filesystem::path& root) {
    // The first frame of every sprite in one pass over the frame list.
    std::unordered_map<std::string_view, const Image*> firstFrames;
    for (const Frame& f : p.frames) firstFrames.try_emplace(f.sprite, &f.image);
    for (Sprite& s : p.sprites) {
        auto it = firstFrames.find(s.name);
        s.preview = it == firstFrames.end() ? noImageCard() : thumbnailCard(*it->second);
    }
    for (Background& b : p.backgrounds) {
        if (b.file.empty()) continue;
        if (!b.picture.empty()) {
            b.preview = thumbnailCard(b.picture);
            continue;
        }
        Image picture;
        const auto path = projectsFolder(root) / p.name / p.imgfolder / b.file;
        b.preview = (!p.name.empty() && loadImage(path, picture)) ? thumbnailCard(picture) : noImageCard();
    }
}

} // namespace pondaro
