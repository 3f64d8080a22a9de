#pragma once
// The one open project: the game settings, one ordered table per record kind, and
// the project-wide values. Records refer to each other by name only.
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "image/image.h"
#include "project/saved_files.h"
#include "project/sprite_editor_state.h"
#include "project/table.h"

namespace pondaro {

inline constexpr int kProgramVersion = 200;

struct GameSettings {
    std::string title;
    std::string variables;
    std::string functions;
    int advancedscriptmode = 0;
    std::string comments;
};

struct Sprite {
    std::string name;
    std::string collisionshape;  // "Box", "Circle" or "Shape"
    int collisionradius = 0;
    int collisionleft = 0;
    int collisionright = 0;
    int collisiontop = 0;
    int collisionbottom = 0;
    int centerx = 0;
    int centery = 0;
    std::string keywords;
    int uid = 0;
    // Not stored: the properties window's preview and the collision shape editor.
    SpriteWindowState spritewindow;
    CollisionEditorState shapeeditor;
};

struct Frame {
    std::string file;    // the frame's key; the PNG on disk is <sprite>_<file>.png
    std::string sprite;  // owning sprite
    Image image;         // the pixels, held while the project is open
};

// Sounds and musics have the same layout.
struct AudioClip {
    std::string name;
    std::string wav;
    std::string mp3;
    std::string ogg;
    std::string keywords;
    int uid = 0;
};
struct Sound : AudioClip {};
struct Music : AudioClip {};

struct Background {
    std::string name;
    std::string file;
    int tile = 0;
    int tilewidth = 0;
    int tileheight = 0;
    int tilexoffset = 0;
    int tileyoffset = 0;
    int tilexspace = 0;
    int tileyspace = 0;
    std::string keywords;
    int uid = 0;
    // Not stored: the picture as loaded (shared with the tiles cut from it; none when
    // the file could not be read), and its thumbnail.
    std::shared_ptr<const Image> picture;
    Image preview;
};

struct Font {
    std::string name;
    std::string family;
    int size = 0;
    int bold = 0;
    int italic = 0;
    std::string keywords;
    int uid = 0;
};

// Templates (prototype 1) and the instances placed in scenes (prototype 0) share one
// table and one name space.
struct GameObject {
    int prototype = 0;
    std::string templ;  // written as `template`: an instance's template object
    std::string name;
    std::string sprite;
    std::string scene;
    int x = 0;
    int y = 0;
    int visible = 0;
    int depth = 0;
    int collision = 0;
    std::string parent;
    int direction = 0;
    int image_angle = 0;
    std::string keywords;
    int uid = 0;
    // Not stored: the scene editor's canvas state. `canvasImage` is the first frame of
    // the sprite (shared by every record drawn from that sprite; none = placeholder
    // icon and a 15 x 15 hit box); `displayImage` is what the canvas draws, the canvas
    // image turned by image_angle.
    int selected = 0;
    std::shared_ptr<const Image> canvasImage;
    std::shared_ptr<const Image> displayImage;

    bool isTemplate() const { return prototype == 1; }
};
using SceneObject = GameObject;

struct Script {
    std::string name;
    std::string object;     // owning template
    std::string event;      // "Creation", "Destroy", ... "Draw"
    std::string parameter;  // the other object of a "Collision"
    std::string code;
};

struct Scene {
    std::string name;
    int width = 0;
    int height = 0;
    int viewportwidth = 0;
    int viewportheight = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    std::string code;
    int speed = 0;
    std::string background;
    int backgroundtilex = 0;
    int backgroundtiley = 0;
    int backgroundstretch = 0;
    std::string viewportobject;
    int viewportxborder = 0;
    int viewportyborder = 0;
    std::string keywords;
    int uid = 0;
    // Not stored: the scene editor's settings, kept between openings of its window,
    // the resource panel's thumbnail card, and whether the panel is still to draw that
    // card from the canvas (a scene read from a file, until the panel first shows it).
    int showgrid = 1;
    int snap = 1;
    int gridsize = 20;
    int showobjects = 1;
    int showtiles = 1;
    Image preview;
    bool cardPending = false;
};

struct Layer {
    std::string name;
    int value = 0;  // the layer's depth
    std::string scene;
};

struct Tile {
    std::string name;
    std::string background;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    int depth = 0;
    std::string scene;
    // Not stored: what the tile shows. It is the rectangle (left, top, width, height)
    // of `picture`, read in place: the picture is its background's, shared with the
    // background and every tile cut from it and never copied, so a tile holds no pixels
    // of its own however large it is. Parts of the rectangle outside the picture are
    // transparent. Without a picture, a tile whose background's file could not be read
    // (`pictureMissing`) shows an opaque red rectangle of its size, any other nothing.
    // drawTile (project/canvas_pictures.h) draws it.
    std::shared_ptr<const Image> picture;
    bool pictureMissing = false;
    // Not stored: selected on the scene canvas.
    int selected = 0;
};

struct GameFunction {
    std::string name;
    std::string params;
    std::string description;
    std::string code;
    std::string keywords;
    int uid = 0;
};

struct Point {
    std::string sprite;
    int x = 0;
    int y = 0;
};

struct RenameEntry {
    std::string oldName;
    std::string newName;
    std::string kind;  // upper case, e.g. "SPRITE"
};

// The merge bookkeeping: renames made while reading, in order. Lookups compare the
// kind and the old name ignoring letter case; the last matching entry wins.
class RenameTable {
public:
    void add(RenameEntry entry);
    // The new name of the last entry matching kind and old name, or `name` itself.
    const std::string& lookup(std::string_view kind, const std::string& name) const;
    void clear();
    const std::vector<RenameEntry>& entries() const { return entries_; }
    bool empty() const { return entries_.empty(); }

private:
    std::vector<RenameEntry> entries_;
    std::unordered_map<std::string, size_t> last_;  // lower(kind) + '\n' + lower(old) -> entry
};

enum class ResourceKind { Sprite, Sound, Music, Font, Background, Object, Scene, Function, Layer, Tile, Script };

// "SPRITE", "SOUND", ... ; the keyword is compared after conversion to upper case.
std::optional<ResourceKind> parseResourceKind(std::string_view keyword);
const char* kindKeyword(ResourceKind kind);

struct Project {
    GameSettings game;
    Table<Sprite> sprites;
    std::vector<Frame> frames;
    Table<Sound> sounds;
    Table<Music> musics;
    Table<Background> backgrounds;
    Table<Font> fonts;
    Table<GameObject> objects;
    Table<Script> scripts;
    Table<Scene> scenes;
    Table<Layer> layers;
    Table<Tile> tiles;
    Table<GameFunction> fns;
    std::vector<Point> points;

    std::string name;           // "" until first saved or opened
    std::string workingFolder;  // "_temp_" + hhmmss
    std::string imgfolder = "img";
    std::string audfolder = "aud";
    int counter = 1;  // the identity counter
    // Media files read into the project that the working folder could not take, by the
    // name the project knows them under: the file each was read from. Save copies them
    // from there, so a failed copy never drops them from the saved project.
    std::map<std::string, std::string> uncopiedMedia;
    RenameTable renames;
    std::string mergeLog;
    // Not stored: the files of the project folder as last read or written, so that a
    // Save writes only what differs from them.
    SavedFiles savedFiles;

    // The modified flag: a change users would want to save marks the project modified
    // through markModified(), the one place that sets it. New, Open and Save clear it
    // (a Merge leaves the merged records marked: they are saved nowhere yet).
    bool modified() const { return modified_; }
    void markModified() { modified_ = true; }
    void clearModified() { modified_ = false; }

    // Adds 1 to the identity counter and returns the result.
    int nextIdentity() { return ++counter; }

    // Name taken: a record of the kind holds exactly this name.
    bool nameTaken(ResourceKind kind, std::string_view name) const;

    // Empties every table, the rename table, the uncopied media and what is known of
    // the saved files, resets the game settings, counter 1.
    void reset();

    // Sum of the used counts of the twelve tables the counter restarts from after a read.
    int recordCountForCounter() const;

    // Removes every record of the kind holding the name. A scene takes its instances,
    // layers and tiles with it. Marks the project modified when anything went, so a
    // deletion (from the panel or a record's window) is never lost without a question.
    void removeByName(ResourceKind kind, std::string_view name);

    // The first template object holding the name (an instance may hold it first when a
    // damaged file repeats a name), or nullptr.
    const GameObject* templateNamed(std::string_view name) const;

    // Calls f with each name game code can refer to as a resource: sprites, sounds,
    // musics, backgrounds, fonts, scenes, functions and object templates.
    template <class F>
    void forEachResourceName(F&& f) const {
        for (const auto& r : sprites) f(r.name);
        for (const auto& r : sounds) f(r.name);
        for (const auto& r : musics) f(r.name);
        for (const auto& r : backgrounds) f(r.name);
        for (const auto& r : fonts) f(r.name);
        for (const auto& r : scenes) f(r.name);
        for (const auto& r : fns) f(r.name);
        for (const auto& o : objects)
            if (o.isTemplate()) f(o.name);
    }

    // Index of the first sprite with the name, or -1.
    int spriteIndex(std::string_view name) const;
    // The image of the first frame of the sprite, or nullptr when it has none.
    const Image* firstFrameImage(std::string_view sprite) const;

    // The memory the decoded pictures take: frame images, background pictures and the
    // pictures tiles show, each picture counted once however many records share it.
    long long pictureBytes() const;

private:
    bool modified_ = false;
};

} // namespace pondaro
