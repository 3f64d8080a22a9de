#pragma once
// "Open a project...": the stored projects, a preview picture of the one picked and
// the time its file was last written.
#include <filesystem>
#include <string>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dialog.h>

class wxListBox;
class wxStaticText;

namespace pondaro::ui {

class PictureBox;

class OpenProjectDialog : public wxDialog {
public:
    OpenProjectDialog(wxWindow* parent, const std::filesystem::path& root, const std::vector<std::string>& names,
                      const wxBitmap& placeholder);

    // The picked project after Open or a double click; "" without a selection.
    std::string chosen() const;

    // Picks a row as a single click does (the preview and the information line follow).
    void pick(int row);
    wxListBox* list() const { return list_; }
    wxString informationLine() const;
    bool showingPlaceholder() const;

private:
    void showPreview();

    std::filesystem::path root_;
    wxBitmap placeholder_;
    wxListBox* list_;
    PictureBox* picture_;
    wxStaticText* info_;
};

} // namespace pondaro::ui
