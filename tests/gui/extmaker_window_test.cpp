// The extension maker's window: its layout, menu and shortcuts, and the File commands
// driven through the menu with the Dialogs fake answering.
#include <gtest/gtest.h>

#include <memory>
#include <wx/menu.h>
#include <wx/weakref.h>

#include "code/ui/code_editor.h"
#include "code_screens.h"
#include "extmaker/ui/maker_frame.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::gui;

namespace {

struct MakerWindow : testing::Test {
    void SetUp() override {
        frame = new ui::MakerFrame(dialogs, folder.path());
        frame->Show();
        letEventsThrough();
    }
    void TearDown() override {
        if (frame) frame->Destroy();
        letEventsThrough(10);
    }
    void command(int id) {
        wxCommandEvent e(wxEVT_MENU, id);
        e.SetEventObject(frame);
        frame->GetEventHandler()->ProcessEvent(e);
    }
    wxTextCtrl* field(const char* name) { return child<wxTextCtrl>(frame, name); }
    std::filesystem::path file(const std::string& key) { return folder.path() / "Extensions" / (key + ".pdx"); }

    TempFolder folder;
    FakeDialogs dialogs;
    wxWeakRef<ui::MakerFrame> frame;
};

} // namespace

TEST_F(MakerWindow, WindowFieldsAndMenu) {
    EXPECT_EQ(frame->GetTitle(), "Pondaro Extension Maker");
    expectProgramIcon(*frame);
    EXPECT_EQ(frame->GetClientSize(), wxSize(1024, 768));
    EXPECT_EQ(field("name")->GetRect(), wxRect(10, 35, 200, 22));
    EXPECT_EQ(field("author")->GetRect(), wxRect(10, 90, 200, 22));
    EXPECT_EQ(field("description")->GetRect(), wxRect(10, 145, 200, 80));
    EXPECT_EQ(field("help")->GetRect(), wxRect(10, 270, 200, 300));
    EXPECT_TRUE(field("description")->IsMultiLine());
    EXPECT_EQ(frame->codeEditor()->GetRect(), wxRect(220, 35, 794, 703));
    EXPECT_EQ(frame->codeEditor()->StyleGetForeground(4), wxColour(198, 0, 198));
    EXPECT_EQ(frame->codeEditor()->GetCaretLineBackground(), wxColour(255, 240, 240));

    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 1u);
    EXPECT_EQ(bar->GetMenuLabelText(0), "File");
    wxMenu* file = bar->GetMenu(0);
    ASSERT_EQ(file->GetMenuItemCount(), 6u);
    EXPECT_EQ(menuEntriesWithoutPicture(*file), std::vector<std::string>{});
    EXPECT_TRUE(file->FindItemByPosition(4)->IsSeparator());
    struct Expected {
        int id;
        const char* label;
        int key;  // 0: no shortcut
    };
    for (Expected e : {Expected{ui::MakerFrame::kNew, "New\tCtrl+N", 'N'}, Expected{ui::MakerFrame::kOpen, "Open...\tCtrl+O", 'O'},
                       Expected{ui::MakerFrame::kSave, "Save\tCtrl+S", 'S'}, Expected{ui::MakerFrame::kSaveAs, "Save as...", 0},
                       Expected{ui::MakerFrame::kExit, "Exit\tCtrl+X", 'X'}}) {
        wxMenuItem* item = bar->FindItem(e.id);
        ASSERT_NE(item, nullptr) << e.label;
        EXPECT_EQ(item->GetItemLabel(), e.label);
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        if (e.key == 0) {
            EXPECT_EQ(accel, nullptr) << e.label;
            continue;
        }
        ASSERT_NE(accel, nullptr) << e.label;
        EXPECT_EQ(accel->GetKeyCode(), e.key);
        EXPECT_EQ(accel->GetFlags(), wxACCEL_CTRL);
    }
}

TEST_F(MakerWindow, SaveAsksTheNameOnceThenWritesWhatTheFieldsHold) {
    field("name")->ChangeValue("Particles");
    field("author")->ChangeValue("Ann");
    field("description")->ChangeValue("Sparks\nand smoke");
    field("help")->ChangeValue("spark(x, y)");
    frame->codeEditor()->setCode("function spark() {\r\n}");
    dialogs.names.push_back(std::string("particles"));
    command(ui::MakerFrame::kSave);
    EXPECT_EQ(readTestFile(file("particles")),
              "[EXTENSION]\r\nParticles\r\n\r\n[AUTHOR]\r\nAnn\r\n\r\n[DESCRIPTION]\r\nSparks\r\nand smoke\r\n\r\n"
              "[HELP]\r\nspark(x, y)\r\n\r\n[CODE]\r\nfunction spark() {\r\n}\r\n\r\n");
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Pondaro Extension Maker", "Extension: particles successfully saved."}));

    frame->codeEditor()->AppendText("\r\n// more");
    command(ui::MakerFrame::kSave);
    size_t asked = 0;
    for (const auto& s : dialogs.shown) asked += s.title == "Enter the extension name";
    EXPECT_EQ(asked, 1u);
    EXPECT_NE(readTestFile(file("particles")).find("// more"), std::string::npos);

    // Save as over another existing file: replaced once the user agrees.
    writeTestFile(file("other"), "old");
    dialogs.names.push_back(std::string("other"));
    dialogs.yesNo = {true};
    command(ui::MakerFrame::kSaveAs);
    EXPECT_EQ(readTestFile(file("other")).substr(0, 24), "[EXTENSION]\r\nParticles\r\n");
}

TEST_F(MakerWindow, OpenShowsTheFileAndNewEmptiesTheFields) {
    writeTestFile(file("glow"), "[EXTENSION]\r\nGlow\r\n\r\n[AUTHOR]\r\nBo\r\n\r\n[DESCRIPTION]\r\nA\r\n\r\nB\r\n\r\n"
                                "[HELP]\r\nh\r\n\r\n[CODE]\r\nif (a) {\r\n\r\n  glow(1);\r\n}\r\n\r\n");
    dialogs.files.push_back(file("glow").string());
    command(ui::MakerFrame::kOpen);
    EXPECT_EQ(frame->document().key, "glow");
    EXPECT_EQ(field("name")->GetValue(), "Glow");
    EXPECT_EQ(field("author")->GetValue(), "Bo");
    EXPECT_EQ(field("description")->GetValue(), "A\nB\n");
    EXPECT_EQ(frame->codeEditor()->code(), "if (a) {\r\n  glow(1);\r\n}\r\n");
    // The editor colours the opened code with the maker's styles (keywords 2, numbers 5).
    EXPECT_EQ(frame->codeEditor()->GetStyleAt(0), 2);
    EXPECT_EQ(frame->codeEditor()->GetStyleAt(frame->codeEditor()->PositionFromLine(1) + 7), 5);
    screenshotWithImport("extmaker_window");

    dialogs.yesNo = {false, true};
    command(ui::MakerFrame::kNew);
    EXPECT_EQ(field("name")->GetValue(), "Glow");
    command(ui::MakerFrame::kNew);
    EXPECT_EQ(field("name")->GetValue(), "");
    EXPECT_EQ(field("help")->GetValue(), "");
    EXPECT_EQ(frame->codeEditor()->code(), "");
    EXPECT_EQ(frame->document().key, "");
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Create a new extension?"}));
}

TEST_F(MakerWindow, ExitAsksFromTheMenuAndTheCloseBox) {
    dialogs.yesNo = {false, false, true};
    command(ui::MakerFrame::kExit);
    letEventsThrough();
    ASSERT_TRUE(frame);
    EXPECT_FALSE(frame->Close());  // the close box, answered No: vetoed
    letEventsThrough();
    ASSERT_TRUE(frame);
    command(ui::MakerFrame::kExit);
    letEventsThrough();
    EXPECT_FALSE(frame);  // Yes ends the window, and with it the program
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Exit from Pondaro Extension Maker?"}));
}

TEST_F(MakerWindow, TheShortcutsWorkWhileTypingInAField) {
    auto press = [&](wxWindow* focus, int key) {
        focus->SetFocus();
        wxKeyEvent e(wxEVT_CHAR_HOOK);
        e.m_keyCode = key;
        e.SetControlDown(true);
        e.SetEventObject(focus);
        frame->GetEventHandler()->ProcessEvent(e);
    };
    field("name")->ChangeValue("Particles");
    dialogs.names.push_back(std::string("particles"));
    press(field("name"), 'S');
    EXPECT_TRUE(std::filesystem::exists(file("particles")));
    dialogs.yesNo = {false, false, false};
    press(frame->codeEditor(), 'N');
    press(field("description"), 'X');  // Exit, not Cut
    EXPECT_EQ(dialogs.shown.back(), (Shown{"Confirm", "Exit from Pondaro Extension Maker?"}));
    EXPECT_EQ(field("name")->GetValue(), "Particles");
    dialogs.files.push_back("");
    press(field("help"), 'O');
    EXPECT_EQ(dialogs.shown.back().title, "Select a Pondaro Game Maker Extension...");
    // X without Ctrl is typing: no question.
    const size_t before = dialogs.shown.size();
    wxKeyEvent plain(wxEVT_CHAR_HOOK);
    plain.m_keyCode = 'X';
    frame->GetEventHandler()->ProcessEvent(plain);
    EXPECT_EQ(dialogs.shown.size(), before);
}
