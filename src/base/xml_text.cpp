#include "base/xml_text.h"

#include "base/text.h"

namespace pondaro {

void appendXmlEscaped(std::string& out, std::string_view text, bool attribute) {
    std::string clean;
    if (!isValidUtf8(text)) {
        clean = sanitizeUtf8(text);
        text = clean;
    }
    // Bytes that need no care are taken over in runs: a project file is mostly such.
    auto plain = [](unsigned char c) {
        return c >= 0x20 && c != '&' && c != '<' && c != '>' && c != '"' && c != 0xEF;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        size_t run = i;
        while (run < text.size() && plain(static_cast<unsigned char>(text[run]))) ++run;
        if (run > i) {
            out.append(text.data() + i, run - i);
            i = run;
            if (i == text.size()) break;
        }
        unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += attribute ? "&quot;" : "\""; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += attribute ? "&#10;" : "\n"; break;
        case '\t': out += attribute ? "&#9;" : "\t"; break;
        default:
            if (c < 0x20) break;
            if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
                (static_cast<unsigned char>(text[i + 2]) == 0xBE || static_cast<unsigned char>(text[i + 2]) == 0xBF)) {
                i += 2;
                break;
            }
            out += char(c);
        }
    }
}

} // namespace pondaro
