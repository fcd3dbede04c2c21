#include "GlyphButton.h"

namespace {
// What half-transparent edges of 32-bit glyphs are mixed with: close to the
// skinned and the plain button faces alike.
constexpr unsigned kFaceLevel = 0xF0;
// Pixels less opaque than this count as background.
constexpr unsigned kOpaqueFrom = 64;
} // namespace

std::shared_ptr<TsBitmap24> GlyphPicture(const Glyph& glyph) {
    auto picture = std::make_shared<TsBitmap24>(Glyph::Size, Glyph::Size);
    const uint32_t key = kGlyphKeyRed; // 0x00BBGGRR
    for (int y = 0; y < Glyph::Size; ++y) {
        for (int x = 0; x < Glyph::Size; ++x) {
            const uint8_t* p = glyph.PixelAt(x, y);
            if (glyph.BitsPerPixel != 32) {
                picture->SetPixel(x, y, uint32_t(p[2]) | uint32_t(p[1]) << 8 | uint32_t(p[0]) << 16);
                continue;
            }
            const unsigned a = p[3];
            if (a < kOpaqueFrom) {
                picture->SetPixel(x, y, key);
                continue;
            }
            auto mix = [a](unsigned c) { return (c * a + kFaceLevel * (255 - a) + 127) / 255; };
            uint32_t colour = mix(p[2]) | mix(p[1]) << 8 | mix(p[0]) << 16;
            if (colour == key)
                colour = key - 1; // a drawn pixel never becomes see-through
            picture->SetPixel(x, y, colour);
        }
    }
    // The key is read from the bottom-left pixel.
    picture->SetPixel(0, Glyph::Size - 1, key);
    return picture;
}
