#include "image/artwork.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "image/draw.h"

namespace pondaro {

namespace {

constexpr float kPi = 3.14159265f;

struct P {
    float x, y;
};

// Fills the pixels of [x0, x1) x [y0, y1) that a shape covers, each blended over with
// the part of its 4 x 4 sample points inside the shape, so edges come out smooth.
template <class Inside>
void fillShape(Image& img, float bx0, float by0, float bx1, float by1, Rgba colour, Inside inside) {
    const int x0 = std::max(0, int(std::floor(bx0))), y0 = std::max(0, int(std::floor(by0)));
    const int x1 = std::min(img.width(), int(std::ceil(bx1))), y1 = std::min(img.height(), int(std::ceil(by1)));
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < 4; ++sy)
                for (int sx = 0; sx < 4; ++sx)
                    if (inside(x + (sx + 0.5f) / 4.0f, y + (sy + 0.5f) / 4.0f)) ++hits;
            if (!hits) continue;
            Rgba c = colour;
            c.a = uint8_t((colour.a * hits + 8) / 16);
            img.setPixel(x, y, blendOver(img.pixel(x, y), c));
        }
}

void circle(Image& img, P c, float r, Rgba colour) {
    fillShape(img, c.x - r, c.y - r, c.x + r, c.y + r, colour,
              [=](float x, float y) { return (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) <= r * r; });
}

void ellipse(Image& img, P c, float rx, float ry, float angle, Rgba colour) {
    const float ca = std::cos(angle), sa = std::sin(angle), r = std::max(rx, ry);
    fillShape(img, c.x - r, c.y - r, c.x + r, c.y + r, colour, [=](float x, float y) {
        float dx = x - c.x, dy = y - c.y;
        float u = dx * ca + dy * sa, v = -dx * sa + dy * ca;
        return (u * u) / (rx * rx) + (v * v) / (ry * ry) <= 1.0f;
    });
}

// A band between two radii over the angles [from, to] (degrees, counter-clockwise
// from the right, y pointing up as on paper).
void arcBand(Image& img, P c, float r0, float r1, float from, float to, Rgba colour) {
    fillShape(img, c.x - r1, c.y - r1, c.x + r1, c.y + r1, colour, [=](float x, float y) {
        float dx = x - c.x, dy = c.y - y;
        float d2 = dx * dx + dy * dy;
        if (d2 < r0 * r0 || d2 > r1 * r1) return false;
        float a = std::atan2(dy, dx) * 180.0f / kPi;
        while (a < from) a += 360.0f;
        return a <= to;
    });
}

float segmentDistance2(float x, float y, P a, P b) {
    float vx = b.x - a.x, vy = b.y - a.y, wx = x - a.x, wy = y - a.y;
    float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? std::clamp((wx * vx + wy * vy) / len2, 0.0f, 1.0f) : 0.0f;
    float dx = wx - t * vx, dy = wy - t * vy;
    return dx * dx + dy * dy;
}

// A stroke of the given width along a line through the points, with round ends.
void stroke(Image& img, const std::vector<P>& pts, float width, Rgba colour) {
    float r = width / 2;
    float bx0 = 1e9f, by0 = 1e9f, bx1 = -1e9f, by1 = -1e9f;
    for (P p : pts) {
        bx0 = std::min(bx0, p.x - r);
        by0 = std::min(by0, p.y - r);
        bx1 = std::max(bx1, p.x + r);
        by1 = std::max(by1, p.y + r);
    }
    fillShape(img, bx0, by0, bx1, by1, colour, [&](float x, float y) {
        for (size_t i = 0; i + 1 < pts.size(); ++i)
            if (segmentDistance2(x, y, pts[i], pts[i + 1]) <= r * r) return true;
        return pts.size() == 1 && segmentDistance2(x, y, pts[0], pts[0]) <= r * r;
    });
}

void polygon(Image& img, const std::vector<P>& pts, Rgba colour) {
    float bx0 = 1e9f, by0 = 1e9f, bx1 = -1e9f, by1 = -1e9f;
    for (P p : pts) {
        bx0 = std::min(bx0, p.x);
        by0 = std::min(by0, p.y);
        bx1 = std::max(bx1, p.x);
        by1 = std::max(by1, p.y);
    }
    fillShape(img, bx0, by0, bx1, by1, colour, [&](float x, float y) {
        bool in = false;
        for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            if ((pts[i].y > y) != (pts[j].y > y) &&
                x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x)
                in = !in;
        }
        return in;
    });
}

bool insideRoundRect(float x, float y, float rx, float ry, float rw, float rh, float r) {
    if (x < rx || y < ry || x > rx + rw || y > ry + rh) return false;
    float cx = std::clamp(x, rx + r, rx + rw - r), cy = std::clamp(y, ry + r, ry + rh - r);
    return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r;
}

void roundRect(Image& img, float x, float y, float w, float h, float r, Rgba colour) {
    fillShape(img, x, y, x + w, y + h, colour,
              [=](float px, float py) { return insideRoundRect(px, py, x, y, w, h, r); });
}

Rgba mix(Rgba a, Rgba b, float t) {
    auto m = [t](uint8_t p, uint8_t q) { return uint8_t(std::lround(p + (q - p) * t)); };
    return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b), m(a.a, b.a)};
}

// A vertical gradient over the whole image.
void verticalGradient(Image& img, Rgba top, Rgba bottom) {
    for (int y = 0; y < img.height(); ++y) {
        Rgba c = mix(top, bottom, img.height() > 1 ? float(y) / float(img.height() - 1) : 0.0f);
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, c);
    }
}

// ---- Icons: drawn in a unit square, scaled to the icon's size ------------------------

struct Pen {
    Image& img;
    float s;      // size in pixels
    float ox, oy; // top-left corner
    P at(float u, float v) const { return {ox + u * s, oy + v * s}; }
    float len(float u) const { return u * s; }
};

constexpr Rgba kOutline{40, 40, 48, 255};

void spriteIcon(Pen& p) {
    // A little ghost: a dome over a body with a wavy hem, and two eyes.
    const Rgba body{76, 175, 80, 255};
    circle(p.img, p.at(0.5f, 0.42f), p.len(0.32f), body);
    polygon(p.img, {p.at(0.18f, 0.42f), p.at(0.82f, 0.42f), p.at(0.82f, 0.88f), p.at(0.71f, 0.78f),
                    p.at(0.61f, 0.88f), p.at(0.5f, 0.78f), p.at(0.39f, 0.88f), p.at(0.29f, 0.78f),
                    p.at(0.18f, 0.88f)},
            body);
    circle(p.img, p.at(0.38f, 0.42f), p.len(0.08f), {255, 255, 255, 255});
    circle(p.img, p.at(0.62f, 0.42f), p.len(0.08f), {255, 255, 255, 255});
    circle(p.img, p.at(0.40f, 0.44f), p.len(0.04f), kOutline);
    circle(p.img, p.at(0.64f, 0.44f), p.len(0.04f), kOutline);
}

void soundIcon(Pen& p) {
    const Rgba c{33, 110, 200, 255};
    roundRect(p.img, p.at(0.1f, 0.36f).x, p.at(0.1f, 0.36f).y, p.len(0.18f), p.len(0.28f), p.len(0.03f), c);
    polygon(p.img, {p.at(0.24f, 0.36f), p.at(0.5f, 0.14f), p.at(0.5f, 0.86f), p.at(0.24f, 0.64f)}, c);
    arcBand(p.img, p.at(0.5f, 0.5f), p.len(0.14f), p.len(0.21f), -50, 50, c);
    arcBand(p.img, p.at(0.5f, 0.5f), p.len(0.28f), p.len(0.35f), -55, 55, c);
}

void musicIcon(Pen& p) {
    const Rgba c{142, 68, 173, 255};
    ellipse(p.img, p.at(0.3f, 0.76f), p.len(0.13f), p.len(0.095f), -0.4f, c);
    ellipse(p.img, p.at(0.74f, 0.66f), p.len(0.13f), p.len(0.095f), -0.4f, c);
    stroke(p.img, {p.at(0.41f, 0.74f), p.at(0.41f, 0.22f)}, p.len(0.07f), c);
    stroke(p.img, {p.at(0.85f, 0.64f), p.at(0.85f, 0.12f)}, p.len(0.07f), c);
    polygon(p.img, {p.at(0.375f, 0.18f), p.at(0.885f, 0.06f), p.at(0.885f, 0.2f), p.at(0.375f, 0.32f)}, c);
}

void backgroundIcon(Pen& p) {
    roundRect(p.img, p.at(0.06f, 0.14f).x, p.at(0.06f, 0.14f).y, p.len(0.88f), p.len(0.72f), p.len(0.06f),
              {96, 165, 230, 255});
    circle(p.img, p.at(0.72f, 0.34f), p.len(0.09f), {255, 214, 64, 255});
    polygon(p.img, {p.at(0.06f, 0.78f), p.at(0.34f, 0.4f), p.at(0.56f, 0.7f), p.at(0.68f, 0.56f), p.at(0.94f, 0.82f),
                    p.at(0.94f, 0.86f), p.at(0.06f, 0.86f)},
            {56, 142, 60, 255});
}

void fontIcon(Pen& p) {
    const Rgba c{60, 60, 70, 255};
    const float w = p.len(0.13f);
    stroke(p.img, {p.at(0.2f, 0.86f), p.at(0.5f, 0.12f), p.at(0.8f, 0.86f)}, w, c);
    stroke(p.img, {p.at(0.33f, 0.6f), p.at(0.67f, 0.6f)}, w * 0.85f, c);
}

void objectIcon(Pen& p) {
    // A cube: top, left and right faces in three shades.
    polygon(p.img, {p.at(0.5f, 0.1f), p.at(0.88f, 0.28f), p.at(0.5f, 0.46f), p.at(0.12f, 0.28f)}, {255, 183, 77, 255});
    polygon(p.img, {p.at(0.12f, 0.28f), p.at(0.5f, 0.46f), p.at(0.5f, 0.9f), p.at(0.12f, 0.72f)}, {245, 124, 0, 255});
    polygon(p.img, {p.at(0.5f, 0.46f), p.at(0.88f, 0.28f), p.at(0.88f, 0.72f), p.at(0.5f, 0.9f)}, {200, 90, 0, 255});
}

void sceneIcon(Pen& p) {
    // A clapperboard.
    const Rgba dark{55, 55, 66, 255};
    roundRect(p.img, p.at(0.1f, 0.4f).x, p.at(0.1f, 0.4f).y, p.len(0.8f), p.len(0.48f), p.len(0.05f), dark);
    polygon(p.img, {p.at(0.1f, 0.26f), p.at(0.86f, 0.1f), p.at(0.9f, 0.26f), p.at(0.14f, 0.42f)}, dark);
    for (int i = 0; i < 3; ++i) {
        float u = 0.2f + 0.22f * float(i);
        polygon(p.img,
                {p.at(u, 0.24f - 0.046f * float(i)), p.at(u + 0.1f, 0.22f - 0.046f * float(i)),
                 p.at(u + 0.06f, 0.36f - 0.046f * float(i)), p.at(u - 0.04f, 0.38f - 0.046f * float(i))},
                {240, 240, 240, 255});
    }
    stroke(p.img, {p.at(0.2f, 0.56f), p.at(0.8f, 0.56f)}, p.len(0.05f), {240, 240, 240, 255});
}

void functionIcon(Pen& p) {
    // Braces around a dot: a piece of code.
    const Rgba c{0, 121, 107, 255};
    const float w = p.len(0.09f);
    stroke(p.img,
           {p.at(0.36f, 0.12f), p.at(0.27f, 0.17f), p.at(0.27f, 0.42f), p.at(0.16f, 0.5f), p.at(0.27f, 0.58f),
            p.at(0.27f, 0.83f), p.at(0.36f, 0.88f)},
           w, c);
    stroke(p.img,
           {p.at(0.64f, 0.12f), p.at(0.73f, 0.17f), p.at(0.73f, 0.42f), p.at(0.84f, 0.5f), p.at(0.73f, 0.58f),
            p.at(0.73f, 0.83f), p.at(0.64f, 0.88f)},
           w, c);
    circle(p.img, p.at(0.5f, 0.5f), p.len(0.07f), c);
}

void mergeIcon(Pen& p) {
    // Two lines joining into one arrow.
    const Rgba c{0, 137, 123, 255};
    const float w = p.len(0.11f);
    stroke(p.img, {p.at(0.16f, 0.16f), p.at(0.5f, 0.5f), p.at(0.5f, 0.7f)}, w, c);
    stroke(p.img, {p.at(0.84f, 0.16f), p.at(0.5f, 0.5f)}, w, c);
    polygon(p.img, {p.at(0.28f, 0.64f), p.at(0.72f, 0.64f), p.at(0.5f, 0.92f)}, c);
}

void runIcon(Pen& p) {
    circle(p.img, p.at(0.5f, 0.5f), p.len(0.44f), {46, 160, 67, 255});
    polygon(p.img, {p.at(0.38f, 0.26f), p.at(0.76f, 0.5f), p.at(0.38f, 0.74f)}, {255, 255, 255, 255});
}

void resetOrderIcon(Pen& p) {
    const Rgba c{70, 70, 80, 255};
    arcBand(p.img, p.at(0.5f, 0.54f), p.len(0.24f), p.len(0.34f), -200, 60, c);
    polygon(p.img, {p.at(0.58f, 0.1f), p.at(0.86f, 0.26f), p.at(0.6f, 0.42f)}, c);
}

void sortIcon(Pen& p, bool ascending) {
    const Rgba bars{70, 70, 80, 255};
    const Rgba arrow{33, 110, 200, 255};
    for (int i = 0; i < 3; ++i) {
        float len = ascending ? 0.18f + 0.14f * float(i) : 0.46f - 0.14f * float(i);
        float v = 0.22f + 0.26f * float(i);
        stroke(p.img, {p.at(0.1f, v), p.at(0.1f + len, v)}, p.len(0.12f), bars);
    }
    stroke(p.img, {p.at(0.78f, 0.12f), p.at(0.78f, 0.66f)}, p.len(0.1f), arrow);
    polygon(p.img, {p.at(0.6f, 0.62f), p.at(0.96f, 0.62f), p.at(0.78f, 0.92f)}, arrow);
}

void preferencesIcon(Pen& p) {
    // A cog: a ring with eight teeth.
    const Rgba c{96, 100, 110, 255};
    const P m = p.at(0.5f, 0.5f);
    const float r0 = p.len(0.16f), r1 = p.len(0.32f), tooth = p.len(0.44f);
    fillShape(p.img, m.x - tooth, m.y - tooth, m.x + tooth, m.y + tooth, c, [=](float x, float y) {
        float dx = x - m.x, dy = y - m.y, d = std::sqrt(dx * dx + dy * dy);
        if (d < r0) return false;
        if (d <= r1) return true;
        if (d > tooth) return false;
        float a = std::atan2(dy, dx) * 8.0f / (2 * kPi);
        float f = a - std::floor(a);
        return f > 0.3f && f < 0.7f;
    });
}

void versionCheckIcon(Pen& p) {
    // A globe.
    const Rgba c{33, 110, 200, 255};
    const P m = p.at(0.5f, 0.5f);
    arcBand(p.img, m, p.len(0.34f), p.len(0.42f), -180, 180, c);
    fillShape(p.img, m.x - p.len(0.42f), m.y - p.len(0.42f), m.x + p.len(0.42f), m.y + p.len(0.42f), c,
              [=](float x, float y) {
                  float dx = (x - m.x) / p.len(0.17f), dy = (y - m.y) / p.len(0.38f);
                  float e = dx * dx + dy * dy;
                  return (e > 0.7f && e < 1.0f) || (std::fabs(y - m.y) < p.len(0.04f) &&
                                                    std::fabs(x - m.x) < p.len(0.38f));
              });
}

void variablesIcon(Pen& p) {
    // A box holding a value: "x = 1" in shapes.
    const Rgba c{121, 85, 72, 255};
    roundRect(p.img, p.at(0.08f, 0.2f).x, p.at(0.08f, 0.2f).y, p.len(0.84f), p.len(0.6f), p.len(0.1f), c);
    const Rgba w{255, 255, 255, 255};
    stroke(p.img, {p.at(0.22f, 0.36f), p.at(0.4f, 0.64f)}, p.len(0.08f), w);
    stroke(p.img, {p.at(0.4f, 0.36f), p.at(0.22f, 0.64f)}, p.len(0.08f), w);
    stroke(p.img, {p.at(0.52f, 0.44f), p.at(0.66f, 0.44f)}, p.len(0.06f), w);
    stroke(p.img, {p.at(0.52f, 0.56f), p.at(0.66f, 0.56f)}, p.len(0.06f), w);
    stroke(p.img, {p.at(0.78f, 0.34f), p.at(0.78f, 0.66f)}, p.len(0.07f), w);
}

void commentsIcon(Pen& p) {
    const Rgba c{255, 179, 0, 255};
    roundRect(p.img, p.at(0.08f, 0.14f).x, p.at(0.08f, 0.14f).y, p.len(0.84f), p.len(0.56f), p.len(0.12f), c);
    polygon(p.img, {p.at(0.24f, 0.62f), p.at(0.46f, 0.62f), p.at(0.22f, 0.9f)}, c);
    for (int i = 0; i < 2; ++i)
        stroke(p.img, {p.at(0.22f, 0.32f + 0.18f * float(i)), p.at(0.78f - 0.2f * float(i), 0.32f + 0.18f * float(i))},
               p.len(0.07f), {255, 255, 255, 255});
}

void extensionsIcon(Pen& p) {
    // A puzzle piece.
    const Rgba c{92, 107, 192, 255};
    roundRect(p.img, p.at(0.14f, 0.3f).x, p.at(0.14f, 0.3f).y, p.len(0.56f), p.len(0.56f), p.len(0.06f), c);
    circle(p.img, p.at(0.42f, 0.22f), p.len(0.12f), c);
    circle(p.img, p.at(0.78f, 0.58f), p.len(0.12f), c);
}

void documentIcon(Pen& p) {
    polygon(p.img, {p.at(0.2f, 0.06f), p.at(0.6f, 0.06f), p.at(0.82f, 0.28f), p.at(0.82f, 0.94f), p.at(0.2f, 0.94f)},
            kOutline);
    polygon(p.img, {p.at(0.26f, 0.12f), p.at(0.56f, 0.12f), p.at(0.76f, 0.32f), p.at(0.76f, 0.88f), p.at(0.26f, 0.88f)},
            {255, 255, 255, 255});
    polygon(p.img, {p.at(0.56f, 0.12f), p.at(0.76f, 0.32f), p.at(0.56f, 0.32f)}, {200, 200, 210, 255});
}

void folderIcon(Pen& p) {
    polygon(p.img, {p.at(0.06f, 0.2f), p.at(0.4f, 0.2f), p.at(0.48f, 0.3f), p.at(0.94f, 0.3f), p.at(0.94f, 0.84f),
                    p.at(0.06f, 0.84f)},
            {196, 140, 40, 255});
    polygon(p.img, {p.at(0.06f, 0.4f), p.at(0.94f, 0.4f), p.at(0.94f, 0.84f), p.at(0.06f, 0.84f)},
            {240, 190, 80, 255});
}

void diskIcon(Pen& p) {
    roundRect(p.img, p.at(0.1f, 0.1f).x, p.at(0.1f, 0.1f).y, p.len(0.8f), p.len(0.8f), p.len(0.08f),
              {50, 90, 160, 255});
    fillRect(p.img, int(p.at(0.28f, 0.1f).x), int(p.at(0.28f, 0.1f).y), int(p.len(0.44f)), int(p.len(0.3f)),
             {220, 225, 235, 255});
    fillRect(p.img, int(p.at(0.22f, 0.56f).x), int(p.at(0.22f, 0.56f).y), int(p.len(0.56f)), int(p.len(0.3f)),
             {255, 255, 255, 255});
}

// ---- The frames editor's commands ----------------------------------------------------

constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kAddGreen{46, 160, 67, 255};
constexpr Rgba kArrowBlue{33, 110, 200, 255};

// A picture frame: a white square with a dark border.
void frameShape(Pen& p, float u, float v, float w, float h) {
    roundRect(p.img, p.at(u, v).x, p.at(u, v).y, p.len(w), p.len(h), p.len(0.05f), kOutline);
    roundRect(p.img, p.at(u + 0.07f, v + 0.07f).x, p.at(u + 0.07f, v + 0.07f).y, p.len(w - 0.14f), p.len(h - 0.14f),
              p.len(0.02f), kWhite);
}

void plusBadge(Pen& p) {
    circle(p.img, p.at(0.74f, 0.74f), p.len(0.25f), kAddGreen);
    stroke(p.img, {p.at(0.74f, 0.6f), p.at(0.74f, 0.88f)}, p.len(0.09f), kWhite);
    stroke(p.img, {p.at(0.6f, 0.74f), p.at(0.88f, 0.74f)}, p.len(0.09f), kWhite);
}

// An arrow along a line, its head at the end.
void arrow(Pen& p, P from, P to, Rgba c) {
    const float dx = to.x - from.x, dy = to.y - from.y, len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0) return;
    const float ux = dx / len, uy = dy / len, head = p.len(0.26f);
    const P base{to.x - ux * head, to.y - uy * head};
    stroke(p.img, {from, base}, p.len(0.12f), c);
    polygon(p.img, {to, {base.x - uy * head * 0.7f, base.y + ux * head * 0.7f}, {base.x + uy * head * 0.7f, base.y - ux * head * 0.7f}},
            c);
}

void newFramesIcon(Pen& p) {
    frameShape(p, 0.06f, 0.06f, 0.7f, 0.7f);
    plusBadge(p);
}

void addFrameIcon(Pen& p) {
    folderIcon(p);
    plusBadge(p);
}

void saveStripIcon(Pen& p) {
    fillRect(p.img, int(p.at(0.0f, 0.1f).x), int(p.at(0.0f, 0.1f).y), int(p.len(1.0f)), int(p.len(0.42f)), kOutline);
    for (int i = 0; i < 3; ++i)
        fillRect(p.img, int(p.at(0.07f + 0.31f * float(i), 0.19f).x), int(p.at(0.07f, 0.19f).y), int(p.len(0.25f)),
                 int(p.len(0.25f)), kWhite);
    arrow(p, p.at(0.5f, 0.5f), p.at(0.5f, 0.98f), kArrowBlue);
}

void duplicateFrameIcon(Pen& p) {
    frameShape(p, 0.04f, 0.04f, 0.6f, 0.6f);
    frameShape(p, 0.36f, 0.36f, 0.6f, 0.6f);
}

void moveFrameIcon(Pen& p, bool left) {
    frameShape(p, left ? 0.46f : 0.04f, 0.2f, 0.5f, 0.6f);
    if (left) arrow(p, p.at(0.5f, 0.5f), p.at(0.02f, 0.5f), kArrowBlue);
    else arrow(p, p.at(0.5f, 0.5f), p.at(0.98f, 0.5f), kArrowBlue);
}

void editFrameIcon(Pen& p) {
    // A pencil drawn across the square.
    stroke(p.img, {p.at(0.3f, 0.7f), p.at(0.78f, 0.22f)}, p.len(0.22f), {255, 193, 7, 255});
    stroke(p.img, {p.at(0.74f, 0.26f), p.at(0.84f, 0.16f)}, p.len(0.22f), {230, 120, 130, 255});
    polygon(p.img, {p.at(0.21f, 0.63f), p.at(0.37f, 0.79f), p.at(0.1f, 0.9f)}, {240, 210, 170, 255});
    polygon(p.img, {p.at(0.15f, 0.77f), p.at(0.23f, 0.85f), p.at(0.1f, 0.9f)}, kOutline);
}

void deleteFrameIcon(Pen& p) {
    const Rgba red{211, 47, 47, 255};
    stroke(p.img, {p.at(0.18f, 0.18f), p.at(0.82f, 0.82f)}, p.len(0.18f), red);
    stroke(p.img, {p.at(0.82f, 0.18f), p.at(0.18f, 0.82f)}, p.len(0.18f), red);
}

void shiftIcon(Pen& p) {
    const P m = p.at(0.5f, 0.5f);
    arrow(p, m, p.at(0.5f, 0.02f), kOutline);
    arrow(p, m, p.at(0.5f, 0.98f), kOutline);
    arrow(p, m, p.at(0.02f, 0.5f), kOutline);
    arrow(p, m, p.at(0.98f, 0.5f), kOutline);
}

void mirrorIcon(Pen& p) {
    polygon(p.img, {p.at(0.42f, 0.14f), p.at(0.42f, 0.86f), p.at(0.04f, 0.86f)}, kArrowBlue);
    polygon(p.img, {p.at(0.58f, 0.14f), p.at(0.58f, 0.86f), p.at(0.96f, 0.86f)}, {160, 196, 236, 255});
    for (int i = 0; i < 4; ++i)
        stroke(p.img, {p.at(0.5f, 0.04f + 0.26f * float(i)), p.at(0.5f, 0.16f + 0.26f * float(i))}, p.len(0.06f),
               kOutline);
}

void rotateIcon(Pen& p) {
    arcBand(p.img, p.at(0.5f, 0.54f), p.len(0.26f), p.len(0.38f), -90, 150, kArrowBlue);
    polygon(p.img, {p.at(0.02f, 0.34f), p.at(0.36f, 0.3f), p.at(0.16f, 0.6f)}, kArrowBlue);
}

void scaleIcon(Pen& p) {
    roundRect(p.img, p.at(0.04f, 0.04f).x, p.at(0.04f, 0.04f).y, p.len(0.92f), p.len(0.92f), p.len(0.04f), kOutline);
    roundRect(p.img, p.at(0.1f, 0.1f).x, p.at(0.1f, 0.1f).y, p.len(0.8f), p.len(0.8f), p.len(0.02f), kWhite);
    fillRect(p.img, int(p.at(0.1f, 0.58f).x), int(p.at(0.1f, 0.58f).y), int(std::ceil(p.len(0.32f))),
             int(std::ceil(p.len(0.32f))), kArrowBlue);
    arrow(p, p.at(0.42f, 0.58f), p.at(0.86f, 0.14f), kArrowBlue);
}

void resizeCanvasIcon(Pen& p) {
    for (int i = 0; i < 4; ++i) {
        const float a = 0.04f + 0.24f * float(i), b = a + 0.14f;
        stroke(p.img, {p.at(a, 0.04f), p.at(b, 0.04f)}, p.len(0.07f), kOutline);
        stroke(p.img, {p.at(a, 0.96f), p.at(b, 0.96f)}, p.len(0.07f), kOutline);
        stroke(p.img, {p.at(0.04f, a), p.at(0.04f, b)}, p.len(0.07f), kOutline);
        stroke(p.img, {p.at(0.96f, a), p.at(0.96f, b)}, p.len(0.07f), kOutline);
    }
    roundRect(p.img, p.at(0.28f, 0.28f).x, p.at(0.28f, 0.28f).y, p.len(0.44f), p.len(0.44f), p.len(0.03f), kArrowBlue);
}

void stretchIcon(Pen& p) {
    roundRect(p.img, p.at(0.1f, 0.3f).x, p.at(0.1f, 0.3f).y, p.len(0.8f), p.len(0.4f), p.len(0.03f), {160, 196, 236, 255});
    arrow(p, p.at(0.5f, 0.5f), p.at(0.0f, 0.5f), kOutline);
    arrow(p, p.at(0.5f, 0.5f), p.at(1.0f, 0.5f), kOutline);
}

void grayscaleIcon(Pen& p) {
    for (int i = 0; i < 4; ++i) {
        const uint8_t v = uint8_t(30 + 70 * i);
        fillRect(p.img, int(p.at(0.04f + 0.23f * float(i), 0.1f).x), int(p.at(0.0f, 0.1f).y), int(std::ceil(p.len(0.23f))),
                 int(p.len(0.8f)), {v, v, v, 255});
    }
}

void colorizeIcon(Pen& p) {
    // A drop of paint in a hue.
    circle(p.img, p.at(0.5f, 0.62f), p.len(0.3f), {233, 30, 99, 255});
    polygon(p.img, {p.at(0.5f, 0.04f), p.at(0.77f, 0.5f), p.at(0.23f, 0.5f)}, {233, 30, 99, 255});
    circle(p.img, p.at(0.4f, 0.64f), p.len(0.08f), {255, 255, 255, 160});
}

void colorBalanceIcon(Pen& p) {
    const Rgba bars[3] = {{220, 50, 50, 255}, {60, 170, 70, 255}, {50, 100, 220, 255}};
    const float tops[3] = {0.3f, 0.1f, 0.5f};
    for (int i = 0; i < 3; ++i)
        fillRect(p.img, int(p.at(0.06f + 0.32f * float(i), tops[i]).x), int(p.at(0.0f, tops[i]).y), int(p.len(0.24f)),
                 int(p.len(0.92f - tops[i])), bars[i]);
}

void swapChannelsIcon(Pen& p) {
    circle(p.img, p.at(0.24f, 0.3f), p.len(0.2f), {220, 50, 50, 255});
    circle(p.img, p.at(0.76f, 0.7f), p.len(0.2f), {50, 100, 220, 255});
    arcBand(p.img, p.at(0.5f, 0.5f), p.len(0.38f), p.len(0.46f), 0, 80, kOutline);
    arcBand(p.img, p.at(0.5f, 0.5f), p.len(0.38f), p.len(0.46f), 180, 260, kOutline);
}

void invertIcon(Pen& p) {
    circle(p.img, p.at(0.5f, 0.5f), p.len(0.44f), kOutline);
    circle(p.img, p.at(0.5f, 0.5f), p.len(0.36f), kWhite);
    arcBand(p.img, p.at(0.5f, 0.5f), 0, p.len(0.36f), 90, 270, kOutline);
}

void brightnessIcon(Pen& p) {
    const Rgba sun{255, 179, 0, 255};
    circle(p.img, p.at(0.5f, 0.5f), p.len(0.22f), sun);
    for (int i = 0; i < 8; ++i) {
        const float a = float(i) * kPi / 4, c = std::cos(a), s = std::sin(a);
        stroke(p.img, {p.at(0.5f + 0.31f * c, 0.5f + 0.31f * s), p.at(0.5f + 0.44f * c, 0.5f + 0.44f * s)}, p.len(0.08f),
               sun);
    }
}

void opacityIcon(Pen& p) {
    for (int j = 0; j < 2; ++j)
        for (int i = 0; i < 2; ++i)
            fillRect(p.img, int(p.at(0.04f + 0.46f * float(i), 0.04f + 0.46f * float(j)).x),
                     int(p.at(0.0f, 0.04f + 0.46f * float(j)).y), int(std::ceil(p.len(0.46f))),
                     int(std::ceil(p.len(0.46f))), ((i + j) & 1) ? kCheckerLight : kCheckerDark);
    roundRect(p.img, p.at(0.2f, 0.2f).x, p.at(0.2f, 0.2f).y, p.len(0.6f), p.len(0.6f), p.len(0.04f), {33, 110, 200, 140});
}

void posterizeIcon(Pen& p) {
    const Rgba steps[3] = {{255, 204, 128, 255}, {255, 152, 0, 255}, {191, 54, 12, 255}};
    for (int i = 0; i < 3; ++i)
        fillRect(p.img, int(p.at(0.04f + 0.31f * float(i), 0.64f - 0.27f * float(i)).x),
                 int(p.at(0.0f, 0.64f - 0.27f * float(i)).y), int(std::ceil(p.len(0.31f))),
                 int(std::ceil(p.len(0.32f + 0.27f * float(i)))), steps[i]);
}

void noiseIcon(Pen& p) {
    roundRect(p.img, p.at(0.04f, 0.04f).x, p.at(0.04f, 0.04f).y, p.len(0.92f), p.len(0.92f), p.len(0.06f),
              {150, 150, 160, 255});
    // A fixed scattering, the same on every run.
    unsigned seed = 7;
    for (int i = 0; i < 22; ++i) {
        seed = seed * 1103515245u + 12345u;
        const float u = 0.12f + float((seed >> 8) % 76) / 100.0f;
        seed = seed * 1103515245u + 12345u;
        const float v = 0.12f + float((seed >> 8) % 76) / 100.0f;
        circle(p.img, p.at(u, v), p.len(0.05f), (i & 1) ? kWhite : kOutline);
    }
}

void eraseColourIcon(Pen& p) {
    // An eraser lying across.
    polygon(p.img, {p.at(0.06f, 0.62f), p.at(0.46f, 0.22f), p.at(0.94f, 0.22f + 0.0f), p.at(0.54f, 0.62f)},
            {236, 130, 150, 255});
    polygon(p.img, {p.at(0.06f, 0.62f), p.at(0.54f, 0.62f), p.at(0.54f, 0.82f), p.at(0.06f, 0.82f)}, {200, 90, 110, 255});
    polygon(p.img, {p.at(0.54f, 0.62f), p.at(0.94f, 0.22f), p.at(0.94f, 0.42f), p.at(0.54f, 0.82f)}, {170, 70, 90, 255});
}

void makeOpaqueIcon(Pen& p) {
    roundRect(p.img, p.at(0.08f, 0.08f).x, p.at(0.08f, 0.08f).y, p.len(0.84f), p.len(0.84f), p.len(0.06f), kOutline);
    roundRect(p.img, p.at(0.16f, 0.16f).x, p.at(0.16f, 0.16f).y, p.len(0.68f), p.len(0.68f), p.len(0.04f), kArrowBlue);
}

void gridIcon(Pen& p) {
    roundRect(p.img, p.at(0.06f, 0.06f).x, p.at(0.06f, 0.06f).y, p.len(0.88f), p.len(0.88f), p.len(0.04f),
              {226, 236, 250, 255});
    for (int i = 0; i < 4; ++i) {
        const float t = 0.08f + 0.28f * float(i);
        stroke(p.img, {p.at(t, 0.08f), p.at(t, 0.92f)}, p.len(0.07f), kOutline);
        stroke(p.img, {p.at(0.08f, t), p.at(0.92f, t)}, p.len(0.07f), kOutline);
    }
}

// A magnifying glass with a sign in its lens: -1 minus, 0 "1:1", 1 plus.
void zoomIcon(Pen& p, int sign) {
    circle(p.img, p.at(0.42f, 0.42f), p.len(0.34f), kOutline);
    circle(p.img, p.at(0.42f, 0.42f), p.len(0.26f), kWhite);
    stroke(p.img, {p.at(0.66f, 0.66f), p.at(0.92f, 0.92f)}, p.len(0.16f), kOutline);
    if (sign == 0) {
        stroke(p.img, {p.at(0.36f, 0.28f), p.at(0.36f, 0.56f)}, p.len(0.08f), kArrowBlue);
        stroke(p.img, {p.at(0.5f, 0.28f), p.at(0.5f, 0.56f)}, p.len(0.08f), kArrowBlue);
        return;
    }
    stroke(p.img, {p.at(0.28f, 0.42f), p.at(0.56f, 0.42f)}, p.len(0.09f), kArrowBlue);
    if (sign > 0) stroke(p.img, {p.at(0.42f, 0.28f), p.at(0.42f, 0.56f)}, p.len(0.09f), kArrowBlue);
}

void drawToolIcon(Pen& p) {
    stroke(p.img, {p.at(0.3f, 0.7f), p.at(0.8f, 0.2f)}, p.len(0.18f), {60, 90, 200, 255});
    polygon(p.img, {p.at(0.22f, 0.65f), p.at(0.35f, 0.78f), p.at(0.1f, 0.9f)}, {240, 210, 170, 255});
    polygon(p.img, {p.at(0.15f, 0.79f), p.at(0.21f, 0.85f), p.at(0.1f, 0.9f)}, kOutline);
}

void eraseToolIcon(Pen& p) {
    polygon(p.img, {p.at(0.08f, 0.66f), p.at(0.5f, 0.24f), p.at(0.92f, 0.24f + 0.0f), p.at(0.5f, 0.66f)},
            {250, 250, 250, 255});
    polygon(p.img, {p.at(0.5f, 0.24f), p.at(0.92f, 0.24f), p.at(0.5f, 0.66f), p.at(0.29f, 0.45f)}, {236, 110, 130, 255});
    stroke(p.img, {p.at(0.08f, 0.66f), p.at(0.5f, 0.24f), p.at(0.92f, 0.24f), p.at(0.5f, 0.66f), p.at(0.08f, 0.66f)},
           p.len(0.06f), kOutline);
    stroke(p.img, {p.at(0.1f, 0.86f), p.at(0.9f, 0.86f)}, p.len(0.06f), {150, 150, 160, 255});
}

void pickerToolIcon(Pen& p) {
    // A dropper: a bulb, a collar and a thin glass tube down to the tip.
    circle(p.img, p.at(0.76f, 0.24f), p.len(0.16f), kOutline);
    stroke(p.img, {p.at(0.56f, 0.3f), p.at(0.7f, 0.44f)}, p.len(0.12f), kOutline);
    stroke(p.img, {p.at(0.62f, 0.38f), p.at(0.16f, 0.84f)}, p.len(0.12f), {160, 196, 236, 255});
    circle(p.img, p.at(0.12f, 0.88f), p.len(0.07f), kArrowBlue);
}

void lineToolIcon(Pen& p) { stroke(p.img, {p.at(0.12f, 0.88f), p.at(0.88f, 0.12f)}, p.len(0.1f), kOutline); }

void rectangleToolIcon(Pen& p) {
    fillRect(p.img, int(p.at(0.1f, 0.22f).x), int(p.at(0.1f, 0.22f).y), int(std::ceil(p.len(0.8f))),
             int(std::ceil(p.len(0.56f))), kOutline);
    fillRect(p.img, int(p.at(0.18f, 0.3f).x), int(p.at(0.18f, 0.3f).y), int(std::ceil(p.len(0.64f))),
             int(std::ceil(p.len(0.4f))), {160, 196, 236, 255});
}

void ellipseToolIcon(Pen& p) {
    ellipse(p.img, p.at(0.5f, 0.5f), p.len(0.44f), p.len(0.32f), 0, kOutline);
    ellipse(p.img, p.at(0.5f, 0.5f), p.len(0.36f), p.len(0.24f), 0, {160, 196, 236, 255});
}

void fillToolIcon(Pen& p) {
    // A tipped bucket pouring a drop of paint.
    polygon(p.img, {p.at(0.18f, 0.42f), p.at(0.5f, 0.1f), p.at(0.82f, 0.42f), p.at(0.5f, 0.74f)}, kOutline);
    polygon(p.img, {p.at(0.27f, 0.42f), p.at(0.5f, 0.19f), p.at(0.73f, 0.42f), p.at(0.5f, 0.65f)}, kWhite);
    polygon(p.img, {p.at(0.27f, 0.42f), p.at(0.73f, 0.42f), p.at(0.5f, 0.65f)}, kArrowBlue);
    circle(p.img, p.at(0.86f, 0.76f), p.len(0.1f), kArrowBlue);
    polygon(p.img, {p.at(0.78f, 0.72f), p.at(0.86f, 0.5f), p.at(0.94f, 0.72f)}, kArrowBlue);
}

void exitIcon(Pen& p) {
    // A door with an arrow leaving through it.
    roundRect(p.img, p.at(0.1f, 0.08f).x, p.at(0.1f, 0.08f).y, p.len(0.46f), p.len(0.84f), p.len(0.04f),
              {121, 85, 72, 255});
    circle(p.img, p.at(0.46f, 0.52f), p.len(0.05f), {255, 214, 64, 255});
    const Rgba red{211, 47, 47, 255};
    stroke(p.img, {p.at(0.5f, 0.5f), p.at(0.82f, 0.5f)}, p.len(0.12f), red);
    polygon(p.img, {p.at(0.74f, 0.3f), p.at(0.96f, 0.5f), p.at(0.74f, 0.7f)}, red);
}

void helpIcon(Pen& p) {
    // A question mark on a blue disc.
    circle(p.img, p.at(0.5f, 0.5f), p.len(0.46f), {33, 110, 200, 255});
    const Rgba w{255, 255, 255, 255};
    arcBand(p.img, p.at(0.5f, 0.38f), p.len(0.11f), p.len(0.2f), -180, 90, w);
    stroke(p.img, {p.at(0.5f, 0.54f), p.at(0.5f, 0.64f)}, p.len(0.09f), w);
    circle(p.img, p.at(0.5f, 0.78f), p.len(0.06f), w);
}

void aboutIcon(Pen& p) {
    // An "i" on a blue disc.
    circle(p.img, p.at(0.5f, 0.5f), p.len(0.46f), {33, 110, 200, 255});
    const Rgba w{255, 255, 255, 255};
    circle(p.img, p.at(0.5f, 0.27f), p.len(0.07f), w);
    stroke(p.img, {p.at(0.5f, 0.42f), p.at(0.5f, 0.78f)}, p.len(0.12f), w);
}

void drawIconInto(Image& img, Icon icon, float x, float y, float size) {
    Pen p{img, size, x, y};
    switch (icon) {
    case Icon::Sprite: spriteIcon(p); break;
    case Icon::Sound: soundIcon(p); break;
    case Icon::Music: musicIcon(p); break;
    case Icon::Background: backgroundIcon(p); break;
    case Icon::Font: fontIcon(p); break;
    case Icon::Object: objectIcon(p); break;
    case Icon::Scene: sceneIcon(p); break;
    case Icon::Function: functionIcon(p); break;
    case Icon::Merge: mergeIcon(p); break;
    case Icon::Run: runIcon(p); break;
    case Icon::ResetOrder: resetOrderIcon(p); break;
    case Icon::SortAscending: sortIcon(p, true); break;
    case Icon::SortDescending: sortIcon(p, false); break;
    case Icon::Preferences: preferencesIcon(p); break;
    case Icon::VersionCheck: versionCheckIcon(p); break;
    case Icon::Variables: variablesIcon(p); break;
    case Icon::Comments: commentsIcon(p); break;
    case Icon::Extensions: extensionsIcon(p); break;
    case Icon::Document: documentIcon(p); break;
    case Icon::Folder: folderIcon(p); break;
    case Icon::Disk: diskIcon(p); break;
    case Icon::NewFrames: newFramesIcon(p); break;
    case Icon::AddFrame: addFrameIcon(p); break;
    case Icon::SaveStrip: saveStripIcon(p); break;
    case Icon::DuplicateFrame: duplicateFrameIcon(p); break;
    case Icon::FrameLeft: moveFrameIcon(p, true); break;
    case Icon::FrameRight: moveFrameIcon(p, false); break;
    case Icon::EditFrame: editFrameIcon(p); break;
    case Icon::DeleteFrame: deleteFrameIcon(p); break;
    case Icon::Shift: shiftIcon(p); break;
    case Icon::Mirror: mirrorIcon(p); break;
    case Icon::Rotate: rotateIcon(p); break;
    case Icon::Scale: scaleIcon(p); break;
    case Icon::ResizeCanvas: resizeCanvasIcon(p); break;
    case Icon::Stretch: stretchIcon(p); break;
    case Icon::Grayscale: grayscaleIcon(p); break;
    case Icon::Colorize: colorizeIcon(p); break;
    case Icon::ColorBalance: colorBalanceIcon(p); break;
    case Icon::SwapChannels: swapChannelsIcon(p); break;
    case Icon::Invert: invertIcon(p); break;
    case Icon::Brightness: brightnessIcon(p); break;
    case Icon::Opacity: opacityIcon(p); break;
    case Icon::Posterize: posterizeIcon(p); break;
    case Icon::Noise: noiseIcon(p); break;
    case Icon::EraseColour: eraseColourIcon(p); break;
    case Icon::MakeOpaque: makeOpaqueIcon(p); break;
    case Icon::Grid: gridIcon(p); break;
    case Icon::ZoomOut: zoomIcon(p, -1); break;
    case Icon::ZoomReset: zoomIcon(p, 0); break;
    case Icon::ZoomIn: zoomIcon(p, 1); break;
    case Icon::DrawTool: drawToolIcon(p); break;
    case Icon::EraseTool: eraseToolIcon(p); break;
    case Icon::PickerTool: pickerToolIcon(p); break;
    case Icon::LineTool: lineToolIcon(p); break;
    case Icon::RectangleTool: rectangleToolIcon(p); break;
    case Icon::EllipseTool: ellipseToolIcon(p); break;
    case Icon::FillTool: fillToolIcon(p); break;
    case Icon::Exit: exitIcon(p); break;
    case Icon::Help: helpIcon(p); break;
    case Icon::About: aboutIcon(p); break;
    }
}

void cardShape(Image& card, Rgba fill) {
    card.fill({228, 228, 232, 255});
    roundRect(card, 3, 3, kCardWidth - 6, kCardHeight - 6, 12, {70, 70, 78, 255});
    roundRect(card, 5, 5, kCardWidth - 10, kCardHeight - 10, 10, fill);
}

} // namespace

Image drawIcon(Icon icon, int size) {
    Image img(size, size);
    drawIconInto(img, icon, 0, 0, float(size));
    return img;
}

Image emptyCard() {
    Image card(kCardWidth, kCardHeight);
    cardShape(card, {255, 255, 255, 255});
    return card;
}

Image noImageCard() {
    Image card(kCardWidth, kCardHeight);
    cardShape(card, {196, 112, 112, 255});
    const Rgba white{255, 255, 255, 255};
    // The question mark: a hook over the top, a stem and a dot.
    arcBand(card, {75, 36}, 11, 19, -40, 180, white);
    stroke(card, {{86.5f, 45.5f}, {75, 55}, {75, 62}}, 8, white);
    circle(card, {75, 77}, 5.5f, white);
    return card;
}

Image iconCard(Icon icon) {
    Image card = emptyCard();
    drawIconInto(card, icon, 45, 20, 60);
    return card;
}

Image addTileCard() {
    Image card(kCardWidth, kCardHeight);
    cardShape(card, {240, 248, 240, 255});
    circle(card, {75, 50}, 28, {46, 160, 67, 255});
    stroke(card, {{75, 36}, {75, 64}}, 8, {255, 255, 255, 255});
    stroke(card, {{61, 50}, {89, 50}}, 8, {255, 255, 255, 255});
    return card;
}

Image splashArt(int width, int height) {
    Image img(width, height);
    verticalGradient(img, {24, 38, 74, 255}, {70, 30, 96, 255});
    // A scattering of the studio's kinds, as if placed on a scene.
    const Icon kinds[] = {Icon::Sprite, Icon::Sound, Icon::Music, Icon::Background,
                          Icon::Font,   Icon::Object, Icon::Scene, Icon::Function};
    const float s = float(std::min(width, height)) / 8.5f;
    for (int i = 0; i < 8; ++i) {
        float x = float(width) * (0.06f + 0.115f * float(i));
        float y = float(height) * (0.62f + 0.08f * std::sin(float(i) * 1.3f));
        roundRect(img, x - s * 0.12f, y - s * 0.12f, s * 1.24f, s * 1.24f, s * 0.2f, {255, 255, 255, 40});
        drawIconInto(img, kinds[i], x, y, s);
    }
    // A ground line under them.
    fillRect(img, 0, int(float(height) * 0.86f), width, 3, {255, 255, 255, 60});
    return img;
}

Image aboutArt(int width, int height) {
    Image img(width, height);
    verticalGradient(img, {245, 246, 250, 255}, {206, 214, 235, 255});
    const float s = float(height) * 0.36f;
    roundRect(img, float(width) * 0.07f, float(height) * 0.1f, s * 1.2f, s * 1.2f, s * 0.2f, {24, 38, 74, 255});
    drawIconInto(img, Icon::Sprite, float(width) * 0.07f + s * 0.1f, float(height) * 0.1f + s * 0.1f, s);
    fillRect(img, 0, height - 8, width, 8, {24, 38, 74, 255});
    return img;
}

Image placeholderArt(int width, int height) {
    Image img(width, height);
    img.fill({236, 236, 240, 255});
    float s = float(std::min(width, height)) * 0.5f;
    Image icon = drawIcon(Icon::Background, int(s));
    // The landscape, greyed: a picture that is not there yet.
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            Rgba c = icon.pixel(x, y);
            uint8_t g = uint8_t((c.r * 30 + c.g * 59 + c.b * 11) / 100);
            icon.setPixel(x, y, {g, g, g, uint8_t(c.a / 2)});
        }
    drawOver(img, icon, (width - icon.width()) / 2, (height - icon.height()) / 2);
    return img;
}

Image headerStripArt(int width, int height) {
    Image img(width, height);
    verticalGradient(img, {238, 240, 246, 255}, {214, 218, 230, 255});
    fillRect(img, 0, height - 1, width, 1, {160, 164, 180, 255});
    return img;
}

Image gameButtonArt(Icon icon, int width, int height) {
    Image img(width, height);
    Image ground(width, height);
    verticalGradient(ground, {252, 252, 255, 255}, {222, 226, 238, 255});
    // Keep the gradient only inside a rounded outline.
    roundRect(img, 0, 0, float(width), float(height), 8, {150, 156, 176, 255});
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (insideRoundRect(x + 0.5f, y + 0.5f, 1.5f, 1.5f, float(width) - 3, float(height) - 3, 7))
                img.setPixel(x, y, ground.pixel(x, y));
    float s = float(height) - 10;
    drawIconInto(img, icon, 8, 5, s);
    return img;
}

} // namespace pondaro
