// The collision shape editor: snapping, vertex hits, editing and the canvas.
#include <gtest/gtest.h>

#include <functional>

#include "image/image_test_util.h"
#include "sprites/collision_editor.h"
#include "support/fake_ports.h"

using namespace pondaro;
using namespace pondaro::testing;

namespace {

struct Shape {
    Shape() {
        s = addSprite(p, "s");
        addSprite(p, "t");
        addFrame(p, "s", "0", filled(40, 40, {0, 0, 255, 255}));
        addFrame(p, "s", "1", filled(20, 20, {0, 0, 255, 255}));
    }
    const CollisionEditorState& st() const { return p.sprites[s].shapeeditor; }
    template <class Change>
    void editState(Change change) {
        p.sprites.edit(s, [&](Sprite& sprite) { change(sprite.shapeeditor); });
    }
    std::vector<std::string> rows() { return vertexListRows(p, s); }
    void click(int x, int y) {
        pressShapeCanvas(p, s, x, y);
        releaseShapeCanvas(p, s);
    }
    Project p;
    size_t s = 0;
};

} // namespace

TEST(ShapeEditorSnap, GridCornersAtOrBeforeThePointer) {
    Shape e;
    e.editState([&](auto& r) { r.zoom = 2; });
    e.click(27, 13);
    EXPECT_EQ(e.rows(), std::vector<std::string>{"(10,5)"});
    e.editState([&](auto& r) { r.snap = false; r.zoom = 3; });
    e.click(10, 10);
    EXPECT_EQ(e.rows().back(), "(3,3)");
    // Grid sizes of 0 or less turn snapping off instead of dividing by them.
    e.editState([&](auto& r) { r.snap = true; r.zoom = 1; });
    setShapeGrid(e.p, e.s, "0", "5");
    e.click(33, 34);
    EXPECT_EQ(e.rows().back(), "(33,34)");
    setShapeGrid(e.p, e.s, "-4", "x");
    EXPECT_FALSE(snapInForce(e.st()));
    int x = 0, y = 0;
    setShapeGrid(e.p, e.s, "8", "8");
    imagePosition(e.st(), -3, 9, x, y);  // left of the canvas stays left of it
    EXPECT_EQ(x, -8);
    EXPECT_EQ(y, 8);
}

TEST(ShapeEditorEdit, HitsSelectAppendsAddAndDragsMove) {
    Shape e;
    e.editState([&](auto& r) { r.snap = false; });
    e.click(10, 10);
    e.click(30, 10);
    EXPECT_EQ(e.st().selectedrow, 1);
    e.click(15, 14);  // within 5 pixels of (10, 10): selected, nothing added
    EXPECT_EQ(e.rows().size(), 2u);
    EXPECT_EQ(e.st().selectedrow, 0);
    e.click(16, 10);  // 6 pixels away: a new vertex
    EXPECT_EQ(e.rows().size(), 3u);
    EXPECT_EQ(e.st().selectedrow, 2);

    pressShapeCanvas(e.p, e.s, 30, 10);
    dragShapeCanvas(e.p, e.s, 31, 22);
    releaseShapeCanvas(e.p, e.s);
    dragShapeCanvas(e.p, e.s, 0, 0);  // no longer dragging
    EXPECT_EQ(e.rows(), (std::vector<std::string>{"(10,10)", "(31,22)", "(16,10)"}));

    // Two vertices on one spot: the later one in order is selected.
    e.click(31, 22);  // hits vertex 1
    e.p.points.push_back({"s", 31, 22});
    e.click(31, 22);
    EXPECT_EQ(e.st().selectedrow, 3);
    // Another sprite's points are not its vertices.
    e.p.points.insert(e.p.points.begin(), Point{"t", 10, 10});
    e.click(10, 10);
    EXPECT_EQ(e.st().selectedrow, 0);
    EXPECT_EQ(e.p.points[1].x, 10);
}

TEST(ShapeEditorEdit, DeleteRemovesTheSelectedRowOnly) {
    Shape e;
    e.editState([&](auto& r) { r.snap = false; });
    e.p.points = {{"s", 1, 1}, {"t", 2, 2}, {"s", 3, 3}, {"s", 4, 4}};
    deleteSelectedVertex(e.p, e.s);  // nothing selected
    EXPECT_EQ(e.p.points.size(), 4u);
    selectVertexRow(e.p, e.s, 1);
    deleteSelectedVertex(e.p, e.s);
    EXPECT_EQ(e.rows(), (std::vector<std::string>{"(1,1)", "(4,4)"}));
    EXPECT_EQ(e.st().selectedrow, -1);
    selectVertexRow(e.p, e.s, 7);
    EXPECT_EQ(e.st().selectedrow, -1);
    EXPECT_EQ(e.p.points[1].sprite, "t");
}

TEST(ShapeEditorCanvas, EdgesOutlinesAndMarkers) {
    Shape e;
    e.editState([&](auto& r) { r.snap = false; });
    e.p.points = {{"s", 5, 5}, {"s", 35, 5}, {"s", 35, 35}};
    selectVertexRow(e.p, e.s, 1);
    Image c = renderShapeCanvas(e.p, e.s, {0, 0, 40, 40});
    EXPECT_EQ(c.pixel(20, 5), kEdgeColour);            // first edge
    EXPECT_EQ(c.pixel(20, 4), kEdgeShadow);            // black above it
    EXPECT_EQ(c.pixel(20, 6), kEdgeShadow);            // and below
    EXPECT_EQ(c.pixel(35, 20), kEdgeColour);           // second edge
    EXPECT_EQ(c.pixel(20, 20), kEdgeColour);           // the closing edge
    EXPECT_EQ(c.pixel(5, 5), kVertexColour);           // inner circle of the first vertex
    EXPECT_EQ(c.pixel(5, 8), kEdgeShadow);             // its black ring
    EXPECT_EQ(c.pixel(1, 9), kFirstVertexColour);      // the 9 x 9 square's corner
    EXPECT_EQ(c.pixel(35, 5), kSelectedVertexColour);  // the selected vertex
    EXPECT_EQ(c.pixel(35, 35), kVertexColour);
    EXPECT_EQ(c.pixel(30, 10), (Rgba{0, 0, 255, 255}));  // the frame beneath

    // Deleting the first vertex makes the next one first: the square moves there.
    selectVertexRow(e.p, e.s, 0);
    deleteSelectedVertex(e.p, e.s);
    Image after = renderShapeCanvas(e.p, e.s, {0, 0, 40, 40});
    EXPECT_EQ(after.pixel(31, 1), kFirstVertexColour);
    EXPECT_EQ(after.pixel(1, 9), (Rgba{0, 0, 255, 255}));

    // A single vertex: its markers and no visible edge.
    e.p.points = {{"s", 20, 20}};
    Image one = renderShapeCanvas(e.p, e.s, {0, 0, 40, 40});
    EXPECT_EQ(one.pixel(20, 20), kVertexColour);
    EXPECT_EQ(countPixels(one, kEdgeColour), 0);
}

TEST(ShapeEditorCanvas, GridByXorOnlyWhenSnapping) {
    Shape e;
    e.editState([&](auto& r) { r.zoom = 2; });  // grid every 10 canvas pixels
    Image c = renderShapeCanvas(e.p, e.s, {0, 0, 80, 80});
    EXPECT_EQ(c.pixel(10, 3), (Rgba{255, 255, 0, 255}));  // blue inverted
    EXPECT_EQ(c.pixel(11, 3), (Rgba{0, 0, 255, 255}));
    EXPECT_EQ(c.pixel(10, 10), (Rgba{0, 0, 255, 255}));  // two XORs cancel where lines cross
    // A region that starts inside the canvas sees the same lines.
    Image part = renderShapeCanvas(e.p, e.s, {15, 15, 10, 10});
    EXPECT_EQ(part.pixel(5, 2), (Rgba{255, 255, 0, 255}));
    e.editState([&](auto& r) { r.snap = false; });
    EXPECT_EQ(renderShapeCanvas(e.p, e.s, {0, 0, 80, 80}).pixel(10, 3), (Rgba{0, 0, 255, 255}));
}

TEST(ShapeEditorOpen, NeedsAFrameWithPixels) {
    Shape e;
    FakeDialogs d;
    EXPECT_TRUE(mayOpenShapeEditor(e.p, e.s, d));
    EXPECT_TRUE(d.shown.empty());
    // "t" has no frame: no picture to draw a shape on.
    const size_t t = 1;
    EXPECT_FALSE(mayOpenShapeEditor(e.p, t, d));
    EXPECT_EQ(d.shown, (std::vector<Shown>{{"Message", "Please add a sprite image."}}));
    addFrame(e.p, "t", "0", Image{});
    EXPECT_FALSE(mayOpenShapeEditor(e.p, t, d));
    EXPECT_FALSE(mayOpenShapeEditor(e.p, 99, d));
    EXPECT_EQ(shapeFrameCountText(e.p, e.s), "Number of frames: 2");
}

TEST(ShapeEditorEdits, MarkTheProjectModifiedOnlyWhenAPointChanges) {
    Shape e;
    e.editState([&](auto& r) { r.snap = false; });
    struct Step {
        const char* what;
        std::function<void(Shape&)> act;
        bool marks;
    };
    const Step steps[] = {
        {"press beside the 40 x 40 canvas", [](Shape& s) { pressShapeCanvas(s.p, s.s, 45, 10); }, false},
        {"append", [](Shape& s) { pressShapeCanvas(s.p, s.s, 10, 10); }, true},
        {"drag to the same spot", [](Shape& s) { dragShapeCanvas(s.p, s.s, 10, 10); }, false},
        {"drag", [](Shape& s) { dragShapeCanvas(s.p, s.s, 12, 10); }, true},
        {"release and select", [](Shape& s) { releaseShapeCanvas(s.p, s.s), selectVertexRow(s.p, s.s, 0); }, false},
        {"press on the vertex", [](Shape& s) { pressShapeCanvas(s.p, s.s, 12, 10); }, false},
        {"delete", [](Shape& s) { deleteSelectedVertex(s.p, s.s); }, true},
        {"delete with nothing selected", [](Shape& s) { deleteSelectedVertex(s.p, s.s); }, false},
    };
    for (const Step& step : steps) {
        e.p.clearModified();
        step.act(e);
        EXPECT_EQ(e.p.modified(), step.marks) << step.what;
    }
    EXPECT_TRUE(e.rows().empty());
}
