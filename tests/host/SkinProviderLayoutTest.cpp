// The skinned frame's geometry worked out by hand: frame and caption sizes,
// the system menu's items, where the title buttons go, what each point of
// the caption bar answers, and which corner pixels the outline loses.
#include "PaintTestSkin.h"
#include "skin/sSkinProviderLayout.h"

#include <gtest/gtest.h>

namespace {

const TsSystemMetrics kSystem{3, 3, 4, 4, 19, 15, 19};

// The main window: fixed single frame, system menu and minimise box, a
// 705 x 455 client area in a 711 x 480 window.
TsFormShape MainWindow() {
    TsFormShape s;
    s.BorderStyle = bsSingle;
    s.BorderIcons = biSystemMenu | biMinimize;
    s.WindowWidth = 711;
    s.WindowHeight = 480;
    s.ClientWidth = 705;
    s.ClientHeight = 455;
    return s;
}

TEST(FrameLayout, MetricsFollowTheBorderStyle) {
    struct Row {
        const char* name;
        TFormBorderStyle style;
        bool caption, iconic;
        int hScroll;
        int frameWidth, captionHeight, topHeight, originY, icon;
    };
    // Non-client height 25: the top is 25 less the bottom frame when there is a caption.
    const Row rows[] = {
        {"single", bsSingle, true, false, 0, 3, 19, 22, 22, 16},
        {"sizeable", bsSizeable, true, false, 0, 4, 19, 21, 21, 16},
        {"dialog: no icon", bsDialog, true, false, 0, 3, 19, 22, 22, 0},
        {"tool window: small caption", bsToolWindow, true, false, 0, 3, 15, 22, 22, 0},
        {"size tool window", bsSizeToolWin, true, false, 0, 4, 15, 21, 21, 0},
        {"no border", bsNone, false, false, 0, 0, 0, 25, 25, 0},
        {"no caption style", bsSingle, false, false, 0, 3, 0, 25, 25, 0},
        {"iconic adds the frame", bsSingle, false, true, 0, 3, 19, 25, 22, 16},
        {"horizontal scroll bar", bsSingle, true, false, 5, 3, 19, 17, 17, 16},
    };
    for (const Row& row : rows) {
        TsFormShape s = MainWindow();
        s.BorderStyle = row.style;
        s.CaptionStyle = row.caption;
        s.Iconic = row.iconic;
        s.HScrollHeight = row.hScroll;
        const TsFrameMetrics m = FrameMetrics(s, kSystem);
        EXPECT_EQ(m.FrameWidth, row.frameWidth) << row.name;
        EXPECT_EQ(m.CaptionHeight, row.captionHeight) << row.name;
        EXPECT_EQ(m.TopHeight, row.topHeight) << row.name;
        EXPECT_EQ(m.ClientOrigin.Y, row.originY) << row.name;
        EXPECT_EQ(m.ClientOrigin.X, 3) << row.name;
        EXPECT_EQ(m.IconWidth, row.icon) << row.name;
    }
}

TEST(FrameLayout, IconSizeClassesAndOverrides) {
    const int edges[][2] = {{8, 0}, {9, 8}, {16, 8}, {17, 16}, {27, 16}, {28, 32}};
    for (const auto& e : edges)
        EXPECT_EQ(IconSizeClass(e[0]), e[1]) << e[0];
    TsFormShape s = MainWindow();
    s.TitleIconWidth = 12;
    s.TitleIconHeight = 10;
    const TsFrameMetrics m = FrameMetrics(s, kSystem);
    EXPECT_EQ(m.IconWidth, 12);
    EXPECT_EQ(IconRect(m), (TRect{3, 6, 15, 16}));
    s.ShowAppIcon = false;
    EXPECT_EQ(FrameMetrics(s, kSystem).IconWidth, 0);
    EXPECT_EQ(CaptionTextRect(FrameMetrics(s, kSystem), s, 32).Left, 3 + 4) << "text from FrameWidth + 4";
}

TEST(FrameLayout, SystemMenuItemsByShapeAndState) {
    struct Row {
        const char* name;
        TFormBorderStyle style;
        TBorderIcons icons;
        bool maximized, iconic;
        // Visible and enabled of Restore, Move, Size, Minimize, Maximize, Close.
        const char* visible;
        const char* enabled;
    };
    const Row rows[] = {
        {"main window", bsSingle, biSystemMenu | biMinimize, false, false, "111101", "010101"},
        {"About box", bsDialog, biSystemMenu, false, false, "010001", "011001"},
        {"sizeable, normal", bsSizeable, biSystemMenu | biMinimize | biMaximize, false, false, "111111",
         "011111"},
        {"sizeable, maximized", bsSizeable, biSystemMenu | biMinimize | biMaximize, true, false, "111111",
         "101101"},
        {"single, iconic", bsSingle, biSystemMenu | biMinimize, false, true, "111111", "110001"},
    };
    for (const Row& row : rows) {
        TsFormShape s = MainWindow();
        s.BorderStyle = row.style;
        s.BorderIcons = row.icons;
        s.Maximized = row.maximized;
        s.Iconic = row.iconic;
        const TsSystemMenuState m = SystemMenuState(s, true);
        const TsMenuItemState items[] = {m.Restore, m.Move, m.Size, m.Minimize, m.Maximize, m.Close};
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_EQ(items[i].Visible, row.visible[i] == '1') << row.name << " item " << i;
            EXPECT_EQ(items[i].Enabled, row.enabled[i] == '1') << row.name << " item " << i;
        }
    }
    EXPECT_FALSE(SystemMenuState(MainWindow(), false).Close.Visible) << "no system menu: no Close";
}

TsTitleButtonsInput MainButtons(int spacing = 0, int vOffset = 0) {
    TsTitleButtonsInput in;
    in.Widths = {16, 16, 16, 16};
    in.Visible = {true, false, true, false};
    in.ButtonHeight = 13;
    in.Spacing = spacing;
    in.VOffset = vOffset;
    return in;
}

TEST(FrameLayout, TitleButtonsFromTheRightEdge) {
    const TsFormShape s = MainWindow();
    const TsFrameMetrics m = FrameMetrics(s, kSystem);
    // Centred top (19 + 3 - 13) div 2 = 4, plus 2 for buttons under 16 pixels.
    TsTitleButtons b = PlaceTitleButtons(m, s, MainButtons());
    EXPECT_EQ(b.System[sbClose].Rect, (TRect{692, 6, 708, 19}));
    EXPECT_EQ(b.System[sbMinimize].Rect, (TRect{676, 6, 692, 19}));
    EXPECT_EQ(b.ButtonsWidth, 32);

    b = PlaceTitleButtons(m, s, MainButtons(2));
    EXPECT_EQ(b.System[sbClose].Rect, (TRect{690, 6, 706, 19}));
    EXPECT_EQ(b.System[sbMinimize].Rect, (TRect{672, 6, 688, 19}));
    EXPECT_EQ(b.ButtonsWidth, 36);

    EXPECT_EQ(PlaceTitleButtons(m, s, MainButtons(0, 1)).System[sbClose].Rect.Top, 0);
    TsFormShape maximized = s;
    maximized.Maximized = true;
    EXPECT_EQ(PlaceTitleButtons(m, maximized, MainButtons(0, 1)).System[sbClose].Rect.Top, 4);

    TsTitleButtonsInput small = MainButtons(2);
    small.Big = false;
    b = PlaceTitleButtons(m, s, small);
    EXPECT_EQ(b.System[sbClose].Rect, (TRect{692, 4, 708, 17})) << "small buttons: centred, no spacing";

    TsTitleButtonsInput extra = MainButtons();
    extra.ExtraWidths = {ExtraButtonWidth(30, 16), ExtraButtonWidth(0, 0)};
    extra.ExtraEnabled = {true, false};
    b = PlaceTitleButtons(m, s, extra);
    EXPECT_EQ(b.Extra[0].Rect, (TRect{644, 6, 676, 19})) << "glyph 30 + 2 wide";
    EXPECT_EQ(b.Extra[1].Rect.Width(), 21) << "no face: 21 wide";
    EXPECT_EQ(b.ButtonsWidth, 32 + 32 + 21);
}

TEST(FrameLayout, CaptionPointsAnswerByBand) {
    TsFormShape s = MainWindow();
    const TsFrameMetrics m = FrameMetrics(s, kSystem);
    TsTitleButtonsInput in = MainButtons();
    in.ExtraWidths = {21, 21};
    in.ExtraEnabled = {true, false};
    const TsTitleButtons b = PlaceTitleButtons(m, s, in);
    const TsSystemMenuState menu = SystemMenuState(s, true);
    // Band 4..17 (the drawn buttons' 2-pixel shift does not count).
    struct Row {
        int x, y, code;
    };
    const Row rows[] = {
        {3, 4, htSysMenu},    {19, 17, htSysMenu},    {20, 10, htNowhere},    {692, 10, htClose},
        {708, 10, htClose},   {691, 10, htMinButton}, {676, 10, htMinButton}, {670, 10, htExtraButton},
        {640, 10, htCaption}, {692, 3, htNowhere},    {692, 18, htNowhere},   {300, 10, htNowhere},
    };
    for (const Row& row : rows)
        EXPECT_EQ(HitTestTitle({row.x, row.y}, m, b, menu, s), row.code) << row.x << "," << row.y;

    // A minimise box that is not enabled is caption, unless the form is iconic.
    TsSystemMenuState noMinimize = menu;
    noMinimize.Minimize.Enabled = false;
    EXPECT_EQ(HitTestTitle({680, 10}, m, b, noMinimize, s), htCaption);
    s.Iconic = true;
    EXPECT_EQ(HitTestTitle({680, 10}, m, b, noMinimize, s), htMinButton);

    TsFormShape maximized = MainWindow();
    maximized.Maximized = true;
    EXPECT_TRUE(OutsideMaximizedArea({1, 100}, maximized));
    EXPECT_TRUE(OutsideMaximizedArea({707, 100}, maximized));
    EXPECT_FALSE(OutsideMaximizedArea({2, 2}, maximized));
    EXPECT_FALSE(OutsideMaximizedArea({1, 100}, MainWindow()));
}

TEST(FrameLayout, OutlineLosesTheKeyRunsOfTheCorners) {
    // A 2-frame border mask of 6 x 6 frames, margins 2: key pixels in three
    // corners of the first frame (the second frame's are never read).
    TPaintSkin skin(16, 8);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {5, 0}, {0, 5}, {11, 0}})
        skin.Master().SetPixel(x, y, static_cast<uint32_t>(clNone));
    skin.AddSection("FORM");
    const int mask = skin.AddMask("FORM", "BORDERSMASK", {0, 0, 12, 6}, 2, 0, itisaBorder, 0, 2);

    std::vector<TRect> holes;
    CollectRegionHoles(holes, skin.manager, mask, 100, 50, false);
    const std::vector<TRect> expected = {{0, 0, 2, 1}, {99, 0, 100, 1}, {0, 1, 1, 2}, {0, 49, 1, 50}};
    EXPECT_EQ(holes, expected);

    holes.clear();
    CollectRegionHoles(holes, skin.manager, mask, 100, 50, true);
    EXPECT_EQ(holes.size(), 3u) << "top corners only";
    CollectRegionHoles(holes, skin.manager, -1, 100, 50, false);
    EXPECT_EQ(holes.size(), 3u) << "no mask, no holes";
}

} // namespace
