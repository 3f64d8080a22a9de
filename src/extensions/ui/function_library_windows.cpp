#include "extensions/ui/function_library_windows.h"

#include <vector>

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/scrolwin.h>
#include <wx/stattext.h>

#include "extensions/function_library.h"
#include "ui/form_layout.h"
#include "ui/widget_looks.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

class ExportFunctionsDialog : public wxDialog {
public:
    ExportFunctionsDialog(wxWindow* parent, const Project& p)
        : wxDialog(parent, wxID_ANY, "Select functions to export", wxDefaultPosition, wxDefaultSize,
                   wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
        auto* list = new wxScrolledWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL | wxBORDER_THEME,
                                          "functions");
        auto* ticks = new wxBoxSizer(wxVERTICAL);
        for (size_t i = 0; i < p.fns.size(); ++i) {
            auto* box = new wxCheckBox(list, wxID_ANY, toWx(p.fns[i].name), wxDefaultPosition, wxDefaultSize, 0,
                                       wxDefaultValidator, wxString::Format("function-%zu", i));
            box->SetValue(true);
            box->SetMinSize(wxSize(-1, 25));
            ticks->Add(box, 0, wxLEFT | wxTOP, 5);
            boxes_.push_back(box);
        }
        list->SetSizer(ticks);
        list->SetScrollRate(0, 30);
        list->SetMinSize(wxSize(230, 540));

        author_ = formField(this, "", 190, "author");
        description_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(190, 450), wxTE_MULTILINE,
                                      wxDefaultValidator, "description");
        giveInnerMargin(*description_);
        auto* right = new wxBoxSizer(wxVERTICAL);
        right->Add(new wxStaticText(this, wxID_ANY, "Author"), 0, wxBOTTOM, 5);
        right->Add(author_, 0, wxEXPAND | wxBOTTOM, 10);
        right->Add(new wxStaticText(this, wxID_ANY, "Description"), 0, wxBOTTOM, 5);
        right->Add(description_, 1, wxEXPAND);

        auto* columns = new wxBoxSizer(wxHORIZONTAL);
        columns->Add(list, 1, wxEXPAND | wxRIGHT, 10);
        columns->Add(right, 0, wxEXPAND);

        auto* buttons = new wxBoxSizer(wxHORIZONTAL);
        auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel", wxDefaultPosition, wxDefaultSize, 0,
                                    wxDefaultValidator, "cancel");
        auto* exportButton = new wxButton(this, wxID_OK, "Export", wxDefaultPosition, wxDefaultSize, 0,
                                          wxDefaultValidator, "export");
        exportButton->SetMinSize(wxSize(95, -1));
        buttons->AddStretchSpacer();
        buttons->Add(cancel, 0, wxRIGHT, 10);
        buttons->Add(exportButton);

        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(columns, 1, wxEXPAND | wxALL, 10);
        all->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
        layOutWindow(this, this, all, wxSize(450, 600));
        CentreOnParent();
    }

    std::vector<bool> ticked() const {
        std::vector<bool> out;
        for (const wxCheckBox* box : boxes_) out.push_back(box->GetValue());
        return out;
    }
    std::string author() const { return fromWx(author_->GetValue()); }
    std::string description() const { return fromWx(description_->GetValue()); }

private:
    std::vector<wxCheckBox*> boxes_;
    wxTextCtrl* author_ = nullptr;
    wxTextCtrl* description_ = nullptr;
};

} // namespace

void exportFunctionsWindow(Studio& studio, wxWindow* mainWindow) {
    if (!hasFunctionsToExport(studio.project, studio.dialogs)) return;
    ExportFunctionsDialog dialog(mainWindow, studio.project);
    // "Export" ends the window's turn; no file chosen, or a refused overwrite or a
    // failed write, brings it back as it was.
    while (dialog.ShowModal() == wxID_OK) {
        if (exportChosenFunctions(studio.project, studio.dialogs, dialog.ticked(), dialog.author(),
                                  dialog.description()))
            return;
    }
}

} // namespace pondaro::ui
