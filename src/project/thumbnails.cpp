#include "project/thumbnails.h"

#include "image/artwork.h"
#include "image/codecs.h"
#include "image/fingerprint.h"
#include "image/thumbnail_cards.h"
#include "project/project_file.h"

namespace pondaro {

namespace {
// Scrolling through a huge page keeps at most this many cards (about 60 KB each).
constexpr size_t kCardLimit = 1000;
} // namespace

const Image& ThumbnailCards::cardOf(const Image& picture) {
    const uint64_t key = pictureFingerprint(picture);
    if (auto it = byPicture_.find(key); it != byPicture_.end()) return it->second;
    if (byPicture_.size() >= kCardLimit) byPicture_.clear();
    ++made_;
    return byPicture_.emplace(key, thumbnailCard(picture)).first->second;
}

const Image* ThumbnailCards::sprite(const Project& p, std::string_view name) {
    const Image* first = p.firstFrameImage(name);
    return first ? &cardOf(*first) : nullptr;
}

const Image* ThumbnailCards::background(const Project& p, size_t index, const std::filesystem::path& root) {
    if (index >= p.backgrounds.size()) return nullptr;
    const Background& b = p.backgrounds[index];
    if (b.file.empty()) return nullptr;
    if (b.picture && !b.picture->empty()) return &cardOf(*b.picture);
    const auto path = projectsFolder(root) / p.name / p.imgfolder / b.file;
    const std::string key = path.string();
    if (auto it = byFile_.find(key); it != byFile_.end()) return &it->second;
    if (byFile_.size() >= kCardLimit) byFile_.clear();
    Image picture;
    Image card = (!p.name.empty() && loadImage(path, picture)) ? thumbnailCard(picture) : noImageCard();
    ++made_;
    return &byFile_.emplace(key, std::move(card)).first->second;
}

void ThumbnailCards::clear() {
    byPicture_.clear();
    byFile_.clear();
}

} // namespace pondaro
