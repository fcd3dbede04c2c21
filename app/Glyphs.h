#pragma once
// The 32 by 32 glyphs of the main window's buttons, drawn in code.
// 24-bit glyphs lie on pure red, which is drawn as transparent; 32-bit glyphs
// carry straight (not premultiplied) alpha.
#include <cstdint>
#include <vector>

struct Glyph {
    static constexpr int Size = 32;
    int BitsPerPixel = 24;
    // Top-down rows, blue-green-red(-alpha) bytes per pixel.
    std::vector<uint8_t> Pixels;

    int BytesPerPixel() const { return BitsPerPixel / 8; }
    const uint8_t* PixelAt(int x, int y) const { return &Pixels[(y * Size + x) * BytesPerPixel()]; }
};

// The transparent key of 24-bit glyphs.
constexpr uint8_t kGlyphKeyRed = 255;

Glyph FloppyDiskGlyph();    // Save...: blue floppy disk, 24-bit
Glyph OpenFolderGlyph();    // Load...: yellow open folder with a green arrow, 32-bit
Glyph CircularArrowGlyph(); // Refresh: green circular arrow, 24-bit
Glyph QuestionMarkGlyph();  // About...: white question mark on a blue disc, 32-bit
Glyph CrossGlyph();         // Close: white cross on a red disc, 32-bit
