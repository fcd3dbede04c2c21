// Composing a control's picture: background values by state, transparency
// against the parent, textures and gradients mixed by their shares, the
// frame and the corner decorations; and the disabled look.
#include "PaintTestSkin.h"

#include <gtest/gtest.h>

namespace {

// A parent picture whose pixels name their coordinates (blue 0x80).
TsBitmap24 ParentPicture(int width, int height) {
    TsBitmap24 p(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            p.SetPixel(x, y, uint32_t(x) | uint32_t(y) << 8 | 0x800000u);
    return p;
}

uint32_t Background(TPaintSkin& s, int section, int state, TColor custom = clNone,
                    const TsBackgroundDescriptor& bg = {}) {
    TsBitmap24 target = Solid(4, 4, 0x010101);
    ComposeBackground(target, s.manager, section, s.Section(section).SectionName, bg, custom, -1, -1, {},
                      {0, 0, 4, 4}, state);
    EXPECT_EQ(target.Pixel(0, 0), target.Pixel(3, 3)) << "a plain background is one colour";
    return target.Pixel(1, 1);
}

TEST(PaintCompose, PlainBackgroundsByStateAndShares) {
    TPaintSkin s;
    const int plain = s.AddSection("A", [](TsGeneralData& g) {
        g.Color = 0x336699;
        g.HotColor = 0x996633;
    });
    // G = 100 and no gradient text is a plain fill too.
    const int noGradient = s.AddSection("B", [](TsGeneralData& g) {
        g.Color = 0x0000C8;
        g.GradientPercent = 100;
        g.GradientData = " ";
    });
    // G = 40 of a black gradient, the colour mixed in keeping 40 %: 200 * .6.
    const int mixed = s.AddSection("C", [](TsGeneralData& g) {
        g.Color = 0x0000C8;
        g.GradientPercent = 40;
        g.GradientArray = {{0, 0, 100, 0}};
    });
    // Half transparent over the parent's picture: (200 * 127 + 100 * 128 + 127) div 256.
    const int half = s.AddSection("D", [](TsGeneralData& g) {
        g.Color = 0x000064;
        g.Transparency = 50;
    });
    // Transparent with no share of its own: the own background is the
    // parent's colour, mixed with the parent at 40 %: (200 * 255 + 127) div 256.
    const int parentColour = s.AddSection("E", [](TsGeneralData& g) {
        g.Color = 0x000064;
        g.Transparency = 40;
    });
    const auto parentFill = TsBackgroundDescriptor::OfColor(0x0000C8);
    EXPECT_EQ(Background(s, plain, 0), 0x336699u);
    EXPECT_EQ(Background(s, plain, 2), 0x996633u) << "pressed paints the hot values";
    EXPECT_EQ(Background(s, plain, 1, 0x00AA00), 0x00AA00u) << "the custom colour";
    EXPECT_EQ(Background(s, noGradient, 0), 0x0000C8u);
    EXPECT_EQ(Background(s, mixed, 0), 0x000078u);
    const TsBitmap24 parent = Solid(9, 9, 0x0000C8);
    EXPECT_EQ(Background(s, half, 0, clNone, TsBackgroundDescriptor::OfPicture(parent, 1, 1)), 0x000095u);
    EXPECT_EQ(Background(s, half, 0), 0x000064u) << "no parent: the own background";
    EXPECT_EQ(Background(s, parentColour, 0, clNone, parentFill), 0x0000C7u);
}

TEST(PaintCompose, TextureTilesThenColourThenGradientOverIt) {
    TPaintSkin s;
    const int texture = s.AddMask("T", "PATTERN", {50, 0, 52, 2}, 1, 0, itisaTexture, 2);
    const int section = s.AddSection("T", [](TsGeneralData& g) {
        g.Color = 0x00AA00;
        g.ImagePercent = 100;
    });
    TsBitmap24 target = Solid(4, 4, 0x010101);
    ComposeBackground(target, s.manager, section, "T", {}, clNone, -1, texture, {}, BoundsOf(target), 0);
    EXPECT_EQ(target.Pixel(3, 1), Coord(51, 1)) << "a row of tiles along the top";
    EXPECT_EQ(target.Pixel(3, 2), 0x00AA00u) << "the rest in the colour";

    // Texture 50 % under a black gradient 50 %: alpha 127 keeps the texture:
    // red (50 * 127 + 127) div 256 = 25, blue (64 * 127 + 127) div 256 = 32.
    s.Section(section).ImagePercent = 50;
    s.Section(section).GradientPercent = 50;
    s.Section(section).GradientArray = {{0, 0, 100, 0}};
    s.Mask(texture).StretchMode = 0;
    target = Solid(4, 4, 0x010101);
    ComposeBackground(target, s.manager, section, "T", {}, clNone, -1, texture, {}, BoundsOf(target), 0);
    EXPECT_EQ(target.Pixel(0, 0), 0x200019u);

    // Without a given texture the section's "PATTERN" mask is looked up.
    target = Solid(4, 4, 0x010101);
    ComposeBackground(target, s.manager, section, "T", {}, clNone, -1, -1, {}, BoundsOf(target), 0);
    EXPECT_EQ(target.Pixel(0, 0), 0x200019u);
}

TEST(PaintCompose, TheScrollPartPainterFillsSumsAboveOneHundred) {
    // A black gradient with no texture to find: the standard painter stops at
    // a sum of 100 or more, the scroll-part painter fills a sum above 100.
    TPaintSkin s;
    struct {
        int imagePercent;
        uint32_t standard, scroll;
    } cases[] = {{20, 0x000000, 0x0000C8}, {0, 0x000000, 0x000000}};
    for (const auto& c : cases) {
        const int section = s.AddSection("SCROLLBAR1V", [&](TsGeneralData& g) {
            g.Color = 0x0000C8;
            g.ImagePercent = c.imagePercent;
            g.GradientPercent = 100;
            g.GradientArray = {{0, 0, 100, 0}};
        });
        TsBitmap24 a = Solid(3, 3, 0x010101), b = a;
        ComposeBackground(a, s.manager, section, "SCROLLBAR1V", {}, clNone, -1, -1, {}, BoundsOf(a), 0);
        ComposeScrollBackground(b, s.manager, section, "SCROLLBAR1V", {}, -1, -1, {}, BoundsOf(b), 0);
        EXPECT_EQ(a.Pixel(1, 1), c.standard) << c.imagePercent;
        EXPECT_EQ(b.Pixel(1, 1), c.scroll) << c.imagePercent;
    }
}

// A section with a 12 x 12 frame of 4-pixel margins and a 2 x 2 top-left decoration.
struct TFramed : TPaintSkin {
    int frame = AddMask("F", "BORDERSMASK", {0, 0, 12, 12}, 1, 0, itisaBorder, 0, 4);
    int decoration = AddMask("F", "IMGTOPLEFT", {40, 40, 42, 42}, 1, 0, itisaGlyph);
    int corner = AddMask("F", "IMGBTMRIGHT", {44, 40, 46, 42}, 1, 0, itisaGlyph);
    int section = AddSection("F", [](TsGeneralData& g) { g.Transparency = 100; });
};

TEST(PaintCompose, FullTransparencyShowsExactlyTheParentInsideTheFrame) {
    TFramed s;
    s.Master().SetPixel(2, 0, 0xFF00FF); // a key pixel of the top-left frame corner
    const TsBitmap24 parent = ParentPicture(60, 60);
    TsBitmap24 target = Solid(20, 20, 0x010101);
    const TsItemSkin skin = s.Item(s.section, s.frame);
    // The descriptor at (2, 3), the control at (5, 7) in the parent.
    ComposeItem(&target, skin, TsBackgroundDescriptor::OfPicture(parent, 2, 3), false, 0, true, {5, 7},
                BoundsOf(target));
    for (int y = 4; y < 16; ++y)
        for (int x = 4; x < 16; ++x)
            ASSERT_EQ(target.Pixel(x, y), parent.Pixel(x + 7, y + 10)) << x << "," << y;
    EXPECT_EQ(target.Pixel(3, 0), Coord(3, 0)) << "frame";
    EXPECT_EQ(target.Pixel(2, 0), parent.Pixel(9, 10)) << "corner key pixel: the parent under it";
    EXPECT_EQ(target.Pixel(0, 0), Coord(40, 40)) << "decoration over the frame";
    EXPECT_EQ(target.Pixel(19, 19), Coord(45, 41)) << "bottom-right decoration at (right - W, bottom - H)";
    EXPECT_EQ(target.Pixel(17, 17), Coord(9, 9));
}

TEST(PaintCompose, ByIndexDrawsTheDecorationsBeforeTheFrame) {
    TFramed s;
    const TsBitmap24 parent = ParentPicture(60, 60);
    TsBitmap24 target = Solid(20, 20, 0x010101);
    ComposeItem(&target, s.manager, s.section, "F", TsBackgroundDescriptor::OfPicture(parent, 0, 0), false, 0,
                {}, BoundsOf(target));
    EXPECT_EQ(target.Pixel(0, 0), Coord(0, 0)) << "the frame covers the decoration";
    EXPECT_EQ(target.Pixel(8, 8), parent.Pixel(8, 8));
}

TEST(PaintCompose, NothingIsComposedWithoutTargetAreaOrSection) {
    TFramed s;
    TsBitmap24 target = Solid(20, 20, 0x010101);
    TsItemSkin skin = s.Item(s.section, s.frame);
    const auto bg = TsBackgroundDescriptor::OfColor(0x00FF00);
    ComposeItem(nullptr, skin, bg, true, 0, true, {}, BoundsOf(target));
    ComposeItem(&target, skin, bg, true, 0, true, {}, {5, 5, 5, 9});
    ComposeItem(&target, skin, bg, true, 0, true, {}, {20, 0, 30, 10});
    skin.SectionIndex = -1;
    ComposeItem(&target, skin, bg, true, 0, true, {}, BoundsOf(target));
    ComposeItem(&target, s.manager, 7, "F", bg, true, 0, {}, BoundsOf(target));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(target.Pixel(x, y), 0x010101u);
}

TEST(PaintCompose, NormalStateLaysAMaskedModeTenTextureOverTheResult) {
    TPaintSkin s;
    const int texture = s.AddMask("M", "PATTERN", {50, 10, 52, 14}, 1, 1, itisaTexture, 10);
    for (int x = 50; x < 52; ++x) {
        s.Master().SetPixel(x, 12, 0x000000); // m = 0: the texture pixel
        s.Master().SetPixel(x, 13, 0x000000);
    }
    const int section = s.AddSection("M", [](TsGeneralData& g) {
        g.Color = 0x0000C8;
        g.HotColor = 0x0000C8;
    });
    TsItemSkin skin = s.Item(section);
    skin.TextureMask = texture;
    TsBitmap24 target = Solid(5, 5, 0x010101);
    ComposeItem(&target, skin, TsBackgroundDescriptor::OfColor(0x00BB00), false, 0, false, {},
                BoundsOf(target));
    EXPECT_EQ(target.Pixel(1, 1), Coord(51, 11));
    EXPECT_EQ(target.Pixel(4, 4), 0x00BB00u) << "margins without a whole tile: the parent";
    target = Solid(5, 5, 0x010101);
    ComposeItem(&target, skin, TsBackgroundDescriptor::OfColor(0x00BB00), false, 1, false, {},
                BoundsOf(target));
    EXPECT_EQ(target.Pixel(1, 1), 0x0000C8u) << "not when hot";
}

TEST(PaintDisabledLook, GreyAndBlendedWithTheParent) {
    const TsBitmap24 parent = Solid(30, 30, 0x0000C8);
    TsBitmap24 picture = Solid(4, 4, 0x000064);
    // The parent's picture at 0.4: round(200 - .4 * (200 - 100)) = 160.
    DisabledLook(picture, dkBlended, clNone, {26, 26}, TsBackgroundDescriptor::OfPicture(parent, 2, 2));
    EXPECT_EQ(picture.Pixel(0, 0), 0x0000A0u);
    EXPECT_EQ(picture.Pixel(3, 3), 0x000064u) << "outside the parent's picture";

    picture = Solid(4, 4, 0x000064);
    DisabledLook(picture, dkBlended, 0x00FF00, {}, TsBackgroundDescriptor::OfColor(0x0000C8));
    EXPECT_EQ(picture.Pixel(1, 1), 0x000096u) << "the fill colour keeping 50 %";
    picture = Solid(4, 4, 0x000064);
    DisabledLook(picture, dkBlended, 0x0000C8, {}, {});
    EXPECT_EQ(picture.Pixel(1, 1), 0x000096u) << "the parent control's colour";

    picture = Solid(4, 4, 0x00001E); // red 30: grey 10
    DisabledLook(picture, dkGrayed | dkBlended, clNone, {}, TsBackgroundDescriptor::OfColor(0x1E1E1E));
    EXPECT_EQ(picture.Pixel(2, 2), 0x141414u);
}

} // namespace
