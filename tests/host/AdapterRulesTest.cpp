// The adapters' rules without a window: which adapter a control or a dialog
// child takes, panel sections by bevel, the column header's title place,
// and the scroll bars' geometry, with values worked out by hand.
#include "skin/sAdapterRules.h"

#include <gtest/gtest.h>

namespace {

using K = TqzAdapterKind;

TEST(AdapterRules, ControlsByTheFirstListThatNamesThemExactly) {
    std::array<std::vector<std::string>, 17> lists;
    lists[7] = {"TListView"};
    lists[8] = {"TPanel", "TListView"};
    lists[16] = {"TStatusBar"};
    const struct {
        const char* className;
        K kind;
        const char* section;
    } rows[] = {
        {"TListView", K::ListView, ""}, // list 7 comes before list 8, and keeps the item's section
        {"TPanel", K::Panel, "PANEL"},  {"TStatusBar", K::StatusBar, "STATUSBAR"},
        {"TListview", K::None, ""}, // letter case differs: not adapted
        {"tpanel", K::None, ""},        {"TsBitBtn", K::None, ""},
    };
    for (const auto& row : rows) {
        const TqzAdapterChoice choice = ChooseThirdPartyAdapter(row.className, lists);
        EXPECT_EQ(choice.Kind, row.kind) << row.className;
        EXPECT_EQ(choice.Section, row.section) << row.className;
    }
}

TEST(AdapterRules, DialogChildrenByClassAndStyle) {
    const struct {
        const char* windowClass;
        uint32_t style;
        K kind;
        const char* section;
        bool dialogMode;
    } rows[] = {
        {"Static", 0x0, K::Static, "CHECKBOX", false},        // SS_LEFT text
        {"STATIC", 0x3, K::Icon, "CHECKBOX", false},          // SS_ICON
        {"static", 0xE, K::Icon, "CHECKBOX", false},          // SS_BITMAP
        {"static", 0xD, K::None, "", false},                  // t & 13 = 13
        {"static", 0x5, K::None, "", false},                  // black frame
        {"static", 0x6, K::None, "", false},                  // gray frame
        {"static", 0xB, K::None, "", false},                  // SS_SIMPLE
        {"static", 0x80 | 0x1, K::Static, "CHECKBOX", false}, // centred, no prefix
        {"Button", 0x0, K::Btn, "BUTTON", false},             // push button
        {"Button", 0x1, K::Btn, "BUTTON", false},             // default push button
        {"Button", 0x3, K::CheckBox, "CHECKBOX", false},      // auto check box
        {"Button", 0x4, K::CheckBox, "CHECKBOX", false},      // radio button
        {"Button", 0x7, K::GroupBox, "GROUPBOX", false},
        {"Button", 0x9, K::CheckBox, "CHECKBOX", false}, // auto radio button
        {"ComboBox", 0, K::ComboBox, "COMBOBOX", true},
        {"ComboBoxEx32", 0, K::ComboBox, "COMBOBOX", false},
        {"ComboLBox", 0, K::Edit, "COMBOBOX", false},
        {"Edit", 0, K::Edit, "EDIT", true},
        {"ListBox", 0, K::Edit, "EDIT", true},
        {"SysListView32", 0, K::ListView, "EDIT", true},
        {"SysTreeView32", 0, K::TreeView, "EDIT", true},
        {"msctls_updown32", 0, K::Spin, "SPEEDBUTTON_SMALL", false},
        {"ScrollBar", 0, K::Sizer, "CHECKBOX", false},
        {"SysTabControl32", 0, K::TabControl, "PAGECONTROL", false},
        {"#32770", 0, K::TransPanel, "CHECKBOX", false},
        {"TPanel", 0, K::DlgPanel, "PANEL", false},
        {"SysLink", 0, K::Link, "CHECKBOX", false},
        {"ToolbarWindow32", 0x200, K::ToolBar, "BAR", false},
        {"ToolbarWindow32", 0x0, K::ToolBar, "CHECKBOX", false},
        {"MyShBrowseForFolderPane", 0, K::TransPanel, "CHECKBOX", false},
        {"SHELLDLL_DefView", 0, K::None, "", false}, // left alone
    };
    for (const auto& row : rows) {
        const TqzAdapterChoice choice = ChooseDialogChildAdapter(row.windowClass, row.style);
        EXPECT_EQ(choice.Kind, row.kind) << row.windowClass << " " << row.style;
        EXPECT_EQ(choice.Section, row.section) << row.windowClass << " " << row.style;
        EXPECT_EQ(choice.DialogMode, row.dialogMode) << row.windowClass;
    }
}

TEST(AdapterRules, PanelSectionByBevels) {
    // The main window's panel: outer raised, no inner; the About box's: outer lowered, inner raised.
    EXPECT_EQ(PanelSection(bvRaised, bvNone, false), "PANEL");
    EXPECT_EQ(PanelSection(bvLowered, bvRaised, false), "GROUPBOX");
    EXPECT_EQ(PanelSection(bvRaised, bvLowered, false), "GROUPBOX");
    EXPECT_EQ(PanelSection(bvLowered, bvNone, false), "PANEL_LOW");
    EXPECT_EQ(PanelSection(bvLowered, bvLowered, false), "PANEL_LOW");
    EXPECT_EQ(PanelSection(bvRaised, bvRaised, false), "PANEL");
    EXPECT_EQ(PanelSection(bvNone, bvRaised, true), "PANEL_LOW");
    EXPECT_EQ(PanelSection(bvNone, bvNone, false), "CHECKBOX");
}

TEST(AdapterRules, HeaderTitleAndSortGlyph) {
    // Left: from left + 4, one pixel in at top and bottom, title box text + 5 wide
    // (in the item's own picture).
    THeaderItemLayout l =
        LayoutHeaderItem({0, 0, 200, 20}, false, THeaderAlign::Left, 40, THeaderSort::None, 0, 0, 0);
    EXPECT_EQ(l.Text, (TRect{4, 1, 49, 19}));
    // Pressed: everything one pixel right and down.
    l = LayoutHeaderItem({0, 0, 200, 20}, true, THeaderAlign::Left, 40, THeaderSort::None, 0, 0, 0);
    EXPECT_EQ(l.Text, (TRect{5, 2, 50, 20}));
    // Right-aligned with a 9-wide sort glyph: ends at right - 8 less 9 + 6.
    l = LayoutHeaderItem({0, 0, 200, 20}, false, THeaderAlign::Right, 40, THeaderSort::Down, 9, 5, 0);
    EXPECT_EQ(l.Text, (TRect{192 - 15 - 45, 1, 192 - 15, 19}));
    EXPECT_EQ(l.Glyph, (TPoint{192 - 15 + 6, 1 + (18 - 5) / 2}));
    // Centred in the width less the glyph's space.
    l = LayoutHeaderItem({0, 0, 200, 20}, false, THeaderAlign::Center, 40, THeaderSort::Up, 9, 5, 0);
    EXPECT_EQ(l.Text.Left, 4 + (188 - 15 - 45) / 2);
    // A column image moves the text right by its width.
    l = LayoutHeaderItem({0, 0, 200, 20}, false, THeaderAlign::Left, 40, THeaderSort::None, 0, 0, 16);
    EXPECT_EQ(l.Text.Left, 20);
}

TEST(AdapterRules, ScrollBarGeometry) {
    // A vertical bar 17 wide, 300 long, arrows 17: track 266. 100 rows, 25 a page.
    const TRect bar{0, 0, 17, 300};
    TqzScrollInfo info{0, 99, 25, 0, 0};
    EXPECT_EQ(ThumbLength(info, 266, 8), 25 * 266 / 99);
    TqzScrollGeometry g = LayoutScrollBar(bar, true, 17, info, 8, true);
    ASSERT_FALSE(g.Split);
    ASSERT_TRUE(g.ThumbShown);
    EXPECT_EQ(g.FirstArrow, (TRect{0, 0, 17, 17}));
    EXPECT_EQ(g.SecondArrow, (TRect{0, 283, 17, 300}));
    EXPECT_EQ(g.Thumb, (TRect{0, 17, 17, 17 + 67}));
    EXPECT_EQ(g.TrackBefore.Height(), 0);
    // At the last position the thumb touches the second arrow.
    info.Pos = 75;
    g = LayoutScrollBar(bar, true, 17, info, 8, true);
    EXPECT_EQ(g.Thumb.Bottom, 283);
    EXPECT_EQ(ScrollPartAt(g, {5, 5}), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(g, {5, 290}), spSecondArrow);
    EXPECT_EQ(ScrollPartAt(g, {5, 100}), spTrackBefore);
    EXPECT_EQ(ScrollPartAt(g, {5, 250}), spThumb);
    EXPECT_EQ(ScrollPartAt(g, {20, 250}), spNone);
    // A tiny page still gets the minimum thumb.
    EXPECT_EQ(ThumbLength({0, 9999, 1, 0, 0}, 266, 8), 8);
    // Disabled: no thumb, the track split at its middle.
    g = LayoutScrollBar(bar, true, 17, info, 8, false);
    EXPECT_FALSE(g.ThumbShown);
    EXPECT_EQ(g.TrackBefore, (TRect{0, 17, 17, 17 + 133}));
    // Shorter than two arrows: two halves.
    g = LayoutScrollBar({0, 0, 30, 17}, false, 17, info, 8, true);
    EXPECT_TRUE(g.Split);
    EXPECT_EQ(g.FirstArrow, (TRect{0, 0, 15, 17}));
    EXPECT_EQ(g.SecondArrow, (TRect{15, 0, 30, 17}));
}

TEST(AdapterRules, ThumbDraggedToAPosition) {
    const TqzScrollInfo info{0, 99, 25, 0, 0};
    // Track 266, thumb 67: 199 pixels of travel for 75 positions.
    EXPECT_EQ(PositionOfThumb(info, 266, 67, 0), 0);
    EXPECT_EQ(PositionOfThumb(info, 266, 67, 199), 75);
    EXPECT_EQ(PositionOfThumb(info, 266, 67, 500), 75); // dragged past the end
    EXPECT_EQ(PositionOfThumb(info, 266, 67, -40), 0);
    EXPECT_EQ(PositionOfThumb(info, 266, 67, 100), (100 * 75 + 99) / 199);
    // Nothing to scroll.
    EXPECT_EQ(PositionOfThumb({5, 10, 20, 5, 0}, 266, 67, 100), 5);
}

} // namespace
