#pragma once
// The arithmetic of skinned pop-up menus: what kind an item is, how large it
// measures, how large a pop-up of such items is, and where the parts of an
// item go (text, shortcut, separator line, icon column, the border pieces
// copied beside it).
#include "sSkinData.h"

#include <string>
#include <vector>

class TsSkinManager;

enum TsMenuItemKind { mkNormal, mkSeparator, mkHeader };
// A separator has the caption "-"; a header item's caption begins and ends
// with "-"; every other item is normal.
TsMenuItemKind MenuItemKind(const std::string& caption);
// The text a header item shows: the first word between its dashes.
std::string HeaderText(const std::string& caption);
// The text an item is measured by: the caption and the shortcut (a tab
// between them), "-" + caption + "-" for a header, nothing for a separator.
std::string MeasuredText(const std::string& caption, const std::string& shortcut);

// The icon width of an item: its bitmap's, else the image list's, else 16.
int MenuIconWidth(int bitmapWidth, int imageListWidth);

struct TsMenuMeasure {
    TsMenuItemKind Kind = mkNormal;
    int IconWidth = 16, IconHeight = 16;
    int TextWidth = 0;    // of MeasuredText, one line, tabs expanded
    int LetterHeight = 0; // the height of "W"
    int Margin = 2, Spacing = 6;
    int ExtraLineWidth = 0; // the extra line's width when it is shown and the item is in the first column
};
struct TsMenuSize {
    int Width = 0, Height = 0;
    bool operator==(const TsMenuSize&) const = default;
};
TsMenuSize MeasureMenuItem(const TsMenuMeasure& m);

// One measured item of a pop-up; Break: the item starts a new column.
struct TsMenuBox {
    int Width = 0, Height = 0;
    bool Break = false;
};
// The pop-up's size from its items: each column as wide as its widest item
// plus 12 (a break adds 4), as high as the tallest column, and the border on
// every side.
TsMenuSize PopupSize(const std::vector<TsMenuBox>& items, int borderWidth);

// The icon column in the pop-up picture: right of the extra line, inside the border.
TRect IconColumnRect(int pictureWidth, int pictureHeight, int skinBorderWidth, int extraLineWidth, int margin,
                     int iconWidth, int spacing);
// The extra line's strip in the pop-up picture, inside the border.
TRect ExtraLineRect(int pictureHeight, int skinBorderWidth, int extraLineWidth);

// Where an item's caption goes inside its picture (width x height).
TRect MenuTextRect(int width, int height, int iconWidth, int margin, int spacing, bool rightToLeft);
// Where the shortcut text goes: ending 8 pixels before the right edge (from
// 6 pixels at the left for right-to-left menus).
TRect ShortcutRect(int width, int height, int shortcutWidth, bool rightToLeft);
// The separator line across an item picture: from the text's left (at least
// 2 pixels right of the icon column) to Margin x 2 + Spacing before the right end.
TRect SeparatorRect(int width, int height, int iconWidth, int margin, int spacing);

// The pop-up picture's pieces copied to the menu window beside one item
// (window coordinates): the top border for the first visible item, the
// bottom border for the last, and the left and right strips beside it.
// item: the item's rectangle in the window; leftStrip: the extra line plus
// the larger of the skin's and the painter's border width.
std::vector<TRect> MenuBorderPieces(int windowWidth, int windowHeight, const TRect& item, bool first,
                                    bool last, int leftStrip);

// The skin's border width of the pop-up: the "BORDERSMASK" of "MAINMENU"
// gives it (3 when it says 0 or less); 0 without that mask.
int MenuSkinBorderWidth(const TsSkinManager& manager);
// The rectangles cut from a pop-up window's outline: the key-coloured pixels
// of the top and bottom rows of the "MAINMENU" border mask.
std::vector<TRect> MenuOutlineRects(TsSkinManager& manager, int windowWidth, int windowHeight);
// The outline the window region leaves out: the rectangles, or the pixel at
// (0, 0) when there are none.
std::vector<TRect> MenuRegionCut(const std::vector<TRect>& outline);
