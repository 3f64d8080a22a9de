#pragma once
// The resource panel's rules: which records a category page shows under its keyword
// filter, the keyword list, the sort orders, the thumbnail grid (layout and
// hit-testing as pure functions of a page width and a position), which picture each
// record shows, and the pop-up menu actions. The window only draws what these say.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/studio.h"
#include "base/geometry.h"
#include "image/image.h"
#include "project/model.h"

namespace pondaro {

// The eight resource pages, in tab order (the Game tab follows them).
enum class PanelCategory { Sprites, Sounds, Musics, Backgrounds, Fonts, Objects, Scenes, Functions };
inline constexpr int kPanelCategoryCount = 8;
PanelCategory panelCategory(int index);

// The tab caption (" Sounds " has a blank on each side).
const char* tabCaption(PanelCategory c);
// The record kind of the page.
ResourceKind categoryKind(PanelCategory c);

// ---- Keywords and the filter ----------------------------------------------------
// Splits a comma-separated text into words trimmed of blanks and in upper case;
// empty words are dropped (so a filter of only commas and blanks filters nothing).
std::vector<std::string> splitKeywords(std::string_view text);

// True when the filter has no word, or some keyword of the record contains some
// filter word (upper case on both sides, substring test).
bool keywordsMatch(std::string_view recordKeywords, const std::vector<std::string>& filterWords);

// The page's records: for Objects the templates only. Count and per-index fields.
size_t recordCount(const Project& p, PanelCategory c);
const std::string& recordName(const Project& p, PanelCategory c, size_t index);
const std::string& recordKeywords(const Project& p, PanelCategory c, size_t index);

// The table indexes of the records the page shows under the filter text, in table order.
std::vector<size_t> shownRecords(const Project& p, PanelCategory c, std::string_view filterText);

// The keyword list: an empty row, then every distinct keyword of the category's
// records (trimmed, as written) in table order.
std::vector<std::string> keywordRows(const Project& p, PanelCategory c);

// The page background: grey with an empty filter, blue-grey with a filter.
Rgba pageBackground(std::string_view filterText);

// ---- The grid ---------------------------------------------------------------------
// Page coordinates: the header strip is the top kHeaderHeight pixels; thumbnails start
// at y 60. A cell is a 150 x 100 thumbnail with its 150 x 20 name label 5 below it.
inline constexpr int kHeaderHeight = 50;
inline constexpr int kThumbWidth = 150;
inline constexpr int kThumbHeight = 100;
inline constexpr int kCellWidth = 160;
inline constexpr int kCellHeight = 130;
inline constexpr int kGridLeft = 10;
inline constexpr int kGridTop = 60;
inline constexpr int kLabelOffset = 105;
inline constexpr int kLabelHeight = 20;

// Thumbnails in a row: a row takes items while 160 x (column + 1) does not exceed the
// page width - 160; at least one.
int gridColumns(int pageWidth);
Rect thumbnailRect(int cell, int columns);
Rect labelRect(int cell, int columns);
// The page's inner height holding every row of `cells` cells.
int pageHeight(int cells, int columns);

struct GridHit {
    enum class Part { None, Thumbnail, Label };
    Part part = Part::None;
    int cell = -1;
    friend bool operator==(const GridHit&, const GridHit&) = default;
};
// What lies under a point of the page.
GridHit hitTest(int x, int y, int columns, int cells);

// The cells [first, last) with any part between page rows top and bottom.
struct CellRange {
    int first = 0, last = 0;
};
CellRange visibleCells(int top, int bottom, int columns, int cells);

// Where the header's controls go on a page of the given width: the places of the
// fixed layout when it fits, else the right-hand group moved left and the filter
// narrowed so that nothing is cut off.
struct HeaderLayout {
    Rect filter, keywordList, resetOrder, ascending, descending;
    Rect exportButton, importButton;  // the Functions page only
};
HeaderLayout headerLayout(int pageWidth, bool functionsPage);

// ---- Sorting ----------------------------------------------------------------------
enum class SortOrder { ByUid, Ascending, Descending };
// Sorts the category's table (by uid, or by name) and sets the program-wide sort order
// ("", "ASC" or "DESC") that the game export also follows for the objects.
void sortCategory(Studio& studio, PanelCategory c, SortOrder order);

// ---- Pictures ---------------------------------------------------------------------
// The fixed pictures of the panel, 150 x 100 each.
struct PanelPictures {
    Image noImage;   // a sprite, background or scene without a preview
    Image object;    // a template without a sprite picture
    Image scene;     // a scene whose window has not drawn its preview yet
    Image sound, music, font, function;
    Image addTile;
    static PanelPictures draw();
};

// The picture a record shows on its page: a sprite's or a background's card is made
// now if the studio's cards do not hold it yet; an object shows its sprite's card; a
// scene read from a file has its card drawn now the first time (sceneCard).
// Valid until the next call.
const Image& recordPicture(Studio& studio, PanelCategory c, size_t index, const PanelPictures& pictures);

// ---- The Game tab -----------------------------------------------------------------
// "Advanced scripting mode" clicked: the project takes the new state at once, and a
// change marks it modified (it decides how the game's code is generated, so losing it
// unasked would change the game).
void setAdvancedScriptingMode(Project& p, bool on);

// ---- Pop-up menus -----------------------------------------------------------------
enum class PanelAction { Edit, Duplicate, Delete, MoveBackward, MoveForward };
const char* actionCaption(PanelAction a);
// The resource menu of a page's records; nullopt stands for a separator line.
std::vector<std::optional<PanelAction>> resourceMenu(PanelCategory c);

struct PanelActionResult {
    bool rebuild = false;     // the project changed: rebuild the panel
    bool openEditor = false;  // Edit: the window layer opens the record's window
};
// Carries out a menu action on the named record. Delete is project/removal.h's: its
// question first, then the record goes by name, an unsaved change.
PanelActionResult applyPanelAction(Studio& studio, PanelCategory c, const std::string& name, PanelAction a);

// Swaps the first scene of the name with its neighbour before (-1) or after (+1).
// False when there is none (the first cannot move backward, the last not forward).
bool moveScene(Project& p, const std::string& name, int direction);

// Creates a record of the category with its default name and the page's filter text as
// keywords (the add tile and the Resources menu). Returns the new name.
std::string addRecord(Studio& studio, PanelCategory c);

} // namespace pondaro
