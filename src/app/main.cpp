// PondaroMaker: the studio. Works on the folder it is started in.
#include <memory>

#include <wx/app.h>

#include "app/studio.h"
#include "app/ui/editor_hooks.h"
#include "app/ui/main_frame.h"
#include "app/ui/studio_startup.h"
#include "base/ports.h"
#include "code/ui/code_windows.h"
#include "ui/wx_ports.h"

namespace {

using namespace pondaro;

class StudioApp : public wxApp {
public:
    bool OnInit() override {
        dialogs_ = std::make_unique<ui::WxDialogs>(".", wxBitmap());
        shell_ = std::make_unique<ui::WxShell>(".");
        studio_ = std::make_unique<Studio>(*dialogs_, *shell_, clock_, ".");
        // The windows of the other parts of the studio are wired in here as they come.
        ui::EditorHooks hooks;
        hooks.globalVariables = [](ui::HookContext& c) { ui::openGlobalVariables(c.studio, c.parent); };
        hooks.functions = [](ui::HookContext& c) { ui::openCustomFunctions(c.studio, c.parent); };
        hooks.comments = [](ui::HookContext& c) { ui::openGameComments(c.studio, c.parent); };
        hooks.showComments = [](ui::HookContext& c) { ui::showGameCommentsIfAny(c.studio, c.parent); };
        return ui::startStudio(*studio_, dialogs_.get(), std::move(hooks)) != nullptr;
    }

private:
    std::unique_ptr<ui::WxDialogs> dialogs_;
    std::unique_ptr<ui::WxShell> shell_;
    SystemClock clock_;
    std::unique_ptr<Studio> studio_;
};

} // namespace

wxIMPLEMENT_APP(StudioApp);
