// The effect dialogs: number rows, corrections, the preview and "OK" over one or all
// frames, and the two size dialogs.
#include <gtest/gtest.h>

#include "image/draw.h"
#include "image/image_test_util.h"
#include "sprites/effect_dialog.h"

using namespace pondaro;
using namespace pondaro::testing;

TEST(NumberFields, OutOfRangeValuesAreRewrittenWithTheBound) {
    auto c = correctNumberField("300", -255, 255);
    EXPECT_EQ(c.value, 255);
    EXPECT_EQ(c.rewrite, "255");
    c = correctNumberField("-300", -255, 255);
    EXPECT_EQ(c.value, -255);
    EXPECT_EQ(c.rewrite, "-255");
    c = correctNumberField("abc", 2, 120);  // not a number reads as 0, below 2
    EXPECT_EQ(c.value, 2);
    EXPECT_EQ(c.rewrite, "2");
    c = correctNumberField("abc", -255, 255);  // 0 is in range: the text stays
    EXPECT_EQ(c.value, 0);
    EXPECT_FALSE(c.rewrite);
    c = correctNumberField(" 42xyz", 0, 100);
    EXPECT_EQ(c.value, 42);
    EXPECT_FALSE(c.rewrite);
}

TEST(NumberFields, ShiftRangesFollowTheFrameSize) {
    auto shift = effectNumberRows(Effect::Shift, 10, 6);
    ASSERT_EQ(shift.size(), 2u);
    EXPECT_EQ(shift[0].sliderMax, 21);
    EXPECT_EQ(shift[0].fieldMin, -10);
    EXPECT_EQ(shift[1].fieldMax, 6);
    EXPECT_EQ(shift[1].fieldValue(shift[1].sliderInitial), 0);
    EXPECT_EQ(shift[1].sliderPosition(-100), 0);
}

namespace {

struct ThreeFrames {
    ThreeFrames() {
        addFrame(p, "hero", "0", patterned(4, 3));
        addFrame(p, "other", "0", patterned(4, 3));
        addFrame(p, "hero", "1", patterned(4, 3));
        addFrame(p, "hero", "2", Image{});  // a frame that lost its pixels
    }
    Project p;
};

} // namespace

TEST(EffectPreview, OpensOnlyOnAFrameOfTheSpriteWithPixels) {
    ThreeFrames t;
    EXPECT_FALSE(openEffectPreview(t.p, Effect::Invert, "hero", -1, 0));
    EXPECT_FALSE(openEffectPreview(t.p, Effect::Invert, "hero", 1, 0));  // another sprite's
    EXPECT_FALSE(openEffectPreview(t.p, Effect::Invert, "hero", 3, 0));  // no pixels
    EXPECT_FALSE(openEffectPreview(t.p, Effect::Invert, "hero", 9, 0));
    auto preview = openEffectPreview(t.p, Effect::Invert, "hero", 2, 0);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->width, 4);
    EXPECT_EQ(preview->height, 3);
    EXPECT_TRUE(preview->applyToAllFrames);
}

TEST(EffectPreview, OkChangesTheCurrentFrameOrEveryFrameOfTheSprite) {
    ThreeFrames t;
    auto preview = openEffectPreview(t.p, Effect::Brightness, "hero", 2, 0);
    ASSERT_TRUE(preview);
    preview->params.level = 255;
    preview->applyToAllFrames = false;
    recomputePreview(*preview);
    EXPECT_EQ(applyEffectPreview(t.p, *preview), 1);
    EXPECT_EQ(t.p.frames[2].image.pixel(0, 0), (Rgba{255, 255, 255, 128}));
    EXPECT_EQ(t.p.frames[0].image, patterned(4, 3));

    preview->applyToAllFrames = true;
    EXPECT_EQ(applyEffectPreview(t.p, *preview), 2);  // the empty frame is skipped
    EXPECT_EQ(t.p.frames[0].image.pixel(1, 0), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(t.p.frames[1].image, patterned(4, 3));  // another sprite
    EXPECT_TRUE(t.p.frames[3].image.empty());
    EXPECT_TRUE(t.p.modified());
}

TEST(EffectPreview, NoiseOfThePreviewIsTheNoiseOkApplies) {
    Project p;
    addFrame(p, "s", "0", filled(16, 16, {100, 100, 100, 255}));
    addFrame(p, "s", "1", filled(16, 16, {100, 100, 100, 255}));
    auto preview = openEffectPreview(p, Effect::Noise, "s", 0, 1234);
    ASSERT_TRUE(preview);
    preview->params.level = 50;
    recomputePreview(*preview);
    const Image first = renderEffectPreview(p, *preview, PreviewPane::Modified, {0, 0, 16, 16});
    recomputePreview(*preview);
    const Image shown = renderEffectPreview(p, *preview, PreviewPane::Modified, {0, 0, 16, 16});
    EXPECT_NE(shown, first);  // every recompute draws new noise
    applyEffectPreview(p, *preview);
    Image expected(16, 16);
    drawCheckerboard(expected);
    drawOver(expected, p.frames[1].image, 0, 0);
    EXPECT_EQ(p.frames[0].image, p.frames[1].image);
    EXPECT_EQ(expected, shown);
}

TEST(EffectPreview, CanvasAndTheColourShownForEraseAColour) {
    Image frame(20, 20);
    frame.setPixel(17, 0, {255, 0, 0, 255});
    frame.setPixel(18, 0, {255, 255, 255, 128});
    Project p;
    addFrame(p, "s", "0", frame);
    auto preview = openEffectPreview(p, Effect::Invert, "s", 0, 0);
    ASSERT_TRUE(preview);
    Image canvas = renderEffectPreview(p, *preview, PreviewPane::Original, {0, 0, 20, 20});
    EXPECT_EQ(canvas.pixel(0, 0), kCheckerDark);
    EXPECT_EQ(canvas.pixel(16, 0), kCheckerLight);
    EXPECT_EQ(canvas.pixel(17, 0), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(colourShownAt(frame, 0, 0), kCheckerDark);
    EXPECT_EQ(colourShownAt(frame, 18, 0), (Rgba{213, 213, 213, 255}));  // white half over (170, 170, 170)
    EXPECT_FALSE(colourShownAt(frame, 20, 0));
}

TEST(SizeDialogs, ProposalsKeepTheAspectRatio) {
    Project p;
    addFrame(p, "s", "0", Image(64, 32));
    auto d = openSizeDialog(p, SizeOperation::Stretch, "s");
    ASSERT_TRUE(d);
    EXPECT_EQ(d->width, 64);
    EXPECT_EQ(heightForWidth(*d, "32"), "16");
    EXPECT_EQ(widthForHeight(*d, "48"), "96");
    EXPECT_EQ(heightForWidth(*d, "33"), "17");  // 16.5, no decimals
    EXPECT_FALSE(openSizeDialog(p, SizeOperation::Stretch, "nobody"));
    EXPECT_STREQ(sizeDialogTitle(SizeOperation::ResizeCanvas), "Resize canvas");
}

TEST(SizeDialogs, OkResizesEveryFrameAndRefusesEmptyOrHugeSizes) {
    Project p;
    addFrame(p, "s", "0", patterned(6, 6));
    addFrame(p, "t", "0", patterned(6, 6));
    addFrame(p, "s", "1", patterned(6, 6));
    auto d = openSizeDialog(p, SizeOperation::ResizeCanvas, "s");
    ASSERT_TRUE(d);
    EXPECT_FALSE(applySizeDialog(p, *d, "0", "4").empty());
    EXPECT_FALSE(applySizeDialog(p, *d, "4", "abc").empty());
    EXPECT_FALSE(applySizeDialog(p, *d, "100000", "100000").empty());
    EXPECT_EQ(p.frames[0].image, patterned(6, 6));

    EXPECT_EQ(applySizeDialog(p, *d, "2", "2"), "");
    EXPECT_EQ(p.frames[0].image.width(), 2);
    EXPECT_EQ(p.frames[0].image.pixel(0, 0), patterned(6, 6).pixel(2, 2));  // cropped around the centre
    EXPECT_EQ(p.frames[2].image.height(), 2);
    EXPECT_EQ(p.frames[1].image.width(), 6);

    auto s = openSizeDialog(p, SizeOperation::Stretch, "s");
    ASSERT_TRUE(s);
    s->smooth = false;
    EXPECT_EQ(applySizeDialog(p, *s, "4", "4"), "");
    EXPECT_EQ(p.frames[0].image.pixel(1, 1), patterned(6, 6).pixel(2, 2));
    EXPECT_EQ(p.frames[0].image.pixel(3, 3), patterned(6, 6).pixel(3, 3));
}
