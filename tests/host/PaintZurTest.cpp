// The painting rules over the internal skin as the build packs it: the
// "BUTTON" frame on a narrow face, and the background painted from the
// "BUTTON" gradient.
#include "SkinTestPlatform.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinManager.h"

#include "StoredZur.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

class PaintZur : public ::testing::Test {
protected:
    void SetUp() override {
        LoadStoredZur(manager);
        button = manager.FindSection("BUTTON");
        frame = manager.FindMask(button, "BUTTON", "BORDERSMASK");
        ASSERT_GE(frame, 0);
    }
    TSkinTestPlatform platform;
    TsSkinManager manager{nullptr};
    int button = -1, frame = -1;
};

TEST_F(PaintZur, ATwentyPixelButtonRepeatsTheFourPixelMiddle) {
    // The stated mask: three 12 x 12 frames, 4-pixel margins, over a mask row.
    // Drawn over one colour, the 12 middle columns of a 20-pixel face repeat
    // with a period of 4, and the corners are the frame's own corners.
    for (int state = 0; state < 3; ++state) {
        TsBitmap24 face(20, 24);
        FillArea(face, BoundsOf(face), 0x808080);
        DrawNinePiece(face, BoundsOf(face), false, false, state, frame, manager, {});
        TsBitmap24 narrow(8, 24); // only corners: left 4, right 4
        FillArea(narrow, BoundsOf(narrow), 0x808080);
        DrawNinePiece(narrow, BoundsOf(narrow), false, false, state, frame, manager, {});
        for (int y = 0; y < 24; ++y) {
            if (y >= 4 && y < 20)
                continue; // rows of the left and right edges
            for (int x = 4; x < 12; ++x)
                ASSERT_EQ(face.Pixel(x, y), face.Pixel(x + 4, y)) << state << ": " << x << "," << y;
            for (int x = 0; x < 4; ++x) {
                ASSERT_EQ(face.Pixel(x, y), narrow.Pixel(x, y)) << state << ": " << x << "," << y;
                ASSERT_EQ(face.Pixel(16 + x, y), narrow.Pixel(4 + x, y)) << state << ": " << x << "," << y;
            }
        }
    }
}

TEST_F(PaintZur, TheButtonFaceIsItsFourVerticalSegments) {
    // 45 % from 0xF6F3EB to 0xF0E8E0, 10 % on to 0xE2D8C7, 42 % on to
    // 0xF6F3EC, the rest in that colour: on 25 rows, 11 + 2 + 10 + 2 rows.
    TsBitmap24 face(75, 25);
    ComposeBackground(face, manager, button, "BUTTON", TsBackgroundDescriptor::OfColor(0xFFFFFF), clNone, -1,
                      -1, {}, BoundsOf(face), 0);
    const struct {
        int row;
        uint32_t colour;
    } rows[] = {{0, 0xF6F3EB}, {11, 0xF0E8E0}, {13, 0xE2D8C7}, {23, 0xF6F3EC}, {24, 0xF6F3EC}};
    for (const auto& r : rows) {
        EXPECT_EQ(face.Pixel(0, r.row), r.colour) << r.row;
        EXPECT_EQ(face.Pixel(74, r.row), r.colour) << r.row;
    }
}

} // namespace
