#pragma once
// Importing a sprite's frames from one sheet holding the animation as a grid of
// equally sized cells, row by row from the top, left to right within a row.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "base/ports.h"
#include "project/model.h"

namespace pondaro {

inline constexpr const char* kStripFileFilter =
    "Image strips (jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files(*.jpg)|*.jpg|BMP files(*.bmp)|*.bmp|PNG files(*.png)|*.png";
inline constexpr const char* kInvalidCellsMessage = "Invalid column or row number";
// The column and row fields' range.
inline constexpr int kMaxStripCells = 256;

// True when columns x rows cut the sheet into cells of at least one pixel: both
// within 1..256 and no larger than the sheet's width and height.
bool validStripGrid(const Image& sheet, int columns, int rows);
// The cells in order (cell k at ((k mod C) x fw, (k div C) x fh), fw = W div C,
// fh = H div R; pixels beyond C x fw or R x fh are left out); empty when the grid is
// not valid.
std::vector<Image> cutStrip(const Image& sheet, int columns, int rows);

// The import window while it is open: the sheet, the two fields, and the preview
// animation of the cells cut with them.
struct StripImport {
    size_t sprite = 0;  // index in the sprite table
    Image sheet;
    std::string columnsText = "1";
    std::string rowsText = "1";
    std::vector<Image> previewFrames;
    size_t previewPosition = 0;
};

// Asks for the sheet ("Select an image strip"); nothing when cancelled, when the
// sprite does not exist, or when the file cannot be read (which is reported).
std::optional<StripImport> openStripImport(const Project& p, Dialogs& dialogs, size_t sprite);
// "Dimensions: W x H pixels".
std::string sheetDimensionsText(const StripImport& import);
// Either field changed: when both values are above 0 (and cut cells), the preview
// frames are cut again and the animation restarts.
void setStripGrid(StripImport& import, std::string_view columnsText, std::string_view rowsText);
// The preview timer: the next preview frame (after the last, the first). Returns the
// frame to show, or nullptr when there is none.
const Image* advanceStripPreview(StripImport& import);

// What the window shows: the visible region of the sheet at 1:1 over the checkerboard
// backdrop, and the preview picture of `box`'s size with the preview frame shown now
// (scaled down to fit when a cell is larger) centred over the backdrop.
Image renderStripSheet(const StripImport& import, Rect region);
Image renderStripPreview(const StripImport& import, Size box);

// " Import! ": refused with "Invalid column or row number" (titled "Error", the sprite
// unchanged, the window stays open) when the grid cuts no cells; otherwise the
// sprite's frames become the cells, frames "0" .. "C x R - 1", the origin goes to
// (0, 0) and the collision box and radius fit one cell, and the animation restarts;
// the project is marked modified and the objects showing the sprite take its new
// first frame. True when imported (the window then closes).
bool importStrip(Project& p, Dialogs& dialogs, const StripImport& import);

} // namespace pondaro
