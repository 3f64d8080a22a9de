#include "app/ui/installed_extensions_window.h"

#include <algorithm>

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/textctrl.h>

#include "extensions/extension_file.h"
#include "ui/widget_looks.h"
#include "ui/wx_ports.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

InstalledExtensionsWindow::InstalledExtensionsWindow(wxWindow* parent, Studio& studio, const wxFont& smallFont)
    : wxDialog(parent, wxID_ANY, "Installed extensions", wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxCLOSE_BOX | wxSYSTEM_MENU),
      studio_(studio) {
    SetClientSize(640, 480);
    studio.extensions = loadExtensions(studio.root, studio.project.name);
    entries_ = studio.extensions;

    list_ = new wxListCtrl(this, wxID_ANY, wxPoint(10, 10), wxSize(180, 420), wxLC_REPORT | wxLC_SINGLE_SEL);
    list_->SetFont(smallFont);
    list_->EnableCheckBoxes();
    list_->AppendColumn("Name", wxLIST_FORMAT_LEFT, 160);
    for (size_t i = 0; i < entries_.size(); ++i) {
        const long row = list_->InsertItem(long(i), toWx(entries_[i].name));
        list_->SetItemData(row, long(i));
        list_->CheckItem(row, entries_[i].installed == 1);
    }

    info_ = new wxTextCtrl(this, wxID_ANY, "", wxPoint(200, 10), wxSize(430, 420), wxTE_MULTILINE | wxTE_READONLY);
    info_->SetFont(smallFont);
    info_->SetBackgroundColour(wxColour(0xEE, 0xEE, 0xEE));
    giveInnerMargin(*info_);

    new wxButton(this, wxID_CANCEL, "Cancel", wxPoint(10, 440), wxSize(100, 25));
    auto* ok = new wxButton(this, wxID_OK, "OK", wxPoint(530, 440), wxSize(100, 25));
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { saveAndClose(); });
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Destroy(); }, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Destroy(); });
    list_->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& e) { pick(e.GetIndex()); });
    CentreOnParent();
}

void InstalledExtensionsWindow::pick(long row) {
    if (row < 0 || row >= list_->GetItemCount()) return;
    if (list_->GetItemText(row).empty()) return;
    const size_t i = size_t(list_->GetItemData(row));
    if (i < entries_.size()) info_->SetValue(toWxLines(extensionInfoText(entries_[i])));
}

bool InstalledExtensionsWindow::saveAndClose() {
    std::vector<std::string> keys;
    for (long row = 0; row < list_->GetItemCount(); ++row) {
        if (!list_->IsItemChecked(row)) continue;
        const size_t i = size_t(list_->GetItemData(row));
        if (i < entries_.size()) keys.push_back(entries_[i].key);
    }
    if (Status s = saveInstalledKeys(studio_.root, studio_.project.name, keys); !s) {
        showMessageBox(this, "Error", s.message(), wxOK | wxICON_ERROR);
        return false;
    }
    for (auto& e : studio_.extensions)
        e.installed = std::find(keys.begin(), keys.end(), e.key) != keys.end() ? 1 : 0;
    Destroy();
    return true;
}

} // namespace pondaro::ui
