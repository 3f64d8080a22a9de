#include "sprites/image_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "image/codecs.h"
#include "image/flood_fill.h"
#include "image/pixel_planes.h"
#include "image/resample.h"
#include "sprites/frames.h"

namespace pondaro {

namespace {

Rgba& colourOf(ImageEditor& ed, MouseButton b) { return b == MouseButton::Left ? ed.leftColour : ed.rightColour; }

PixelRect unite(PixelRect a, PixelRect b) {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

// The pixels from (x0, y0) to (x1, y1), both corners included, in either order.
PixelRect spanning(long long x0, long long y0, long long x1, long long y1) {
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1) + 1, std::max(y0, y1) + 1};
}

void touch(ImageEditor& ed, PixelRect area) { ed.changed = unite(ed.changed, area); }
void touchAll(ImageEditor& ed) { ed.changed = {0, 0, kMaxEditorCanvas, kMaxEditorCanvas}; }
void touchPointer(ImageEditor& ed) { touch(ed, spanning(ed.pointerX, ed.pointerY, ed.pointerX, ed.pointerY)); }

// A change to the frame's pixels: the project has something to save.
void changedPixels(Project& p) { p.markModified(); }

void setPointer(ImageEditor& ed, int canvasX, int canvasY) {
    ed.pointerX = int(floorDiv(canvasX, std::max(ed.zoom, 1)));
    ed.pointerY = int(floorDiv(canvasY, std::max(ed.zoom, 1)));
}

// The shape from the anchor to the pointer, drawn on a fresh copy of the frame.
void drawShape(const Image& frame, ImageEditor& ed) {
    // Where the previous shape was shows the frame again, where the new one is the shape.
    if (!ed.shapeBuffer.empty() && ed.shapeBuffer.width() == frame.width() && ed.shapeBuffer.height() == frame.height()) {
        const PixelRect old = ed.shapeArea;
        const PixelRect inside{std::max(old.x0, 0LL), std::max(old.y0, 0LL), std::min(old.x1, (long long)frame.width()),
                               std::min(old.y1, (long long)frame.height())};
        for (long long y = inside.y0; y < inside.y1 && inside.x0 < inside.x1; ++y) {
            const size_t at = (size_t(y) * size_t(frame.width()) + size_t(inside.x0)) * 4;
            std::copy_n(frame.data() + at, size_t(inside.x1 - inside.x0) * 4, ed.shapeBuffer.data() + at);
        }
    } else {
        ed.shapeBuffer = frame;
    }
    touch(ed, ed.shapeArea);
    const Rgba c = colourOf(ed, ed.shapeButton);
    const long long ax = ed.anchorX, ay = ed.anchorY, px = ed.pointerX, py = ed.pointerY;
    const long long rx = std::llabs(px - ax), ry = std::llabs(py - ay);
    ed.shapeArea = ed.tool == EditorTool::Ellipse ? spanning(ax - rx, ay - ry, ax + rx, ay + ry) : spanning(ax, ay, px, py);
    touch(ed, ed.shapeArea);
    switch (ed.tool) {
    case EditorTool::Line: drawLine(ed.shapeBuffer, ax, ay, px, py, c, ed.mode); break;
    case EditorTool::Rectangle:
        fillRect(ed.shapeBuffer, std::min(ax, px), std::min(ay, py), std::llabs(px - ax) + 1, std::llabs(py - ay) + 1, c,
                 ed.mode);
        break;
    case EditorTool::Ellipse: fillEllipse(ed.shapeBuffer, ax, ay, rx, ry, c, ed.mode); break;
    default: break;
    }
}

bool isShapeTool(EditorTool t) { return t == EditorTool::Line || t == EditorTool::Rectangle || t == EditorTool::Ellipse; }

void erasePixel(Image& img, const ImageEditor& ed) {
    if (!img.contains(ed.pointerX, ed.pointerY)) return;
    Rgba px = img.pixel(ed.pointerX, ed.pointerY);
    px.a = uint8_t(255 - ed.opacity);
    img.setPixel(ed.pointerX, ed.pointerY, px);
}

void pick(ImageEditor& ed, const Image& img, MouseButton b) {
    // Outside the frame there is no colour to take.
    if (!img.contains(ed.pointerX, ed.pointerY)) return;
    const Rgba px = img.pixel(ed.pointerX, ed.pointerY);
    colourOf(ed, b) = px;
    ed.opacity = px.a;
}

void showFrame(Project& p, ImageEditor& ed, size_t position) {
    ed.position = position;
    touchAll(ed);
    ed.shapeActive = false;
    ed.shapeBuffer = Image{};
    ed.leftHeld = ed.rightHeld = false;
    if (const Image* img = editedImage(p, ed)) ed.undo = *img;
    // A frame that does not fit the zoom any more goes back to 1:1.
    if (const Image* img = editedImage(p, ed); img && !zoomAllowed(*img, ed.zoom)) ed.zoom = 1;
}

} // namespace

std::optional<ImageEditor> openImageEditor(const Project& p, std::string_view sprite, int frame) {
    if (!isFrameOf(p, sprite, frame) || p.frames[size_t(frame)].image.empty()) return std::nullopt;
    ImageEditor ed;
    ed.sprite = std::string(sprite);
    ed.frames = spriteFrameIndices(p, sprite);
    ed.position = size_t(std::find(ed.frames.begin(), ed.frames.end(), size_t(frame)) - ed.frames.begin());
    ed.undo = p.frames[size_t(frame)].image;
    return ed;
}

Image* editedImage(Project& p, const ImageEditor& ed) {
    return const_cast<Image*>(editedImage(static_cast<const Project&>(p), ed));
}

const Image* editedImage(const Project& p, const ImageEditor& ed) {
    if (ed.position >= ed.frames.size()) return nullptr;
    const size_t i = ed.frames[ed.position];
    if (i >= p.frames.size() || p.frames[i].sprite != ed.sprite) return nullptr;
    return &p.frames[i].image;
}

void pressButton(Project& p, ImageEditor& ed, MouseButton button, int canvasX, int canvasY) {
    Image* img = editedImage(p, ed);
    if (!img) return;
    // One stroke at a time: a second button pressed during a stroke is ignored.
    if (ed.leftHeld || ed.rightHeld) return;
    (button == MouseButton::Left ? ed.leftHeld : ed.rightHeld) = true;
    setPointer(ed, canvasX, canvasY);
    // A stroke continues from where it starts, not from where the pointer was when
    // the refresh timer last looked.
    ed.recordedX = ed.pointerX;
    ed.recordedY = ed.pointerY;
    const Rgba colour = colourOf(ed, button);
    switch (ed.tool) {
    case EditorTool::Draw:
        ed.undo = *img;
        putPixel(*img, ed.pointerX, ed.pointerY, colour, ed.mode);
        touchPointer(ed);
        changedPixels(p);
        break;
    case EditorTool::Erase:
        ed.undo = *img;
        erasePixel(*img, ed);
        touchPointer(ed);
        changedPixels(p);
        break;
    case EditorTool::Picker: pick(ed, *img, button); break;
    case EditorTool::Line:
    case EditorTool::Rectangle:
    case EditorTool::Ellipse:
        ed.undo = *img;
        ed.anchorX = ed.pointerX;
        ed.anchorY = ed.pointerY;
        ed.shapeButton = button;
        ed.shapeActive = true;
        ed.shapeBuffer = Image{};
        ed.shapeArea = {};
        // The shape exists from the press on, so a click without a drag leaves its
        // one-pixel shape and a release never takes a stale buffer.
        drawShape(*img, ed);
        break;
    case EditorTool::Fill:
        ed.undo = *img;
        floodFill(*img, ed.pointerX, ed.pointerY, colour);
        touchAll(ed);
        changedPixels(p);
        break;
    }
}

void movePointer(Project& p, ImageEditor& ed, int canvasX, int canvasY) {
    setPointer(ed, canvasX, canvasY);
    Image* img = editedImage(p, ed);
    if (!img || !(ed.leftHeld || ed.rightHeld)) return;
    const MouseButton held = ed.leftHeld ? MouseButton::Left : MouseButton::Right;
    switch (ed.tool) {
    case EditorTool::Draw:
        if (ed.pointerX != ed.recordedX || ed.pointerY != ed.recordedY) {
            // The segment's first pixel was painted by the press or the previous
            // segment; painting it again would darken a blended stroke at every joint.
            const Rgba colour = colourOf(ed, held);
            forEachLinePixel(ed.recordedX, ed.recordedY, ed.pointerX, ed.pointerY, imageRect(*img),
                             [&](long long x, long long y) {
                                 if (x == ed.recordedX && y == ed.recordedY) return;
                                 putPixel(*img, x, y, colour, ed.mode);
                             });
            touch(ed, spanning(ed.recordedX, ed.recordedY, ed.pointerX, ed.pointerY));
            changedPixels(p);
            ed.recordedX = ed.pointerX;
            ed.recordedY = ed.pointerY;
        }
        break;
    case EditorTool::Erase:
        erasePixel(*img, ed);
        touchPointer(ed);
        changedPixels(p);
        break;
    case EditorTool::Picker: pick(ed, *img, held); break;
    case EditorTool::Line:
    case EditorTool::Rectangle:
    case EditorTool::Ellipse:
        if (ed.shapeActive) drawShape(*img, ed);
        break;
    case EditorTool::Fill: break;
    }
}

void releaseButton(Project& p, ImageEditor& ed, MouseButton button, int canvasX, int canvasY) {
    bool& held = button == MouseButton::Left ? ed.leftHeld : ed.rightHeld;
    if (!held) return;
    held = false;
    setPointer(ed, canvasX, canvasY);
    if (ed.shapeActive && ed.shapeButton == button) {
        ed.shapeActive = false;
        Image* img = editedImage(p, ed);
        if (img && isShapeTool(ed.tool) && ed.shapeBuffer.width() == img->width() &&
            ed.shapeBuffer.height() == img->height()) {
            *img = std::move(ed.shapeBuffer);
            changedPixels(p);
        }
        touch(ed, ed.shapeArea);
        ed.shapeBuffer = Image{};
    }
}

void refreshTick(ImageEditor& ed) {
    ed.recordedX = ed.pointerX;
    ed.recordedY = ed.pointerY;
}

void undoLastChange(Project& p, ImageEditor& ed) {
    Image* img = editedImage(p, ed);
    if (!img || ed.undo.width() != img->width() || ed.undo.height() != img->height()) return;
    if (*img == ed.undo) return;
    *img = ed.undo;
    touchAll(ed);
    changedPixels(p);
}

void previousFrame(Project& p, ImageEditor& ed) {
    if (ed.position > 0) showFrame(p, ed, ed.position - 1);
}

void nextFrame(Project& p, ImageEditor& ed) {
    if (ed.position + 1 < ed.frames.size()) showFrame(p, ed, ed.position + 1);
}

bool zoomAllowed(const Image& img, int zoom) {
    if (zoom == 1) return true;
    return zoom > 1 && (long long)img.width() * zoom <= kMaxEditorCanvas &&
           (long long)img.height() * zoom <= kMaxEditorCanvas;
}

void zoomIn(const Project& p, ImageEditor& ed) {
    const Image* img = editedImage(p, ed);
    if (img && zoomAllowed(*img, ed.zoom + 1)) ++ed.zoom;
    touchAll(ed);
}

void zoomOut(ImageEditor& ed) {
    ed.zoom = std::max(1, ed.zoom - 1);
    touchAll(ed);
}

void resetZoom(ImageEditor& ed) {
    ed.zoom = 1;
    touchAll(ed);
}

void wheelZoom(const Project& p, ImageEditor& ed, int steps) {
    const Image* img = editedImage(p, ed);
    if (!img) return;
    const long long wanted = std::max(1LL, (long long)ed.zoom - steps);
    if (wanted <= kMaxEditorCanvas && zoomAllowed(*img, int(wanted))) ed.zoom = int(wanted);
    touchAll(ed);
}

void setOpacity(ImageEditor& ed, int opacity) { ed.opacity = std::clamp(opacity, 0, 255); }

void setOpacityFromBar(ImageEditor& ed, int x) {
    ed.opacity = int(std::clamp(std::lround(x / 84.0 * 255.0), 0L, 255L));
    ed.leftColour.a = uint8_t(ed.opacity);
    ed.rightColour.a = uint8_t(ed.opacity);
}

void setColourFromPalette(ImageEditor& ed, MouseButton button, Rgba colour) {
    colour.a = uint8_t(ed.opacity);
    colourOf(ed, button) = colour;
}

void pickFromPalette(ImageEditor& ed, MouseButton button, const Image& palette, int x, int y) {
    if (palette.empty()) return;
    setColourFromPalette(ed, button, palette.pixel(std::clamp(x, 0, palette.width() - 1),
                                                   std::clamp(y, 0, palette.height() - 1)));
}

bool chooseButtonColour(ImageEditor& ed, MouseButton button, Dialogs& dialogs) {
    const std::optional<int> chosen = dialogs.chooseColour(colourNumber(colourOf(ed, button)));
    if (!chosen) return false;
    colourOf(ed, button) = colourOfNumber(*chosen, uint8_t(ed.opacity));
    return true;
}

Image renderOpacityBar(int opacity) {
    Image bar(85, 20);
    bar.fill({255, 255, 255, 255});
    const long long w = std::lround(std::clamp(opacity, 0, 255) / 255.0 * 85.0);
    fillRect(bar, 0, 0, w, 20, {100, 200, 100, 255}, ColourMode::Replace);
    drawRectOutline(bar, 0, 0, 85, 19, {0, 0, 0, 255}, ColourMode::Replace);
    return bar;
}

void newImage(Project& p, ImageEditor& ed, Dialogs& dialogs) {
    Image* img = editedImage(p, ed);
    if (!img || !dialogs.confirm("Create a new empty image?")) return;
    img->fill({0, 0, 0, 0});
    ed.undo = *img;
    touchAll(ed);
    changedPixels(p);
}

void openImage(Project& p, ImageEditor& ed, Dialogs& dialogs) {
    Image* img = editedImage(p, ed);
    if (!img) return;
    const std::string file = dialogs.chooseFileToOpen("Select an image", kImageFileFilter);
    if (file.empty()) return;
    Image loaded;
    if (Status s = loadImage(file, loaded); !s) {
        dialogs.error(s.message());
        return;
    }
    if (loaded.width() != img->width() || loaded.height() != img->height())
        loaded = resizeSmooth(loaded, img->width(), img->height());
    *img = std::move(loaded);
    ed.undo = *img;
    touchAll(ed);
    changedPixels(p);
}

bool saveImage(const Project& p, const ImageEditor& ed, Dialogs& dialogs, const std::filesystem::path& folder) {
    const Image* img = editedImage(p, ed);
    if (!img) return false;
    const std::string name = dialogs.chooseFileToSave("Save image as PNG ", kPngFileFilter, folder / ed.sprite);
    if (name.empty()) return false;
    if (Status s = savePng(*img, pngFileName(name)); !s) {
        dialogs.error(s.message());
        return false;
    }
    return true;
}

int canvasWidth(const Project& p, const ImageEditor& ed) {
    const Image* img = editedImage(p, ed);
    return img ? img->width() * ed.zoom : 0;
}

int canvasHeight(const Project& p, const ImageEditor& ed) {
    const Image* img = editedImage(p, ed);
    return img ? img->height() * ed.zoom : 0;
}

namespace {

// The two forms a view is drawn in: RGBA pixels as an Image holds them, and colour rows
// with no alpha as an opaque bitmap of a window holds them.
struct RgbaOut {
    static constexpr size_t kBytes = 4;
    static void over(uint8_t* to, const uint8_t* under, const uint8_t* src, size_t n) {
        overOpaqueRow(to, under, src, n);
    }
};
struct RgbOut {
    static constexpr size_t kBytes = 3;
    static void over(uint8_t* to, const uint8_t* under, const uint8_t* src, size_t n) {
        overOpaqueRowRgb(to, under, src, n);
    }
};

// Inverts the colour of n pixels in the form Out (alpha, where there is one, stays).
template <class Out>
void invertCopy(const uint8_t* from, uint8_t* to, int n) {
    const size_t bytes = size_t(n) * Out::kBytes;
    uint64_t mask = ~uint64_t(0);
    if constexpr (Out::kBytes == 4) mask = 0x00ffffff00ffffffULL;
    size_t i = 0;
    for (; i + 8 <= bytes; i += 8) {
        uint64_t w;
        std::memcpy(&w, from + i, 8);
        w ^= mask;
        std::memcpy(to + i, &w, 8);
    }
    for (; i < bytes; ++i) to[i] = uint8_t(from[i] ^ uint8_t(mask >> (8 * (i % 8))));
}

// Draws the view of the canvas pixels from (ox, oy) on into the rows of `out`, each
// `stride` bytes after the one above, in the form Out. Each view pixel is the backdrop
// (the 800 x 800 checkerboard stretched by repeating pixels to cover the canvas) with the
// frame pixel under it blended over. A view row depends only on its frame row and on
// which grey its backdrop row starts with: a row like the one above is copied.
template <class Out>
void drawView(const Image& shown, int zoom, bool grid, int cw, int ch, int ox, int oy, int vw, int vh, uint8_t* out,
              size_t stride) {
    const long long sw = std::max(800, cw), sh = std::max(800, ch);
    const size_t n = size_t(vw);
    // The two backdrop rows (starting dark or light) and the frame column of each view pixel.
    std::vector<uint8_t> backdrop[2] = {std::vector<uint8_t>(n * 4), std::vector<uint8_t>(n * 4)};
    std::vector<int> column(n);
    for (size_t i = 0; i < n; ++i) {
        const long long x = ox + (long long)i;
        const bool light = (x * 800 / sw >> 4) & 1;
        std::memcpy(&backdrop[0][i * 4], light ? &kCheckerLight : &kCheckerDark, 4);
        std::memcpy(&backdrop[1][i * 4], light ? &kCheckerDark : &kCheckerLight, 4);
        column[i] = int(x / zoom);
    }
    const int firstGridColumn = (zoom - ox % zoom) % zoom;
    const size_t rowBytes = n * Out::kBytes;
    std::vector<uint8_t> frameRow(zoom == 1 ? 0 : n * 4);
    // With the grid the made row (its grid columns inverted) is kept apart, since the
    // view rows on horizontal grid lines differ from it.
    std::vector<uint8_t> plain(grid ? rowBytes : 0);
    long long madeKey = -1;
    for (int j = 0; j < vh; ++j) {
        const int y = oy + j, sy = y / zoom;
        const int lightRow = int(((long long)y * 800 / sh >> 4) & 1);
        const long long key = (long long)sy * 2 + lightRow;
        uint8_t* row = out + size_t(j) * stride;
        if (key != madeKey) {
            madeKey = key;
            const uint8_t* from = shown.data() + size_t(sy) * size_t(shown.width()) * 4;
            if (zoom == 1) {
                from += size_t(ox) * 4;
            } else {
                for (size_t i = 0; i < n; ++i) std::memcpy(&frameRow[i * 4], from + size_t(column[i]) * 4, 4);
                from = frameRow.data();
            }
            Out::over(grid ? plain.data() : row, backdrop[lightRow].data(), from, n);
            if (!grid) continue;
            for (int i = firstGridColumn; i < vw; i += zoom)
                for (size_t c = 0; c < 3; ++c) plain[size_t(i) * Out::kBytes + c] ^= 255;
        } else if (!grid) {
            std::memcpy(row, row - stride, rowBytes);
            continue;
        }
        // The grid inverts the pixels beneath: on a horizontal line every pixel, and
        // where it crosses a vertical one, inverting twice gives it back.
        if (y % zoom == 0)
            invertCopy<Out>(plain.data(), row, vw);
        else
            std::memcpy(row, plain.data(), rowBytes);
    }
}

// What the view shows: the shape being dragged, else the frame.
const Image& shownImage(const ImageEditor& ed, const Image& img) {
    return ed.shapeActive && ed.shapeBuffer.width() == img.width() && ed.shapeBuffer.height() == img.height()
               ? ed.shapeBuffer
               : img;
}

} // namespace

Image renderImageEditorView(const Project& p, const ImageEditor& ed, Rect region) {
    const Image* img = editedImage(p, ed);
    if (!img) return Image(region.width, region.height);
    const int zoom = std::max(ed.zoom, 1);
    const int cw = img->width() * zoom, ch = img->height() * zoom;
    const bool grid = ed.grid && zoom >= 4;
    return renderCanvasRegion(cw, ch, region, [&](Image& view, int ox, int oy) {
        drawView<RgbaOut>(shownImage(ed, *img), zoom, grid, cw, ch, ox, oy, view.width(), view.height(), view.data(),
                          size_t(view.width()) * 4);
    });
}

void drawImageEditorView(const Project& p, const ImageEditor& ed, Rect region, const RgbRows& out) {
    const Image* img = editedImage(p, ed);
    if (!img || !out.data) return;
    const int zoom = std::max(ed.zoom, 1);
    const int cw = img->width() * zoom, ch = img->height() * zoom;
    // The part of the region on the canvas and in `out`.
    const long long x0 = std::max(region.x, 0), y0 = std::max(region.y, 0);
    const long long x1 = std::min({(long long)region.x + std::max(region.width, 0), (long long)cw,
                                   (long long)region.x + std::max(out.width, 0)});
    const long long y1 = std::min({(long long)region.y + std::max(region.height, 0), (long long)ch,
                                   (long long)region.y + std::max(out.height, 0)});
    if (x0 >= x1 || y0 >= y1) return;
    uint8_t* at = out.row(int(y0 - region.y)) + size_t(x0 - region.x) * 3;
    drawView<RgbOut>(shownImage(ed, *img), zoom, ed.grid && zoom >= 4, cw, ch, int(x0), int(y0), int(x1 - x0),
                     int(y1 - y0), at, out.stride);
}

Rect takeChangedCanvasArea(ImageEditor& ed) {
    const PixelRect c = ed.changed;
    ed.changed = {};
    if (c.empty()) return {};
    // Image pixels to canvas pixels, kept within what a canvas can be.
    const long long z = std::max(ed.zoom, 1), limit = (long long)kMaxEditorCanvas * z;
    auto at = [&](long long v) { return int(std::clamp(v * z, 0LL, limit)); };
    return {at(c.x0), at(c.y0), at(c.x1) - at(c.x0), at(c.y1) - at(c.y0)};
}

std::array<std::string, 3> statusTexts(const Project& p, const ImageEditor& ed) {
    const Image* img = editedImage(p, ed);
    const int w = img ? img->width() : 0, h = img ? img->height() : 0;
    return {"Dimension: " + std::to_string(w) + " x " + std::to_string(h),
            "X:Y = " + std::to_string(ed.pointerX) + ":" + std::to_string(ed.pointerY),
            "Zoom: " + std::to_string(ed.zoom * 100) + "%"};
}

} // namespace pondaro
