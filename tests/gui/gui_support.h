#pragma once
// Helpers of the window tests: a studio in a temporary folder with the real window
// ports, its start-up without the splash, event pumping and screenshots.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>
#ifdef __WXGTK__
#include <dlfcn.h>
#endif

#include <wx/app.h>
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/evtloop.h>
#include <wx/frame.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/testing.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include "app/studio.h"
#include "app/ui/editor_hooks.h"
#include "app/ui/main_frame.h"
#include "app/ui/studio_startup.h"
#include "image/image.h"
#include "support/fake_ports.h"
#include "support/temp_folder.h"
#include "ui/wx_ports.h"

namespace pondaro::gui {

// The window carries the programs' icon in every size, the 32-pixel one being
// desktop/icons/pondaro-32.png pixel for pixel.
inline void expectProgramIcon(const wxTopLevelWindow& window) {
    const wxIconBundle icons = window.GetIcons();
    EXPECT_EQ(icons.GetIconCount(), 6u);
    const wxIcon icon = icons.GetIconOfExactSize(wxSize(32, 32));
    ASSERT_TRUE(icon.IsOk());
    const wxImage shown = icon.ConvertToImage();
    const wxImage drawn(PONDARO_SOURCE_DIR "/desktop/icons/pondaro-32.png", wxBITMAP_TYPE_PNG);
    ASSERT_TRUE(drawn.IsOk() && shown.HasAlpha() && drawn.HasAlpha());
    ASSERT_EQ(shown.GetSize(), drawn.GetSize());
    const size_t pixels = 32 * 32;
    EXPECT_TRUE(std::equal(shown.GetData(), shown.GetData() + 3 * pixels, drawn.GetData()));
    EXPECT_TRUE(std::equal(shown.GetAlpha(), shown.GetAlpha() + pixels, drawn.GetAlpha()));
}

// While one of these lives, modal dialogs no test expectation takes are shown for real
// (the test closes them itself) instead of failing the test: for what only shows on
// the screen, such as where the window manager puts a dialog.
inline bool dialogsShowForReal = false;
struct LetDialogsShow {
    LetDialogsShow() { dialogsShowForReal = true; }
    ~LetDialogsShow() { dialogsShowForReal = false; }
    LetDialogsShow(const LetDialogsShow&) = delete;
    LetDialogsShow& operator=(const LetDialogsShow&) = delete;
};

// Every entry of the menu (separators aside) has a picture that the desktop toolkit
// really draws: GTK hides menu pictures unless told otherwise. The names of the entries
// without one are returned.
inline std::vector<std::string> menuEntriesWithoutPicture(wxMenu& menu) {
    std::vector<std::string> missing;
    for (wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator()) continue;
        bool shown = item->GetBitmap().IsOk();
#ifdef __WXGTK__
        using GetImage = GtkWidget*(GtkWidget*);
        using IsVisible = int(GtkWidget*);
        static auto* const image = reinterpret_cast<GetImage*>(dlsym(RTLD_DEFAULT, "gtk_image_menu_item_get_image"));
        static auto* const visible = reinterpret_cast<IsVisible*>(dlsym(RTLD_DEFAULT, "gtk_widget_get_visible"));
        if (shown && image && visible) {
            GtkWidget* picture = image(item->GetMenuItem());
            shown = picture && visible(picture);
        }
#endif
        if (!shown) missing.push_back(item->GetItemLabelText().utf8_string());
    }
    return missing;
}
inline std::vector<std::string> menuEntriesWithoutPicture(wxMenuBar& bar) {
    std::vector<std::string> missing;
    for (size_t i = 0; i < bar.GetMenuCount(); ++i)
        for (std::string& entry : menuEntriesWithoutPicture(*bar.GetMenu(i))) missing.push_back(std::move(entry));
    return missing;
}

// Lets the windows handle what is pending (paints, sizes, posted calls) for a moment.
inline void pump(int milliseconds = 30) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    do {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    } while (std::chrono::steady_clock::now() < until);
}

// Lets the windows handle what is pending until `done` holds, for at most
// `timeoutMilliseconds`; false when it never did. Awaiting what a test needs instead of
// a fixed pause keeps it both quick and steady on a busy machine.
template <class Condition>
bool pumpUntil(Condition done, int timeoutMilliseconds = 5000) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMilliseconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() >= until) return false;
        pump(5);
    }
    return true;
}

// Saves the screen as a PNG in the folder named by PONDARO_SCREENSHOTS, when set
// (ImageMagick's import takes the picture of the virtual display). With `only`, the
// picture holds just that window with its title bar, as the manual shows it.
inline void screenshot(const std::string& name, const wxTopLevelWindow* only = nullptr) {
    const char* folder = std::getenv("PONDARO_SCREENSHOTS");
    if (!folder || !*folder) return;
    pump(300);
    const std::string file = (std::filesystem::path(folder) / (name + ".png")).string();
    std::string crop;
    if (only) {
        // The window's rectangle is its frame's, title bar included; what lies off the
        // screen cannot be taken.
        wxRect r = only->GetRect();
        r.Intersect(wxRect(wxPoint(0, 0), wxGetDisplaySize()));
        if (r.IsEmpty()) {
            ADD_FAILURE() << "no screenshot: \"" << name << "\" lies off the screen";
            return;
        }
        crop = " -crop " + std::to_string(r.width) + "x" + std::to_string(r.height) + "+" + std::to_string(r.x) +
               "+" + std::to_string(r.y) + " +repage";
    }
    const std::string command = "/usr/bin/import -window root" + crop + " '" + file + "'";
    if (std::system(command.c_str()) != 0) ADD_FAILURE() << "no screenshot: " << command;
}

// With PONDARO_SCREENSHOTS set, a modal dialog answered by a test is shown for its
// picture (the dialog alone) first.
inline void screenshotOfDialog(wxDialog* d, const std::string& name) {
    if (!std::getenv("PONDARO_SCREENSHOTS")) return;
    d->Show();
    screenshot(name, d);
    d->Hide();
}

// A local port where nothing listens: a version check asking it fails at once, in silence.
inline constexpr const char* kNoVersionServer = "http://127.0.0.1:9/version.txt";

// The window tests' start-up: without the splash and its pause, maximised only when asked,
// the version check asking `versionAddress`.
inline ui::StartupOptions testStartup(const std::string& versionAddress, bool maximise, long versionTimeoutMs) {
    ui::StartupOptions options;
    options.showSplash = false;
    options.splashWaitMs = 0;
    options.maximise = maximise;
    options.versionFileAddress = versionAddress;
    options.versionTimeoutMs = versionTimeoutMs;
    return options;
}

// The start-up with every window of the program wired in, the version check failing at
// once; the main window at the top left.
inline ui::MainFrame* startWithEveryWindow(Studio& studio) {
    ui::MainFrame* main =
        ui::startStudio(studio, nullptr, ui::studioEditorHooks(), testStartup(kNoVersionServer, false, 500));
    if (main) main->SetPosition(wxPoint(0, 0));
    pump();
    return main;
}

// Chooses a menu entry as a click or its shortcut would.
inline void chooseMenu(wxFrame* window, const char* menu, const char* entry) {
    const int id = window->GetMenuBar()->FindMenuItem(menu, entry);
    ASSERT_NE(id, wxNOT_FOUND) << menu << " > " << entry;
    wxCommandEvent e(wxEVT_MENU, id);
    e.SetEventObject(window);
    window->GetEventHandler()->ProcessEvent(e);
}

// What a user's choice of an item in a box sends.
template <class Box>
void choose(Box* box, const wxString& item, wxEventType type) {
    ASSERT_NE(box, nullptr) << item;
    const int at = box->FindString(item, true);
    ASSERT_NE(at, wxNOT_FOUND) << item;
    box->SetSelection(at);
    wxCommandEvent e(type, box->GetId());
    e.SetInt(at);
    e.SetEventObject(box);
    box->GetEventHandler()->ProcessEvent(e);
}

// The end of a test that started the studio: its windows closed, the main window gone.
inline void closeStudio(Studio& studio, ui::MainFrame*& main) {
    for (auto& close : studio.closeWindowsHooks) close();
    if (main) main->Destroy();
    main = nullptr;
    pump(20);
}

// A modal dialog a test expects, found by its title (any title when empty): `answer`
// sets its controls and says how it ends.
class ExpectDialog : public wxExpectModalBase<wxDialog, ExpectDialog> {
public:
    ExpectDialog(wxString title, std::function<int(wxDialog*)> answer)
        : title_(std::move(title)), answer_(std::move(answer)) {}

protected:
    int OnInvoked(wxDialog* dialog) const override {
        if (!title_.empty()) {
            EXPECT_EQ(dialog->GetTitle(), title_);
        }
        return answer_(dialog);
    }

private:
    wxString title_;
    std::function<int(wxDialog*)> answer_;
};

// A picture of one colour.
inline Image filledImage(int w, int h, Rgba c) {
    Image img(w, h);
    img.fill(c);
    return img;
}

// A studio working in a fresh folder that holds an engine template, with the
// desktop's dialogs and a recording shell.
struct GuiStudio {
    GuiStudio() : dialogs(folder.path(), wxBitmap()), studio(dialogs, shell, clock, folder.path()) {
        writeTestFile(folder.path() / "export.js", "//PONDARO_SCENES\n");
    }
    ~GuiStudio() {
        if (frame) frame->Destroy();
        pump(10);
    }

    // The start-up without the splash and its pause, and maximised only when asked. The
    // start-up version check asks kNoVersionServer unless a test names another address,
    // and has ended when this returns.
    ui::MainFrame* start(const std::string& versionAddress = kNoVersionServer, bool maximise = false) {
        frame = ui::startStudio(studio, &dialogs, hooks, testStartup(versionAddress, maximise, 1500));
        pump();
        // The start-up check runs beside the window: it ends here, so that it asks and
        // says nothing in the middle of a test.
        EXPECT_TRUE(pumpUntil([&] { return !frame || !frame->versionCheckRunning(); }));
        return frame;
    }

    TempFolder folder;
    ui::WxDialogs dialogs;
    FakeShell shell;
    SystemClock clock;
    Studio studio;
    // The windows wired into the studio (none unless a test sets some before start()).
    ui::EditorHooks hooks;
    ui::MainFrame* frame = nullptr;
};

} // namespace pondaro::gui
