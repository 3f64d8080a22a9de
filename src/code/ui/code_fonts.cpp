#include "code/ui/code_fonts.h"

#include <wx/fontenum.h>

#include "ui/wx_text.h"

namespace pondaro::ui {

wxFont namedFont(const std::string& face, int points, bool bold, wxFontFamily fallback) {
    wxFontInfo info(points);
    if (bold) info.Bold();
    const wxString name = toWx(face);
    if (!name.empty() && wxFontEnumerator::IsValidFacename(name)) info.FaceName(name);
    else info.Family(fallback);
    return wxFont(info);
}

wxFont headingFont() { return namedFont("Arial", 12, true, wxFONTFAMILY_SWISS); }

wxFont interfaceFont() {
    for (const char* face : {"Arial Narrow", "Nimbus Sans Narrow", "Liberation Sans Narrow"})
        if (wxFontEnumerator::IsValidFacename(face)) return namedFont(face, 10, false, wxFONTFAMILY_SWISS);
    return namedFont("", 9, false, wxFONTFAMILY_SWISS);
}

wxFont smallInterfaceFont() { return namedFont("Arial", 9, false, wxFONTFAMILY_SWISS); }

} // namespace pondaro::ui
