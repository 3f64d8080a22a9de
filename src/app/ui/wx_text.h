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

} // namespace pondaro::ui
