// PondaroMaker: the studio. Works on the folder it is started in.
#include <memory>

#include <wx/app.h>

#include "app/studio.h"
#include "app/ui/editor_hooks.h"
#include "app/ui/main_frame.h"
#include "app/ui/studio_startup.h"
#include "base/ports.h"
#include "ui/wx_ports.h"

namespace {

using namespace pondaro;

class StudioApp : public wxApp {
public:
    bool OnInit() override {
        dialogs_ = std::make_unique<ui::WxDialogs>(".", wxBitmap());
        shell_ = std::make_unique<ui::WxShell>(".");
        studio_ = std::make_unique<Studio>(*dialogs_, *shell_, clock_, ".");
        return ui::startStudio(*studio_, dialogs_.get(), ui::studioEditorHooks()) != nullptr;
    }

private:
    std::unique_ptr<ui::WxDialogs> dialogs_;
    std::unique_ptr<ui::WxShell> shell_;
    SystemClock clock_;
    std::unique_ptr<Studio> studio_;
};

} // namespace

wxIMPLEMENT_APP(StudioApp);
