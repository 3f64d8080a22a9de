#pragma once
// The collision shape editor: the polygon ("Shape") of a sprite, its vertices being
// the project's Point records of that sprite in table order, closed from the last
// back to the first. The editor's state lives in the sprite (Sprite::shapeeditor);
// every function takes the sprite's index in the sprite table and does nothing for an
// index that is not there. Adding, moving and deleting a vertex marks the project
// modified (the points are stored with the project).
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "image/draw.h"
#include "project/model.h"

namespace pondaro {

inline constexpr Rgba kEdgeColour{255, 255, 0, 255};
inline constexpr Rgba kEdgeShadow{0, 0, 0, 255};
inline constexpr Rgba kFirstVertexColour{0, 100, 0, 255};
inline constexpr Rgba kVertexColour{255, 255, 255, 255};
inline constexpr Rgba kSelectedVertexColour{255, 10, 10, 255};

// The editor opens only for a sprite that has a picture: a frame with pixels, the one
// thing the editor can show and snap to (a sprite whose frames were all deleted still
// has its "no image" card). Otherwise "Please add a sprite image." is shown under
// "Message". True when it may open.
bool mayOpenShapeEditor(const Project& p, size_t sprite, Dialogs& dialogs);

// "Number of frames: " and the sprite's frame count.
std::string shapeFrameCountText(const Project& p, size_t sprite);

// The point-table indices of the sprite's vertices, in order.
std::vector<size_t> spriteVertexIndices(const Project& p, std::string_view sprite);
// The list's rows: "(x,y)" per vertex.
std::vector<std::string> vertexListRows(const Project& p, size_t sprite);

// Snapping is in force when "Snap to grid" is on and both grid sizes are above 0.
bool snapInForce(const CollisionEditorState& s);
// The image position of a canvas point: snapped down to the grid corner at or before
// it when snapping, then divided by the zoom.
void imagePosition(const CollisionEditorState& s, int canvasX, int canvasY, int& x, int& y);

// Left button down on the canvas: selects the last vertex within 5 screen pixels of
// the pointer, or appends a vertex at the pointer's image position and selects it. A
// press beside the canvas (where the view is larger than it) does nothing.
void pressShapeCanvas(Project& p, size_t sprite, int canvasX, int canvasY);
// Pointer movement: while dragging, the selected vertex follows.
void dragShapeCanvas(Project& p, size_t sprite, int canvasX, int canvasY);
void releaseShapeCanvas(Project& p, size_t sprite);

// A click on a list row.
void selectVertexRow(Project& p, size_t sprite, int row);
// "Delete": removes the selected vertex; nothing is selected afterwards.
void deleteSelectedVertex(Project& p, size_t sprite);
// Editing either grid field sets both sizes from the fields' texts.
void setShapeGrid(Project& p, size_t sprite, std::string_view widthText, std::string_view heightText);
void setShapeSnap(Project& p, size_t sprite, bool on);
// The zoom slider (1..8).
void setShapeZoom(Project& p, size_t sprite, int zoom);
// "<" and ">": no wrap-around.
void showPreviousShapeFrame(Project& p, size_t sprite);
void showNextShapeFrame(Project& p, size_t sprite);

// The frame shown (an index into the frame list), or -1 when the sprite has none.
int shownShapeFrame(const Project& p, size_t sprite);
// The canvas: the shown frame's size times the zoom.
int shapeCanvasWidth(const Project& p, size_t sprite);
int shapeCanvasHeight(const Project& p, size_t sprite);

// The visible region of the canvas: backdrop, the shown frame, the XOR grid when
// snapping, the polygon's yellow edges with black lines beside them, and the vertex
// markers (a dark green square on the first vertex; black rings filled white, or red
// for the selected vertex).
Image renderShapeCanvas(const Project& p, size_t sprite, Rect region);

} // namespace pondaro
