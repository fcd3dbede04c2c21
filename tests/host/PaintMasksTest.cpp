// Frames, glyphs and textures drawn from masks of a hand-made master bitmap
// whose pixels name their own coordinates, so every target pixel shows which
// skin pixel it came from.
#include "PaintTestSkin.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

constexpr uint32_t Untouched = 0x000001;

// A "BUTTON"-like border: three 12 x 12 frames side by side, 4-pixel margins.
struct TButtonFrame : TPaintSkin {
    int mask = AddMask("BUTTON", "BORDERSMASK", {0, 0, 36, 12}, 3, 0, itisaBorder, 0, 4);
};

// The frame-local source column of target column x for an area of the given
// width: corners copied, the 4-pixel middle piece repeated.
int RepeatedColumn(int x, int width, int left, int right) {
    if (x < left)
        return x;
    if (x >= width - right)
        return 12 - right + (x - (width - right));
    return 4 + (x - left) % 4;
}

TEST(PaintNinePiece, MarginsAndRepeatedMiddlesOnSmallAreas) {
    // An area 20 wide: 4-pixel corners and a 12-pixel middle of three
    // repetitions of the middle piece; 7 wide: left 4, right 4 - 0 - 1 = 3.
    struct {
        int width, height, left, right;
    } cases[] = {{20, 12, 4, 4}, {7, 12, 4, 3}, {12, 12, 4, 4}, {6, 12, 3, 3}, {5, 12, 3, 2}};
    for (const auto& c : cases) {
        TButtonFrame s;
        TsBitmap24 target = Solid(c.width, c.height, Untouched);
        DrawNinePiece(target, BoundsOf(target), false, false, 1, s.mask, s.manager, {});
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const bool centre = x >= c.left && x < c.width - c.right && y >= 4 && y < 8;
                const uint32_t expected =
                    centre ? Untouched : Coord(12 + RepeatedColumn(x, c.width, c.left, c.right), y);
                ASSERT_EQ(target.Pixel(x, y), expected) << c.width << ": " << x << "," << y;
            }
    }
}

TEST(PaintNinePiece, AMaskTypeBelowZeroIsAFrameWithoutTransparencyMask) {
    // An options text may give any mask type; below 0 the frame is the whole
    // rectangle's height and is copied as a type 0 frame is.
    for (int maskType : {-1, -2}) {
        TButtonFrame s;
        s.Mask(s.mask).MaskType = int16_t(maskType);
        EXPECT_EQ(MaskFrameSize(s.Mask(s.mask)).H, 12) << maskType;
        TsBitmap24 target = Solid(12, 12, Untouched);
        DrawNinePiece(target, BoundsOf(target), false, false, 1, s.mask, s.manager, {});
        EXPECT_EQ(target.Pixel(0, 0), Coord(12, 0)) << maskType;
        EXPECT_EQ(target.Pixel(11, 11), Coord(23, 11)) << maskType;
        TsBitmap24 glyph = Solid(12, 12, Untouched);
        DrawMaskGlyph(glyph, {0, 0}, 2, {}, s.Mask(s.mask), true);
        EXPECT_EQ(glyph.Pixel(5, 5), Coord(29, 5)) << maskType;
    }
}

TEST(PaintNinePiece, AnInvertedMaskRectangleDrawsNothing) {
    // Rectangles from an options text may run backwards; the margins still
    // say 4 pixels, but there is no frame to take them from.
    const TRect inverted[] = {{0, 12, 36, 0}, {36, 0, 0, 12}, {0, 0, 36, 0}};
    for (const TRect& r : inverted) {
        TButtonFrame s;
        s.Mask(s.mask).R = r;
        s.Mask(s.mask).MaskType = 1;
        TsBitmap24 target = Solid(12, 12, Untouched);
        DrawNinePiece(target, BoundsOf(target), true, false, 1, s.mask, s.manager, {});
        DrawMaskGlyph(target, {0, 0}, 1, {}, s.Mask(s.mask), true);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(target.Pixel(x, y), Untouched) << r.Left << "," << r.Top << ": " << x << "," << y;
    }
}

TEST(PaintNinePiece, HeightsShrinkTopAndBottomAlike) {
    TButtonFrame s;
    TsBitmap24 target = Solid(12, 7, Untouched);
    DrawNinePiece(target, BoundsOf(target), false, false, 0, s.mask, s.manager, {});
    for (int y = 0; y < 7; ++y) // top 4 rows, bottom 3 rows (frame rows 9..11)
        EXPECT_EQ(target.Pixel(0, y), Coord(0, y < 4 ? y : 9 + (y - 4))) << y;
}

TEST(PaintNinePiece, StatesAreClampedAndStateZeroMayBeLeftOut) {
    TButtonFrame s;
    TsBitmap24 target = Solid(12, 12, Untouched);
    DrawNinePiece(target, BoundsOf(target), false, false, 3, s.mask, s.manager, {});
    EXPECT_EQ(target.Pixel(0, 0), Coord(24, 0)) << "state 3 of three frames draws frame 2";

    s.Mask(s.mask).StretchMode = 2;
    target = Solid(12, 12, Untouched);
    DrawNinePiece(target, BoundsOf(target), false, false, 0, s.mask, s.manager, {});
    EXPECT_EQ(target.Pixel(0, 0), Untouched);
    DrawNinePiece(target, BoundsOf(target), false, false, 1, s.mask, s.manager, {});
    EXPECT_EQ(target.Pixel(0, 0), Coord(12, 0));

    // Areas under 2 pixels and masks without a manager draw nothing.
    s.Mask(s.mask).StretchMode = 0;
    target = Solid(12, 12, Untouched);
    DrawNinePiece(target, {0, 0, 1, 12}, false, false, 0, s.mask, s.manager, {});
    EXPECT_EQ(target.Pixel(0, 0), Untouched);
    s.Mask(s.mask).Manager = nullptr;
    DrawNinePiece(target, BoundsOf(target), false, false, 0, s.mask, s.manager, {});
    EXPECT_EQ(target.Pixel(0, 0), Untouched);
}

TEST(PaintNinePiece, CentreStretchedEdgesAndAnOffsetArea) {
    TButtonFrame s;
    s.Mask(s.mask).StretchMode = 4 | 1;
    TsBitmap24 target = Solid(22, 22, Untouched);
    DrawNinePiece(target, {1, 1, 21, 21}, true, false, 0, s.mask, s.manager, {});
    EXPECT_EQ(target.Pixel(0, 0), Untouched);
    EXPECT_EQ(target.Pixel(1, 1), Coord(0, 0));
    // Each edge is one stretched copy of the 4-pixel middle piece over 12.
    for (int x = 0; x < 12; ++x)
        EXPECT_EQ(target.Pixel(5 + x, 1), Coord(4 + x * 4 / 12, 0)) << x;
    EXPECT_EQ(target.Pixel(1, 5 + 11), Coord(0, 7));
    // The centre too, stretched as the mask has no transparency mask.
    EXPECT_EQ(target.Pixel(5, 5), Coord(4, 4));
    EXPECT_EQ(target.Pixel(16, 16), Coord(7, 7));
    // Without the fill-centre flag the centre stays.
    target = Solid(22, 22, Untouched);
    DrawNinePiece(target, {1, 1, 21, 21}, false, false, 0, s.mask, s.manager, {});
    EXPECT_EQ(target.Pixel(10, 10), Untouched);
}

TEST(PaintNinePiece, KeyPixelsOfCornersTakeTheParentWithTheCornerFlag) {
    TButtonFrame s;
    s.Master().SetPixel(0, 0, 0xFF00FF); // top-left corner
    s.Master().SetPixel(5, 0, 0xFF00FF); // top edge
    const TsBitmap24 parent = Solid(40, 40, 0x123456);
    const auto bg = TsBackgroundDescriptor::OfPicture(parent, 3, 2);
    for (bool cornerFlag : {true, false}) {
        TsBitmap24 target = Solid(20, 12, Untouched);
        DrawNinePiece(target, BoundsOf(target), false, cornerFlag, 0, s.mask, s.manager, bg);
        EXPECT_EQ(target.Pixel(0, 0), cornerFlag ? 0x123456u : Untouched);
        EXPECT_EQ(target.Pixel(5, 0), Untouched) << "edges keep what is under their key pixels";
        EXPECT_EQ(target.Pixel(9, 0), Untouched);
        EXPECT_EQ(target.Pixel(1, 0), Coord(1, 0));
    }
}

TEST(PaintNinePiece, TransparencyMaskMixesEachPiece) {
    // One 3 x 2 frame over its 3 x 2 mask row, margins 1.
    TPaintSkin s;
    const int mask = s.AddMask("X", "BORDERSMASK", {0, 40, 3, 44}, 1, 1, itisaBorder, 0, 1);
    for (int x = 0; x < 3; ++x) {
        s.Master().SetPixel(x, 40, 0x000000);
        s.Master().SetPixel(x, 41, 0x000000);
        s.Master().SetPixel(x, 42, 0xFFFFFF); // m = 255: keep nearly all of what is there
        s.Master().SetPixel(x, 43, 0x000000); // m = 0: the skin pixel
    }
    s.Master().SetPixel(0, 41, 0xFF00FF); // bottom-left corner: key
    s.Master().SetPixel(1, 41, 0xFF00FF); // bottom edge: key
    TsBitmap24 target = Solid(3, 2, 0xFFFFFF);
    DrawNinePiece(target, BoundsOf(target), false, true, 0, mask, s.manager,
                  TsBackgroundDescriptor::OfColor(0x0000AA));
    // p = 0, d = 255, m = 255: red and green (255 * 255) div 256 = 254;
    // blue 0 - (255 * -255 + 255) div 256 = 253.
    EXPECT_EQ(target.Pixel(0, 0), 0xFDFEFEu);
    EXPECT_EQ(target.Pixel(1, 0), 0xFDFEFEu);
    EXPECT_EQ(target.Pixel(0, 1), 0x0000AAu) << "corner key pixel: the parent's colour";
    EXPECT_EQ(target.Pixel(1, 1), 0xFFFFFFu) << "edge key pixel: kept";
    EXPECT_EQ(target.Pixel(2, 1), 0x000000u) << "m = 0 takes the skin pixel";
}

TEST(PaintNinePiece, CutRemovesTheCornersKeyPixelsFromTheRegion) {
    TButtonFrame s;
    s.Master().SetPixel(0, 0, 0xFF00FF);
    s.Master().SetPixel(1, 0, 0xFF00FF);
    s.Master().SetPixel(0, 1, 0xFF00FF);
    s.Master().SetPixel(11, 11, 0xFF00FF);
    s.Master().SetPixel(6, 0, 0xFF00FF); // on the top edge: stays in the region
    TsBitmap24 target = Solid(20, 12, Untouched);
    std::vector<TRect> cut;
    DrawNinePieceCut(target, cut, true, 0, s.mask, s.manager);
    const std::vector<TRect> expected = {{0, 0, 2, 1}, {0, 1, 1, 2}, {19, 11, 20, 12}};
    EXPECT_EQ(cut, expected);
    EXPECT_EQ(target.Pixel(0, 0), Untouched);
    EXPECT_EQ(target.Pixel(2, 0), Coord(2, 0));
}

TEST(PaintMaskGlyph, StateFrameClippedKeyedOrFaded) {
    TPaintSkin s;
    const int glyph = s.AddMask("G", "GLYPHMASK", {40, 0, 46, 2}, 3, 0, itisaGlyph);
    s.Master().SetPixel(44, 1, 0xFF00FF);
    TsBitmap24 target = Solid(3, 3, Untouched);
    DrawMaskGlyph(target, {-1, -1}, 5, {}, s.Mask(glyph), true);
    EXPECT_EQ(target.Pixel(0, 0), Coord(45, 1)) << "frame 2, clipped at the top and left";
    EXPECT_EQ(target.Pixel(1, 0), Untouched);

    target = Solid(3, 3, Untouched);
    DrawMaskGlyph(target, {0, 0}, 2, {}, s.Mask(glyph), true);
    EXPECT_EQ(target.Pixel(0, 1), Untouched) << "key pixel without a background";
    DrawMaskGlyph(target, {0, 0}, 2, TsBackgroundDescriptor::OfColor(0x00AA00), s.Mask(glyph), true);
    EXPECT_EQ(target.Pixel(0, 1), 0x00AA00u) << "key pixel takes the background";

    // Not keyed and without a transparency mask: mixed half and half.
    target = Solid(3, 3, 0x000003);
    DrawMaskGlyph(target, {0, 0}, 2, {}, s.Mask(glyph), false);
    EXPECT_EQ(target.Pixel(1, 0), 0x200018u); // red (45 + 3) / 2, blue 0x40 / 2
}

TEST(PaintMaskGlyph, TransparencyMaskAndTheFadedDrawing) {
    TPaintSkin s;
    const int glyph = s.AddMask("G", "GLYPHMASK", {0, 50, 1, 52}, 1, 1, itisaGlyph);
    s.Master().SetPixel(0, 50, 0x000000);
    s.Master().SetPixel(0, 51, 0x646464); // m = 100
    TsBitmap24 target = Solid(1, 1, 0xFFFFFF);
    DrawMaskGlyph(target, {0, 0}, 0, {}, s.Mask(glyph), true);
    EXPECT_EQ(target.Pixel(0, 0), 0x636363u); // 255 * 100 div 256 = 99
    target = Solid(1, 1, 0xFFFFFF);
    DrawMaskGlyph(target, {0, 0}, 0, {}, s.Mask(glyph), false);
    EXPECT_EQ(target.Pixel(0, 0), 0xC7C7C7u); // m raised to 200: 255 * 200 div 256 = 199
}

TEST(PaintTileTexture, EveryTilingModeAndWhatItLeavesUncovered) {
    // A 2 x 2 texture over a 5 x 5 area.
    using TExpect = std::optional<uint32_t> (*)(int x, int y);
    struct {
        int mode;
        TRect uncovered;
        TExpect expected;
    } cases[] = {
        {0, {}, [](int x, int y) -> std::optional<uint32_t> { return Coord(50 + x % 2, y % 2); }},
        {1, {}, [](int x, int y) -> std::optional<uint32_t> { return Coord(50 + x * 2 / 5, y * 2 / 5); }},
        {2,
         {0, 2, 5, 5},
         [](int x, int y) -> std::optional<uint32_t> {
             return y < 2 ? std::optional<uint32_t>(Coord(50 + x % 2, y)) : std::nullopt;
         }},
        {3,
         {2, 0, 5, 5},
         [](int x, int y) -> std::optional<uint32_t> {
             return x < 2 ? std::optional<uint32_t>(Coord(50 + x, y % 2)) : std::nullopt;
         }},
        {4,
         {0, 2, 5, 5},
         [](int x, int y) -> std::optional<uint32_t> {
             return y < 2 ? std::optional<uint32_t>(Coord(50 + x * 2 / 5, y)) : std::nullopt;
         }},
        {5,
         {2, 0, 5, 5},
         [](int x, int y) -> std::optional<uint32_t> {
             return x < 2 ? std::optional<uint32_t>(Coord(50 + x, y * 2 / 5)) : std::nullopt;
         }},
        {6,
         {0, 0, 5, 3},
         [](int x, int y) -> std::optional<uint32_t> {
             return y >= 3 ? std::optional<uint32_t>(Coord(50 + x % 2, y - 3)) : std::nullopt;
         }},
        {7,
         {0, 0, 3, 5},
         [](int x, int y) -> std::optional<uint32_t> {
             return x >= 3 ? std::optional<uint32_t>(Coord(50 + x - 3, y % 2)) : std::nullopt;
         }},
        {10,
         {},
         [](int x, int y) -> std::optional<uint32_t> {
             return x < 4 && y < 4 ? std::optional<uint32_t>(Coord(50 + x % 2, y % 2)) : std::nullopt;
         }},
    };
    for (const auto& c : cases) {
        TPaintSkin s;
        const int texture = s.AddMask("FORM", "PATTERN", {50, 0, 52, 2}, 1, 0, itisaTexture, c.mode);
        TsBitmap24 target = Solid(7, 7, Untouched);
        const TRect uncovered = TileTexture(target, {1, 1, 6, 6}, s.Mask(texture), {});
        EXPECT_EQ(uncovered, OffsetRectBy(c.uncovered, IsEmptyRect(c.uncovered) ? 0 : 1,
                                          IsEmptyRect(c.uncovered) ? 0 : 1))
            << "mode " << c.mode;
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) {
                const bool inside = x >= 1 && x < 6 && y >= 1 && y < 6;
                const std::optional<uint32_t> e = inside ? c.expected(x - 1, y - 1) : std::nullopt;
                ASSERT_EQ(target.Pixel(x, y), e.value_or(Untouched))
                    << "mode " << c.mode << " at " << x << "," << y;
            }
    }
}

TEST(PaintTileTexture, MaskedTexturesMixAndFillTheMarginsFromTheParent) {
    TPaintSkin s;
    // A 2 x 2 picture over its mask: m = 0 everywhere takes the picture.
    const int texture = s.AddMask("FORM", "PATTERN", {50, 10, 52, 14}, 1, 1, itisaTexture, 10);
    for (int y = 12; y < 14; ++y)
        for (int x = 50; x < 52; ++x)
            s.Master().SetPixel(x, y, 0x000000);
    TsBitmap24 target = Solid(5, 5, Untouched);
    TileTexture(target, BoundsOf(target), s.Mask(texture), TsBackgroundDescriptor::OfColor(0x00BB00));
    EXPECT_EQ(target.Pixel(3, 3), Coord(51, 11));
    EXPECT_EQ(target.Pixel(4, 0), 0x00BB00u) << "right margin";
    EXPECT_EQ(target.Pixel(0, 4), 0x00BB00u) << "bottom margin";
    // In mode 0 the partial tiles are drawn too.
    s.Mask(texture).StretchMode = 0;
    target = Solid(5, 5, Untouched);
    TileTexture(target, BoundsOf(target), s.Mask(texture), {});
    EXPECT_EQ(target.Pixel(4, 4), Coord(50, 10));
}

} // namespace
