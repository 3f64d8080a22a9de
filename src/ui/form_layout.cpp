#include "ui/form_layout.h"

#include <algorithm>

#include <wx/valtext.h>

namespace pondaro::ui {

wxButton* formButton(wxWindow* parent, const wxString& label, wxSize minimum, const wxString& name) {
    auto* b = new wxButton(parent, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, name);
    b->SetMinSize(wxSize(std::max(minimum.x, b->GetBestSize().x), std::max(minimum.y, b->GetBestSize().y)));
    return b;
}

wxTextCtrl* formField(wxWindow* parent, const wxString& value, int width, const wxString& name, bool digitsOnly) {
    auto* f = new wxTextCtrl(parent, wxID_ANY, value, wxDefaultPosition, wxDefaultSize, 0,
                             digitsOnly ? wxTextValidator(wxFILTER_DIGITS) : wxDefaultValidator, name);
    f->SetMinSize(wxSize(width, -1));
    return f;
}

wxSizer* cancelAndOkRow(wxWindow* parent, wxWindow* middle) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxButton(parent, wxID_CANCEL, "Cancel", wxDefaultPosition, wxSize(65, -1), 0, wxDefaultValidator,
                          "cancel"));
    row->AddStretchSpacer();
    if (middle) row->Add(middle, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 10);
    auto* ok = new wxButton(parent, wxID_OK, "OK", wxDefaultPosition, wxSize(65, -1), 0, wxDefaultValidator, "ok");
    ok->SetDefault();
    row->Add(ok);
    return row;
}

void layOutWindow(wxTopLevelWindow* window, wxWindow* panel, wxSizer* content, wxSize least) {
    panel->SetSizer(content);
    wxSizer* outer = content;
    if (panel != window) {
        outer = new wxBoxSizer(wxVERTICAL);
        outer->Add(panel, 1, wxEXPAND);
        window->SetSizer(outer);
    }
    const wxSize needed = outer->GetMinSize();
    window->SetMinClientSize(wxSize(std::max(least.x, needed.x), std::max(least.y, needed.y)));
    window->SetClientSize(window->GetMinClientSize());
}

int captionColumnWidth(wxWindow* parent, std::initializer_list<const char*> captions, int least) {
    int widest = least;
    for (const char* caption : captions) widest = std::max(widest, parent->GetTextExtent(caption).x);
    return widest;
}

wxBoxSizer* captionedRow(wxWindow* parent, const wxString& caption, int captionWidth, wxWindow* control) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* text = new wxStaticText(parent, wxID_ANY, caption);
    text->SetMinSize(wxSize(std::max(captionWidth, text->GetBestSize().x), -1));
    row->Add(text, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    row->Add(control, 1, wxALIGN_CENTER_VERTICAL);
    return row;
}

RecordButtons recordButtonRow(wxWindow* parent, const wxString& keywords) {
    RecordButtons b;
    b.row = new wxBoxSizer(wxHORIZONTAL);
    b.remove = formButton(parent, "Delete", wxSize(65, 25), "delete");
    b.keywords = formField(parent, keywords, 200, "keywords");
    b.done = formButton(parent, " Done ", wxSize(65, 25), "done");
    b.row->Add(b.remove, 0, wxALIGN_CENTER_VERTICAL);
    b.row->AddStretchSpacer();
    b.row->Add(b.keywords, 0, wxALIGN_CENTER_VERTICAL);
    b.row->AddStretchSpacer();
    b.row->Add(b.done, 0, wxALIGN_CENTER_VERTICAL);
    return b;
}

void layOutAboveButtonRow(wxTopLevelWindow* window, wxWindow* panel, wxSizer* columns, const RecordButtons& buttons,
                          wxSize least) {
    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(columns, 1, wxEXPAND);
    all->Add(buttons.row, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    layOutWindow(window, panel, all, least);
}

} // namespace pondaro::ui
