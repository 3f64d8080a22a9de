#include "sprites/collision_editor.h"

#include <algorithm>

#include "base/integer_reader.h"
#include "sprites/frames.h"

namespace pondaro {

namespace {

const Sprite* spriteAt(const Project& p, size_t sprite) {
    return sprite < p.sprites.size() ? &p.sprites[sprite] : nullptr;
}

// The point-table index of the selected vertex, or -1.
long long selectedPoint(const Project& p, const Sprite& s) {
    if (s.shapeeditor.selectedrow < 0) return -1;
    const std::vector<size_t> vs = spriteVertexIndices(p, s.name);
    if (size_t(s.shapeeditor.selectedrow) >= vs.size()) return -1;
    return (long long)vs[size_t(s.shapeeditor.selectedrow)];
}

// The zoom slider's range is 1..8.
int zoomOf(const CollisionEditorState& st) { return std::clamp(st.zoom, 1, 8); }

} // namespace

bool mayOpenShapeEditor(const Project& p, size_t sprite, Dialogs& dialogs) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return false;
    for (size_t i : spriteFrameIndices(p, s->name))
        if (!p.frames[i].image.empty()) return true;
    dialogs.message("Please add a sprite image.");
    return false;
}

std::string shapeFrameCountText(const Project& p, size_t sprite) {
    const Sprite* s = spriteAt(p, sprite);
    return "Number of frames: " + std::to_string(s ? spriteFrameIndices(p, s->name).size() : 0);
}

std::vector<size_t> spriteVertexIndices(const Project& p, std::string_view sprite) {
    std::vector<size_t> out;
    for (size_t i = 0; i < p.points.size(); ++i)
        if (p.points[i].sprite == sprite) out.push_back(i);
    return out;
}

std::vector<std::string> vertexListRows(const Project& p, size_t sprite) {
    std::vector<std::string> rows;
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return rows;
    for (size_t i : spriteVertexIndices(p, s->name)) {
        std::string row(1, '(');
        row += std::to_string(p.points[i].x);
        row += ',';
        row += std::to_string(p.points[i].y);
        row += ')';
        rows.push_back(std::move(row));
    }
    return rows;
}

bool snapInForce(const CollisionEditorState& s) { return s.snap && s.gridwidth > 0 && s.gridheight > 0; }

void imagePosition(const CollisionEditorState& s, int canvasX, int canvasY, int& x, int& y) {
    const long long zoom = zoomOf(s);
    long long sx = canvasX, sy = canvasY;
    if (snapInForce(s)) {
        const long long stepX = (long long)s.gridwidth * zoom, stepY = (long long)s.gridheight * zoom;
        sx = floorDiv(sx, stepX) * stepX;
        sy = floorDiv(sy, stepY) * stepY;
    }
    x = int(floorDiv(sx, zoom));
    y = int(floorDiv(sy, zoom));
}

void pressShapeCanvas(Project& p, size_t sprite, int canvasX, int canvasY) {
    if (canvasX < 0 || canvasY < 0 || canvasX >= shapeCanvasWidth(p, sprite) || canvasY >= shapeCanvasHeight(p, sprite))
        return;
    p.sprites.tryEdit(sprite, [&](Sprite& s) {
        CollisionEditorState& st = s.shapeeditor;
        st.dragging = true;
        st.selectedrow = -1;
        const long long zoom = zoomOf(st);
        const std::vector<size_t> vs = spriteVertexIndices(p, s.name);
        for (size_t row = 0; row < vs.size(); ++row) {
            const long long px = p.points[vs[row]].x * zoom, py = p.points[vs[row]].y * zoom;
            if (px - 6 < canvasX && canvasX < px + 6 && py - 6 < canvasY && canvasY < py + 6) st.selectedrow = int(row);
        }
        if (st.selectedrow >= 0) return;
        Point pt;
        pt.sprite = s.name;
        imagePosition(st, canvasX, canvasY, pt.x, pt.y);
        p.points.push_back(std::move(pt));
        st.selectedrow = int(vs.size());
        p.markModified();
    });
}

void dragShapeCanvas(Project& p, size_t sprite, int canvasX, int canvasY) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s || !s->shapeeditor.dragging) return;
    const long long i = selectedPoint(p, *s);
    if (i < 0) return;
    Point& pt = p.points[size_t(i)];
    int x = 0, y = 0;
    imagePosition(s->shapeeditor, canvasX, canvasY, x, y);
    if (x == pt.x && y == pt.y) return;
    pt.x = x;
    pt.y = y;
    p.markModified();
}

void releaseShapeCanvas(Project& p, size_t sprite) {
    p.sprites.tryEdit(sprite, [](Sprite& s) { s.shapeeditor.dragging = false; });
}

void selectVertexRow(Project& p, size_t sprite, int row) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) {
        const int count = int(spriteVertexIndices(p, s.name).size());
        s.shapeeditor.selectedrow = row >= 0 && row < count ? row : -1;
    });
}

void deleteSelectedVertex(Project& p, size_t sprite) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) {
        const long long i = selectedPoint(p, s);
        if (i >= 0) {
            p.points.erase(p.points.begin() + i);
            p.markModified();
        }
        s.shapeeditor.selectedrow = -1;
    });
}

void setShapeGrid(Project& p, size_t sprite, std::string_view widthText, std::string_view heightText) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) {
        s.shapeeditor.gridwidth = readInteger(widthText);
        s.shapeeditor.gridheight = readInteger(heightText);
    });
}

void setShapeSnap(Project& p, size_t sprite, bool on) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) { s.shapeeditor.snap = on; });
}

void setShapeZoom(Project& p, size_t sprite, int zoom) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) { s.shapeeditor.zoom = std::clamp(zoom, 1, 8); });
}

void showPreviousShapeFrame(Project& p, size_t sprite) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) {
        const int count = int(spriteFrameIndices(p, s.name).size());
        s.shapeeditor.shownframe = std::clamp(s.shapeeditor.shownframe - 1, 0, std::max(count - 1, 0));
    });
}

void showNextShapeFrame(Project& p, size_t sprite) {
    p.sprites.tryEdit(sprite, [&](Sprite& s) {
        const int count = int(spriteFrameIndices(p, s.name).size());
        s.shapeeditor.shownframe = std::clamp(s.shapeeditor.shownframe + 1, 0, std::max(count - 1, 0));
    });
}

int shownShapeFrame(const Project& p, size_t sprite) {
    const Sprite* s = spriteAt(p, sprite);
    if (!s) return -1;
    const std::vector<size_t> frames = spriteFrameIndices(p, s->name);
    if (frames.empty()) return -1;
    return int(frames[size_t(std::clamp(s->shapeeditor.shownframe, 0, int(frames.size()) - 1))]);
}

int shapeCanvasWidth(const Project& p, size_t sprite) {
    const int f = shownShapeFrame(p, sprite);
    return f < 0 ? 0 : p.frames[size_t(f)].image.width() * zoomOf(p.sprites[sprite].shapeeditor);
}

int shapeCanvasHeight(const Project& p, size_t sprite) {
    const int f = shownShapeFrame(p, sprite);
    return f < 0 ? 0 : p.frames[size_t(f)].image.height() * zoomOf(p.sprites[sprite].shapeeditor);
}

Image renderShapeCanvas(const Project& p, size_t sprite, Rect region) {
    const Sprite* s = spriteAt(p, sprite);
    const int frame = shownShapeFrame(p, sprite);
    if (!s || frame < 0) return Image(region.width, region.height);
    const CollisionEditorState& st = s->shapeeditor;
    const int zoom = zoomOf(st);
    const Image& img = p.frames[size_t(frame)].image;
    const int cw = img.width() * zoom, ch = img.height() * zoom;
    return renderCanvasRegion(cw, ch, region, [&](Image& view, int ox, int oy) {
        drawCheckerboard(view, ox, oy);
        drawOverZoomed(view, img, zoom, ox, oy);
        if (snapInForce(st)) {
            const long long stepX = (long long)st.gridwidth * zoom, stepY = (long long)st.gridheight * zoom;
            const Rgba white{255, 255, 255, 255};
            for (long long x = (ox / stepX) * stepX; x < ox + view.width(); x += stepX)
                xorFillRect(view, int(x - ox), 0, 1, view.height(), white);
            for (long long y = (oy / stepY) * stepY; y < oy + view.height(); y += stepY)
                xorFillRect(view, 0, int(y - oy), view.width(), 1, white);
        }
        std::vector<std::pair<long long, long long>> at;  // vertices on the canvas
        for (size_t i : spriteVertexIndices(p, s->name))
            at.emplace_back((long long)p.points[i].x * zoom - ox, (long long)p.points[i].y * zoom - oy);
        for (size_t i = 0; i < at.size(); ++i) {
            const auto [x0, y0] = at[i];
            const auto [x1, y1] = at[(i + 1) % at.size()];
            for (auto [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
                drawLine(view, x0 + dx, y0 + dy, x1 + dx, y1 + dy, kEdgeShadow, ColourMode::Replace);
            drawLine(view, x0, y0, x1, y1, kEdgeColour, ColourMode::Replace);
        }
        // The markers after every edge, so that the closing edge never covers the
        // first vertex's square.
        for (size_t i = 0; i < at.size(); ++i) {
            const auto [x, y] = at[i];
            if (i == 0) fillRect(view, x - 4, y - 4, 9, 9, kFirstVertexColour, ColourMode::Replace);
            fillEllipse(view, x, y, 3, 3, kEdgeShadow, ColourMode::Replace);
            fillEllipse(view, x, y, 2, 2, int(i) == st.selectedrow ? kSelectedVertexColour : kVertexColour,
                        ColourMode::Replace);
        }
    });
}

} // namespace pondaro
