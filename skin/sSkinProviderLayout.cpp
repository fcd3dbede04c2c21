// The geometry of a skinned form frame.
#include "sSkinProviderLayout.h"

#include "sGraphUtils.h"
#include "sSkinManager.h"

#include <algorithm>

namespace {

bool SingleOrSizeable(TFormBorderStyle style) {
    return style == bsSingle || style == bsSizeable;
}

} // namespace

int IconSizeClass(int captionHeight) {
    if (captionHeight < 9)
        return 0;
    if (captionHeight <= 16)
        return 8;
    if (captionHeight <= 27)
        return 16;
    return 32;
}

bool IsBigButtonForm(TFormBorderStyle style) {
    return SingleOrSizeable(style);
}

TsFrameMetrics FrameMetrics(const TsFormShape& shape, const TsSystemMetrics& system) {
    TsFrameMetrics m;
    switch (shape.BorderStyle) {
    case bsNone:
        break;
    case bsSingle:
    case bsDialog:
    case bsToolWindow:
        m.FrameWidth = system.FixedFrameX;
        m.FrameHeight = system.FixedFrameY;
        break;
    case bsSizeable:
    case bsSizeToolWin:
        m.FrameWidth = system.SizingFrameX;
        m.FrameHeight = system.SizingFrameY;
        break;
    }
    if (shape.CaptionStyle || shape.Iconic)
        m.CaptionHeight = (shape.BorderStyle == bsToolWindow || shape.BorderStyle == bsSizeToolWin)
                              ? system.SmallCaption
                              : system.Caption;
    m.MenuHeight = shape.HasMainMenu ? system.Menu - 1 : 0;

    const int nonClientHeight = shape.WindowHeight - shape.ClientHeight;
    m.TopHeight =
        m.CaptionHeight > 0 ? nonClientHeight - (m.FrameHeight + shape.BorderWidth) : nonClientHeight;
    m.TopHeight = std::max(m.TopHeight, 0);
    if (shape.Iconic)
        m.TopHeight += m.FrameHeight;
    m.TopHeight -= shape.HScrollHeight;

    m.ClientOrigin.X = (shape.WindowWidth - shape.ClientWidth - shape.VScrollWidth) / 2;
    m.ClientOrigin.Y =
        nonClientHeight - (m.CaptionHeight > 0 ? m.FrameHeight + shape.BorderWidth : 0) - shape.HScrollHeight;

    if (SingleOrSizeable(shape.BorderStyle) && shape.ShowAppIcon) {
        m.IconWidth = shape.TitleIconWidth != 0 ? shape.TitleIconWidth : IconSizeClass(m.CaptionHeight);
        m.IconHeight = shape.TitleIconHeight != 0 ? shape.TitleIconHeight : IconSizeClass(m.CaptionHeight);
    }
    return m;
}

TsSystemMenuState SystemMenuState(const TsFormShape& shape, bool hadSysMenu) {
    TsSystemMenuState s;
    const bool singleOrSizeable = SingleOrSizeable(shape.BorderStyle);
    const bool maximizeIcon = (shape.BorderIcons & biMaximize) != 0;
    const bool minimizeIcon = (shape.BorderIcons & biMinimize) != 0;
    const bool normal = !shape.Iconic && !shape.Maximized;
    if (shape.MdiChild) {
        // Children of a document window may always be restored and maximized.
        s.Restore = {true, !normal};
        s.Move = {true, !shape.Maximized};
        s.Size = {true, !shape.Iconic};
        s.Minimize = {true, !shape.Iconic};
        s.Maximize = {true, !shape.Maximized};
        s.Close = {true, true};
        return s;
    }
    s.Restore.Visible = hadSysMenu && singleOrSizeable;
    s.Restore.Enabled = (maximizeIcon && !normal) || shape.Iconic;
    s.Move = {true, !shape.Maximized};
    s.Size.Visible = singleOrSizeable || shape.BorderStyle == bsSizeToolWin;
    s.Size.Enabled = shape.BorderStyle != bsSingle && !shape.Iconic;
    s.Minimize.Visible = hadSysMenu && (shape.Iconic || (minimizeIcon && singleOrSizeable));
    s.Minimize.Enabled = minimizeIcon && !shape.Iconic;
    s.Maximize.Visible = hadSysMenu && (shape.Iconic || (maximizeIcon && singleOrSizeable));
    s.Maximize.Enabled = maximizeIcon && !shape.Maximized && singleOrSizeable;
    s.Close = {hadSysMenu, true};
    return s;
}

int ExtraButtonWidth(int glyphWidth, int faceWidth) {
    return std::max(glyphWidth + 2, faceWidth > 0 ? faceWidth : 21);
}

TsTitleButtons PlaceTitleButtons(const TsFrameMetrics& metrics, const TsFormShape& shape,
                                 const TsTitleButtonsInput& input) {
    TsTitleButtons out;
    out.ButtonHeight = input.ButtonHeight;
    const int h = input.ButtonHeight;
    const int centred = (metrics.CaptionHeight + metrics.FrameHeight - h) / 2;
    int top = centred;
    if (input.Big) {
        if (input.VOffset == 1)
            top = shape.Maximized ? 4 : 0;
        else if (h < 16)
            top = centred + 2;
    }
    const int spacing = input.Big ? input.Spacing : 0;
    int x = shape.WindowWidth - metrics.FrameWidth - spacing;
    auto place = [&](TitleButtonInfo& button, int width) {
        button.Rect = {x - width, top, x, top + h};
        button.Big = input.Big;
        x = button.Rect.Left - spacing;
        out.ButtonsWidth += width + spacing;
    };
    // Right to left: close, maximize, minimize, help, then the extra buttons.
    for (int i : {sbClose, sbMaximize, sbMinimize, sbHelp}) {
        TitleButtonInfo& button = out.System[size_t(i)];
        button.Visible = input.Visible[size_t(i)];
        button.Enabled = input.Enabled[size_t(i)];
        if (button.Visible)
            place(button, input.Widths[size_t(i)]);
    }
    out.Extra.resize(input.ExtraWidths.size());
    for (size_t i = 0; i < out.Extra.size(); ++i) {
        out.Extra[i].Visible = true;
        out.Extra[i].Enabled = i < input.ExtraEnabled.size() ? input.ExtraEnabled[i] : true;
        place(out.Extra[i], input.ExtraWidths[i]);
    }
    return out;
}

namespace {

bool InColumns(const TRect& r, int x) {
    return x >= r.Left && x <= r.Right;
}

} // namespace

int HitTestTitle(TPoint p, const TsFrameMetrics& metrics, const TsTitleButtons& buttons,
                 const TsSystemMenuState& menu, const TsFormShape& shape) {
    const int c = (metrics.CaptionHeight + metrics.FrameHeight - buttons.ButtonHeight) / 2;
    if (p.Y < c || p.Y > c + buttons.ButtonHeight)
        return htNowhere;
    if (p.X >= metrics.FrameWidth && p.X <= metrics.FrameWidth + metrics.IconWidth)
        return htSysMenu;
    const auto& b = buttons.System;
    if (b[sbClose].Visible && InColumns(b[sbClose].Rect, p.X))
        return htClose;
    if (b[sbMaximize].Visible && InColumns(b[sbMaximize].Rect, p.X))
        return menu.Maximize.Enabled || (menu.Restore.Enabled && !shape.Iconic) ? htMaxButton : htCaption;
    if (b[sbMinimize].Visible && InColumns(b[sbMinimize].Rect, p.X))
        return menu.Minimize.Enabled || shape.Iconic ? htMinButton : htCaption;
    if (b[sbHelp].Visible && InColumns(b[sbHelp].Rect, p.X))
        return htHelp;
    for (size_t i = 0; i < buttons.Extra.size(); ++i)
        if (InColumns(buttons.Extra[i].Rect, p.X))
            return buttons.Extra[i].Enabled ? htExtraButton + int(i) : htCaption;
    return htNowhere;
}

bool OutsideMaximizedArea(TPoint p, const TsFormShape& shape) {
    return shape.Maximized &&
           (p.X < 2 || p.Y < 2 || p.X >= shape.WindowWidth - 4 || p.Y >= shape.WindowHeight - 4);
}

void CollectRegionHoles(std::vector<TRect>& holes, TsSkinManager& manager, int maskIndex, int windowWidth,
                        int windowHeight, bool topOnly) {
    if (maskIndex < 0 || size_t(maskIndex) >= manager.ma.size())
        return;
    const TsMaskData& mask = manager.ma[size_t(maskIndex)];
    const TsBitmap24* picture = MaskPicture(mask);
    if (!picture)
        return;
    const TRect frame = StateFrame(mask, 0);
    const int wl = manager.MaskWidthLeft(maskIndex), wr = manager.MaskWidthRight(maskIndex);
    const int wt = manager.MaskWidthTop(maskIndex), wb = manager.MaskWidthBottom(maskIndex);
    const int frameWidth = frame.Width(), frameHeight = frame.Height();

    // One row of one corner: its key runs, moved to where the corner lies in the window.
    auto scan = [&](int row, int firstColumn, int lastColumn, int windowX, int windowY) {
        const int y = frame.Top + row;
        if (y < 0 || y >= picture->Height)
            return;
        int runStart = -1;
        for (int column = firstColumn; column <= lastColumn + 1; ++column) {
            const int x = frame.Left + column;
            const bool key = column <= lastColumn && x >= 0 && x < picture->Width &&
                             picture->Pixel(x, y) == static_cast<uint32_t>(clNone);
            if (key && runStart < 0)
                runStart = column;
            if (!key && runStart >= 0) {
                holes.push_back({windowX + runStart, windowY, windowX + column, windowY + 1});
                runStart = -1;
            }
        }
    };
    auto corners = [&](int row, int windowY) {
        scan(row, 0, std::min(wl, frameWidth) - 1, 0, windowY);
        const int first = std::max(frameWidth - wr, 0);
        scan(row, first, frameWidth - 1, windowWidth - frameWidth, windowY);
    };
    for (int row = 0; row < std::min(wt, frameHeight); ++row)
        corners(row, row);
    if (topOnly)
        return;
    for (int row = std::max(frameHeight - wb, 0); row < frameHeight; ++row)
        corners(row, windowHeight - frameHeight + row);
}

TRect CaptionTextRect(const TsFrameMetrics& metrics, const TsFormShape& shape, int buttonsWidth) {
    TRect r{metrics.IconWidth + metrics.FrameWidth + 4, metrics.FrameHeight,
            shape.WindowWidth - buttonsWidth - 6, metrics.CaptionHeight};
    return r;
}

TRect IconRect(const TsFrameMetrics& metrics) {
    const int top = (metrics.CaptionHeight + metrics.FrameHeight - metrics.IconHeight) / 2;
    return {metrics.FrameWidth, top, metrics.FrameWidth + metrics.IconWidth, top + metrics.IconHeight};
}
