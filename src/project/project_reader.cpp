// Reading project files: a streaming expat parse into ProjectFileData, then the
// merge-aware read of that data into the open project.
#include <cstdint>
#include <cstring>
#include <expat.h>
#include <memory>

#include "base/file_stamp.h"
#include "base/files.h"
#include "base/integer_reader.h"
#include "base/text.h"
#include "image/codecs.h"
#include "image/fingerprint.h"
#include "project/canvas_pictures.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "project/record_fields.h"

namespace pondaro {

namespace fs = std::filesystem;

fs::path projectsFolder(const fs::path& root) { return root / "Projects"; }

fs::path projectFilePath(const fs::path& root, const std::string& name) {
    return projectsFolder(root) / (name + ".xml");
}

namespace {

// ---- Parsing -----------------------------------------------------------------------

// Receives the items of one list element of the root.
class ListSink {
public:
    explicit ListSink(const char* listName) : listName_(listName) {}
    virtual ~ListSink() = default;
    virtual void startItem(const XML_Char** attrs) = 0;
    virtual void appendText(const char* s, int len) = 0;

    const char* listName() const { return listName_; }
    long long declared = 0;  // the list's count attribute
    long long seen = 0;      // items actually present

private:
    const char* listName_;
};

template <class Record>
class RecordSink : public ListSink {
public:
    RecordSink(const RecordLayout<Record>& layout, std::vector<Record>& out)
        : ListSink(layout.list), layout_(layout), out_(out) {}

    void startItem(const XML_Char** attrs) override {
        Record& r = out_.emplace_back();
        size_t cursor = 0;  // attributes usually come in writing order: try the next one first
        const auto& fields = layout_.fields;
        for (size_t a = 0; attrs[a]; a += 2) {
            const char* key = attrs[a];
            const char* value = attrs[a + 1];
            size_t n = fields.size();
            for (size_t k = 0; k < n; ++k) {
                const auto& f = fields[(cursor + k) % n];
                if (std::strcmp(f.attr, key) != 0) continue;
                if (f.text) r.*(f.text) = value;
                else r.*(f.number) = readInteger(value);
                cursor = (cursor + k + 1) % n;
                break;
            }
        }
    }
    void appendText(const char* s, int len) override {
        if (layout_.body) (out_.back().*(layout_.body)).append(s, size_t(len));
    }

private:
    const RecordLayout<Record>& layout_;
    std::vector<Record>& out_;
};

struct ParseState {
    ProjectFileData* data = nullptr;
    int depth = 0;                   // depth of the element being read (root = 1)
    int rootChild = -1;              // position of the current root child
    std::string* rootText = nullptr; // functions / variables / comments being read
    ListSink* list = nullptr;        // the list being read, when it is one the version reads
    bool inItem = false;             // inside an item that is read (within count)
    std::unique_ptr<ListSink> sinks[13];
    bool rootSeen = false;
};

void onStart(void* user, const XML_Char* name, const XML_Char** attrs) {
    (void)name;
    auto* st = static_cast<ParseState*>(user);
    ++st->depth;
    if (st->depth == 1) {
        st->rootSeen = true;
        auto& d = *st->data;
        for (size_t a = 0; attrs[a]; a += 2) {
            std::string_view key = attrs[a];
            const char* value = attrs[a + 1];
            if (key == "version") d.version = readInteger(value);
            else if (key == "title") d.title = value;
            else if (key == "advancedscriptmode") d.advancedscriptmode = readInteger(value);
            else if (key == "imgfolder") d.imgfolder = value;
            else if (key == "audfolder") d.audfolder = value;
        }
        return;
    }
    if (st->depth == 2) {
        ++st->rootChild;
        auto& d = *st->data;
        st->rootText = nullptr;
        st->list = nullptr;
        if (st->rootChild == 0) st->rootText = &d.functions;
        else if (st->rootChild == 1) st->rootText = &d.variables;
        else if (st->rootChild == 2) st->rootText = &d.comments;
        else if (st->rootChild <= 15) {
            int k = st->rootChild - 3;
            bool read = (k < 11) || (k == 11 && d.version >= 129) || (k == 12 && d.version >= 200);
            if (read) {
                st->list = st->sinks[k].get();
                for (size_t a = 0; attrs[a]; a += 2)
                    if (std::strcmp(attrs[a], "count") == 0) st->list->declared = readInteger(attrs[a + 1]);
            }
        }
        return;
    }
    if (st->depth == 3 && st->list) {
        // Items are taken by position; those beyond the count are ignored.
        st->inItem = st->list->seen < st->list->declared;
        ++st->list->seen;
        if (st->inItem) st->list->startItem(attrs);
    }
}

void onEnd(void* user, const XML_Char*) {
    auto* st = static_cast<ParseState*>(user);
    if (st->depth == 3) st->inItem = false;
    if (st->depth == 2) {
        st->rootText = nullptr;
        st->list = nullptr;
    }
    --st->depth;
}

void onText(void* user, const XML_Char* s, int len) {
    auto* st = static_cast<ParseState*>(user);
    if (st->depth == 2 && st->rootText) st->rootText->append(s, size_t(len));
    else if (st->depth == 3 && st->inItem) st->list->appendText(s, len);
}

} // namespace

Status parseProjectXml(std::string_view bytes, const std::string& fileLabel, ProjectFileData& out) {
    out = ProjectFileData{};
    if (bytes.empty()) return Status::failure("The project file '" + fileLabel + "' is empty.");

    ParseState st;
    st.data = &out;
    st.sinks[0] = std::make_unique<RecordSink<Sprite>>(spriteLayout(), out.sprites);
    st.sinks[1] = std::make_unique<RecordSink<Frame>>(frameLayout(), out.frames);
    st.sinks[2] = std::make_unique<RecordSink<Sound>>(soundLayout(), out.sounds);
    st.sinks[3] = std::make_unique<RecordSink<Music>>(musicLayout(), out.musics);
    st.sinks[4] = std::make_unique<RecordSink<Background>>(backgroundLayout(), out.backgrounds);
    st.sinks[5] = std::make_unique<RecordSink<Font>>(fontLayout(), out.fonts);
    st.sinks[6] = std::make_unique<RecordSink<GameObject>>(objectLayout(), out.objects);
    st.sinks[7] = std::make_unique<RecordSink<Script>>(scriptLayout(), out.scripts);
    st.sinks[8] = std::make_unique<RecordSink<Scene>>(sceneLayout(), out.scenes);
    st.sinks[9] = std::make_unique<RecordSink<Layer>>(layerLayout(), out.layers);
    st.sinks[10] = std::make_unique<RecordSink<Tile>>(tileLayout(), out.tiles);
    st.sinks[11] = std::make_unique<RecordSink<GameFunction>>(functionLayout(), out.fns);
    st.sinks[12] = std::make_unique<RecordSink<Point>>(pointLayout(), out.points);

    XML_Parser parser = XML_ParserCreate(nullptr);
    if (!parser) return Status::failure("Out of memory while reading '" + fileLabel + "'.");
    XML_SetUserData(parser, &st);
    XML_SetElementHandler(parser, onStart, onEnd);
    XML_SetCharacterDataHandler(parser, onText);

    // Feed in slices so a file larger than an int can be parsed.
    bool ok = true;
    size_t pos = 0;
    constexpr size_t kSlice = 1 << 24;
    do {
        size_t n = std::min(kSlice, bytes.size() - pos);
        bool last = pos + n == bytes.size();
        if (XML_Parse(parser, bytes.data() + pos, int(n), last) == XML_STATUS_ERROR) {
            ok = false;
            break;
        }
        pos += n;
    } while (pos < bytes.size());

    std::string error;
    if (!ok) {
        error = "The project file '" + fileLabel + "' is not a readable project: " +
                XML_ErrorString(XML_GetErrorCode(parser)) + " (line " +
                std::to_string(XML_GetCurrentLineNumber(parser)) + ").";
    }
    XML_ParserFree(parser);
    if (!ok) {
        out = ProjectFileData{};
        return Status::failure(error);
    }

    auto refuse = [&](std::string message) {
        out = ProjectFileData{};
        return Status::failure(std::move(message));
    };
    if (out.version > kProgramVersion)
        return refuse("This project requires a new program version (v" + std::to_string(out.version) + ").");
    int lists = out.version >= 200 ? 13 : out.version >= 129 ? 12 : 11;
    for (int k = 0; k < lists; ++k) {
        if (st.rootChild < k + 3)
            return refuse("The project file '" + fileLabel + "' is incomplete: the list '" +
                          st.sinks[k]->listName() + "' is missing.");
        if (st.sinks[k]->seen < st.sinks[k]->declared)
            return refuse("The project file '" + fileLabel + "' is damaged: the list '" + st.sinks[k]->listName() +
                          "' holds " + std::to_string(st.sinks[k]->seen) + " items but announces " +
                          std::to_string(st.sinks[k]->declared) + ".");
    }
    if (out.version >= 129) {
        for (const std::string* folder : {&out.imgfolder, &out.audfolder}) {
            if (!folder->empty() && !checkPathComponent(*folder, "folder name"))
                return refuse("The project file '" + fileLabel + "' names a media folder that is not a plain folder name: '" +
                              *folder + "'.");
        }
    }
    return Status::success();
}

namespace {

// A file a reader could not use that is there all the same, and is no regular file
// (a link, pipe, device or folder) or larger than its kind can be: the project is
// refused over it. A missing file, or one the system does not let us open, is not.
bool presentButRefused(const fs::path& path, const FileLimit& limit) {
    std::error_code ec;
    const auto status = fs::symlink_status(path, ec);
    if (ec || !fs::exists(status)) return false;
    if (!fs::is_regular_file(status)) return true;
    const auto size = fs::file_size(path, ec);
    return !ec && (long long)size > limit.maxBytes;
}

// Decodes the pictures of a parsed file from its folders, keeping them within the
// budget: each picture is charged its size before its pixels are allocated.
class PictureLoader {
public:
    PictureLoader(const fs::path& root, const std::string& name, long long budget)
        : name_(name), label_("Projects/" + name), budget_(budget), left_(budget) {
        folder_ = projectsFolder(root) / name;
    }

    // Reads one picture; a missing or undecodable one leaves `out` empty and is no failure.
    Status load(const fs::path& path, Image& out) {
        std::string bytes;
        if (Status read = readFile(path, bytes, kPictureFileLimit); !read) {
            if (presentButRefused(path, kPictureFileLimit)) return refused(read);
            return Status::success();
        }
        long long charged = 0;
        Status decoded = decodeImage(bytes, out, [&](int width, int height) {
            const long long need = (long long)width * height * 4;
            if (need > left_) return overBudget(path, width, height);
            left_ -= need;
            charged = need;
            return Status::success();
        });
        if (decoded) return decoded;
        left_ += charged;  // a picture that failed after its header holds nothing
        out = Image{};
        return over_ ? decoded : Status::success();
    }

    const fs::path& folder() const { return folder_; }

private:
    Status refused(const Status& why) {
        return Status::failure("The project '" + name_ + "' cannot be read: " + why.message());
    }
    Status overBudget(const fs::path& path, int width, int height) {
        over_ = true;
        return Status::failure("The project '" + name_ + "' cannot be read: its pictures need more memory than the " +
                               std::to_string(kPictureBudgetBytes >> 20) +
                               " MB the program keeps for the pictures of a project. The picture '" +
                               path.lexically_relative(folder_.parent_path().parent_path()).string() + "' (" +
                               std::to_string(width) + " x " + std::to_string(height) + ") goes beyond it" +
                               (budget_ < kPictureBudgetBytes ? ", with the pictures the open project holds." : "."));
    }

    std::string name_;
    std::string label_;
    fs::path folder_;
    long long budget_;
    long long left_;
    bool over_ = false;
};

Status loadProjectPictures(const fs::path& root, const std::string& name, ProjectFileData& d, long long budget) {
    PictureLoader pictures(root, name, budget);
    const fs::path& folder = pictures.folder();
    const std::string label = "Projects/" + name;
    const fs::path dImg = d.version >= 129 ? folder / d.imgfolder : folder;
    const fs::path dAud = d.version >= 129 ? folder / d.audfolder : folder;
    for (const auto& [path, shown] : {std::pair{folder, label}, {dImg, label + "/" + d.imgfolder}, {dAud, label + "/" + d.audfolder}})
        if (Status s = checkFolderInside(path, root, shown); !s) return Status::failure("The project '" + name + "' cannot be read: " + s.message());

    for (Frame& f : d.frames) {
        const std::string png = f.sprite + "_" + f.file + ".png";
        if (!isPlainFileName(png)) continue;  // the whole name: a sprite called "../x" stays inside
        // Stamped before it is read: a file changed meanwhile is written at the next Save.
        const auto stamp = fileStamp(dImg / png);
        if (Status s = pictures.load(dImg / png, f.image); !s) return s;
        if (stamp && !f.image.empty()) d.savedFiles.recordPicture(dImg / png, pictureFingerprint(f.image), *stamp);
    }
    for (Background& b : d.backgrounds) {
        if (!isPlainFileName(b.file)) continue;
        Image picture;
        if (Status s = pictures.load(dImg / b.file, picture); !s) return s;
        if (!picture.empty()) b.picture = std::make_shared<const Image>(std::move(picture));
    }
    // Sounds and musics are only copied, later; what is there must be a file all the same.
    auto checkClips = [&](const auto& clips) -> Status {
        for (const auto& c : clips)
            for (const std::string* file : {&c.wav, &c.mp3, &c.ogg})
                if (isPlainFileName(*file) && presentButRefused(dAud / *file, kSoundFileLimit)) {
                    std::string why;
                    if (Status s = readFile(dAud / *file, why, kSoundFileLimit); !s) why = s.message();
                    return Status::failure("The project '" + name + "' cannot be read: " + why);
                }
        return Status::success();
    };
    if (Status s = checkClips(d.sounds); !s) return s;
    return checkClips(d.musics);
}

} // namespace

Status loadProjectFile(const fs::path& root, const std::string& name, ProjectFileData& out, long long pictureBudget) {
    if (Status s = checkPathComponent(name, "project name"); !s) return s;
    std::string label = "Projects/" + name + ".xml";
    if (Status s = checkFolderInside(projectsFolder(root), root, "Projects"); !s) return s;
    fs::path path = projectFilePath(root, name);
    if (!pathExists(path)) return Status::failure("The project file '" + label + "' does not exist.");
    std::string bytes;
    if (Status s = readFile(path, bytes, kProjectFileLimit); !s)
        return Status::failure("The project file '" + label + "' could not be read: " + s.message());
    if (Status s = parseProjectXml(bytes, label, out); !s) return s;
    if (Status s = loadProjectPictures(root, name, out, pictureBudget); !s) {
        out = ProjectFileData{};
        return s;
    }
    return Status::success();
}

// ---- Reading into the project ------------------------------------------------------

// Declared in working_folder.h: the property windows take chosen files in this way too.
std::string copyIntoWorkingFolder(Project& p, const fs::path& fromFolder, const std::string& file, const fs::path& work,
                                  const FileLimit& limit, std::vector<std::string>& uncopied) {
    if (!isPlainFileName(file)) return file;
    const fs::path from = fromFolder / file;
    if (!isRegularFile(from)) return file;
    auto freeFor = [&](const std::string& name) {
        if (!work.empty() && pathExists(work / name) && !sameFileContents(from, work / name, limit)) return false;
        auto outside = p.uncopiedMedia.find(name);
        return outside == p.uncopiedMedia.end() || sameFileContents(from, outside->second, limit);
    };
    std::string name = file;
    const std::string stem = fs::path(file).stem().string(), ext = fs::path(file).extension().string();
    for (int n = 2; !freeFor(name); ++n) name = stem + "_" + std::to_string(n) + ext;
    if (!work.empty() && pathExists(work / name)) return name;
    const auto fromStamp = fileStamp(from);
    if (!work.empty() && copyFileOver(from, work / name, limit)) {
        // The file read holds what the working folder now holds: a Save to the same
        // place need not copy it back while neither changes.
        if (const auto copied = fileStamp(work / name); copied && fromStamp && fileStamp(from) == fromStamp)
            p.savedFiles.recordCopy(from, work / name, *copied);
        return name;
    }
    // A file already left outside (a sound and a music sharing it) is named once.
    if (p.uncopiedMedia.insert_or_assign(name, from.string()).second) uncopied.push_back(file);
    return name;
}

namespace {

std::string appendText(const std::string& current, const std::string& added) {
    if (added.empty() || current.empty()) return current + added;
    char last = current.back();
    if (last == '\r' || last == '\n') return current + added;
    return current + "\r\n" + added;
}

} // namespace

std::vector<std::string> readIntoProject(Project& p, ProjectFileData&& d, const std::string& name, bool merge,
                                         const fs::path& root) {
    const int v = d.version;
    std::vector<std::string> uncopied;
    const std::string openName = p.name, openImg = p.imgfolder, openAud = p.audfolder;

    // Game settings.
    if (!merge) {
        p.game.title = std::move(d.title);
        p.game.advancedscriptmode = d.advancedscriptmode;
        p.game.functions = std::move(d.functions);
        p.game.variables = std::move(d.variables);
        p.game.comments = std::move(d.comments);
    } else {
        p.game.functions = appendText(p.game.functions, d.functions);
        p.game.variables = appendText(p.game.variables, d.variables);
        p.game.comments = appendText(p.game.comments, d.comments);
    }

    if (v >= 129) {
        p.imgfolder = d.imgfolder;
        p.audfolder = d.audfolder;
    }
    const fs::path folder = projectsFolder(root) / name;
    const fs::path dImg = v >= 129 ? folder / p.imgfolder : folder;
    const fs::path dAud = v >= 129 ? folder / p.audfolder : folder;
    const fs::path work = p.workingFolder.empty() ? fs::path() : root / p.workingFolder;
    auto uid = [&](int stored) { return v >= 200 ? stored : p.nextIdentity(); };
    auto ref = [&](const char* kind, const std::string& n) { return p.renames.lookup(kind, n); };

    for (auto& r : d.sprites) {
        r.uid = uid(r.uid);
        r.name = clashCheckOnRead(p, ResourceKind::Sprite, r.name);
        p.sprites.add(std::move(r));
    }
    for (auto& r : d.frames) {
        // The image was read under the sprite name the file wrote, so nothing is copied
        // inside the project being read.
        r.sprite = ref("SPRITE", r.sprite);
        p.frames.push_back(std::move(r));
    }
    p.savedFiles.takeFrom(std::move(d.savedFiles));
    auto readClips = [&](auto& list, auto& table, ResourceKind kind) {
        for (auto& r : list) {
            r.uid = uid(r.uid);
            r.name = clashCheckOnRead(p, kind, r.name);
            for (std::string* f : {&r.wav, &r.mp3, &r.ogg})
                *f = copyIntoWorkingFolder(p, dAud, *f, work, kSoundFileLimit, uncopied);
            table.add(std::move(r));
        }
    };
    readClips(d.sounds, p.sounds, ResourceKind::Sound);
    readClips(d.musics, p.musics, ResourceKind::Music);
    // Backgrounds reach the project folder with the next Save, like everything merged.
    for (auto& r : d.backgrounds) {
        r.uid = uid(r.uid);
        r.name = clashCheckOnRead(p, ResourceKind::Background, r.name);
        r.file = copyIntoWorkingFolder(p, dImg, r.file, work, kPictureFileLimit, uncopied);
        p.backgrounds.add(std::move(r));
    }
    for (auto& r : d.fonts) {
        r.uid = uid(r.uid);
        r.name = clashCheckOnRead(p, ResourceKind::Font, r.name);
        p.fonts.add(std::move(r));
    }
    const size_t firstObject = p.objects.size();
    for (auto& r : d.objects) {
        r.uid = uid(r.uid);
        if (v < 129) r.direction = r.image_angle = 0;
        r.name = clashCheckOnRead(p, ResourceKind::Object, r.name);
        r.sprite = ref("SPRITE", r.sprite);
        p.objects.add(std::move(r));  // template and parent follow once all objects are read
    }
    const size_t firstScript = p.scripts.size();
    for (auto& r : d.scripts) {
        r.name = clashCheckOnRead(p, ResourceKind::Script, r.name);
        r.object = ref("OBJECT", r.object);
        p.scripts.add(std::move(r));
    }
    for (auto& r : d.scenes) {
        r.uid = uid(r.uid);
        r.name = clashCheckOnRead(p, ResourceKind::Scene, r.name);
        r.background = ref("BACKGROUND", r.background);
        r.viewportobject = ref("OBJECT", r.viewportobject);
        r.cardPending = true;
        p.scenes.add(std::move(r));
    }
    for (auto& r : d.layers) {
        r.name = clashCheckOnRead(p, ResourceKind::Layer, r.name);
        r.scene = ref("SCENE", r.scene);
        p.layers.add(std::move(r));
    }
    const size_t firstTile = p.tiles.size();
    for (auto& r : d.tiles) {
        r.name = clashCheckOnRead(p, ResourceKind::Tile, r.name);
        r.background = ref("BACKGROUND", r.background);
        r.scene = ref("SCENE", r.scene);
        p.tiles.add(std::move(r));
    }
    for (auto& r : d.fns) {
        r.uid = uid(r.uid);
        r.name = clashCheckOnRead(p, ResourceKind::Function, r.name);
        p.fns.add(std::move(r));
    }
    for (auto& r : d.points) {
        r.sprite = ref("SPRITE", r.sprite);
        p.points.push_back(std::move(r));
    }

    // References that may point further down the file follow the renames once everything
    // is read, so merged instances keep their own template and scene (a file saved in
    // name order lists "SceneObject9" before "enemy"), children their parent, and
    // collisions their partner.
    for (size_t i = firstObject; i < p.objects.size(); ++i)
        p.objects.edit(i, [&](GameObject& o) {
            o.templ = ref("OBJECT", o.templ);
            o.parent = ref("OBJECT", o.parent);
            o.scene = ref("SCENE", o.scene);
        });
    for (size_t i = firstScript; i < p.scripts.size(); ++i)
        if (p.scripts[i].event == "Collision")
            p.scripts.edit(i, [&](Script& s) { s.parameter = ref("OBJECT", s.parameter); });

    // The tiles just read show their background's picture (the records the project held
    // before keep theirs).
    for (size_t i = firstTile; i < p.tiles.size(); ++i) {
        const Background* bg = p.backgrounds.get(p.tiles[i].background);
        if (bg && !bg->file.empty())
            p.tiles.edit(i, [&](Tile& t) {
                t.picture = bg->picture;
                t.pictureMissing = !bg->picture;
            });
    }

    if (merge) {
        p.name = openName;
        p.imgfolder = openImg;
        p.audfolder = openAud;
    }

    // The scene canvas pictures of templates and instances come from their sprites.
    refreshCanvasImages(p);

    // Instances always carry their template's depth.
    std::unordered_map<std::string, const GameObject*> templates;
    p.objects.editEach([&](GameObject& o) {
        if (o.isTemplate() || o.templ.empty()) return;
        auto [it, fresh] = templates.try_emplace(o.templ, nullptr);
        if (fresh) it->second = p.templateNamed(o.templ);
        if (it->second) o.depth = it->second->depth;
    });

    p.counter = p.recordCountForCounter();
    return uncopied;
}

Status readProject(Project& p, const std::string& name, bool merge, const fs::path& root) {
    ProjectFileData data;
    const long long budget = merge ? kPictureBudgetBytes - p.pictureBytes() : kPictureBudgetBytes;
    if (Status s = loadProjectFile(root, name, data, budget); !s) return s;
    readIntoProject(p, std::move(data), name, merge, root);
    return Status::success();
}

} // namespace pondaro
