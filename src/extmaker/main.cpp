// PondaroExtMaker: the editor of extension files. It works in its current folder,
// where it keeps the files in Extensions/.
#include <memory>
#include <wx/app.h>
#include <wx/image.h>

#include "extmaker/ui/maker_frame.h"
#include "ui/wx_ports.h"

class MakerApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        dialogs_ = std::make_unique<pondaro::ui::WxDialogs>(".", wxBitmap());
        auto* frame = new pondaro::ui::MakerFrame(*dialogs_, ".");
        dialogs_->setParent(frame);
        if (pondaro::Status s = frame->document().prepareFolder(); !s) dialogs_->error(s.message());
        frame->Show();
        return true;
    }

private:
    // Outlives the window, which asks its questions through it.
    std::unique_ptr<pondaro::ui::WxDialogs> dialogs_;
};

wxIMPLEMENT_APP(MakerApp);
