#include "sSkinableMenusLayout.h"
#include "sSkinManager.h"
#include "sSkinProviderLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounding as the painter's arithmetic does it: halves go to the even neighbour.
int RoundEven(double value) {
    return static_cast<int>(std::nearbyint(value));
}

bool NotEmpty(const TRect& r) {
    return r.Right > r.Left && r.Bottom > r.Top;
}

} // namespace

TsMenuItemKind MenuItemKind(const std::string& caption) {
    if (caption == "-")
        return mkSeparator;
    if (caption.size() >= 2 && caption.front() == '-' && caption.back() == '-')
        return mkHeader;
    return mkNormal;
}

std::string HeaderText(const std::string& caption) {
    std::string inner = caption;
    if (MenuItemKind(caption) == mkHeader)
        inner = caption.substr(1, caption.size() - 2);
    const size_t start = inner.find_first_not_of(' ');
    if (start == std::string::npos)
        return {};
    const size_t end = inner.find(' ', start);
    return inner.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string MeasuredText(const std::string& caption, const std::string& shortcut) {
    switch (MenuItemKind(caption)) {
    case mkSeparator:
        return {};
    case mkHeader:
        return "-" + caption + "-";
    case mkNormal:
        break;
    }
    return shortcut.empty() ? caption : caption + "\t" + shortcut;
}

int MenuIconWidth(int bitmapWidth, int imageListWidth) {
    if (bitmapWidth > 0)
        return bitmapWidth;
    return imageListWidth > 0 ? imageListWidth : 16;
}

TsMenuSize MeasureMenuItem(const TsMenuMeasure& m) {
    TsMenuSize size;
    size.Width = 2 * m.IconWidth + m.TextWidth + 3 * m.Margin + m.Spacing + m.ExtraLineWidth;
    const int letter = RoundEven(1.25 * m.LetterHeight);
    switch (m.Kind) {
    case mkSeparator:
        size.Height = 2;
        break;
    case mkHeader:
        size.Height = letter + 2 * m.Margin;
        break;
    case mkNormal:
        size.Height = std::max(letter, m.IconHeight) + 2 * m.Margin;
        break;
    }
    return size;
}

TsMenuSize PopupSize(const std::vector<TsMenuBox>& items, int borderWidth) {
    int width = 0, tallest = 0, columnWidth = 0, columnHeight = 0;
    bool any = false;
    auto closeColumn = [&] {
        width += columnWidth + 12;
        tallest = std::max(tallest, columnHeight);
        columnWidth = columnHeight = 0;
    };
    for (const TsMenuBox& item : items) {
        if (item.Break && any) {
            closeColumn();
            width += 4;
        }
        any = true;
        columnWidth = std::max(columnWidth, item.Width);
        columnHeight += item.Height;
    }
    if (any)
        closeColumn();
    return {width + 2 * borderWidth, tallest + 2 * borderWidth};
}

TRect IconColumnRect(int pictureWidth, int pictureHeight, int skinBorderWidth, int extraLineWidth, int margin,
                     int iconWidth, int spacing) {
    const int left = skinBorderWidth + extraLineWidth;
    TRect r{left, skinBorderWidth, left + margin + iconWidth + spacing, pictureHeight - skinBorderWidth};
    r.Right = std::min(r.Right, pictureWidth);
    return r;
}

TRect ExtraLineRect(int pictureHeight, int skinBorderWidth, int extraLineWidth) {
    return {skinBorderWidth, skinBorderWidth, skinBorderWidth + extraLineWidth,
            pictureHeight - skinBorderWidth};
}

TRect MenuTextRect(int width, int height, int iconWidth, int margin, int spacing, bool rightToLeft) {
    const int inset = iconWidth + 2 * margin + spacing;
    if (rightToLeft)
        return {0, 0, width - inset, height};
    return {inset, 0, width, height};
}

TRect ShortcutRect(int width, int height, int shortcutWidth, bool rightToLeft) {
    if (rightToLeft)
        return {6, 0, 6 + shortcutWidth, height};
    return {width - 8 - shortcutWidth, 0, width - 8, height};
}

TRect SeparatorRect(int width, int height, int iconWidth, int margin, int spacing) {
    const int textLeft = iconWidth + 2 * margin + spacing;
    const int iconColumnRight = margin + iconWidth + spacing;
    return {std::max(textLeft, iconColumnRight + 2), 0, width - (margin * 2 + spacing), height};
}

std::vector<TRect> MenuBorderPieces(int windowWidth, int windowHeight, const TRect& item, bool first,
                                    bool last, int leftStrip) {
    std::vector<TRect> pieces;
    auto add = [&](const TRect& r) {
        const TRect clipped{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, windowWidth),
                            std::min(r.Bottom, windowHeight)};
        if (NotEmpty(clipped))
            pieces.push_back(clipped);
    };
    if (first)
        add({0, 0, windowWidth, item.Top});
    if (last)
        add({0, item.Bottom, windowWidth, windowHeight});
    add({0, item.Top, leftStrip, item.Bottom});
    add({item.Right, item.Top, windowWidth, item.Bottom});
    return pieces;
}

int MenuSkinBorderWidth(const TsSkinManager& manager) {
    const int section = manager.FindSection("MAINMENU");
    const int mask = manager.FindMask(section, "MAINMENU", "BORDERSMASK");
    if (mask < 0 || size_t(mask) >= manager.ma.size())
        return 0;
    const int width = manager.ma[size_t(mask)].BorderWidth;
    return width <= 0 ? 3 : width;
}

std::vector<TRect> MenuOutlineRects(TsSkinManager& manager, int windowWidth, int windowHeight) {
    std::vector<TRect> outline;
    const int section = manager.FindSection("MAINMENU");
    const int mask = manager.FindMask(section, "MAINMENU", "BORDERSMASK");
    CollectRegionHoles(outline, manager, mask, windowWidth, windowHeight, false);
    return outline;
}

std::vector<TRect> MenuRegionCut(const std::vector<TRect>& outline) {
    if (outline.empty())
        return {TRect{0, 0, 1, 1}};
    return outline;
}
