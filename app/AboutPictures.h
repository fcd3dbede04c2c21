#pragma once
// The About box's pictures, drawn in code: the maker's logo and the OK
// button's check-mark glyph.
#include "Glyphs.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// A 24-bit picture: top-down rows of blue-green-red bytes, no row padding.
struct Picture24 {
    int Width = 0;
    int Height = 0;
    std::vector<uint8_t> Pixels;

    const uint8_t* PixelAt(int x, int y) const { return &Pixels[(static_cast<size_t>(y) * Width + x) * 3]; }
};

// The logo: 147 by 110 pixels. Its frame shows only 145 by 105 of it.
constexpr int kLogoWidth = 147;
constexpr int kLogoHeight = 110;
Picture24 AboutLogo();

// The OK button's glyph: a green check mark, 32-bit with alpha.
Glyph OkGlyph();
