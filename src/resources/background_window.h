#pragma once
// The background window's rules: the picture chosen with "Select image...", the preview
// of it on the checkerboard with the tile set's cells drawn over it, and " Done ",
// which applies the fields and only then takes a newly chosen picture into the
// project. Until Done nothing of the project changes: the close box leaves the
// background, its tiles and its thumbnail as they were.
#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "base/geometry.h"
#include "base/ports.h"
#include "image/image.h"
#include "project/model.h"

namespace pondaro {

inline constexpr const char* kSelectImageTitle = "Select an image";
inline constexpr const char* kImageFilter =
    "Image files (jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files(*.jpg)|*.jpg|BMP files(*.bmp)|*.bmp|PNG files(*.png)|*.png";

// A picture as the preview shows it, decoded once: none when it could not be read.
// `shown` is the picture already blended over the checkerboard, made once when the
// picture is chosen: the checkerboard lies still under the canvas, so every later draw
// of the preview (a scroll, the grid's fields typed) is a copy of rows, however much of
// the picture is partly transparent. It costs as much memory as the picture, while the
// window is open.
struct PreviewPicture {
    std::shared_ptr<const Image> image;
    std::shared_ptr<const Image> shown;
    static PreviewPicture of(std::shared_ptr<const Image> image);
};

// What the window holds until Done.
struct BackgroundDraft {
    std::string file;    // the pending file name, shown as "File: " + file
    std::string chosen;  // the path chosen in this window; "" while it is the record's own file
    PreviewPicture picture;
};

// The window as it opens: the record's file, and its picture as the project holds it,
// else as read from the working folder under `root` (none when it cannot be read).
BackgroundDraft backgroundDraft(const Project& p, const std::filesystem::path& root, const Background& b);
std::string fileLabel(const BackgroundDraft& draft);

// "Select image...": the file dialog; the chosen picture is read at once and becomes
// the pending file and the preview. A file that is not a picture this program reads is
// refused with an error naming it, and the window keeps what it had. False then and
// when cancelled.
bool selectBackgroundImage(BackgroundDraft& draft, Dialogs& dialogs);

// ---- The tile set's cells ----------------------------------------------------------

// The six fields of "Use as tile set", in their order on the window.
struct TileGrid {
    int width = 0, height = 0, xoffset = 0, yoffset = 0, xspace = 0, yspace = 0;
    friend bool operator==(const TileGrid&, const TileGrid&) = default;
};
inline constexpr std::array<const char*, 6> kTileFieldCaptions = {"Width",    "Height",  "X offset",
                                                                  "Y offset", "X space", "Y space"};
// The fields' texts read as integers, as every numeric field is read.
TileGrid readTileGrid(const std::array<std::string, 6>& texts);
std::array<int, 6> tileGridValues(const TileGrid& grid);
TileGrid tileGridOf(const Background& b);

// ---- The preview -------------------------------------------------------------------

// What the preview shows. The window's 33 ms tick compares it with what it drew last
// and draws again only when it differs.
struct BackgroundPreviewState {
    const Image* picture = nullptr;
    std::optional<TileGrid> grid;  // none unless "Use as tile set" is ticked
    friend bool operator==(const BackgroundPreviewState&, const BackgroundPreviewState&) = default;
};

// The preview canvas: as large as the picture (0 x 0 without one).
Size previewCanvasSize(const PreviewPicture& picture);
// The part `visible` of the preview canvas: the checkerboard with the picture over it
// and, with a grid, the cell outlines, drawn by XOR with white: with c = picture width /
// width columns (0 when width <= 0) and r = picture height / height rows likewise, each
// cell (i, j) for i = 0 ... c and j = 0 ... r at x = xoffset + i * (width + xspace),
// y = yoffset + j * (height + yspace) gets a line `width` long across at its top and at
// its bottom row (y + height - 1), one `height` long down at its left and one at
// x + width - 1 from y + 1. Where lines cross the XOR takes itself back, as it does on
// any XOR drawing. Only the cells that reach into the view are drawn, so the work grows
// with the view, not with the picture. Outside the canvas it is transparent.
Image renderBackgroundPreview(const PreviewPicture& picture, const std::optional<TileGrid>& grid, Rect visible);

// ---- Done --------------------------------------------------------------------------

// " Done " (and the pre-save commit) of the window of the background named `record`:
// `fields` holds the name, keywords, `tile` and the six tile fields as typed. The
// naming checks run first; each refusal is shown as an error and nothing changes.
// Then the record takes the fields, a rename reaches the scenes and tiles that name
// the background, and the project is marked modified. When a picture was chosen in
// the window, the file is taken into the working folder (chosen_files.h) and the
// background takes the picture: its thumbnail card is made again, the tiles cut from
// it whose left lies beyond the picture's width or whose top lies beyond its height
// are removed, and every other tile cut from it shows the new picture. The draft is
// left as the record now holds it, so a second commit changes nothing more.
bool applyBackgroundWindow(Project& p, Dialogs& dialogs, const std::filesystem::path& root, const std::string& record,
                           const Background& fields, BackgroundDraft& draft);

} // namespace pondaro
