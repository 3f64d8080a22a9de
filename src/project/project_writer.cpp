// Writing project files: the XML text, the frame PNGs and the media copies.
#include <charconv>
#include <unordered_map>

#include "base/file_stamp.h"
#include "base/files.h"
#include "base/running_fingerprint.h"
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

template <class Number>
void appendNumber(std::string& out, Number number) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, end);
}

// Every value the project file holds, in the order it holds them, handed to `out`: the
// writer formats them, the fingerprint takes them as they are. Both walk this one list,
// so a value that reaches the file always reaches the fingerprint too.
template <class Out>
void putProject(const Project& p, Out& out) {
    out.head(kProgramVersion, p.counter, p.game.title, p.game.advancedscriptmode, p.imgfolder, p.audfolder);
    out.textElement("functions", p.game.functions);
    out.textElement("variables", p.game.variables);
    out.textElement("comments", p.game.comments);
    out.list(spriteLayout(), p.sprites.records());
    out.list(frameLayout(), p.frames);
    out.list(soundLayout(), p.sounds.records());
    out.list(musicLayout(), p.musics.records());
    out.list(backgroundLayout(), p.backgrounds.records());
    out.list(fontLayout(), p.fonts.records());
    out.list(objectLayout(), p.objects.records());
    out.list(scriptLayout(), p.scripts.records());
    out.list(sceneLayout(), p.scenes.records());
    out.list(layerLayout(), p.layers.records());
    out.list(tileLayout(), p.tiles.records());
    out.list(functionLayout(), p.fns.records());
    out.list(pointLayout(), p.points);
    out.tail();
}

// The document is made in pieces of a bounded size, each handed to the file as soon
// as it is full, so that no copy of the whole text is ever held. Without a file the
// pieces stay together: the whole text, for those who want it as one string.
struct XmlOut {
    std::string text;
    StreamedFile* file = nullptr;

    void head(int version, int counter, const std::string& title, int advancedscriptmode,
              const std::string& imgfolder, const std::string& audfolder) {
        text += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<pondaro version=\"";
        appendNumber(text, version);
        text += "\" uid=\"";
        appendNumber(text, counter);
        text += "\" title=\"";
        appendXmlEscaped(text, title, true);
        text += "\" advancedscriptmode=\"";
        appendNumber(text, advancedscriptmode);
        text += "\" imgfolder=\"";
        appendXmlEscaped(text, imgfolder, true);
        text += "\" audfolder=\"";
        appendXmlEscaped(text, audfolder, true);
        text += "\">";
    }

    void textElement(const char* element, const std::string& value) {
        text += '<';
        text += element;
        text += '>';
        appendXmlEscaped(text, value, false);
        text += "</";
        text += element;
        text += '>';
        endOfRecord();
    }

    template <class Record>
    void list(const RecordLayout<Record>& layout, const std::vector<Record>& records) {
        text += '<';
        text += layout.list;
        text += " count=\"";
        appendNumber(text, records.size());
        text += "\">";
        for (const Record& r : records) {
            text += '<';
            text += layout.item;
            for (const auto& f : layout.fields) {
                text += ' ';
                text += f.attr;
                text += "=\"";
                if (f.text) appendXmlEscaped(text, r.*(f.text), true);
                else appendNumber(text, r.*(f.number));
                text += '"';
            }
            if (layout.body) {
                text += '>';
                appendXmlEscaped(text, r.*(layout.body), false);
                text += "</";
                text += layout.item;
                text += '>';
            } else {
                text += "/>";
            }
            endOfRecord();
        }
        text += "</";
        text += layout.list;
        text += '>';
    }

    void tail() {
        text += "</pondaro>\r\n";
        flush();
    }

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

// The same values unformatted: what decides whether the file would come out the same.
struct FingerprintOut {
    RunningFingerprint fingerprint;

    void head(int version, int counter, const std::string& title, int advancedscriptmode,
              const std::string& imgfolder, const std::string& audfolder) {
        fingerprint.add(version);
        fingerprint.add(counter);
        fingerprint.add(title);
        fingerprint.add(advancedscriptmode);
        fingerprint.add(imgfolder);
        fingerprint.add(audfolder);
    }
    void textElement(const char* element, const std::string& value) {
        fingerprint.add(std::string_view(element));
        fingerprint.add(value);
    }
    template <class Record>
    void list(const RecordLayout<Record>& layout, const std::vector<Record>& records) {
        fingerprint.add(std::string_view(layout.list));
        fingerprint.add(uint64_t(records.size()));
        for (const Record& r : records) {
            for (const auto& f : layout.fields) {
                if (f.text) fingerprint.add(r.*(f.text));
                else fingerprint.add(r.*(f.number));
            }
            if (layout.body) fingerprint.add(r.*(layout.body));
        }
    }
    void tail() {}
};

} // namespace

std::string projectXml(const Project& p) {
    XmlOut xml;
    xml.text.reserve(1 << 16);
    putProject(p, xml);
    return std::move(xml.text);
}

Status writeProjectXml(const Project& p, const fs::path& file) {
    StreamedFile writer(file);
    XmlOut xml;
    xml.file = &writer;
    xml.text.reserve((size_t(1) << 18) + (1 << 16));
    putProject(p, xml);
    return writer.commit();
}

uint64_t projectFileFingerprint(const Project& p) {
    FingerprintOut out;
    putProject(p, out);
    return out.fingerprint.value();
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

    // The project file too is left as it is while it holds what this save would write:
    // the same values in the same order (one pixel edited before a Run changes none).
    const fs::path xmlFile = projectFilePath(root, p.name);
    const uint64_t content = projectFileFingerprint(p);
    if (all || !p.savedFiles.holdsProjectFile(xmlFile, content)) {
        if (Status st = writeProjectXml(p, xmlFile); !st) {
            p.savedFiles.forget(xmlFile);
            return Status::failure("The project could not be saved: " + st.message());
        }
        p.savedFiles.recordProjectFile(xmlFile, content);
    }
    if (!firstFailure.empty()) return Status::failure("The project could not be saved completely: " + firstFailure);
    p.clearModified();
    return Status::success();
}

} // namespace pondaro
