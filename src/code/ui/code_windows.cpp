#include "code/ui/code_windows.h"

#include <memory>
#include <wx/bmpcbox.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/generic/stattextg.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/weakref.h>

#include "base/text.h"
#include "code/code_window_rules.h"
#include "code/ui/code_editor.h"
#include "code/ui/code_fonts.h"
#include "code/ui/code_icons.h"
#include "ui/studio_window.h"
#include "ui/widget_looks.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

wxRect toRect(const Rect& b) { return wxRect(b.x, b.y, b.width, b.height); }

// A code window edits a part of the project that its owner shows (a scene's code, an
// object's event), or nothing that another window holds (the game's texts).
class HookedWindow : public StudioWindow {
public:
    HookedWindow(Studio& studio, wxWindow* owner, const wxString& title, const std::string& key, bool disableOwner)
        : StudioWindow(studio, owner, title, key, disableOwner ? WindowLock::Owner : WindowLock::None) {}
};

// The common code window: a code editor, Cancel and OK, two help fields refreshed
// every 100 ms, and the shared placement preferences.
class CodeWindow : public HookedWindow {
public:
    struct Options {
        bool help = true;
        bool placement = true;
        bool disableOwner = false;
    };

    CodeWindow(Studio& studio, wxWindow* owner, const wxString& title, const std::string& key, Options options)
        : HookedWindow(studio, owner, title, key, options.disableOwner), options_(options), timer_(this) {
        panel_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");
        panel_->SetFont(interfaceFont());
        editor_ = new CodeEditor(panel_, wxID_ANY, wxPoint(10, 45), wxSize(780, 445));
        editor_->SetName("editor");
        cancel_ = new wxButton(panel_, wxID_CANCEL, "Cancel", wxDefaultPosition, wxSize(65, 25), 0,
                               wxDefaultValidator, "cancel");
        ok_ = new wxButton(panel_, wxID_OK, "OK", wxDefaultPosition, wxSize(65, 25), 0, wxDefaultValidator, "ok");
        if (options_.help) {
            help1_ = new wxTextCtrl(panel_, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_READONLY,
                                    wxDefaultValidator, "help1");
            help1_->SetFont(headingFont());
            help2_ = new wxTextCtrl(panel_, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_READONLY,
                                    wxDefaultValidator, "help2");
        }
        cancel_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { cancel(); });
        ok_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { accept(); });
        Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
            e.Skip();
            layout();
        });
        if (options_.help) {
            Bind(wxEVT_TIMER, [this](wxTimerEvent&) { refreshHelp(); });
            timer_.Start(100);
        }
    }

    CodeEditor* editor() { return editor_; }

    // Puts the text in, places the window and shows it.
    void open(const std::string& text) {
        configureForStudio(*editor_, studio_);
        editor_->setCode(text);
        place();
        layout();
        Show();
        editor_->SetFocus();
    }

    void commitBeforeSave() override { store(false); }

protected:
    // Takes the window's fields into the project; false keeps the window open.
    virtual bool store(bool byOk) = 0;

    void onCloseBox() override { cancel(); }

    void accept() {
        if (!store(true)) return;
        leave();
    }
    void cancel() { leave(); }

    wxPanel* panel_ = nullptr;

private:
    void leave() {
        timer_.Stop();
        if (options_.placement) rememberWindowPosition(studio_.prefs, GetPosition().x, GetPosition().y);
        finish();
    }

    void place() {
        SetSize(800, 600);
        CentreOnParent();
        if (!options_.placement) return;
        std::vector<Rect> screens;
        for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
            const wxRect r = wxDisplay(i).GetGeometry();
            screens.push_back({r.x, r.y, r.width, r.height});
        }
        const Placement p = restoredPlacement(studio_.prefs, {GetPosition().x, GetPosition().y, 800, 600}, screens);
        if (p.box) SetSize(toRect(*p.box));
        if (p.maximize) Maximize();
    }

    void layout() {
        if (!editor_) return;
        const wxSize client = GetClientSize();
        const CodeWindowLayout l = codeWindowLayout(client.x, client.y, options_.help);
        editor_->SetSize(toRect(l.editor));
        cancel_->SetSize(toRect(l.cancel));
        ok_->SetSize(toRect(l.ok));
        if (help1_) help1_->SetSize(toRect(l.help1));
        if (help2_) help2_->SetSize(toRect(l.help2));
        if (options_.placement && IsShown()) rememberWindowSize(studio_.prefs, GetSize().x, GetSize().y, IsMaximized());
    }

    void refreshHelp() {
        const int entry = editor_->helpEntry(studio_.keywords);
        if (entry == shownHelp_) return;
        shownHelp_ = entry;
        auto [syntax, description] = helpFields(studio_.keywords, entry);
        help1_->ChangeValue(toWx(syntax));
        help2_->ChangeValue(toWx(description));
    }

    Options options_;
    wxTimer timer_;
    CodeEditor* editor_ = nullptr;
    wxButton* cancel_ = nullptr;
    wxButton* ok_ = nullptr;
    wxTextCtrl* help1_ = nullptr;
    wxTextCtrl* help2_ = nullptr;
    int shownHelp_ = -2;
};

// "Not listed custom functions" and "Global variables".
class GameTextWindow : public CodeWindow {
public:
    GameTextWindow(Studio& studio, wxWindow* owner, GameText which, const std::string& key)
        : CodeWindow(studio, owner, gameTextTitle(which), key, {}), which_(which) {
        // Drawn by wx itself, so it takes the size of its text in the heading font.
        auto* label = new wxGenericStaticText(panel_, wxID_ANY, "", wxPoint(10, 15), wxDefaultSize, 0, "heading");
        label->SetFont(headingFont());
        label->SetLabel(gameTextTitle(which));
        label->SetSize(label->GetBestSize());
        open(gameText(studio.project, which));
    }

protected:
    bool store(bool byOk) override {
        const std::string text = editor()->code();
        if (byOk) commitGameText(studio_.project, which_, text);
        else commitGameTextIfChanged(studio_.project, which_, text);
        return true;
    }

private:
    GameText which_;
};

// The scene code editor: no help fields, no placement preferences.
class SceneCodeWindow : public CodeWindow {
public:
    SceneCodeWindow(Studio& studio, wxWindow* owner, const std::string& scene, const std::string& code)
        : CodeWindow(studio, owner, "Scene code editor", "scene-code:" + scene,
                     {.help = false, .placement = false, .disableOwner = true}),
          scene_(scene) {
        open(code);
    }

protected:
    bool store(bool byOk) override {
        Status s = commitSceneCode(studio_.project, scene_, editor()->code(), byOk);
        if (!s) studio_.dialogs.error(s.message());
        return bool(s);
    }

private:
    std::string scene_;
};

constexpr int kTypeBoxWidth = 150;
constexpr int kWithLabelX = 70 + kTypeBoxWidth + 10;
constexpr int kWithBoxX = kWithLabelX + 40;

// The event code editor of one script.
class EventEditorWindow : public CodeWindow {
public:
    EventEditorWindow(Studio& studio, wxWindow* owner, const ScriptRef& ref, std::function<void()> stored)
        : CodeWindow(studio, owner, toWx(eventEditorTitle(studio.project.scripts[ref.index].event, ref.object)),
                     "event-editor:" + ref.object, {.disableOwner = true}),
          ref_(ref), stored_(std::move(stored)) {
        const Script& script = studio.project.scripts[ref.index];
        // The boxes are wider than their 100 and 200 pixels elsewhere: GTK's combo boxes
        // need the room to show an icon and the longest event type.
        new wxStaticText(panel_, wxID_ANY, "Event type", wxPoint(10, 15));
        types_ = new wxBitmapComboBox(panel_, wxID_ANY, "", wxPoint(70, 10), wxSize(kTypeBoxWidth, 25), 0, nullptr,
                                      wxCB_READONLY, wxDefaultValidator, "event-type");
        std::vector<std::string> rows = eventTypes();
        // A type this program does not know stays selectable, so OK keeps it.
        if (std::find(rows.begin(), rows.end(), script.event) == rows.end()) rows.push_back(script.event);
        for (const std::string& t : rows) types_->Append(toWx(t), eventTypeIcon(t));
        types_->SetStringSelection(toWx(script.event));
        typeRows_ = rows;

        withLabel_ = new wxStaticText(panel_, wxID_ANY, "with", wxPoint(kWithLabelX, 15), wxDefaultSize, 0, "with-label");
        if (script.event == kCollisionEvent) {
            withList_ = new wxBitmapComboBox(panel_, wxID_ANY, "", wxPoint(kWithBoxX, 10), wxSize(220, 25), 0, nullptr,
                                             wxCB_READONLY, wxDefaultValidator, "with");
            std::vector<std::string> choices = collisionChoices(studio.project);
            // An object that is gone stays the parameter until the user picks another.
            if (std::find(choices.begin(), choices.end(), script.parameter) == choices.end())
                choices.push_back(script.parameter);
            for (const std::string& c : choices)
                withList_->Append(toWx(c), c.empty() ? wxBitmap() : objectIcon(studio.project, c));
            withList_->SetStringSelection(toWx(script.parameter));
        } else {
            // Created out of sight; shown when the type becomes Collision.
            withText_ = new wxTextCtrl(panel_, wxID_ANY, toWx(script.parameter), wxPoint(kWithBoxX, 10), wxSize(220, 25), 0,
                                       wxDefaultValidator, "with");
        }
        showWith(script.event == kCollisionEvent);
        types_->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { showWith(selectedType() == kCollisionEvent); });
        open(script.code);
    }

protected:
    bool store(bool) override {
        Status s = commitEventScript(studio_.project, ref_, selectedType(), parameter(), editor()->code());
        if (!s) {
            studio_.dialogs.error(s.message());
            return false;
        }
        if (auto index = findScript(studio_.project, ref_)) ref_.index = *index;
        if (stored_) stored_();
        return true;
    }

private:
    std::string selectedType() const {
        const int i = types_->GetSelection();
        return i >= 0 && size_t(i) < typeRows_.size() ? typeRows_[size_t(i)] : std::string();
    }
    std::string parameter() const {
        if (withList_) return fromWx(withList_->GetStringSelection());
        return fromWx(withText_->GetValue());
    }
    void showWith(bool show) {
        withLabel_->Show(show);
        if (withList_) withList_->Show(show);
        if (withText_) withText_->Show(show);
    }

    ScriptRef ref_;
    std::function<void()> stored_;
    wxBitmapComboBox* types_ = nullptr;
    std::vector<std::string> typeRows_;
    wxStaticText* withLabel_ = nullptr;
    wxBitmapComboBox* withList_ = nullptr;
    wxTextCtrl* withText_ = nullptr;
};

// The editable game comments window.
class CommentsWindow : public HookedWindow {
public:
    CommentsWindow(Studio& studio, wxWindow* owner)
        : HookedWindow(studio, owner, "Game comments", "game-comments", false) {
        auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");
        panel->SetFont(interfaceFont());
        text_ = new wxTextCtrl(panel, wxID_ANY, toWxLines(studio.project.game.comments), wxPoint(10, 10),
                               wxSize(780, 540), wxTE_MULTILINE, wxDefaultValidator, "comments");
        text_->SetFont(smallInterfaceFont());
        giveInnerMargin(*text_);
        ok_ = new wxButton(panel, wxID_OK, "OK", wxDefaultPosition, wxSize(65, 25), 0, wxDefaultValidator, "ok");
        ok_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
            commitGameText(studio_.project, GameText::Comments, value());
            finish();
        });
        Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
            e.Skip();
            const wxSize c = GetClientSize();
            const CommentsWindowLayout l = commentsWindowLayout(c.x, c.y);
            text_->SetSize(toRect(l.text));
            ok_->SetSize(toRect(l.ok));
        });
        SetSize(800, 600);
        CentreOnParent();
        Show();
        text_->SetFocus();
    }

    void commitBeforeSave() override { commitIfChanged(); }

protected:
    // The window has no Cancel: closing it keeps what was typed.
    void onCloseBox() override {
        commitIfChanged();
        finish();
    }

private:
    std::string value() const { return toCrlf(fromWx(text_->GetValue())); }
    void commitIfChanged() {
        if (value() != toCrlf(studio_.project.game.comments))
            commitGameTextIfChanged(studio_.project, GameText::Comments, value());
    }
    wxTextCtrl* text_ = nullptr;
    wxButton* ok_ = nullptr;
};

} // namespace

wxFrame* findCodeWindow(const std::string& key) { return findStudioWindow(key); }

void openGlobalVariables(Studio& studio, wxWindow* mainWindow) {
    if (raiseStudioWindow("global-variables")) return;
    new GameTextWindow(studio, mainWindow, GameText::Variables, "global-variables");
}

void openCustomFunctions(Studio& studio, wxWindow* mainWindow) {
    if (raiseStudioWindow("custom-functions")) return;
    new GameTextWindow(studio, mainWindow, GameText::Functions, "custom-functions");
}

void openGameComments(Studio& studio, wxWindow* mainWindow) {
    if (raiseStudioWindow("game-comments")) return;
    new CommentsWindow(studio, mainWindow);
}

bool showGameCommentsIfAny(Studio& studio, wxWindow* mainWindow) {
    if (studio.project.game.comments.empty()) return false;
    wxDialog dialog(mainWindow, wxID_ANY, "Game comments", wxDefaultPosition, wxSize(800, 600),
                    wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER, "game-comments-modal");
    const wxSize c = dialog.GetClientSize();
    const CommentsWindowLayout l = commentsWindowLayout(c.x, c.y);
    auto* text = new wxTextCtrl(&dialog, wxID_ANY, toWxLines(studio.project.game.comments), wxPoint(l.text.x, l.text.y),
                                wxSize(l.text.width, l.text.height), wxTE_MULTILINE | wxTE_READONLY, wxDefaultValidator,
                                "comments");
    text->SetFont(smallInterfaceFont());
    giveInnerMargin(*text);
    auto* ok = new wxButton(&dialog, wxID_OK, "OK", wxPoint(l.ok.x, l.ok.y), wxSize(l.ok.width, l.ok.height), 0,
                            wxDefaultValidator, "ok");
    dialog.Bind(wxEVT_SIZE, [&](wxSizeEvent& e) {
        e.Skip();
        const wxSize s = dialog.GetClientSize();
        const CommentsWindowLayout now = commentsWindowLayout(s.x, s.y);
        text->SetSize(toRect(now.text));
        ok->SetSize(toRect(now.ok));
    });
    dialog.SetEscapeId(wxID_OK);
    dialog.CentreOnParent();
    ok->SetFocus();
    dialog.ShowModal();
    return true;
}

void openEventEditor(Studio& studio, wxWindow* objectWindow, size_t scriptIndex, std::function<void()> stored) {
    if (scriptIndex >= studio.project.scripts.size()) {
        studio.dialogs.error("This event no longer exists.");
        return;
    }
    const ScriptRef ref = scriptRefAt(studio.project, scriptIndex);
    if (raiseStudioWindow("event-editor:" + ref.object)) return;
    new EventEditorWindow(studio, objectWindow, ref, std::move(stored));
}

void openSceneCodeEditor(Studio& studio, wxWindow* sceneWindow, const std::string& sceneName) {
    const Scene* scene = studio.project.scenes.get(sceneName);
    if (!scene) {
        studio.dialogs.error("The scene " + sceneName + " no longer exists.");
        return;
    }
    if (raiseStudioWindow("scene-code:" + sceneName)) return;
    new SceneCodeWindow(studio, sceneWindow, sceneName, scene->code);
}

} // namespace pondaro::ui
