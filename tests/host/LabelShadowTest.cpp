// The shadow behind a label with effects: the skin's shadow values, the
// auto-size margins, and the blur of a text mask, with values worked out by
// hand.
#include "skin/sLabelFXShadow.h"

#include <gtest/gtest.h>

namespace {

// A mask with one white pixel in the middle of 3 x 3.
TsBitmap24 Dot() {
    TsBitmap24 mask(3, 3);
    mask.SetPixel(1, 1, 0xFFFFFF);
    return mask;
}

std::vector<int> Alphas(const TsShadowBlur& blur, int width, int height) {
    std::vector<int> a;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            a.push_back(blur.Alpha(x, y));
    return a;
}

TEST(LabelShadow, SkinShadowWhenLoadedAndItsBlurIsSet) {
    const TsShadowValues custom{0x000000, 4, 1};
    TsSkinData stored;
    stored.Shadow1Color = 7496537;
    stored.Shadow1Blur = 3;
    stored.Shadow1Offset = 1;
    const TsShadowValues skin{7496537, 3, 1};
    EXPECT_EQ(ResolveShadow(smSkin1, custom, &stored), skin);
    EXPECT_EQ(ResolveShadow(smCustom, custom, &stored), custom);
    EXPECT_EQ(ResolveShadow(smSkin1, custom, nullptr), custom) << "no skin loaded";
    stored.Shadow1Blur = -1;
    EXPECT_EQ(ResolveShadow(smSkin1, custom, &stored), custom) << "the skin has no shadow";
}

TEST(LabelShadow, MarginsAndTheReducedTextRectangle) {
    // The stored skin's shadow: offset 1, blur 3 gives -2 and 4; the label grows by 6.
    EXPECT_EQ(ShadowMargins(1, 3), (TsShadowMargins{-2, 4}));
    EXPECT_EQ(ShadowMargins(5, 2), (TsShadowMargins{0, 7}));
    EXPECT_EQ(ShadowMargins(0, 0), (TsShadowMargins{0, 0}));
    EXPECT_EQ(ReducedTextRect({0, 0, 60, 30}, {-2, 4}), (TRect{2, 2, 56, 26}));
    EXPECT_EQ(ReducedTextRect({0, 0, 60, 30}, {0, 0}), (TRect{0, 0, 60, 30}));
}

TEST(LabelShadow, OnePassSpreadsTheDotRightAndDown) {
    TsShadowBlur blur;
    blur.Build(Dot(), 1);
    // Buffer cell (2, 2) = 255, then row by row with the new values:
    // (1,1) 0; (2,1) 255/4 = 63; (3,1) 63/4 = 15;
    // (1,2) 255/4 = 63; (2,2) (63 + 0 + 63 + 0)/4 = 31; (3,2) (15 + 0 + 31 + 0)/4 = 11;
    // (1,3) 63/4 = 15; (2,3) (31 + 15)/4 = 11; (3,3) (11 + 11)/4 = 5.
    EXPECT_EQ(Alphas(blur, 3, 3), (std::vector<int>{0, 63, 15, 63, 31, 11, 15, 11, 5}));
}

TEST(LabelShadow, EachPassStartsFromThePreviousOne) {
    TsShadowBlur blur;
    blur.Build(Dot(), 2);
    // Second pass, the dot set to 255 again:
    // (1,1) (0 + 63 + 0 + 63)/4 = 31; (2,1) (0 + 255 + 31 + 15)/4 = 75; (3,1) (0 + 11 + 75 + 0)/4 = 21;
    // (1,2) (31 + 15 + 0 + 255)/4 = 75; (2,2) (75 + 11 + 75 + 11)/4 = 43; (3,2) (21 + 5 + 43 + 0)/4 = 17;
    // (1,3) (75 + 0 + 0 + 11)/4 = 21; (2,3) (43 + 0 + 21 + 5)/4 = 17; (3,3) (17 + 0 + 17 + 0)/4 = 8.
    EXPECT_EQ(Alphas(blur, 3, 3), (std::vector<int>{31, 75, 21, 75, 43, 17, 21, 17, 8}));
}

TEST(LabelShadow, NoPassesNoShadowAndTheBufferIsReused) {
    TsShadowBlur blur;
    blur.Build(Dot(), 0);
    EXPECT_EQ(Alphas(blur, 3, 3), std::vector<int>(9, 0));
    EXPECT_EQ(blur.Capacity(), 25u);
    // A smaller mask keeps the buffer; a larger one grows it; the old values are gone.
    blur.Build(TsBitmap24(2, 2), 3);
    EXPECT_EQ(blur.Capacity(), 25u);
    EXPECT_EQ(Alphas(blur, 2, 2), std::vector<int>(4, 0));
    blur.Build(Dot(), 1);
    EXPECT_EQ(blur.Alpha(1, 1), 31);
    blur.Build(TsBitmap24(4, 5), 1);
    EXPECT_EQ(blur.Capacity(), 42u);
    EXPECT_EQ(blur.Alpha(-1, 0), 0);
    EXPECT_EQ(blur.Alpha(4, 0), 0);
}

TEST(LabelShadow, MixTakesTheShadowColourByStrength) {
    TsShadowBlur blur;
    blur.Build(Dot(), 1);
    // White under the label, shadow 7496537 = red 0x59, green 0x63, blue 0x72.
    TsBitmap24 picture(3, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            picture.SetPixel(x, y, 0xFFFFFF);
    blur.Mix(picture, 7496537);
    // a = 0: 255 * 255 div 256 = 254 in every channel.
    EXPECT_EQ(picture.Pixel(0, 0), 0xFEFEFEu);
    // a = 63 at (1, 0): red (255 * 192 + 0x59 * 63) div 256 = (48960 + 5607) div 256 = 213 (0xD5);
    // green (48960 + 99 * 63) div 256 = 55197 div 256 = 215 (0xD7);
    // blue (48960 + 114 * 63) div 256 = 56142 div 256 = 219 (0xDB).
    EXPECT_EQ(picture.Pixel(1, 0), 0xDBD7D5u);
}

} // namespace
