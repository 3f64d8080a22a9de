#include "ui/name_dialog.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "ui/wx_ports.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

NameDialog::NameDialog(wxWindow* parent, const wxString& title, const wxString& current,
                       std::function<std::string(const std::string&)> check)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize, wxCAPTION | wxSTAY_ON_TOP),
      check_(std::move(check)) {
    SetClientSize(400, 100);
    field_ = new wxTextCtrl(this, wxID_ANY, current, wxPoint(10, 10), wxSize(380, 25));
    new wxButton(this, wxID_CANCEL, "Cancel", wxPoint(10, 65), wxSize(100, 25));
    auto* ok = new wxButton(this, wxID_OK, "OK", wxPoint(290, 65), wxSize(100, 25));
    ok->SetDefault();
    ok->Bind(wxEVT_BUTTON, &NameDialog::onOk, this);
    CentreOnParent();
    field_->SetFocus();
    field_->SelectAll();
}

std::string NameDialog::name() const { return fromWx(field_->GetValue()); }

void NameDialog::onOk(wxCommandEvent&) {
    const std::string text = name();
    if (!text.empty() && check_) {
        const std::string problem = check_(text);
        if (!problem.empty()) {
            showMessageBox(this, "Error", problem, wxOK | wxICON_ERROR);
            field_->SetFocus();
            field_->SelectAll();
            return;
        }
    }
    EndDialog(wxID_OK);
}

} // namespace pondaro::ui
