#include "project/thumbnails.h"

#include <string_view>
#include <unordered_map>

#include "image/artwork.h"
#include "image/codecs.h"
#include "image/thumbnail_cards.h"
#include "project/project_file.h"

namespace pondaro {

void refreshSpriteThumbnail(Project& p, size_t spriteIndex) {
    if (spriteIndex >= p.sprites.size()) return;
    const Image* first = p.firstFrameImage(p.sprites[spriteIndex].name);
    p.sprites.edit(spriteIndex, [&](Sprite& s) { s.preview = first ? thumbnailCard(*first) : noImageCard(); });
}

void refreshThumbnails(Project& p, const std::filesystem::path& root) {
    // The first frame of every sprite in one pass over the frame list.
    std::unordered_map<std::string_view, const Image*> firstFrames;
    for (const Frame& f : p.frames) firstFrames.try_emplace(f.sprite, &f.image);
    p.sprites.editEach([&](Sprite& s) {
        auto it = firstFrames.find(s.name);
        s.preview = it == firstFrames.end() ? noImageCard() : thumbnailCard(*it->second);
    });
    p.backgrounds.editEach([&](Background& b) {
        if (b.file.empty()) return;
        if (b.picture && !b.picture->empty()) {
            b.preview = thumbnailCard(*b.picture);
            return;
        }
        Image picture;
        const auto path = projectsFolder(root) / p.name / p.imgfolder / b.file;
        b.preview = (!p.name.empty() && loadImage(path, picture)) ? thumbnailCard(picture) : noImageCard();
    });
}

} // namespace pondaro
