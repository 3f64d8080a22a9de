// The user manual's pictures: the sample projects opened in the studio and every window
// shown on one of their records, each photographed alone. It takes pictures rather than
// testing, so it runs only when PONDARO_SCREENSHOTS names their folder (main.cpp);
// scripts/make-manual-pictures.sh runs it and copies the pictures into the manual.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include "app/file_commands.h"
#include "app/ui/installed_extensions_window.h"
#include "app/ui/preferences_dialog.h"
#include "code/keywords.h"
#include "code/ui/code_editor.h"
#include "code/ui/code_windows.h"
#include "extensions/extension_file.h"
#include "extmaker/ui/maker_frame.h"
#include "code_screens.h"
#include "project/lifecycle.h"
#include "resources/ui/object_window.h"
#include "scene/ui/scene_window.h"
#include "sprites/ui/frames_editor.h"
#include "sprites/ui/image_editor_window.h"
#include "sprites/ui/shape_editor_window.h"
#include "sprites/ui/sprite_window.h"
#include "sprites/ui/strip_import_window.h"
#include "ui/open_project_dialog.h"

using namespace pondaro;
using namespace pondaro::gui;
namespace fs = std::filesystem;

namespace {

const fs::path kSamples = fs::path(PONDARO_SOURCE_DIR) / "samples" / "Projects";

struct ManualPictures : testing::Test {
    void SetUp() override {
        if (!fs::is_directory(kSamples)) GTEST_SKIP() << "no sample projects";
        fs::copy(kSamples, s.folder.path() / "Projects", fs::copy_options::recursive);
        ASSERT_TRUE(writeExtensionFile(s.folder.path(), "screen_shake",
                                       {"Screen shake", "Pondaro samples",
                                        "Shakes the view for a moment, for hits and explosions.",
                                        "screen_shake(steps, strength) shakes the view for that many steps.",
                                        "var shake_steps = 0, shake_strength = 0;\r\n"
                                        "function screen_shake(steps, strength) {\r\n"
                                        "  shake_steps = steps;\r\n"
                                        "  shake_strength = strength;\r\n"
                                        "}\r\n"}));
        // The engine's words, which the code windows colour and explain.
        fs::copy_file(fs::path(PONDARO_SOURCE_DIR) / "data" / "keywords.dat", s.folder.path() / "keywords.dat");
        s.studio.keywords = loadKeywords(s.folder.path());
        main = startWithEveryWindow(s.studio);
        ASSERT_NE(main, nullptr);
        main->SetClientSize(900, 560);
    }
    void TearDown() override { closeStudio(s.studio, main); }

    void open(const std::string& project) {
        closeAll();
        ASSERT_TRUE(openProjectNamed(s.studio, project));
        main->rebuildPanel();
        pump();
    }
    void closeAll() {
        for (auto& close : s.studio.closeWindowsHooks) close();
        pump();
    }

    // A record's window, as a click on its card opens it, photographed at the top left.
    wxFrame* edit(PanelCategory page, const std::string& name, const std::string& title) {
        main->panel()->SetSelection(int(page));
        main->editRecord(page, name);
        pump();
        for (wxWindow* w : wxTopLevelWindows)
            if (w->IsShown() && w->GetLabel() == title + name) return dynamic_cast<wxFrame*>(w);
        ADD_FAILURE() << "no window \"" << title << name << "\"";
        return nullptr;
    }
    void picture(const std::string& name, wxTopLevelWindow* w) {
        ASSERT_NE(w, nullptr) << name;
        w->SetPosition(wxPoint(0, 0));
        w->Raise();
        screenshot(name, w);
    }

    TestStudio s;
    ui::MainFrame* main = nullptr;
};

} // namespace

TEST_F(ManualPictures, DISABLED_TheStudioAndTheSpriteWindowsOnThePlatformer) {
    open("platformer");
    picture("main-window", main);

    wxFrame* sprite = edit(PanelCategory::Sprites, "spr_player", "Sprite properties - ");
    ASSERT_NE(sprite, nullptr);
    slide(child<wxSlider>(sprite, "zoom"), 4);
    picture("sprite-properties", sprite);

    s.dialogs.files = {(s.folder.path() / "Projects" / "platformer" / "img" / "bg_tiles.png").string()};
    click(child(sprite, "load"));
    wxFrame* strip = ui::findStripImportWindow("spr_player");
    ASSERT_NE(strip, nullptr);
    child<wxTextCtrl>(strip, "columns")->SetValue("4");
    child<wxTextCtrl>(strip, "rows")->SetValue("2");
    picture("strip-import", strip);
    strip->Close();
    pump();

    s.studio.project.points = {{"spr_player", 4, 2}, {"spr_player", 20, 2}, {"spr_player", 22, 31}, {"spr_player", 2, 31}};
    click(child(sprite, "shape"));
    wxFrame* shape = ui::findShapeEditor("spr_player");
    ASSERT_NE(shape, nullptr);
    slide(child<wxSlider>(shape, "zoom"), 8);
    picture("collision-shape-editor", shape);
    click(child(shape, "done"));
    pump();

    click(child(sprite, "edit"));
    wxFrame* frames = ui::findFramesEditor("spr_player");
    picture("frames-editor", frames);
    chooseMenu(frames, "Edit", "Edit current frame");
    wxFrame* editor = ui::findImageEditorWindow("spr_player");
    ASSERT_NE(editor, nullptr);
    for (int k = 0; k < 3; ++k) click(child(editor, "zoom-in"));
    picture("image-editor", editor);
    click(child(editor, "done"));
    pumpUntil([] { return ui::findImageEditorWindow("spr_player") == nullptr; });

    wxTEST_DIALOG(chooseMenu(frames, "Effects", "Colorize"), ExpectDialog("Colorize", [](wxDialog* d) {
                      if (auto* hue = child<wxSlider>(d, "hue-slider")) slide(hue, 200);
                      d->SetPosition(wxPoint(0, 0));
                      screenshotOfDialog(d, "effect-dialog");
                      return wxID_CANCEL;
                  }));
}

TEST_F(ManualPictures, DISABLED_TheOtherWindowsOnTheSamples) {
    open("platformer");
    wxFrame* object = edit(PanelCategory::Objects, "obj_player", "Object properties - ");
    ASSERT_NE(object, nullptr);
    child<wxListCtrl>(object, "events")->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    picture("object-properties", object);
    const auto& scripts = s.studio.project.scripts;
    const auto step = std::find_if(scripts.begin(), scripts.end(),
                                   [](const Script& k) { return k.object == "obj_player" && k.event == "Step"; });
    ASSERT_NE(step, scripts.end());
    ui::openEventEditor(s.studio, object, size_t(step - scripts.begin()));
    pump();
    wxFrame* code = ui::findCodeWindow("event-editor:obj_player");
    ASSERT_NE(code, nullptr);
    // The caret in "keyboard_check": the help lines explain it.
    child<ui::CodeEditor>(code, "editor")->GotoPos(step->code.find("keyboard_check") + 3);
    pumpUntil([&] { return !child<wxTextCtrl>(code, "help1")->GetValue().empty(); });
    picture("code-editor", code);
    closeAll();

    const auto names = listProjects(s.folder.path());
    auto* projects = new ui::OpenProjectDialog(main, s.folder.path(), names, main->art().placeholder);
    projects->Show();
    projects->pick(int(std::find(names.begin(), names.end(), "platformer") - names.begin()));
    picture("open-dialog", projects);
    projects->Destroy();
    picture("sound-properties", edit(PanelCategory::Sounds, "snd_jump", "Sound properties - "));
    picture("background-properties", edit(PanelCategory::Backgrounds, "bg_tiles", "Background properties - "));
    closeAll();
    main->editRecord(PanelCategory::Scenes, "level1");
    pump();
    wxFrame* scene = ui::findSceneWindow("level1");
    ASSERT_NE(scene, nullptr);
    child<wxNotebook>(scene, "tabs")->SetSelection(1);
    picture("scene-properties", scene);

    open("shooter");
    picture("music-properties", edit(PanelCategory::Musics, "mus_theme", "Music properties - "));

    open("bricks");
    picture("font-properties", edit(PanelCategory::Fonts, "fnt_hud", "Font properties - "));
    picture("function-properties", edit(PanelCategory::Functions, "bounce_speed", "Function properties - "));
    closeAll();
    wxTEST_DIALOG(main->exportFunctions(), ExpectDialog("Select functions to export", [](wxDialog* d) {
                      d->SetPosition(wxPoint(0, 0));
                      screenshotOfDialog(d, "function-library-export");
                      return wxID_CANCEL;
                  }));

    main->openGameWindow(3);
    ui::InstalledExtensionsWindow* extensions = main->installedExtensionsWindow();
    ASSERT_NE(extensions, nullptr);
    extensions->pick(0);
    picture("installed-extensions", extensions);
    extensions->Close();

    auto* prefs = new ui::PreferencesDialog(main, s.studio);
    prefs->Show();
    picture("preferences", prefs);
    prefs->Destroy();

    auto* maker = new ui::MakerFrame(s.dialogs, s.folder.path());
    maker->Show();
    s.dialogs.files = {(s.folder.path() / "Extensions" / "screen_shake.pdx").string()};
    wxCommandEvent open(wxEVT_MENU, ui::MakerFrame::kOpen);
    open.SetEventObject(maker);
    maker->GetEventHandler()->ProcessEvent(open);
    picture("extension-maker", maker);
    maker->Destroy();
}
