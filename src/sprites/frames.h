#pragma once
// The operations of the sprite frames editor on the project's frame list. A sprite's
// frames are the entries naming it, in list order; new frames go to the end of the
// list. Each operation takes the current frame (an index into the frame list, -1 for
// none) and returns the current frame afterwards; an index that is not a frame of the
// sprite changes nothing. Each that changes a frame marks the project modified at once,
// so a change is never lost without a question, whatever window is still open; closing
// the editor (commitFrameEdits) brings the pictures that show the frames up to date.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/ports.h"
#include "project/model.h"

namespace pondaro {

inline constexpr const char* kImageFileFilter =
    "Images (jpg, bmp, png)|*.jpg;*.bmp;*.png|JPG files (*.jpg)|*.jpg|BMP files (*.bmp)|*.bmp|PNG files (*.png)|*.png";
inline constexpr const char* kPngFileFilter = "PNG Images (*.png)|*.png";

// The list indices of the sprite's frames, in order.
std::vector<size_t> spriteFrameIndices(const Project& p, std::string_view sprite);
// True when `index` is an entry of the frame list that belongs to the sprite.
bool isFrameOf(const Project& p, std::string_view sprite, int index);
// The sprite's first frame, or -1.
int firstFrameIndex(const Project& p, std::string_view sprite);
// The number of a new frame: the sprite's last frame's number plus one, "0" when it
// has none.
std::string nextFrameNumber(const Project& p, std::string_view sprite);

// "Create new sprite": the sprite's frames are replaced by one transparent frame
// "0" of the size, which becomes current. A refused size (returned as the reason)
// changes nothing.
std::string createNewSprite(Project& p, std::string_view sprite, int width, int height, int& current);

// ---- Add new frame from file ------------------------------------------------------

enum class NewFrameSize { KeepOriginal, ResizeAll };
enum class NewFramePlacement { LeftTop, Centre, Stretch };
// The answers of the "Adding new frame" dialog, with the options selected when it
// opens.
struct AddFrameChoice {
    NewFrameSize size = NewFrameSize::ResizeAll;
    NewFramePlacement placement = NewFramePlacement::Stretch;
};
// What the "Adding new frame" dialog shows when the new image's size differs from
// the sprite's frames.
struct AddFrameQuestion {
    int frameWidth = 0, frameHeight = 0;  // the sprite's last frame
    int imageWidth = 0, imageHeight = 0;  // the loaded image
    std::string keepSizeCaption() const;   // "Keep the original image size (40 x 40)"
    std::string resizeAllCaption() const;  // "Resize all frames to the new image size (20 x 10)"
};
inline constexpr const char* kAddFrameTitle = "Adding new frame";
inline constexpr const char* kAddFrameTexts[] = {"The dimensions of the new image is different.",
                                                 "Please specify an action.", "Specify the placement of the images."};
inline constexpr const char* kPlacementCaptions[] = {"Place images at left-top (0, 0)", "Place images in center",
                                                     "Stretch images"};

// The question to ask before adding `image`, or nothing when it can be added as is
// (the sprite has no frame, or the sizes match).
std::optional<AddFrameQuestion> addFrameQuestion(const Project& p, std::string_view sprite, const Image& image);
// Appends the image as a new frame numbered after the last, first bringing the image
// or the existing frames to one size as the choice says. Returns the new frame's index.
int addNewFrame(Project& p, std::string_view sprite, Image image, const AddFrameChoice& choice);

// Asks the "Adding new frame" question; nothing means Cancel.
using AskAddFrameChoice = std::function<std::optional<AddFrameChoice>(const AddFrameQuestion&)>;
// The whole command: the open-file dialog "Select an image", loading (an unreadable
// file is reported and adds nothing), the question when the sizes differ, and the
// new frame, which becomes current.
int addNewFrameFromFile(Project& p, Dialogs& dialogs, std::string_view sprite, int current,
                        const AskAddFrameChoice& ask);

// ---- Ordering --------------------------------------------------------------------

// Appends a copy of the current frame, numbered after the sprite's last frame.
int duplicateFrame(Project& p, std::string_view sprite, int current);
// Exchanges the current frame with the entry just before (after) it when that is a
// frame of the same sprite; the numbers travel with the frames.
int moveFrameLeft(Project& p, std::string_view sprite, int current);
int moveFrameRight(Project& p, std::string_view sprite, int current);
// Removes the current frame; the sprite's first remaining frame becomes current.
int deleteFrame(Project& p, std::string_view sprite, int current);

// ---- PNG strip ---------------------------------------------------------------------

// The sprite's frames side by side, frame i at (i x w, 0), w x h being its last
// frame's size; empty when it has no frame with pixels.
Image spriteStrip(const Project& p, std::string_view sprite);
// The name the save dialog proposes: the folder, the sprite's name, "_strip" and the
// number of frames.
std::filesystem::path pngStripProposal(const std::filesystem::path& folder, std::string_view sprite, size_t frames);
// The file a PNG is written to for the name chosen in a save dialog: the name with
// ".png" appended, unless it ends in ".png" already (in any letter case), so that
// choosing "hero.png" writes hero.png and not hero.png.png.
std::string pngFileName(const std::string& chosen);
// "Save sprite as PNG strip": asks for a name (titled "Save sprite as PNG strip",
// proposing pngStripProposal in `folder`) and writes the strip to pngFileName of it.
// A sprite without frames asks nothing. A failed write is reported. True when a file
// was written.
bool saveSpriteAsPngStrip(const Project& p, Dialogs& dialogs, std::string_view sprite,
                          const std::filesystem::path& folder);

// ---- Leaving the editor ------------------------------------------------------------

// What closing the frames editor does, by " Done " or by its close box: the project is
// marked modified (the frames changed in place) and every object showing the sprite
// takes its new first frame (the panel's card follows the frame by itself).
void commitFrameEdits(Project& p, std::string_view sprite);

} // namespace pondaro
