// The image editor's tools, undo, frame stepping, zoom limits and view.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "image/codecs.h"
#include "image/image_test_util.h"
#include "sprites/image_editor.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kGrey{100, 100, 100, 255};

struct Editing {
    explicit Editing(Image img = filled(10, 10, kGrey)) {
        addFrame(p, "s", "0", std::move(img));
        addFrame(p, "t", "0", Image(4, 4));
        addFrame(p, "s", "1", filled(300, 200, kBlack));
        ed = *openImageEditor(p, "s", 0);
    }
    Image& img() { return *editedImage(p, ed); }
    void click(int x, int y, MouseButton b = MouseButton::Left) {
        pressButton(p, ed, b, x * ed.zoom, y * ed.zoom);
        releaseButton(p, ed, b, x * ed.zoom, y * ed.zoom);
    }
    void drag(int x0, int y0, int x1, int y1, MouseButton b = MouseButton::Left) {
        pressButton(p, ed, b, x0 * ed.zoom, y0 * ed.zoom);
        movePointer(p, ed, x1 * ed.zoom, y1 * ed.zoom);
        releaseButton(p, ed, b, x1 * ed.zoom, y1 * ed.zoom);
    }
    Project p;
    ImageEditor ed;
};

} // namespace

TEST(ImageEditorOpen, OnlyOnAFrameOfTheSpriteWithPixels) {
    Project p;
    addFrame(p, "s", "0", Image{});
    addFrame(p, "s", "1", Image(3, 3));
    EXPECT_FALSE(openImageEditor(p, "s", 0));
    EXPECT_FALSE(openImageEditor(p, "other", 1));
    EXPECT_FALSE(openImageEditor(p, "s", 5));
    auto ed = openImageEditor(p, "s", 1);
    ASSERT_TRUE(ed);
    EXPECT_EQ(ed->position, 1u);
}

TEST(ImageEditorDraw, PressSetsAPixelAndMovementDrawsFromThePressPoint) {
    Editing e;
    e.ed.zoom = 2;
    // The refresh timer last saw the pointer far away; the stroke still starts at the press.
    movePointer(e.p, e.ed, 18, 18);
    refreshTick(e.ed);
    pressButton(e.p, e.ed, MouseButton::Left, 2, 2);  // pixel (1, 1)
    EXPECT_EQ(e.img().pixel(1, 1), kWhite);
    movePointer(e.p, e.ed, 10, 2);  // pixel (5, 1)
    for (int x = 1; x <= 5; ++x) EXPECT_EQ(e.img().pixel(x, 1), kWhite) << x;
    EXPECT_EQ(e.img().pixel(9, 9), kGrey);
    EXPECT_EQ(e.img().pixel(6, 1), kGrey);
    releaseButton(e.p, e.ed, MouseButton::Left, 10, 2);
    movePointer(e.p, e.ed, 18, 10);  // no button held: nothing drawn
    EXPECT_EQ(e.img().pixel(8, 4), kGrey);
    EXPECT_EQ(e.ed.pointerX, 9);
    EXPECT_EQ(e.ed.pointerY, 5);
}

TEST(ImageEditorDraw, RightButtonAndBlendedColourBlendOncePerPixel) {
    Editing e(filled(10, 10, {0, 0, 0, 255}));
    e.ed.mode = ColourMode::AlphaBlend;
    e.ed.rightColour = {255, 255, 255, 128};
    pressButton(e.p, e.ed, MouseButton::Right, 0, 0);
    movePointer(e.p, e.ed, 3, 0);
    movePointer(e.p, e.ed, 6, 0);
    releaseButton(e.p, e.ed, MouseButton::Right, 6, 0);
    // Every pixel of the stroke, the joint (3, 0) included, blended exactly once.
    for (int x = 0; x <= 6; ++x) EXPECT_EQ(e.img().pixel(x, 0), (Rgba{128, 128, 128, 255})) << x;
}

TEST(ImageEditorErase, AlphaIsTwoHundredFiftyFiveMinusOpacityColourKept) {
    Editing e(filled(10, 10, {10, 20, 30, 77}));
    e.ed.tool = EditorTool::Erase;
    pressButton(e.p, e.ed, MouseButton::Left, 1, 1);
    movePointer(e.p, e.ed, 2, 1);
    releaseButton(e.p, e.ed, MouseButton::Left, 2, 1);
    EXPECT_EQ(e.img().pixel(1, 1), (Rgba{10, 20, 30, 0}));
    EXPECT_EQ(e.img().pixel(2, 1), (Rgba{10, 20, 30, 0}));
    setOpacity(e.ed, 0);
    e.click(3, 3);
    EXPECT_EQ(e.img().pixel(3, 3), (Rgba{10, 20, 30, 255}));
    e.ed.mode = ColourMode::AlphaBlend;  // whatever the colour mode
    setOpacity(e.ed, 55);
    e.click(4, 4);
    EXPECT_EQ(e.img().pixel(4, 4).a, 200);
}

TEST(ImageEditorPicker, TakesColourAndOpacity) {
    Editing e;
    e.img().setPixel(2, 2, {1, 2, 3, 100});
    e.ed.tool = EditorTool::Picker;
    e.click(2, 2, MouseButton::Right);
    EXPECT_EQ(e.ed.rightColour, (Rgba{1, 2, 3, 100}));
    EXPECT_EQ(e.ed.opacity, 100);
    EXPECT_EQ(e.ed.leftColour, kWhite);
    pressButton(e.p, e.ed, MouseButton::Left, -5, 2);  // outside the frame: nothing
    EXPECT_EQ(e.ed.leftColour, kWhite);
}

TEST(ImageEditorShapes, RectangleDraggedBackwardsIncludesBothCorners) {
    Editing e;
    e.ed.tool = EditorTool::Rectangle;
    e.drag(5, 5, 2, 3);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x <= 5 && y >= 3 && y <= 5;
            EXPECT_EQ(e.img().pixel(x, y), inside ? kWhite : kGrey) << x << "," << y;
        }
}

TEST(ImageEditorShapes, RubberBandShowsInTheViewAndOnlyTheLastShapeStays) {
    Editing e;
    e.ed.tool = EditorTool::Line;
    pressButton(e.p, e.ed, MouseButton::Left, 0, 0);
    movePointer(e.p, e.ed, 9, 0);
    EXPECT_EQ(e.img().pixel(9, 0), kGrey);  // not yet in the frame
    Image view = renderImageEditorView(e.p, e.ed, {0, 0, 10, 10});
    EXPECT_EQ(view.pixel(9, 0), kWhite);
    movePointer(e.p, e.ed, 0, 9);
    releaseButton(e.p, e.ed, MouseButton::Left, 0, 9);
    EXPECT_EQ(e.img().pixel(0, 9), kWhite);
    EXPECT_EQ(e.img().pixel(9, 0), kGrey);  // the earlier rubber band is gone
    EXPECT_EQ(countPixels(e.img(), kWhite), 10);

    e.ed.tool = EditorTool::Ellipse;
    e.drag(5, 5, 7, 6);
    EXPECT_EQ(e.img().pixel(7, 5), kWhite);
    EXPECT_EQ(e.img().pixel(3, 5), kWhite);
    EXPECT_EQ(e.img().pixel(5, 4), kWhite);
    EXPECT_EQ(e.img().pixel(8, 5), kGrey);
    // A click without a drag leaves a one-pixel shape and never an old buffer.
    e.ed.tool = EditorTool::Rectangle;
    e.click(9, 9);
    EXPECT_EQ(e.img().pixel(9, 9), kWhite);
    EXPECT_EQ(e.img().pixel(7, 5), kWhite);
}

TEST(ImageEditorFill, CrossesAlphaButNotDiagonals) {
    Editing e(filled(6, 6, kBlack));
    e.img().setPixel(0, 0, {10, 20, 30, 0});
    e.img().setPixel(1, 0, {10, 20, 30, 255});
    e.img().setPixel(2, 1, {10, 20, 30, 255});  // diagonal to (1, 0)
    e.ed.tool = EditorTool::Fill;
    e.ed.mode = ColourMode::AlphaBlend;  // fill replaces whatever the mode
    e.ed.leftColour = {200, 0, 0, 50};
    e.click(0, 0);
    EXPECT_EQ(e.img().pixel(0, 0), (Rgba{200, 0, 0, 50}));
    EXPECT_EQ(e.img().pixel(1, 0), (Rgba{200, 0, 0, 50}));
    EXPECT_EQ(e.img().pixel(2, 1), (Rgba{10, 20, 30, 255}));
    // Filling with the start's own colour ends and sets the alpha.
    e.ed.leftColour = {0, 0, 0, 9};
    e.click(5, 5);
    EXPECT_EQ(e.img().pixel(3, 3), (Rgba{0, 0, 0, 9}));
}

TEST(ImageEditorUndo, OneLevelRestoresBeforeTheLastStrokeOnly) {
    Editing e;
    e.click(1, 1);
    e.click(2, 2);
    undoLastChange(e.p, e.ed);
    EXPECT_EQ(e.img().pixel(1, 1), kWhite);
    EXPECT_EQ(e.img().pixel(2, 2), kGrey);
    undoLastChange(e.p, e.ed);
    EXPECT_EQ(e.img().pixel(1, 1), kWhite);
}

TEST(ImageEditorFrames, StepsWithoutWrapping) {
    Editing e;
    previousFrame(e.p, e.ed);
    EXPECT_EQ(e.ed.position, 0u);
    nextFrame(e.p, e.ed);
    EXPECT_EQ(e.ed.position, 1u);
    EXPECT_EQ(e.img().width(), 300);  // the other sprite's frame is skipped
    nextFrame(e.p, e.ed);
    EXPECT_EQ(e.ed.position, 1u);
    e.click(0, 0);
    undoLastChange(e.p, e.ed);
    EXPECT_EQ(e.img().pixel(0, 0), kBlack);
    // Undo after stepping restores the frame as it was when shown, not another frame.
    e.click(0, 0);
    previousFrame(e.p, e.ed);
    nextFrame(e.p, e.ed);
    undoLastChange(e.p, e.ed);
    EXPECT_EQ(e.img().pixel(0, 0), kWhite);
}

TEST(ImageEditorZoom, LimitsOfTheCanvas) {
    Editing e;
    nextFrame(e.p, e.ed);  // 300 x 200
    for (int i = 0; i < 10; ++i) zoomIn(e.p, e.ed);
    EXPECT_EQ(e.ed.zoom, 3);
    EXPECT_EQ(canvasWidth(e.p, e.ed), 900);
    wheelZoom(e.p, e.ed, -1);  // turning back would zoom in to 4: refused
    EXPECT_EQ(e.ed.zoom, 3);
    wheelZoom(e.p, e.ed, 5);
    EXPECT_EQ(e.ed.zoom, 1);
    zoomOut(e.ed);
    EXPECT_EQ(e.ed.zoom, 1);

    Editing small(filled(16, 16, kGrey));
    for (int i = 0; i < 100; ++i) zoomIn(small.p, small.ed);
    EXPECT_EQ(small.ed.zoom, 64);
    wheelZoom(small.p, small.ed, -1'000'000'000);
    EXPECT_EQ(small.ed.zoom, 64);
    resetZoom(small.ed);
    EXPECT_EQ(small.ed.zoom, 1);
}

TEST(ImageEditorView, GridFromZoomFourAndStretchedBackdrop) {
    Editing e(Image(10, 10));
    e.ed.zoom = 3;
    Image v3 = renderImageEditorView(e.p, e.ed, {0, 0, 30, 30});
    EXPECT_EQ(v3.pixel(3, 1), kCheckerDark);
    e.ed.zoom = 4;
    Image v4 = renderImageEditorView(e.p, e.ed, {0, 0, 40, 40});
    EXPECT_EQ(v4.pixel(4, 1), (Rgba{128, 128, 128, 255}));  // inverted (127, 127, 127)
    EXPECT_EQ(v4.pixel(5, 1), kCheckerDark);
    e.ed.grid = false;
    EXPECT_EQ(renderImageEditorView(e.p, e.ed, {0, 0, 40, 40}).pixel(4, 1), kCheckerDark);
    // Beyond the canvas the region stays empty.
    EXPECT_EQ(renderImageEditorView(e.p, e.ed, {30, 0, 20, 1}).pixel(15, 0), Rgba{});

    // A 1600 pixel wide canvas doubles the backdrop's squares.
    Project p;
    addFrame(p, "wide", "0", Image(1600, 10));
    auto wide = openImageEditor(p, "wide", 0);
    Image v = renderImageEditorView(p, *wide, {0, 0, 40, 1});
    EXPECT_EQ(v.pixel(31, 0), kCheckerDark);
    EXPECT_EQ(v.pixel(32, 0), kCheckerLight);
}

TEST(ImageEditorColours, OpacityBarPalettesAndStatus) {
    Editing e;
    setOpacityFromBar(e.ed, 42);
    EXPECT_EQ(e.ed.opacity, 128);
    EXPECT_EQ(e.ed.leftColour.a, 128);
    EXPECT_EQ(e.ed.rightColour.a, 128);
    setOpacityFromBar(e.ed, 200);
    EXPECT_EQ(e.ed.opacity, 255);
    setOpacityFromBar(e.ed, -3);
    EXPECT_EQ(e.ed.opacity, 0);
    setOpacity(e.ed, 77);
    setColourFromPalette(e.ed, MouseButton::Right, {1, 2, 3, 255});
    EXPECT_EQ(e.ed.rightColour, (Rgba{1, 2, 3, 77}));
    Image bar = renderOpacityBar(128);  // 43 of 85 pixels, inside a black 85 x 19 frame
    EXPECT_EQ(bar.pixel(42, 10), (Rgba{100, 200, 100, 255}));
    EXPECT_EQ(bar.pixel(43, 10), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(bar.pixel(84, 18), (Rgba{0, 0, 0, 255}));

    e.ed.zoom = 3;
    movePointer(e.p, e.ed, 7, 13);
    auto texts = statusTexts(e.p, e.ed);
    EXPECT_EQ(texts[0], "Dimension: 10 x 10");
    EXPECT_EQ(texts[1], "X:Y = 2:4");
    EXPECT_EQ(texts[2], "Zoom: 300%");
}

TEST(ImageEditorFiles, NewOpenAndSave) {
    TempFolder folder;
    Editing e;
    FakeDialogs d;
    d.yesNo = {false, true};
    newImage(e.p, e.ed, d);
    EXPECT_EQ(e.img().pixel(0, 0), kGrey);
    newImage(e.p, e.ed, d);
    EXPECT_EQ(e.img(), Image(10, 10));
    EXPECT_EQ(d.shown[0], (Shown{"Confirm", "Create a new empty image?"}));

    ASSERT_TRUE(savePng(filled(5, 5, {0, 0, 255, 255}), folder.path() / "blue.png"));
    d.files = {(folder.path() / "blue.png").string(), (folder.path() / "nothing.png").string(), "",
               (folder.path() / "saved").string(), (folder.path() / "named.png").string(),
               (folder.path() / "no-folder" / "x").string()};
    openImage(e.p, e.ed, d);
    EXPECT_EQ(e.img().width(), 10);
    EXPECT_EQ(e.img().pixel(9, 9), (Rgba{0, 0, 255, 255}));
    undoLastChange(e.p, e.ed);  // the snapshot is the opened picture
    EXPECT_EQ(e.img().pixel(9, 9), (Rgba{0, 0, 255, 255}));
    openImage(e.p, e.ed, d);  // unreadable: reported, unchanged
    EXPECT_TRUE(d.anyShown("Error"));
    EXPECT_EQ(e.img().pixel(0, 0), (Rgba{0, 0, 255, 255}));
    EXPECT_FALSE(saveImage(e.p, e.ed, d, folder.path()));  // cancelled
    EXPECT_EQ(d.proposals.back(), folder.path() / "s");      // the sprite's name
    ASSERT_TRUE(saveImage(e.p, e.ed, d, folder.path()));
    Image back;
    ASSERT_TRUE(loadImage(folder.path() / "saved.png", back));
    EXPECT_EQ(back, e.img());
    EXPECT_TRUE(d.anyShown("Save image as PNG "));
    ASSERT_TRUE(saveImage(e.p, e.ed, d, folder.path()));  // a name with ".png" gets no second one
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "named.png"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "named.png.png"));
    const size_t errors = d.shown.size();
    EXPECT_FALSE(saveImage(e.p, e.ed, d, folder.path()));  // a folder that is not there
    ASSERT_GT(d.shown.size(), errors);
    EXPECT_EQ(d.shown.back().title, "Error");
}

// The window draws again only the canvas area core names after each event: every view
// pixel a tool changes must lie inside it.
TEST(ImageEditorView, TheChangedAreaHoldsEveryChangedViewPixel) {
    using Step = std::function<void(Editing&)>;
    struct Case {
        const char* what;
        Step before, step;
    };
    auto press = [](EditorTool tool, int x, int y) {
        return [=](Editing& e) {
            e.ed.tool = tool;
            pressButton(e.p, e.ed, MouseButton::Left, x * 3, y * 3);
        };
    };
    auto move = [](int x, int y) { return [=](Editing& e) { movePointer(e.p, e.ed, x * 3 + 1, y * 3 + 2); }; };
    auto release = [](int x, int y) {
        return [=](Editing& e) { releaseButton(e.p, e.ed, MouseButton::Left, x * 3, y * 3); };
    };
    auto none = [](Editing&) {};
    const Case cases[] = {
        {"draw press", none, press(EditorTool::Draw, 2, 3)},
        {"draw stroke", press(EditorTool::Draw, 2, 3), move(8, 1)},
        {"erase drag", press(EditorTool::Erase, 2, 3), move(7, 7)},
        {"line drawn back", [&](Editing& e) { press(EditorTool::Line, 1, 1)(e), move(9, 8)(e); }, move(3, 2)},
        {"ellipse grows", [&](Editing& e) { press(EditorTool::Ellipse, 5, 5)(e), move(6, 6)(e); }, move(9, 2)},
        {"rectangle shrinks", [&](Editing& e) { press(EditorTool::Rectangle, 1, 1)(e), move(8, 9)(e); }, move(3, 2)},
        {"fill", none, press(EditorTool::Fill, 0, 0)},
        {"undo", [&](Editing& e) { press(EditorTool::Draw, 5, 5)(e), release(5, 5)(e); },
         [](Editing& e) { undoLastChange(e.p, e.ed); }},
    };
    for (const Case& c : cases) {
        Editing e;
        e.ed.zoom = 3;
        e.ed.leftColour = {250, 10, 10, 255};
        c.before(e);
        takeChangedCanvasArea(e.ed);
        const Rect all{0, 0, 30, 30};
        const Image before = renderImageEditorView(e.p, e.ed, all);
        c.step(e);
        const Rect area = takeChangedCanvasArea(e.ed);
        const Image after = renderImageEditorView(e.p, e.ed, all);
        int changed = 0;
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 30; ++x) {
                if (before.pixel(x, y) == after.pixel(x, y)) continue;
                ++changed;
                EXPECT_TRUE(x >= area.x && y >= area.y && x < area.x + area.width && y < area.y + area.height)
                    << c.what << ": (" << x << ", " << y << ") outside the area";
            }
        EXPECT_GT(changed, 0) << c.what;
        EXPECT_EQ(takeChangedCanvasArea(e.ed).width, 0) << c.what;  // taken once
    }
}

// Every view pixel is the frame pixel under it blended over the stretched backdrop,
// inverted on a grid line; the renderer reuses rows and looks blends up, so it is
// checked against blending each pixel on its own, for a region off the origin.
// The window takes the same view as colour rows, drawn straight into its bitmap (rows
// padded, the region running off the canvas): each pixel on the canvas as above, every
// other byte left as it was.
TEST(ImageEditorView, EachPixelIsTheFramePixelOverTheBackdrop) {
    Image frame = patterned(40, 30);
    frame.setPixel(3, 3, {9, 8, 7, 0});
    for (int zoom : {1, 5}) {
        Editing e(frame);
        e.ed.zoom = zoom;
        const Rect region{7, 5, 40 * zoom - 9, 30 * zoom - 8};
        const Image view = renderImageEditorView(e.p, e.ed, region);
        const Rect beyond{region.x, region.y, region.width + 6, region.height + 2};
        const size_t stride = size_t(beyond.width) * 3 + 5;
        std::vector<uint8_t> rows(stride * size_t(beyond.height), 0xab);
        drawImageEditorView(e.p, e.ed, beyond, {rows.data(), beyond.width, beyond.height, stride});
        const Rgba white{255, 255, 255, 0};
        for (int j = 0; j < beyond.height; ++j)
            for (int i = 0; i < beyond.width; ++i) {
                const uint8_t* at = rows.data() + size_t(j) * stride + size_t(i) * 3;
                const Rgba colour{at[0], at[1], at[2], 255};
                const int x = region.x + i, y = region.y + j;
                if (x >= 40 * zoom || y >= 30 * zoom) {
                    ASSERT_EQ(colour, (Rgba{0xab, 0xab, 0xab, 255})) << "zoom " << zoom << " beyond the canvas";
                    continue;
                }
                const bool light = ((x * 800 / 800 >> 4) + (y * 800 / 800 >> 4)) & 1;
                Rgba want = blendOver(light ? kCheckerLight : kCheckerDark, frame.pixel(x / zoom, y / zoom));
                const int lines = zoom >= 4 ? (x % zoom == 0) + (y % zoom == 0) : 0;
                if (lines == 1) want = {uint8_t(want.r ^ white.r), uint8_t(want.g ^ white.g), uint8_t(want.b ^ white.b), want.a};
                if (i < region.width && j < region.height)
                    ASSERT_EQ(view.pixel(i, j), want) << "zoom " << zoom << " at " << x << "," << y;
                ASSERT_EQ(colour, want) << "rows, zoom " << zoom << " at " << x << "," << y;
            }
        for (size_t j = 0; j < size_t(beyond.height); ++j)
            for (size_t k = size_t(beyond.width) * 3; k < stride; ++k) ASSERT_EQ(rows[j * stride + k], 0xab);
    }
}
