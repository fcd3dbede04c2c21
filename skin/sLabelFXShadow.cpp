#include "sLabelFXShadow.h"

#include <algorithm>
#include <cstring>

TsShadowValues ResolveShadow(TsShadowMode mode, const TsShadowValues& custom, const TsSkinData* loadedSkin) {
    if (mode == smSkin1 && loadedSkin && loadedSkin->Shadow1Blur != -1)
        return {loadedSkin->Shadow1Color, loadedSkin->Shadow1Blur, loadedSkin->Shadow1Offset};
    return custom;
}

TsShadowMargins ShadowMargins(int distance, int blur) {
    return {std::min(0, distance - blur), std::max(0, distance + blur)};
}

TRect ReducedTextRect(const TRect& r, const TsShadowMargins& m) {
    return {r.Left - m.LeftTop, r.Top - m.LeftTop, r.Right - m.RightBottom, r.Bottom - m.RightBottom};
}

void TsShadowBlur::Build(const TsBitmap24& mask, int passes) {
    width_ = std::max(0, mask.Width);
    height_ = std::max(0, mask.Height);
    const size_t stride = size_t(width_) + 2;
    const size_t cells = stride * (size_t(height_) + 2);
    if (buffer_.size() < cells)
        buffer_.resize(cells);
    std::memset(buffer_.data(), 0, cells);
    if (mask.Empty())
        return;
    uint8_t* b = buffer_.data();
    for (int pass = 0; pass < passes; ++pass) {
        for (int y = 0; y < height_; ++y) {
            const uint8_t* p = &mask.Pixels[size_t(y) * size_t(width_) * 3];
            uint8_t* row = b + (size_t(y) + 1) * stride + 1;
            for (int x = 0; x < width_; ++x, p += 3)
                if (p[0] | p[1] | p[2])
                    row[x] = 255;
        }
        for (int y = 1; y <= height_; ++y) {
            for (int x = 1; x <= width_; ++x) {
                const size_t i = size_t(y) * stride + size_t(x);
                b[i] = uint8_t((b[i - stride] + b[i + stride] + b[i - 1] + b[i + 1]) / 4);
            }
        }
    }
}

uint8_t TsShadowBlur::Alpha(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_)
        return 0;
    return buffer_[(size_t(y) + 1) * (size_t(width_) + 2) + size_t(x) + 1];
}

void TsShadowBlur::Mix(TsBitmap24& picture, TColor shadow) const {
    const int width = std::min(picture.Width, width_);
    const int height = std::min(picture.Height, height_);
    const int channels[3] = {int(uint32_t(shadow) >> 16 & 0xFF), int(uint32_t(shadow) >> 8 & 0xFF),
                             int(uint32_t(shadow) & 0xFF)}; // blue, green, red, as the pixels
    for (int y = 0; y < height; ++y) {
        uint8_t* p = &picture.Pixels[size_t(y) * size_t(picture.Width) * 3];
        for (int x = 0; x < width; ++x, p += 3) {
            const int a = Alpha(x, y);
            for (int c = 0; c < 3; ++c)
                p[c] = uint8_t((p[c] * (255 - a) + channels[c] * a) / 256);
        }
    }
}
