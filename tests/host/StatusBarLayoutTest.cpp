// The skinned status bar's rules without a window: panel rectangles, the
// text place, dividers, the grip, and texts cut with "..." to a width, with
// values worked out by hand.
#include "skin/sStatusBarLayout.h"

#include <gtest/gtest.h>

namespace {

// Every character 6 pixels wide, a full stop 2: "..." is 6 wide.
int FixedWidth(const std::string& text) {
    int width = 0;
    for (char c : text)
        width += c == '.' ? 2 : 6;
    return width;
}

TEST(StatusBarLayout, ThreePanelsOnABar300Wide) {
    const std::vector<TRect> rects = PanelRects({50, 60, 70}, 300, 19);
    ASSERT_EQ(rects.size(), 3u);
    EXPECT_EQ(rects[0], (TRect{0, 0, 51, 19}));
    EXPECT_EQ(rects[1], (TRect{51, 0, 112, 19}));
    EXPECT_EQ(rects[2], (TRect{112, 0, 300, 19}));
    // Painted shrunk by one pixel on every side.
    EXPECT_EQ(ShrinkRect(rects[1], 1), (TRect{52, 1, 111, 18}));
    EXPECT_TRUE(PanelRects({}, 300, 19).empty());
    // One panel runs to the right edge whatever its width.
    EXPECT_EQ(PanelRects({50}, 300, 19)[0], (TRect{0, 0, 300, 19}));
}

TEST(StatusBarLayout, SimplePanelTextIsWidthLessNine) {
    // The main window's bar, 703 by 19.
    const TRect panel = SimplePanelRect(703, 19);
    EXPECT_EQ(panel, (TRect{0, 1, 702, 18}));
    const TRect text = PanelTextRect(panel);
    EXPECT_EQ(text, (TRect{3, 2, 697, 16}));
    EXPECT_EQ(text.Width(), 703 - 9);
    // A painted panel of the three above: (52, 1, 111, 18) less 1, then 2 / 4 / 1.
    EXPECT_EQ(PanelTextRect({52, 1, 111, 18}), (TRect{55, 2, 106, 16}));
}

TEST(StatusBarLayout, DividerAndGrip) {
    // A divider frame 6 wide gives a divider 5 wide at the panel's right end.
    EXPECT_EQ(DividerRect({1, 1, 50, 18}, 19, 6), (TRect{45, 1, 50, 18}));
    // A 12 x 12 grip frame on a 300 x 19 bar without and with a border.
    EXPECT_EQ(GripPosition(300, 19, 12, 12, 0), (TPoint{288, 7}));
    EXPECT_EQ(GripPosition(300, 19, 12, 12, 2), (TPoint{286, 5}));
}

TEST(StatusBarLayout, TextCutWithDotsToTheWidth) {
    const struct {
        const char* text;
        int width;
        const char* expected;
    } rows[] = {
        {"ABCDEFGHIJ", 60, "ABCDEFGHIJ"}, // exactly fits
        {"ABCDEFGHIJ", 61, "ABCDEFGHIJ"},
        // One character too wide: 59 takes "ABCDEFGH" (48) + "..." (6) = 54; "ABCDEFGHI..." is 60.
        {"ABCDEFGHIJ", 59, "ABCDEFGH..."},
        {"ABCDEFGHIJ", 54, "ABCDEFGH..."},
        {"ABCDEFGHIJ", 53, "ABCDEFG..."},
        {"ABCDEFGHIJ", 12, "A..."},
        // Not even one character with the dots: nothing.
        {"ABCDEFGHIJ", 11, ""},
        {"ABCDEFGHIJ", 1, ""},
        {"ABCDEFGHIJ", 0, ""},
        {"ABCDEFGHIJ", -5, ""},
        {"", 0, ""},
        {"", 10, ""},
        {"A", 5, ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CutText(row.text, row.width, FixedWidth), row.expected) << row.text << " in " << row.width;
}

} // namespace
