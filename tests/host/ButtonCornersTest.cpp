// The corner pieces of a button's face as its window region leaves them
// out: what shows there, and what a grown button uncovers on its parent.
#include "skin/sBitBtnCorners.h"

#include "PaintTestSkin.h"

#include <gtest/gtest.h>

// A 6 x 6 face with 2-pixel corners: the cut pixels in the corners take the
// parent's background at the button's place; a cut pixel outside the
// corners (there is none in a real frame) is left alone.
TEST(ButtonCorners, CutCornerPixelsShowTheParentsBackgroundNow) {
    TsBitmap24 parent(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            parent.SetPixel(x, y, uint32_t(x) << 8 | uint32_t(y));
    const TsCornerMargins margins{2, 2, 2, 2};
    const std::vector<TRect> cut = {{0, 0, 2, 1}, {0, 1, 1, 2}, {5, 5, 6, 6}, {2, 3, 3, 4}};
    TsBitmap24 face = Solid(6, 6, 0xABCDEF);
    // The parent's picture starts 1, 2 before its client; the button stands at (4, 3).
    RefreshCornerPieces(face, cut, margins, TsBackgroundDescriptor::OfPicture(parent, 1, 2), {4, 3});
    EXPECT_EQ(face.Pixel(0, 0), uint32_t(5 << 8 | 5));
    EXPECT_EQ(face.Pixel(1, 0), uint32_t(6 << 8 | 5));
    EXPECT_EQ(face.Pixel(0, 1), uint32_t(5 << 8 | 6));
    EXPECT_EQ(face.Pixel(5, 5), uint32_t(10 << 8 | 10));
    EXPECT_EQ(face.Pixel(1, 1), 0xABCDEFu) << "not cut";
    EXPECT_EQ(face.Pixel(2, 3), 0xABCDEFu) << "cut, but no corner";

    TsBitmap24 plain = Solid(6, 6, 0xABCDEF);
    RefreshCornerPieces(plain, cut, margins, TsBackgroundDescriptor::OfColor(0x112233), {4, 3});
    EXPECT_EQ(plain.Pixel(5, 5), 0x112233u);
    EXPECT_EQ(plain.Pixel(2, 3), 0xABCDEFu);
    TsBitmap24 none = Solid(6, 6, 0xABCDEF);
    RefreshCornerPieces(none, cut, margins, TsBackgroundDescriptor{}, {4, 3});
    EXPECT_EQ(none.Pixel(0, 0), 0xABCDEFu) << "no background known: left as composed";
}

TEST(ButtonCorners, AGrownButtonUncoversTheAreasUnderItsOldRightAndBottomCorners) {
    const TsCornerMargins m{4, 3, 5, 2};
    // Worked by hand for a 30 x 20 button at (10, 40) grown to 40 x 20.
    const std::vector<TRect> expected = {{35, 40, 40, 43}, {35, 58, 40, 60}, {10, 58, 14, 60}};
    EXPECT_EQ(UncoveredCornerAreas({10, 40}, 30, 20, 40, 20, m), expected);
    EXPECT_EQ(UncoveredCornerAreas({10, 40}, 30, 20, 30, 21, m), expected) << "taller only";
    EXPECT_TRUE(UncoveredCornerAreas({10, 40}, 30, 20, 30, 20, m).empty()) << "same size";
    EXPECT_TRUE(UncoveredCornerAreas({10, 40}, 30, 20, 20, 10, m).empty()) << "shrunk";
    EXPECT_TRUE(UncoveredCornerAreas({10, 40}, 0, 0, 30, 20, m).empty()) << "no region before";
}
