#pragma once
// Pixel operations over 24-bit skin pictures: solid fills, colour and picture
// mixes, keyed copies and grey conversion. Every loop walks scan lines; all
// rectangles are clipped to the pictures involved.
#include "sBitmap.h"
#include "sSkinData.h"

#include <cstdint>

// A key of KeyNone or above means that no pixel is skipped.
inline constexpr uint32_t KeyNone = 0xFFFFFFFF;

// Geometry helpers.
inline TRect BoundsOf(const TsBitmap24& picture) {
    return {0, 0, picture.Width, picture.Height};
}
inline bool IsEmptyRect(const TRect& r) {
    return r.Right <= r.Left || r.Bottom <= r.Top;
}
TRect IntersectRects(const TRect& a, const TRect& b);
inline TRect OffsetRectBy(const TRect& r, int dx, int dy) {
    return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

// The first byte (blue) of pixel (x, y).
inline uint8_t* PixelAt(TsBitmap24& picture, int x, int y) {
    return picture.Pixels.data() + (size_t(y) * size_t(picture.Width) + size_t(x)) * 3;
}
inline const uint8_t* PixelAt(const TsBitmap24& picture, int x, int y) {
    return picture.Pixels.data() + (size_t(y) * size_t(picture.Width) + size_t(x)) * 3;
}
// The pixel at p (blue, green, red) as a skin colour 0x00BBGGRR.
inline uint32_t ColorOfPixel(const uint8_t* p) {
    return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
}

// A colour in system-colour form turned into 0x00BBGGRR.
TColor ToRGB(TColor color);

// A solid rectangle.
void FillArea(TsBitmap24& picture, const TRect& rect, TColor color);
// Only the four border strips of the given widths: the top strip across the
// whole width, the left strip below it, the bottom strip right of that and
// the right strip between the top and bottom strips.
void FillFrame(TsBitmap24& picture, const TRect& rect, int left, int top, int right, int bottom,
               TColor color);

// Mixes color into the rectangle, keeping percent of the existing pixels:
// each channel becomes round(d * P / 100 + c * (1 - P / 100)).
void BlendColorOver(TsBitmap24& picture, const TRect& rect, int percent, TColor color);

// Mixes the source rectangle into the target at dest: each channel becomes
// (d * alpha + s * (255 - alpha) + 127) div 256. Pictures smaller than 2 x 2
// are left alone.
void BlendPicture(TsBitmap24& target, const TsBitmap24& source, int alpha, TPoint dest,
                  const TRect& sourceRect);

// Mixes the source rectangle into the target at (x, y), skipping source
// pixels of the key colour: each channel becomes round(s - t * (s - d)).
void BlendKeyed(TsBitmap24& target, int x, int y, uint32_t key, double transparency, const TRect& sourceRect,
                const TsBitmap24& source);

// Copies the whole source to (x, y), skipping pixels of the key colour.
void CopyKeyed(TsBitmap24& target, const TsBitmap24& source, int x, int y, uint32_t key);

// Copies the source rectangle to dest as it is (the source may be the target).
void CopyPicture(TsBitmap24& target, TPoint dest, const TsBitmap24& source, const TRect& sourceRect);

// Each channel round(share * c1 + (1 - share) * c2); the high byte of c1 stays.
TColor MixColors(TColor color1, TColor color2, double share);

// Each pixel becomes (blue + green + red) div 3 in all three channels.
void MakeGray(TsBitmap24& picture);
// The same, leaving pixels of the given colour alone.
void MakeGrayExcept(TsBitmap24& picture, TColor keep);
