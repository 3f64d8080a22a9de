#include "extensions/extension_file.h"

#include <algorithm>

#include "base/files.h"
#include "base/text.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

enum class Section { None, Name, Author, Description, Help, Code };

Section headerOf(std::string_view line) {
    if (line == "[EXTENSION]") return Section::Name;
    if (line == "[AUTHOR]") return Section::Author;
    if (line == "[DESCRIPTION]") return Section::Description;
    if (line == "[HELP]") return Section::Help;
    if (line == "[CODE]") return Section::Code;
    return Section::None;
}

// Calls f(line) for each line ended by CR, LF or the pair (a last line without an
// end counts too).
template <class F>
void forEachLine(std::string_view text, F f) {
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            f(text.substr(pos));
            return;
        }
        f(text.substr(pos, end - pos));
        pos = end + 1;
        if (text[end] == '\r' && pos < text.size() && text[pos] == '\n') ++pos;
    }
}

std::string* target(ExtensionFields& fields, Section s) {
    switch (s) {
    case Section::Name: return &fields.name;
    case Section::Author: return &fields.author;
    case Section::Description: return &fields.description;
    case Section::Help: return &fields.help;
    case Section::Code: return &fields.code;
    case Section::None: break;
    }
    return nullptr;
}

bool multiLine(Section s) { return s == Section::Description || s == Section::Help || s == Section::Code; }

} // namespace

ExtensionEntry parseExtension(std::string_view text, const std::string& key) {
    ExtensionFields f;
    Section current = Section::None;
    forEachLine(stripBom(text), [&](std::string_view line) {
        if (Section h = headerOf(line); h != Section::None) {
            current = h;
            line = {};
        }
        std::string* t = target(f, current);
        if (!t) return;
        t->append(line);
        if (multiLine(current)) t->append("\r\n");
    });
    return {key, f.name, f.author, f.description, f.help, f.code, 0};
}

ExtensionFields parseExtensionForMaker(std::string_view text) {
    ExtensionFields f;
    Section current = Section::None;
    forEachLine(stripBom(text), [&](std::string_view line) {
        if (Section h = headerOf(line); h != Section::None) {
            current = h;
            return;
        }
        std::string* t = target(f, current);
        if (!t || line.empty()) return;
        t->append(line);
        if (multiLine(current)) t->append("\r\n");
    });
    return f;
}

std::string extensionFileText(const ExtensionFields& f) {
    std::string out;
    auto section = [&](const char* header, const std::string& value) {
        out += header;
        out += "\r\n";
        out += value;
        out += "\r\n\r\n";
    };
    section("[EXTENSION]", f.name);
    section("[AUTHOR]", f.author);
    section("[DESCRIPTION]", f.description);
    section("[HELP]", f.help);
    section("[CODE]", f.code);
    return toCrlf(out);
}

fs::path extensionsFolder(const fs::path& root) { return root / "Extensions"; }

fs::path extensionFilePath(const fs::path& root, const std::string& key) {
    return extensionsFolder(root) / (key + ".pdx");
}

fs::path installedExtensionsPath(const fs::path& root, const std::string& projectName) {
    return root / "Projects" / projectName / "extensions.dat";
}

Status writeExtensionFile(const fs::path& root, const std::string& key, const ExtensionFields& fields) {
    if (Status s = checkPathComponent(key, "extension name"); !s) return s;
    if (Status s = checkFolderInside(extensionsFolder(root), root, "Extensions"); !s) return s;
    ensureDirectory(extensionsFolder(root));
    return writeFileAtomic(extensionFilePath(root, key), extensionFileText(fields));
}

namespace {

void note(std::string* problems, const std::string& message) {
    if (problems) *problems += message + "\r\n";
}

} // namespace

std::vector<std::string> loadInstalledKeys(const fs::path& root, const std::string& projectName, std::string* problems) {
    std::vector<std::string> keys;
    if (projectName.empty() || !checkPathComponent(projectName, "project name")) return keys;
    const fs::path path = installedExtensionsPath(root, projectName);
    if (!pathExists(path)) return keys;
    std::string text;
    Status read = checkFolderInside(path.parent_path(), root, "Projects/" + projectName);
    if (read) read = readFile(path, text, kInstalledExtensionsLimit);
    if (!read) {
        note(problems, read.message());
        return keys;
    }
    forEachLine(stripBom(text), [&](std::string_view line) { keys.emplace_back(line); });
    return keys;
}

Status saveInstalledKeys(const fs::path& root, const std::string& projectName, const std::vector<std::string>& keys) {
    if (Status s = checkPathComponent(projectName, "project name"); !s) return s;
    if (Status s = checkFolderInside(root / "Projects" / projectName, root, "Projects/" + projectName); !s)
        return Status::failure("The installed extensions could not be saved: " + s.message());
    std::string text;
    for (const auto& k : keys) text += k + "\r\n";
    ensureDirectory(root / "Projects" / projectName);
    Status s = writeFileAtomic(installedExtensionsPath(root, projectName), text);
    if (!s) return Status::failure("The installed extensions could not be saved: " + s.message());
    return s;
}

std::vector<ExtensionEntry> loadExtensions(const fs::path& root, const std::string& projectName, std::string* problems) {
    const std::vector<std::string> installed = loadInstalledKeys(root, projectName, problems);
    std::vector<ExtensionEntry> list;
    if (Status s = checkFolderInside(extensionsFolder(root), root, "Extensions"); !s) {
        note(problems, s.message());
        return list;
    }
    for (const std::string& file : listFiles(extensionsFolder(root), ".pdx")) {
        std::string text;
        if (Status s = readFile(extensionsFolder(root) / file, text, kExtensionFileLimit); !s) {
            note(problems, s.message());
            continue;
        }
        std::string key = file.substr(0, file.size() - 4);
        ExtensionEntry e = parseExtension(text, key);
        e.installed = std::find(installed.begin(), installed.end(), key) != installed.end() ? 1 : 0;
        list.push_back(std::move(e));
    }
    return list;
}

std::string extensionInfoText(const ExtensionEntry& e) {
    return "NAME:" + e.name + "\r" + "AUTHOR: " + e.author + "\r\r" + "DESCRIPTION: " + e.description + "HELP:" + e.help;
}

} // namespace pondaro
