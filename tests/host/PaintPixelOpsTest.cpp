// The pixel operations under all skin painting, against hand-worked values.
#include "PaintTestSkin.h"
#include "skin/sBlendGraph.h"

#include <gtest/gtest.h>

namespace {

TEST(PaintPixelOps, BlendColorOverKeepsThePercentOfEachChannel) {
    // round(d * P / 100 + c * (1 - P / 100)) per channel.
    struct {
        uint32_t d, c;
        int percent;
        uint32_t expected;
    } cases[] = {
        {0x0000C8, 0x000064, 30, 0x000082},  // red: 200 * .3 + 100 * .7 = 130
        {0x000000, 0xFF0000, 25, 0xBF0000},  // blue: 255 * .75 = 191.25
        {0x00FF00, 0x000000, 33, 0x005400},  // green: 255 * .33 = 84.15
        {0x123456, 0x654321, 100, 0x123456}, // all kept
        {0x123456, 0x654321, 0, 0x654321},   // all replaced
        {0x0A0A0A, 0x141414, 50, 0x0F0F0F},  // (10 + 20) / 2
    };
    for (const auto& c : cases) {
        TsBitmap24 b = Solid(3, 2, c.d);
        BlendColorOver(b, {1, 0, 5, 1}, c.percent, TColor(c.c)); // clipped at the right
        EXPECT_EQ(b.Pixel(1, 0), c.expected) << c.percent;
        EXPECT_EQ(b.Pixel(2, 0), c.expected);
        EXPECT_EQ(b.Pixel(0, 0), c.d) << "outside the rectangle";
        EXPECT_EQ(b.Pixel(1, 1), c.d);
    }
}

TEST(PaintPixelOps, BlendPictureMixesBySourceAlphaAndClips) {
    TsBitmap24 target = Solid(4, 4, 0xC8C8C8); // 200
    TsBitmap24 source = Solid(3, 3, 0x646464); // 100
    source.SetPixel(0, 0, 0x000000);
    // Placed at (2, 2): only the source's top-left 2 x 2 lands in the target.
    BlendPicture(target, source, 128, {2, 2}, {0, 0, 3, 3});
    // (200 * 128 + 100 * 127 + 127) div 256 = 150; (200 * 128 + 0 + 127) div 256 = 100
    EXPECT_EQ(target.Pixel(3, 3), 0x969696u);
    EXPECT_EQ(target.Pixel(2, 2), 0x646464u);
    EXPECT_EQ(target.Pixel(1, 1), 0xC8C8C8u);
    // A source rectangle reaching left of the source is cut, and the target with it.
    TsBitmap24 t2 = Solid(4, 1 + 1, 0xC8C8C8);
    BlendPicture(t2, source, 0, {0, 0}, {-1, 0, 2, 1});
    EXPECT_EQ(t2.Pixel(0, 0), 0xC8C8C8u) << "nothing lands where the missing column would";
    EXPECT_EQ(t2.Pixel(1, 0), 0x000000u) << "alpha 0 takes the source";
    // Pictures smaller than 2 x 2 are left alone.
    TsBitmap24 thin = Solid(5, 1, 0xC8C8C8);
    BlendPicture(thin, source, 0, {0, 0}, {0, 0, 3, 3});
    EXPECT_EQ(thin.Pixel(0, 0), 0xC8C8C8u);
}

TEST(PaintPixelOps, BlendKeyedAndCopyKeyedSkipTheKey) {
    TsBitmap24 source(3, 1);
    source.SetPixel(0, 0, 0x0000C8);
    source.SetPixel(1, 0, 0xFF00FF);
    source.SetPixel(2, 0, 0x0000C8);
    TsBitmap24 target = Solid(3, 1, 0x000064);
    // round(s - t (s - d)) = round(200 - .3 * 100) = 170 in red.
    BlendKeyed(target, 0, 0, 0xFF00FF, 0.3, {0, 0, 3, 1}, source);
    EXPECT_EQ(target.Pixel(0, 0), 0x0000AAu);
    EXPECT_EQ(target.Pixel(1, 0), 0x000064u) << "key pixel skipped";
    // A key above 0xFEFFFFFF means no key: the magenta pixel is mixed too.
    target = Solid(3, 1, 0x000000);
    BlendKeyed(target, 0, 0, KeyNone, 0.4, {0, 0, 3, 1}, source);
    EXPECT_EQ(target.Pixel(1, 0), 0x990099u); // 255 - .4 * 255 = 153
    // Pixels outside the target are skipped.
    target = Solid(2, 1, 0x000000);
    BlendKeyed(target, -2, 0, 0xFF00FF, 0.0, {0, 0, 3, 1}, source);
    EXPECT_EQ(target.Pixel(0, 0), 0x0000C8u);
    EXPECT_EQ(target.Pixel(1, 0), 0x000000u);

    target = Solid(4, 1, 0x111111);
    CopyKeyed(target, source, 1, 0, 0xFF00FF);
    EXPECT_EQ(target.Pixel(0, 0), 0x111111u);
    EXPECT_EQ(target.Pixel(1, 0), 0x0000C8u);
    EXPECT_EQ(target.Pixel(2, 0), 0x111111u);
    EXPECT_EQ(target.Pixel(3, 0), 0x0000C8u);
}

TEST(PaintPixelOps, MixColorsRoundsEachChannelAndKeepsTheFirstHighByte) {
    // share .4: blue .4 * 255 = 102, red .6 * 255 = 153.
    EXPECT_EQ(uint32_t(MixColors(TColor(0x05FF0000), 0x0000FF, 0.4)), 0x05660099u);
    EXPECT_EQ(MixColors(0x102030, 0x000000, 1.0), 0x102030);
    EXPECT_EQ(MixColors(0x000064, 0x0000C8, 0.25), 0x0000AF); // 25 + 150 = 175
}

TEST(PaintPixelOps, GrayConversionAndItsException) {
    TsBitmap24 b(2, 1);
    b.SetPixel(0, 0, 0x281410); // blue 40, green 20, red 16: 76 div 3 = 25
    b.SetPixel(1, 0, 0xFF00FF);
    TsBitmap24 c = b;
    MakeGray(b);
    EXPECT_EQ(b.Pixel(0, 0), 0x191919u);
    EXPECT_EQ(b.Pixel(1, 0), 0xAAAAAAu); // 510 div 3 = 170
    MakeGrayExcept(c, 0xFF00FF);
    EXPECT_EQ(c.Pixel(0, 0), 0x191919u);
    EXPECT_EQ(c.Pixel(1, 0), 0xFF00FFu);
}

TEST(PaintPixelOps, FillFrameFillsOnlyTheFourStrips) {
    TsBitmap24 b = Solid(6, 5, 0);
    FillFrame(b, {0, 0, 6, 5}, 1, 2, 1, 1, 0xFFFFFF);
    const char* expected[] = {"######", "######", "#....#", "#....#", "######"};
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(b.Pixel(x, y) != 0, expected[y][x] == '#') << x << "," << y;
}

TEST(PaintPixelOps, CopyPictureWithinOnePicture) {
    TsBitmap24 b(1, 4);
    for (int y = 0; y < 4; ++y)
        b.SetPixel(0, y, uint32_t(y + 1));
    CopyPicture(b, {0, 1}, b, {0, 0, 1, 3}); // rows 0..2 down by one
    EXPECT_EQ(b.Pixel(0, 0), 1u);
    EXPECT_EQ(b.Pixel(0, 1), 1u);
    EXPECT_EQ(b.Pixel(0, 2), 2u);
    EXPECT_EQ(b.Pixel(0, 3), 3u);
}

} // namespace
