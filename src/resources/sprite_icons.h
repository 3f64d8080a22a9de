#pragma once
// The little pictures of sprites in the object window's boxes: the sprite box shows
// each sprite's, the parent box each template's sprite's. Making one is the costly part
// of filling a box of two thousand rows, so a sprite's icon is made once and kept while
// the studio runs, until the sprite's first frame changes. The window keeps one set for
// all its object windows and calls refresh() before each fill; icon() then looks at a
// sprite's first frame once per refresh (a fingerprint of its pixels) and makes the
// icon again only when the frame is not the one it was made from.
//
// `Made` is what the window shows (a bitmap); core decides when one is made and from
// what: the first frame fitted into a transparent square of the icon's side.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "image/fingerprint.h"
#include "image/fit.h"
#include "project/model.h"

namespace pondaro {

template <class Made>
class SpriteIcons {
public:
    SpriteIcons(int side, std::function<Made(const Image& square)> make) : side_(side), make_(std::move(make)) {}

    // Takes note of every sprite's first frame as the project now holds them. icon()
    // answers for the project as the last refresh saw it: refresh again after a change.
    void refresh(const Project& p) {
        ++generation_;
        // A sprite's frames mostly follow one another: a frame of the sprite just seen
        // is not its first, and needs no lookup.
        const std::string* previous = nullptr;
        for (const Frame& f : p.frames) {
            if (previous && f.sprite == *previous) continue;
            previous = &f.sprite;
            auto it = entries_.find(f.sprite);
            if (it == entries_.end()) it = entries_.try_emplace(f.sprite).first;
            Entry& e = it->second;
            if (e.seen == generation_) continue;  // not the sprite's first frame
            e.seen = generation_;
            e.frame = &f.image;
        }
        // A sprite that went (or was renamed) takes its icon with it.
        std::erase_if(entries_, [&](const auto& entry) { return entry.second.seen != generation_; });
    }

    // The sprite's icon, made now when there is none yet or its frame changed since;
    // nullptr for a sprite without a frame.
    const Made* icon(std::string_view sprite) {
        auto it = entries_.find(sprite);
        if (it == entries_.end() || it->second.frame->empty()) return nullptr;
        Entry& e = it->second;
        if (e.checked != generation_) {
            e.checked = generation_;
            const uint64_t fingerprint = pictureFingerprint(*e.frame);
            if (e.made && e.fingerprint != fingerprint) e.made.reset();
            e.fingerprint = fingerprint;
        }
        if (!e.made) {
            e.made = make_(fitInto(*e.frame, {side_, side_}));
            ++madeCount_;
        }
        return &*e.made;
    }

    // How many icons were made so far.
    size_t madeCount() const { return madeCount_; }

private:
    struct Entry {
        const Image* frame = nullptr;  // the first frame as the last refresh saw it
        uint64_t seen = 0;             // the refresh that saw it
        uint64_t fingerprint = 0;
        uint64_t checked = 0;
        std::optional<Made> made;
    };
    int side_;
    std::function<Made(const Image&)> make_;
    std::unordered_map<std::string, Entry, StringHash, std::equal_to<>> entries_;
    uint64_t generation_ = 0;
    size_t madeCount_ = 0;
};

} // namespace pondaro
