#include "scene/scene_render.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "image/draw.h"
#include "project/canvas_pictures.h"
#include "scene/scene_canvas.h"
#include "scene/scene_pictures.h"

namespace pondaro {

namespace {

constexpr Rgba kSelectionXor{200, 64, 64, 255};
constexpr int kGhostAlpha = 150;
constexpr int kTileGhostAlpha = 200;
constexpr int kOtherLayerAlpha = 100;

int toInt(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN / 2, INT32_MAX / 2)); }
uint8_t channel(int v) { return uint8_t(std::clamp(v, 0, 255)); }

bool drawsInstances(const Scene& s, const SceneEditor& e) { return s.showobjects || e.tab == SceneTab::Objects; }
bool drawsTiles(const Scene& s, const SceneEditor& e) { return s.showtiles || e.tab == SceneTab::Tiles; }

// The pixel of the canvas at the image's top-left corner, and the canvas size.
struct View {
    int64_t ox = 0, oy = 0;
    int64_t sceneW = 0, sceneH = 0;
    SceneBox box(const Image& img) const { return {ox, oy, ox + img.width(), oy + img.height()}; }
};

// The scene colour and the background picture in one pass: each pixel of the view is
// written once, the picture's opaque runs copied, its transparent pixels showing the
// scene colour, exactly what filling and then drawing the picture over it gives.
void drawGround(Image& img, const View& v, const Scene& s, const Image* pic, Rgba colour) {
    if (!pic || pic->empty()) {
        img.fill(colour);
        return;
    }
    const int64_t pw = pic->width(), ph = pic->height();
    if (s.backgroundstretch) {
        if (v.sceneW <= 0 || v.sceneH <= 0) return img.fill(colour);
        std::vector<int> cols(static_cast<size_t>(img.width()));
        for (int x = 0; x < img.width(); ++x) cols[size_t(x)] = int((v.ox + x) * pw / v.sceneW);
        for (int y = 0; y < img.height(); ++y) {
            const int64_t sy = (v.oy + y) * ph / v.sceneH;
            const uint8_t* row = pic->data() + size_t(sy) * size_t(pw) * 4;
            uint8_t* d = img.data() + size_t(y) * img.width() * 4;
            for (int x = 0; x < img.width(); ++x, d += 4) {
                const uint8_t* p = row + size_t(cols[size_t(x)]) * 4;
                const Rgba out = p[3] == 255 ? Rgba{p[0], p[1], p[2], 255}
                                 : p[3] == 0 ? colour
                                             : blendOver(colour, {p[0], p[1], p[2], p[3]});
                d[0] = out.r, d[1] = out.g, d[2] = out.b, d[3] = out.a;
            }
        }
        return;
    }
    // Copies at 0, w, 2w, ... while the copy's corner lies within the scene: along a
    // tiled axis they cover the whole scene, along another only the first w (or h)
    // pixels, and the scene colour shows beyond.
    const bool tx = s.backgroundtilex != 0, ty = s.backgroundtiley != 0;
    const int64_t coveredW = tx ? INT64_MAX / 4 : pw, coveredH = ty ? INT64_MAX / 4 : ph;
    const int64_t right = std::clamp<int64_t>(coveredW - v.ox, 0, img.width());
    const int64_t bottom = std::clamp<int64_t>(coveredH - v.oy, 0, img.height());
    fillRect(img, int(right), 0, img.width() - int(right), img.height(), colour);
    fillRect(img, 0, int(bottom), int(right), img.height() - int(bottom), colour);
    if (right == 0 || bottom == 0) return;
    auto range = [](bool tiled, int64_t from, int64_t length, int64_t step, int64_t sceneSize) {
        if (!tiled) return std::pair<int64_t, int64_t>{0, from < step ? 0 : -1};
        const int64_t first = std::max<int64_t>(0, from / step);
        const int64_t last = std::min(sceneSize / step, (from + length - 1) / step);
        return std::pair<int64_t, int64_t>{first, last};
    };
    const auto [i0, i1] = range(tx, v.ox, img.width(), pw, v.sceneW);
    const auto [j0, j1] = range(ty, v.oy, img.height(), ph, v.sceneH);
    for (int64_t j = j0; j <= j1; ++j)
        for (int64_t i = i0; i <= i1; ++i) drawOverGround(img, *pic, toInt(i * pw - v.ox), toInt(j * ph - v.oy), colour);
}

struct DrawEntry {
    int depth;
    int kind;  // 0 instance, 1 tile
    uint32_t index;
};

void drawInstance(Image& img, const View& v, const Project& p, const GameObject& o) {
    const Origin origin = instanceOrigin(p, o);
    const int64_t left = int64_t(o.x) - origin.x - v.ox, top = int64_t(o.y) - origin.y - v.oy;
    if (hasCanvasImage(o)) {
        const Image& shown = o.displayImage && !o.displayImage->empty() ? *o.displayImage : *o.canvasImage;
        const int dx = (shown.width() - o.canvasImage->width()) / 2;
        const int dy = (shown.height() - o.canvasImage->height()) / 2;
        drawOver(img, shown, toInt(left - dx), toInt(top - dy));
    } else {
        drawOver(img, placeholderIcon(), toInt(int64_t(o.x) - 7 - v.ox), toInt(int64_t(o.y) - 7 - v.oy));
    }
    if (o.selected) xorFillRect(img, toInt(left), toInt(top), hitWidth(o), hitHeight(o), kSelectionXor);
}

void drawTile(Image& img, const View& v, const SceneEditor& e, const Tile& t) {
    const bool layerView = e.tab == SceneTab::Tiles && e.tileAction != TileAction::Place;
    const int opacity = layerView && t.depth != e.currentLayer ? kOtherLayerAlpha : 255;
    drawTile(img, t, int64_t(t.x) - v.ox, int64_t(t.y) - v.oy, opacity);
    if (t.selected) xorFillRect(img, toInt(int64_t(t.x) - v.ox), toInt(int64_t(t.y) - v.oy), t.width, t.height, kSelectionXor);
}

void drawRecords(Image& img, const View& v, const Project& p, const SceneEditor& e, const Scene& s) {
    const bool instances = drawsInstances(s, e), tiles = drawsTiles(s, e);
    if (!instances && !tiles) return;
    e.index.sync(p, e.scene);
    const SceneBox view = v.box(img);
    std::vector<uint32_t> found;
    std::vector<DrawEntry> list;
    if (instances) {
        e.index.instancesIn(view, found);
        for (uint32_t i : found) {
            const GameObject& o = p.objects[i];
            if (o.isTemplate() || o.scene != e.scene) continue;
            const auto [fw, fh] = e.index.frameExtent(o.sprite);
            if (instanceArea(p, o, fw, fh).meets(view)) list.push_back({o.depth, 0, i});
        }
    }
    if (tiles) {
        e.index.tilesIn(view, found);
        for (uint32_t i : found) {
            const Tile& t = p.tiles[i];
            if (t.scene == e.scene && tileArea(t).meets(view)) list.push_back({t.depth, 1, i});
        }
    }
    // The order a stable sort of the whole scene by depth would give, largest first,
    // so that smaller depths end on top.
    std::sort(list.begin(), list.end(), [](const DrawEntry& a, const DrawEntry& b) {
        if (a.depth != b.depth) return a.depth > b.depth;
        if (a.kind != b.kind) return a.kind < b.kind;
        return a.index < b.index;
    });
    for (const DrawEntry& d : list) {
        if (d.kind == 0) drawInstance(img, v, p, p.objects[d.index]);
        else drawTile(img, v, e, p.tiles[d.index]);
    }
}

void drawGrid(Image& img, const View& v, const Scene& s) {
    const int64_t g = gridStep(s);
    // Lines at i * g for i = 0 .. floor(size / g), each across the whole canvas, every
    // pixel inverted once per line through it (twice, so unchanged, where two cross).
    // Drawn row by row: a column at a time would touch a new row of memory per pixel.
    std::vector<int> columns;
    for (int64_t i = std::max<int64_t>(0, (v.ox + g - 1) / g), last = std::min(v.sceneW / g, (v.ox + img.width() - 1) / g);
         i <= last; ++i)
        columns.push_back(toInt(i * g - v.ox));
    const int64_t lastRow = std::min(v.sceneH / g * g, v.oy + img.height() - 1);
    for (int y = 0; y < img.height(); ++y) {
        const int64_t cy = v.oy + y;
        if (cy >= 0 && cy % g == 0 && cy <= lastRow) invertHLine(img, 0, y, img.width());
        uint8_t* row = img.data() + size_t(y) * size_t(img.width()) * 4;
        for (int x : columns) {
            uint8_t* d = row + size_t(x) * 4;
            d[0] ^= 0xff, d[1] ^= 0xff, d[2] ^= 0xff;
        }
    }
}

void drawGhost(Image& img, const View& v, const Project& p, const SceneEditor& e) {
    const std::optional<CellPos> ghost = ghostPosition(p, e);
    if (!ghost) return;
    const CellPos at = *ghost;
    if (e.tab == SceneTab::Objects) {
        if (e.placePreview && !e.placePreview->empty()) {
            int cx = 0, cy = 0;
            if (e.placePreviewSprite >= 0 && size_t(e.placePreviewSprite) < p.sprites.size()) {
                cx = p.sprites[size_t(e.placePreviewSprite)].centerx;
                cy = p.sprites[size_t(e.placePreviewSprite)].centery;
            }
            drawOver(img, *e.placePreview, toInt(int64_t(at.x) - cx - v.ox), toInt(int64_t(at.y) - cy - v.oy), kGhostAlpha);
        } else {
            drawOver(img, placeholderIcon(), toInt(int64_t(at.x) - 7 - v.ox), toInt(int64_t(at.y) - 7 - v.oy), kGhostAlpha);
        }
    } else {
        drawOver(img, *e.selectedTileImage, toInt(int64_t(at.x) - v.ox), toInt(int64_t(at.y) - v.oy), kTileGhostAlpha);
    }
}

// Draws the canvas part whose top-left pixel is (v.ox, v.oy) into img.
void drawCanvas(Image& img, const View& v, const Project& p, const SceneEditor& e, const Scene& s, bool ghost) {
    const bool background = !s.background.empty() && !e.backgroundPicture.empty();
    drawGround(img, v, s, background ? &e.backgroundPicture : nullptr, {channel(s.red), channel(s.green), channel(s.blue), 255});
    drawRecords(img, v, p, e, s);
    if (s.showgrid) drawGrid(img, v, s);
    if (ghost) drawGhost(img, v, p, e);
}

// The part of [0, w) x [0, h) inside the rectangle.
Rect clip(Rect r, int w, int h) {
    const int64_t x0 = std::max<int64_t>(r.x, 0), y0 = std::max<int64_t>(r.y, 0);
    const int64_t x1 = std::min<int64_t>(int64_t(r.x) + std::max(r.width, 0), w);
    const int64_t y1 = std::min<int64_t>(int64_t(r.y) + std::max(r.height, 0), h);
    if (x1 <= x0 || y1 <= y0) return {int(x0), int(y0), 0, 0};
    return {int(x0), int(y0), int(x1 - x0), int(y1 - y0)};
}

} // namespace

CanvasPicture renderScene(const Project& p, const SceneEditor& e, Rect visible) {
    CanvasPicture out;
    renderScene(p, e, visible, out);
    return out;
}

void renderScene(const Project& p, const SceneEditor& e, Rect visible, CanvasPicture& out) {
    const Scene* s = editedScene(p, e);
    const Rect r = s ? clip(visible, std::max(s->width, 0), std::max(s->height, 0)) : Rect{};
    out.x = r.x;
    out.y = r.y;
    if (r.width == 0) {
        out.image = Image();
        return;
    }
    // Every pixel is drawn, so a picture of the right size is drawn over as it is.
    if (out.image.width() != r.width || out.image.height() != r.height) out.image = Image(r.width, r.height);
    drawCanvas(out.image, {r.x, r.y, s->width, s->height}, p, e, *s, true);
}

std::string sceneStatusText(const Project& p, const SceneEditor& e) {
    const Scene* s = editedScene(p, e);
    if (!s || !drawsInstances(*s, e)) return {};
    e.index.sync(p, e.scene);
    // Drawn last = smallest depth, and the later in the table at one depth.
    const GameObject* last = nullptr;
    for (uint32_t i : e.index.instances()) {
        const GameObject& o = p.objects[i];
        if (o.selected && (!last || o.depth <= last->depth)) last = &o;
    }
    if (!last) return {};
    return "[" + last->templ + "] x:" + std::to_string(last->x) + " y:" + std::to_string(last->y);
}

Image renderSceneScaled(const Project& p, const SceneEditor& e, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    Image out(width, height);
    const Scene* s = editedScene(p, e);
    if (!s || s->width <= 0 || s->height <= 0) return out;
    const int64_t sw = s->width, sh = s->height;
    auto sample = [](int i, int n, int64_t size) { return int((2 * int64_t(i) + 1) * size / (2 * int64_t(n))); };

    // Sampled columns, gathered into runs no wider than kRun canvas pixels: one strip
    // is drawn per run and sampled row.
    constexpr int64_t kRun = 4096;
    struct Run {
        int first, last;  // output columns
        int x0, x1;       // canvas columns covered, [x0, x1)
    };
    std::vector<int> cols(static_cast<size_t>(width));
    for (int u = 0; u < width; ++u) cols[size_t(u)] = sample(u, width, sw);
    std::vector<Run> runs;
    for (int u = 0; u < width; ++u) {
        if (!runs.empty() && cols[size_t(u)] + 1 - runs.back().x0 <= kRun) {
            runs.back().last = u;
            runs.back().x1 = cols[size_t(u)] + 1;
        } else {
            runs.push_back({u, u, cols[size_t(u)], cols[size_t(u)] + 1});
        }
    }
    Image strip;
    for (int v = 0; v < height; ++v) {
        const int sy = sample(v, height, sh);
        for (const Run& run : runs) {
            if (strip.width() != run.x1 - run.x0) strip = Image(run.x1 - run.x0, 1);
            drawCanvas(strip, {run.x0, sy, sw, sh}, p, e, *s, false);
            for (int u = run.first; u <= run.last; ++u) out.setPixel(u, v, strip.pixel(cols[size_t(u)] - run.x0, 0));
        }
    }
    return out;
}

std::optional<CellPos> ghostPosition(const Project& p, const SceneEditor& e) {
    const Scene* s = editedScene(p, e);
    if (!s || !e.mouseInside || e.mouseX <= 0 || e.mouseX >= s->width || e.mouseY <= 0 || e.mouseY >= s->height)
        return std::nullopt;
    const bool placing = e.tab == SceneTab::Objects && e.objectAction == ObjectAction::Place && !e.objectToPlace.empty();
    const bool tiling = e.tab == SceneTab::Tiles && e.tileAction == TileAction::Place && e.selectedTileImage;
    if (!placing && !tiling) return std::nullopt;
    return placePosition(*s, e.mouseX, e.mouseY);
}

CanvasState canvasState(const Project& p, const SceneEditor& e) {
    CanvasState c;
    c.objects = p.objects.version();
    c.tiles = p.tiles.version();
    c.scenes = p.scenes.version();
    c.sprites = p.sprites.version();
    c.frames = p.frames.size();
    c.tab = e.tab;
    c.objectAction = e.objectAction;
    c.tileAction = e.tileAction;
    c.currentLayer = e.currentLayer;
    c.placePreview = e.placePreview.get();
    c.selectedTileImage = e.selectedTileImage.get();
    c.backgroundPicture = e.backgroundPicture.data();
    c.ghost = ghostPosition(p, e);
    return c;
}

std::optional<CanvasPicture> renderTilePicker(const SceneEditor& e, Rect visible) {
    const TileSelection& sel = e.tileSelection;
    if (!e.tileSetImage || e.tileSetImage->empty()) return std::nullopt;
    const Rect r = clip(visible, std::max(e.pickerWidth, 0), std::max(e.pickerHeight, 0));
    CanvasPicture out;
    out.x = r.x;
    out.y = r.y;
    if (r.width == 0) return out;
    out.image = Image(r.width, r.height);
    drawCheckerboard(out.image, r.x, r.y);
    drawOver(out.image, *e.tileSetImage, -r.x, -r.y);
    if (sel.width <= 0 || sel.height <= 0) return out;
    // The outline runs from (left, top) to (left + width, top + height) inclusive; the
    // sides skip the corner rows so that no pixel is inverted twice and cancelled.
    const int l = sel.left - r.x, t = sel.top - r.y;
    invertHLine(out.image, l, t, sel.width + 1);
    invertHLine(out.image, l, t + sel.height, sel.width + 1);
    invertVLine(out.image, l, t + 1, sel.height - 1);
    invertVLine(out.image, l + sel.width, t + 1, sel.height - 1);
    return out;
}

} // namespace pondaro
