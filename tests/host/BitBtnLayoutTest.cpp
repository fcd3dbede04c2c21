// The skinned bitmap button's rules without a window: glyph and caption
// placement, the face state, the glyph picked from several and the glyph's
// look on the face, against hand-worked values.
#include "skin/sBitBtnLayout.h"

#include <gtest/gtest.h>

namespace {

TsButtonGeometry SaveButton() {
    // 89 x 43 with a 32 x 32 glyph and a 30 x 13 caption.
    TsButtonGeometry g;
    g.Width = 89;
    g.Height = 43;
    g.GlyphWidth = g.GlyphHeight = 32;
    g.TextWidth = 30;
    g.TextHeight = 13;
    g.CaptionEmpty = false;
    return g;
}

TEST(BitBtnLayout, GlyphPositionByLayoutAlignmentAndMargin) {
    struct Row {
        TButtonLayout layout;
        TAlignment alignment;
        int margin;
        bool pressed;
        TPoint expected;
    } rows[] = {
        // m = 0, s = 4: hx = (89 - 32 - 4 - 30) div 2 = 11; y = (43 - 32) div 2 = 5.
        {blGlyphLeft, taCenter, -1, false, {11, 5}},
        {blGlyphLeft, taLeftJustify, -1, false, {0, 5}},
        {blGlyphLeft, taRightJustify, -1, false, {22, 5}},
        {blGlyphLeft, taCenter, -1, true, {12, 6}},
        // Margin 2: m = 5, hx = 11 - 5 = 6.
        {blGlyphLeft, taLeftJustify, 2, false, {5, 5}},
        {blGlyphLeft, taRightJustify, 2, false, {17, 5}},
        {blGlyphLeft, taCenter, 2, false, {11, 5}},
        // Glyph right: 89 - 0 - 22 - 4 - 32; 89 - 32 - 0; (30 + 89 + 4 - 32) div 2.
        {blGlyphRight, taLeftJustify, -1, false, {31, 5}},
        {blGlyphRight, taRightJustify, -1, false, {57, 5}},
        {blGlyphRight, taCenter, -1, false, {45, 5}},
    };
    for (const Row& row : rows) {
        TsButtonGeometry g = SaveButton();
        g.Layout = row.layout;
        g.Alignment = row.alignment;
        g.Margin = row.margin;
        g.Pressed = row.pressed;
        EXPECT_EQ(GlyphPosition(g), row.expected) << row.layout << " " << row.alignment << " " << row.margin;
    }
}

TEST(BitBtnLayout, GlyphAboveOrBelowTheCaption) {
    // 75 x 60, glyph 16 x 16, caption 40 x 13: x = (75 - 16) div 2 + 1 = 30;
    // vy = (60 - 16 - 4 - 13) div 2 = 13; bottom y = 60 - 13 - 16 = 31.
    TsButtonGeometry g;
    g.Width = 75;
    g.Height = 60;
    g.GlyphWidth = g.GlyphHeight = 16;
    g.TextWidth = 40;
    g.TextHeight = 13;
    g.CaptionEmpty = false;
    g.Layout = blGlyphTop;
    EXPECT_EQ(GlyphPosition(g), (TPoint{30, 13}));
    g.Layout = blGlyphBottom;
    EXPECT_EQ(GlyphPosition(g), (TPoint{30, 31}));
    // The caption under the glyph: text x (75 - 40 + 1) div 2 = 18, margin
    // (60 - 33 + 1) div 2 = 14, text top 14 + 16 + 4 = 34.
    g.Layout = blGlyphTop;
    EXPECT_EQ(CaptionRect(g), (TRect{18, 34, 58, 47}));
}

TEST(BitBtnLayout, WithoutCaptionTheSpacingDoesNotCount) {
    TsButtonGeometry g = SaveButton();
    g.CaptionEmpty = true;
    g.TextWidth = g.TextHeight = 0;
    // hx = (89 - 32) div 2 = 28.
    EXPECT_EQ(GlyphPosition(g).X, 28);
    g.ShowCaption = false;
    g.CaptionEmpty = false;
    g.TextWidth = 30;
    // Caption hidden: s = 0, hx = (89 - 32 - 30) div 2 = 13.
    EXPECT_EQ(GlyphPosition(g).X, 13);
}

TEST(BitBtnLayout, CaptionRectPlacesTheBlockByAlignment) {
    // Block 32 + 4 + 30 = 66; centred margin (89 - 66 + 1) div 2 = 12, text at
    // 12 + 36 = 48; text top (43 + 1 - 13) div 2 = 15.
    struct Row {
        TAlignment alignment;
        int margin;
        bool pressed;
        TRect expected;
    } rows[] = {
        {taCenter, -1, false, {48, 15, 78, 28}},       {taCenter, -1, true, {49, 16, 79, 29}},
        {taLeftJustify, -1, false, {38, 15, 68, 28}},  // block from 2
        {taRightJustify, -1, false, {57, 15, 87, 28}}, // block ends 2 from the right
        {taCenter, 3, false, {39, 15, 69, 28}},        // fixed margin: glyph at 3
    };
    for (const Row& row : rows) {
        TsButtonGeometry g = SaveButton();
        g.Alignment = row.alignment;
        g.Margin = row.margin;
        g.Pressed = row.pressed;
        EXPECT_EQ(CaptionRect(g), row.expected) << row.alignment << " " << row.margin;
    }
    TsButtonGeometry g = SaveButton();
    // 89 - 2 x (-1) - (32 + 4).
    EXPECT_EQ(CaptionMeasureWidth(g), 55);
}

TEST(BitBtnLayout, FaceStateTable) {
    struct Row {
        TsButtonStateInput in;
        int expected;
    } rows[] = {
        {{true, false, false, false, false, false}, 2}, // Down
        {{false, true, true, true, false, false}, 2},   // pushed, mouse over
        {{false, true, false, true, false, false}, 0},  // pushed, held and moved off
        {{false, true, false, true, false, true}, 1},   // moved off but still focused
        {{false, true, false, false, false, false}, 2}, // pushed by the keyboard
        {{false, false, false, false, true, false}, 1}, // the form's default button
        {{false, false, true, false, false, true}, 1},  // hot
        {{false, false, false, false, false, false}, 0},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(ButtonState(rows[i].in), rows[i].expected) << "row " << i;
}

TEST(BitBtnLayout, GlyphPickedFromSeveralByState) {
    struct Row {
        int n, state;
        bool enabled, hot, down;
        int expected;
    } rows[] = {
        {1, 2, false, false, false, 0}, {4, 0, false, false, false, 1}, {4, 0, true, false, false, 0},
        {5, 1, true, true, false, 4},   {4, 1, true, true, false, 0},   {4, 2, true, true, true, 3},
        {3, 2, true, true, true, 2},    {2, 2, true, true, false, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GlyphIndex(row.n, row.state, row.enabled, row.hot, row.down), row.expected)
            << row.n << " " << row.state;
}

// A 2 x 2 glyph: light grey, black, the red key at the bottom-left, a colour.
TsBitmap24 SmallGlyph() {
    TsBitmap24 glyph(2, 2);
    glyph.SetPixel(0, 0, 0xF0F0F0);
    glyph.SetPixel(1, 0, 0x000000);
    glyph.SetPixel(0, 1, 0x0000FF);
    glyph.SetPixel(1, 1, 0x5A3C1E); // blue 90, green 60, red 30
    return glyph;
}

TsBitmap24 Face() {
    TsBitmap24 face(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            face.SetPixel(x, y, 0x787878); // 120 in each channel
    return face;
}

TEST(BitBtnLayout, GlyphLookOnTheFace) {
    struct Row {
        const char* name;
        TsGlyphLook look;
        uint32_t p00, p10, p01, p11;
    } rows[] = {
        // Blend 30 keeps 70 %: 240 - 0.3 x 120 = 204; 0 + 36; 30 + 27, 60 + 18, 90 + 9.
        {"normal", {1, 0, true, false, false, false, 30, dgBlended}, 0xCCCCCC, 0x242424, 0x787878, 0x634E39},
        {"hot", {1, 1, true, true, false, false, 30, dgBlended}, 0xF0F0F0, 0x000000, 0x787878, 0x5A3C1E},
        {"blend 0", {1, 0, true, false, false, false, 0, dgBlended}, 0xF0F0F0, 0x000000, 0x787878, 0x5A3C1E},
        // Grey (90 + 60 + 30) div 3 = 60, then mixed: 60 + 18 = 78.
        {"grayed", {1, 0, true, false, false, true, 30, dgBlended}, 0xCCCCCC, 0x242424, 0x787878, 0x4E4E4E},
        // Disabled, half mixed: (240 + 120) / 2 = 180; 60; 75, 90, 105.
        {"disabled",
         {1, 0, false, false, false, false, 30, dgBlended},
         0xB4B4B4,
         0x3C3C3C,
         0x787878,
         0x695A4B},
        {"disabled grey",
         {1, 0, false, false, false, false, 30, dgGrayed},
         0xF0F0F0,
         0x000000,
         0x787878,
         0x3C3C3C},
        {"disabled plain", {1, 0, false, false, false, false, 30, 0}, 0xF0F0F0, 0x000000, 0x787878, 0x5A3C1E},
    };
    const TsBitmap24 glyph = SmallGlyph();
    for (const Row& row : rows) {
        TsBitmap24 face = Face();
        DrawButtonGlyph(face, glyph, {1, 1}, row.look);
        EXPECT_EQ(face.Pixel(1, 1), row.p00) << row.name;
        EXPECT_EQ(face.Pixel(2, 1), row.p10) << row.name;
        EXPECT_EQ(face.Pixel(1, 2), row.p01) << row.name;
        EXPECT_EQ(face.Pixel(2, 2), row.p11) << row.name;
        EXPECT_EQ(face.Pixel(0, 0), 0x787878u) << row.name;
    }
}

TEST(BitBtnLayout, DisabledGlyphOfSeveralIsMixedAtBlend) {
    // Two glyphs side by side; disabled shows the second one, mixed at Blend 30.
    TsBitmap24 glyphs(4, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            glyphs.SetPixel(x, y, x < 2 ? 0x000000 : 0xF0F0F0);
    glyphs.SetPixel(0, 1, 0x0000FF);
    glyphs.SetPixel(2, 1, 0x0000FF);
    TsBitmap24 face = Face();
    DrawButtonGlyph(face, glyphs, {0, 0}, {2, 0, false, false, false, false, 30, dgBlended});
    EXPECT_EQ(face.Pixel(0, 0), 0xCCCCCCu);
    EXPECT_EQ(face.Pixel(1, 1), 0xCCCCCCu);
    EXPECT_EQ(face.Pixel(0, 1), 0x787878u); // the first glyph's key
}

} // namespace
