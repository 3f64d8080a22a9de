// The window tests' entry: a wx application that is initialised but whose main loop
// never runs; each test creates its windows and lets pending events through itself.
// A failed wx assertion (including an unexpected or missing modal dialog under
// wxTEST_DIALOG) fails the running test.
#include <gtest/gtest.h>

#include <cstdlib>

#include <wx/app.h>
#include <wx/image.h>
#include <wx/dialog.h>
#include <wx/init.h>
#include <wx/modalhook.h>

#include "gui_support.h"

namespace {

class GuiTestApp : public wxApp {
public:
    bool OnInit() override {
        wxInitAllImageHandlers();
        return true;
    }
};

void failTest(const wxString& file, int line, const wxString& func, const wxString& cond, const wxString& msg) {
    ADD_FAILURE_AT(file.utf8_str().data(), line)
        << "wx assertion in " << func.utf8_str().data() << ": " << cond.utf8_str().data() << " "
        << msg.utf8_str().data();
}

// The last resort for a modal dialog no test expected: it fails the test and is
// answered with Cancel instead of waiting for a click that never comes. (Hooks
// registered later, such as wxTEST_DIALOG's, are asked first.)
class RefuseUnexpectedDialogs : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override {
        if (pondaro::gui::dialogsShowForReal) return wxID_NONE;
        ADD_FAILURE() << "unexpected dialog \"" << dialog->GetTitle().utf8_str().data() << "\"";
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

} // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // The screenshot runs only take pictures to be looked at: named DISABLED_, they run
    // when PONDARO_SCREENSHOTS names the folder for the pictures.
    if (const char* shots = std::getenv("PONDARO_SCREENSHOTS"); shots && *shots)
        GTEST_FLAG_SET(also_run_disabled_tests, true);
    wxApp::SetInstance(new GuiTestApp);
    if (!wxEntryStart(argc, argv)) return 2;
    if (!wxTheApp->CallOnInit()) return 2;
    wxSetAssertHandler(failTest);
    RefuseUnexpectedDialogs refuse;
    refuse.Register();
    const int result = RUN_ALL_TESTS();
    refuse.Unregister();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
