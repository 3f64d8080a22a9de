// The sprite frames editor's operations on the frame list, the PNG strip and the
// frame strip canvases.
#include <gtest/gtest.h>

#include <functional>

#include "image/codecs.h"
#include "image/image_test_util.h"
#include "project/thumbnails.h"
#include "sprites/collision_editor.h"
#include "sprites/effect_dialog.h"
#include "sprites/frame_strip.h"
#include "sprites/frames.h"
#include "sprites/frames_editor_commands.h"
#include "sprites/image_editor.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

std::vector<std::string> numbersOf(const Project& p, const std::string& sprite) {
    std::vector<std::string> out;
    for (size_t i : spriteFrameIndices(p, sprite)) out.push_back(p.frames[i].file);
    return out;
}

} // namespace

TEST(FrameNumbers, LastFrameNumberPlusOne) {
    Project p;
    EXPECT_EQ(nextFrameNumber(p, "s"), "0");
    addFrame(p, "s", "0", Image(2, 2));
    addFrame(p, "s", "4", Image(2, 2));
    addFrame(p, "t", "9", Image(2, 2));
    EXPECT_EQ(nextFrameNumber(p, "s"), "5");  // not contiguous, still last + 1
    addFrame(p, "s", "2", Image(2, 2));
    EXPECT_EQ(nextFrameNumber(p, "s"), "3");  // the last in the list, not the largest
}

TEST(FrameOperations, CreateNewSpriteReplacesEveryFrameWithOneTransparentFrame) {
    Project p;
    addFrame(p, "s", "0", patterned(3, 3));
    addFrame(p, "t", "0", patterned(3, 3));
    addFrame(p, "s", "1", patterned(3, 3));
    int current = 0;
    EXPECT_FALSE(createNewSprite(p, "s", 0, 40, current).empty());
    EXPECT_FALSE(createNewSprite(p, "s", 40, -1, current).empty());
    EXPECT_EQ(p.frames.size(), 3u);
    EXPECT_EQ(createNewSprite(p, "s", 40, 30, current), "");
    EXPECT_EQ(numbersOf(p, "s"), std::vector<std::string>{"0"});
    ASSERT_EQ(current, 1);
    EXPECT_EQ(p.frames[1].image, Image(40, 30));
    EXPECT_EQ(p.frames[0].sprite, "t");
}

TEST(FrameOperations, AddingAFrameOfAnotherSize) {
    Project p;
    addFrame(p, "s", "3", filled(40, 40, {0, 0, 255, 255}));
    addFrame(p, "s", "4", filled(40, 40, {0, 255, 0, 255}));
    const Image small = filled(20, 10, {255, 0, 0, 255});
    auto q = addFrameQuestion(p, "s", small);
    ASSERT_TRUE(q);
    EXPECT_EQ(q->keepSizeCaption(), "Keep the original image size (40 x 40)");
    EXPECT_EQ(q->resizeAllCaption(), "Resize all frames to the new image size (20 x 10)");
    EXPECT_FALSE(addFrameQuestion(p, "s", Image(40, 40)));
    EXPECT_FALSE(addFrameQuestion(p, "empty", small));

    int added = addNewFrame(p, "s", small, {NewFrameSize::KeepOriginal, NewFramePlacement::Centre});
    const Image& centred = p.frames[size_t(added)].image;
    EXPECT_EQ(p.frames[size_t(added)].file, "5");
    ASSERT_EQ(centred.width(), 40);
    EXPECT_EQ(centred.pixel(10, 15), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(centred.pixel(29, 24), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(centred.pixel(9, 15), Rgba{});
    EXPECT_EQ(centred.pixel(30, 24), Rgba{});

    added = addNewFrame(p, "s", small, {NewFrameSize::KeepOriginal, NewFramePlacement::LeftTop});
    EXPECT_EQ(p.frames[size_t(added)].image.pixel(19, 9), (Rgba{255, 0, 0, 255}));
    EXPECT_EQ(p.frames[size_t(added)].image.pixel(20, 9), Rgba{});
    added = addNewFrame(p, "s", small, {NewFrameSize::KeepOriginal, NewFramePlacement::Stretch});
    EXPECT_EQ(p.frames[size_t(added)].image.pixel(39, 39), (Rgba{255, 0, 0, 255}));
}

TEST(FrameOperations, ResizingAllFramesToTheNewImage) {
    Project p;
    addFrame(p, "s", "0", patterned(4, 4));
    addFrame(p, "t", "0", patterned(4, 4));
    Project centred = p, nearest = p;
    addNewFrame(p, "s", filled(6, 2, {1, 2, 3, 255}), {NewFrameSize::ResizeAll, NewFramePlacement::LeftTop});
    EXPECT_EQ(p.frames[0].image.width(), 6);
    EXPECT_EQ(p.frames[0].image.pixel(3, 1), patterned(4, 4).pixel(3, 1));
    EXPECT_EQ(p.frames[0].image.pixel(4, 1), Rgba{});
    EXPECT_EQ(p.frames[1].image.width(), 4);  // another sprite's frame
    EXPECT_EQ(p.frames[2].file, "1");

    addNewFrame(centred, "s", Image(6, 2), {NewFrameSize::ResizeAll, NewFramePlacement::Centre});
    EXPECT_EQ(centred.frames[0].image.pixel(1, 0), patterned(4, 4).pixel(0, 1));  // drawn at (3 - 2, 1 - 2)

    addNewFrame(nearest, "s", Image(8, 2), {NewFrameSize::ResizeAll, NewFramePlacement::Stretch});
    EXPECT_EQ(nearest.frames[0].image.pixel(7, 1), patterned(4, 4).pixel(3, 2));
}

TEST(FrameOperations, AddNewFrameFromFileAsksOnlyWhenTheSizesDiffer) {
    TempFolder folder;
    const auto same = folder.path() / "same.png", other = folder.path() / "other.png";
    ASSERT_TRUE(savePng(filled(4, 4, {9, 9, 9, 255}), same));
    ASSERT_TRUE(savePng(filled(2, 2, {9, 9, 9, 255}), other));
    writeTestFile(folder.path() / "broken.png", "\x89PNG not really");

    Project p;
    FakeDialogs d;
    int asked = 0;
    AskAddFrameChoice cancel = [&](const AddFrameQuestion&) {
        ++asked;
        return std::optional<AddFrameChoice>{};
    };
    d.files = {same.string(), same.string(), other.string(), (folder.path() / "broken.png").string(), ""};
    int current = addNewFrameFromFile(p, d, "s", -1, cancel);
    EXPECT_EQ(current, 0);
    EXPECT_EQ(p.frames[0].file, "0");
    current = addNewFrameFromFile(p, d, "s", current, cancel);
    EXPECT_EQ(current, 1);
    EXPECT_EQ(asked, 0);
    current = addNewFrameFromFile(p, d, "s", current, cancel);  // 2 x 2: asked, cancelled
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(current, 1);
    current = addNewFrameFromFile(p, d, "s", current, cancel);  // unreadable
    EXPECT_TRUE(d.anyShown("Error"));
    current = addNewFrameFromFile(p, d, "s", current, cancel);  // dialog cancelled
    EXPECT_EQ(current, 1);
    EXPECT_EQ(p.frames.size(), 2u);
    EXPECT_EQ(d.shown[0], (Shown{"Select an image", ""}));
}

TEST(FrameOperations, DuplicateMoveAndDelete) {
    Project p;
    addFrame(p, "s", "0", filled(2, 2, {1, 0, 0, 255}));
    addFrame(p, "s", "1", filled(2, 2, {2, 0, 0, 255}));
    addFrame(p, "t", "0", filled(2, 2, {9, 0, 0, 255}));
    addFrame(p, "s", "2", filled(2, 2, {3, 0, 0, 255}));

    int current = duplicateFrame(p, "s", 0);
    EXPECT_EQ(current, 4);
    EXPECT_EQ(p.frames[4].file, "3");
    EXPECT_EQ(p.frames[4].image, p.frames[0].image);
    EXPECT_EQ(duplicateFrame(p, "s", 2), 2);  // another sprite's frame: nothing
    EXPECT_EQ(p.frames.size(), 5u);

    current = moveFrameRight(p, "s", 0);
    EXPECT_EQ(current, 1);
    EXPECT_EQ(numbersOf(p, "s"), (std::vector<std::string>{"1", "0", "2", "3"}));  // numbers travel
    EXPECT_EQ(p.frames[1].image.pixel(0, 0).r, 1);
    EXPECT_EQ(moveFrameRight(p, "s", 1), 1);  // the next entry is another sprite's frame
    EXPECT_EQ(moveFrameLeft(p, "s", 0), 0);   // already first
    EXPECT_EQ(moveFrameLeft(p, "s", 1), 0);
    EXPECT_EQ(moveFrameRight(p, "s", 4), 4);  // already last
    EXPECT_EQ(moveFrameLeft(p, "s", -1), -1);

    current = deleteFrame(p, "s", 3);
    EXPECT_EQ(current, 0);
    EXPECT_EQ(numbersOf(p, "s"), (std::vector<std::string>{"0", "1", "3"}));
    for (int i = 0; i < 3; ++i) current = deleteFrame(p, "s", current);
    EXPECT_EQ(current, -1);
    EXPECT_EQ(p.frames.size(), 1u);
    EXPECT_EQ(deleteFrame(p, "s", -1), -1);
}

TEST(PngStrip, FramesSideBySideWrittenWithPngAppended) {
    TempFolder folder;
    Project p;
    for (int i = 0; i < 3; ++i) addFrame(p, "hero", std::to_string(i), filled(32, 48, {uint8_t(i * 100), 0, 0, 255}));
    addFrame(p, "other", "0", filled(32, 48, {0, 255, 0, 255}));
    FakeDialogs d;
    d.files = {(folder.path() / "out").string()};
    ASSERT_TRUE(saveSpriteAsPngStrip(p, d, "hero", folder.path()));
    EXPECT_EQ(d.shown[0].title, "Save sprite as PNG strip");
    Image back;
    ASSERT_TRUE(loadImage(folder.path() / "out.png", back));
    EXPECT_EQ(back.width(), 96);
    EXPECT_EQ(back.height(), 48);
    EXPECT_EQ(back.pixel(31, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(back.pixel(32, 47), (Rgba{100, 0, 0, 255}));
    EXPECT_EQ(back.pixel(95, 0), (Rgba{200, 0, 0, 255}));
    EXPECT_EQ(d.proposals, std::vector<std::filesystem::path>{folder.path() / "hero_strip3"});

    FakeDialogs none;
    EXPECT_FALSE(saveSpriteAsPngStrip(p, none, "nobody", folder.path()));  // asks nothing, writes nothing
    EXPECT_TRUE(none.shown.empty());
    FakeDialogs failing;
    failing.files = {(folder.path() / "missing" / "dir" / "x").string()};
    EXPECT_FALSE(saveSpriteAsPngStrip(p, failing, "hero", folder.path()));
    EXPECT_TRUE(failing.anyShown("Error"));
}

TEST(PngStrip, ANameEndingInPngGetsNoSecondOne) {
    const std::pair<const char*, const char*> names[] = {
        {"hero", "hero.png"},          {"hero.png", "hero.png"}, {"HERO.PNG", "HERO.PNG"},
        {"hero.png.bak", "hero.png.bak.png"}, {"hero_png", "hero_png.png"}, {"", ".png"},
    };
    for (auto [chosen, written] : names) EXPECT_EQ(pngFileName(chosen), written) << chosen;
    TempFolder folder;
    Project p;
    addFrame(p, "hero", "0", filled(4, 4, {1, 2, 3, 255}));
    FakeDialogs d;
    d.files = {(folder.path() / "hero.png").string()};
    ASSERT_TRUE(saveSpriteAsPngStrip(p, d, "hero", folder.path()));
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "hero.png"));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "hero.png.png"));
}

TEST(FramesEditorClose, MarksTheProjectAndRedrawsTheSpritesPictures) {
    Project p;
    const size_t s = addSprite(p, "s");
    addFrame(p, "s", "0", filled(8, 8, {255, 0, 0, 255}));
    GameObject o;
    o.name = "player";
    o.prototype = 1;
    o.sprite = "s";
    p.objects.add(o);
    commitFrameEdits(p, "s");
    EXPECT_TRUE(p.modified());
    ASSERT_NE(p.objects[0].canvasImage, nullptr);
    EXPECT_EQ(*p.objects[0].canvasImage, p.frames[0].image);
}

TEST(FramesEditorCommands, EachCommandHasOneMenuEntryAndOneButton) {
    for (int c = 0; c <= int(FramesCommand::MakeOpaque); ++c) {
        int entries = 0, buttons = 0;
        for (const FramesMenuEntry& e : framesEditorMenu()) entries += int(e.command) == c;
        for (const FramesToolButton& b : framesEditorToolbar()) buttons += int(b.command) == c;
        EXPECT_EQ(entries, 1) << c;
        EXPECT_EQ(buttons, 1) << c;
    }
}

TEST(FrameStrip, CanvasesSideBySideWithTheSelectionOverlay) {
    Project p;
    addFrame(p, "s", "0", Image(20, 30));
    addFrame(p, "t", "0", Image(5, 5));
    addFrame(p, "s", "1", filled(40, 10, {0, 0, 0, 255}));
    FrameStripLayout layout = layoutFrameStrip(p, "s");
    ASSERT_EQ(layout.canvases.size(), 2u);
    EXPECT_EQ(layout.canvases[0].x, 10);
    EXPECT_EQ(layout.canvases[1].x, 40);
    EXPECT_EQ(layout.canvases[1].frame, 2u);
    EXPECT_EQ(layout.innerWidth, 90);
    EXPECT_EQ(layout.innerHeight, 40);
    EXPECT_EQ(frameAtStripPoint(layout, 45, 12), 2);
    EXPECT_EQ(frameAtStripPoint(layout, 35, 12), -1);  // between the canvases

    Image plain = renderFrameCanvas(p.frames[0].image, false);
    EXPECT_EQ(plain.pixel(0, 0), kCheckerDark);
    EXPECT_EQ(plain.pixel(16, 0), kCheckerLight);
    Image selected = renderFrameCanvas(p.frames[2].image, true);
    EXPECT_EQ(selected.pixel(0, 0), kSelectionColour);
    EXPECT_EQ(selected.pixel(1, 0), (Rgba{0, 0, 0, 255}));
    EXPECT_EQ(selected.pixel(1, 1), kSelectionColour);

    Image strip = renderFrameStrip(p, "s", 2, {35, 10, 10, 1});
    EXPECT_EQ(strip.pixel(0, 0), Rgba{});  // the gap
    EXPECT_EQ(strip.pixel(5, 0), kSelectionColour);  // canvas pixel (0, 0) of the current frame
}

// An edit is saved by nothing but Save: each marks the project modified as it happens,
// so Exit, New and Open ask before it could be lost, whatever window is still open.
TEST(FrameOperations, EveryEditOfFramesPixelsAndShapesMarksTheProjectModified) {
    const std::vector<std::pair<const char*, std::function<void(Project&)>>> edits = {
        {"new sprite", [](Project& p) { int current = 0; createNewSprite(p, "s", 4, 4, current); }},
        {"new frame", [](Project& p) { addNewFrame(p, "s", patterned(3, 3), {}); }},
        {"duplicate", [](Project& p) { duplicateFrame(p, "s", 0); }},
        {"move", [](Project& p) { moveFrameRight(p, "s", 0); }},
        {"delete", [](Project& p) { deleteFrame(p, "s", 1); }},
        {"resize", [](Project& p) { applySizeDialog(p, *openSizeDialog(p, SizeOperation::Stretch, "s"), "6", "6"); }},
        {"paint", [](Project& p) {
             ImageEditor ed = *openImageEditor(p, "s", 0);
             pressButton(p, ed, MouseButton::Left, 1, 1);
         }},
        {"shape vertex", [](Project& p) { pressShapeCanvas(p, 0, 2, 2); }},
    };
    for (const auto& [what, edit] : edits) {
        Project p;
        addSprite(p, "s");
        addFrame(p, "s", "0", patterned(3, 3));
        addFrame(p, "s", "1", patterned(3, 3));
        edit(p);
        EXPECT_TRUE(p.modified()) << what;
    }
}
