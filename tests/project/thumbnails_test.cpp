// The panel's cards of sprites and backgrounds, made when asked for.
#include <gtest/gtest.h>

#include "base/files.h"
#include "image/artwork.h"
#include "image/codecs.h"
#include "project/project_file.h"
#include "project/thumbnails.h"
#include "support/temp_folder.h"

using namespace pondaro;

namespace {

Image filled(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

constexpr Rgba kGreen{0, 255, 0, 255}, kRed{255, 0, 0, 255};

} // namespace

TEST(ThumbnailCards, SpriteCardsAreMadeOnlyWhenAskedAndFollowTheFirstFrame) {
    Project p;
    for (const char* name : {"a", "b", "c", "empty"}) {
        Sprite s;
        s.name = name;
        p.sprites.add(s);
    }
    for (const char* sprite : {"a", "b", "c"}) p.frames.push_back({sprite, sprite, filled(10, 10, kGreen)});
    p.frames.push_back({"a1", "a", filled(10, 10, kRed)});
    p.frames[1].image.fill({0, 0, 200, 255});
    ThumbnailCards cards;
    EXPECT_EQ(cards.made(), 0u);

    struct Ask {
        const char* sprite;
        size_t madeAfter;
        Rgba centre;
    };
    // "a" twice is one card; the second frame of "a" never shows.
    const Ask asks[] = {{"a", 1, kGreen}, {"a", 1, kGreen}, {"b", 2, {0, 0, 200, 255}}};
    for (const Ask& ask : asks) {
        const Image* card = cards.sprite(p, ask.sprite);
        ASSERT_NE(card, nullptr) << ask.sprite;
        EXPECT_EQ(card->pixel(75, 50), ask.centre) << ask.sprite;
        EXPECT_EQ(cards.made(), ask.madeAfter) << ask.sprite;
    }
    EXPECT_EQ(cards.sprite(p, "empty"), nullptr);
    EXPECT_EQ(cards.sprite(p, "nobody"), nullptr);

    // An edit of the first frame in place gives a new card at the next ask.
    p.frames[0].image.fill(kRed);
    EXPECT_EQ(cards.sprite(p, "a")->pixel(75, 50), kRed);
    EXPECT_EQ(cards.made(), 3u);
}

TEST(ThumbnailCards, BackgroundCardsComeFromThePictureElseTheFile) {
    TempFolder root;
    Project p;
    p.name = "game";
    Background inMemory, onDisk, missing, none;
    inMemory.name = "mem";
    inMemory.file = "mem.png";
    inMemory.picture = std::make_shared<const Image>(filled(8, 8, {1, 1, 250, 255}));
    onDisk.name = "disk";
    onDisk.file = "disk.png";
    missing.name = "missing";
    missing.file = "gone.png";
    none.name = "none";
    for (auto* b : {&inMemory, &onDisk, &missing, &none}) p.backgrounds.add(*b);
    ASSERT_TRUE(ensureDirectory(projectsFolder(root.path()) / "game" / "img"));
    ASSERT_TRUE(savePng(filled(8, 4, {250, 250, 0, 255}), projectsFolder(root.path()) / "game" / "img" / "disk.png"));

    ThumbnailCards cards;
    EXPECT_EQ(cards.background(p, 0, root.path())->pixel(50, 25), (Rgba{1, 1, 250, 255}));
    EXPECT_EQ(cards.background(p, 1, root.path())->pixel(50, 25), (Rgba{250, 250, 0, 255}));
    EXPECT_EQ(*cards.background(p, 2, root.path()), noImageCard());
    EXPECT_EQ(cards.background(p, 3, root.path()), nullptr);
    EXPECT_EQ(cards.background(p, 9, root.path()), nullptr);
    EXPECT_EQ(cards.made(), 3u);
}
