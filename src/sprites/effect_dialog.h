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

#include "image/effects.h"
#include "project/model.h"

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

// One open preview dialog: the current frame as it was when the dialog opened, the
// parameters as the controls show them, and the result last computed.
struct EffectPreview {
    Effect effect = Effect::Invert;
    std::string sprite;
    size_t frame = 0;        // index of the current frame in the frame list
    Image original;          // the current frame's pixels
    EffectParams params;
    Image result;
    bool applyToAllFrames = true;  // the check box, checked when the dialog opens
    uint64_t noiseSeed = 0;        // advanced every time Noise draws a new field
};

// Opens the dialog for the frame at `current`: nothing for an index below 0, beyond
// the frame list, of another sprite's frame or of a frame without pixels. The result
// of the initial parameters is computed at once.
std::optional<EffectPreview> openEffectPreview(const Project& p, Effect effect, std::string_view sprite, int current,
                                               uint64_t seed);

// Computes the result again from the parameters (after any control changed). Noise
// draws a new field each time; "OK" then uses that same field.
void recomputePreview(EffectPreview& preview);

// "OK": every frame of the sprite, in frame-list order, that is the current frame or
// (with applyToAllFrames) any of its frames, is replaced by the operation's result
// with the dialog's parameters. Frames without pixels are skipped. Returns how many
// frames changed. Does not mark the project modified (the frames editor does).
int applyEffectPreview(Project& p, const EffectPreview& preview);

// What a preview canvas shows: the checkerboard backdrop with the image over it.
Image renderPreviewCanvas(const Image& image);
// The colour shown at (x, y) of the "ORIGINAL" canvas (the frame composited over the
// backdrop), which Erase a color takes as its key on a click; nothing outside.
std::optional<Rgba> colourShownAt(const Image& frame, int x, int y);

// ---- The size dialogs (Resize canvas, Stretch) --------------------------------------

enum class SizeOperation { ResizeCanvas, Stretch };

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
// every frame of the sprite resized; returns "" on success.
std::string applySizeDialog(Project& p, const SizeDialog& dialog, std::string_view widthText,
                            std::string_view heightText);

} // namespace pondaro
