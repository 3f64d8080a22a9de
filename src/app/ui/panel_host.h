#pragma once
// What the resource panel's pages need from the main window.
#include <string>

#include "app/resource_panel.h"
#include "app/studio.h"

namespace pondaro::ui {

struct StudioArt;

class PanelHost {
public:
    virtual ~PanelHost() = default;
    virtual Studio& studio() = 0;
    virtual const StudioArt& art() const = 0;
    // Rebuilds every page from the project (and refreshes the title).
    virtual void rebuildPanel() = 0;
    // Opens the record's property window.
    virtual void editRecord(PanelCategory c, const std::string& name) = 0;
    virtual bool hasOpenWindow(PanelCategory c, const std::string& name) = 0;
    // The Functions page's "Export..." and "Import...".
    virtual void exportFunctions() = 0;
    virtual void importFunctions() = 0;
    // The Game tab's pictures: 0 global variables, 1 functions, 2 comments, 3 extensions.
    virtual void openGameWindow(int which) = 0;
};

} // namespace pondaro::ui
