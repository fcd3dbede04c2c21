#include "Glyphs.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>

namespace {

struct Rgb {
    uint8_t r, g, b;
};

// A shape is a test of a point in glyph coordinates (0..32).
using Shape = std::function<bool(double x, double y)>;

// A canvas of straight-alpha colours; shapes are painted over it with their
// coverage found by 4 x 4 supersampling.
class Canvas {
public:
    Canvas() : r_(kCount), g_(kCount), b_(kCount), a_(kCount) {}

    void Paint(const Shape& shape, Rgb colour) {
        for (int y = 0; y < Glyph::Size; ++y) {
            for (int x = 0; x < Glyph::Size; ++x) {
                int hits = 0;
                for (int sy = 0; sy < 4; ++sy)
                    for (int sx = 0; sx < 4; ++sx)
                        hits += shape(x + (sx + 0.5) / 4.0, y + (sy + 0.5) / 4.0) ? 1 : 0;
                if (hits > 0)
                    Over(y * Glyph::Size + x, colour, hits / 16.0);
            }
        }
    }

    // 32-bit: coverage becomes alpha.
    Glyph WithAlpha() const {
        Glyph glyph;
        glyph.BitsPerPixel = 32;
        glyph.Pixels.resize(kCount * 4);
        for (int i = 0; i < kCount; ++i) {
            const double a = a_[i];
            uint8_t* p = &glyph.Pixels[i * 4];
            p[0] = Byte(a > 0 ? b_[i] / a : 0);
            p[1] = Byte(a > 0 ? g_[i] / a : 0);
            p[2] = Byte(a > 0 ? r_[i] / a : 0);
            p[3] = Byte(255.0 * a);
        }
        return glyph;
    }

    // 24-bit: a pixel at least half covered keeps its colour, the rest is key
    // red, so no reddish fringe shows once the key is taken out.
    Glyph OnRedKey() const {
        Glyph glyph;
        glyph.BitsPerPixel = 24;
        glyph.Pixels.resize(kCount * 3);
        for (int i = 0; i < kCount; ++i) {
            const double a = a_[i];
            uint8_t* p = &glyph.Pixels[i * 3];
            if (a >= 0.5) {
                p[0] = Byte(b_[i] / a);
                p[1] = Byte(g_[i] / a);
                p[2] = Byte(r_[i] / a);
                if (p[0] == 0 && p[1] == 0 && p[2] == kGlyphKeyRed)
                    p[2] = kGlyphKeyRed - 1; // never the key itself
            } else {
                p[0] = 0;
                p[1] = 0;
                p[2] = kGlyphKeyRed;
            }
        }
        return glyph;
    }

private:
    static constexpr int kCount = Glyph::Size * Glyph::Size;

    static uint8_t Byte(double v) { return static_cast<uint8_t>(std::clamp(std::lround(v), 0L, 255L)); }

    // Premultiplied "source over destination".
    void Over(int i, Rgb c, double coverage) {
        const double keep = 1.0 - coverage;
        r_[i] = c.r * coverage + r_[i] * keep;
        g_[i] = c.g * coverage + g_[i] * keep;
        b_[i] = c.b * coverage + b_[i] * keep;
        a_[i] = coverage + a_[i] * keep; // 0..1
    }

    std::vector<double> r_, g_, b_, a_;
};

Shape Disc(double cx, double cy, double radius) {
    return [=](double x, double y) { return std::hypot(x - cx, y - cy) <= radius; };
}

Shape Box(double left, double top, double right, double bottom) {
    return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

Shape RoundBox(double left, double top, double right, double bottom, double radius) {
    return [=](double x, double y) {
        if (x < left || x >= right || y < top || y >= bottom)
            return false;
        const double dx = std::max({left + radius - x, 0.0, x - (right - radius)});
        const double dy = std::max({top + radius - y, 0.0, y - (bottom - radius)});
        return dx * dx + dy * dy <= radius * radius;
    };
}

// A thick line segment with round ends.
Shape Stroke(double x1, double y1, double x2, double y2, double halfWidth) {
    return [=](double x, double y) {
        const double vx = x2 - x1, vy = y2 - y1;
        const double t = std::clamp(((x - x1) * vx + (y - y1) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
        return std::hypot(x - (x1 + t * vx), y - (y1 + t * vy)) <= halfWidth;
    };
}

// A convex polygon, corners given clockwise in screen coordinates.
Shape Polygon(std::vector<std::pair<double, double>> corners) {
    return [corners = std::move(corners)](double x, double y) {
        for (size_t i = 0; i < corners.size(); ++i) {
            const auto [ax, ay] = corners[i];
            const auto [bx, by] = corners[(i + 1) % corners.size()];
            if ((bx - ax) * (y - ay) - (by - ay) * (x - ax) < 0)
                return false;
        }
        return true;
    };
}

// A ring segment between two angles (degrees, counter-clockwise from east,
// screen y pointing down).
Shape Arc(double cx, double cy, double inner, double outer, double fromDeg, double toDeg) {
    return [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        if (d < inner || d > outer)
            return false;
        double angle = std::atan2(cy - y, x - cx) * 180.0 / std::numbers::pi;
        if (angle < 0)
            angle += 360.0;
        return fromDeg <= toDeg ? angle >= fromDeg && angle <= toDeg : angle >= fromDeg || angle <= toDeg;
    };
}

} // namespace

Glyph FloppyDiskGlyph() {
    Canvas c;
    c.Paint(RoundBox(3, 3, 29, 29, 2), {20, 60, 170}); // body
    c.Paint(Box(4, 4, 28, 5), {70, 110, 220});         // top light edge
    c.Paint(Box(9, 3, 23, 12), {190, 195, 205});       // metal shutter
    c.Paint(Box(18, 5, 21, 10), {20, 60, 170});        // shutter window
    c.Paint(Box(7, 16, 25, 29), {245, 245, 245});      // label
    for (int line = 0; line < 3; ++line)
        c.Paint(Box(9, 19 + line * 3, 23, 20 + line * 3), {150, 160, 190});
    c.Paint(Box(26, 25, 28, 27), {10, 30, 90}); // write-protect notch
    return c.OnRedKey();
}

Glyph OpenFolderGlyph() {
    Canvas c;
    c.Paint(RoundBox(2, 8, 14, 14, 1.5), {200, 150, 20});                     // back tab
    c.Paint(RoundBox(2, 11, 27, 28, 1.5), {215, 165, 30});                    // back panel
    c.Paint(Polygon({{6, 16}, {31, 16}, {27, 28}, {2, 28}}), {250, 205, 60}); // open front
    c.Paint(Polygon({{6, 16}, {31, 16}, {30.5, 17.5}, {5.5, 17.5}}), {255, 230, 130});
    // Green arrow out of the folder, up and to the right.
    c.Paint(Stroke(13, 18, 22, 8, 2.2), {30, 160, 40});
    c.Paint(Polygon({{17, 3}, {28, 2}, {27, 13}}), {30, 160, 40});
    c.Paint(Stroke(14, 17, 21.5, 8.7, 0.8), {120, 220, 110}); // highlight
    return c.WithAlpha();
}

Glyph CircularArrowGlyph() {
    Canvas c;
    const Rgb green{20, 150, 40};
    c.Paint(Arc(16, 16, 8, 13, 110, 40), green); // ring, open at the upper right
    // Arrow head at the ring's end (40 degrees), pointing along the turn.
    c.Paint(Polygon({{19, 4}, {30, 8}, {25, 17}}), green);
    c.Paint(Arc(16, 16, 9.5, 11, 150, 250), {120, 210, 120}); // highlight
    return c.OnRedKey();
}

Glyph QuestionMarkGlyph() {
    Canvas c;
    c.Paint(Disc(16, 16, 15), {25, 70, 190});
    c.Paint(Arc(16, 11.5, 3.2, 6.8, 330, 190), {255, 255, 255}); // hook
    c.Paint(Stroke(20.6, 14.2, 16, 18.5, 1.8), {255, 255, 255}); // neck
    c.Paint(Box(14.2, 18, 17.8, 21.5), {255, 255, 255});         // stem
    c.Paint(Disc(16, 25.5, 2.2), {255, 255, 255});               // dot
    return c.WithAlpha();
}

Glyph CrossGlyph() {
    Canvas c;
    c.Paint(Disc(16, 16, 15), {200, 30, 30});
    c.Paint(Stroke(10, 10, 22, 22, 2.4), {255, 255, 255});
    c.Paint(Stroke(22, 10, 10, 22, 2.4), {255, 255, 255});
    return c.WithAlpha();
}
