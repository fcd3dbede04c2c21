// The arithmetic of skinned pop-up menus and the painter's switching of
// menus to owner-drawn and back, without windows.
#include "PaintTestSkin.h"
#include "skin/sSkinableMenus.h"
#include "controls/Menus.h"

#include "StoredZur.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace {

TEST(SkinableMenusLayout, ItemKindsAndTheirTexts) {
    const struct {
        const char* caption;
        const char* shortcut;
        TsMenuItemKind kind;
        const char* measured;
        const char* header;
    } rows[] = {
        {"-", "", mkSeparator, "", ""},
        {"-Tools-", "", mkHeader, "--Tools--", "Tools"},
        {"- Skins and colours -", "", mkHeader, "-- Skins and colours --", "Skins"},
        {"Copy Item", "", mkNormal, "Copy Item", ""},
        {"Close", "Alt+F4", mkNormal, "Close\tAlt+F4", ""},
        {"-x", "", mkNormal, "-x", ""},
        {"--", "", mkHeader, "----", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MenuItemKind(row.caption), row.kind) << row.caption;
        EXPECT_EQ(MeasuredText(row.caption, row.shortcut), row.measured) << row.caption;
        if (row.kind == mkHeader) {
            EXPECT_EQ(HeaderText(row.caption), row.header) << row.caption;
        }
    }
}

TEST(SkinableMenusLayout, ItemSizes) {
    // Width 2 x icon + text + 3 x margin + spacing (+ extra line); height:
    // separator 2, others round(1.25 x "W") (at least the icon for normal
    // items) + 2 x margin.
    const struct {
        TsMenuItemKind kind;
        int icon, iconHeight, text, letter, extra;
        TsMenuSize expected;
    } rows[] = {
        {mkNormal, 16, 16, 50, 13, 0, {94, 20}},  // 16.25 -> 16
        {mkNormal, 16, 16, 50, 14, 0, {94, 22}},  // 17.5 -> 18
        {mkNormal, 16, 16, 50, 10, 0, {94, 20}},  // 12.5 -> 12, the icon is taller
        {mkNormal, 24, 24, 0, 13, 32, {92, 28}},  // the extra line in the first column
        {mkSeparator, 16, 16, 0, 13, 0, {44, 2}}, // nothing measured
        {mkHeader, 16, 30, 40, 13, 0, {84, 20}},  // the icon does not count
    };
    for (const auto& row : rows) {
        TsMenuMeasure m;
        m.Kind = row.kind;
        m.IconWidth = row.icon;
        m.IconHeight = row.iconHeight;
        m.TextWidth = row.text;
        m.LetterHeight = row.letter;
        m.ExtraLineWidth = row.extra;
        EXPECT_EQ(MeasureMenuItem(m), row.expected) << row.text << " " << row.letter;
    }
    EXPECT_EQ(MenuIconWidth(20, 24), 20);
    EXPECT_EQ(MenuIconWidth(0, 24), 24);
    EXPECT_EQ(MenuIconWidth(0, 0), 16);
}

TEST(SkinableMenusLayout, PopupSizeAddsColumnsAndBorders) {
    const struct {
        std::vector<TsMenuBox> items;
        int border;
        TsMenuSize expected;
    } rows[] = {
        {{{90, 20}, {60, 2}, {80, 20}}, 3, {90 + 12 + 6, 42 + 6}},
        {{{90, 20}, {60, 20, true}, {70, 20}}, 3, {90 + 12 + 4 + 70 + 12 + 6, 40 + 6}},
        {{{50, 20, true}}, 0, {62, 20}}, // a break on the first item starts no column
        {{}, 3, {6, 6}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(PopupSize(row.items, row.border), row.expected) << row.items.size();
}

TEST(SkinableMenusLayout, WhereThePartsOfAnItemGo) {
    // Icon 16, margin 2, spacing 6: the text starts 26 pixels in.
    EXPECT_EQ(MenuTextRect(100, 20, 16, 2, 6, false), (TRect{26, 0, 100, 20}));
    EXPECT_EQ(MenuTextRect(100, 20, 16, 2, 6, true), (TRect{0, 0, 74, 20}));
    // The shortcut ends 8 pixels before the right edge, or starts 6 from the left.
    EXPECT_EQ(ShortcutRect(100, 20, 30, false), (TRect{62, 0, 92, 20}));
    EXPECT_EQ(ShortcutRect(100, 20, 30, true), (TRect{6, 0, 36, 20}));
    // The separator runs from the text's left to margin x 2 + spacing before
    // the end, and keeps 2 pixels off the icon column.
    EXPECT_EQ(SeparatorRect(100, 2, 16, 2, 6), (TRect{26, 0, 90, 2}));
    EXPECT_EQ(SeparatorRect(100, 2, 16, 0, 6), (TRect{24, 0, 94, 2}));
    // The icon column and the extra line inside a 3-pixel border.
    EXPECT_EQ(IconColumnRect(120, 60, 3, 0, 2, 16, 6), (TRect{3, 3, 27, 57}));
    EXPECT_EQ(IconColumnRect(120, 60, 3, 32, 2, 16, 6), (TRect{35, 3, 59, 57}));
    EXPECT_EQ(ExtraLineRect(60, 3, 32), (TRect{3, 3, 35, 57}));
}

TEST(SkinableMenusLayout, BorderPiecesBesideAnItem) {
    const TRect item{3, 3, 97, 23};
    const struct {
        bool first, last;
        int leftStrip;
        std::vector<TRect> expected;
    } rows[] = {
        {true, false, 3, {{0, 0, 100, 3}, {0, 3, 3, 23}, {97, 3, 100, 23}}},
        {false, true, 3, {{0, 23, 100, 50}, {0, 3, 3, 23}, {97, 3, 100, 23}}},
        {false, false, 35, {{0, 3, 35, 23}, {97, 3, 100, 23}}},
        {true, true, 3, {{0, 0, 100, 3}, {0, 23, 100, 50}, {0, 3, 3, 23}, {97, 3, 100, 23}}},
    };
    for (const auto& row : rows)
        EXPECT_EQ(MenuBorderPieces(100, 50, item, row.first, row.last, row.leftStrip), row.expected)
            << row.first << row.last;
}

TEST(SkinableMenusLayout, BorderWidthAndOutlineFromTheSkin) {
    TPaintSkin skin;
    EXPECT_EQ(MenuSkinBorderWidth(skin.manager), 0) << "no MAINMENU";
    skin.AddSection("MAINMENU");
    EXPECT_EQ(MenuSkinBorderWidth(skin.manager), 0) << "no border mask";
    // A 12 x 12 frame with 3-pixel margins and no key-coloured pixel.
    const int mask = skin.AddMask("MAINMENU", "BORDERSMASK", {0, 0, 12, 12}, 1, 0, itisaBorder, 0, 3);
    EXPECT_EQ(MenuSkinBorderWidth(skin.manager), 3) << "0 counts as 3";
    skin.Mask(mask).BorderWidth = 5;
    EXPECT_EQ(MenuSkinBorderWidth(skin.manager), 5);
    skin.Mask(mask).BorderWidth = -1;
    EXPECT_EQ(MenuSkinBorderWidth(skin.manager), 3);

    const std::vector<TRect> none = MenuOutlineRects(skin.manager, 80, 40);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(MenuRegionCut(none), std::vector<TRect>{(TRect{0, 0, 1, 1})}) << "still a region";

    // Key pixels in the top-left and bottom-right corners, and one in the
    // middle of the top edge, which is no corner.
    skin.Master().SetPixel(0, 0, clNone);
    skin.Master().SetPixel(1, 0, clNone);
    skin.Master().SetPixel(11, 11, clNone);
    skin.Master().SetPixel(6, 0, clNone);
    const std::vector<TRect> expected{{0, 0, 2, 1}, {79, 39, 80, 40}};
    EXPECT_EQ(MenuOutlineRects(skin.manager, 80, 40), expected);
    EXPECT_EQ(MenuRegionCut(expected), expected);
}

TEST(SkinableMenusLayout, TheStoredSkinsPopupOutlineIsItsFourRoundedCorners) {
    TSkinTestPlatform platform;
    TsSkinManager manager{nullptr};
    LoadStoredZur(manager);
    ASSERT_GE(manager.FindSection("MAINMENU"), 0);
    EXPECT_EQ(MenuSkinBorderWidth(manager), 3);
    EXPECT_EQ(manager.SkinableMenus().SkinBorderWidth(), 3);
    const std::vector<TRect> expected{{0, 0, 1, 1}, {99, 0, 100, 1}, {0, 59, 1, 60}, {99, 59, 100, 60}};
    EXPECT_EQ(MenuOutlineRects(manager, 100, 60), expected);
    // The separator comes from the track bar's channel: there is no divider section.
    EXPECT_LT(manager.FindSection("DIVIDERV"), 0);
    EXPECT_GE(manager.FindMask(manager.FindSection("TRACKBAR"), "TRACKBAR", "SLIDERCHANNEL"), 0);
}

// A canvas measuring 7 pixels a character and 13 a line.
class TFixedCanvas final : public TsTextCanvas {
public:
    void SetFont(const TsTextFont& font) override { Font = font; }
    void SetClip(const std::optional<TRect>&) override {}
    TsTextSize TextExtent(const std::string& text) override { return {int(text.size()) * 7, 13}; }
    void PutText(const std::string&, const TRect&, unsigned, TColor) override {}
    TsTextFont Font;
};

class MenuPainter : public ::testing::Test {
protected:
    TSkinTestPlatform platform;
    TsSkinManager manager{nullptr};
    TsSkinableMenus& painter = manager.SkinableMenus();
    TCustomForm form{nullptr};
};

TEST_F(MenuPainter, ActivateSwitchesOnlyItemsWithoutHandlersOfTheirOwn) {
    auto* popup = new TPopupMenu(&form);
    TMenuItem* copy = popup->Items().Add("Copy Item");
    TMenuItem* sub = popup->Items().Add("More");
    TMenuItem* deep = sub->Add("Deeper");
    TMenuItem* own = popup->Items().Add("Own");
    own->OnDrawItem = [](TMenuItem&, void*, const TBounds&, unsigned) {};
    auto* mainMenu = new TMainMenu(&form);
    TMenuItem* file = mainMenu->Items().Add("File");
    auto* loose = new TMenuItem(&form);
    loose->Caption = "Loose";

    const struct {
        TMenuItem* item;
        bool painters;
    } items[] = {{copy, true}, {sub, true}, {deep, true}, {file, true}, {loose, true}, {own, false}};

    manager.SkinnedPopups = false;
    painter.Activate(true);
    for (const auto& row : items)
        EXPECT_EQ(row.item->HandlersOwner, nullptr) << row.item->Caption << ": pop-ups are not skinned";

    manager.SkinnedPopups = true;
    painter.Activate(true);
    for (const auto& row : items) {
        EXPECT_TRUE(row.item->OwnerDrawn()) << row.item->Caption;
        EXPECT_EQ(row.item->HandlersOwner == &painter, row.painters) << row.item->Caption;
    }
    painter.Activate(false);
    for (const auto& row : items)
        EXPECT_EQ(row.item->OwnerDrawn(), !row.painters) << row.item->Caption << ": own handlers stay";
}

TEST_F(MenuPainter, MeasuringUsesTheItemFontAndExpandsTheShortcutTab) {
    TPopupMenu popup(nullptr);
    TMenuItem* close = popup.Items().Add("Close");
    close->ShortCut = "Alt+F4";
    close->Default = true;
    painter.MenuFont = TsTextFont{"Verdana", -12};
    TFixedCanvas canvas;
    // "Close" is 35 pixels; the tab goes on to 56 (eight average letters),
    // then "Alt+F4" adds 42: 98 in all, plus 2 x 16 + 3 x 2 + 6.
    EXPECT_EQ(painter.MeasureItem(*close, canvas, 16, 16), (TsMenuSize{98 + 44, 20}));
    EXPECT_EQ(canvas.Font.Name, "Verdana");
    EXPECT_TRUE(canvas.Font.Bold) << "the default item is bold";
}

TEST_F(MenuPainter, TheExtraLineWidensOnlyTheFirstColumn) {
    manager.MenuSupport.UseExtraLine = true;
    std::string seenSection;
    manager.OnGetMenuExtraLineData = [&](TMenuItem& first, std::string& section, std::string& text,
                                         TsBitmapPtr&, bool&) {
        seenSection = section;
        text = "&Kestova " + first.Caption;
    };
    TPopupMenu popup(nullptr);
    TMenuItem* a = popup.Items().Add("Aa");
    TMenuItem* b = popup.Items().Add("Bb");
    b->Break = mbBreak;
    TFixedCanvas canvas;
    const int plain = 2 * 16 + 14 + 3 * 2 + 6;
    EXPECT_EQ(painter.MeasureItem(*a, canvas, 16, 16).Width, plain + 32);
    EXPECT_EQ(painter.MeasureItem(*b, canvas, 16, 16).Width, plain) << "second column";
    EXPECT_EQ(seenSection, "EXTRALINE");
    EXPECT_EQ(painter.ExtraLine().Text, "Kestova Aa") << "ampersands removed";

    manager.MenuSupport.UseExtraLine = false;
    EXPECT_EQ(painter.MeasureItem(*a, canvas, 16, 16).Width, plain);
}

} // namespace
