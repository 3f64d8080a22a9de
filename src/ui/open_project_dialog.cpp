#include "ui/open_project_dialog.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

#include "image/codecs.h"
#include "image/draw.h"
#include "image/fit.h"
#include "project/lifecycle.h"
#include "ui/picture_box.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

OpenProjectDialog::OpenProjectDialog(wxWindow* parent, const std::filesystem::path& root,
                                     const std::vector<std::string>& names, const wxBitmap& placeholder)
    : wxDialog(parent, wxID_ANY, "Open a project...", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSTAY_ON_TOP),
      root_(root), placeholder_(placeholder) {
    SetClientSize(640, 400);
    list_ = new wxListBox(this, wxID_ANY, wxPoint(10, 10), wxSize(370, 340));
    for (const auto& n : names) list_->Append(toWx(n));
    picture_ = new PictureBox(this, wxPoint(390, 10), wxSize(240, 240));
    picture_->setPicture(placeholder_, true);
    info_ = new wxStaticText(this, wxID_ANY, "", wxPoint(390, 260), wxSize(240, 25), wxST_NO_AUTORESIZE);
    new wxButton(this, wxID_CANCEL, "Cancel", wxPoint(10, 365), wxSize(100, 25));
    auto* open = new wxButton(this, wxID_OK, "Open", wxPoint(640 - 110, 365), wxSize(100, 25));
    open->SetDefault();

    list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { showPreview(); });
    list_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
        if (list_->GetSelection() != wxNOT_FOUND) EndDialog(wxID_OK);
    });
    CentreOnParent();
}

std::string OpenProjectDialog::chosen() const {
    const int row = list_->GetSelection();
    return row == wxNOT_FOUND ? std::string() : fromWx(list_->GetString(row));
}

void OpenProjectDialog::pick(int row) {
    list_->SetSelection(row);
    showPreview();
}

wxString OpenProjectDialog::informationLine() const { return info_->GetLabel(); }

bool OpenProjectDialog::showingPlaceholder() const { return picture_->isPlaceholder(); }

void OpenProjectDialog::showPreview() {
    const std::string name = chosen();
    if (name.empty()) return;
    bool shown = false;
    const auto file = projectPreviewPicture(root_, name);
    if (!file.empty()) {
        Image picture;
        if (loadImage(file, picture)) {
            // On the checkerboard, as every picture preview, so its transparent parts show.
            picture_->setPicture(toBitmap(onCheckerboard(fitPicture(picture, {238, 238}))), false);
            shown = true;
        }
    }
    if (!shown) picture_->setPicture(placeholder_, true);
    info_->SetLabel(toWx(projectStartedText(root_, name)));
}

} // namespace pondaro::ui
