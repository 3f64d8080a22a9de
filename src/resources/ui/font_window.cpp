#include "resources/ui/font_window.h"

#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/font.h>

#include "resources/font_window.h"
#include "resources/ui/record_window.h"
#include "ui/form_layout.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

class FontWindow : public RecordWindow {
public:
    FontWindow(Studio& studio, wxWindow* mainWindow, const Font& f, std::function<void()> rebuildPanel)
        : RecordWindow(studio, mainWindow, ResourceKind::Font, f.name, f.keywords, std::move(rebuildPanel)) {
        const int captions = captionColumnWidth(panel(), {"Family", "Size"});
        family_ = formField(panel(), toWx(f.family), 200, "family");
        size_ = formField(panel(), wxString::Format("%d", f.size), 60, "size", true);
        bold_ = new wxCheckBox(panel(), wxID_ANY, "Bold", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                               "bold");
        italic_ = new wxCheckBox(panel(), wxID_ANY, "Italic", wxDefaultPosition, wxDefaultSize, 0,
                                 wxDefaultValidator, "italic");
        bold_->SetValue(f.bold != 0);
        italic_->SetValue(f.italic != 0);
        preview_ = new wxWindow(panel(), wxID_ANY, wxDefaultPosition, wxSize(290, 80), wxBORDER_SUNKEN, "preview");
        preview_->SetMinSize(wxSize(290, 80));
        preview_->SetBackgroundStyle(wxBG_STYLE_PAINT);
        preview_->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { paintPreview(); });

        auto* styles = new wxBoxSizer(wxHORIZONTAL);
        styles->Add(bold_, 0, wxRIGHT, 20);
        styles->Add(italic_);
        auto* content = new wxBoxSizer(wxVERTICAL);
        content->Add(captionedRow(panel(), "Family", captions, family_), 0, wxEXPAND | wxBOTTOM, 5);
        content->Add(captionedRow(panel(), "Size", captions, size_), 0, wxBOTTOM, 5);
        content->Add(styles, 0, wxBOTTOM, 10);
        content->Add(preview_, 1, wxEXPAND);
        layOut(content, wxSize(310, 300));

        family_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { preview_->Refresh(); });
        size_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { preview_->Refresh(); });
        bold_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { preview_->Refresh(); });
        italic_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { preview_->Refresh(); });
    }

protected:
    bool applyFields(const std::string& name, const std::string& keywords) override {
        const PreviewFont typed = typedFont();
        Font fields;
        fields.name = name;
        fields.keywords = keywords;
        fields.family = typed.family;
        fields.bold = typed.bold ? 1 : 0;
        fields.italic = typed.italic ? 1 : 0;
        return applyFontWindow(studio_.project, studio_.dialogs, record(), fields, fromWx(size_->GetValue()));
    }

private:
    PreviewFont typedFont() const {
        return previewFont(fromWx(family_->GetValue()), fromWx(size_->GetValue()), bold_->GetValue(),
                           italic_->GetValue());
    }

    // The line on white in black, in the font as typed; a family the desktop does not
    // have is drawn in one it has.
    void paintPreview() {
        wxAutoBufferedPaintDC dc(preview_);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        const PreviewFont f = typedFont();
        wxFontInfo info(f.pointSize);
        info.FaceName(toWx(f.family)).Bold(f.bold).Italic(f.italic).AntiAliased(true);
        dc.SetFont(wxFont(info));
        dc.SetTextForeground(*wxBLACK);
        dc.DrawText(toWx(kFontPreviewText), 2, 2);
    }

    wxTextCtrl* family_ = nullptr;
    wxTextCtrl* size_ = nullptr;
    wxCheckBox* bold_ = nullptr;
    wxCheckBox* italic_ = nullptr;
    wxWindow* preview_ = nullptr;
};

} // namespace

void openFontWindow(Studio& studio, wxWindow* mainWindow, const std::string& name, std::function<void()> rebuildPanel) {
    if (raiseOrRefuse(studio, ResourceKind::Font, name)) return;
    new FontWindow(studio, mainWindow, studio.project.fonts[studio.project.fonts.find(name)], std::move(rebuildPanel));
}

} // namespace pondaro::ui
