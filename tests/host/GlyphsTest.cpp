#include "app/Glyphs.h"

#include <gtest/gtest.h>

namespace {

struct GlyphCase {
    const char* name;
    Glyph (*make)();
    int bitsPerPixel;
};

const GlyphCase kGlyphs[] = {
    {"floppy", FloppyDiskGlyph, 24},     {"folder", OpenFolderGlyph, 32}, {"arrow", CircularArrowGlyph, 24},
    {"question", QuestionMarkGlyph, 32}, {"cross", CrossGlyph, 32},
};

bool IsKey(const uint8_t* p) {
    return p[0] == 0 && p[1] == 0 && p[2] == kGlyphKeyRed;
}

TEST(Glyphs, TransparentCornersAndAVisibleMiddle) {
    for (const auto& c : kGlyphs) {
        const Glyph glyph = c.make();
        ASSERT_EQ(glyph.BitsPerPixel, c.bitsPerPixel) << c.name;
        ASSERT_EQ(glyph.Pixels.size(), size_t(32 * 32 * c.bitsPerPixel / 8)) << c.name;
        int visible = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const uint8_t* p = glyph.PixelAt(x, y);
                visible += c.bitsPerPixel == 32 ? (p[3] > 0) : !IsKey(p);
            }
        // Something is drawn, and it does not fill the square.
        EXPECT_GT(visible, 150) << c.name;
        EXPECT_LT(visible, 32 * 32 - 20) << c.name;
        const uint8_t* corner = glyph.PixelAt(0, 0);
        if (c.bitsPerPixel == 32)
            EXPECT_EQ(corner[3], 0) << c.name;
        else
            EXPECT_TRUE(IsKey(corner)) << c.name;
    }
}

TEST(Glyphs, SubjectsHaveTheirColours) {
    // Floppy: blue body; cross: white centre on red; question mark: blue disc.
    const Glyph floppyGlyph = FloppyDiskGlyph();
    const uint8_t* floppy = floppyGlyph.PixelAt(5, 10);
    EXPECT_GT(floppy[0], floppy[2]);
    const Glyph cross = CrossGlyph();
    const uint8_t* centre = cross.PixelAt(16, 16);
    EXPECT_EQ(centre[0], 255);
    EXPECT_EQ(centre[3], 255);
    const uint8_t* disc = cross.PixelAt(16, 4);
    EXPECT_GT(disc[2], 150);
    EXPECT_LT(disc[1], 80);
    const Glyph question = QuestionMarkGlyph();
    const uint8_t* blue = question.PixelAt(5, 16);
    EXPECT_GT(blue[0], blue[2]);
}

} // namespace
