// The sprite windows in real windows, opened the way a user opens them (the main
// window's menu, the sprite window's buttons) and driven through their controls, with
// the Dialogs fake answering the file dialogs and message boxes.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/file_commands.h"
#include "app/ui/editor_hooks.h"
#include "code_screens.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "sprites/image_editor.h"
#include "sprites/ui/frames_editor.h"
#include "sprites/ui/image_editor_window.h"
#include "sprites/ui/shape_editor_window.h"
#include "sprites/ui/sprite_window.h"
#include "sprites/ui/strip_import_window.h"
#include "support/fake_ports.h"
#include "ui/region_canvas.h"
#include "ui/wx_image.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

// The left button pressed at a point of the view, moved on through `path`, released.
void dragOn(wxWindow* view, std::initializer_list<wxPoint> path) {
    auto send = [&](wxEventType type, wxPoint at, bool down) {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.SetLeftDown(down);
        e.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(e);
    };
    const wxPoint* last = nullptr;
    for (const wxPoint& at : path) {
        send(last ? wxEVT_MOTION : wxEVT_LEFT_DOWN, at, true);
        last = &at;
    }
    send(wxEVT_LEFT_UP, *last, false);
}

// The right button pressed and released at a point of the view.
void rightClickOn(wxWindow* view, wxPoint at) {
    for (wxEventType type : {wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP}) {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.SetEventObject(view);
        view->GetEventHandler()->ProcessEvent(e);
    }
}

// The centre of image pixel (x, y) on the image editor's canvas at a zoom.
wxPoint pixelAt(int x, int y, int zoom) { return {x * zoom + zoom / 2, y * zoom + zoom / 2}; }

wxString text(wxWindow* window, const char* name) { return child<wxTextCtrl>(window, name)->GetValue(); }

// Every shown window of the program but `open` is disabled, so it refuses input.
void expectOnlyUsable(wxWindow* open) {
    for (wxWindow* w : wxTopLevelWindows) {
        if (!w->IsShown() || w == open) continue;
        EXPECT_FALSE(w->IsEnabled()) << w->GetLabel();
    }
    EXPECT_TRUE(open->IsEnabled());
}

void expectAllUsable() {
    for (wxWindow* w : wxTopLevelWindows) {
        if (w->IsShown()) EXPECT_TRUE(w->IsEnabled()) << w->GetLabel();
    }
}

struct SpriteWindows : testing::Test {
    void SetUp() override {
        // Save builds the game, which needs the engine template.
        std::filesystem::copy_file(std::filesystem::path(PONDARO_SOURCE_DIR) / "data" / "export.js",
                                   s.folder.path() / "export.js");
        main = startWithEveryWindow(s.studio);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { closeStudio(s.studio, main); }

    // A sprite with frames of the given colours, its window open.
    wxFrame* spriteWithWindow(const std::string& name, std::initializer_list<Image> frames) {
        Sprite sprite;
        sprite.name = name;
        sprite.collisionshape = "Box";
        p().sprites.add(sprite);
        int k = 0;
        for (const Image& f : frames) p().frames.push_back(Frame{std::to_string(k++), name, f});
        main->rebuildPanel();
        main->editRecord(PanelCategory::Sprites, name);
        pump();
        return ui::findSpriteWindow(name);
    }

    // The frames editor of a new sprite with these frames, opened from its window.
    wxFrame* framesEditorOf(const std::string& name, std::initializer_list<Image> frames) {
        wxFrame* w = spriteWithWindow(name, frames);
        if (!w) return nullptr;
        click(child(w, "edit"));
        return ui::findFramesEditor(name);
    }

    std::string png(const std::string& file, const Image& image) {
        const auto path = s.folder.path() / file;
        EXPECT_TRUE(savePng(image, path));
        return path.string();
    }

    Project& p() { return s.studio.project; }

    TestStudio s;
    ui::MainFrame* main = nullptr;
};

} // namespace

TEST_F(SpriteWindows, AddNewSpriteOpensItsWindowWhereTheOriginIsDraggedAndDoneAppliesTheName) {
    chooseMenu(main, "Resources", "Add new sprite");
    ASSERT_EQ(p().sprites.size(), 1u);
    const std::string name = p().sprites[0].name;
    wxFrame* w = ui::findSpriteWindow(name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->GetTitle(), "Sprite properties - " + name);
    EXPECT_GE(w->GetClientSize().x, 540);
    EXPECT_GE(w->GetClientSize().y, 450);
    main->editRecord(PanelCategory::Sprites, name);  // raises the open window, makes no second
    EXPECT_EQ(ui::findSpriteWindow(name), w);

    p().frames.push_back(Frame{"0", name, filledImage(33, 20, kBlue)});
    slide(child<wxSlider>(w, "zoom"), 4);
    dragOn(child(w, "preview"), {{2, 2}, {10, 21}});
    EXPECT_EQ(text(w, "origin-x"), "2");
    EXPECT_EQ(text(w, "origin-y"), "5");
    EXPECT_EQ(p().sprites[0].centery, 5);
    click(child(w, "center"));
    EXPECT_EQ(text(w, "origin-x"), "16");
    EXPECT_EQ(p().sprites[0].centery, 10);
    child<wxTextCtrl>(w, "origin-x")->SetValue("40");  // beyond the frame: the sprite keeps 16
    EXPECT_EQ(p().sprites[0].centerx, 16);
    child<wxTextCtrl>(w, "right")->SetValue("30");
    EXPECT_EQ(p().sprites[0].collisionright, 30);
    // The preview's timer finds the frame added meanwhile.
    EXPECT_TRUE(pumpUntil([&] { return child<wxStaticText>(w, "size")->GetLabel() == "Size: 33 x 20"; }));
    screenshot("sprite-window");

    // The close box leaves the name as it was; " Done " applies it.
    child<wxTextCtrl>(w, "name")->SetValue("lost");
    w->Close();
    EXPECT_EQ(p().sprites[0].name, name);
    EXPECT_EQ(ui::findSpriteWindow(name), nullptr);
    main->editRecord(PanelCategory::Sprites, name);
    w = ui::findSpriteWindow(name);
    ASSERT_NE(w, nullptr);
    child<wxTextCtrl>(w, "name")->SetValue("hero");
    child<wxTextCtrl>(w, "keywords")->SetValue("player");
    p().clearModified();
    click(child(w, "done"));
    EXPECT_EQ(p().sprites[0].name, "hero");
    EXPECT_EQ(p().sprites[0].keywords, "player");
    EXPECT_EQ(p().frames[0].sprite, "hero");
    EXPECT_TRUE(p().modified());
    EXPECT_EQ(ui::findSpriteWindow("hero"), nullptr);
}

TEST_F(SpriteWindows, FramesEditorAddsAFrameFromAPngDuplicatesAndMovesItWhileOtherWindowsWait) {
    wxFrame* w = spriteWithWindow("hero", {filledImage(8, 8, kRed)});
    ASSERT_NE(w, nullptr);
    click(child(w, "edit"));
    wxFrame* editor = ui::findFramesEditor("hero");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetTitle(), "Edit sprite frames");
    expectOnlyUsable(editor);
    EXPECT_EQ(menuEntriesWithoutPicture(*editor->GetMenuBar()), std::vector<std::string>{});

    s.dialogs.files = {png("blue.png", filledImage(8, 8, kBlue))};
    chooseMenu(editor, "File", "Add new frame from file...");
    chooseMenu(editor, "Edit", "Duplicate frame");
    chooseMenu(editor, "Edit", "Move frame left");
    ASSERT_EQ(p().frames.size(), 3u);
    EXPECT_EQ(p().frames[1].file, "2");  // the copy, moved left: numbers travel with frames
    EXPECT_EQ(p().frames[1].image, filledImage(8, 8, kBlue));
    EXPECT_EQ(p().frames[2].file, "1");

    // Another size asks how to make the sizes one again.
    s.dialogs.files = {png("small.png", filledImage(4, 2, kBlue))};
    wxTEST_DIALOG(chooseMenu(editor, "File", "Add new frame from file..."), ExpectDialog("Adding new frame", [](wxDialog* d) {
                      child<wxRadioButton>(d, "keep-size")->SetValue(true);
                      child<wxRadioButton>(d, "centre")->SetValue(true);
                      return wxID_OK;
                  }));
    ASSERT_EQ(p().frames.size(), 4u);
    EXPECT_EQ(p().frames[3].image.width(), 8);
    EXPECT_EQ(p().frames[3].image.pixel(2, 3), kBlue);
    EXPECT_EQ(p().frames[3].image.pixel(1, 3), Rgba{});

    // A click on the first frame makes it current; Delete removes it.
    dragOn(child(editor, "strip"), {{12, 12}});
    chooseMenu(editor, "Edit", "Delete current frame");
    ASSERT_EQ(p().frames.size(), 3u);
    EXPECT_EQ(p().frames[0].file, "2");
    screenshot("frames-editor");

    p().clearModified();
    editor->Close();  // the close box commits as Done does
    EXPECT_EQ(ui::findFramesEditor("hero"), nullptr);
    EXPECT_TRUE(p().modified());
    const Image* card = s.studio.thumbnails.sprite(p(), p().sprites[0].name);
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->pixel(45 + 30, 20 + 30), kBlue);  // the card shows the new first frame
    expectAllUsable();
}

TEST_F(SpriteWindows, AStripOfFourColumnsAndTwoRowsBecomesEightFrames) {
    wxFrame* w = spriteWithWindow("hero", {filledImage(8, 8, kRed), filledImage(8, 8, kRed)});
    ASSERT_NE(w, nullptr);
    Image sheet(96, 64);
    for (int k = 0; k < 8; ++k)
        fillRect(sheet, (k % 4) * 24, (k / 4) * 32, 24, 32, {uint8_t(k * 30), 0, 0, 255}, ColourMode::Replace);
    s.dialogs.files = {png("sheet.png", sheet)};
    click(child(w, "load"));
    wxFrame* import = ui::findStripImportWindow("hero");
    ASSERT_NE(import, nullptr);
    EXPECT_EQ(import->GetTitle(), "Importing image strips");
    expectOnlyUsable(import);
    EXPECT_EQ(child<wxStaticText>(import, "dimensions")->GetLabel(), "Dimensions: 96 x 64 pixels");

    child<wxTextCtrl>(import, "columns")->SetValue("0");
    click(child(import, "import"));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Error", "Invalid column or row number"}));
    EXPECT_EQ(p().frames.size(), 2u);
    EXPECT_EQ(ui::findStripImportWindow("hero"), import);

    child<wxTextCtrl>(import, "columns")->SetValue("4");
    child<wxTextCtrl>(import, "rows")->SetValue("2");
    screenshot("strip-import");
    click(child(import, "import"));
    EXPECT_EQ(ui::findStripImportWindow("hero"), nullptr);
    ASSERT_EQ(p().frames.size(), 8u);
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(p().frames[size_t(k)].file, std::to_string(k));
        EXPECT_EQ(p().frames[size_t(k)].image, filledImage(24, 32, {uint8_t(k * 30), 0, 0, 255}));
    }
    EXPECT_EQ(text(w, "right"), "24");
    EXPECT_EQ(text(w, "radius"), "12");
    expectAllUsable();
}

TEST_F(SpriteWindows, ACollisionVertexIsDraggedToTheGrid) {
    wxFrame* w = spriteWithWindow("hero", {filledImage(20, 20, kBlue)});
    ASSERT_NE(w, nullptr);
    p().points = {{"hero", 2, 2}, {"hero", 10, 2}, {"hero", 10, 10}};
    click(child(w, "shape"));
    wxFrame* editor = ui::findShapeEditor("hero");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetTitle(), "Sprite collision shape editor - hero");
    expectOnlyUsable(editor);
    auto* list = child<wxListBox>(editor, "points");
    ASSERT_EQ(list->GetCount(), 3u);

    slide(child<wxSlider>(editor, "zoom"), 2);
    // From the vertex (10, 10), at (20, 20) on the canvas, to the grid corner before (31, 13).
    p().clearModified();
    dragOn(child(editor, "canvas"), {{21, 19}, {26, 15}, {31, 13}});
    EXPECT_EQ(p().points[2].x, 15);
    EXPECT_EQ(p().points[2].y, 5);
    EXPECT_EQ(list->GetString(2), "(15,5)");
    EXPECT_EQ(list->GetSelection(), 2);
    EXPECT_TRUE(p().modified());
    screenshot("collision-shape-editor");

    click(child(editor, "done"));
    EXPECT_EQ(ui::findShapeEditor("hero"), nullptr);
    expectAllUsable();

    // Without a picture the editor does not open.
    wxFrame* bare = spriteWithWindow("bare", {});
    ASSERT_NE(bare, nullptr);
    click(child(bare, "shape"));
    EXPECT_EQ(ui::findShapeEditor("bare"), nullptr);
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Message", "Please add a sprite image."}));
}

TEST_F(SpriteWindows, SavedFramesComeBackWhenTheProjectIsOpenedAgain) {
    chooseMenu(main, "Resources", "Add new sprite");
    const std::string name = p().sprites[0].name;
    wxFrame* w = ui::findSpriteWindow(name);
    ASSERT_NE(w, nullptr);
    click(child(w, "edit"));
    wxFrame* editor = ui::findFramesEditor(name);
    ASSERT_NE(editor, nullptr);
    wxTEST_DIALOG(chooseMenu(editor, "File", "New..."), ExpectDialog("Create new sprite", [](wxDialog* d) {
                      child<wxTextCtrl>(d, "width")->SetValue("16");
                      child<wxTextCtrl>(d, "height")->SetValue("12");
                      return wxID_OK;
                  }));
    s.dialogs.files = {png("red.png", filledImage(16, 12, kRed))};
    chooseMenu(editor, "File", "Add new frame from file...");
    click(child(editor, "done"));
    ASSERT_EQ(p().frames.size(), 2u);
    EXPECT_EQ(p().frames[0].image, Image(16, 12));

    s.dialogs.names = {std::optional<std::string>("game")};
    main->runCommand(Command::Save);
    EXPECT_FALSE(p().modified());
    ASSERT_TRUE(newProject(s.studio, false));
    EXPECT_EQ(ui::findSpriteWindow(name), nullptr);  // New closed it
    ASSERT_TRUE(openProjectNamed(s.studio, "game"));
    main->rebuildPanel();
    ASSERT_EQ(p().frames.size(), 2u);
    EXPECT_EQ(p().frames[0].image, Image(16, 12));
    EXPECT_EQ(p().frames[1].image, filledImage(16, 12, kRed));
    main->editRecord(PanelCategory::Sprites, name);
    w = ui::findSpriteWindow(name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(child<wxStaticText>(w, "size")->GetLabel(), "Size: 16 x 12");
}

TEST_F(SpriteWindows, TheImageEditorPaintsTheFrameAndGivesTheOtherWindowsBackOnDone) {
    wxFrame* frames = framesEditorOf("hero", {filledImage(16, 16, kRed), filledImage(16, 16, kBlue)});
    ASSERT_NE(frames, nullptr);
    chooseMenu(frames, "Edit", "Edit current frame");
    wxFrame* editor = ui::findImageEditorWindow("hero");
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->GetTitle(), "Image editor - hero");
    EXPECT_EQ(menuEntriesWithoutPicture(*editor->GetMenuBar()), std::vector<std::string>{});
    expectOnlyUsable(editor);

    for (int k = 0; k < 7; ++k) click(child(editor, "zoom-in"));
    EXPECT_EQ(child<wxStaticText>(editor, "status-2")->GetLabel(), "Zoom: 800%");
    wxWindow* canvas = child(editor, "canvas");
    const Image& frame = p().frames[0].image;
    p().clearModified();
    dragOn(canvas, {pixelAt(3, 2, 8)});  // Draw with the left colour, white
    EXPECT_EQ(frame.pixel(3, 2), (Rgba{255, 255, 255, 255}));
    EXPECT_TRUE(p().modified());
    click(child(editor, "undo"));
    EXPECT_EQ(frame.pixel(3, 2), kRed);

    click(child(editor, "line"));
    rightClickOn(child(editor, "swatches"), {2, 168});  // black from the greys for the right button
    dragOn(canvas, {pixelAt(0, 0, 8), pixelAt(5, 0, 8)});
    for (int x = 0; x <= 5; ++x) EXPECT_EQ(frame.pixel(x, 0), (Rgba{255, 255, 255, 255})) << x;
    EXPECT_EQ(frame.pixel(6, 0), kRed);
    click(child(editor, "ellipse"));
    dragOn(canvas, {pixelAt(10, 10, 8), pixelAt(12, 11, 8)});
    EXPECT_EQ(frame.pixel(10, 10), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(frame.pixel(11, 10), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(frame.pixel(10, 13), kRed);
    EXPECT_EQ(frame.pixel(14, 10), kRed);

    click(child(editor, "picker"));
    dragOn(canvas, {pixelAt(15, 15, 8)});
    EXPECT_EQ(child(editor, "left-colour")->GetBackgroundColour(), wxColour(255, 0, 0));
    click(child(editor, "draw"));
    rightClickOn(canvas, pixelAt(15, 0, 8));
    const Rgba rightColour = frame.pixel(15, 0);
    EXPECT_EQ(rightColour.a, 255);
    EXPECT_LT(rightColour.r + rightColour.g + rightColour.b, 3 * 60);  // a dark grey or black

    click(child(editor, "done"));
    EXPECT_TRUE(pumpUntil([] { return ui::findImageEditorWindow("hero") == nullptr; }));
    expectOnlyUsable(frames);
    EXPECT_EQ(p().frames[0].image.pixel(0, 0), (Rgba{255, 255, 255, 255}));
    EXPECT_EQ(p().frames[1].image, filledImage(16, 16, kBlue));
}

// The editor's canvas reaches the screen as a bitmap with no alpha that the core view
// is drawn into, row by row: what the bitmap holds is the view, rows padded or not,
// and again after the frame changes under a bitmap kept from the last paint.
TEST(ImageEditorCanvas, TheBitmapHoldsTheViewAsCoreDrawsIt) {
    Project p;
    Image frame(13, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 13; ++x) frame.setPixel(x, y, {uint8_t(x * 19), uint8_t(y * 27), 90, uint8_t(x * y * 9)});
    p.frames.push_back(Frame{"0", "hero", frame});
    ImageEditor ed = *openImageEditor(p, "hero", 0);
    ed.zoom = 4;
    wxBitmap bitmap;
    for (const Rect area : {Rect{3, 2, 37, 30}, Rect{3, 2, 37, 30}, Rect{0, 0, 52, 36}}) {
        ui::fillOpaqueBitmap({area.width, area.height}, [&](const RgbRows& rows) { drawImageEditorView(p, ed, area, rows); },
                             bitmap);
        const Image want = renderImageEditorView(p, ed, area);
        const wxImage got = bitmap.ConvertToImage();
        ASSERT_EQ(got.GetWidth(), area.width);
        for (int y = 0; y < area.height; ++y)
            for (int x = 0; x < area.width; ++x) {
                const Rgba w = want.pixel(x, y);
                ASSERT_EQ((Rgba{got.GetRed(x, y), got.GetGreen(x, y), got.GetBlue(x, y), 255}), w) << x << "," << y;
            }
        p.frames[0].image.fill({200, 10, 10, 255});  // the next paint shows another frame
    }
}

TEST_F(SpriteWindows, EffectDialogsChangeOneFrameOrAllAndRefuseAnEmptySize) {
    wxFrame* frames = framesEditorOf("hero", {filledImage(8, 8, kRed), filledImage(8, 8, kBlue)});
    ASSERT_NE(frames, nullptr);

    wxTEST_DIALOG(chooseMenu(frames, "Effects", "Grayscale"), ExpectDialog("Convert to grayscale", [](wxDialog* d) {
                      EXPECT_TRUE(child<wxCheckBox>(d, "all-frames")->GetValue());
                      return wxID_OK;
                  }));
    EXPECT_EQ(p().frames[0].image, filledImage(8, 8, {54, 54, 54, 255}));
    EXPECT_EQ(p().frames[1].image, filledImage(8, 8, {18, 18, 18, 255}));

    // Scale with "Lock": the vertical percentage follows; only the current frame.
    wxTEST_DIALOG(chooseMenu(frames, "Transform", "Scale"), ExpectDialog("Scale the images", [](wxDialog* d) {
                      EXPECT_TRUE(child<wxCheckBox>(d, "lock")->GetValue());
                      slide(child<wxSlider>(d, "horizontal-slider"), 50);
                      EXPECT_EQ(child<wxTextCtrl>(d, "vertical-field")->GetValue(), "50");
                      child<wxCheckBox>(d, "all-frames")->SetValue(false);
                      return wxID_OK;
                  }));
    EXPECT_EQ(p().frames[0].image.pixel(1, 1), Rgba{});
    EXPECT_EQ(p().frames[0].image.pixel(3, 3), (Rgba{54, 54, 54, 255}));
    EXPECT_EQ(p().frames[1].image, filledImage(8, 8, {18, 18, 18, 255}));

    // A typed level beyond the range is rewritten with the bound; Cancel changes nothing.
    wxTEST_DIALOG(chooseMenu(frames, "Effects", "Brightness"), ExpectDialog("Brightness", [](wxDialog* d) {
                      child<wxTextCtrl>(d, "level-field")->SetValue("300");
                      EXPECT_EQ(child<wxTextCtrl>(d, "level-field")->GetValue(), "255");
                      EXPECT_EQ(child<wxSlider>(d, "level-slider")->GetValue(), 510);
                      return wxID_CANCEL;
                  }));
    EXPECT_EQ(p().frames[1].image, filledImage(8, 8, {18, 18, 18, 255}));

    // Stretch with "Keep aspect ratio": the height follows the width.
    wxTEST_DIALOG(chooseMenu(frames, "Transform", "Stretch"), ExpectDialog("Stretch the images", [](wxDialog* d) {
                      child<wxTextCtrl>(d, "width")->SetValue("16");
                      EXPECT_EQ(child<wxTextCtrl>(d, "height")->GetValue(), "16");
                      return wxID_OK;
                  }));
    EXPECT_EQ(p().frames[1].image, filledImage(16, 16, {18, 18, 18, 255}));
    EXPECT_EQ(p().frames[0].image.width(), 16);

    // A width of 0 is refused and the frames stay as they were.
    wxTEST_DIALOG(chooseMenu(frames, "Transform", "Resize canvas"), ExpectDialog("Resize canvas", [](wxDialog* d) {
                      child<wxCheckBox>(d, "keep-aspect-ratio")->SetValue(false);
                      child<wxTextCtrl>(d, "width")->SetValue("0");
                      return wxID_OK;
                  }));
    EXPECT_EQ(s.dialogs.shown.back().title, "Error");
    EXPECT_EQ(p().frames[1].image, filledImage(16, 16, {18, 18, 18, 255}));
    expectOnlyUsable(frames);
}

// Pictures of the image editor and the effect dialogs on a sample sprite, to be looked
// at; taken only when PONDARO_SCREENSHOTS names a folder.
TEST_F(SpriteWindows, DISABLED_TheImageToolsOnASampleSprite) {
    const auto img = std::filesystem::path(PONDARO_SOURCE_DIR) / "samples" / "Projects" / "platformer" / "img";
    Image first, second;
    if (!loadImage(img / "spr_player_1.png", first) || !loadImage(img / "spr_player_2.png", second))
        GTEST_SKIP() << "no sample sprite";
    wxFrame* frames = framesEditorOf("spr_player", {first, second});
    ASSERT_NE(frames, nullptr);
    chooseMenu(frames, "Edit", "Edit current frame");
    wxFrame* editor = ui::findImageEditorWindow("spr_player");
    ASSERT_NE(editor, nullptr);
    editor->SetPosition(wxPoint(10, 10));
    screenshot("image-editor-zoom-1");
    for (int k = 0; k < 7; ++k) click(child(editor, "zoom-in"));
    editor->SetSize(wxSize(1000, 800));
    screenshot("image-editor-zoom-8");
    click(child(editor, "done"));
    pumpUntil([] { return ui::findImageEditorWindow("spr_player") == nullptr; });

    const std::pair<const char*, const char*> dialogs[] = {
        {"Effects", "Colorize"}, {"Effects", "Color balance"}, {"Effects", "Swap RGB channel"},
        {"Effects", "Erase a color"}, {"Transform", "Shift"},   {"Transform", "Rotate"},
        {"Transform", "Scale"},   {"Transform", "Stretch"}};
    for (const auto& [menu, entry] : dialogs) {
        wxTEST_DIALOG(chooseMenu(frames, menu, entry), ExpectDialog(wxString(), [entry = entry](wxDialog* d) {
                          if (wxSlider* hue = child<wxSlider>(d, "hue-slider")) slide(hue, 200);
                          screenshotOfDialog(d, std::string("dialog-") + entry);
                          return wxID_CANCEL;
                      }));
    }
}
