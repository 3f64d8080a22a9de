#include "resources/background_window.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/integer_reader.h"
#include "image/alpha_blocks.h"
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

// The cells' outlines over one view (see renderBackgroundPreview) as what each view row is XORed
// with. Every row of cells has its lines across at the same columns, and every column
// of cells its lines down at the same columns, so a row is XORed with the lines across
// (when an odd number of them lie on it), with the left lines (when it lies on an odd
// number of them) and with the right lines likewise: one of eight patterns, made once
// for the view. The copy of the picture into the view then XORs each row on the way.
class TileGridRows {
public:
    TileGridRows(int viewWidth, int viewHeight, int originX, int originY, Size picture, const TileGrid& g)
        : rows_(size_t(std::max(viewHeight, 0)), nullptr) {
        if (viewWidth <= 0 || viewHeight <= 0) return;
        const long long w = g.width, h = g.height;
        const long long columns = w > 0 ? picture.width / w : 0, rows = h > 0 ? picture.height / h : 0;
        // Across, a cell's lines reach from x to x + w - 1 (from x - 1 + w to x when w < 1);
        // down, from y to y + h (the right line starts a row lower).
        const long long spanX = std::max(w - 1, 0LL), spanY = std::max(h, 0LL);
        const long long backX = std::max(1 - w, 0LL), backY = std::max(1 - h, 0LL);
        const IndexRange is = visibleIndexes((long long)g.xoffset - backX, w + g.xspace, spanX + backX, columns,
                                             originX, (long long)originX + viewWidth - 1);
        const IndexRange js = visibleIndexes((long long)g.yoffset - backY, h + g.yspace, spanY + backY, rows, originY,
                                             (long long)originY + viewHeight - 1);
        if (!is.drawn || !js.drawn) return;

        // Which of the three kinds of line each view column and each view row lies on an
        // odd number of times, as running XORs of the places where a line starts or ends.
        enum : uint8_t { Across = 1, Left = 2, Right = 4 };
        std::vector<uint8_t> column(size_t(viewWidth) + 1, 0), row(size_t(viewHeight) + 1, 0);
        auto toggle = [](std::vector<uint8_t>& at, long long from, long long to, uint8_t kind) {
            const long long last = (long long)at.size() - 1;  // [from, to) clipped to the view
            from = std::clamp(from, 0LL, last), to = std::clamp(to, 0LL, last);
            if (from < to) at[size_t(from)] ^= kind, at[size_t(to)] ^= kind;
        };
        for (long long i = is.first; i <= is.last; ++i) {
            const long long x = g.xoffset + i * (w + g.xspace) - originX;
            if (w > 0) toggle(column, x, x + w, Across);
            if (h > 0) toggle(column, x, x + 1, Left), toggle(column, x + w - 1, x + w, Right);
        }
        for (long long j = js.first; j <= js.last; ++j) {
            const long long y = g.yoffset + j * (h + g.yspace) - originY;
            if (w > 0) toggle(row, y, y + 1, Across), toggle(row, y + h - 1, y + h, Across);
            if (h > 0) toggle(row, y, y + h, Left), toggle(row, y + 1, y + h + 1, Right);
        }
        for (size_t k = 1; k < column.size(); ++k) column[k] ^= column[k - 1];
        for (size_t k = 1; k < row.size(); ++k) row[k] ^= row[k - 1];

        for (int y = 0; y < viewHeight; ++y) {
            const uint8_t kinds = row[size_t(y)];
            if (kinds == 0) continue;
            std::vector<uint8_t>& mask = masks_[kinds];
            if (mask.empty()) {
                mask.assign(size_t(viewWidth) * 4, 0);
                for (int x = 0; x < viewWidth; ++x)
                    if (std::popcount(unsigned(column[size_t(x)] & kinds)) % 2)
                        mask[size_t(x) * 4] = mask[size_t(x) * 4 + 1] = mask[size_t(x) * 4 + 2] = 0xff;
            }
            rows_[size_t(y)] = mask.data();
        }
    }

    // What each view row is XORed with (nullptr: nothing), as copyInto takes it.
    const uint8_t* const* rows() const { return rows_.data(); }

private:
    std::array<std::vector<uint8_t>, 8> masks_;
    std::vector<const uint8_t*> rows_;
};

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

Size previewCanvasSize(const PreviewPicture& picture) {
    if (!picture.image) return {};
    return {picture.image->width(), picture.image->height()};
}

Image renderBackgroundPreview(const PreviewPicture& picture, const std::optional<TileGrid>& grid, Rect visible) {
    const Size canvas = previewCanvasSize(picture);
    if (!picture.image) return Image(std::max(visible.width, 0), std::max(visible.height, 0));
    auto draw = [&](Image& view, int originX, int originY) {
        if (!grid) return copyInto(view, *picture.shown, -originX, -originY);
        const TileGridRows lines(view.width(), view.height(), originX, originY, canvas, *grid);
        copyInto(view, *picture.shown, -originX, -originY, lines.rows());
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
