// Reading project files: a streaming expat parse into ProjectFileData, then the
// merge-aware read of that data into the open project.
#include <cstdint>
#include <cstring>
#include <expat.h>
#include <map>
#include <memory>
#include <tuple>

#include "base/files.h"
#include "base/integer_reader.h"
#include "base/text.h"
#include "image/codecs.h"
#include "project/canvas_pictures.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "project/record_fields.h"
#include "project/working_folder.h"

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

Status loadProjectFile(const fs::path& root, const std::string& name, ProjectFileData& out) {
    if (Status s = checkPathComponent(name, "project name"); !s) return s;
    std::string label = "Projects/" + name + ".xml";
    fs::path path = projectFilePath(root, name);
    if (!isRegularFile(path)) return Status::failure("The project file '" + label + "' does not exist.");
    std::string bytes;
    if (Status s = readFile(path, bytes); !s)
        return Status::failure("The project file '" + label + "' could not be read: " + s.message());
    return parseProjectXml(bytes, label, out);
}

// ---- Reading into the project ------------------------------------------------------

namespace {


bool sameContents(const fs::path& a, const fs::path& b) {
    if (fileSize(a) != fileSize(b)) return false;
    std::string x, y;
    return readFile(a, x) && readFile(b, y) && x == y;
}

bool present(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// Copies a media file into the working folder and returns the name it has there. A
// different file already known under that name (a merged project's sound or picture
// named like one of the open project) keeps its name, and the new one takes a free
// name, so merging never replaces the open project's media. A file that is there but
// cannot be copied stays where it is, remembered in `uncopiedMedia` for Save, and its
// name goes to `uncopied`. A missing file is no failure: there is nothing to keep.
std::string copyIntoWorkingFolder(Project& p, const fs::path& fromFolder, const std::string& file, const fs::path& work,
                                  std::vector<std::string>& uncopied) {
    if (!isPlainFileName(file)) return file;
    const fs::path from = fromFolder / file;
    if (!isRegularFile(from)) return file;
    auto freeFor = [&](const std::string& name) {
        if (!work.empty() && present(work / name) && !sameContents(from, work / name)) return false;
        auto outside = p.uncopiedMedia.find(name);
        return outside == p.uncopiedMedia.end() || sameContents(from, outside->second);
    };
    std::string name = file;
    const std::string stem = fs::path(file).stem().string(), ext = fs::path(file).extension().string();
    for (int n = 2; !freeFor(name); ++n) name = stem + "_" + std::to_string(n) + ext;
    if (!work.empty() && (present(work / name) || copyFileOver(from, work / name))) return name;
    // A file already left outside (a sound and a music sharing it) is named once.
    if (p.uncopiedMedia.insert_or_assign(name, from.string()).second) uncopied.push_back(file);
    return name;
}

// Tile images cut from the same cell of the same background are shared.
using CellKey = std::tuple<std::string, int, int, int, int>;

std::shared_ptr<const Image> cutTile(const Background* bg, const Tile& t, std::map<CellKey, std::shared_ptr<const Image>>& cache) {
    // A size no tile set could need would only exhaust memory.
    constexpr long long kMaxPixels = 16LL * 1024 * 1024;
    if (t.width <= 0 || t.height <= 0 || (long long)t.width * t.height > kMaxPixels) return nullptr;
    CellKey key{t.background, t.left, t.top, t.width, t.height};
    auto it = cache.find(key);
    if (it != cache.end()) return it->second;
    auto img = std::make_shared<Image>(t.width, t.height);
    // -left cannot be formed for the most negative int; such a tile cuts nothing anyway.
    const long long dx = -(long long)t.left, dy = -(long long)t.top;
    const bool reachable = dx > INT32_MIN && dx < INT32_MAX && dy > INT32_MIN && dy < INT32_MAX;
    if (bg && !bg->picture.empty()) {
        if (reachable) copyInto(*img, bg->picture, int(dx), int(dy));
    }
    else img->fill({255, 0, 0, 255});
    cache.emplace(std::move(key), img);
    return img;
}

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
        // The image is read under the sprite name the file wrote, so nothing is copied
        // inside the project being read.
        const std::string png = r.sprite + "_" + r.file + ".png";
        r.sprite = ref("SPRITE", r.sprite);
        if (isPlainFileName(png)) {  // the whole name: a sprite called "../x" stays inside
            Image img;
            if (loadImage(dImg / png, img)) r.image = std::move(img);
        }
        p.frames.push_back(std::move(r));
    }
    auto readClips = [&](auto& list, auto& table, ResourceKind kind) {
        for (auto& r : list) {
            r.uid = uid(r.uid);
            r.name = clashCheckOnRead(p, kind, r.name);
            for (std::string* f : {&r.wav, &r.mp3, &r.ogg}) *f = copyIntoWorkingFolder(p, dAud, *f, work, uncopied);
            table.add(std::move(r));
        }
    };
    readClips(d.sounds, p.sounds, ResourceKind::Sound);
    readClips(d.musics, p.musics, ResourceKind::Music);
    // Backgrounds reach the project folder with the next Save, like everything merged.
    const size_t firstBackground = p.backgrounds.size();
    for (auto& r : d.backgrounds) {
        r.uid = uid(r.uid);
        r.name = clashCheckOnRead(p, ResourceKind::Background, r.name);
        r.file = copyIntoWorkingFolder(p, dImg, r.file, work, uncopied);
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

    // Pictures of the backgrounds just read, and the tiles just read cut from them (the
    // records the project held before keep theirs).
    for (size_t i = firstBackground; i < p.backgrounds.size(); ++i)
        p.backgrounds.edit(i, [&](Background& bg) {
            if (const fs::path file = mediaFilePath(p, root, bg.file); !file.empty()) loadImage(file, bg.picture);
        });
    std::map<CellKey, std::shared_ptr<const Image>> cells;
    for (size_t i = firstTile; i < p.tiles.size(); ++i) {
        const Background* bg = p.backgrounds.get(p.tiles[i].background);
        if (bg && !bg->file.empty()) p.tiles.edit(i, [&](Tile& t) { t.image = cutTile(bg, t, cells); });
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
    if (Status s = loadProjectFile(root, name, data); !s) return s;
    readIntoProject(p, std::move(data), name, merge, root);
    return Status::success();
}

} // namespace pondaro
