#include "base/text.h"

#include "base/files.h"

namespace pondaro {

std::string toCrlf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string_view stripBom(std::string_view text) {
    if (text.size() >= 3 && text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}

namespace {

// Length of the well-formed UTF-8 sequence starting at text[i], or 0.
size_t utf8SequenceLength(std::string_view text, size_t i) {
    auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    unsigned char c = byte(i);
    if (c < 0x80) return 1;
    size_t len;
    unsigned lo = 0x80, hi = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c == 0xE0) { len = 3; lo = 0xA0; }
    else if (c >= 0xE1 && c <= 0xEC) len = 3;
    else if (c == 0xED) { len = 3; hi = 0x9F; }
    else if (c >= 0xEE && c <= 0xEF) len = 3;
    else if (c == 0xF0) { len = 4; lo = 0x90; }
    else if (c >= 0xF1 && c <= 0xF3) len = 4;
    else if (c == 0xF4) { len = 4; hi = 0x8F; }
    else return 0;
    if (i + len > text.size()) return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
    for (size_t k = 2; k < len; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return len;
}

} // namespace

bool isValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        size_t n = utf8SequenceLength(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string sanitizeUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t n = utf8SequenceLength(text, i);
        if (n == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(text.substr(i, n));
            i += n;
        }
    }
    return out;
}

std::string asciiLower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return out;
}

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = char(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

std::string headedList(std::string_view heading, const std::vector<std::string>& items, size_t maxItems) {
    std::string text(heading);
    const size_t listed = items.size() <= maxItems + 1 ? items.size() : maxItems;
    for (size_t i = 0; i < listed; ++i) text += "\r\n" + items[i];
    if (listed < items.size()) text += "\r\n... and " + std::to_string(items.size() - listed) + " more.";
    return text;
}

Status writeTextFile(const std::filesystem::path& path, std::string_view text) {
    return writeFileAtomic(path, toCrlf(stripBom(text)));
}

Status readTextFile(const std::filesystem::path& path, std::string& text, const FileLimit& limit) {
    Status s = readFile(path, text, limit);
    if (s && text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    return s;
}

Status checkPathComponent(std::string_view name, std::string_view what) {
    std::string label(what);
    if (name.empty()) return Status::failure("The " + label + " is empty.");
    if (name == "." || name == "..")
        return Status::failure("The " + label + " '" + std::string(name) + "' is not a valid file name.");
    for (unsigned char c : name) {
        if (c == '/' || c == '\\' || c == ':')
            return Status::failure("The " + label + " '" + std::string(name) +
                                   "' must not contain path separators (/, \\ or :).");
        if (c < 0x20 || c == 0x7F)
            return Status::failure("The " + label + " must not contain control characters.");
    }
    if (name.find("..") != std::string_view::npos)
        return Status::failure("The " + label + " '" + std::string(name) + "' must not contain \"..\".");
    return Status::success();
}

} // namespace pondaro
