// PondaroMaker: the studio. Works on the folder it is started in; started with a
// project's name, or the path of a project file, it opens that project (start_argument.h).
#include <memory>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/filename.h>
#include <wx/stdpaths.h>

#include "app/start_argument.h"
#include "app/studio.h"
#include "app/ui/editor_hooks.h"
#include "app/ui/main_frame.h"
#include "app/ui/studio_startup.h"
#include "base/ports.h"
#include "ui/wx_ports.h"
#include "ui/wx_text.h"

namespace {

using namespace pondaro;
using ui::fromWx;

class StudioApp : public wxApp {
public:
    bool OnInit() override {
        std::vector<std::string> arguments;
        for (int i = 1; i < argc; ++i) arguments.push_back(fromWx(argv[i]));
        std::error_code ec;
        const std::filesystem::path startedIn = std::filesystem::current_path(ec);
        StartRequest request = startRequest(arguments, startedIn);
        if (request.problem.empty() && request.folder != startedIn) {
            if (Status s = enterFolder(request.folder); !s) request = StartRequest{{}, "", s.message()};
        }
        const std::string programFolder =
            fromWx(wxFileName(wxStandardPaths::Get().GetExecutablePath()).GetPath());
        dialogs_ = std::make_unique<ui::WxDialogs>(".", wxBitmap());
        shell_ = std::make_unique<ui::WxShell>(".", programFolder);
        studio_ = std::make_unique<Studio>(*dialogs_, *shell_, clock_, ".");
        studio_->programFolder = programFolder;
        ui::MainFrame* frame = ui::startStudio(*studio_, dialogs_.get(), ui::studioEditorHooks());
        if (!frame) return false;
        // Once the main window is on the screen, so that a message has a window to stand on.
        if (!request.problem.empty())
            frame->CallAfter([this, problem = request.problem] { dialogs_->error(problem); });
        else if (!request.project.empty())
            frame->CallAfter([frame, name = request.project] { frame->openNamedProject(name); });
        return true;
    }

private:
    std::unique_ptr<ui::WxDialogs> dialogs_;
    std::unique_ptr<ui::WxShell> shell_;
    SystemClock clock_;
    std::unique_ptr<Studio> studio_;
};

} // namespace

wxIMPLEMENT_APP(StudioApp);
