#include "app/ui/studio_startup.h"

#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/stc/stc.h>
#include <wx/utils.h>

#include "app/file_commands.h"
#include "app/startup.h"
#include "project/lifecycle.h"
#include "app/ui/main_frame.h"
#include "app/ui/splash_window.h"
#include "app/ui/studio_art.h"
#include "ui/wx_ports.h"

namespace pondaro::ui {

bool editingComponentAvailable() {
    auto* holder = new wxFrame(nullptr, wxID_ANY, "");
    auto* editor = new wxStyledTextCtrl();
    const bool ok = editor->Create(holder, wxID_ANY);
    if (!ok) delete editor;
    holder->Destroy();
    return ok;
}

MainFrame* startStudio(Studio& studio, WxDialogs* dialogs, EditorHooks hooks, const StartupOptions& options) {
    // 1. The code windows cannot work without the editing component.
    if (!editingComponentAvailable()) {
        showMessageBox(nullptr, "Error", "An important system DLL (Scintilla.dll) is missing.", wxOK | wxICON_ERROR);
        return nullptr;
    }
    // 2, 3. Defaults and the engine word list.
    setStartupDefaults(studio);
    loadWordList(studio);
    // 4. Fonts and pictures.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxInitAllImageHandlers();
    StudioArt art = StudioArt::load();
    if (dialogs) dialogs->setPlaceholder(art.placeholder);
    // 5. The splash while the engine template is read.
    SplashWindow* splash = nullptr;
    if (options.showSplash) {
        splash = new SplashWindow(art.splash);
        splash->Show();
        splash->Update();
        wxTheApp->Yield(true);
    }
    loadEngineTemplate(studio);
    if (splash) {
        splash->Destroy();
        if (options.splashWaitMs > 0) wxMilliSleep(options.splashWaitMs);
    }
    // 6 - 10. The main window with its toolbar row, menus and panel.
    auto* frame = new MainFrame(studio, dialogs, std::move(art), std::move(hooks));
    frame->setVersionFileAddress(options.versionFileAddress, options.versionTimeoutMs);
    // 11.
    if (options.maximise) frame->Maximize();
    frame->Show();
    // 12. The empty project, the version check (once the window is on the screen).
    removeLeftovers(studio.root);
    newProject(studio, false);
    frame->rebuildPanel();
    frame->CallAfter([frame] { frame->runVersionCheck(VersionCheckMode::AtStartup); });
    frame->refreshTitle();
    // 13. The shortcuts are the menu items' own; the main loop follows.
    return frame;
}

} // namespace pondaro::ui
