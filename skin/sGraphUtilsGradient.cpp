// Gradients: the "GRADIENTDATA" text and its painting.
#include "sGraphUtils.h"
#include "sMaskValue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

std::vector<TsGradientSegment> ParseGradient(const std::string& text) {
    // Numbers separated by ";", five to a segment: start colour, end colour,
    // share in percent (at most 100), kind, and one that is not used. A text
    // of a single blank holds no gradient.
    std::vector<TsGradientSegment> segments;
    if (text == " ")
        return segments;
    std::vector<int32_t> numbers;
    std::string_view rest = text;
    for (;;) {
        const size_t at = rest.find(';');
        numbers.push_back(TryStrToInt(rest.substr(0, at)).value_or(0));
        if (at == std::string_view::npos)
            break;
        rest.remove_prefix(at + 1);
    }
    for (size_t i = 0; i + 3 < numbers.size(); i += 5) {
        TsGradientSegment s;
        s.Color1 = numbers[i];
        s.Color2 = numbers[i + 1];
        s.Percent = std::min(numbers[i + 2], 100);
        s.Mode = numbers[i + 3];
        segments.push_back(s);
    }
    return segments;
}

namespace {

using TChannels = std::array<double, 3>; // blue, green, red

TChannels ChannelsOf(TColor color) {
    const uint32_t c = static_cast<uint32_t>(ToRGB(color));
    return {double(c >> 16 & 0xFF), double(c >> 8 & 0xFF), double(c & 0xFF)};
}

void Put(uint8_t* p, const TChannels& c) {
    for (int k = 0; k < 3; ++k)
        p[k] = uint8_t(std::clamp(std::lround(c[size_t(k)]), 0L, 255L));
}

// The colour of step i of n from start towards end, each channel moving by
// (end - start) / n per step and rounded.
void StepColor(uint8_t* p, const TChannels& start, const TChannels& end, int i, int n) {
    TChannels c;
    for (size_t k = 0; k < 3; ++k)
        c[k] = start[k] + (end[k] - start[k]) * i / n;
    Put(p, c);
}

// Rows go to the segments in order, share * height div 100 each; the last
// segment runs to the bottom.
void Vertical(TsBitmap24& target, const TRect& area, const TRect& visible,
              const std::vector<TsGradientSegment>& segments) {
    const int height = area.Height();
    int y = area.Top;
    for (size_t i = 0; i < segments.size() && y < area.Bottom; ++i) {
        const TsGradientSegment& s = segments[i];
        int rows = i + 1 == segments.size() ? area.Bottom - y : std::max(0, s.Percent * height / 100);
        rows = std::min(rows, area.Bottom - y);
        const TChannels c1 = ChannelsOf(s.Color1), c2 = ChannelsOf(s.Color2);
        for (int r = 0; r < rows; ++r) {
            const int row = y + r;
            if (row < visible.Top || row >= visible.Bottom)
                continue;
            uint8_t* p = PixelAt(target, visible.Left, row);
            StepColor(p, c1, c2, r, rows);
            for (int x = visible.Left + 1; x < visible.Right; ++x)
                std::copy(p, p + 3, p + size_t(x - visible.Left) * 3);
        }
        y += rows;
    }
}

// The same across columns, share * width / 100 rounded each; one row is
// worked out and copied to every row.
void Horizontal(TsBitmap24& target, const TRect& area, const TRect& visible,
                const std::vector<TsGradientSegment>& segments) {
    const int width = area.Width();
    std::vector<uint8_t> line(size_t(width) * 3);
    int x = 0;
    for (size_t i = 0; i < segments.size() && x < width; ++i) {
        const TsGradientSegment& s = segments[i];
        int cols = i + 1 == segments.size()
                       ? width - x
                       : std::max(0, int(std::lround(double(s.Percent) * width / 100.0)));
        cols = std::min(cols, width - x);
        const TChannels c1 = ChannelsOf(s.Color1), c2 = ChannelsOf(s.Color2);
        for (int c = 0; c < cols; ++c)
            StepColor(&line[size_t(x + c) * 3], c1, c2, c, cols);
        x += cols;
    }
    const size_t from = size_t(visible.Left - area.Left) * 3, bytes = size_t(visible.Width()) * 3;
    for (int y = visible.Top; y < visible.Bottom; ++y)
        std::copy(line.begin() + ptrdiff_t(from), line.begin() + ptrdiff_t(from + bytes),
                  PixelAt(target, visible.Left, y));
}

// Four triangles meeting at the area's centre, each shaded from its three
// corner colours: top-left the first segment's start colour, the centre the
// second's, top-right the third's, bottom-right the fourth's, bottom-left the
// fifth's; a missing segment repeats the colour before it.
void Triangles(TsBitmap24& target, const TRect& area, const TRect& visible,
               const std::vector<TsGradientSegment>& segments) {
    std::array<TChannels, 5> colors;
    for (size_t i = 0; i < colors.size(); ++i)
        colors[i] = i < segments.size() ? ChannelsOf(segments[i].Color1) : colors[i - 1];
    const TChannels &topLeft = colors[0], &centre = colors[1], &topRight = colors[2],
                    &bottomRight = colors[3], &bottomLeft = colors[4];
    const double w = area.Width(), h = area.Height();
    for (int y = visible.Top; y < visible.Bottom; ++y) {
        uint8_t* p = PixelAt(target, visible.Left, y);
        const double v = (y - area.Top + 0.5) / h; // 0 at the top edge, 1 at the bottom
        for (int x = visible.Left; x < visible.Right; ++x, p += 3) {
            const double u = (x - area.Left + 0.5) / w;
            // In unit coordinates the centre is (0.5, 0.5); its weight grows
            // linearly from 0 on the outer edge of the triangle to 1.
            const TChannels* a;
            const TChannels* b;
            double wc, wb;
            if (v <= u && v <= 1 - u) { // top: top-left to top-right
                wc = 2 * v, wb = u - v, a = &topLeft, b = &topRight;
            } else if (v >= u && v >= 1 - u) { // bottom: bottom-left to bottom-right
                wc = 2 * (1 - v), wb = u - (1 - v), a = &bottomLeft, b = &bottomRight;
            } else if (u < v) { // left: top-left to bottom-left
                wc = 2 * u, wb = v - u, a = &topLeft, b = &bottomLeft;
            } else { // right: top-right to bottom-right
                wc = 2 * (1 - u), wb = v - (1 - u), a = &topRight, b = &bottomRight;
            }
            const double wa = 1 - wc - wb;
            TChannels c;
            for (size_t k = 0; k < 3; ++k)
                c[k] = wa * (*a)[k] + wb * (*b)[k] + wc * centre[k];
            Put(p, c);
        }
    }
}

} // namespace

void PaintGradient(TsBitmap24& target, const TRect& area, const std::vector<TsGradientSegment>& segments) {
    const TRect visible = IntersectRects(area, BoundsOf(target));
    if (segments.empty() || IsEmptyRect(visible))
        return;
    switch (segments.front().Mode) {
    case 1:
        Horizontal(target, area, visible, segments);
        break;
    case 2:
        Triangles(target, area, visible, segments);
        break;
    default:
        Vertical(target, area, visible, segments);
        break;
    }
}
