#pragma once
// The scene window's logic without the window: opening, the settings that apply at
// once, the commit on "Done", the pictures it leaves behind (the project preview and
// the resource panel's card) and the "Instance properties" dialog of one instance.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "base/status.h"
#include "image/image.h"
#include "project/model.h"
#include "scene/scene_editor.h"

namespace pondaro {

// A new editor for the scene (previews none, selections empty, paint cells (0, 0)),
// with the scene's background picture loaded from the working folder under `root`
// and the first layer as the current layer.
SceneEditor openSceneEditor(const Project& p, const std::filesystem::path& root, std::string_view scene);

// ---- The boxes ---------------------------------------------------------------------
// "Object to place" lists these, "Object to follow" an empty row and then these: every
// template in table order.
std::vector<std::string> templateChoices(const Project& p);
// "Tile image" lists these, "Background image" an empty row and then these.
std::vector<std::string> backgroundChoices(const Project& p);
// A template's picture in the boxes: the first frame of its sprite fitted into a
// size x size square, or the placeholder icon.
Image templateIcon(const Project& p, std::string_view templateName, int size);

// ---- Settings that apply at once ---------------------------------------------------
// The tool row's toggles and check boxes: editor settings the scene record keeps while
// the program runs. They are not stored in the project file and mark nothing modified.
enum class EditorFlag { ShowGrid, Snap, ShowObjects, ShowTiles };
bool editorFlag(const Scene& s, EditorFlag flag);
void setEditorFlag(Project& p, const SceneEditor& e, EditorFlag flag, bool on);

// "Tile horizontally", "Tile vertically" and "Stretch": stored, so a change marks the
// project modified.
enum class BackgroundFlag { TileHorizontally, TileVertically, Stretch };
bool backgroundFlag(const Scene& s, BackgroundFlag flag);
void setBackgroundFlag(Project& p, const SceneEditor& e, BackgroundFlag flag, bool on);

// The scene colour as one number: red + green x 256 + blue x 65536.
int sceneColour(const Scene& s);
// "...": the colour chooser opens on the scene colour; a chosen colour becomes the
// scene's at once (true), cancelling changes nothing (false).
bool chooseSceneColour(Project& p, const SceneEditor& e, Dialogs& dialogs);

// "Background image" changed: the scene takes it at once and the picture is reloaded.
void chooseBackground(Project& p, SceneEditor& e, const std::filesystem::path& root, std::string_view background);
// Loads the scene's background picture from the working folder (none when the
// background or its file is missing).
void loadBackgroundPicture(const Project& p, SceneEditor& e, const std::filesystem::path& root);

// "Object to place" changed: the action becomes "Place objects" and the place preview
// becomes the first frame of the template's sprite.
void chooseObjectToPlace(const Project& p, SceneEditor& e, std::string_view templateName);
// The 100 x 100 preview of the object to place: its first frame scaled to fit, or the
// placeholder icon.
Image objectToPlacePicture(const SceneEditor& e);

// Resources changed elsewhere (a sprite or object applied, a frame edited): every
// record's canvas image and display copy are rebuilt, the place preview follows its
// template, and the canvas forgets where things were.
void refreshSceneWindow(Project& p, SceneEditor& e);

// The window's fields that Done commits, as typed.
struct SceneFields {
    std::string name;
    std::string width, height;
    std::string viewportwidth, viewportheight;
    std::string viewportobject;
    std::string viewportxborder, viewportyborder;
    std::string speed;
    std::string keywords;
    std::string background;
};

// The fields as the window fills them from the scene.
SceneFields sceneFieldsOf(const Scene& s);

// "Done": the name and speed checks (each failure shown under "Error"; nothing is
// committed and false is returned), then the fields, the rename carried to the
// scene's instances, tiles and layers, the project preview written when the project
// has a name (a failed write is reported), the thumbnail card, and every selection
// flag of every scene cleared. The editor follows the new name and lets go of its
// background picture. The preview goes to Projects/ under `root`. True when the window
// may close.
//
// Before a save the window stays open (`closing` false): the same checks, fields,
// pictures and rename, but the selections and the background picture stay.
bool commitScene(Project& p, Dialogs& dialogs, const std::filesystem::path& root, SceneEditor& e,
                 const SceneFields& fields, bool closing = true);

// The 240 x 240 project preview: the canvas scaled to fit, keeping its aspect ratio,
// centred on a transparent square.
Image projectPreviewPicture(const Project& p, const SceneEditor& e);
// Writes that picture as Projects/<project name>.png under `root`, the picture the open
// dialog shows for the project. Fails, with a message, for a project without a name
// that can be a file name, or when the file cannot be written.
Status writeProjectPreview(const Project& p, const SceneEditor& e, const std::filesystem::path& root);
// The resource panel's card: the canvas drawn at the size that fits the scene card's box
// (the empty card when the scene is gone or has no size).
Image sceneThumbnail(const Project& p, const SceneEditor& e);

// The resource panel's card of the scene at `index`: the one its window's Done left;
// else, for a scene read from a file (`cardPending`), its canvas drawn now as Done
// draws it, with the background pictures read from the working folder under `root`,
// and kept. So a project just opened or merged shows its scenes rather than a generic
// picture, and Open draws none of them: only the scenes the panel shows are drawn.
// Null for a scene without a card (a new one, until its window's Done).
const Image* sceneCard(Project& p, size_t index, const std::filesystem::path& root);

// "Edit selected instance...": the first selected instance of the scene in table order.
std::optional<size_t> firstSelectedInstance(const Project& p, const SceneEditor& e);

struct InstanceFields {
    std::string x, y, direction, image_angle;
};
InstanceFields instanceFieldsOf(const GameObject& o);
// The dialog's title: "Instance properties - " + name.
std::string instanceDialogTitle(const GameObject& o);
// OK: the four fields read as integers, the display copy turned by the new angle, the
// project marked modified. False when the index is not an instance.
bool commitInstance(Project& p, SceneEditor& e, size_t index, const InstanceFields& fields);

} // namespace pondaro
