#include <gtest/gtest.h>

#include <wx/checkbox.h>
#include <wx/textctrl.h>

#include "app/ui/preferences_dialog.h"
#include "expectations.h"
#include "gui_support.h"

using namespace pondaro;
using namespace pondaro::gui;

TEST(PreferencesDialog, SaveStoresEveryControlAndWritesTheFile) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    auto* dialog = new ui::PreferencesDialog(f, s.studio);
    dialog->Show();
    EXPECT_EQ(dialog->GetClientSize(), wxSize(640, 480));
    EXPECT_EQ(dialog->swatch(0)->colour(), colourValue(0, 0, 0));
    EXPECT_EQ(dialog->swatch(1)->colour(), colourValue(255, 240, 240));  // the caret row

    // The system chooser opens on the swatch's colour; cancelled, it changes nothing.
    wxTEST_DIALOG(dialog->chooseColour(12), ExpectColourChooser(wxColour(81, 80, 19)));
    EXPECT_EQ(dialog->swatch(12)->colour(), colourValue(81, 80, 19));
    wxColour offered;
    dialog->setColourChooser([&](wxWindow*, const wxColour& preset) -> std::optional<wxColour> {
        offered = preset;
        return wxColour(200, 10, 20);
    });
    dialog->chooseColour(0);
    EXPECT_EQ(offered, wxColour(0, 0, 0));
    EXPECT_EQ(dialog->swatch(0)->colour(), colourValue(200, 10, 20));

    dialog->fontFamily()->SetValue("Mono");
    dialog->fontSize()->SetValue("abc");
    dialog->flag(1)->SetValue(false);  // Check program version at startup
    dialog->flag(3)->SetValue(false);  // Confirm exit
    dialog->imageFolder()->SetValue("pics");
    ASSERT_TRUE(dialog->save());
    dialog->Destroy();

    const Preferences& prefs = s.studio.prefs;
    EXPECT_EQ(prefs.sci_color_fore, colourValue(200, 10, 20));
    EXPECT_EQ(prefs.sci_font_family, "Mono");
    EXPECT_EQ(prefs.sci_font_size, 0);
    EXPECT_EQ(prefs.CheckProgramVersion, 0);
    EXPECT_EQ(prefs.ConfirmExit, 0);
    EXPECT_EQ(prefs.ImgFolder, "pics");
    EXPECT_EQ(s.studio.project.imgfolder, "pics");
    EXPECT_EQ(readTestFile(s.folder.path() / "preferences.dat"), preferencesText(prefs));
}

TEST(PreferencesDialog, CancelAfterChoosingAColourChangesNothing) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    const std::string before = readTestFile(s.folder.path() / "preferences.dat");
    ui::PreferencesDialog dialog(f, s.studio);
    dialog.setColourChooser([](wxWindow*, const wxColour&) { return std::optional<wxColour>(wxColour(9, 9, 9)); });
    dialog.chooseColour(4);
    EXPECT_EQ(dialog.swatch(4)->colour(), colourValue(9, 9, 9));
    wxTEST_DIALOG(dialog.ShowModal(), wxExpectDismissableModal<ui::PreferencesDialog>(wxID_CANCEL));
    EXPECT_EQ(s.studio.prefs, Preferences{});
    EXPECT_EQ(readTestFile(s.folder.path() / "preferences.dat"), before);
}

TEST(PreferencesDialog, AFolderNameThatCannotBeAFolderIsRefused) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    ui::PreferencesDialog dialog(f, s.studio);
    dialog.audioFolder()->SetValue("../sounds");
    wxTEST_DIALOG(EXPECT_FALSE(dialog.save()), ExpectTitled("Error"));
    EXPECT_EQ(s.studio.prefs.AudFolder, "aud");
}
