#include "scene/ui/scene_dialogs.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/form_layout.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {
// What a title bar takes besides the title: the window's icon and three buttons.
constexpr int kTitleBarButtons = 100;
} // namespace

FieldsDialog::FieldsDialog(wxWindow* owner, const wxString& title, std::vector<Field> fields, const wxString& check,
                           std::function<bool(const std::vector<std::string>&, bool)> ok, wxSize least)
    : wxDialog(owner, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxCAPTION), ok_(std::move(ok)) {
    auto* grid = new wxFlexGridSizer(2, 8, 8);
    grid->AddGrowableCol(1);
    for (const Field& f : fields) {
        grid->Add(new wxStaticText(this, wxID_ANY, f.caption), 0, wxALIGN_CENTER_VERTICAL);
        wxTextCtrl* field = formField(this, f.value, 100, f.name);
        grid->Add(field, 1, wxEXPAND);
        fields_.push_back(field);
    }
    auto* content = new wxBoxSizer(wxVERTICAL);
    content->Add(grid, 0, wxEXPAND | wxALL, 12);
    if (!check.empty()) {
        check_ = new wxCheckBox(this, wxID_ANY, check, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                                "check");
        content->Add(check_, 0, wxLEFT | wxRIGHT | wxBOTTOM, 12);
    }
    content->AddStretchSpacer();
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* okButton = formButton(this, "OK", wxSize(65, 25), "ok");
    auto* cancel = formButton(this, "Cancel", wxSize(65, 25), "cancel");
    buttons->Add(okButton, 0, wxRIGHT, 8);
    buttons->Add(cancel);
    content->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 12);
    // The title bar shows the title in bold beside the window manager's buttons: wide
    // enough for both, the title is not cut short.
    const wxFont bold = GetFont().Bold();
    int titleWidth = 0;
    GetTextExtent(title, &titleWidth, nullptr, nullptr, nullptr, &bold);
    least.x = std::max(least.x, titleWidth + kTitleBarButtons);
    layOutWindow(this, this, content, least);
    okButton->SetDefault();
    if (!fields_.empty()) fields_.front()->SetFocus();

    okButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (accept()) EndModal(wxID_OK);
    });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); });
    // Only OK and Cancel close it: Escape and the window manager's close do nothing.
    Bind(wxEVT_CLOSE_WINDOW, [](wxCloseEvent& e) {
        if (!e.CanVeto()) e.Skip();
        else e.Veto();
    });
    SetEscapeId(wxID_NONE);
    CentreOnParent();
}

bool FieldsDialog::accept() {
    std::vector<std::string> texts;
    for (wxTextCtrl* f : fields_) texts.push_back(fromWx(f->GetValue()));
    return ok_(texts, check_ && check_->GetValue());
}

} // namespace pondaro::ui
