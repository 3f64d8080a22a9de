// The sound, music, background, font and function windows and the function library
// export, opened as a user opens them (the Resources menu, the Functions page) and
// driven through their controls, with the Dialogs fake answering the file dialogs and
// questions.
#include <gtest/gtest.h>

#include <filesystem>

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/file_commands.h"
#include "app/ui/editor_hooks.h"
#include "code/ui/code_editor.h"
#include "code_screens.h"
#include "image/codecs.h"
#include "support/fake_ports.h"
#include "ui/region_canvas.h"
#include "ui/studio_window.h"

using namespace pondaro;
using namespace pondaro::gui;
namespace fs = std::filesystem;

namespace {

wxString label(wxWindow* window, const char* name) { return child<wxStaticText>(window, name)->GetLabel(); }

struct MediaWindows : testing::Test {
    void SetUp() override {
        main = startWithEveryWindow(s.studio);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { closeStudio(s.studio, main); }

    // "Add new ..." of the Resources menu: the record's window opens at once. `name`
    // gives the new record's name.
    template <class Record>
    wxFrame* addRecord(const char* entry, const std::string& titled, const Table<Record>& table, std::string& name) {
        chooseMenu(main, "Resources", entry);
        pump();
        if (table.empty()) return nullptr;
        name = table[table.size() - 1].name;
        return ui::findStudioWindow(titled + name);
    }

    std::string file(const std::string& name, const std::string& bytes) {
        writeTestFile(s.folder.path() / "in" / name, bytes);
        return (s.folder.path() / "in" / name).string();
    }

    Project& p() { return s.studio.project; }

    TestStudio s;
    ui::MainFrame* main = nullptr;
};

} // namespace

TEST_F(MediaWindows, ASoundSourceSetAndAnotherUnsetAreTakenAtDoneAndTheCloseBoxDiscardsThem) {
    std::string name;
    wxFrame* w = addRecord("Add new sound", "Sound properties - ", p().sounds, name);
    ASSERT_NE(w, nullptr);
    EXPECT_GE(w->GetClientSize().x, 480);
    EXPECT_GE(w->GetClientSize().y, 220);
    EXPECT_EQ(w->GetTitle(), "Sound properties - " + name);
    main->editRecord(PanelCategory::Sounds, name);  // raises the open window, makes no second
    EXPECT_EQ(ui::findStudioWindow("Sound properties - " + name), w);

    s.dialogs.files = {file("boom.ogg", "ogg bytes")};
    click(child(w, "set-ogg"));
    EXPECT_EQ(label(w, "file-ogg"), "File: boom.ogg");
    w->Close();  // the close box: nothing was taken
    EXPECT_EQ(p().sounds[0].ogg, "");

    main->editRecord(PanelCategory::Sounds, name);
    w = ui::findStudioWindow("Sound properties - " + name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(label(w, "file-ogg"), "File: ");
    s.dialogs.files = {file("boom.ogg", "ogg bytes"), file("jump.wav", "wav bytes")};
    click(child(w, "set-ogg"));
    click(child(w, "set-wav"));
    s.dialogs.yesNo = {true};
    click(child(w, "unset-wav"));
    EXPECT_EQ(label(w, "file-wav"), "File: ");
    child<wxTextCtrl>(w, "name")->SetValue("boom");
    screenshot("sound-window");
    click(child(w, "done"));
    EXPECT_EQ(ui::findStudioWindow("Sound properties - boom"), nullptr);
    EXPECT_EQ(p().sounds[0].name, "boom");
    EXPECT_EQ(p().sounds[0].ogg, "boom.ogg");
    EXPECT_EQ(p().sounds[0].wav, "");
    EXPECT_EQ(readTestFile(s.folder.path() / p().workingFolder / "boom.ogg"), "ogg bytes");
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Confirm", "Remove WAV source?"}));
}

TEST_F(MediaWindows, ABackgroundTakesAPictureAndBecomesATileSetAtDone) {
    std::string name;
    wxFrame* w = addRecord("Add new background", "Background properties - ", p().backgrounds, name);
    ASSERT_NE(w, nullptr);
    EXPECT_GE(w->GetClientSize().x, 800);
    Image picture(64, 48);
    picture.fill({0, 128, 0, 255});
    const fs::path png = s.folder.path() / "in" / "grass.png";
    fs::create_directories(png.parent_path());
    ASSERT_TRUE(savePng(picture, png));
    s.dialogs.files = {png.string()};
    click(child(w, "select-image"));
    EXPECT_EQ(label(w, "file"), "File: grass.png");
    auto* preview = child<ui::RegionCanvas>(w, "preview");
    EXPECT_TRUE(pumpUntil([&] { return preview->canvasSize() == Size{64, 48}; }));
    EXPECT_FALSE(p().backgrounds[0].picture);  // nothing is taken before Done

    EXPECT_FALSE(child(w, "tile-width")->IsShown());
    tick(child<wxCheckBox>(w, "tile"), true);
    EXPECT_TRUE(child(w, "tile-width")->IsShown());
    child<wxTextCtrl>(w, "tile-width")->SetValue("16");
    child<wxTextCtrl>(w, "tile-height")->SetValue("8");
    pump(100);
    screenshot("background-window");
    click(child(w, "done"));
    EXPECT_EQ(ui::findStudioWindow("Background properties - " + name), nullptr);
    const Background& b = p().backgrounds[0];
    EXPECT_EQ(b.file, "grass.png");
    ASSERT_TRUE(b.picture);
    EXPECT_EQ(*b.picture, picture);
    EXPECT_EQ(b.tile, 1);
    EXPECT_EQ(b.tilewidth, 16);
    EXPECT_EQ(b.tileheight, 8);
    EXPECT_TRUE(fs::exists(s.folder.path() / p().workingFolder / "grass.png"));
}

TEST_F(MediaWindows, AFontSizeOfZeroIsRefusedAndTheWindowStays) {
    std::string name;
    wxFrame* w = addRecord("Add new font", "Font properties - ", p().fonts, name);
    ASSERT_NE(w, nullptr);
    child<wxTextCtrl>(w, "family")->SetValue("No Such Family");  // the preview falls back
    child<wxTextCtrl>(w, "size")->SetValue("0");
    tick(child<wxCheckBox>(w, "bold"), true);
    pump();
    click(child(w, "done"));
    EXPECT_EQ(s.dialogs.shown.back(), (Shown{"Error", "The font size '0' is invalid"}));
    EXPECT_EQ(ui::findStudioWindow("Font properties - " + name), w);
    EXPECT_EQ(p().fonts[0].bold, 0);
    child<wxTextCtrl>(w, "size")->SetValue("14");
    screenshot("font-window");
    click(child(w, "done"));
    EXPECT_EQ(ui::findStudioWindow("Font properties - " + name), nullptr);
    EXPECT_EQ(p().fonts[0].size, 14);
    EXPECT_EQ(p().fonts[0].bold, 1);
    EXPECT_EQ(p().fonts[0].family, "No Such Family");
}

TEST_F(MediaWindows, AFunctionWrittenInItsWindowIsTakenAtDoneAndExportedWithAnotherToALibrary) {
    std::string name;
    wxFrame* w = addRecord("Add new function", "Function properties - ", p().fns, name);
    ASSERT_NE(w, nullptr);
    child<wxTextCtrl>(w, "name")->SetValue("add");
    child<wxTextCtrl>(w, "params")->SetValue("a, b");
    child<ui::CodeEditor>(w, "code")->setCode("return a + b;");
    screenshot("function-window");
    click(child(w, "done"));
    ASSERT_EQ(p().fns.size(), 1u);
    EXPECT_EQ(p().fns[0].name, "add");
    EXPECT_EQ(p().fns[0].params, "a, b");
    EXPECT_EQ(p().fns[0].code, "return a + b;");

    for (const char* name : {"skip", "twice"}) {
        GameFunction f;
        f.name = name;
        f.code = std::string("// ") + name;
        p().fns.add(f);
    }
    const std::string library = (s.folder.path() / "mine").string();
    s.dialogs.files = {library};
    wxTEST_DIALOG(main->exportFunctions(), ExpectDialog("Select functions to export", [](wxDialog* d) {
                      child<wxCheckBox>(d, "function-1")->SetValue(false);
                      child<wxTextCtrl>(d, "author")->SetValue("me");
                      return wxID_OK;
                  }));
    EXPECT_TRUE(fs::exists(library + ".xml"));

    ASSERT_TRUE(newProject(s.studio, false));
    main->rebuildPanel();
    s.dialogs.files = {library + ".xml"};
    main->importFunctions();
    ASSERT_EQ(p().fns.size(), 2u);
    EXPECT_EQ(p().fns[0].name, "add");
    EXPECT_EQ(p().fns[1].name, "twice");
    EXPECT_EQ(p().fns[1].code, "// twice");
}
