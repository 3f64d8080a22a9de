#pragma once
// The thumbnail cards sprites and backgrounds carry for the resource panel, rebuilt
// when a project has been opened and when an editor changes their pictures.
#include <cstddef>
#include <filesystem>

#include "project/model.h"

namespace pondaro {

// The card of one sprite, after an image tool replaced its frames: its first frame's
// card, or the "no image" card when it has none.
void refreshSpriteThumbnail(Project& p, size_t spriteIndex);

// Refresh thumbnails: every sprite gets the card of its first frame (the "no image"
// card without frames); every background with a file gets the card of its picture -
// the picture in memory, else the file in the project's image folder; one that cannot
// be read gets the "no image" card.
void refreshThumbnails(Project& p, const std::filesystem::path& root);

} // namespace pondaro
