#include "AboutPictures.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Colour {
    uint8_t r, g, b;
};

// A shape is an inside test on continuous coordinates and the box it lies
// in; pixels are covered by 4 by 4 samples, so edges are smoothed.
struct Shape {
    std::function<bool(double x, double y)> Inside;
    double Left, Top, Right, Bottom;
};

double Coverage(const Shape& shape, int x, int y) {
    int hits = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx)
            hits += shape.Inside(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0) ? 1 : 0;
    return hits / 16.0;
}

Shape RoundRect(double left, double top, double right, double bottom, double radius) {
    return {[=](double x, double y) {
                if (x < left || x > right || y < top || y > bottom)
                    return false;
                const double cx = std::clamp(x, left + radius, right - radius);
                const double cy = std::clamp(y, top + radius, bottom - radius);
                return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
            },
            left, top, right, bottom};
}

// A stroke from a to b with round ends.
Shape Stroke(double ax, double ay, double bx, double by, double halfWidth) {
    return {[=](double x, double y) {
                const double dx = bx - ax, dy = by - ay;
                const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                const double px = ax + t * dx - x, py = ay + t * dy - y;
                return px * px + py * py <= halfWidth * halfWidth;
            },
            std::min(ax, bx) - halfWidth, std::min(ay, by) - halfWidth, std::max(ax, bx) + halfWidth,
            std::max(ay, by) + halfWidth};
}

Shape Disc(double cx, double cy, double radius) {
    return {[=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; },
            cx - radius, cy - radius, cx + radius, cy + radius};
}

class Canvas24 {
public:
    Canvas24(int width, int height) {
        picture_.Width = width;
        picture_.Height = height;
        picture_.Pixels.resize(static_cast<size_t>(width) * height * 3);
    }

    void VerticalGradient(Colour top, Colour bottom) {
        for (int y = 0; y < picture_.Height; ++y) {
            const double t = static_cast<double>(y) / (picture_.Height - 1);
            const Colour c{Mix(top.r, bottom.r, t), Mix(top.g, bottom.g, t), Mix(top.b, bottom.b, t)};
            for (int x = 0; x < picture_.Width; ++x)
                Put(x, y, c, 1.0);
        }
    }

    // Only the pixels that meet the shape's box are sampled: the logo is
    // drawn when the About box is made, at every start of the program.
    void Fill(const Shape& shape, Colour colour) {
        const int left = std::max(0, static_cast<int>(std::floor(shape.Left)));
        const int top = std::max(0, static_cast<int>(std::floor(shape.Top)));
        const int right = std::min(picture_.Width - 1, static_cast<int>(std::ceil(shape.Right)));
        const int bottom = std::min(picture_.Height - 1, static_cast<int>(std::ceil(shape.Bottom)));
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                if (const double cover = Coverage(shape, x, y); cover > 0)
                    Put(x, y, colour, cover);
    }

    Picture24 Take() { return std::move(picture_); }

private:
    static uint8_t Mix(uint8_t from, uint8_t to, double t) {
        return static_cast<uint8_t>(std::lround(from + (to - from) * t));
    }
    void Put(int x, int y, Colour c, double cover) {
        uint8_t* p = &picture_.Pixels[(static_cast<size_t>(y) * picture_.Width + x) * 3];
        p[0] = Mix(p[0], c.b, cover);
        p[1] = Mix(p[1], c.g, cover);
        p[2] = Mix(p[2], c.r, cover);
    }

    Picture24 picture_;
};

constexpr Colour kNavy{43, 53, 77};

} // namespace

Picture24 AboutLogo() {
    Canvas24 canvas(kLogoWidth, kLogoHeight);
    canvas.VerticalGradient({250, 251, 253}, {196, 210, 230});

    // A bold K, the initial of the product.
    canvas.Fill(RoundRect(14, 16, 27, 94, 3), kNavy);
    canvas.Fill(Stroke(25, 58, 53, 20, 6.5), kNavy);
    canvas.Fill(Stroke(31, 52, 56, 90, 6.5), kNavy);

    // A report sheet: banded rows of captions and values.
    canvas.Fill(RoundRect(67, 13, 133, 99, 5), {120, 134, 160});
    canvas.Fill(RoundRect(68, 14, 132, 98, 4), {255, 255, 255});
    canvas.Fill(RoundRect(68, 14, 132, 26, 4), {86, 110, 150});
    for (int row = 0; row < 6; ++row) {
        const double top = 30 + row * 11;
        if (row % 2 == 0)
            canvas.Fill(RoundRect(70, top - 1, 130, top + 8, 1), {255, 248, 215});
        canvas.Fill(RoundRect(73, top + 2, 97, top + 5, 1.5), kNavy);
        canvas.Fill(RoundRect(102, top + 2, 102 + 8 + (row * 7) % 18, top + 5, 1.5), {90, 130, 190});
    }

    // A green tick: every engine found.
    canvas.Fill(Disc(124, 88, 13), {255, 255, 255});
    canvas.Fill(Disc(124, 88, 11.5), {46, 150, 70});
    canvas.Fill(Stroke(118, 88, 122.5, 93, 2.2), {255, 255, 255});
    canvas.Fill(Stroke(122.5, 93, 130, 82.5, 2.2), {255, 255, 255});
    return canvas.Take();
}

Glyph OkGlyph() {
    Glyph glyph;
    glyph.BitsPerPixel = 32;
    glyph.Pixels.assign(Glyph::Size * Glyph::Size * 4, 0);
    const Shape first = Stroke(9, 17, 14, 22.5, 2.4);
    const Shape second = Stroke(14, 22.5, 23.5, 10, 2.4);
    for (int y = 0; y < Glyph::Size; ++y) {
        for (int x = 0; x < Glyph::Size; ++x) {
            const double cover = std::max(Coverage(first, x, y), Coverage(second, x, y));
            uint8_t* p = &glyph.Pixels[(y * Glyph::Size + x) * 4];
            p[0] = 0;
            p[1] = 128;
            p[2] = 0;
            p[3] = static_cast<uint8_t>(std::lround(cover * 255));
        }
    }
    return glyph;
}
