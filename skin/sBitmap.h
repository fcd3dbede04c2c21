#pragma once
// A 24-bit picture held as plain pixels (rows top-down, each pixel blue,
// green, red), the form in which skin pictures are composed everywhere.
#include <cstdint>
#include <memory>
#include <vector>

struct TsBitmap24 {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels; // Width * Height * 3 bytes, rows top-down, B G R

    TsBitmap24() = default;
    TsBitmap24(int width, int height) : Width(width), Height(height), Pixels(size_t(width) * height * 3) {}
    bool Empty() const { return Width <= 0 || Height <= 0; }
    // The pixel as a skin colour 0x00BBGGRR.
    uint32_t Pixel(int x, int y) const {
        const uint8_t* p = &Pixels[(size_t(y) * Width + x) * 3];
        return uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16;
    }
    void SetPixel(int x, int y, uint32_t color) {
        uint8_t* p = &Pixels[(size_t(y) * Width + x) * 3];
        p[0] = uint8_t(color >> 16);
        p[1] = uint8_t(color >> 8);
        p[2] = uint8_t(color);
    }
};
using TsBitmapPtr = std::shared_ptr<TsBitmap24>;

// A Windows bitmap file (with its file header) of 1, 4, 8, 16, 24 or 32 bits
// per pixel, uncompressed, RLE4/RLE8 or bit fields, converted to 24 bits.
// Returns nothing for data that is no such file.
std::unique_ptr<TsBitmap24> DecodeBmp(const uint8_t* data, size_t size);

// A 24-bit bottom-up Windows bitmap file of the picture.
std::vector<uint8_t> EncodeBmp(const TsBitmap24& bitmap);

// A JPEG file decoded with libjpeg; nothing for data libjpeg cannot read.
std::unique_ptr<TsBitmap24> DecodeJpeg(const uint8_t* data, size_t size);
