#pragma once
// Core keeps UTF-8 std::string; windows use wxString. Conversions happen here only.
#include <string>
#include <wx/string.h>

namespace pondaro::ui {

inline wxString toWx(const std::string& text) { return wxString::FromUTF8(text.data(), text.size()); }

inline std::string fromWx(const wxString& text) {
    const wxScopedCharBuffer utf8 = text.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

// Core texts end their lines with CR LF or a lone CR (as the files do); the desktop's
// message boxes and text areas break lines at LF.
inline wxString toWxLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            out += '\n';
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            out += text[i];
        }
    }
    return toWx(out);
}

} // namespace pondaro::ui
