// The message boxes of both programs, shown for real under the window manager.
#include <gtest/gtest.h>

#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "gui_support.h"
#include "ui/wx_ports.h"

using namespace pondaro;
using namespace pondaro::gui;

TEST(MessageBox, EscapeOrTheCloseBoxNeverAnswersAQuestionWithYes) {
    GuiStudio s;
    ui::MainFrame* f = s.start();
    LetDialogsShow forReal;
    for (const bool closeBox : {false, true}) {
        wxTimer user;
        user.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
            for (wxWindow* w : wxTopLevelWindows) {
                auto* box = dynamic_cast<wxDialog*>(w);
                if (!box || !box->IsShown() || !box->IsActive()) continue;
                user.Stop();
                if (closeBox) {
                    box->Close();
                } else {
                    wxUIActionSimulator keys;
                    keys.Char(WXK_ESCAPE);
                }
            }
        });
        user.Start(100);
        const int answer = ui::showMessageBox(f, "Confirm", "Exit from Pondaro Game Maker?", wxYES_NO | wxICON_QUESTION);
        user.Stop();
        EXPECT_EQ(answer, wxID_NO) << (closeBox ? "close box" : "Escape");
    }
}
