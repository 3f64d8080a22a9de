#include "app/ui/main_frame.h"

#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/utils.h>

#include "app/file_commands.h"
#include "app/game_commands.h"
#include "app/title.h"
#include "app/ui/about_window.h"
#include "app/ui/game_page.h"
#include "app/ui/installed_extensions_window.h"
#include "app/ui/preferences_dialog.h"
#include "app/ui/resource_page.h"
#include "project/thumbnails.h"
#include "ui/http_get.h"
#include "ui/icon_button.h"
#include "ui/program_icon.h"
#include "ui/widget_looks.h"
#include "ui/wx_ports.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

constexpr int kFirstCommandId = wxID_HIGHEST + 100;

// "Ctrl + N" as the menus show it; wx reads the shortcut from "Ctrl+N".
wxString menuLabel(const MenuEntry& e) {
    wxString caption = toWx(e.caption).BeforeFirst('\t');
    if (*e.shortcut) caption += "\t" + wxString(e.shortcut);
    return caption;
}

// Lets the windows repaint while a project is read; what the user does in the meantime
// waits until it is open.
void repaintWhileWaiting() {
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

} // namespace

int MainFrame::commandId(Command c) { return kFirstCommandId + int(c); }

MainFrame::MainFrame(Studio& studio, WxDialogs* dialogs, StudioArt art, EditorHooks hooks)
    : wxFrame(nullptr, wxID_ANY, kProgramName, wxDefaultPosition, wxSize(800, 600), wxDEFAULT_FRAME_STYLE),
      studio_(studio), dialogs_(dialogs), art_(std::move(art)), hooks_(std::move(hooks)), statusTimer_(this) {
    SetIcons(programIcons());
    SetClientSize(800, 600);
    // Narrower, a page's header could not hold its filter, keyword list and buttons.
    SetMinClientSize(wxSize(700, 400));
    root_ = new wxPanel(this, wxID_ANY);
    root_->SetFont(art_.gadgetFont);
    buildToolbarRow();
    buildMenus();

    panel_ = new wxNotebook(root_, wxID_ANY, wxPoint(5, 45), wxSize(790, 550));
    for (int i = 0; i < kPanelCategoryCount; ++i) {
        pages_[i] = new ResourcePage(panel_, *this, panelCategory(i));
        panel_->AddPage(pages_[i], tabCaption(panelCategory(i)));
    }
    game_ = new GamePage(panel_, *this);
    panel_->AddPage(game_, "Game");

    root_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        layoutPanel();
        e.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, &MainFrame::onClose, this);
    Bind(wxEVT_MENU, [this](wxCommandEvent& e) { runCommand(Command(e.GetId() - kFirstCommandId)); },
         commandId(Command::New), commandId(Command::CheckVersion));
    Bind(wxEVT_TIMER, [this](wxTimerEvent&) {
        statusHeld_ = false;
        if (pendingStatus_) {
            setStatusLabel(*pendingStatus_);
            pendingStatus_.reset();
        }
    });

    studio_.showStatus = [this](const std::string& text, int hold) { showStatus(text, hold); };
    closeHookIndex_ = studio_.closeWindowsHooks.size();
    studio_.closeWindowsHooks.push_back([this] {
        if (extensionsWindow_) extensionsWindow_->Destroy();
    });
    if (dialogs_) {
        dialogs_->setParent(this);
        // The chosen project is read next: say so before the window waits for it.
        dialogs_->onProjectChosen = [this] {
            setStatusLabel(kStatusOpening);
            status_->Update();
            repaintWhileWaiting();
        };
    }
    Centre();
}

MainFrame::~MainFrame() {
    stopVersionCheck();
    studio_.showStatus = nullptr;
    if (closeHookIndex_ < studio_.closeWindowsHooks.size())
        studio_.closeWindowsHooks.erase(studio_.closeWindowsHooks.begin() + long(closeHookIndex_));
    if (dialogs_) {
        dialogs_->setParent(nullptr);
        dialogs_->onProjectChosen = nullptr;
    }
}

void MainFrame::buildToolbarRow() {
    for (const ToolbarButton& b : toolbarRow()) {
        auto it = art_.commandIcons.find(b.command);
        wxBitmap icon = it != art_.commandIcons.end() ? it->second : art_.noImage;
        auto* button = new IconButton(root_, commandId(b.command), icon, wxPoint(b.x, 10), wxSize(b.width, 25),
                                      b.toolTip);
        button->Bind(wxEVT_BUTTON, [this, c = b.command](wxCommandEvent&) { runCommand(c); });
        tools_.emplace_back(b.command, button);
    }
    status_ = new wxButton(root_, wxID_ANY, kStatusReady, wxPoint(450, 10), wxSize(200, 25));
    status_->SetFont(art_.headingFont);
}

void MainFrame::buildMenus() {
    auto* bar = new wxMenuBar;
    wxMenu* menu = nullptr;
    std::string current;
    for (const MenuEntry& e : mainMenu()) {
        if (current != e.menu) {
            if (menu) bar->Append(menu, toWx(current));
            menu = new wxMenu;
            current = e.menu;
        }
        auto* item = new wxMenuItem(menu, commandId(e.command), menuLabel(e));
        auto icon = art_.commandIcons.find(e.command);
        if (icon != art_.commandIcons.end()) item->SetBitmap(icon->second);
        menu->Append(item);
        if (e.separatorAfter) menu->AppendSeparator();
    }
    if (menu) bar->Append(menu, toWx(current));
    SetMenuBar(bar);
    showMenuPictures(*bar);
}

IconButton* MainFrame::toolButton(Command c) const {
    for (const auto& [command, button] : tools_)
        if (command == c) return button;
    return nullptr;
}

void MainFrame::layoutPanel() {
    // The panel stays 5 pixels from the left and 45 from the top at any window size.
    const wxSize area = root_->GetClientSize();
    panel_->SetSize(5, 45, std::max(100, area.x - 10), std::max(100, area.y - 50));
}

void MainFrame::refreshTitle() { SetTitle(toWx(windowTitle(studio_.project.name))); }

void MainFrame::rebuildPanel() {
    for (ResourcePage* p : pages_) p->rebuild();
    game_->rebuild();
    refreshTitle();
    studio_.resourcesChanged.notify();
}

HookContext MainFrame::hookContext() { return HookContext{this, studio_, [this] { rebuildPanel(); }}; }

void MainFrame::editRecord(PanelCategory c, const std::string& name) {
    const RecordWindowHook& window = hooks_.recordWindow(c);
    if (!window.open) return;
    HookContext ctx = hookContext();
    window.open(ctx, name);
}

bool MainFrame::hasOpenWindow(PanelCategory c, const std::string& name) {
    const RecordWindowHook& window = hooks_.recordWindow(c);
    return window.isOpen && window.isOpen(name);
}

void MainFrame::exportFunctions() {
    if (!hooks_.exportFunctions) return;
    HookContext ctx = hookContext();
    hooks_.exportFunctions(ctx);
}

void MainFrame::importFunctions() {
    if (!hooks_.importFunctions) return;
    HookContext ctx = hookContext();
    hooks_.importFunctions(ctx);
}

void MainFrame::openGameWindow(int which) {
    HookContext ctx = hookContext();
    switch (which) {
    case 0:
        if (hooks_.globalVariables) hooks_.globalVariables(ctx);
        return;
    case 1:
        if (hooks_.functions) hooks_.functions(ctx);
        return;
    case 2:
        if (hooks_.comments) hooks_.comments(ctx);
        return;
    default:
        if (studio_.project.name.empty()) {
            studio_.dialogs.message("Please save your project.");
            return;
        }
        if (extensionsWindow_) {
            extensionsWindow_->Raise();
            return;
        }
        extensionsWindow_ = new InstalledExtensionsWindow(this, studio_, art_.smallFont);
        extensionsWindow_->Show();
        return;
    }
}

void MainFrame::runVersionCheck(VersionCheckMode mode) {
    if (versionCheckRunning()) return;
    if (!versionCheckAsks(studio_, mode, versionAddress_)) return;
    versionCancel_ = false;
    HttpGetOptions options;
    options.timeoutMs = versionTimeoutMs_;
    options.maxBytes = kVersionFileMaxBytes;
    options.cancel = &versionCancel_;
    // The worker touches nothing but its own copies and the cancel flag, which this
    // window outlives: it is joined before the window goes.
    versionWorker_ = std::thread([this, mode, address = versionAddress_, options] {
        std::optional<std::string> body = httpGet(address, options);
        if (versionCancel_) return;
        CallAfter([this, mode, body = std::move(body)] { finishVersionCheck(mode, body); });
    });
}

void MainFrame::finishVersionCheck(VersionCheckMode mode, std::optional<std::string> body) {
    if (versionWorker_.joinable()) versionWorker_.join();
    if (versionCancel_) return;  // the window is closing
    reportVersionAnswer(studio_, mode, body);
}

void MainFrame::stopVersionCheck() {
    if (!versionWorker_.joinable()) return;
    versionCancel_ = true;
    versionWorker_.join();
}

void MainFrame::setVersionFileAddress(std::string address, long timeoutMs) {
    versionAddress_ = std::move(address);
    versionTimeoutMs_ = timeoutMs;
}

void MainFrame::showOpenedProject() {
    Project& p = studio_.project;
    // The panel makes the cards of what it shows as it draws them.
    studio_.thumbnails.clear();
    panel_->SetSelection(0);
    rebuildPanel();
    if (!p.game.comments.empty() && hooks_.showComments) {
        HookContext ctx = hookContext();
        hooks_.showComments(ctx);
    }
}

void MainFrame::openNamedProject(const std::string& name) {
    setStatusLabel(kStatusOpening);
    status_->Update();
    if (openProjectNamed(studio_, name)) showOpenedProject();
    syncStatus();
}

void MainFrame::runCommand(Command c) {
    if (auto category = addedCategory(c)) {
        const std::string name = addRecord(studio_, *category);
        panel_->SetSelection(int(*category));
        rebuildPanel();
        editRecord(*category, name);
        syncStatus();
        return;
    }
    switch (c) {
    case Command::New:
        if (newProject(studio_)) {
            panel_->SetSelection(0);
            rebuildPanel();
        }
        break;
    case Command::Open:
        if (openProject(studio_)) showOpenedProject();
        break;
    case Command::Merge:
        if (mergeProject(studio_)) rebuildPanel();
        break;
    case Command::Save:
        saveProject(studio_);
        // The export puts the objects in the panel's sort order again.
        rebuildPanel();
        break;
    case Command::SaveAs:
        saveProjectAs(studio_);
        rebuildPanel();
        break;
    case Command::RunGame:
        runGame(studio_);
        rebuildPanel();
        break;
    case Command::Preferences: {
        PreferencesDialog dialog(this, studio_);
        dialog.ShowModal();
        break;
    }
    case Command::Exit: Close(); return;
    case Command::Help: openUserManual(studio_); break;
    case Command::About: {
        AboutWindow about(this, art_.about);
        about.ShowModal();
        break;
    }
    case Command::CheckVersion: runVersionCheck(VersionCheckMode::OnDemand); break;
    default: break;
    }
    syncStatus();
}

void MainFrame::onClose(wxCloseEvent& e) {
    if (!exitProgram(studio_) && e.CanVeto()) {
        e.Veto();
        return;
    }
    stopVersionCheck();
    if (extensionsWindow_) extensionsWindow_->Destroy();
    Destroy();
}

void MainFrame::setStatusLabel(const std::string& text) {
    studio_.status = text;
    if (status_->GetLabel() != toWx(text)) status_->SetLabel(toWx(text));
}

void MainFrame::showStatus(const std::string& text, int holdMilliseconds) {
    if (statusHeld_) {
        pendingStatus_ = text;
        return;
    }
    setStatusLabel(text);
    if (holdMilliseconds > 0) {
        statusHeld_ = true;
        statusTimer_.StartOnce(holdMilliseconds);
    }
}

void MainFrame::syncStatus() {
    if (statusHeld_) pendingStatus_ = studio_.status;
    else setStatusLabel(studio_.status);
}

} // namespace pondaro::ui
