#include <gtest/gtest.h>

#include "app/artwork.h"
#include "app/thumbnails.h"
#include "base/files.h"
#include "image/codecs.h"
#include "project/project_file.h"
#include "support/temp_folder.h"

using namespace pondaro;

namespace {

Image filled(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

} // namespace

TEST(Thumbnails, PicturesFitTheBoxKeepingTheirShape) {
    EXPECT_EQ(fitSize(40, 20, 60), (Size2{60, 30}));
    EXPECT_EQ(fitSize(20, 40, 60), (Size2{30, 60}));
    EXPECT_EQ(fitSize(3, 7, 60), (Size2{26, 60}));  // 25.7 rounds up
    EXPECT_EQ(fitSize(1000, 1, 60), (Size2{60, 1}));
    EXPECT_EQ(fitSize(0, 5, 60), Size2{});
}

TEST(Thumbnails, ResamplingAveragesAndTransparentPixelsDoNotDarkenTheEdges) {
    Image half(2, 1);
    half.setPixel(0, 0, {255, 0, 0, 255});
    Image one = resamplePicture(half, 1, 1);
    EXPECT_EQ(one.pixel(0, 0), (Rgba{255, 0, 0, 128}));

    Image checker(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? Rgba{0, 0, 0, 255} : Rgba{200, 200, 200, 255});
    Image grey = resamplePicture(checker, 2, 2);
    EXPECT_EQ(grey.pixel(1, 1), (Rgba{100, 100, 100, 255}));
    // Growing keeps a flat colour flat.
    Image big = resamplePicture(filled(3, 3, {9, 99, 199, 255}), 60, 60);
    EXPECT_EQ(big.pixel(0, 0), (Rgba{9, 99, 199, 255}));
    EXPECT_EQ(big.pixel(59, 59), (Rgba{9, 99, 199, 255}));
}

TEST(Thumbnails, TheCardCarriesThePictureInItsBoxAtFortyFiveTwenty) {
    const Rgba blue{0, 0, 255, 255};
    Image card = thumbnailCard(filled(40, 20, blue));
    ASSERT_EQ(card.width(), 150);
    ASSERT_EQ(card.height(), 100);
    EXPECT_EQ(card.pixel(45, 20), blue);
    EXPECT_EQ(card.pixel(104, 49), blue);   // 60 x 30
    EXPECT_NE(card.pixel(104, 50), blue);
    EXPECT_NE(card.pixel(44, 20), blue);
    EXPECT_EQ(card.pixel(120, 60), (Rgba{255, 255, 255, 255}));  // the white card
    EXPECT_EQ(card.pixel(0, 0), emptyCard().pixel(0, 0));         // its grey ground
    EXPECT_EQ(thumbnailCard(Image()), noImageCard());
}

TEST(Thumbnails, TheNoImageCardIsMutedRedWithAQuestionMark) {
    Image card = noImageCard();
    const Rgba red = card.pixel(20, 50);
    EXPECT_GT(red.r, red.g + 50);
    EXPECT_EQ(red.g, red.b);
    EXPECT_EQ(card.pixel(75, 77), (Rgba{255, 255, 255, 255}));  // the dot
    EXPECT_EQ(card.pixel(75, 68), red);                          // between stem and dot
    EXPECT_EQ(card.pixel(0, 0), emptyCard().pixel(0, 0));
}

TEST(Thumbnails, RefreshGivesSpritesAndBackgroundsTheirCards) {
    TempFolder root;
    Project p;
    p.name = "game";
    for (const char* name : {"withframes", "empty"}) {
        Sprite s;
        s.name = name;
        p.sprites.add(s);
    }
    p.frames.push_back({"0", "withframes", filled(10, 10, {0, 255, 0, 255})});
    p.frames.push_back({"1", "withframes", filled(10, 10, {255, 0, 0, 255})});
    Background inMemory, onDisk, missing, none;
    inMemory.name = "mem";
    inMemory.file = "mem.png";
    inMemory.picture = filled(8, 8, {1, 1, 250, 255});
    onDisk.name = "disk";
    onDisk.file = "disk.png";
    missing.name = "missing";
    missing.file = "gone.png";
    none.name = "none";
    for (auto* b : {&inMemory, &onDisk, &missing, &none}) p.backgrounds.add(*b);
    ASSERT_TRUE(ensureDirectory(projectsFolder(root.path()) / "game" / "img"));
    ASSERT_TRUE(savePng(filled(8, 4, {250, 250, 0, 255}), projectsFolder(root.path()) / "game" / "img" / "disk.png"));

    refreshThumbnails(p, root.path());
    EXPECT_EQ(p.sprites[0].preview.pixel(60, 40), (Rgba{0, 255, 0, 255}));  // the first frame
    EXPECT_EQ(p.sprites[1].preview, noImageCard());
    EXPECT_EQ(p.backgrounds[0].preview.pixel(50, 25), (Rgba{1, 1, 250, 255}));
    EXPECT_EQ(p.backgrounds[1].preview.pixel(50, 25), (Rgba{250, 250, 0, 255}));
    EXPECT_EQ(p.backgrounds[2].preview, noImageCard());
    EXPECT_TRUE(p.backgrounds[3].preview.empty());
}

TEST(Thumbnails, ASceneCardCentresTheCanvasInItsBox) {
    Image card = sceneThumbnailCard(filled(160, 80, {0, 0, 0, 255}));
    EXPECT_EQ(card.pixel(35, 30), (Rgba{0, 0, 0, 255}));  // 80 x 40 from (35, 30)
    EXPECT_EQ(card.pixel(114, 69), (Rgba{0, 0, 0, 255}));
    EXPECT_NE(card.pixel(75, 29), (Rgba{0, 0, 0, 255}));
}

TEST(Artwork, EveryPictureHasItsSizeAndIsDrawn) {
    for (Icon icon : {Icon::Sprite, Icon::Sound, Icon::Music, Icon::Background, Icon::Font, Icon::Object, Icon::Scene,
                      Icon::Function, Icon::Merge, Icon::Run, Icon::ResetOrder, Icon::SortAscending,
                      Icon::SortDescending, Icon::Preferences, Icon::VersionCheck, Icon::Variables, Icon::Comments,
                      Icon::Extensions, Icon::Document, Icon::Folder, Icon::Disk}) {
        Image img = drawIcon(icon, 16);
        int opaque = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x) opaque += img.pixel(x, y).a > 128;
        EXPECT_GT(opaque, 12) << int(icon);   // something is drawn
        EXPECT_LT(opaque, 256) << int(icon);  // on a transparent ground
    }
    EXPECT_EQ(splashArt(800, 600).width(), 800);
    EXPECT_EQ(aboutArt(500, 350).height(), 350);
    EXPECT_EQ(placeholderArt(240, 240).pixel(0, 0).a, 255);
    EXPECT_NE(iconCard(Icon::Music), emptyCard());
}
