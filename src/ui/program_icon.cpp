#include "ui/program_icon.h"

#include <wx/image.h>
#include <wx/mstream.h>

namespace pondaro::ui {

wxIconBundle programIcons() {
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxIconBundle bundle;
    for (const EmbeddedPng& png : programIconPngs()) {
        wxMemoryInputStream stream(png.bytes, png.length);
        wxImage image;
        if (!image.LoadFile(stream, wxBITMAP_TYPE_PNG)) continue;
        wxIcon icon;
        icon.CopyFromBitmap(wxBitmap(image));
        bundle.AddIcon(icon);
    }
    return bundle;
}

} // namespace pondaro::ui
