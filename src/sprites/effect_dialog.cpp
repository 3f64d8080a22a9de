#include "sprites/effect_dialog.h"

#include <algorithm>
#include <cmath>

#include "base/integer_reader.h"
#include "image/codecs.h"
#include "image/draw.h"

namespace pondaro {

CorrectedNumber correctNumberField(std::string_view text, int low, int high) {
    CorrectedNumber out;
    const int v = readInteger(text);
    if (v > high) {
        out.value = high;
        out.rewrite = std::to_string(high);
    } else if (v < low) {
        out.value = low;
        out.rewrite = std::to_string(low);
    } else {
        out.value = v;
    }
    return out;
}

int NumberRow::sliderPosition(int value) const {
    return int(std::clamp<long long>((long long)value - offset, sliderMin, sliderMax));
}

std::optional<Effect> previewEffectOf(FramesCommand command) {
    using C = FramesCommand;
    switch (command) {
    case C::Shift: return Effect::Shift;
    case C::Mirror: return Effect::Mirror;
    case C::Rotate: return Effect::Rotate;
    case C::Scale: return Effect::Scale;
    case C::Grayscale: return Effect::Grayscale;
    case C::Colorize: return Effect::Colorize;
    case C::ColorBalance: return Effect::ColorBalance;
    case C::SwapChannels: return Effect::SwapChannels;
    case C::Invert: return Effect::Invert;
    case C::Brightness: return Effect::Brightness;
    case C::Opacity: return Effect::Opacity;
    case C::Posterize: return Effect::Posterize;
    case C::Noise: return Effect::Noise;
    case C::EraseColour: return Effect::EraseColour;
    case C::MakeOpaque: return Effect::MakeOpaque;
    default: return std::nullopt;
    }
}

std::optional<SizeOperation> sizeOperationOf(FramesCommand command) {
    if (command == FramesCommand::ResizeCanvas) return SizeOperation::ResizeCanvas;
    if (command == FramesCommand::Stretch) return SizeOperation::Stretch;
    return std::nullopt;
}

const char* effectTitle(Effect effect) {
    switch (effect) {
    case Effect::Shift: return "Shift the images";
    case Effect::Mirror: return "Mirror the images";
    case Effect::Rotate: return "Rotate the images";
    case Effect::Scale: return "Scale the images";
    case Effect::Grayscale: return "Convert to grayscale";
    case Effect::Colorize: return "Colorize";
    case Effect::ColorBalance: return "Color balance";
    case Effect::SwapChannels: return "Swap RGB channels";
    case Effect::Invert: return "Invert";
    case Effect::Brightness: return "Brightness";
    case Effect::Opacity: return "Opacity";
    case Effect::Posterize: return "Posterize";
    case Effect::Noise: return "Noise";
    case Effect::EraseColour: return "Erase a color";
    case Effect::MakeOpaque: return "Make opaque";
    }
    return "";
}

std::vector<NumberRow> effectNumberRows(Effect effect, int w, int h) {
    // A row whose field shows the slider's own value.
    auto plain = [](std::string caption, int lo, int hi, int initial) {
        return NumberRow{std::move(caption), lo, hi, initial, 0, lo, hi, true};
    };
    // Slider 0..510 at 255, the field showing slider - 255.
    auto signedRow = [](std::string caption) { return NumberRow{std::move(caption), 0, 510, 255, -255, -255, 255, true}; };
    switch (effect) {
    case Effect::Colorize: return {plain("Hue", 0, 359, 0)};
    case Effect::ColorBalance: return {signedRow("Red"), signedRow("Green"), signedRow("Blue")};
    case Effect::Brightness: return {signedRow("Level")};
    case Effect::Opacity: return {plain("Percent", 0, 100, 100)};
    case Effect::Posterize: return {plain("Level", 2, 120, 50)};
    case Effect::Noise: return {plain("Level", 0, 100, 0)};
    case Effect::EraseColour: return {plain("Tolerance", 0, 255, 0)};
    case Effect::Shift:
        return {NumberRow{"Horizontal", 0, 2 * w + 1, w, -w, -w, w, true},
                NumberRow{"Vertical", 0, 2 * h + 1, h, -h, -h, h, true}};
    case Effect::Rotate: return {NumberRow{"", 0, 359, 0, 0, 0, 359, false}};
    case Effect::Scale: return {plain("Horizontal", 1, 400, 100), plain("Vertical", 1, 400, 100)};
    default: return {};
    }
}

std::optional<EffectPreview> openEffectPreview(const Project& p, Effect effect, std::string_view sprite, int current,
                                               uint64_t seed) {
    if (current < 0 || size_t(current) >= p.frames.size()) return std::nullopt;
    const Frame& f = p.frames[size_t(current)];
    if (f.sprite != sprite || f.image.empty()) return std::nullopt;
    EffectPreview preview;
    preview.effect = effect;
    preview.sprite = std::string(sprite);
    preview.frame = size_t(current);
    preview.width = f.image.width();
    preview.height = f.image.height();
    preview.params = initialParams(effect);
    preview.nextNoiseSeed = seed;
    recomputePreview(preview);
    return preview;
}

namespace {

// The parameter a number row sets.
int* rowParameter(EffectParams& params, Effect effect, size_t row) {
    switch (effect) {
    case Effect::Colorize: return &params.hue;
    case Effect::ColorBalance: return row == 0 ? &params.deltaRed : row == 1 ? &params.deltaGreen : &params.deltaBlue;
    case Effect::Brightness:
    case Effect::Posterize:
    case Effect::Noise: return &params.level;
    case Effect::Opacity: return &params.percent;
    case Effect::EraseColour: return &params.tolerance;
    case Effect::Shift: return row == 0 ? &params.shiftX : &params.shiftY;
    case Effect::Rotate: return &params.angle;
    case Effect::Scale: return row == 0 ? &params.scaleHorizontal : &params.scaleVertical;
    default: return nullptr;
    }
}

} // namespace

int rowValue(const EffectPreview& preview, size_t row) {
    EffectParams params = preview.params;
    const int* value = rowParameter(params, preview.effect, row);
    return value ? *value : 0;
}

void setRowValue(EffectPreview& preview, size_t row, int value) {
    const std::vector<NumberRow> rows = effectNumberRows(preview.effect, preview.width, preview.height);
    if (row >= rows.size()) return;
    int* parameter = rowParameter(preview.params, preview.effect, row);
    if (!parameter) return;
    // A slider may reach one step beyond what a field may hold (Shift's 2w + 1).
    const NumberRow& r = rows[row];
    *parameter = std::clamp(value, std::min(r.fieldMin, r.fieldValue(r.sliderMin)),
                            std::max(r.fieldMax, r.fieldValue(r.sliderMax)));
    if (preview.effect == Effect::Scale && preview.scaleLocked)
        *rowParameter(preview.params, preview.effect, 1 - row) = *parameter;
    if (preview.effect == Effect::Rotate) preview.rotateOption = kRotateFree;
}

void chooseRotateOption(EffectPreview& preview, int option) {
    if (option < 0 || option > kRotateFree) return;
    preview.rotateOption = option;
    if (option < kRotateFree) preview.params.angle = kRotatePresets[option];
}

void chooseScalePreset(EffectPreview& preview, int percent) {
    preview.params.scaleHorizontal = preview.params.scaleVertical = std::clamp(percent, 1, 400);
}

bool pickKeyColour(const Project& p, EffectPreview& preview, int x, int y) {
    if (preview.frame >= p.frames.size()) return false;
    const std::optional<Rgba> shown = colourShownAt(p.frames[preview.frame].image, x, y);
    if (!shown) return false;
    preview.params.key = {shown->r, shown->g, shown->b, 255};
    return true;
}

void recomputePreview(EffectPreview& preview) {
    if (preview.effect != Effect::Noise) return;
    preview.params.noiseSeed = preview.nextNoiseSeed;
    preview.nextNoiseSeed = preview.nextNoiseSeed * 6364136223846793005ull + 1442695040888963407ull;
}

Image renderEffectPreview(const Project& p, const EffectPreview& preview, PreviewPane pane, Rect region) {
    const Image* frame = preview.frame < p.frames.size() && p.frames[preview.frame].sprite == preview.sprite
                             ? &p.frames[preview.frame].image
                             : nullptr;
    if (!frame) return Image(region.width, region.height);
    return renderCanvasRegion(frame->width(), frame->height(), region, [&](Image& view, int ox, int oy) {
        drawCheckerboard(view, ox, oy);
        const Rect part{ox, oy, view.width(), view.height()};
        if (pane == PreviewPane::Modified) {
            drawOver(view, applyEffectPart(preview.effect, *frame, preview.params, part), 0, 0);
        } else {
            Image piece(part.width, part.height);
            copyInto(piece, *frame, -ox, -oy);
            drawOver(view, piece, 0, 0);
        }
    });
}

int applyEffectPreview(Project& p, const EffectPreview& preview) {
    int changed = 0;
    for (size_t i = 0; i < p.frames.size(); ++i) {
        Frame& f = p.frames[i];
        if (f.sprite != preview.sprite) continue;
        if (i != preview.frame && !preview.applyToAllFrames) continue;
        if (f.image.empty()) continue;
        f.image = applyEffect(preview.effect, f.image, preview.params);
        ++changed;
    }
    if (changed > 0) p.markModified();
    return changed;
}

std::optional<Rgba> colourShownAt(const Image& frame, int x, int y) {
    if (!frame.contains(x, y)) return std::nullopt;
    Image backdrop(1, 1);
    drawCheckerboard(backdrop, x, y);
    return blendOver(backdrop.pixel(0, 0), frame.pixel(x, y));
}

std::optional<SizeDialog> openSizeDialog(const Project& p, SizeOperation operation, std::string_view sprite) {
    for (size_t i = p.frames.size(); i-- > 0;) {
        const Frame& f = p.frames[i];
        if (f.sprite != sprite || f.image.empty()) continue;
        SizeDialog d;
        d.operation = operation;
        d.sprite = std::string(sprite);
        d.width = f.image.width();
        d.height = f.image.height();
        return d;
    }
    return std::nullopt;
}

const char* sizeDialogTitle(SizeOperation operation) {
    return operation == SizeOperation::ResizeCanvas ? "Resize canvas" : "Stretch the images";
}

namespace {

std::string proportional(int other, int edited, int base) {
    if (base <= 0) return "0";
    const double v = double(other) * (double(edited) / double(base));
    return std::to_string((long long)std::llround(v));
}

} // namespace

std::string heightForWidth(const SizeDialog& d, std::string_view widthText) {
    return proportional(d.height, readInteger(widthText), d.width);
}

std::string widthForHeight(const SizeDialog& d, std::string_view heightText) {
    return proportional(d.width, readInteger(heightText), d.height);
}

std::string frameSizeProblem(long long width, long long height) {
    if (width < 1 || height < 1) return "The width and the height must be at least 1 pixel.";
    if (!checkImageSize(width, height, "The")) {
        return "The images would be too large: at most " + std::to_string(kMaxImageSide) +
               " pixels a side and " + std::to_string(kMaxImagePixelBytes >> 20) + " MiB of pixels.";
    }
    return {};
}

std::string applySizeDialog(Project& p, const SizeDialog& d, std::string_view widthText, std::string_view heightText) {
    const int w = readInteger(widthText), h = readInteger(heightText);
    if (std::string problem = frameSizeProblem(w, h); !problem.empty()) return problem;
    for (Frame& f : p.frames) {
        if (f.sprite != d.sprite || f.image.empty()) continue;
        f.image = d.operation == SizeOperation::ResizeCanvas ? resizeCanvas(f.image, w, h)
                                                             : stretch(f.image, w, h, d.smooth);
    }
    p.markModified();
    return {};
}

} // namespace pondaro
