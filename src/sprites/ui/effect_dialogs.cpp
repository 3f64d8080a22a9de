#include "sprites/ui/effect_dialogs.h"

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/slider.h>
#include <wx/dcclient.h>
#include <wx/stattext.h>

#include "base/integer_reader.h"
#include "image/palettes.h"
#include "ui/form_layout.h"
#include "ui/region_canvas.h"
#include "ui/wx_image.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

constexpr int kCaptionWidth = 100;
// How far a slider's track lies inside the slider on each side (half its thumb).
constexpr int kSliderInset = 10;

// Each dialog draws new noise from a seed of its own.
uint64_t freshSeed() {
    std::random_device device;
    return (uint64_t(device()) << 32) ^ uint64_t(std::chrono::steady_clock::now().time_since_epoch().count());
}

wxColour wxColourOf(Rgba c) { return wxColour(c.r, c.g, c.b); }

class EffectDialog : public wxDialog {
public:
    EffectDialog(wxWindow* owner, Studio& studio, EffectPreview preview)
        : wxDialog(owner, wxID_ANY, effectTitle(preview.effect), wxDefaultPosition, wxDefaultSize,
                   wxCAPTION | wxRESIZE_BORDER, "effect-dialog"),
          studio_(studio), preview_(std::move(preview)), rows_(effectNumberRows(preview_.effect, preview_.width,
                                                                               preview_.height)) {
        auto* panes = new wxFlexGridSizer(2, 2, 5, 20);
        panes->AddGrowableCol(0);
        panes->AddGrowableCol(1);
        panes->AddGrowableRow(1);
        panes->Add(new wxStaticText(this, wxID_ANY, "ORIGINAL"));
        panes->Add(new wxStaticText(this, wxID_ANY, "MODIFIED"));
        original_ = pane(PreviewPane::Original, "original");
        modified_ = pane(PreviewPane::Modified, "modified");
        panes->Add(original_, 1, wxEXPAND);
        panes->Add(modified_, 1, wxEXPAND);

        auto* controls = new wxBoxSizer(wxVERTICAL);
        buildControls(controls);

        allFrames_ = new wxCheckBox(this, wxID_ANY, "Apply to all frames in the sprite", wxDefaultPosition,
                                    wxDefaultSize, 0, wxDefaultValidator, "all-frames");
        allFrames_->SetValue(preview_.applyToAllFrames);

        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(panes, 1, wxEXPAND | wxALL, 10);
        all->Add(controls, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
        all->AddStretchSpacer(0);
        all->Add(cancelAndOkRow(this, allFrames_), 0, wxEXPAND | wxALL, 10);
        layOutWindow(this, this, all, wxSize(800, 600));
        CentreOnParent();
    }

    // The dialog as "OK" takes it: every control read once more.
    EffectPreview& preview() {
        preview_.applyToAllFrames = allFrames_->GetValue();
        if (mirror_[0]) {
            preview_.params.mirrorHorizontally = mirror_[0]->GetValue();
            preview_.params.mirrorVertically = mirror_[1]->GetValue();
        }
        if (wrap_[0]) {
            preview_.params.wrapHorizontally = wrap_[0]->GetValue();
            preview_.params.wrapVertically = wrap_[1]->GetValue();
        }
        return preview_;
    }

private:
    RegionCanvas* pane(PreviewPane which, const char* name) {
        auto* canvas = new RegionCanvas(
            this, wxSize(380, 380), 16,
            [this, which](Rect visible) { return renderEffectPreview(studio_.project, preview_, which, visible); },
            name);
        canvas->setCanvasSize({preview_.width, preview_.height});
        return canvas;
    }

    // The operation's own controls, in rows below the panes.
    void buildControls(wxBoxSizer* controls) {
        const Effect effect = preview_.effect;
        if (effect == Effect::Rotate) {
            auto* options = new wxBoxSizer(wxHORIZONTAL);
            for (int k = 0; k <= kRotateFree; ++k) {
                auto* option = new wxRadioButton(this, wxID_ANY, kRotateOptionCaptions[k], wxDefaultPosition,
                                                 wxSize(50, 25), k == 0 ? wxRB_GROUP : 0, wxDefaultValidator,
                                                 wxString::Format("rotate-%s", kRotateOptionCaptions[k]).Lower());
                option->Bind(wxEVT_RADIOBUTTON, [this, k](wxCommandEvent&) {
                    chooseRotateOption(preview_, k);
                    changed();
                });
                rotateOptions_.push_back(option);
                options->Add(option, 0, wxRIGHT, 10);
            }
            rotateOptions_[0]->SetValue(true);
            slider_.push_back(new wxSlider(this, wxID_ANY, rows_[0].sliderInitial, rows_[0].sliderMin,
                                           rows_[0].sliderMax, wxDefaultPosition, wxSize(360, -1), wxSL_HORIZONTAL,
                                           wxDefaultValidator, "angle"));
            field_.push_back(nullptr);
            slider_[0]->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) { sliderMoved(0); });
            options->Add(slider_[0], 1, wxALIGN_CENTER_VERTICAL);
            controls->Add(options, 0, wxEXPAND | wxBOTTOM, 5);
        } else {
            for (size_t k = 0; k < rows_.size(); ++k) controls->Add(numberRow(k), 0, wxEXPAND | wxBOTTOM, 5);
            // Colorize's hue strip stands above the slider as its scale.
            if (effect == Effect::Colorize) controls->Insert(0, hueScaleRow(), 0, wxEXPAND | wxBOTTOM, 2);
        }
        switch (effect) {
        case Effect::SwapChannels: {
            auto* options = new wxBoxSizer(wxHORIZONTAL);
            for (int k = 0; k < 5; ++k) {
                auto* option = new wxRadioButton(this, wxID_ANY, kChannelOrderCaptions[k], wxDefaultPosition,
                                                 wxSize(120, 25), k == 0 ? wxRB_GROUP : 0, wxDefaultValidator,
                                                 wxString::Format("order-%d", k));
                option->Bind(wxEVT_RADIOBUTTON, [this, k](wxCommandEvent&) {
                    preview_.params.order = ChannelOrder(k);
                    changed();
                });
                options->Add(option, 0, wxRIGHT, 10);
            }
            controls->Add(options);
            break;
        }
        case Effect::Mirror: {
            const char* captions[] = {"Mirror horizontally", "Mirror vertically"};
            const char* names[] = {"mirror-horizontally", "mirror-vertically"};
            for (int k = 0; k < 2; ++k) {
                mirror_[k] = new wxCheckBox(this, wxID_ANY, captions[k], wxDefaultPosition, wxDefaultSize, 0,
                                            wxDefaultValidator, names[k]);
                mirror_[k]->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { changed(); });
                controls->Add(mirror_[k], 0, wxBOTTOM, 5);
            }
            break;
        }
        case Effect::Scale: {
            auto* presets = new wxBoxSizer(wxHORIZONTAL);
            const char* captions[] = {"1/4", "1/2", "2x", "4x"};
            for (int k = 0; k < 4; ++k) {
                auto* b = formButton(this, captions[k], wxSize(50, 25), wxString::Format("preset-%d", kScalePresets[k]));
                b->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) {
                    chooseScalePreset(preview_, kScalePresets[k]);
                    changed();
                });
                presets->Add(b, 0, wxRIGHT, 10);
            }
            presets->AddStretchSpacer();
            lock_ = new wxCheckBox(this, wxID_ANY, "Lock", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                                   "lock");
            lock_->SetValue(preview_.scaleLocked);
            lock_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { preview_.scaleLocked = lock_->GetValue(); });
            presets->Add(lock_, 0, wxALIGN_CENTER_VERTICAL);
            controls->Add(presets, 0, wxEXPAND);
            break;
        }
        case Effect::EraseColour: {
            auto* row = new wxBoxSizer(wxHORIZONTAL);
            key_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(kCaptionWidth, 25), wxBORDER_SIMPLE, "key");
            key_->SetBackgroundColour(wxColourOf(preview_.params.key));
            auto* choose = new wxButton(this, wxID_ANY, "...", wxDefaultPosition, wxSize(25, 25), wxBU_EXACTFIT,
                                        wxDefaultValidator, "choose-key");
            choose->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
                if (std::optional<int> c = studio_.dialogs.chooseColour(colourNumber(preview_.params.key))) {
                    preview_.params.key = colourOfNumber(*c, 255);
                    changed();
                }
            });
            row->Add(key_, 0, wxRIGHT, 5);
            row->Add(choose);
            controls->Add(row);
            // A click on the original picture takes the colour shown there.
            original_->onPress = [this](int x, int y) {
                if (pickKeyColour(studio_.project, preview_, x, y)) changed();
            };
            break;
        }
        default: break;
        }
    }

    // The hue strip as wide as the slider's track, so the hue under the thumb is the
    // hue chosen.
    wxSizer* hueScaleRow() {
        auto* scale = new wxWindow(this, wxID_ANY, wxDefaultPosition, wxSize(360, 19), 0, "hue-strip");
        scale->SetBackgroundStyle(wxBG_STYLE_PAINT);
        scale->Bind(wxEVT_PAINT, [scale](wxPaintEvent&) {
            wxPaintDC dc(scale);
            const wxSize size = scale->GetClientSize();
            if (size.x > 0 && size.y > 0) dc.DrawBitmap(toBitmap(stretch(hueStrip(), size.x, size.y, false)), 0, 0);
        });
        scale->Bind(wxEVT_SIZE, [scale](wxSizeEvent& e) {
            scale->Refresh();
            e.Skip();
        });
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->AddSpacer(kCaptionWidth + 5 + kSliderInset);
        row->Add(scale, 1, wxRIGHT, kSliderInset + 5 + 50);
        return row;
    }

    // Caption, slider and number field of row k; Shift adds its wrap box at the end.
    wxSizer* numberRow(size_t k) {
        const NumberRow& r = rows_[k];
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        auto* caption = new wxStaticText(this, wxID_ANY, toWx(r.caption));
        caption->SetMinSize(wxSize(kCaptionWidth, -1));
        row->Add(caption, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
        const wxString name = toWx(r.caption).Lower();
        auto* slider = new wxSlider(this, wxID_ANY, r.sliderInitial, r.sliderMin, r.sliderMax, wxDefaultPosition,
                                    wxSize(500, -1), wxSL_HORIZONTAL, wxDefaultValidator, name + "-slider");
        auto* field = formField(this, toWx(r.initialFieldText()), 50, name + "-field");
        slider_.push_back(slider);
        field_.push_back(field);
        slider->Bind(wxEVT_SLIDER, [this, k](wxCommandEvent&) { sliderMoved(k); });
        field->Bind(wxEVT_TEXT, [this, k](wxCommandEvent&) { fieldEdited(k); });
        row->Add(slider, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
        row->Add(field, 0, wxALIGN_CENTER_VERTICAL);
        if (preview_.effect == Effect::Shift) {
            const char* captions[] = {"Wrap horizontally", "Wrap vertically"};
            const char* names[] = {"wrap-horizontally", "wrap-vertically"};
            wrap_[k] = new wxCheckBox(this, wxID_ANY, captions[k], wxDefaultPosition, wxDefaultSize, 0,
                                      wxDefaultValidator, names[k]);
            wrap_[k]->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { changed(); });
            row->Add(wrap_[k], 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 10);
        }
        return row;
    }

    void sliderMoved(size_t k) {
        setRowValue(preview_, k, rows_[k].fieldValue(slider_[k]->GetValue()));
        changed();
    }

    void fieldEdited(size_t k) {
        if (syncing_) return;
        const NumberRow& r = rows_[k];
        const CorrectedNumber c = correctNumberField(fromWx(field_[k]->GetValue()), r.fieldMin, r.fieldMax);
        if (c.rewrite) {
            field_[k]->ChangeValue(toWx(*c.rewrite));
            field_[k]->SetInsertionPointEnd();
        }
        setRowValue(preview_, k, c.value);
        changed(k);
    }

    // A control changed: the other controls show the parameters (a locked scale, a
    // rotate preset), and the preview is computed and drawn again. The field being
    // typed in keeps its text.
    void changed(size_t editing = size_t(-1)) {
        preview();
        syncing_ = true;
        for (size_t k = 0; k < slider_.size(); ++k) {
            const int value = rowValue(preview_, k);
            slider_[k]->SetValue(rows_[k].sliderPosition(value));
            if (field_[k] && k != editing && field_[k]->GetValue() != wxString::Format("%d", value))
                field_[k]->ChangeValue(wxString::Format("%d", value));
        }
        syncing_ = false;
        if (!rotateOptions_.empty()) rotateOptions_[size_t(preview_.rotateOption)]->SetValue(true);
        if (key_) {
            key_->SetBackgroundColour(wxColourOf(preview_.params.key));
            key_->Refresh();
        }
        recomputePreview(preview_);
        modified_->redraw();
    }

    Studio& studio_;
    EffectPreview preview_;
    std::vector<NumberRow> rows_;
    RegionCanvas* original_ = nullptr;
    RegionCanvas* modified_ = nullptr;
    std::vector<wxSlider*> slider_;
    std::vector<wxTextCtrl*> field_;  // nullptr for Rotate's angle
    std::vector<wxRadioButton*> rotateOptions_;
    wxCheckBox* allFrames_ = nullptr;
    wxCheckBox* mirror_[2] = {nullptr, nullptr};
    wxCheckBox* wrap_[2] = {nullptr, nullptr};
    wxCheckBox* lock_ = nullptr;
    wxPanel* key_ = nullptr;
    bool syncing_ = false;
};

// "Resize canvas" and "Stretch the images": the new size of every frame of the sprite.
class SizeDialogWindow : public wxDialog {
public:
    SizeDialogWindow(wxWindow* owner, Dialogs& dialogs, SizeDialog d)
        : wxDialog(owner, wxID_ANY, sizeDialogTitle(d.operation), wxDefaultPosition, wxDefaultSize, wxCAPTION,
                   "size-dialog"),
          dialogs_(dialogs), dialog_(std::move(d)) {
        auto* grid = new wxFlexGridSizer(4, 5, 10);
        width_ = sizeRow(grid, "Width", dialog_.width, "width");
        height_ = sizeRow(grid, "Height", dialog_.height, "height");
        keep_ = new wxCheckBox(this, wxID_ANY, "Keep aspect ratio", wxDefaultPosition, wxDefaultSize, 0,
                               wxDefaultValidator, "keep-aspect-ratio");
        keep_->SetValue(dialog_.keepAspectRatio);
        auto* rows = new wxBoxSizer(wxVERTICAL);
        rows->Add(grid, 0, wxBOTTOM, 10);
        rows->Add(keep_, 0, wxBOTTOM, 5);
        if (dialog_.operation == SizeOperation::Stretch) {
            smooth_ = new wxCheckBox(this, wxID_ANY, "Smooth (Interpolate pixels)", wxDefaultPosition, wxDefaultSize,
                                     0, wxDefaultValidator, "smooth");
            smooth_->SetValue(dialog_.smooth);
            rows->Add(smooth_);
        }
        width_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            if (keep_->GetValue()) height_->ChangeValue(toWx(heightForWidth(dialog_, fromWx(width_->GetValue()))));
        });
        height_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
            if (keep_->GetValue()) width_->ChangeValue(toWx(widthForHeight(dialog_, fromWx(height_->GetValue()))));
        });
        Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { accept(); }, wxID_OK);
        auto* all = new wxBoxSizer(wxVERTICAL);
        all->Add(rows, 1, wxEXPAND | wxALL, 10);
        all->Add(cancelAndOkRow(this), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
        layOutWindow(this, this, all, wxSize(220, dialog_.operation == SizeOperation::Stretch ? 200 : 160));
        CentreOnParent();
        width_->SetFocus();
        width_->SelectAll();
    }

    SizeDialog& dialog() {
        dialog_.keepAspectRatio = keep_->GetValue();
        if (smooth_) dialog_.smooth = smooth_->GetValue();
        return dialog_;
    }
    std::string widthText() const { return fromWx(width_->GetValue()); }
    std::string heightText() const { return fromWx(height_->GetValue()); }

private:
    wxTextCtrl* sizeRow(wxFlexGridSizer* grid, const char* caption, int current, const char* name) {
        grid->Add(new wxStaticText(this, wxID_ANY, caption), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxStaticText(this, wxID_ANY, wxString::Format("Current: %d", current)), 0,
                  wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxStaticText(this, wxID_ANY, "New:"), 0, wxALIGN_CENTER_VERTICAL);
        auto* field = formField(this, wxString::Format("%d", current), 60, name, true);
        grid->Add(field);
        return field;
    }

    // A size that cannot be a frame's keeps the dialog open.
    void accept() {
        const std::string problem = frameSizeProblem(readInteger(widthText()), readInteger(heightText()));
        if (!problem.empty()) {
            dialogs_.error(problem);
            return;
        }
        EndModal(wxID_OK);
    }

    Dialogs& dialogs_;
    SizeDialog dialog_;
    wxTextCtrl* width_;
    wxTextCtrl* height_;
    wxCheckBox* keep_;
    wxCheckBox* smooth_ = nullptr;
};

} // namespace

bool runEffectDialog(Studio& studio, wxWindow* owner, Effect effect, const std::string& sprite, int current) {
    std::optional<EffectPreview> preview = openEffectPreview(studio.project, effect, sprite, current, freshSeed());
    if (!preview) return false;
    EffectDialog dialog(owner, studio, std::move(*preview));
    if (dialog.ShowModal() != wxID_OK) return false;
    return applyEffectPreview(studio.project, dialog.preview()) > 0;
}

bool runSizeDialog(Studio& studio, wxWindow* owner, SizeOperation operation, const std::string& sprite) {
    std::optional<SizeDialog> d = openSizeDialog(studio.project, operation, sprite);
    if (!d) return false;
    SizeDialogWindow dialog(owner, studio.dialogs, std::move(*d));
    if (dialog.ShowModal() != wxID_OK) return false;
    // Core checks the size again and refuses what cannot be a frame's size.
    if (std::string problem = applySizeDialog(studio.project, dialog.dialog(), dialog.widthText(), dialog.heightText());
        !problem.empty()) {
        studio.dialogs.error(problem);
        return false;
    }
    return true;
}

} // namespace pondaro::ui
