// Pixel operations over 24-bit skin pictures, one scan line at a time.
#include "sBlendGraph.h"
#include "sSkinManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

uint8_t RoundChannel(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// The part of sourceRect that lies inside the source and, placed at dest,
// inside the target; dest is moved along with any cut at the top or left.
bool ClipTransfer(const TsBitmap24& target, const TsBitmap24& source, TPoint& dest, TRect& src) {
    TRect s = IntersectRects(src, BoundsOf(source));
    dest.X += s.Left - src.Left;
    dest.Y += s.Top - src.Top;
    // Now cut what falls outside the target.
    if (dest.X < 0) {
        s.Left -= dest.X;
        dest.X = 0;
    }
    if (dest.Y < 0) {
        s.Top -= dest.Y;
        dest.Y = 0;
    }
    s.Right = std::min(s.Right, s.Left + (target.Width - dest.X));
    s.Bottom = std::min(s.Bottom, s.Top + (target.Height - dest.Y));
    src = s;
    return !IsEmptyRect(s);
}

} // namespace

TRect IntersectRects(const TRect& a, const TRect& b) {
    TRect r{std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
    if (IsEmptyRect(r))
        return {};
    return r;
}

TColor ToRGB(TColor color) {
    return TsSkinManager::ColorToRGB(color);
}

void FillArea(TsBitmap24& picture, const TRect& rect, TColor color) {
    const TRect r = IntersectRects(rect, BoundsOf(picture));
    if (IsEmptyRect(r))
        return;
    const uint32_t c = static_cast<uint32_t>(ToRGB(color));
    const uint8_t b = uint8_t(c >> 16), g = uint8_t(c >> 8), red = uint8_t(c);
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint8_t* p = PixelAt(picture, r.Left, y);
        for (int x = r.Left; x < r.Right; ++x, p += 3) {
            p[0] = b;
            p[1] = g;
            p[2] = red;
        }
    }
}

void FillFrame(TsBitmap24& picture, const TRect& rect, int left, int top, int right, int bottom,
               TColor color) {
    FillArea(picture, {rect.Left, rect.Top, rect.Right, rect.Top + top}, color);
    FillArea(picture, {rect.Left, rect.Top + top, rect.Left + left, rect.Bottom}, color);
    FillArea(picture, {rect.Left + left, rect.Bottom - bottom, rect.Right, rect.Bottom}, color);
    FillArea(picture, {rect.Right - right, rect.Top + top, rect.Right, rect.Bottom - bottom}, color);
}

void BlendColorOver(TsBitmap24& picture, const TRect& rect, int percent, TColor color) {
    const TRect r = IntersectRects(rect, BoundsOf(picture));
    if (IsEmptyRect(r))
        return;
    const uint32_t c = static_cast<uint32_t>(ToRGB(color));
    const int channel[3] = {int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF)};
    // round(d * P / 100 + c * (100 - P) / 100) in integers: the numerator is
    // never negative, so adding half the divisor rounds halves up.
    const int p = percent;
    const int q = 100 - percent;
    for (int y = r.Top; y < r.Bottom; ++y) {
        uint8_t* px = PixelAt(picture, r.Left, y);
        for (int x = r.Left; x < r.Right; ++x, px += 3)
            for (int k = 0; k < 3; ++k)
                px[k] = uint8_t(std::clamp((px[k] * p + channel[k] * q + 50) / 100, 0, 255));
    }
}

void BlendPicture(TsBitmap24& target, const TsBitmap24& source, int alpha, TPoint dest,
                  const TRect& sourceRect) {
    if (target.Width < 2 || target.Height < 2 || source.Width < 2 || source.Height < 2)
        return;
    TRect s = sourceRect;
    if (!ClipTransfer(target, source, dest, s))
        return;
    const int a = std::clamp(alpha, 0, 255);
    const int b = 255 - a;
    const size_t bytes = size_t(s.Width()) * 3;
    for (int row = 0; row < s.Height(); ++row) {
        uint8_t* d = PixelAt(target, dest.X, dest.Y + row);
        const uint8_t* p = PixelAt(source, s.Left, s.Top + row);
        for (size_t i = 0; i < bytes; ++i)
            d[i] = uint8_t((d[i] * a + p[i] * b + 127) >> 8);
    }
}

void BlendKeyed(TsBitmap24& target, int x, int y, uint32_t key, double transparency, const TRect& sourceRect,
                const TsBitmap24& source) {
    TRect s = sourceRect;
    TPoint dest{x, y};
    if (!ClipTransfer(target, source, dest, s))
        return;
    const bool keyed = key <= 0xFEFFFFFF;
    for (int row = 0; row < s.Height(); ++row) {
        uint8_t* d = PixelAt(target, dest.X, dest.Y + row);
        const uint8_t* p = PixelAt(source, s.Left, s.Top + row);
        for (int col = 0; col < s.Width(); ++col, d += 3, p += 3) {
            if (keyed && ColorOfPixel(p) == key)
                continue;
            for (int k = 0; k < 3; ++k)
                d[k] = RoundChannel(p[k] - transparency * (p[k] - d[k]));
        }
    }
}

void CopyKeyed(TsBitmap24& target, const TsBitmap24& source, int x, int y, uint32_t key) {
    TRect s = BoundsOf(source);
    TPoint dest{x, y};
    if (!ClipTransfer(target, source, dest, s))
        return;
    for (int row = 0; row < s.Height(); ++row) {
        uint8_t* d = PixelAt(target, dest.X, dest.Y + row);
        const uint8_t* p = PixelAt(source, s.Left, s.Top + row);
        for (int col = 0; col < s.Width(); ++col, d += 3, p += 3)
            if (ColorOfPixel(p) != key) {
                d[0] = p[0];
                d[1] = p[1];
                d[2] = p[2];
            }
    }
}

void CopyPicture(TsBitmap24& target, TPoint dest, const TsBitmap24& source, const TRect& sourceRect) {
    TRect s = sourceRect;
    if (!ClipTransfer(target, source, dest, s))
        return;
    const size_t bytes = size_t(s.Width()) * 3;
    // Rows overlap only when a picture is copied within itself; walking them
    // against the direction of the move keeps every source row intact.
    const bool upward = &target == &source && dest.Y > s.Top;
    for (int i = 0; i < s.Height(); ++i) {
        const int row = upward ? s.Height() - 1 - i : i;
        std::memmove(PixelAt(target, dest.X, dest.Y + row), PixelAt(source, s.Left, s.Top + row), bytes);
    }
}

TColor MixColors(TColor color1, TColor color2, double share) {
    const uint32_t c1 = static_cast<uint32_t>(color1), c2 = static_cast<uint32_t>(color2);
    uint32_t result = c1 & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const double v = share * double(c1 >> shift & 0xFF) + (1 - share) * double(c2 >> shift & 0xFF);
        result |= uint32_t(RoundChannel(v)) << shift;
    }
    return static_cast<TColor>(result);
}

namespace {

void Gray(TsBitmap24& picture, bool except, uint32_t keep) {
    for (int y = 0; y < picture.Height; ++y) {
        uint8_t* p = PixelAt(picture, 0, y);
        for (int x = 0; x < picture.Width; ++x, p += 3) {
            if (except && ColorOfPixel(p) == keep)
                continue;
            const uint8_t v = uint8_t((p[0] + p[1] + p[2]) / 3);
            p[0] = p[1] = p[2] = v;
        }
    }
}

} // namespace

void MakeGray(TsBitmap24& picture) {
    Gray(picture, false, 0);
}

void MakeGrayExcept(TsBitmap24& picture, TColor keep) {
    Gray(picture, true, static_cast<uint32_t>(ToRGB(keep)));
}
