#include "app/thumbnails.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/artwork.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "project/project_file.h"

namespace pondaro {

namespace {

// For each target position along one axis, the source positions it covers and how
// much of each (the weights of one target position add up to 1).
struct Span {
    int first = 0;
    std::vector<float> weights;
};

std::vector<Span> spans(int sourceLength, int targetLength) {
    std::vector<Span> out(targetLength);
    const double scale = double(sourceLength) / double(targetLength);
    for (int t = 0; t < targetLength; ++t) {
        double a = t * scale, b = (t + 1) * scale;
        int first = int(std::floor(a));
        int last = std::min(sourceLength - 1, int(std::ceil(b)) - 1);
        Span& s = out[t];
        s.first = first;
        for (int i = first; i <= last; ++i) {
            double w = std::min<double>(b, i + 1) - std::max<double>(a, i);
            s.weights.push_back(float(std::max(0.0, w) / scale));
        }
    }
    return out;
}

} // namespace

Image resamplePicture(const Image& source, int width, int height) {
    if (source.empty() || width <= 0 || height <= 0) return {};
    Image out(width, height);
    const auto xs = spans(source.width(), width), ys = spans(source.height(), height);
    for (int ty = 0; ty < height; ++ty) {
        const Span& sy = ys[ty];
        for (int tx = 0; tx < width; ++tx) {
            const Span& sx = xs[tx];
            // Premultiplied sums, so a transparent neighbour adds no colour.
            float r = 0, g = 0, b = 0, a = 0;
            for (size_t j = 0; j < sy.weights.size(); ++j) {
                const uint8_t* row = source.data() + (size_t(sy.first + int(j)) * source.width()) * 4;
                for (size_t i = 0; i < sx.weights.size(); ++i) {
                    const uint8_t* px = row + size_t(sx.first + int(i)) * 4;
                    float w = sx.weights[i] * sy.weights[j] * px[3];
                    r += px[0] * w;
                    g += px[1] * w;
                    b += px[2] * w;
                    a += w;
                }
            }
            if (a <= 0.0f) continue;
            auto channel = [a](float v) { return uint8_t(std::clamp(std::lround(v / a), 0L, 255L)); };
            out.setPixel(tx, ty, {channel(r), channel(g), channel(b), uint8_t(std::clamp(std::lround(a), 0L, 255L))});
        }
    }
    return out;
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
