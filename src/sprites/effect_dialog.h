#pragma once
// What the dialogs of the image effects decide: the number rows and their ranges,
// the correction of typed numbers, the preview of the current frame and the "OK"
// that changes one frame or every frame of the sprite; and the two size dialogs
// ("Resize canvas" and "Stretch the images") that always change every frame.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/geometry.h"
#include "image/effects.h"
#include "project/model.h"
#include "sprites/frames_editor_commands.h"

namespace pondaro {

// ---- Number rows -------------------------------------------------------------------

// A typed number after correction: the value used, and the text the field is to be
// rewritten with when the typed value lay outside the range (the bound as text).
struct CorrectedNumber {
    int value = 0;
    std::optional<std::string> rewrite;
};
// Text that is not a number reads as 0 before it is compared with the range.
CorrectedNumber correctNumberField(std::string_view text, int low, int high);

// One row of the dialog: a caption, a slider and (unless hasField is false) a number
// field showing slider + offset, corrected to fieldMin..fieldMax when typed.
struct NumberRow {
    std::string caption;
    int sliderMin = 0, sliderMax = 0, sliderInitial = 0;
    int offset = 0;
    int fieldMin = 0, fieldMax = 0;
    bool hasField = true;

    int fieldValue(int slider) const { return slider + offset; }
    int sliderPosition(int fieldValue) const;
    std::string initialFieldText() const { return std::to_string(fieldValue(sliderInitial)); }
};

// The operation a command of the frames editor's Transform and Effects menus opens
// with a preview; nothing for Resize canvas, Stretch and the other commands.
std::optional<Effect> previewEffectOf(FramesCommand command);

// The dialog title of an operation, e.g. "Convert to grayscale".
const char* effectTitle(Effect effect);
// The number rows of an operation for a frame of w x h (Shift's ranges depend on it),
// in row order. Rotate has its angle slider without a field.
std::vector<NumberRow> effectNumberRows(Effect effect, int w, int h);

// Swap RGB channels: the option captions, in ChannelOrder order.
inline constexpr const char* kChannelOrderCaptions[] = {"RGB ==> RBG", "RGB ==> GRB", "RGB ==> GBR", "RGB ==> BRG",
                                                        "RGB ==> BGR"};
// Scale's preset buttons "1/4", "1/2", "2x" and "4x".
inline constexpr int kScalePresets[] = {25, 50, 200, 400};
// Rotate's option buttons "0", "90", "180", "270" preset these angles.
inline constexpr int kRotatePresets[] = {0, 90, 180, 270};

// ---- The preview dialog ------------------------------------------------------------

// The two canvases: the current frame as it is, and with the operation applied.
enum class PreviewPane { Original, Modified };

// One open preview dialog: which frame it shows, and the parameters as its controls
// show them. The frame's pixels stay in the project: the dialog is modal, so nothing
// changes them while it is open, and a large frame is not copied.
struct EffectPreview {
    Effect effect = Effect::Invert;
    std::string sprite;
    size_t frame = 0;           // index of the current frame in the frame list
    int width = 0, height = 0;  // its size
    EffectParams params;
    bool applyToAllFrames = true;  // the check box, checked when the dialog opens
    bool scaleLocked = true;       // Scale's "Lock", checked when the dialog opens
    // Rotate's option buttons: 0 to 3 the presets of kRotatePresets, 4 "Free".
    int rotateOption = 0;
    uint64_t nextNoiseSeed = 0;  // the seed of the next noise field drawn
};
inline constexpr int kRotateFree = 4;
inline constexpr const char* kRotateOptionCaptions[] = {"0", "90", "180", "270", "Free"};

// Opens the dialog for the frame at `current`: nothing for an index below 0, beyond
// the frame list, of another sprite's frame or of a frame without pixels. Noise draws
// its first field at once.
std::optional<EffectPreview> openEffectPreview(const Project& p, Effect effect, std::string_view sprite, int current,
                                               uint64_t seed);

// The value a row's field shows (Rotate's row, which has no field: the angle).
int rowValue(const EffectPreview& preview, size_t row);
// A slider moved or a corrected field: the row's parameter takes the value, limited to
// the field's range. With Scale's "Lock" the other percentage follows; moving Rotate's
// slider selects "Free".
void setRowValue(EffectPreview& preview, size_t row, int value);
// Rotate's option buttons: a preset moves the angle to its value; "Free" keeps it.
void chooseRotateOption(EffectPreview& preview, int option);
// Scale's buttons "1/4", "1/2", "2x" and "4x": both percentages.
void chooseScalePreset(EffectPreview& preview, int percent);
// Erase a color: a click on the "ORIGINAL" canvas takes the colour shown there (the
// frame over the backdrop) as the key; false outside the frame.
bool pickKeyColour(const Project& p, EffectPreview& preview, int x, int y);

// Every change of a control computes the preview again: Noise draws a new field, and
// "OK" then applies that same field.
void recomputePreview(EffectPreview& preview);

// The visible region of a pane's canvas (the frame's size): the checkerboard backdrop
// with the frame, or the operation's result, over it. Only the region is computed.
Image renderEffectPreview(const Project& p, const EffectPreview& preview, PreviewPane pane, Rect region);

// "OK": every frame of the sprite, in frame-list order, that is the current frame or
// (with applyToAllFrames) any of its frames, is replaced by the operation's result
// with the dialog's parameters. Frames without pixels are skipped. Returns how many
// frames changed; the project is marked modified when any did.
int applyEffectPreview(Project& p, const EffectPreview& preview);

// The colour shown at (x, y) of a canvas showing `frame` over the backdrop; nothing
// outside.
std::optional<Rgba> colourShownAt(const Image& frame, int x, int y);

// ---- The size dialogs (Resize canvas, Stretch) --------------------------------------

enum class SizeOperation { ResizeCanvas, Stretch };
// Resize canvas and Stretch; nothing for the other commands.
std::optional<SizeOperation> sizeOperationOf(FramesCommand command);

struct SizeDialog {
    SizeOperation operation = SizeOperation::ResizeCanvas;
    std::string sprite;
    int width = 0, height = 0;  // the sprite's current frame size
    bool keepAspectRatio = true;
    bool smooth = true;  // "Smooth (Interpolate pixels)", Stretch only
};

// Opens with the size of the sprite's frames (its last frame with pixels in frame-list
// order); nothing when it has none.
std::optional<SizeDialog> openSizeDialog(const Project& p, SizeOperation operation, std::string_view sprite);
const char* sizeDialogTitle(SizeOperation operation);

// With "Keep aspect ratio": the text the other field gets when one is edited,
// h x (new width / w) or w x (new height / h), with no decimals.
std::string heightForWidth(const SizeDialog& dialog, std::string_view widthText);
std::string widthForHeight(const SizeDialog& dialog, std::string_view heightText);

// A new frame size is refused when a side is below 1 or the picture would be larger
// than an image file may be; the text says why. Empty when the size is fine.
std::string frameSizeProblem(long long width, long long height);

// "OK" with the fields' texts: refused (returning the reason, nothing changed) or
// every frame of the sprite resized and the project marked modified; returns "" on
// success.
std::string applySizeDialog(Project& p, const SizeDialog& dialog, std::string_view widthText,
                            std::string_view heightText);

} // namespace pondaro
