#include "sprites/image_editor.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "image/codecs.h"
#include "image/flood_fill.h"
#include "image/resample.h"
#include "sprites/frames.h"

namespace pondaro {

namespace {

Rgba& colourOf(ImageEditor& ed, MouseButton b) { return b == MouseButton::Left ? ed.leftColour : ed.rightColour; }

void setPointer(ImageEditor& ed, int canvasX, int canvasY) {
    ed.pointerX = int(floorDiv(canvasX, std::max(ed.zoom, 1)));
    ed.pointerY = int(floorDiv(canvasY, std::max(ed.zoom, 1)));
}

// The shape from the anchor to the pointer, drawn on a fresh copy of the frame.
void drawShape(const Image& frame, ImageEditor& ed) {
    ed.shapeBuffer = frame;
    const Rgba c = colourOf(ed, ed.shapeButton);
    const long long ax = ed.anchorX, ay = ed.anchorY, px = ed.pointerX, py = ed.pointerY;
    switch (ed.tool) {
    case EditorTool::Line: drawLine(ed.shapeBuffer, ax, ay, px, py, c, ed.mode); break;
    case EditorTool::Rectangle:
        fillRect(ed.shapeBuffer, std::min(ax, px), std::min(ay, py), std::llabs(px - ax) + 1, std::llabs(py - ay) + 1, c,
                 ed.mode);
        break;
    case EditorTool::Ellipse: fillEllipse(ed.shapeBuffer, ax, ay, std::llabs(px - ax), std::llabs(py - ay), c, ed.mode); break;
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
    ed.shapeActive = false;
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
        break;
    case EditorTool::Erase:
        ed.undo = *img;
        erasePixel(*img, ed);
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
        // The shape exists from the press on, so a click without a drag leaves its
        // one-pixel shape and a release never takes a stale buffer.
        drawShape(*img, ed);
        break;
    case EditorTool::Fill:
        ed.undo = *img;
        floodFill(*img, ed.pointerX, ed.pointerY, colour);
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
            ed.recordedX = ed.pointerX;
            ed.recordedY = ed.pointerY;
        }
        break;
    case EditorTool::Erase: erasePixel(*img, ed); break;
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
            ed.shapeBuffer.height() == img->height())
            *img = std::move(ed.shapeBuffer);
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
    *img = ed.undo;
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
}

void zoomOut(ImageEditor& ed) { ed.zoom = std::max(1, ed.zoom - 1); }

void resetZoom(ImageEditor& ed) { ed.zoom = 1; }

void wheelZoom(const Project& p, ImageEditor& ed, int steps) {
    const Image* img = editedImage(p, ed);
    if (!img) return;
    const long long wanted = std::max(1LL, (long long)ed.zoom - steps);
    if (wanted <= kMaxEditorCanvas && zoomAllowed(*img, int(wanted))) ed.zoom = int(wanted);
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
}

bool saveImage(const Project& p, const ImageEditor& ed, Dialogs& dialogs) {
    const Image* img = editedImage(p, ed);
    if (!img) return false;
    const std::string name = dialogs.chooseFileToSave("Save image as PNG ", kPngFileFilter, {});
    if (name.empty()) return false;
    if (Status s = savePng(*img, name + ".png"); !s) {
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

Image renderImageEditorView(const Project& p, const ImageEditor& ed, Rect region) {
    const Image* img = editedImage(p, ed);
    if (!img) return Image(region.width, region.height);
    const int cw = img->width() * ed.zoom, ch = img->height() * ed.zoom;
    const Image& shown = ed.shapeActive && ed.shapeBuffer.width() == img->width() &&
                                 ed.shapeBuffer.height() == img->height()
                             ? ed.shapeBuffer
                             : *img;
    return renderCanvasRegion(cw, ch, region, [&](Image& view, int ox, int oy) {
        // The 800 x 800 backdrop stretched by repeating pixels to cover the canvas.
        const long long sw = std::max(800, cw), sh = std::max(800, ch);
        for (int j = 0; j < view.height(); ++j) {
            const long long by = (long long)(oy + j) * 800 / sh;
            uint8_t* d = view.data() + size_t(j) * view.width() * 4;
            for (int i = 0; i < view.width(); ++i, d += 4) {
                const long long bx = (long long)(ox + i) * 800 / sw;
                const Rgba c = (((bx >> 4) + (by >> 4)) & 1) ? kCheckerLight : kCheckerDark;
                d[0] = c.r, d[1] = c.g, d[2] = c.b, d[3] = c.a;
            }
        }
        drawOverZoomed(view, shown, ed.zoom, ox, oy);
        if (ed.grid && ed.zoom >= 4) {
            const Rgba white{255, 255, 255, 255};
            for (int i = 0; i <= img->width(); ++i) xorFillRect(view, i * ed.zoom - ox, -oy, 1, ch, white);
            for (int i = 0; i <= img->height(); ++i) xorFillRect(view, -ox, i * ed.zoom - oy, cw, 1, white);
        }
    });
}

std::array<std::string, 3> statusTexts(const Project& p, const ImageEditor& ed) {
    const Image* img = editedImage(p, ed);
    const int w = img ? img->width() : 0, h = img ? img->height() : 0;
    return {"Dimension: " + std::to_string(w) + " x " + std::to_string(h),
            "X:Y = " + std::to_string(ed.pointerX) + ":" + std::to_string(ed.pointerY),
            "Zoom: " + std::to_string(ed.zoom * 100) + "%"};
}

} // namespace pondaro
