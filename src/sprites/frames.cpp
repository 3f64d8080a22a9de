#include "sprites/frames.h"

#include <climits>

#include "base/integer_reader.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "image/resample.h"
#include "project/canvas_pictures.h"
#include "sprites/effect_dialog.h"

namespace pondaro {

namespace {

int lastFrameIndex(const Project& p, std::string_view sprite) {
    for (size_t i = p.frames.size(); i-- > 0;)
        if (p.frames[i].sprite == sprite) return int(i);
    return -1;
}

int appendFrame(Project& p, std::string_view sprite, Image image) {
    Frame f;
    f.file = nextFrameNumber(p, sprite);
    f.sprite = std::string(sprite);
    f.image = std::move(image);
    p.frames.push_back(std::move(f));
    p.markModified();
    return int(p.frames.size() - 1);
}

// A transparent width x height image with `image` drawn on it at (x, y).
Image placedOn(const Image& image, int width, int height, int x, int y) {
    Image out(width, height);
    drawOver(out, image, x, y);
    return out;
}

} // namespace

std::vector<size_t> spriteFrameIndices(const Project& p, std::string_view sprite) {
    std::vector<size_t> out;
    for (size_t i = 0; i < p.frames.size(); ++i)
        if (p.frames[i].sprite == sprite) out.push_back(i);
    return out;
}

bool isFrameOf(const Project& p, std::string_view sprite, int index) {
    return index >= 0 && size_t(index) < p.frames.size() && p.frames[size_t(index)].sprite == sprite;
}

int firstFrameIndex(const Project& p, std::string_view sprite) {
    for (size_t i = 0; i < p.frames.size(); ++i)
        if (p.frames[i].sprite == sprite) return int(i);
    return -1;
}

std::string nextFrameNumber(const Project& p, std::string_view sprite) {
    const int last = lastFrameIndex(p, sprite);
    if (last < 0) return "0";
    const long long k = readInteger(p.frames[size_t(last)].file);
    return std::to_string(k + 1);
}

std::string createNewSprite(Project& p, std::string_view sprite, int width, int height, int& current) {
    if (std::string problem = frameSizeProblem(width, height); !problem.empty()) return problem;
    std::erase_if(p.frames, [&](const Frame& f) { return f.sprite == sprite; });
    current = appendFrame(p, sprite, Image(width, height));
    return {};
}

std::string AddFrameQuestion::keepSizeCaption() const {
    return "Keep the original image size (" + std::to_string(frameWidth) + " x " + std::to_string(frameHeight) + ")";
}

std::string AddFrameQuestion::resizeAllCaption() const {
    return "Resize all frames to the new image size (" + std::to_string(imageWidth) + " x " +
           std::to_string(imageHeight) + ")";
}

std::optional<AddFrameQuestion> addFrameQuestion(const Project& p, std::string_view sprite, const Image& image) {
    const int last = lastFrameIndex(p, sprite);
    if (last < 0) return std::nullopt;
    const Image& frame = p.frames[size_t(last)].image;
    if (frame.width() == image.width() && frame.height() == image.height()) return std::nullopt;
    return AddFrameQuestion{frame.width(), frame.height(), image.width(), image.height()};
}

int addNewFrame(Project& p, std::string_view sprite, Image image, const AddFrameChoice& choice) {
    if (auto q = addFrameQuestion(p, sprite, image)) {
        const int fw = q->frameWidth, fh = q->frameHeight, nw = image.width(), nh = image.height();
        if (choice.size == NewFrameSize::KeepOriginal) {
            // A sprite whose frames have no pixels has no size to keep.
            if (fw > 0 && fh > 0) {
                switch (choice.placement) {
                case NewFramePlacement::LeftTop: image = placedOn(image, fw, fh, 0, 0); break;
                case NewFramePlacement::Centre: image = placedOn(image, fw, fh, fw / 2 - nw / 2, fh / 2 - nh / 2); break;
                case NewFramePlacement::Stretch: image = resizeSmooth(image, fw, fh); break;
                }
            }
        } else {
            for (Frame& f : p.frames) {
                if (f.sprite != sprite || f.image.empty()) continue;
                const int ow = f.image.width(), oh = f.image.height();
                switch (choice.placement) {
                case NewFramePlacement::LeftTop: f.image = placedOn(f.image, nw, nh, 0, 0); break;
                case NewFramePlacement::Centre: f.image = placedOn(f.image, nw, nh, nw / 2 - ow / 2, nh / 2 - oh / 2); break;
                case NewFramePlacement::Stretch: f.image = resizeNearest(f.image, nw, nh); break;
                }
            }
        }
    }
    return appendFrame(p, sprite, std::move(image));
}

int addNewFrameFromFile(Project& p, Dialogs& dialogs, std::string_view sprite, int current,
                        const AskAddFrameChoice& ask) {
    const std::string file = dialogs.chooseFileToOpen("Select an image", kImageFileFilter);
    if (file.empty()) return current;
    Image image;
    if (Status loaded = loadImage(file, image, Links::Followed); !loaded) {
        dialogs.error(loaded.message());
        return current;
    }
    AddFrameChoice choice;
    if (auto q = addFrameQuestion(p, sprite, image)) {
        std::optional<AddFrameChoice> answer = ask ? ask(*q) : std::nullopt;
        if (!answer) return current;
        choice = *answer;
    }
    return addNewFrame(p, sprite, std::move(image), choice);
}

int duplicateFrame(Project& p, std::string_view sprite, int current) {
    if (!isFrameOf(p, sprite, current)) return current;
    Image copy = p.frames[size_t(current)].image;
    return appendFrame(p, sprite, std::move(copy));
}

int moveFrameLeft(Project& p, std::string_view sprite, int current) {
    if (!isFrameOf(p, sprite, current) || !isFrameOf(p, sprite, current - 1)) return current;
    std::swap(p.frames[size_t(current)], p.frames[size_t(current - 1)]);
    p.markModified();
    return current - 1;
}

int moveFrameRight(Project& p, std::string_view sprite, int current) {
    if (!isFrameOf(p, sprite, current) || !isFrameOf(p, sprite, current + 1)) return current;
    std::swap(p.frames[size_t(current)], p.frames[size_t(current + 1)]);
    p.markModified();
    return current + 1;
}

int deleteFrame(Project& p, std::string_view sprite, int current) {
    if (!isFrameOf(p, sprite, current)) return current;
    p.frames.erase(p.frames.begin() + current);
    p.markModified();
    return firstFrameIndex(p, sprite);
}

Image spriteStrip(const Project& p, std::string_view sprite) {
    const std::vector<size_t> frames = spriteFrameIndices(p, sprite);
    if (frames.empty()) return {};
    const Image& last = p.frames[frames.back()].image;
    const long long w = last.width(), h = last.height();
    if (w <= 0 || h <= 0) return {};
    const long long stripWidth = w * (long long)frames.size();
    // A strip this wide could not be held as one picture.
    if (stripWidth > INT_MAX || (unsigned long long)stripWidth * h * 4 > 4 * kMaxImagePixelBytes) return {};
    Image strip{int(stripWidth), int(h)};
    for (size_t i = 0; i < frames.size(); ++i) drawOver(strip, p.frames[frames[i]].image, int(i * w), 0);
    return strip;
}

std::filesystem::path pngStripProposal(const std::filesystem::path& folder, std::string_view sprite, size_t frames) {
    return folder / (std::string(sprite) + "_strip" + std::to_string(frames));
}

std::string pngFileName(const std::string& chosen) {
    const std::string_view tail = chosen.size() >= 4 ? std::string_view(chosen).substr(chosen.size() - 4) : "";
    const bool hasPng = tail.size() == 4 && tail[0] == '.' && (tail[1] | 0x20) == 'p' && (tail[2] | 0x20) == 'n' &&
                        (tail[3] | 0x20) == 'g';
    return hasPng ? chosen : chosen + ".png";
}

bool saveSpriteAsPngStrip(const Project& p, Dialogs& dialogs, std::string_view sprite,
                          const std::filesystem::path& folder) {
    const int last = lastFrameIndex(p, sprite);
    if (last < 0 || p.frames[size_t(last)].image.empty()) return false;
    const std::string name = dialogs.chooseFileToSave(
        "Save sprite as PNG strip", kPngFileFilter, pngStripProposal(folder, sprite, spriteFrameIndices(p, sprite).size()));
    if (name.empty()) return false;
    const Image strip = spriteStrip(p, sprite);
    if (strip.empty()) {
        dialogs.error("The strip of this sprite is too large to be saved as one picture.");
        return false;
    }
    if (Status saved = savePng(strip, pngFileName(name)); !saved) {
        dialogs.error(saved.message());
        return false;
    }
    return true;
}

void commitFrameEdits(Project& p, std::string_view) {
    p.markModified();
    refreshCanvasImages(p);
}

} // namespace pondaro
