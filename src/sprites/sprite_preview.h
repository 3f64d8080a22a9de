#pragma once
// The sprite properties window: its animated preview and the rules of its fields and
// buttons. The preview state lives in the sprite (Sprite::spritewindow); every
// function takes the sprite's index and does nothing for an index that is not there.
// The origin and collision fields act on the sprite at once (its name and keywords wait
// for " Done ", project/naming.h): a change of a stored field marks the project
// modified, so that it is not lost without a question.
#include <cstddef>
#include <string>
#include <string_view>

#include "base/ports.h"
#include "image/draw.h"
#include "project/model.h"

namespace pondaro {

// The collision shape's colour in the preview.
inline constexpr Rgba kCollisionShapeColour{0, 255, 0, 90};

// The timer interval of a preview speed (frames per second, above 0).
int previewInterval(int speed);

// The timer tick, first half: counts the sprite's frames and takes their size (that of
// its last frame). Returns the frame list index of the frame at the animation
// position, or -1 when the sprite has none.
int updateSpritePreview(Project& p, size_t sprite);
// The timer tick, second half: the animation position advances and returns to 0
// after the last frame (it stays 0 without frames).
void advanceSpritePreview(Project& p, size_t sprite);
// "Size: w x h".
std::string spriteSizeText(const Project& p, size_t sprite);
// The canvas: the frame size times the preview zoom.
int spritePreviewWidth(const Project& p, size_t sprite);
int spritePreviewHeight(const Project& p, size_t sprite);

// The visible region of the preview canvas: the checkerboard backdrop, the frame at
// the animation position, the origin crosshair drawn by XOR, and (when shown) the
// collision shape the sprite names — "Box", "Circle" (centred on the frame, not on
// the origin) or "Shape" (the polygon of its points, filled from their average up to
// its edges) — in green with alpha 90.
Image renderSpritePreview(const Project& p, size_t sprite, Rect region);

// ---- Fields and buttons ------------------------------------------------------------

inline constexpr const char* kCollisionShapes[] = {"Circle", "Box", "Shape"};

// Origin X / Origin Y typed: taken only when not greater than the frame's width
// (height); otherwise the sprite keeps its origin. True when taken.
bool setOriginX(Project& p, size_t sprite, std::string_view text);
bool setOriginY(Project& p, size_t sprite, std::string_view text);
// A press or drag on the canvas: the origin becomes the canvas point divided by the
// zoom.
void dragOrigin(Project& p, size_t sprite, int canvasX, int canvasY);
// The left button on the preview: a press on the canvas starts dragging the origin
// there (a press beside it, where the view is larger than the canvas, does nothing);
// while dragging, the origin follows the pointer, also beyond the canvas's edges; the
// release ends the drag. True when the origin was set.
bool pressPreview(Project& p, size_t sprite, int canvasX, int canvasY);
bool dragPreview(Project& p, size_t sprite, int canvasX, int canvasY);
void releasePreview(Project& p, size_t sprite);
// "Center": the origin becomes (w div 2, h div 2) when the frame has a size. True
// when changed.
bool centerOrigin(Project& p, size_t sprite);
// Preview speed typed: a value above 0 becomes the speed (the window then restarts
// its timer with previewInterval); anything else is ignored. True when taken.
bool setPreviewSpeed(Project& p, size_t sprite, std::string_view text);
// The zoom slider (1..64).
void setPreviewZoom(Project& p, size_t sprite, int zoom);
// "Show collision shape".
void setShowCollision(Project& p, size_t sprite, bool shown);

// The drop-down box: collisionshape becomes its text.
void setCollisionShape(Project& p, size_t sprite, std::string_view shape);
// Radius, Left, Right, Top and Bottom typed: the field takes the value as typed, with no
// range check (text that is not a number reads as 0).
enum class CollisionField { Radius, Left, Right, Top, Bottom };
void setCollisionField(Project& p, size_t sprite, CollisionField field, std::string_view text);
int collisionField(const Sprite& s, CollisionField field);

} // namespace pondaro
