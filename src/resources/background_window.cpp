#include "resources/background_window.h"

#include <algorithm>

#include "base/integer_reader.h"
#include "image/codecs.h"
#include "image/draw.h"
#include "image/thumbnail_cards.h"
#include "project/naming.h"
#include "project/working_folder.h"
#include "resources/chosen_files.h"
#include "resources/record_windows.h"

namespace pondaro {

namespace fs = std::filesystem;

namespace {

long long ceilDiv(long long a, long long b) { return -floorDiv(-a, b); }

// The indexes i of 0 ... last whose cells, at position origin + i * step and reaching
// `extent` pixels on from there, touch the pixels [from, to]; `copies` is how often
// each is drawn (cells that all fall on one place are drawn once per index, and XOR
// drawing an even number of times leaves nothing).
struct IndexRange {
    long long first = 0, last = -1;
    bool drawn = true;
};
IndexRange visibleIndexes(long long origin, long long step, long long extent, long long last, long long from,
                          long long to) {
    IndexRange r;
    // Cell i covers [origin + i * step, origin + i * step + extent].
    const long long lo = from - extent, hi = to;
    if (step == 0) {
        if (origin < lo || origin > hi) return r;
        r.first = r.last = 0;
        r.drawn = (last + 1) % 2 == 1;
        return r;
    }
    if (step > 0) r.first = ceilDiv(lo - origin, step), r.last = floorDiv(hi - origin, step);
    else r.first = ceilDiv(hi - origin, step), r.last = floorDiv(lo - origin, step);
    r.first = std::max(r.first, 0LL);
    r.last = std::min(r.last, last);
    return r;
}

// XOR with white over the rectangle, given in canvas pixels, of the view showing the
// canvas from (originX, originY) on.
void invertArea(Image& view, long long x, long long y, long long w, long long h, int originX, int originY) {
    if (w <= 0 || h <= 0) return;
    const long long x0 = std::max(x - originX, 0LL), y0 = std::max(y - originY, 0LL);
    const long long x1 = std::min(x - originX + w, (long long)view.width());
    const long long y1 = std::min(y - originY + h, (long long)view.height());
    if (x0 >= x1 || y0 >= y1) return;
    xorFillRect(view, int(x0), int(y0), int(x1 - x0), int(y1 - y0), {255, 255, 255, 255});
}

// After the background took a new picture: the tiles starting beyond it go, the others
// show it.
void fitTilesToPicture(Project& p, const std::string& background, const std::shared_ptr<const Image>& picture) {
    p.tiles.removeIf([&](const Tile& t) {
        return t.background == background && (t.left > picture->width() || t.top > picture->height());
    });
    p.tiles.editEach([&](Tile& t) {
        if (t.background != background) return;
        t.picture = picture;
        t.pictureMissing = false;
    });
}

} // namespace

PreviewPicture PreviewPicture::of(std::shared_ptr<const Image> image) {
    PreviewPicture picture;
    if (!image || image->empty()) return picture;
    auto shown = std::make_shared<Image>(Image::unfilled(image->width(), image->height()));
    drawOnCheckerboard(*shown, *image, AlphaBlocks(*image), 0, 0);
    picture.shownBlocks = AlphaBlocks(*shown);
    picture.shown = std::move(shown);
    picture.image = std::move(image);
    return picture;
}

BackgroundDraft backgroundDraft(const Project& p, const fs::path& root, const Background& b) {
    BackgroundDraft draft;
    draft.file = b.file;
    if (b.picture) {
        draft.picture = PreviewPicture::of(b.picture);
    } else if (const fs::path file = b.file.empty() ? fs::path() : mediaFilePath(p, root, b.file); !file.empty()) {
        Image picture;
        if (loadImage(file, picture)) draft.picture = PreviewPicture::of(std::make_shared<const Image>(std::move(picture)));
    }
    return draft;
}

std::string fileLabel(const BackgroundDraft& draft) { return "File: " + draft.file; }

bool selectBackgroundImage(BackgroundDraft& draft, Dialogs& dialogs) {
    const std::string path = dialogs.chooseFileToOpen(kSelectImageTitle, kImageFilter);
    if (path.empty()) return false;
    Image picture;
    if (Status s = loadImage(path, picture); !s) {
        dialogs.error("The file '" + path + "' cannot be used as the background's picture: " + s.message());
        return false;
    }
    draft.file = fs::path(path).filename().string();
    draft.chosen = path;
    draft.picture = PreviewPicture::of(std::make_shared<const Image>(std::move(picture)));
    return true;
}

TileGrid readTileGrid(const std::array<std::string, 6>& t) {
    return {readInteger(t[0]), readInteger(t[1]), readInteger(t[2]),
            readInteger(t[3]), readInteger(t[4]), readInteger(t[5])};
}

std::array<int, 6> tileGridValues(const TileGrid& g) {
    return {g.width, g.height, g.xoffset, g.yoffset, g.xspace, g.yspace};
}

TileGrid tileGridOf(const Background& b) {
    return {b.tilewidth, b.tileheight, b.tilexoffset, b.tileyoffset, b.tilexspace, b.tileyspace};
}

void drawTileGrid(Image& view, int originX, int originY, Size picture, const TileGrid& g) {
    if (view.empty()) return;
    const long long w = g.width, h = g.height;
    const long long columns = w > 0 ? picture.width / w : 0, rows = h > 0 ? picture.height / h : 0;
    // Across, a cell's lines reach from x to x + w - 1 (from x - 1 + w to x when w < 1);
    // down, from y to y + h (the right line starts a row lower).
    const long long spanX = std::max(w - 1, 0LL), spanY = std::max(h, 0LL);
    const long long backX = std::max(1 - w, 0LL), backY = std::max(1 - h, 0LL);
    const IndexRange is = visibleIndexes((long long)g.xoffset - backX, w + g.xspace, spanX + backX, columns, originX,
                                         (long long)originX + view.width() - 1);
    const IndexRange js = visibleIndexes((long long)g.yoffset - backY, h + g.yspace, spanY + backY, rows, originY,
                                         (long long)originY + view.height() - 1);
    if (!is.drawn || !js.drawn) return;
    for (long long j = js.first; j <= js.last; ++j) {
        const long long y = g.yoffset + j * (h + g.yspace);
        for (long long i = is.first; i <= is.last; ++i) {
            const long long x = g.xoffset + i * (w + g.xspace);
            invertArea(view, x, y, w, 1, originX, originY);
            invertArea(view, x, y, 1, h, originX, originY);
            invertArea(view, x, y + h - 1, w, 1, originX, originY);
            invertArea(view, x + w - 1, y + 1, 1, h, originX, originY);
        }
    }
}

Size previewCanvasSize(const PreviewPicture& picture) {
    if (!picture.image) return {};
    return {picture.image->width(), picture.image->height()};
}

Image renderBackgroundPreview(const PreviewPicture& picture, const std::optional<TileGrid>& grid, Rect visible) {
    const Size canvas = previewCanvasSize(picture);
    if (!picture.image) return Image(std::max(visible.width, 0), std::max(visible.height, 0));
    auto draw = [&](Image& view, int originX, int originY) {
        drawOnCheckerboard(view, *picture.shown, picture.shownBlocks, originX, originY);
        if (grid) drawTileGrid(view, originX, originY, canvas, *grid);
    };
    const bool inside = visible.x >= 0 && visible.y >= 0 && visible.width > 0 && visible.height > 0 &&
                        (long long)visible.x + visible.width <= canvas.width &&
                        (long long)visible.y + visible.height <= canvas.height;
    if (!inside) return renderCanvasRegion(canvas.width, canvas.height, visible, draw);
    // Every pixel is drawn, so the view need not be cleared first.
    Image view = Image::unfilled(visible.width, visible.height);
    draw(view, visible.x, visible.y);
    return view;
}

bool applyBackgroundWindow(Project& p, Dialogs& dialogs, const fs::path& root, const std::string& record,
                           const Background& fields, BackgroundDraft& draft) {
    const size_t index = indexForApply(p.backgrounds, record);
    Background stored = fields;
    stored.file = draft.file;
    if (!showApplyResult(applyBackground(p, index, stored), dialogs)) return false;
    if (draft.chosen.empty() || !draft.picture.image) return true;

    draft.file = takeChosenFile(p, dialogs, root, draft.chosen, kPictureFileLimit);
    draft.chosen.clear();
    const std::shared_ptr<const Image>& picture = draft.picture.image;
    p.backgrounds.edit(index, [&](Background& b) {
        b.file = draft.file;
        b.picture = picture;
        b.preview = thumbnailCard(*picture);
    });
    fitTilesToPicture(p, p.backgrounds[index].name, picture);
    return true;
}

} // namespace pondaro
