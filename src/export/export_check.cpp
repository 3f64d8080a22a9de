#include "export/export_check.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "base/text.h"

namespace pondaro {
namespace {

using std::string_view;

// ---- Words a global cannot take ---------------------------------------------------

// Words that cannot name a variable or a function in the game script, and the global
// values undefined, NaN and Infinity, which silently ignore assignment, so a resource
// of that name would never be reachable. eval and arguments cannot be bound in strict
// code, which extension code may use.
constexpr string_view kReservedWords[] = {
    "await",     "break",     "case",      "catch",      "class",    "const",   "continue",
    "debugger",  "default",   "delete",    "do",         "else",     "enum",    "export",
    "extends",   "false",     "finally",   "for",        "function", "if",      "implements",
    "import",    "in",        "instanceof", "interface", "let",      "new",     "null",
    "package",   "private",   "protected", "public",     "return",   "static",  "super",
    "switch",    "this",      "throw",     "true",       "try",      "typeof",  "var",
    "void",      "while",     "with",      "yield",      "undefined", "NaN",    "Infinity",
    "eval",      "arguments",
};

// Globals of the web page and of JavaScript that the engine or the game's code relies
// on, or that do not hold what is assigned to them: window, document, top, history,
// closed and the storages ignore it, location loads another page, name and status
// turn the value into text. A resource of such a name breaks the game.
constexpr string_view kBrowserWords[] = {
    "Array",        "Audio",           "Boolean",    "Date",          "Error",
    "Function",     "Image",           "JSON",       "Map",           "Math",
    "Number",       "Object",          "Promise",    "RegExp",        "Set",
    "String",       "Symbol",          "alert",      "cancelAnimationFrame",
    "clearInterval", "clearTimeout",   "closed",     "console",       "document",
    "globalThis",   "history",         "isFinite",   "isNaN",         "localStorage",
    "location",     "name",            "navigator",  "parseFloat",    "parseInt",
    "performance",  "requestAnimationFrame",         "sessionStorage", "setInterval",
    "setTimeout",   "status",          "top",        "window",
};

using WordSet = std::unordered_set<string_view>;

const WordSet& reservedWords() {
    static const WordSet words(std::begin(kReservedWords), std::end(kReservedWords));
    return words;
}

const WordSet& browserWords() {
    static const WordSet words(std::begin(kBrowserWords), std::end(kBrowserWords));
    return words;
}

// Only ASCII names: the game page may be read in another encoding than UTF-8, and
// then other letters turn into characters that cannot be part of a name.
bool isJavaScriptName(string_view s) {
    if (s.empty() || (s[0] >= '0' && s[0] <= '9')) return false;
    for (char c : s) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
        if (!ok) return false;
    }
    return true;
}

// ---- Showing names in a message ---------------------------------------------------

// A name as it can be shown on one line of a message box: well-formed UTF-8, line
// breaks and other control characters written as escapes, and long names cut short.
std::string shown(string_view text) {
    constexpr size_t kMaxChars = 60;
    // Four bytes at most per character: this prefix holds every character shown.
    string_view prefix = text.substr(0, kMaxChars * 4 + 4);
    std::string clean = sanitizeUtf8(prefix);
    std::string out;
    size_t i = 0;
    for (size_t chars = 0; i < clean.size() && chars < kMaxChars; ++chars) {
        unsigned char c = static_cast<unsigned char>(clean[i]);
        size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        string_view ch(clean.data() + i, std::min(n, clean.size() - i));
        i += ch.size();
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c < 0x20 || c == 0x7F) {
            static constexpr char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else if (ch == "\xC2\x85") out += "\\u0085";    // next line
        else if (ch == "\xE2\x80\xA8") out += "\\u2028";  // line separator
        else if (ch == "\xE2\x80\xA9") out += "\\u2029";  // paragraph separator
        else out.append(ch);
    }
    if (i < clean.size() || text.size() > prefix.size()) out += "...";
    return out;
}

std::string inQuotes(string_view text) {
    std::string out(1, '\'');
    out += shown(text);
    out += '\'';
    return out;
}

// What in a text would end or change a JavaScript string between single quotes.
std::string quoteBreakers(string_view text) {
    bool quote = false, backslash = false, lineBreak = false;
    for (char c : text) {
        if (c == '\'') quote = true;
        else if (c == '\\') backslash = true;
        else if (c == '\n' || c == '\r') lineBreak = true;
    }
    std::vector<const char*> found;
    if (quote) found.push_back("a single quote");
    if (backslash) found.push_back("a backslash");
    if (lineBreak) found.push_back("a line break");
    std::string out;
    for (size_t i = 0; i < found.size(); ++i) {
        if (i > 0) out += i + 1 == found.size() ? " and " : ", ";
        out += found[i];
    }
    return out;
}

std::string plural(size_t n, const char* one, const char* many) {
    return std::to_string(n) + " " + (n == 1 ? one : many);
}

// ---- Kinds of global ----------------------------------------------------------------

enum Kind : int { kSprite, kSound, kMusic, kBackground, kFont, kObject, kScene, kFunction, kKindCount };

constexpr const char* kKindTitle[kKindCount] = {"Sprite", "Sound",  "Music", "Background",
                                                "Font",   "Object", "Scene", "Function"};
constexpr const char* kKindWord[kKindCount] = {"sprite", "sound",  "music", "background",
                                               "font",   "object", "scene", "function"};
constexpr const char* kKindWords[kKindCount] = {"sprites", "sounds",  "musics", "backgrounds",
                                                "fonts",   "objects", "scenes", "functions"};

// Every global but a function's comes with a constructor named "__" + name.
bool hasConstructor(Kind k) { return k != kFunction; }

bool soundHasGlobal(const AudioClip& a) { return !a.wav.empty() || !a.mp3.empty() || !a.ogg.empty(); }

struct Holders {
    std::array<uint32_t, kKindCount> count{};
    uint32_t nameChecked = 0;  // one bit per kind: the name's own checks were reported
    bool clashReported = false;
};

// ---- The check ------------------------------------------------------------------------

class Checker {
public:
    Checker(const Project& p, const std::vector<std::string>& engineWords) : p_(p) {
        for (const std::string& word : engineWords) {
            string_view w = word;
            while (!w.empty() && (w.front() == ' ' || w.front() == '\t' || w.front() == '\r' || w.front() == '\n'))
                w.remove_prefix(1);
            while (!w.empty() && (w.back() == ' ' || w.back() == '\t' || w.back() == '\r' || w.back() == '\n'))
                w.remove_suffix(1);
            if (!w.empty()) engine_.insert(w);
        }
        indexGlobals();
        indexReferences();
    }

    std::vector<std::string> run() {
        checkFolders();
        checkSprites();
        checkAudio(p_.sounds, kSound);
        checkAudio(p_.musics, kMusic);
        checkBackgrounds();
        checkFonts();
        checkObjects();
        checkScenes();
        for (const GameFunction& f : p_.fns) checkName(kFunction, f.name);
        return std::move(out_);
    }

private:
    enum class Ref { Ok, Missing, NoImage, NotTemplate, Empty };

    // A group of faulty references of the same kind to the same target.
    struct RefGroup {
        string_view target;
        Ref state;
        size_t count;
    };
    struct RefGroups {
        std::vector<RefGroup> groups;  // in order of first appearance
        std::unordered_map<string_view, size_t> index;
        void add(string_view target, Ref state) {
            auto [it, inserted] = index.try_emplace(target, groups.size());
            if (inserted) groups.push_back({target, state, 0});
            ++groups[it->second].count;
        }
    };

    void indexGlobals() {
        auto add = [&](Kind k, const std::string& name) { ++globals_[name].count[k]; };
        for (const Sprite& s : p_.sprites) add(kSprite, s.name);
        for (const Sound& s : p_.sounds)
            if (soundHasGlobal(s)) add(kSound, s.name);
        for (const Music& m : p_.musics)
            if (soundHasGlobal(m)) add(kMusic, m.name);
        for (const Background& b : p_.backgrounds)
            if (!b.file.empty()) add(kBackground, b.name);
        for (const Font& f : p_.fonts) add(kFont, f.name);
        for (const GameObject& o : p_.objects)
            if (o.isTemplate()) add(kObject, o.name);
        for (const Scene& s : p_.scenes) add(kScene, s.name);
        for (const GameFunction& f : p_.fns) add(kFunction, f.name);
    }

    void indexReferences() {
        for (const Background& b : p_.backgrounds) {
            bool& hasImage = backgroundHasImage_[b.name];
            hasImage = hasImage || !b.file.empty();
        }
        for (size_t i = 0; i < p_.objects.size(); ++i)
            if (p_.objects[i].isTemplate()) templates_.try_emplace(p_.objects[i].name, i);

        // Frames of existing sprites whose file names break the quoted path.
        for (const Frame& f : p_.frames) {
            if (quoteBreakers(f.file).empty() || !p_.sprites.contains(f.sprite)) continue;
            auto [it, inserted] = badFrames_.try_emplace(f.sprite, BadFrames{f.file, 0});
            ++it->second.count;
        }

        // Collision scripts of existing templates naming something that is not one.
        for (const Script& s : p_.scripts) {
            if (s.event != "Collision" || s.parameter.empty() || !templates_.contains(s.object)) continue;
            Ref state = templateRef(s.parameter);
            if (state != Ref::Ok) {
                RefGroups& g = collisions_[s.object];
                g.add(s.parameter, state);
            }
        }

        // Tiles and instances are grouped by scene and target, so one faulty reference
        // repeated thousands of times gives one line.
        for (const Tile& t : p_.tiles) {
            if (t.background.empty() || !p_.scenes.contains(t.scene)) continue;
            Ref state = backgroundRef(t.background);
            if (state != Ref::Ok) tiles_[t.scene].add(t.background, state);
        }
        for (const GameObject& o : p_.objects) {
            if (o.isTemplate() || !p_.scenes.contains(o.scene)) continue;
            Ref state = o.templ.empty() ? Ref::Empty : templateRef(o.templ);
            if (state != Ref::Ok) instances_[o.scene].add(o.templ, state);
        }

        findParentLoops();
    }

    // Templates whose chain of parents comes back to itself. Each template has one
    // parent, so every template is walked once; a loop is told at its first member in
    // table order.
    void findParentLoops() {
        constexpr size_t none = size_t(-1);
        const size_t n = p_.objects.size();
        std::vector<uint8_t> state(n, 0);  // 0 not seen, 1 on the current walk, 2 done
        std::vector<size_t> pathPos(n, 0);
        std::vector<size_t> path;
        auto parentOf = [&](size_t i) -> size_t {
            const std::string& parent = p_.objects[i].parent;
            if (parent.empty()) return none;
            auto it = templates_.find(parent);
            return it == templates_.end() ? none : it->second;
        };
        for (size_t start = 0; start < n; ++start) {
            if (!p_.objects[start].isTemplate() || state[start] != 0) continue;
            path.clear();
            size_t j = start;
            while (j != none && state[j] == 0) {
                state[j] = 1;
                pathPos[j] = path.size();
                path.push_back(j);
                j = parentOf(j);
            }
            if (j != none && state[j] == 1) {
                std::vector<size_t> loop(path.begin() + long(pathPos[j]), path.end());
                size_t first = *std::min_element(loop.begin(), loop.end());
                parentLoops_[first] = describeLoop(loop, first);
            }
            for (size_t k : path) state[k] = 2;
        }
    }

    std::string describeLoop(const std::vector<size_t>& loop, size_t first) const {
        if (loop.size() == 1) return "its parent is itself; a template cannot inherit from itself.";
        constexpr size_t kMaxShown = 6;
        auto at = std::find(loop.begin(), loop.end(), first) - loop.begin();
        std::string chain;
        for (size_t k = 0; k <= loop.size() && k <= kMaxShown; ++k) {
            if (k > 0) chain += " -> ";
            if (k == kMaxShown && k < loop.size()) {
                chain += "...";
                break;
            }
            chain += inQuotes(p_.objects[loop[(size_t(at) + k) % loop.size()]].name);
        }
        return "its chain of parents comes back to it (" + chain + "); a template cannot inherit from itself.";
    }

    Ref templateRef(string_view name) const {
        if (templates_.contains(name)) return Ref::Ok;
        return p_.objects.contains(name) ? Ref::NotTemplate : Ref::Missing;
    }
    Ref backgroundRef(string_view name) const {
        auto it = backgroundHasImage_.find(name);
        if (it == backgroundHasImage_.end()) return Ref::Missing;
        return it->second ? Ref::Ok : Ref::NoImage;
    }
    static const char* refProblem(Ref state) {
        switch (state) {
        case Ref::Missing: return "does not exist";
        case Ref::NoImage: return "has no image file";
        case Ref::NotTemplate: return "is an instance, not an object template";
        default: return "";
        }
    }

    void report(Kind k, string_view name, const std::string& problem) {
        out_.push_back(std::string(kKindTitle[k]) + " " + inQuotes(name) + ": " + problem);
    }

    // ---- Names of globals ---------------------------------------------------------

    void checkName(Kind k, const std::string& name) {
        Holders& h = globals_[name];
        const uint32_t bit = 1u << k;
        if (!(h.nameChecked & bit)) {
            h.nameChecked |= bit;
            checkNameItself(k, name);
        }
        if (!h.clashReported) {
            h.clashReported = true;
            checkClash(k, name, h);
        }
    }

    void checkNameItself(Kind k, const std::string& name) {
        bool valid = isJavaScriptName(name);
        if (name.empty()) report(k, name, "the name is empty, so the game cannot refer to it.");
        else if (!valid)
            report(k, name,
                   "the name is not a valid JavaScript name; use only the letters A to Z and a to z, digits, _ and $, "
                   "and do not start with a digit.");
        else if (reservedWords().contains(name)) report(k, name, "the name is a word reserved by JavaScript.");
        else if (engine_.contains(name))
            report(k, name, "the game engine already defines this name; one would replace the other.");
        else if (browserWords().contains(name))
            report(k, name, "the web browser already defines this name; the game would lose its own or the browser's.");
        if (!valid) return;

        if (hasConstructor(k)) {
            std::string constructor = "__" + name;
            if (engine_.contains(constructor))
                report(k, name,
                       "the game names its constructor " + inQuotes(constructor) +
                           ", which the game engine already defines; one would replace the other.");
        }
        // A resource named "__hero" takes the name of the constructor of "hero".
        if (name.size() > 2 && name.starts_with("__")) {
            auto it = globals_.find(string_view(name).substr(2));
            if (it != globals_.end()) {
                for (int other = 0; other < kKindCount; ++other) {
                    if (it->second.count[other] == 0 || !hasConstructor(Kind(other))) continue;
                    report(k, name,
                           std::string("the game already uses this name for the constructor of ") + kKindWord[other] +
                               " " + inQuotes(it->first) + "; one would replace the other.");
                    break;
                }
            }
        }
    }

    // Several globals of one name are one variable in the game: the later definition
    // replaces the earlier. Told once, at the first of them.
    void checkClash(Kind k, const std::string& name, const Holders& h) {
        std::vector<std::string> others;
        uint32_t total = 0;
        for (int other = 0; other < kKindCount; ++other) {
            uint32_t n = h.count[other] - (other == k ? 1 : 0);
            if (n == 0) continue;
            total += n;
            if (other == k) others.push_back(n == 1 ? std::string("another ") + kKindWord[other]
                                                    : std::to_string(n) + " other " + kKindWords[other]);
            else if (n == 1) others.push_back(std::string(other == kObject ? "an " : "a ") + kKindWord[other]);
            else others.push_back(std::to_string(n) + " " + kKindWords[other]);
        }
        if (total == 0) return;
        std::string list;
        for (size_t i = 0; i < others.size(); ++i) {
            if (i > 0) list += i + 1 == others.size() ? " and " : ", ";
            list += others[i];
        }
        report(k, name,
               list + (total == 1 ? " has" : " have") +
                   " the same name; in the game they are one variable, so one would replace the other.");
    }

    // ---- Quoted file names --------------------------------------------------------

    void checkQuoted(Kind k, string_view name, const char* what, string_view value) {
        std::string breakers = quoteBreakers(value);
        if (!breakers.empty())
            report(k, name, std::string("the ") + what + " " + inQuotes(value) + " contains " + breakers +
                                ", which breaks it in the game script.");
    }

    void checkFolders() {
        bool imagesUsed = !p_.sprites.empty() ||
                          std::any_of(p_.backgrounds.begin(), p_.backgrounds.end(),
                                      [](const Background& b) { return !b.file.empty(); });
        bool soundsUsed = std::any_of(p_.sounds.begin(), p_.sounds.end(), soundHasGlobal) ||
                          std::any_of(p_.musics.begin(), p_.musics.end(), soundHasGlobal);
        auto check = [&](bool used, const char* what, const std::string& folder) {
            std::string breakers = quoteBreakers(folder);
            if (used && !breakers.empty())
                out_.push_back(std::string("Project: the ") + what + " " + inQuotes(folder) + " contains " + breakers +
                               ", which breaks every file path in it in the game script.");
        };
        check(imagesUsed, "image folder", p_.imgfolder);
        check(soundsUsed, "sound folder", p_.audfolder);
    }

    // ---- Each kind ------------------------------------------------------------------

    void checkSprites() {
        for (size_t i = 0; i < p_.sprites.size(); ++i) {
            const Sprite& s = p_.sprites[i];
            checkName(kSprite, s.name);
            // Frames belong to a sprite by name: told once, at the first sprite of the name.
            if (p_.sprites.find(s.name) != i) continue;
            auto it = badFrames_.find(s.name);
            if (it == badFrames_.end()) continue;
            const BadFrames& bad = it->second;
            if (bad.count == 1)
                report(kSprite, s.name, "the frame file name " + inQuotes(bad.first) + " contains " +
                                            quoteBreakers(bad.first) + ", which breaks it in the game script.");
            else
                report(kSprite, s.name,
                       std::to_string(bad.count) +
                           " frame file names contain a single quote, a backslash or a line break, which breaks them "
                           "in the game script (the first is " + inQuotes(bad.first) + ").");
        }
    }

    template <class Clip>
    void checkAudio(const Table<Clip>& table, Kind k) {
        for (const Clip& c : table) {
            if (!soundHasGlobal(c)) continue;
            checkName(k, c.name);
            checkQuoted(k, c.name, "wav file name", c.wav);
            checkQuoted(k, c.name, "mp3 file name", c.mp3);
            checkQuoted(k, c.name, "ogg file name", c.ogg);
        }
    }

    void checkBackgrounds() {
        for (const Background& b : p_.backgrounds) {
            if (b.file.empty()) continue;
            checkName(kBackground, b.name);
            checkQuoted(kBackground, b.name, "image file name", b.file);
        }
    }

    void checkFonts() {
        for (const Font& f : p_.fonts) {
            checkName(kFont, f.name);
            checkQuoted(kFont, f.name, "font family", f.family);
        }
    }

    void checkObjects() {
        for (size_t i = 0; i < p_.objects.size(); ++i) {
            const GameObject& o = p_.objects[i];
            if (!o.isTemplate()) continue;
            checkName(kObject, o.name);
            if (!o.sprite.empty() && !p_.sprites.contains(o.sprite))
                report(kObject, o.name, "its sprite " + inQuotes(o.sprite) + " does not exist.");
            if (!o.parent.empty()) {
                Ref state = templateRef(o.parent);
                if (state != Ref::Ok)
                    report(kObject, o.name, "its parent " + inQuotes(o.parent) + " " + refProblem(state) + ".");
            }
            if (auto loop = parentLoops_.find(i); loop != parentLoops_.end()) report(kObject, o.name, loop->second);
            // Scripts belong to a template by name: told once, at the first template of the name.
            if (templates_.at(o.name) != i) continue;
            if (auto it = collisions_.find(o.name); it != collisions_.end())
                for (const RefGroup& g : it->second.groups)
                    report(kObject, o.name,
                           "its Collision event names " + inQuotes(g.target) + ", which " + refProblem(g.state) + ".");
        }
    }

    void checkScenes() {
        for (size_t i = 0; i < p_.scenes.size(); ++i) {
            const Scene& s = p_.scenes[i];
            checkName(kScene, s.name);
            if (!s.background.empty()) {
                Ref state = backgroundRef(s.background);
                if (state != Ref::Ok)
                    report(kScene, s.name, "its background " + inQuotes(s.background) + " " + refProblem(state) + ".");
            }
            if (!s.viewportobject.empty()) {
                Ref state = templateRef(s.viewportobject);
                if (state != Ref::Ok)
                    report(kScene, s.name,
                           "its view follows " + inQuotes(s.viewportobject) + ", which " + refProblem(state) + ".");
            }
            // Instances and tiles belong to a scene by name: told once, at the first scene of the name.
            if (p_.scenes.find(s.name) != i) continue;
            if (auto it = instances_.find(s.name); it != instances_.end()) {
                for (const RefGroup& g : it->second.groups) {
                    if (g.state == Ref::Empty)
                        report(kScene, s.name,
                               plural(g.count, "instance has", "instances have") +
                                   " no template, so the game cannot create them.");
                    else
                        report(kScene, s.name,
                               plural(g.count, "instance is", "instances are") + " of template " + inQuotes(g.target) +
                                   ", which " + refProblem(g.state) + ".");
                }
            }
            if (auto it = tiles_.find(s.name); it != tiles_.end())
                for (const RefGroup& g : it->second.groups)
                    report(kScene, s.name,
                           plural(g.count, "tile uses", "tiles use") + " background " + inQuotes(g.target) + ", which " +
                               refProblem(g.state) + ".");
        }
    }

    struct BadFrames {
        string_view first;
        size_t count;
    };

    const Project& p_;
    WordSet engine_;
    std::unordered_map<string_view, Holders> globals_;
    std::unordered_map<string_view, bool> backgroundHasImage_;
    std::unordered_map<string_view, size_t> templates_;  // name -> first template of the name
    std::unordered_map<string_view, BadFrames> badFrames_;
    std::unordered_map<string_view, RefGroups> collisions_;
    std::unordered_map<string_view, RefGroups> tiles_;
    std::unordered_map<string_view, RefGroups> instances_;
    std::unordered_map<size_t, std::string> parentLoops_;
    std::vector<std::string> out_;
};

} // namespace

std::vector<std::string> exportProblems(const Project& p, const std::vector<std::string>& engineWords) {
    return Checker(p, engineWords).run();
}

std::string exportProblemsText(const std::vector<std::string>& problems) {
    if (problems.empty()) return {};
    return headedList("The game was written, but some names in the project will not work in it:", problems);
}

} // namespace pondaro
