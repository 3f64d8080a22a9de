// The resource panel's cards and the studio's own pictures, and fitting a picture into
// a box.
#include <gtest/gtest.h>

#include "image/artwork.h"
#include "image/draw.h"
#include "image/fit.h"
#include "image/resample.h"
#include "image/thumbnail_cards.h"
#include "image_test_util.h"

using namespace pondaro;
using namespace pondaro::testing;

TEST(Fitting, PicturesFitTheBoxKeepingTheirShape) {
    EXPECT_EQ(fitSize({40, 20}, {60, 60}), (Size{60, 30}));
    EXPECT_EQ(fitSize({20, 40}, {60, 60}), (Size{30, 60}));
    EXPECT_EQ(fitSize({3, 7}, {60, 60}), (Size{26, 60}));  // 25.7 rounds up
    EXPECT_EQ(fitSize({1000, 1}, {60, 60}), (Size{60, 1}));
    EXPECT_EQ(fitSize({0, 5}, {60, 60}), Size{});
}

TEST(Fitting, TheSideThatLimitsIsDecidedExactlyAndPicturesStayInTheBox) {
    // The box's own shape fills it whatever the rounding of the scale would say.
    EXPECT_EQ(fitSize({300, 100}, {240, 80}), (Size{240, 80}));
    EXPECT_EQ(fitSize({7, 3}, {14, 6}), (Size{14, 6}));
    EXPECT_EQ(fitSize({400, 100}, {240, 240}), (Size{240, 60}));
    EXPECT_EQ(fitSize({1, 1000}, {100, 100}), (Size{1, 100}));
    EXPECT_EQ(fitSize({5, 5}, {0, 10}), Size{});
    // Down only, and a picture that fits stays as it is.
    const Image small = patterned(3, 2);
    EXPECT_EQ(fitPicture(small, {10, 10}), small);
    EXPECT_EQ(fitPicture(patterned(20, 10), {10, 10}).width(), 10);
    EXPECT_EQ(fitPicture(patterned(20, 10), {10, 10}).height(), 5);
    // Up or down by the nearest pixel, centred on a transparent box.
    const Image boxed = fitInto(filled(2, 1, {9, 9, 9, 255}), {100, 100});
    ASSERT_EQ(boxed.width(), 100);
    EXPECT_EQ(boxed.pixel(0, 25), (Rgba{9, 9, 9, 255}));
    EXPECT_EQ(boxed.pixel(99, 74), (Rgba{9, 9, 9, 255}));
    EXPECT_EQ(boxed.pixel(50, 24), Rgba{});
    EXPECT_TRUE(fitInto(small, {0, 5}).empty());
}

TEST(Thumbnails, ResamplingAveragesAndTransparentPixelsDoNotDarkenTheEdges) {
    Image half(2, 1);
    half.setPixel(0, 0, {255, 0, 0, 255});
    Image one = resizeAreaAverage(half, 1, 1);
    EXPECT_EQ(one.pixel(0, 0), (Rgba{255, 0, 0, 128}));

    Image checker(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            checker.setPixel(x, y, (x + y) % 2 ? Rgba{0, 0, 0, 255} : Rgba{200, 200, 200, 255});
    Image grey = resizeAreaAverage(checker, 2, 2);
    EXPECT_EQ(grey.pixel(1, 1), (Rgba{100, 100, 100, 255}));
    // Growing keeps a flat colour flat.
    Image big = resizeAreaAverage(filled(3, 3, {9, 99, 199, 255}), 60, 60);
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

    // The picture's box is the checkerboard, so a white picture (and a transparent
    // one) stands out from the white card; outside the box the card stays white.
    const Rgba white{255, 255, 255, 255};
    const Image whiteCard = thumbnailCard(filled(40, 20, white));
    EXPECT_EQ(whiteCard.pixel(45, 20), white);
    EXPECT_EQ(whiteCard.pixel(45, 50), kCheckerLight);
    EXPECT_EQ(whiteCard.pixel(104, 79), kCheckerDark);
    EXPECT_EQ(whiteCard.pixel(44, 20), white);
    EXPECT_EQ(whiteCard.pixel(105, 79), white);
    EXPECT_EQ(thumbnailCard(Image(10, 10)).pixel(50, 25), kCheckerDark);

    // A scene's canvas lies centred on the checkerboard of its 80 x 80 box.
    const Image scene = sceneCard(filled(80, 60, blue));
    EXPECT_EQ(scene.pixel(35, 10), kCheckerDark);
    EXPECT_EQ(scene.pixel(35, 20), blue);
    EXPECT_EQ(scene.pixel(114, 89), kCheckerDark);
    EXPECT_EQ(scene.pixel(115, 89), white);
    EXPECT_EQ(sceneCard(Image()), emptyCard());
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
