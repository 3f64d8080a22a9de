#include "ui/wx_ports.h"

#include <wx/colordlg.h>
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/generic/msgdlgg.h>
#include <wx/utils.h>

#include "base/files.h"
#include "base/studio_files.h"
#include "base/text.h"
#include "ui/merge_result_dialog.h"
#include "ui/name_dialog.h"
#include "ui/open_project_dialog.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

int box(wxWindow* parent, const std::string& title, const std::string& text, long style) {
    return showMessageBox(parent, title, text, style);
}

} // namespace

int showMessageBox(wxWindow* parent, const std::string& title, const std::string& text, long style) {
    // GTK's own message box leaves its title bar empty when the title is "Message" (wx
    // takes that for the default title, which GTK's message boxes do not show); this
    // box is a plain dialog and shows every title.
    wxGenericMessageDialog dialog(parent, toWxLines(text), toWx(title), style | wxCENTRE);
    // Escape and the close box of a Yes/No question answer No (by default such a box
    // without a Cancel button would take them for its affirmative Yes).
    if ((style & wxYES_NO) && !(style & wxCANCEL)) dialog.SetEscapeId(wxID_NO);
    return dialog.ShowModal();
}

std::string fileNameProblem(const std::string& name) {
    Status s = checkPathComponent(name, "name");
    return s ? std::string() : s.message();
}

bool WxDialogs::confirm(const std::string& question) { return ask("Confirm", question); }

Answer WxDialogs::confirmOrCancel(const std::string& question) {
    switch (box(parent_, "Confirm", question, wxYES_NO | wxCANCEL | wxICON_QUESTION)) {
    case wxID_YES: return Answer::Yes;
    case wxID_NO: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool WxDialogs::ask(const std::string& title, const std::string& question) {
    return box(parent_, title, question, wxYES_NO | wxICON_QUESTION) == wxID_YES;
}

void WxDialogs::error(const std::string& text) { box(parent_, "Error", text, wxOK | wxICON_ERROR); }
void WxDialogs::message(const std::string& text) { box(parent_, "Message", text, wxOK | wxICON_INFORMATION); }
void WxDialogs::warning(const std::string& text) { box(parent_, "Warning", text, wxOK | wxICON_WARNING); }
void WxDialogs::notice(const std::string& title, const std::string& text) {
    box(parent_, title, text, wxOK | wxICON_INFORMATION);
}

std::string WxDialogs::chooseProject(const std::vector<std::string>& names) {
    std::string name;
    {
        OpenProjectDialog dialog(parent_, root_, names, placeholder_);
        if (dialog.ShowModal() != wxID_OK) return "";
        name = dialog.chosen();
    }
    if (!name.empty() && onProjectChosen) onProjectChosen();
    return name;
}

std::optional<std::string> WxDialogs::askName(const std::string& title, const std::string& current) {
    NameDialog dialog(parent_, toWx(title), toWx(current), fileNameProblem);
    if (dialog.ShowModal() != wxID_OK) return std::nullopt;
    return dialog.name();
}

std::string WxDialogs::chooseFileToOpen(const std::string& title, const std::string& filter,
                                        const std::filesystem::path& folder) {
    std::error_code ec;
    const std::filesystem::path start = folder.empty() ? folder : std::filesystem::absolute(folder, ec);
    wxFileDialog dialog(parent_, toWx(title), toWx(start.string()), "", toWx(filter),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    return dialog.ShowModal() == wxID_OK ? fromWx(dialog.GetPath()) : std::string();
}

std::string WxDialogs::chooseFileToSave(const std::string& title, const std::string& filter,
                                        const std::filesystem::path& proposal) {
    wxString folder, file;
    if (!proposal.empty()) {
        // The desktop's dialog wants a whole path to open in.
        std::error_code ec;
        const std::filesystem::path whole = std::filesystem::absolute(proposal, ec);
        folder = toWx((ec ? proposal : whole).parent_path().string());
        file = toWx(proposal.filename().string());
    }
    wxFileDialog dialog(parent_, toWx(title), folder, file, toWx(filter), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    return dialog.ShowModal() == wxID_OK ? fromWx(dialog.GetPath()) : std::string();
}

std::optional<int> WxDialogs::chooseColour(int colour) {
    wxColourData data;
    data.SetColour(wxColour(colour & 0xff, (colour >> 8) & 0xff, (colour >> 16) & 0xff));
    wxColourDialog chooser(parent_, &data);
    if (chooser.ShowModal() != wxID_OK) return std::nullopt;
    const wxColour c = chooser.GetColourData().GetColour();
    return c.Red() + c.Green() * 256 + c.Blue() * 65536;
}

void WxDialogs::showMergeResult(const std::string& text) {
    MergeResultDialog dialog(parent_, toWxLines(text));
    dialog.ShowModal();
}

bool WxShell::openPage(const std::string& page) {
    wxString address = toWx(page);
    // A plain path is handed over as a file address, which every browser understands.
    if (!address.StartsWith("file://") && !address.StartsWith("http://") && !address.StartsWith("https://"))
        address = wxFileName::FileNameToURL(wxFileName(address));
    return wxLaunchDefaultBrowser(address);
}

bool WxShell::openManual() {
    const auto found = studioFile(root_, programFolder_, kManualPage);
    if (!isRegularFile(found)) return false;
    std::error_code ec;
    const auto page = std::filesystem::absolute(found, ec);
    if (ec) return false;
    return wxLaunchDefaultBrowser(wxFileName::FileNameToURL(wxFileName(toWx(page.string()))));
}

} // namespace pondaro::ui
