#include "resources/ui/audio_window.h"

#include <array>

#include <wx/stattext.h>

#include "resources/audio_sources.h"
#include "resources/ui/record_window.h"
#include "ui/form_layout.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

constexpr std::array<const char*, 3> kRowNames = {"wav", "mp3", "ogg"};

const AudioClip& clipOf(const Project& p, ResourceKind kind, const std::string& name) {
    if (kind == ResourceKind::Music) return p.musics[p.musics.find(name)];
    return p.sounds[p.sounds.find(name)];
}

class AudioWindow : public RecordWindow {
public:
    AudioWindow(Studio& studio, wxWindow* mainWindow, ResourceKind kind, const std::string& name,
                std::function<void()> rebuildPanel)
        : RecordWindow(studio, mainWindow, kind, name, clipOf(studio.project, kind, name).keywords,
                       std::move(rebuildPanel)),
          kind_(kind), sources_(pendingSources(clipOf(studio.project, kind, name))) {
        auto* rows = new wxFlexGridSizer(3, 5, 10);
        rows->AddGrowableCol(1, 1);
        for (size_t k = 0; k < kSourceRows.size(); ++k) {
            const std::string row = kRowNames[k];
            auto* set = formButton(panel(), kSourceRows[k].setCaption, wxSize(110, 25), toWx("set-" + row));
            labels_[k] = new wxStaticText(panel(), wxID_ANY, "", wxDefaultPosition, wxSize(200, -1),
                                          wxST_ELLIPSIZE_MIDDLE, toWx("file-" + row));
            auto* unset = formButton(panel(), kUnsetCaption, wxSize(70, 25), toWx("unset-" + row));
            rows->Add(set, 0, wxALIGN_CENTER_VERTICAL);
            rows->Add(labels_[k], 1, wxALIGN_CENTER_VERTICAL | wxEXPAND);
            rows->Add(unset, 0, wxALIGN_CENTER_VERTICAL);
            set->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) {
                if (chooseSource(studio_.dialogs, kind_, k, sources_[k])) showRow(k);
            });
            unset->Bind(wxEVT_BUTTON, [this, k](wxCommandEvent&) {
                if (unsetSource(studio_.dialogs, k, sources_[k])) showRow(k);
            });
            showRow(k);
        }
        layOut(rows, wxSize(480, 220));
    }

protected:
    bool applyFields(const std::string& name, const std::string& keywords) override {
        AudioClip typed;
        typed.name = name;
        typed.keywords = keywords;
        const bool applied =
            applyAudioWindow(studio_.project, studio_.dialogs, studio_.root, kind_, record(), typed, sources_);
        // A chosen file may have taken a free name in the working folder.
        for (size_t k = 0; k < sources_.size(); ++k) showRow(k);
        return applied;
    }

private:
    void showRow(size_t k) { labels_[k]->SetLabel(toWx(sourceLabel(sources_[k]))); }

    ResourceKind kind_;
    PendingSources sources_;
    std::array<wxStaticText*, 3> labels_{};
};

} // namespace

void openAudioWindow(Studio& studio, wxWindow* mainWindow, ResourceKind kind, const std::string& name,
                     std::function<void()> rebuildPanel) {
    if (raiseOrRefuse(studio, kind, name)) return;
    new AudioWindow(studio, mainWindow, kind, name, std::move(rebuildPanel));
}

} // namespace pondaro::ui
