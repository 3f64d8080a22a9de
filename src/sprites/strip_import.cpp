#include "sprites/strip_import.h"

#include "base/integer_reader.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "image/fit.h"
#include "project/canvas_pictures.h"

namespace pondaro {

bool validStripGrid(const Image& sheet, int columns, int rows) {
    return !sheet.empty() && columns >= 1 && rows >= 1 && columns <= kMaxStripCells && rows <= kMaxStripCells &&
           columns <= sheet.width() && rows <= sheet.height();
}

std::vector<Image> cutStrip(const Image& sheet, int columns, int rows) {
    std::vector<Image> cells;
    if (!validStripGrid(sheet, columns, rows)) return cells;
    const int fw = sheet.width() / columns, fh = sheet.height() / rows;
    cells.reserve(size_t(columns) * size_t(rows));
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            Image cell(fw, fh);
            copyInto(cell, sheet, -c * fw, -r * fh);
            cells.push_back(std::move(cell));
        }
    }
    return cells;
}

std::optional<StripImport> openStripImport(const Project& p, Dialogs& dialogs, size_t sprite) {
    if (sprite >= p.sprites.size()) return std::nullopt;
    const std::string file = dialogs.chooseFileToOpen("Select an image strip", kStripFileFilter);
    if (file.empty()) return std::nullopt;
    StripImport import;
    import.sprite = sprite;
    if (Status s = loadImage(file, import.sheet, Links::Followed); !s) {
        dialogs.error(s.message());
        return std::nullopt;
    }
    import.previewFrames = cutStrip(import.sheet, 1, 1);
    return import;
}

std::string sheetDimensionsText(const StripImport& import) {
    return "Dimensions: " + std::to_string(import.sheet.width()) + " x " + std::to_string(import.sheet.height()) +
           " pixels";
}

void setStripGrid(StripImport& import, std::string_view columnsText, std::string_view rowsText) {
    import.columnsText = std::string(columnsText);
    import.rowsText = std::string(rowsText);
    const int c = readInteger(columnsText), r = readInteger(rowsText);
    if (!validStripGrid(import.sheet, c, r)) return;
    import.previewFrames = cutStrip(import.sheet, c, r);
    import.previewPosition = 0;
}

const Image* advanceStripPreview(StripImport& import) {
    if (import.previewFrames.empty()) return nullptr;
    import.previewPosition = (import.previewPosition + 1) % import.previewFrames.size();
    return &import.previewFrames[import.previewPosition];
}

Image renderStripSheet(const StripImport& import, Rect region) {
    const Image& sheet = import.sheet;
    return renderCanvasRegion(sheet.width(), sheet.height(), region, [&](Image& view, int ox, int oy) {
        drawCheckerboard(view, ox, oy);
        drawOver(view, sheet, -ox, -oy);
    });
}

Image renderStripPreview(const StripImport& import, Size box) {
    Image out(box.width, box.height);
    if (out.empty() || import.previewFrames.empty()) return out;
    const Image cell = fitPicture(import.previewFrames[import.previewPosition % import.previewFrames.size()], box);
    if (cell.empty()) return out;
    Image shown(cell.width(), cell.height());
    drawCheckerboard(shown);
    drawOver(shown, cell, 0, 0);
    copyInto(out, shown, (box.width - cell.width()) / 2, (box.height - cell.height()) / 2);
    return out;
}

bool importStrip(Project& p, Dialogs& dialogs, const StripImport& import) {
    const int c = readInteger(import.columnsText), r = readInteger(import.rowsText);
    if (import.sprite >= p.sprites.size() || !validStripGrid(import.sheet, c, r)) {
        dialogs.error(kInvalidCellsMessage);
        return false;
    }
    const std::string& name = p.sprites[import.sprite].name;
    std::vector<Image> cells = cutStrip(import.sheet, c, r);
    std::erase_if(p.frames, [&](const Frame& f) { return f.sprite == name; });
    for (size_t k = 0; k < cells.size(); ++k) {
        Frame f;
        f.file = std::to_string(k);
        f.sprite = name;
        f.image = std::move(cells[k]);
        p.frames.push_back(std::move(f));
    }
    p.markModified();
    const int fw = import.sheet.width() / c, fh = import.sheet.height() / r;
    p.sprites.edit(import.sprite, [&](Sprite& s) {
        s.centerx = 0;
        s.centery = 0;
        s.collisionradius = fw / 2;
        s.collisionleft = 0;
        s.collisionright = fw;
        s.collisiontop = 0;
        s.collisionbottom = fh;
        s.spritewindow.position = 0;
    });
    p.markModified();
    refreshCanvasImages(p);
    return true;
}

} // namespace pondaro
