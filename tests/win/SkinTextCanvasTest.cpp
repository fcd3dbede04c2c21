// Skinned text drawn with GDI on a skin picture: the text lands in the
// picture in its colour, only inside the clip rectangle, and the rest of the
// picture comes back unchanged.
#include "skin/sSkinManager.h"
#include "skin/win/sTextCanvasWin.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TsBitmap24 White(int width, int height) {
    TsBitmap24 b(width, height);
    FillArea(b, BoundsOf(b), 0xFFFFFF);
    return b;
}

// Pixels similar the colour (text may be smoothed at its edges).
int CountColour(const TsBitmap24& b, const TRect& r, uint32_t colour) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const uint32_t p = b.Pixel(x, y);
            bool similar = true;
            for (int shift = 0; shift < 24; shift += 8)
                similar = similar && std::abs(int(p >> shift & 0xFF) - int(colour >> shift & 0xFF)) < 64;
            n += similar;
        }
    return n;
}

TEST(SkinTextCanvas, TextInItsColourInsideTheClipOnly) {
    // An odd width: DIB rows are padded to four bytes, the picture's are not.
    TsBitmap24 picture = White(83, 30);
    const TRect box{10, 5, 70, 25};
    {
        TsDibTextCanvas canvas(picture);
        ASSERT_TRUE(canvas.Valid());
        canvas.SetFont(TsTextFont{"Tahoma", -13, true});
        const TsTextSize size = canvas.TextExtent("Refresh");
        EXPECT_GT(size.Width, 20);
        EXPECT_GT(size.Height, 8);
        canvas.SetClip(box);
        // Drawn well past the clip's left edge and without DrawText's own clipping.
        canvas.PutText("Refresh Refresh", {-20, 5, 120, 25}, tfSingleLine | tfVCenter | tfNoClip, 0x0000FF);
        canvas.SetClip(std::nullopt);
    }
    EXPECT_GT(CountColour(picture, box, 0x0000FF), 20) << "red text inside";
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            if (x < box.Left || x >= box.Right || y < box.Top || y >= box.Bottom) {
                ASSERT_EQ(picture.Pixel(x, y), 0xFFFFFFu) << x << "," << y;
            }
}

TEST(SkinTextCanvas, SkinnedTextWithContoursThroughGdi) {
    TsSkinManager manager(nullptr);
    TsGeneralData g;
    g.SectionName = "BUTTON";
    g.FontColor = {0x0000FF, 0x00FF00, -1, -1, -1}; // red text, green left contour
    manager.gd.push_back(g);
    TsItemSkin skin;
    skin.SkinManager = &manager;
    skin.SectionIndex = 0;
    skin.SkinSection = "BUTTON";
    skin.Font = TsTextFont{"Tahoma", -13, true};
    TsBitmap24 picture = White(80, 24);
    {
        TsDibTextCanvas canvas(picture);
        WriteSkinText(canvas, "Refresh", true, false, skin, tfSingleLine | tfVCenter | tfCenter,
                      {0, 0, 80, 24});
    }
    EXPECT_GT(CountColour(picture, BoundsOf(picture), 0x0000FF), 20);
    EXPECT_GT(CountColour(picture, BoundsOf(picture), 0x00FF00), 0)
        << "the contour shows left of the strokes";
}

} // namespace
