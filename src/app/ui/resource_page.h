#pragma once
// One page of the resource panel: a header with the keyword filter, the keyword list
// and the sort buttons over one custom-drawn, scrolling canvas of thumbnails. The
// canvas draws only the rows in view and finds the thumbnail under the mouse itself,
// so a page of ten thousand records costs no more to show than a page of ten.
#include <string>
#include <unordered_map>
#include <vector>

#include <wx/bitmap.h>
#include <wx/panel.h>
#include <wx/scrolwin.h>

#include "app/resource_panel.h"

class wxButton;
class wxChoice;
class wxMenu;
class wxTextCtrl;

namespace pondaro::ui {

class IconButton;
class PanelHost;
class ResourcePage;
struct StudioArt;

// The resource menu of a page's records (Edit, Delete...), each entry with its icon;
// an entry's id is its position in resourceMenu(category) + 1.
void fillResourceMenu(wxMenu& menu, PanelCategory category, const StudioArt& art);

class ResourceCanvas : public wxScrolled<wxWindow> {
public:
    ResourceCanvas(ResourcePage* page, PanelHost& host, PanelCategory category);

    // Takes the records to show and lays them out for the current width.
    void setRecords(std::vector<size_t> shown, Rgba background);
    void relayout();

    int columns() const { return columns_; }
    // Thumbnails plus the add tile.
    int cellCount() const { return int(shown_.size()) + 1; }
    const std::vector<size_t>& shown() const { return shown_; }
    const std::string& selected() const { return selected_; }

    // A left or right click at a point of the page (page coordinates, header included).
    void clickAt(int pageX, int pageY, bool right);

private:
    void onPaint(wxPaintEvent&);
    void onMouse(wxMouseEvent&);
    void onSize(wxSizeEvent&);
    const wxBitmap& pictureOf(size_t recordIndex);
    void showMenu(const std::string& name);

    ResourcePage* page_;
    PanelHost& host_;
    PanelCategory category_;
    std::vector<size_t> shown_;
    wxColour background_;
    int columns_ = 1;
    std::string selected_;
    // Bitmaps of the records' own pictures, made when first drawn; emptied at each
    // rebuild (the project may have changed) and when it grows large.
    std::unordered_map<size_t, wxBitmap> bitmaps_;
};

class ResourcePage : public wxPanel {
public:
    ResourcePage(wxWindow* parent, PanelHost& host, PanelCategory category);

    PanelCategory category() const { return category_; }
    // Shows the project's records of the category under the filter; refills the
    // keyword list.
    void rebuild();

    ResourceCanvas* canvas() const { return canvas_; }
    wxTextCtrl* filterField() const { return filter_; }
    wxChoice* keywordList() const { return keywords_; }
    IconButton* sortButton(int i) const { return sort_[i]; }
    wxButton* exportButton() const { return export_; }
    wxButton* importButton() const { return import_; }

private:
    void layoutHeader();
    void onPaint(wxPaintEvent&);
    void sort(SortOrder order);

    PanelHost& host_;
    PanelCategory category_;
    wxTextCtrl* filter_;
    wxChoice* keywords_;
    IconButton* sort_[3];
    wxButton* export_ = nullptr;
    wxButton* import_ = nullptr;
    ResourceCanvas* canvas_;
};

} // namespace pondaro::ui
