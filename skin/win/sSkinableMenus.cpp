// Skinned pop-up menus on Windows: items measured and drawn on the menu's
// device context, the pop-up window's picture, region and window procedure.
#include "skin/sSkinableMenus.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sSkinHook.h"
#include "skin/win/sTextCanvasWin.h"
#include "skin/win/sWindowQueries.h"
#include "base/win/Handles.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace {

constexpr char PainterProperty[] = "KestovaMenuPainter";
constexpr char OldProcProperty[] = "KestovaMenuOldProc";
// Told to a pop-up window just before its outline is set.
constexpr unsigned scMenuOutline = 14;

HWND Hwnd(void* window) {
    return static_cast<HWND>(window);
}

const TMenuItem* FirstVisible(const TMenuItem& parent) {
    for (size_t i = 0; i < parent.Count(); ++i)
        if (parent.Items(i)->Visible)
            return parent.Items(i);
    return nullptr;
}

const TMenuItem* LastVisible(const TMenuItem& parent) {
    for (size_t i = parent.Count(); i-- > 0;)
        if (parent.Items(i)->Visible)
            return parent.Items(i);
    return nullptr;
}

// The next visible item after item starts a new column.
bool FollowedByBreak(const TMenuItem& item) {
    const TMenuItem* parent = item.Parent();
    if (!parent)
        return false;
    for (size_t i = size_t(item.MenuIndex()) + 1; i < parent->Count(); ++i)
        if (parent->Items(i)->Visible)
            return parent->Items(i)->Break != mbNone;
    return false;
}

// The pop-up window's own procedure while the painter draws it.
LRESULT CALLBACK MenuWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* painter = static_cast<TsSkinableMenus*>(GetPropA(window, PainterProperty));
    auto previous = reinterpret_cast<WNDPROC>(GetPropA(window, OldProcProperty));
    if (!previous)
        return DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // every pixel comes from the items and the border pieces
    case WM_NCPAINT: {
        if (WindowsBefore6())
            return 0;
        RECT r{};
        GetWindowRect(window, &r);
        const TsBitmap24* picture = painter ? painter->PopupPicture() : nullptr;
        if (picture && picture->Width == r.right - r.left && picture->Height == r.bottom - r.top)
            return 0;
        break;
    }
    case SM_SKINCOMMAND:
        if (CommandOf(wParam) == scMenuOutline)
            return 1;
        break;
    case WM_DESTROY:
        if (painter)
            painter->MenuWindowDestroyed(window);
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        RemovePropA(window, PainterProperty);
        RemovePropA(window, OldProcProperty);
        return CallWindowProcA(previous, window, message, wParam, lParam);
    default:
        break;
    }
    return CallWindowProcA(previous, window, message, wParam, lParam);
}

void ReplaceWindowProc(HWND window, TsSkinableMenus& painter) {
    if (GetPropA(window, OldProcProperty))
        return;
    SetPropA(window, PainterProperty, &painter);
    const LONG_PTR previous =
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MenuWindowProc));
    SetPropA(window, OldProcProperty, reinterpret_cast<HANDLE>(previous));
}

// Copies parts of the picture (same coordinates) onto the window's whole area.
void CopyParts(HWND window, const TsBitmap24& picture, const std::vector<TRect>& parts) {
    if (parts.empty())
        return;
    if (HDC dc = GetWindowDC(window)) {
        DrawBitmapParts(dc, picture, parts);
        ReleaseDC(window, dc);
    }
}

// The adapter the window hook attaches to a pop-up menu window.
class TsMenuWindowAdapter final : public TsWindowAdapter {
public:
    TsMenuWindowAdapter(TsSkinableMenus& painter, HWND window) : painter_(painter), window_(window) {
        painter_.MenuWindowCreated(window_);
    }
    ~TsMenuWindowAdapter() override { painter_.MenuWindowDestroyed(window_); }

private:
    TsSkinableMenus& painter_;
    HWND window_;
};

} // namespace

TsTextFont SystemMenuFont() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return TsTextFont{};
    return TextFontOf(metrics.lfMenuFont);
}

void TsSkinableMenus::IconSize(const TMenuItem& item, int& width, int& height) const {
    width = height = 16;
    BITMAP bitmap{};
    if (item.Bitmap && GetObjectA(static_cast<HBITMAP>(item.Bitmap), sizeof bitmap, &bitmap)) {
        width = MenuIconWidth(bitmap.bmWidth, 0);
        height = bitmap.bmHeight;
        return;
    }
    const TMenu* menu = item.GetParentMenu();
    int listWidth = 0, listHeight = 0;
    if (menu && menu->Images &&
        ImageList_GetIconSize(static_cast<HIMAGELIST>(menu->Images), &listWidth, &listHeight)) {
        width = MenuIconWidth(0, listWidth);
        height = listHeight;
    }
}

void TsSkinableMenus::MeasureItemOnDc(TMenuItem& item, void*, int& width, int& height) {
    TsBitmap24 scratch(1, 1);
    TsDibTextCanvas canvas(scratch);
    int iconWidth = 16, iconHeight = 16;
    IconSize(item, iconWidth, iconHeight);
    const TsMenuSize size = MeasureItem(item, canvas, iconWidth, iconHeight);
    width = size.Width;
    height = size.Height;
}

void TsSkinableMenus::MenuWindowCreated(void* window) {
    menuWindows_.push_back(window);
}

void TsSkinableMenus::MenuWindowDestroyed(void* window) {
    std::erase(menuWindows_, window);
    if (menuWindow_ == window) {
        menuWindow_ = nullptr;
        // The next pop-up builds its own picture and region.
        DropPopupPicture();
        popupFirst_ = nullptr;
        BorderDrawn = false;
    }
}

void TsSkinableMenus::DrawExtraLineText(TsBitmap24& picture, const TRect& strip) {
    if (extraLine_.Text.empty())
        return;
    TsDibTextCanvas canvas(picture);
    if (!canvas.Valid())
        return;
    const TsFontDesc& desc = owner_.MenuSupport.ExtraLineFont;
    // Running up the strip.
    UniqueFont font(CreateFontA(desc.Height, 0, -2700, -2700, desc.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, desc.Name.c_str()));
    HDC dc = canvas.Dc();
    SelectedObject selected(dc, font.Get());
    SIZE size{};
    GetTextExtentPoint32A(dc, extraLine_.Text.c_str(), static_cast<int>(extraLine_.Text.size()), &size);
    SetTextColor(dc, static_cast<COLORREF>(ToRGB(desc.Color)));
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    const int x = strip.Left + (strip.Width() - size.cy) / 2;
    const int y = strip.Top + (strip.Height() + size.cx) / 2;
    ExtTextOutA(dc, x, y, 0, nullptr, extraLine_.Text.c_str(), static_cast<UINT>(extraLine_.Text.size()),
                nullptr);
    canvas.Flush();
}

void TsSkinableMenus::BuildPopupPicture(void* window, int width, int height) {
    popupPicture_ = std::make_unique<TsBitmap24>(std::max(width, 1), std::max(height, 1));
    TsBitmap24& picture = *popupPicture_;
    TsSkinManager& manager = owner_;
    const int border = SkinBorderWidth();
    // A skin without the section still shows a plain menu.
    FillArea(picture, BoundsOf(picture), static_cast<TColor>(GetSysColor(COLOR_MENU)));
    ComposeItem(&picture, manager, manager.FindSection("MAINMENU"), "MAINMENU", {}, false, 0, {0, 0},
                BoundsOf(picture));
    const TsBackgroundDescriptor itself = TsBackgroundDescriptor::OfPicture(picture, 0, 0);
    int extra = 0;
    if (ExtraLineShown()) {
        extra = owner_.MenuSupport.ExtraLineWidth;
        const TRect strip = ExtraLineRect(picture.Height, border, extra);
        ComposeItem(&picture, manager, manager.FindSection(extraLine_.Section), extraLine_.Section, itself,
                    false, 0, {0, 0}, strip);
        if (extraLine_.Picture && !extraLine_.Picture->Empty()) {
            const TsBitmap24& glyph = *extraLine_.Picture;
            CopyKeyed(picture, glyph, strip.Left + (strip.Width() - glyph.Width) / 2,
                      picture.Height - 12 - glyph.Height, static_cast<uint32_t>(clNone));
        }
        DrawExtraLineText(picture, strip);
    }
    int iconWidth = 16, iconHeight = 16;
    if (popupFirst_)
        IconSize(*popupFirst_, iconWidth, iconHeight);
    const std::string& icoLine = owner_.MenuSupport.IcoLineSkin;
    ComposeItem(&picture, manager, manager.FindSection(icoLine), icoLine, itself, false, 0, {0, 0},
                IconColumnRect(picture.Width, picture.Height, border, extra, Margin, iconWidth, Spacing));
    OutlineRects = MenuOutlineRects(manager, picture.Width, picture.Height);

    HWND menuWindow = Hwnd(window);
    if (!menuWindow)
        return;
    ReplaceWindowProc(menuWindow, *this);
    if (BorderDrawn)
        return;
    BorderDrawn = true;
    if (SendMessageA(menuWindow, SM_SKINCOMMAND, SkinCommand(scSuspendPaint), 0) != 0)
        return;
    SendMessageA(menuWindow, SM_SKINCOMMAND, SkinCommand(scMenuOutline), 0);
    SetRegion(menuWindow);
    // The new outline repaints the window; input stays queued for the menu's own loop.
    MSG pending;
    while (PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT))
        DispatchMessageA(&pending);
}

void TsSkinableMenus::SetRegion(void* window) {
    RECT r{};
    GetWindowRect(Hwnd(window), &r);
    UniqueRegion region(CreateRectRgn(0, 0, r.right - r.left, r.bottom - r.top));
    for (const TRect& hole : MenuRegionCut(OutlineRects)) {
        UniqueRegion cut(CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom));
        CombineRgn(region.Get(), region.Get(), cut.Get(), RGN_DIFF);
    }
    // The window owns the region from here on.
    if (SetWindowRgn(Hwnd(window), region.Get(), TRUE))
        region.Release();
}

void TsSkinableMenus::DrawItem(TMenuItem& item, void* dcHandle, unsigned state, const TRect& r) {
    HDC dc = static_cast<HDC>(dcHandle);
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    TsSkinManager& manager = owner_;
    EnterPopup(item);
    HWND window = WindowFromDC(dc);
    if (!window || WindowClassOf(window) != "#32768")
        window = nullptr;
    menuWindow_ = window;

    // Where the client area lies in the window (the border of the window
    // itself), and the window's size.
    POINT offset{3, 3};
    int windowWidth = 0, windowHeight = 0;
    if (window) {
        RECT w{};
        GetWindowRect(window, &w);
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        offset = {origin.x - w.left, origin.y - w.top};
        windowWidth = w.right - w.left;
        windowHeight = w.bottom - w.top;
    } else if (item.Parent()) {
        TsBitmap24 scratch(1, 1);
        TsDibTextCanvas canvas(scratch);
        const TsMenuSize size = PopupSizeOf(*item.Parent(), canvas);
        windowWidth = size.Width;
        windowHeight = size.Height;
    }
    if (!popupPicture_)
        BuildPopupPicture(window, windowWidth, windowHeight);
    const TsBitmap24& popup = *popupPicture_;
    const int border = SkinBorderWidth();
    const bool extraShown = ExtraLineShown();
    const int extra = extraShown ? owner_.MenuSupport.ExtraLineWidth : 0;
    const TRect inWindow = OffsetRectBy(r, offset.x, offset.y);

    // The border beside the item, from the pop-up picture.
    std::vector<TRect> pieces;
    if (window) {
        const TMenuItem* parent = item.Parent();
        const bool first = parent && FirstVisible(*parent) == &item;
        const bool last = parent && LastVisible(*parent) == &item;
        pieces = MenuBorderPieces(popup.Width, popup.Height, inWindow, first, last,
                                  extra + std::max(border, BorderWidth));
    }

    const TsMenuItemKind kind = MenuItemKind(item.Caption);
    const bool enabled = item.Enabled && !(state & (odDisabled | odGrayed));
    const bool selected = (state & odSelected) != 0;
    const bool rightToLeft = item.GetParentMenu() && item.GetParentMenu()->RightToLeft;
    int iconWidth = 16, iconHeight = 16;
    IconSize(item, iconWidth, iconHeight);

    if (kind == mkSeparator || kind == mkHeader) {
        if (window)
            CopyParts(window, popup, pieces);
        TsBitmap24 picture(r.Width(), r.Height());
        CopyPicture(picture, {0, 0}, popup, inWindow);
        if (kind == mkSeparator) {
            int section = manager.FindSection("DIVIDERV");
            int mask = section >= 0
                           ? manager.FindMask(section, "DIVIDERV", "BORDERSMASK")
                           : manager.FindMask(manager.FindSection("TRACKBAR"), "TRACKBAR", "SLIDERCHANNEL");
            const TRect line = SeparatorRect(picture.Width, picture.Height, iconWidth, Margin, Spacing);
            if (mask >= 0) {
                DrawNinePiece(picture, line, true, true, 0, mask, manager,
                              TsBackgroundDescriptor::OfPicture(popup, inWindow.Left, inWindow.Top));
            } else {
                // The classic etched line.
                const int y = std::max(picture.Height / 2 - 1, 0);
                FillArea(picture, {line.Left, y, line.Right, y + 1}, 0x808080);
                FillArea(picture, {line.Left, y + 1, line.Right, y + 2}, clWhite);
            }
        } else {
            const int toolbar = manager.FindSection("TOOLBAR");
            ComposeItem(&picture, manager, toolbar, "TOOLBAR",
                        TsBackgroundDescriptor::OfPicture(popup, inWindow.Left, inWindow.Top), false, 0,
                        {0, 0}, TRect{1, 1, picture.Width - 1, picture.Height - 1});
            TsItemSkin skin = SectionItemSkin(manager, "TOOLBAR");
            skin.Font = CaptionFont;
            TsDibTextCanvas canvas(picture);
            WriteSkinText(canvas, HeaderText(item.Caption), true, false, skin,
                          tfCenter | tfVCenter | tfSingleLine | tfNoClip, BoundsOf(picture));
            canvas.Flush();
        }
        if (OnDrawItem)
            OnDrawItem(item, picture);
        DrawBitmap24(dc, r, picture, 0, 0);
        return;
    }

    // A normal item: its picture lies right of the extra line.
    const int skip = extraShown && FirstColumn(item) ? extra : 0;
    const TRect target{r.Left + skip, r.Top, r.Right, r.Bottom};
    if (target.Width() <= 0)
        return;
    const TRect targetInWindow = OffsetRectBy(target, offset.x, offset.y);
    if (window && (!item.Parent() || FollowedByBreak(item) || LastVisible(*item.Parent()) == &item)) {
        // Below the last item of a column down to the bottom margin, and the
        // gap before a new column, come from the pop-up picture.
        const int bottom = popup.Height - std::max(border, BorderWidth);
        if (bottom > targetInWindow.Bottom)
            pieces.push_back({inWindow.Left, inWindow.Bottom, inWindow.Right, bottom});
    }
    if (window && item.Break != mbNone)
        pieces.push_back({inWindow.Left - 4, inWindow.Top, inWindow.Left, inWindow.Bottom});
    if (window)
        CopyParts(window, popup, pieces);

    TsBitmap24 picture(target.Width(), target.Height());
    const TsBackgroundDescriptor under =
        TsBackgroundDescriptor::OfPicture(popup, targetInWindow.Left, targetInWindow.Top);
    PaintParentBackground(picture, BoundsOf(picture), under);
    const int itemState = selected && enabled ? 1 : 0;
    ComposeItem(&picture, manager, manager.FindSection("MENUITEM"), "MENUITEM", under, false, itemState,
                {0, 0}, BoundsOf(picture));
    if (item.Checked) {
        const int global = manager.FindSection("GLOBALINFO");
        int mask = manager.FindMask(global, "GLOBALINFO", item.RadioItem ? "RADIOCHECKED" : "CHECK");
        if (mask < 0)
            mask = manager.FindMask(global, "GLOBALINFO", "BOXCHECKED");
        if (mask >= 0) {
            const TsMaskData& glyph = manager.ma[size_t(mask)];
            const TsFrameSize f = MaskFrameSize(glyph);
            DrawMaskGlyph(picture, {Margin, (picture.Height - f.H) / 2}, itemState,
                          TsBackgroundDescriptor::OfPicture(picture, 0, 0), glyph, true);
        }
    }

    TsDibTextCanvas canvas(picture);
    if (canvas.Valid()) {
        // The item's bitmap, or its picture from the menu's images, in the icon column.
        const int iconTop = (picture.Height - iconHeight) / 2;
        const int iconLeft = rightToLeft ? picture.Width - Margin - iconWidth : Margin;
        const TMenu* menu = item.GetParentMenu();
        if (item.Bitmap) {
            UniqueMemoryDc source(CreateCompatibleDC(canvas.Dc()));
            SelectedObject bitmap(source.Get(), static_cast<HBITMAP>(item.Bitmap));
            BitBlt(canvas.Dc(), iconLeft, iconTop, iconWidth, iconHeight, source.Get(), 0, 0, SRCCOPY);
        } else if (menu && menu->Images && item.ImageIndex >= 0) {
            ImageList_Draw(static_cast<HIMAGELIST>(menu->Images), item.ImageIndex, canvas.Dc(), iconLeft,
                           iconTop, ILD_TRANSPARENT);
        }

        TsItemSkin skin = SectionItemSkin(manager, "MENUITEM");
        skin.Font = ItemFont(item);
        const bool hot = enabled && (selected || (state & odHotLight));
        unsigned flags = tfVCenter | tfSingleLine | tfExpandTabs | tfNoClip;
        if (state & odNoAccel)
            flags |= tfHidePrefix;
        if (rightToLeft)
            flags |= tfRtlReading;
        std::string text = item.Caption;
        if (!text.empty() && text[0] == '\b') {
            text = text.substr(1) + "      ";
            flags |= tfRight;
        } else {
            flags |= AlignmentFlags(Alignment);
        }
        const TRect textRect =
            MenuTextRect(picture.Width, picture.Height, iconWidth, Margin, Spacing, rightToLeft);
        WriteSkinText(canvas, text, enabled, hot, skin, flags, textRect);
        if (!item.ShortCut.empty()) {
            canvas.SetFont(skin.Font);
            const int width = canvas.TextExtent(item.ShortCut).Width;
            WriteSkinText(canvas, item.ShortCut, enabled, hot, skin, tfVCenter | tfSingleLine | tfNoClip,
                          ShortcutRect(picture.Width, picture.Height, width, rightToLeft));
        }
        canvas.Flush();
    }
    if (OnDrawItem)
        OnDrawItem(item, picture);
    if (!enabled)
        DisabledLook(picture, dkBlended, clNone, {0, 0}, under);
    DrawBitmap24(dc, target, picture, 0, 0);
}

void TsSkinableMenus::DrawLineItem(const std::string& caption, bool enabled, bool selected,
                                   TsBitmap24& target, const TRect& area, const TsBitmap24& line,
                                   TPoint lineOrigin) {
    const TRect r = IntersectRects(area, BoundsOf(target));
    if (r.Width() <= 0 || r.Height() <= 0)
        return;
    TsSkinManager& manager = owner_;
    // The item's place in the line's copy is its background.
    const TsBackgroundDescriptor under =
        TsBackgroundDescriptor::OfPicture(line, r.Left - lineOrigin.X, r.Top - lineOrigin.Y);
    TsBitmap24 picture(r.Width(), r.Height());
    CopyPicture(picture, {0, 0}, line,
                OffsetRectBy(BoundsOf(picture), r.Left - lineOrigin.X, r.Top - lineOrigin.Y));
    const int section = manager.FindSection("MENUITEM");
    const int itemState = selected && enabled ? 1 : 0;
    if (section >= 0)
        ComposeItem(&picture, manager, section, "MENUITEM", under, true, itemState, {}, BoundsOf(picture));
    TsDibTextCanvas canvas(picture);
    if (canvas.Valid()) {
        TsItemSkin skin = SectionItemSkin(manager, "MENUITEM");
        skin.Font = MenuFont ? *MenuFont : SystemMenuFont();
        WriteSkinText(canvas, caption, enabled, itemState != 0, skin, tfCenter | tfVCenter | tfSingleLine,
                      BoundsOf(picture));
        canvas.Flush();
    }
    if (!enabled)
        DisabledLook(picture, dkBlended, clNone, {0, 0}, under);
    CopyPicture(target, {r.Left, r.Top}, picture, BoundsOf(picture));
}

void InstallMenuAdapterFactory() {
    HookFactories().MakeMenuAdapter = [](HWND window, TsSkinManager& manager,
                                         const std::string&) -> std::unique_ptr<TsWindowAdapter> {
        return std::make_unique<TsMenuWindowAdapter>(manager.SkinableMenus(), window);
    };
}
