#pragma once
// The fonts the code windows and the extension maker use. A face that the system does
// not have falls back to a family of the same kind, so code stays in a fixed-width font.
#include <string>
#include <wx/font.h>

namespace pondaro::ui {

wxFont namedFont(const std::string& face, int points, bool bold, wxFontFamily fallback);

// The heading font of the code windows' labels and first help field.
wxFont headingFont();
// The font the windows' labels, buttons and fields take: a narrow face where the
// system has one.
wxFont interfaceFont();
// The small interface font of the game comments text.
wxFont smallInterfaceFont();

} // namespace pondaro::ui
