#pragma once
// The seventeen operations of the sprite frames editor's "Transform" and "Effects"
// menus, each a pure function from a frame's image and its parameters to a new image.
//
// Every result is written as onto a fresh transparent image by "over" compositing,
// which stores the computed pixel exactly except that a pixel with alpha 0 becomes
// (0, 0, 0, 0). Where a formula rounds, it rounds in single precision as noted.
#include <cstdint>
#include <vector>

#include "base/geometry.h"
#include "image/image.h"
#include "image/rotate.h"

namespace pondaro {

// ---- Rounding as the formulas use it ----------------------------------------------

// Luminance: 0.2126 r + 0.7152 g + 0.0722 b with the weights as single-precision
// constants, the sum rounded to single precision, then half away from zero.
uint8_t luminance(uint8_t r, uint8_t g, uint8_t b);

// ---- Per-pixel effects -------------------------------------------------------------

Image grayscale(const Image& src);
// Hue 0..359: each colour channel times the factor of that hue at full saturation
// and value, rounded to nearest with ties to even.
Image colorize(const Image& src, int hue);
// The three factors of a hue (0..359) as the colorize formula uses them.
struct HueFactors {
    float red, green, blue;
};
HueFactors hueFactors(int hue);
// Each channel plus its delta, limited to 0..255.
Image colorBalance(const Image& src, int deltaRed, int deltaGreen, int deltaBlue);

// Which old channels become the new red, green and blue.
enum class ChannelOrder { RBG, GRB, GBR, BRG, BGR };
Image swapChannels(const Image& src, ChannelOrder order);

Image invert(const Image& src);
// Level -255..255 added to every colour channel, limited to 0..255.
Image brightness(const Image& src, int level);
// Alpha becomes ceil(a / 100 x percent) in single precision.
Image opacity(const Image& src, int percent);
// Each colour channel becomes min(255, N x round(c / N)); a level below 1 counts as 1.
Image posterize(const Image& src, int level);

// The noise of one preview: per pixel 1 + a random whole number 0..level. It is drawn
// when the preview is computed and reused, unchanged, for every frame "OK" changes.
struct NoiseField {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> values;  // row by row
};
// Level 0..100 (clamped); `seed` chooses the random numbers.
NoiseField makeNoiseField(int width, int height, int level, uint64_t seed);
// The entries of that same width x height field that lie in `part` (clipped to it), as
// a field of the part's size: each entry depends only on the seed and its place, so a
// preview can draw the part it shows and "OK" the whole field, and both agree.
NoiseField makeNoiseField(int width, int height, int level, uint64_t seed, Rect part);
// Adds the field's value to each colour channel (limited to 255). A frame larger than
// the field repeats the field, so no pixel reads outside it.
Image noise(const Image& src, const NoiseField& field);

// Pixels whose luminance lies within `tolerance` of the key colour's become
// (0, 0, 0, 0); the others keep their channels.
Image eraseColour(const Image& src, Rgba key, int tolerance);
Image makeOpaque(const Image& src);

// ---- Transforms that keep the frame's size ----------------------------------------

// The frame drawn at (dx, dy); with a wrap also one frame-size to either side, so
// what leaves on one edge comes back on the other.
Image shift(const Image& src, int dx, int dy, bool wrapHorizontally, bool wrapVertically);
Image mirror(const Image& src, bool horizontally, bool vertically);
// Rotate is rotate() of image/rotate.h, where every turn of a picture lives.
// Resamples the frame by area averaging to the percentages of its size and centres
// the result on the unchanged canvas.
Image scale(const Image& src, int percentHorizontal, int percentVertical);

// ---- Transforms that change the frame's size --------------------------------------

// A transparent width x height canvas with the old frame centred on it, cut off or
// surrounded by transparency; nothing is resampled.
Image resizeCanvas(const Image& src, int width, int height);
// The frame resized to width x height, smoothly or by repeating and dropping pixels.
Image stretch(const Image& src, int width, int height, bool smooth);

// ---- The fifteen operations of the preview dialog ---------------------------------

enum class Effect {
    Shift,
    Mirror,
    Rotate,
    Scale,
    Grayscale,
    Colorize,
    ColorBalance,
    SwapChannels,
    Invert,
    Brightness,
    Opacity,
    Posterize,
    Noise,
    EraseColour,
    MakeOpaque,
};

// Every parameter any operation reads, with the values the dialog starts with.
struct EffectParams {
    int hue = 0;
    int deltaRed = 0, deltaGreen = 0, deltaBlue = 0;
    ChannelOrder order = ChannelOrder::RBG;
    int level = 0;  // Brightness, Posterize, Noise: the "Level" field
    int percent = 100;
    uint64_t noiseSeed = 0;  // Noise: the field is makeNoiseField(w, h, level, noiseSeed)
    Rgba key{0, 0, 0, 255};
    int tolerance = 0;
    int shiftX = 0, shiftY = 0;
    bool wrapHorizontally = false, wrapVertically = false;
    bool mirrorHorizontally = false, mirrorVertically = false;
    int angle = 0;
    int scaleHorizontal = 100, scaleVertical = 100;
};

// The parameters a dialog of the operation opens with.
EffectParams initialParams(Effect effect);

// The operation's result for one frame.
Image applyEffect(Effect effect, const Image& src, const EffectParams& params);
// The pixels of that result inside `part` (clipped to the frame), computed from what
// they depend on only: a preview of a large frame shows its visible part without
// computing the rest.
Image applyEffectPart(Effect effect, const Image& src, const EffectParams& params, Rect part);

} // namespace pondaro
