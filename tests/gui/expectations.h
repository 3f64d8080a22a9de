#pragma once
// wxTEST_DIALOG expectations for the studio's own dialogs and for message boxes whose
// title and text are checked.
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <wx/colordlg.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
#include <wx/testing.h>
#include <wx/textctrl.h>

#include "ui/name_dialog.h"
#include "ui/open_project_dialog.h"

namespace pondaro::gui {

// A message box (every one of the programs is a wxGenericMessageDialog) with this title
// and text, answered with `answer` (wxID_OK, wxID_YES...).
class ExpectMessage : public wxExpectModalBase<wxGenericMessageDialog, ExpectMessage> {
public:
    ExpectMessage(wxString title, wxString text, int answer = wxID_OK)
        : title_(std::move(title)), text_(std::move(text)), answer_(answer) {}

protected:
    int OnInvoked(wxGenericMessageDialog* dlg) const override {
        EXPECT_EQ(dlg->GetTitle(), title_);
        EXPECT_EQ(dlg->GetMessage(), text_);
        return answer_;
    }

private:
    wxString title_, text_;
    int answer_;
};

// A message box with this title, whatever its text.
class ExpectTitled : public wxExpectModalBase<wxGenericMessageDialog, ExpectTitled> {
public:
    explicit ExpectTitled(wxString title, int answer = wxID_OK) : title_(std::move(title)), answer_(answer) {}

protected:
    int OnInvoked(wxGenericMessageDialog* dlg) const override {
        EXPECT_EQ(dlg->GetTitle(), title_);
        return answer_;
    }

private:
    wxString title_;
    int answer_;
};

// The name dialog: the name is typed and OK (or Cancel) pressed.
class ExpectNameDialog : public wxExpectModalBase<ui::NameDialog, ExpectNameDialog> {
public:
    explicit ExpectNameDialog(wxString name, int answer = wxID_OK) : name_(std::move(name)), answer_(answer) {}

protected:
    int OnInvoked(ui::NameDialog* dlg) const override {
        EXPECT_EQ(dlg->GetTitle(), "Enter the project name");
        dlg->field()->SetValue(name_);
        return answer_;
    }

private:
    wxString name_;
    int answer_;
};

// The open dialog: the project is picked in the list and Open (or Cancel) pressed.
class ExpectOpenDialog : public wxExpectModalBase<ui::OpenProjectDialog, ExpectOpenDialog> {
public:
    explicit ExpectOpenDialog(wxString project, int answer = wxID_OK,
                              std::function<void(ui::OpenProjectDialog*)> look = {})
        : project_(std::move(project)), answer_(answer), look_(std::move(look)) {}

protected:
    int OnInvoked(ui::OpenProjectDialog* dlg) const override {
        EXPECT_EQ(dlg->GetTitle(), "Open a project...");
        const int row = dlg->list()->FindString(project_, true);
        EXPECT_NE(row, wxNOT_FOUND) << project_;
        if (row != wxNOT_FOUND) dlg->pick(row);
        if (look_) look_(dlg);
        return answer_;
    }

private:
    wxString project_;
    int answer_;
    std::function<void(ui::OpenProjectDialog*)> look_;
};

// The system colour chooser, checked to open on the given colour and cancelled. (On
// this desktop the chooser reads its answer from its own widget after the test hook
// returns, so a test cannot make it choose a colour.)
class ExpectColourChooser : public wxExpectModalBase<wxColourDialog, ExpectColourChooser> {
public:
    explicit ExpectColourChooser(wxColour preset) : colour_(preset), answer_(wxID_CANCEL) {}

protected:
    int OnInvoked(wxColourDialog* dlg) const override {
        EXPECT_EQ(dlg->GetColourData().GetColour(), colour_);
        return answer_;
    }

private:
    wxColour colour_;
    int answer_;
};

} // namespace pondaro::gui
