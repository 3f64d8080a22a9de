// Writing project files: the XML text, the frame PNGs and the media copies.
#include <unordered_map>

#include "base/files.h"
#include "base/text.h"
#include "image/codecs.h"
#include "project/project_file.h"
#include "project/record_fields.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

// Escapes text for the file so that it reads back exactly: CR always, and LF and TAB
// inside attribute values, become character references (a parser would otherwise
// turn them into LF or spaces). Characters XML cannot carry at all are dropped, and
// broken UTF-8 becomes U+FFFD, so the file always stays readable.
void appendEscaped(std::string& out, std::string_view text, bool attribute) {
    std::string clean;
    if (!isValidUtf8(text)) {
        clean = sanitizeUtf8(text);
        text = clean;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"':
            if (attribute) out += "&quot;";
            else out += '"';
            break;
        case '\r': out += "&#13;"; break;
        case '\n':
            if (attribute) out += "&#10;";
            else out += '\n';
            break;
        case '\t':
            if (attribute) out += "&#9;";
            else out += '\t';
            break;
        default:
            if (c < 0x20) break;  // not allowed in XML 1.0, not even as a reference
            // U+FFFE and U+FFFF (EF BF BE / EF BF BF) are not XML characters either.
            if (c == 0xEF && i + 2 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xBF &&
                (static_cast<unsigned char>(text[i + 2]) == 0xBE || static_cast<unsigned char>(text[i + 2]) == 0xBF)) {
                i += 2;
                break;
            }
            out += char(c);
        }
    }
}

template <class Record>
void appendList(std::string& out, const RecordLayout<Record>& layout, const std::vector<Record>& records) {
    out += '<';
    out += layout.list;
    out += " count=\"" + std::to_string(records.size()) + "\">";
    for (const Record& r : records) {
        out += '<';
        out += layout.item;
        for (const auto& f : layout.fields) {
            out += ' ';
            out += f.attr;
            out += "=\"";
            if (f.text) appendEscaped(out, r.*(f.text), true);
            else out += std::to_string(r.*(f.number));
            out += '"';
        }
        if (layout.body) {
            out += '>';
            appendEscaped(out, r.*(layout.body), false);
            out += "</";
            out += layout.item;
            out += '>';
        } else {
            out += "/>";
        }
    }
    out += "</";
    out += layout.list;
    out += '>';
}

void appendTextElement(std::string& out, const char* element, const std::string& text) {
    out += '<';
    out += element;
    out += '>';
    appendEscaped(out, text, false);
    out += "</";
    out += element;
    out += '>';
}

bool safeFileName(const std::string& name) { return !name.empty() && checkPathComponent(name, "file name").ok(); }

} // namespace

std::string projectXml(const Project& p) {
    std::string out;
    out.reserve(1 << 16);
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    out += "<pondaro version=\"" + std::to_string(kProgramVersion) + "\" uid=\"" + std::to_string(p.counter) +
           "\" title=\"";
    appendEscaped(out, p.game.title, true);
    out += "\" advancedscriptmode=\"" + std::to_string(p.game.advancedscriptmode) + "\" imgfolder=\"";
    appendEscaped(out, p.imgfolder, true);
    out += "\" audfolder=\"";
    appendEscaped(out, p.audfolder, true);
    out += "\">";
    appendTextElement(out, "functions", p.game.functions);
    appendTextElement(out, "variables", p.game.variables);
    appendTextElement(out, "comments", p.game.comments);
    appendList(out, spriteLayout(), p.sprites.records());
    appendList(out, frameLayout(), p.frames);
    appendList(out, soundLayout(), p.sounds.records());
    appendList(out, musicLayout(), p.musics.records());
    appendList(out, backgroundLayout(), p.backgrounds.records());
    appendList(out, fontLayout(), p.fonts.records());
    appendList(out, objectLayout(), p.objects.records());
    appendList(out, scriptLayout(), p.scripts.records());
    appendList(out, sceneLayout(), p.scenes.records());
    appendList(out, layerLayout(), p.layers.records());
    appendList(out, tileLayout(), p.tiles.records());
    appendList(out, functionLayout(), p.fns.records());
    appendList(out, pointLayout(), p.points);
    out += "</pondaro>\r\n";
    return out;
}

Status writeProject(Project& p, const fs::path& root) {
    if (Status s = checkPathComponent(p.name, "project name"); !s)
        return Status::failure("The project could not be saved: " + s.message());
    for (const std::string* folder : {&p.imgfolder, &p.audfolder})
        if (!folder->empty() && !checkPathComponent(*folder, "folder name"))
            return Status::failure("The project could not be saved: the media folder '" + *folder +
                                   "' is not a plain folder name.");

    // A frame image that cannot get a file name of its own would be lost on the next
    // Open: refuse before anything is written.
    std::unordered_map<std::string, std::vector<size_t>> framesOf;
    for (size_t i = 0; i < p.frames.size(); ++i) framesOf[p.frames[i].sprite].push_back(i);
    for (const Sprite& s : p.sprites) {
        auto it = framesOf.find(s.name);
        if (it == framesOf.end()) continue;
        for (size_t i : it->second) {
            std::string file = s.name + "_" + p.frames[i].file + ".png";
            if (!safeFileName(file))
                return Status::failure("The project could not be saved: the sprite '" + s.name +
                                       "' cannot have its frames written, because '" + file +
                                       "' is not a valid file name. Please rename it.");
        }
    }

    const fs::path folder = projectsFolder(root) / p.name;
    const fs::path img = folder / p.imgfolder, aud = folder / p.audfolder;
    if (!ensureDirectory(folder) || !ensureDirectory(img) || !ensureDirectory(aud))
        return Status::failure("The project could not be saved: the folder '" + folder.string() +
                               "' could not be created.");

    std::string firstFailure;
    for (const Sprite& s : p.sprites) {
        auto it = framesOf.find(s.name);
        if (it == framesOf.end()) continue;
        for (size_t i : it->second) {
            const Frame& f = p.frames[i];
            if (f.image.empty()) continue;  // nothing loaded: keep what is on disk
            Status st = savePng(f.image, img / (s.name + "_" + f.file + ".png"), WriteMode::Fast);
            if (!st && firstFailure.empty()) firstFailure = st.message();
        }
    }
    const fs::path work = root / p.workingFolder;
    if (!p.workingFolder.empty()) {
        auto copy = [&](const std::string& file, const fs::path& to) {
            if (safeFileName(file)) copyFileOver(work / file, to / file);
        };
        for (const auto& s : p.sounds) copy(s.wav, aud), copy(s.mp3, aud), copy(s.ogg, aud);
        for (const auto& m : p.musics) copy(m.wav, aud), copy(m.mp3, aud), copy(m.ogg, aud);
        for (const auto& b : p.backgrounds) copy(b.file, img);
    }

    if (Status st = writeFileAtomic(projectFilePath(root, p.name), projectXml(p)); !st)
        return Status::failure("The project could not be saved: " + st.message());
    if (!firstFailure.empty()) return Status::failure("The project could not be saved completely: " + firstFailure);
    p.modified = false;
    return Status::success();
}

} // namespace pondaro
