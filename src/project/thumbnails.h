#pragma once
// The resource panel's cards of sprites and backgrounds, made on the window thread
// when the panel first draws a record, never for a whole project at once: Open stays
// as quick with two thousand sprites as with two, and only the cards ever shown take
// memory. A card is kept under the fingerprint of the picture it shows, so an edit of
// a sprite's first frame or of a background's picture gives a new card at the next
// ask without any editor having to say so.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "project/model.h"

namespace pondaro {

class ThumbnailCards {
public:
    // The card of the sprite's first frame; null when it has none. Valid until the
    // next call.
    const Image* sprite(const Project& p, std::string_view name);
    // The card of the background's picture: the picture in memory, else its file in the
    // project's image folder under `root` (read now, once); the "no image" card when
    // that cannot be read. Null for a background without a file. Valid until the next call.
    const Image* background(const Project& p, size_t index, const std::filesystem::path& root);

    // Cards made so far (the "no image" card not counted).
    size_t made() const { return made_; }
    // Forgets every card: a project was opened.
    void clear();

private:
    const Image& cardOf(const Image& picture);

    std::unordered_map<uint64_t, Image> byPicture_;
    std::unordered_map<std::string, Image> byFile_;
    size_t made_ = 0;
};

} // namespace pondaro
