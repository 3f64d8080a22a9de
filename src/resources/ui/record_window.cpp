#include "resources/ui/record_window.h"

#include "project/removal.h"
#include "resources/record_windows.h"
#include "ui/form_layout.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

// The title names the kind and the record, so it is the window's key as well.
std::string keyOf(ResourceKind kind, const std::string& name) { return propertiesWindowTitle(kind, name); }

constexpr long kWindowStyle = wxCAPTION | wxSYSTEM_MENU | wxMINIMIZE_BOX | wxCLOSE_BOX | wxRESIZE_BORDER;

} // namespace

RecordWindow::RecordWindow(Studio& studio, wxWindow* mainWindow, ResourceKind kind, const std::string& record,
                           const std::string& keywords, std::function<void()> rebuildPanel)
    : StudioWindow(studio, mainWindow, toWx(propertiesWindowTitle(kind, record)), keyOf(kind, record),
                   WindowLock::None, kWindowStyle),
      kind_(kind), record_(record) {
    whenClosed(std::move(rebuildPanel));
    panel_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");
    name_ = formField(panel_, toWx(record), 200, "name");
    buttons_ = recordButtonRow(panel_, toWx(keywords));
}

void RecordWindow::layOut(wxSizer* content, wxSize least) {
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(captionedRow(panel_, "Name", 0, name_), 0, wxALIGN_CENTER_VERTICAL);

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(top, 0, wxEXPAND | wxALL, 10);
    all->Add(content, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
    all->Add(buttons_.row, 0, wxEXPAND | wxALL, 10);
    layOutWindow(this, panel_, all, least);

    buttons_.remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { deleteRecordAndClose(); });
    buttons_.done->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (apply()) finish();
    });
    CentreOnScreen();
    Show();
}

bool RecordWindow::apply() {
    const std::string name = fromWx(name_->GetValue());
    if (!applyFields(name, fromWx(buttons_.keywords->GetValue()))) return false;
    if (name != record_) {
        record_ = name;
        setKey(keyOf(kind_, record_));
        SetTitle(toWx(propertiesWindowTitle(kind_, record_)));
    }
    return true;
}

void RecordWindow::deleteRecordAndClose() {
    if (deleteRecord(studio_.project, studio_.dialogs, kind_, record_)) finish();
}

bool isRecordWindowOpen(ResourceKind kind, const std::string& name) {
    return findStudioWindow(keyOf(kind, name)) != nullptr;
}

bool raiseOrRefuse(Studio& studio, ResourceKind kind, const std::string& name) {
    if (raiseStudioWindow(keyOf(kind, name))) return true;
    if (studio.project.nameTaken(kind, name)) return false;
    studio.dialogs.error(recordGoneMessage(kind, name));
    return true;
}

} // namespace pondaro::ui
