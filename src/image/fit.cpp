#include "image/fit.h"

#include <algorithm>
#include <cmath>

#include "image/resample.h"

namespace pondaro {

Size fitSize(Size picture, Size box) {
    const int w = picture.width, h = picture.height;
    if (w <= 0 || h <= 0 || box.width <= 0 || box.height <= 0) return {};
    // Which side limits is decided in whole numbers, so a picture of the box's own shape
    // fills it exactly.
    if ((long long)box.width * h <= (long long)box.height * w)
        return {box.width, std::clamp(int(std::lround(double(box.width) * h / w)), 1, box.height)};
    return {std::clamp(int(std::lround(double(box.height) * w / h)), 1, box.width), box.height};
}

Image fitPicture(const Image& picture, Size box) {
    if (picture.empty() || box.width <= 0 || box.height <= 0) return {};
    if (picture.width() <= box.width && picture.height() <= box.height) return picture;
    const Size s = fitSize({picture.width(), picture.height()}, box);
    return resizeAreaAverage(picture, s.width, s.height);
}

Image fitInto(const Image& picture, Size box) {
    if (box.width <= 0 || box.height <= 0) return {};
    Image out(box.width, box.height);
    const Size s = fitSize({picture.width(), picture.height()}, box);
    if (s.width > 0)
        copyInto(out, resizeNearest(picture, s.width, s.height), (box.width - s.width) / 2, (box.height - s.height) / 2);
    return out;
}

} // namespace pondaro
