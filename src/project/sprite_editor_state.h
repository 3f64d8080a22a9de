#pragma once
// Editor-only state kept with each sprite while the project is open (never stored in
// the project file): what its properties window and its collision shape editor show.
// A loaded or new sprite starts with these values.

namespace pondaro {

// The sprite properties window's animated preview.
struct SpriteWindowState {
    bool showcollision = true;  // "Show collision shape"
    int zoom = 1;               // 1..64
    int speed = 30;             // frames per second
    int position = 0;           // the animation position
    int framecount = 0;         // frames counted at the last repaint
    int width = 0;              // the current frame size
    int height = 0;
    bool draggingorigin = false;
};

// The collision shape editor.
struct CollisionEditorState {
    int zoom = 1;  // 1..8
    bool snap = true;
    int gridwidth = 5;  // image pixels
    int gridheight = 5;
    int shownframe = 0;     // among the sprite's frames
    int selectedrow = -1;   // the selected vertex, counted among the sprite's vertices
    bool dragging = false;
};

} // namespace pondaro
