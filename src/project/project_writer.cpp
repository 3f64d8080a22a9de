// Writing project files: the XML text, the frame PNGs and the media copies.
#include <charconv>
#include <unordered_map>

#include "base/file_stamp.h"
#include "base/files.h"
#include "base/text.h"
#include "base/xml_text.h"
#include "image/codecs.h"
#include "image/fingerprint.h"
#include "project/project_file.h"
#include "project/record_fields.h"
#include "project/working_folder.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

// The document is made in pieces of a bounded size, each handed to the file as soon
// as it is full, so that no copy of the whole text is ever held. Without a file the
// pieces stay together: the whole text, for those who want it as one string.
struct XmlOut {
    std::string text;
    StreamedFile* file = nullptr;

    void endOfRecord() {
        constexpr size_t kPiece = size_t(1) << 18;
        if (file && text.size() >= kPiece) flush();
    }
    void flush() {
        if (!file) return;
        file->write(text);
        text.clear();
    }
};

void appendNumber(std::string& out, int number) {
    char digits[12];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, end);
}

template <class Record>
void appendList(XmlOut& xml, const RecordLayout<Record>& layout, const std::vector<Record>& records) {
    std::string& out = xml.text;
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
            if (f.text) appendXmlEscaped(out, r.*(f.text), true);
            else appendNumber(out, r.*(f.number));
            out += '"';
        }
        if (layout.body) {
            out += '>';
            appendXmlEscaped(out, r.*(layout.body), false);
            out += "</";
            out += layout.item;
            out += '>';
        } else {
            out += "/>";
        }
        xml.endOfRecord();
    }
    out += "</";
    out += layout.list;
    out += '>';
}

void appendTextElement(XmlOut& xml, const char* element, const std::string& text) {
    std::string& out = xml.text;
    out += '<';
    out += element;
    out += '>';
    appendXmlEscaped(out, text, false);
    out += "</";
    out += element;
    out += '>';
    xml.endOfRecord();
}

void writeXml(const Project& p, XmlOut& xml) {
    std::string& out = xml.text;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    out += "<pondaro version=\"" + std::to_string(kProgramVersion) + "\" uid=\"" + std::to_string(p.counter) +
           "\" title=\"";
    appendXmlEscaped(out, p.game.title, true);
    out += "\" advancedscriptmode=\"" + std::to_string(p.game.advancedscriptmode) + "\" imgfolder=\"";
    appendXmlEscaped(out, p.imgfolder, true);
    out += "\" audfolder=\"";
    appendXmlEscaped(out, p.audfolder, true);
    out += "\">";
    appendTextElement(xml, "functions", p.game.functions);
    appendTextElement(xml, "variables", p.game.variables);
    appendTextElement(xml, "comments", p.game.comments);
    appendList(xml, spriteLayout(), p.sprites.records());
    appendList(xml, frameLayout(), p.frames);
    appendList(xml, soundLayout(), p.sounds.records());
    appendList(xml, musicLayout(), p.musics.records());
    appendList(xml, backgroundLayout(), p.backgrounds.records());
    appendList(xml, fontLayout(), p.fonts.records());
    appendList(xml, objectLayout(), p.objects.records());
    appendList(xml, scriptLayout(), p.scripts.records());
    appendList(xml, sceneLayout(), p.scenes.records());
    appendList(xml, layerLayout(), p.layers.records());
    appendList(xml, tileLayout(), p.tiles.records());
    appendList(xml, functionLayout(), p.fns.records());
    appendList(xml, pointLayout(), p.points);
    out += "</pondaro>\r\n";
    xml.flush();
}

} // namespace

std::string projectXml(const Project& p) {
    XmlOut xml;
    xml.text.reserve(1 << 16);
    writeXml(p, xml);
    return std::move(xml.text);
}

Status writeProjectXml(const Project& p, const fs::path& file) {
    StreamedFile writer(file);
    XmlOut xml;
    xml.file = &writer;
    xml.text.reserve((size_t(1) << 18) + (1 << 16));
    writeXml(p, xml);
    return writer.commit();
}

Status writeProject(Project& p, const fs::path& root, SaveWrites writes) {
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
            if (!isPlainFileName(file))
                return Status::failure("The project could not be saved: the sprite '" + s.name +
                                       "' cannot have its frames written, because '" + file +
                                       "' is not a valid file name. Please rename it.");
        }
    }

    const fs::path folder = projectsFolder(root) / p.name;
    const fs::path img = folder / p.imgfolder, aud = folder / p.audfolder;
    const std::string label = "Projects/" + p.name;
    for (const auto& [path, shown] : {std::pair{projectsFolder(root), std::string("Projects")}, {folder, label},
                                      {img, label + "/" + p.imgfolder}, {aud, label + "/" + p.audfolder}}) {
        if (Status s = checkFolderInside(path, root, shown); !s)
            return Status::failure("The project could not be saved: " + s.message());
    }
    if (!ensureDirectory(folder) || !ensureDirectory(img) || !ensureDirectory(aud))
        return Status::failure("The project could not be saved: the folder '" + folder.string() +
                               "' could not be created.");

    // What an earlier save of this project left when it was stopped midway.
    for (const fs::path& f : {projectsFolder(root), folder, img, aud}) removeLeftoverTemporaryFiles(f);

    // A file that still holds what this save would write into it is left as it is; the
    // result is the same as writing it again.
    const bool all = writes == SaveWrites::All;
    std::string firstFailure;
    for (const Sprite& s : p.sprites) {
        auto it = framesOf.find(s.name);
        if (it == framesOf.end()) continue;
        for (size_t i : it->second) {
            const Frame& f = p.frames[i];
            if (f.image.empty()) continue;  // nothing loaded: keep what is on disk
            const fs::path file = img / (s.name + "_" + f.file + ".png");
            const uint64_t pixels = pictureFingerprint(f.image);
            if (!all && p.savedFiles.holdsPicture(file, pixels)) continue;
            Status st = savePng(f.image, file, WriteMode::Fast);
            if (st) {
                p.savedFiles.recordPicture(file, pixels);
            } else {
                p.savedFiles.forget(file);
                if (firstFailure.empty()) firstFailure = st.message();
            }
        }
    }
    // A file the project does not know was never given; one that is known (in the
    // working folder, or where it stayed when it could not be copied there) and cannot
    // be copied would be missing from the saved project: say so.
    auto copy = [&](const std::string& file, const fs::path& to, const FileLimit& limit) {
        const fs::path from = mediaFilePath(p, root, file);
        if (from.empty()) return;
        const auto source = fileStamp(from);
        if (!all && source && p.savedFiles.holdsCopyOf(to / file, from, *source)) return;
        Status copied = copyFileOver(from, to / file, limit);
        if (copied && source && fileStamp(from) == source) p.savedFiles.recordCopy(to / file, from, *source);
        else p.savedFiles.forget(to / file);
        if (!copied && firstFailure.empty())
            firstFailure = "the file '" + file + "' could not be copied into '" + to.string() + "': " + copied.message();
    };
    for (const auto& s : p.sounds)
        for (const std::string* f : {&s.wav, &s.mp3, &s.ogg}) copy(*f, aud, kSoundFileLimit);
    for (const auto& m : p.musics)
        for (const std::string* f : {&m.wav, &m.mp3, &m.ogg}) copy(*f, aud, kSoundFileLimit);
    for (const auto& b : p.backgrounds) copy(b.file, img, kPictureFileLimit);

    if (Status st = writeProjectXml(p, projectFilePath(root, p.name)); !st)
        return Status::failure("The project could not be saved: " + st.message());
    if (!firstFailure.empty()) return Status::failure("The project could not be saved completely: " + firstFailure);
    p.clearModified();
    return Status::success();
}

} // namespace pondaro
