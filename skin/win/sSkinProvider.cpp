// The form-frame component on Windows: it stands in front of the form's
// window procedure, paints the non-client area and the client background
// from one picture of the window, and runs the caption bar's buttons and the
// system menu itself.
#include "skin/sSkinProvider.h"

#include "controls/Application.h"
#include "controls/win/WindowThunk.h"
#include "skin/sBlendGraph.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinableMenus.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sCtrlAdapter.h"
#include "skin/win/sSkinHook.h"
#include "skin/win/sTextCanvasWin.h"
#include "skin/win/sWindowQueries.h"

#include <windowsx.h>

#include <algorithm>

namespace {

const char kFrameProperty[] = "KestovaSkinProvider";
// One title button can be held at a time in the whole application.
bool g_buttonHeld = false;

HWND Hwnd(void* window) {
    return static_cast<HWND>(window);
}

LRESULT CALLBACK FrameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = static_cast<TsSkinProvider*>(GetPropA(window, kFrameProperty));
    if (!frame)
        return DefWindowProcA(window, message, wParam, lParam);
    return frame->FrameProc(message, wParam, lParam);
}

TsSystemMetrics SystemMetricsNow() {
    TsSystemMetrics m;
    m.FixedFrameX = GetSystemMetrics(SM_CXDLGFRAME);
    m.FixedFrameY = GetSystemMetrics(SM_CYDLGFRAME);
    m.SizingFrameX = GetSystemMetrics(SM_CXFRAME);
    m.SizingFrameY = GetSystemMetrics(SM_CYFRAME);
    m.Caption = GetSystemMetrics(SM_CYCAPTION);
    m.SmallCaption = GetSystemMetrics(SM_CYSMCAPTION);
    m.Menu = GetSystemMetrics(SM_CYMENU);
    return m;
}

// A mask's frame size; a mask with its own picture holds two rows (picture
// and transparency mask).
TsFrameSize FrameOf(const TsMaskData& mask) {
    if (mask.Image) {
        const int count = mask.ImageCount > 0 ? mask.ImageCount : 1;
        return {mask.Image->Width / count, mask.Image->Height / 2};
    }
    return MaskFrameSize(mask);
}

const TsMaskData* MaskAt(TsSkinManager* manager, int index) {
    if (!manager || index < 0 || size_t(index) >= manager->ma.size())
        return nullptr;
    return &manager->ma[size_t(index)];
}

// The caption font's height in the non-client metrics.
int CaptionFontHeight() {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return metrics.lfCaptionFont.lfHeight;
    return -11;
}

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(size_t(std::max(length, 0)) + 1, '\0');
    const int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(size_t(std::max(got, 0)));
    return text;
}

// Copies a part of the picture to the device context (window coordinates).
void CopyArea(HDC dc, const TsBitmap24& picture, const TRect& area) {
    if (area.Width() > 0 && area.Height() > 0)
        DrawBitmap24(dc, area, picture, area.Left, area.Top);
}

} // namespace

TsSkinProvider::TsSkinProvider(TCustomForm& form) : TComponent(&form), SkinData(this, true), form_(form) {
    SkinData.KindCode = 224;
    SkinData.FrameForm = &form;
    SkinData.SetSkinSection("FORM");
    SkinData.OnFrameRebuild = [this] { RebuildFrame(); };
    // A form is a window of its own on the screen: it lies outside no
    // parent (until command 22 says otherwise), so its controls need not
    // compose their pictures at every paint.
    SkinData.PartlyOutside = false;
    adapter_ = std::make_unique<TqzCtrlAdapter>(*this);
    if (form.HandleAllocated())
        AttachWindow();
}

TsSkinProvider::~TsSkinProvider() {
    adapter_.reset(); // the controls' windows back as they were
    if (outputWindow_)
        DestroyWindow(Hwnd(outputWindow_));
    HWND window = Hwnd(window_);
    if (attached_ && IsWindow(window)) {
        if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(FrameWindowProc))
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        RemovePropA(window, kFrameProperty);
        if (hadSysMenu_)
            SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_SYSMENU);
        SetWindowRgn(window, nullptr, FALSE);
    }
}

bool TsSkinProvider::ButtonHeld() {
    return g_buttonHeld;
}

void TsSkinProvider::AttachWindow() {
    if (attached_ || !form_.HandleAllocated())
        return;
    HWND window = Hwnd(form_.Handle());
    // A second frame component on the same form stays detached.
    if (GetPropA(window, kFrameProperty))
        return;
    SetPropA(window, kFrameProperty, this);
    window_ = window;
    oldProc_ = reinterpret_cast<void*>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameWindowProc)));
    attached_ = true;
    formActive_ = GetActiveWindow() == window || !IsWindowVisible(window);
    if (TsSkinManager* manager = SkinData.Manager(); manager && manager->Active() && !manager->gd.empty()) {
        bool handled = false;
        SkinCommand(::SkinCommand(scNewSkin), reinterpret_cast<TLParam>(manager), handled);
    }
}

bool TsSkinProvider::Skinned() const {
    return attached_ && SkinData.Skinned();
}

bool TsSkinProvider::Showing() const {
    return attached_ && IsWindowVisible(Hwnd(window_));
}

TsFormShape TsSkinProvider::Shape() const {
    TsFormShape shape;
    shape.BorderStyle = form_.BorderStyle();
    shape.BorderIcons = form_.BorderIcons();
    shape.BorderWidth = form_.BorderWidth();
    shape.MdiChild = form_.IsMDIChild();
    shape.ShowAppIcon = ShowAppIcon;
    shape.TitleIconWidth = TitleIcon.Width;
    shape.TitleIconHeight = TitleIcon.Height;
    HWND window = Hwnd(window_);
    if (!window)
        return shape;
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    shape.CaptionStyle = (style & WS_CAPTION) == WS_CAPTION;
    shape.Iconic = IsIconic(window);
    shape.Maximized = IsZoomed(window);
    RECT w{}, c{};
    GetWindowRect(window, &w);
    GetClientRect(window, &c);
    shape.WindowWidth = w.right - w.left;
    shape.WindowHeight = w.bottom - w.top;
    shape.ClientWidth = c.right;
    shape.ClientHeight = c.bottom;
    if (style & WS_VSCROLL)
        shape.VScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        shape.HScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
    shape.HasMainMenu = GetMenu(window) != nullptr;
    return shape;
}

TsFrameMetrics TsSkinProvider::Metrics() const {
    return FrameMetrics(Shape(), SystemMetricsNow());
}

TsSystemMenuState TsSkinProvider::MenuState() const {
    return SystemMenuState(Shape(), hadSysMenu_);
}

void TsSkinProvider::ChooseButtonMasks() {
    TsSkinManager* manager = SkinData.Manager();
    const int global = manager ? manager->Cached().GlobalInfo : -1;
    auto find = [&](const char* name) {
        return manager && global >= 0 ? manager->FindMask(global, "GLOBALINFO", name) : -1;
    };
    bool big = IsBigButtonForm(form_.BorderStyle());
    std::array<int, 4> masks{find("BICONCLOSE"), find("BICONMAX"), find("BICONMIN"), find("BICONHELP")};
    if (!big) {
        const int close = find("SICONCLOSE");
        if (close >= 0) {
            const int help = find("SICONHELP");
            masks = {close, find("SICONMAX"), find("SICONMIN"), help >= 0 ? help : find("BICONHELP")};
        } else {
            big = true; // no small set: the big one
        }
    }
    for (size_t i = 0; i < 4; ++i) {
        buttons_.System[i].MaskIndex = masks[i];
        buttons_.System[i].Big = big;
    }
    titleButtonMask_ = find("TITLEBUTTON");
    bigButtons_ = big;
}

void TsSkinProvider::PlaceButtons() {
    TsSkinManager* manager = SkinData.Manager();
    const TsFormShape shape = Shape();
    const TsFrameMetrics m = FrameMetrics(shape, SystemMetricsNow());
    const TsSystemMenuState menu = SystemMenuState(shape, hadSysMenu_);
    TsTitleButtonsInput in;
    in.Big = bigButtons_;
    std::array<int, 4> masks;
    for (size_t i = 0; i < 4; ++i)
        masks[i] = buttons_.System[i].MaskIndex;
    // While maximized or minimized the button that undoes it shows the "normal" face.
    auto normalFace = [&]() {
        const int global = manager ? manager->Cached().GlobalInfo : -1;
        int mask = manager && global >= 0 ? manager->FindMask(global, "GLOBALINFO", "BICONNORM") : -1;
        if (mask < 0 && manager && SkinData.SectionIndex >= 0)
            mask = manager->FindMask(SkinData.SectionIndex, SkinData.SkinSection(), "BICONNORM");
        return mask;
    };
    if (shape.Maximized)
        masks[sbMaximize] = normalFace();
    if (shape.Iconic)
        masks[sbMinimize] = normalFace();
    in.Visible[sbClose] = hadSysMenu_ && MaskAt(manager, masks[sbClose]) != nullptr;
    in.Visible[sbMaximize] = menu.Maximize.Visible;
    in.Visible[sbMinimize] = menu.Minimize.Visible;
    in.Visible[sbHelp] = hadSysMenu_ && (form_.BorderIcons() & biHelp) != 0;
    in.Enabled[sbMaximize] = menu.Maximize.Enabled || (shape.Maximized && menu.Restore.Enabled);
    in.Enabled[sbMinimize] = menu.Minimize.Enabled || (shape.Iconic && menu.Restore.Enabled);
    for (size_t i = 0; i < 4; ++i) {
        const TsMaskData* mask = MaskAt(manager, masks[i]);
        in.Widths[i] = mask ? FrameOf(*mask).W : 21;
    }
    const TsMaskData* closeMask = MaskAt(manager, masks[sbClose]);
    in.ButtonHeight = closeMask ? FrameOf(*closeMask).H : 21;
    const TsMaskData* extraMask = MaskAt(manager, titleButtonMask_);
    for (const auto& button : TitleButtons) {
        const int glyphWidth = button->Glyph ? button->Glyph->Width : 0;
        in.ExtraWidths.push_back(ExtraButtonWidth(glyphWidth, extraMask ? FrameOf(*extraMask).W : 0));
        in.ExtraEnabled.push_back(button->Enabled);
    }
    if (manager) {
        in.Spacing = manager->SkinData.TitleButtonSpacing;
        in.VOffset = manager->SkinData.TitleButtonVOffset;
    }
    TsTitleButtons placed = PlaceTitleButtons(m, shape, in);
    for (size_t i = 0; i < 4; ++i) {
        placed.System[i].State = buttons_.System[i].State;
        placed.System[i].MaskIndex = masks[i];
    }
    for (size_t i = 0; i < placed.Extra.size() && i < TitleButtons.size(); ++i) {
        placed.Extra[i].State = TitleButtons[i]->Info.State;
        placed.Extra[i].MaskIndex = titleButtonMask_;
        TitleButtons[i]->Info = placed.Extra[i];
    }
    // The chosen masks stay; only the faces shown now change.
    std::array<int, 4> chosen;
    for (size_t i = 0; i < 4; ++i)
        chosen[i] = buttons_.System[i].MaskIndex;
    buttons_ = std::move(placed);
    for (size_t i = 0; i < 4; ++i) {
        shownMasks_[i] = buttons_.System[i].MaskIndex;
        buttons_.System[i].MaskIndex = chosen[i];
    }
}

void TsSkinProvider::SetFormColor() {
    if (!UseGlobalColor || SkinData.CustomColor() || form_.Loading() || form_.Destroying())
        return;
    if (TsSkinManager* manager = SkinData.Manager())
        form_.SetColor(manager->GlobalBackColor());
}

void TsSkinProvider::StartSkinning() {
    HWND window = Hwnd(window_);
    TsSkinManager* manager = SkinData.Manager();
    const bool active = manager && manager->Active();
    if (window) {
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        if ((style & WS_SYSMENU) || hadSysMenu_) {
            if (active) {
                SetWindowLongPtrA(window, GWL_STYLE, style & ~LONG_PTR(WS_SYSMENU));
                hadSysMenu_ = true;
            } else {
                if (hadSysMenu_)
                    SetWindowLongPtrA(window, GWL_STYLE, style | WS_SYSMENU);
                hadSysMenu_ = false;
            }
        }
    }
    menuMade_ = true;
    SkinData.UpdateIndexes();
    ChooseButtonMasks();
    SetFormColor();
}

void TsSkinProvider::MarkStale() {
    SkinData.CacheStale = true;
}

void TsSkinProvider::RebuildFrame() {
    fullRepaint_ = true;
    regionStale_ = true;
    MarkStale();
    if (Showing())
        RepaintFrameNow();
}

void TsSkinProvider::RepaintFrameNow() {
    HWND window = Hwnd(window_);
    if (window)
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

void TsSkinProvider::BuildFrameCache() {
    HWND window = Hwnd(window_);
    TsSkinManager* manager = SkinData.Manager();
    if (!Skinned() || !window || !manager)
        return;
    const TsFormShape shape = Shape();
    const TsFrameMetrics m = FrameMetrics(shape, SystemMetricsNow());
    const int width = shape.WindowWidth;
    const int height = shape.Iconic ? m.FrameHeight + m.CaptionHeight + 1 : shape.WindowHeight;
    if (width <= 0 || height <= 0)
        return;
    PlaceButtons();
    TsBitmap24& picture = SkinData.EnsureCache();
    const bool sameSize = picture.Width == width && picture.Height == height;
    if (!sameSize)
        picture = TsBitmap24(width, height);

    const TsMaskData* frameMask = MaskAt(manager, SkinData.FrameMaskIndex);
    const bool singleState = !frameMask || frameMask->ImageCount <= 1;
    const int state = formActive_ ? 1 : 0;
    const int titleHeight = m.FrameHeight + m.CaptionHeight;
    if (!fullRepaint_ && singleState && titleStrip_ && titleStrip_->Width == width && sameSize &&
        m.CaptionHeight > 0) {
        // Only the caption bar changes: the frame's top comes from the strip.
        CopyPicture(picture, {0, 0}, *titleStrip_, BoundsOf(*titleStrip_));
        ComposeCaptionBar(m, TsBackgroundDescriptor::OfPicture(*titleStrip_, 0, 0), true);
    } else {
        const TRect whole = BoundsOf(picture);
        if (form_.BorderStyle() == bsNone)
            ComposeBackground(picture, *manager, SkinData.SectionIndex, SkinData.SkinSection(), {}, clNone,
                              SkinData.HotTextureMask, SkinData.TextureMask, {}, whole, state);
        else
            ComposeItem(&picture, *manager, SkinData.SectionIndex, SkinData.SkinSection(), {}, true, state,
                        {}, whole);
        if (GripMode == gmRightBottom) {
            const int global = manager->Cached().GlobalInfo;
            if (const TsMaskData* grip =
                    MaskAt(manager, manager->FindMask(global, "GLOBALINFO", "GRIPIMAGE"))) {
                const TsFrameSize g = FrameOf(*grip);
                const TPoint at{m.ClientOrigin.X + shape.ClientWidth - g.W,
                                m.ClientOrigin.Y + shape.ClientHeight - g.H};
                DrawMaskGlyph(picture, at, 0, TsBackgroundDescriptor::OfPicture(picture, 0, 0), *grip, true);
            }
        }
        if (singleState && (!titleStrip_ || titleStrip_->Width != width) && titleHeight > 0 &&
            titleHeight <= height) {
            titleStrip_ = std::make_unique<TsBitmap24>(width, titleHeight);
            CopyPicture(*titleStrip_, {0, 0}, picture, {0, 0, width, titleHeight});
        }
        ComposeCaptionBar(m, TsBackgroundDescriptor::OfPicture(picture, m.ClientOrigin.X, m.ClientOrigin.Y),
                          false);
    }
    PaintFormIntoPicture(m);
    fullRepaint_ = false;
    screenStale_ = true;
    SkinData.CacheRebuilt();
}

void TsSkinProvider::ComposeMenuLine(const TsFrameMetrics& m, bool reused) {
    HWND window = Hwnd(window_);
    HMENU bar = window ? GetMenu(window) : nullptr;
    TsSkinManager* manager = SkinData.Manager();
    TsBitmap24& picture = *SkinData.Cache;
    const TRect area{m.FrameWidth, m.FrameHeight + m.CaptionHeight, picture.Width - m.FrameWidth,
                     std::min(m.TopHeight, picture.Height)};
    if (!bar || !manager || m.MenuHeight <= 0 || area.Width() <= 0 || area.Height() <= 0) {
        menuLine_.reset();
        menuLineArea_ = {};
        return;
    }
    if (reused && menuLine_ && menuLineArea_ == area) {
        // The caption bar alone is redrawn: the line is the one composed before.
        CopyPicture(picture, {area.Left, area.Top}, *menuLine_, BoundsOf(*menuLine_));
    } else {
        std::string name = MenuLineSkin;
        int section = name.empty() ? -1 : manager->FindSection(name);
        if (section < 0) {
            name = "MENULINE";
            section = manager->FindSection(name);
        }
        if (section >= 0)
            ComposeItem(&picture, *manager, section, name, TsBackgroundDescriptor::OfPicture(picture, 0, 0),
                        true, 0, {}, area);
        menuLine_ = std::make_unique<TsBitmap24>(area.Width(), area.Height());
        CopyPicture(*menuLine_, {0, 0}, picture, area);
        menuLineArea_ = area;
    }
    const int count = GetMenuItemCount(bar);
    for (int i = 0; i < count; ++i)
        DrawMenuLineItem(static_cast<unsigned>(i), false);
}

bool TsSkinProvider::DrawMenuLineItem(unsigned index, bool selected, TRect* drawn) {
    HWND window = Hwnd(window_);
    HMENU bar = window ? GetMenu(window) : nullptr;
    TsSkinManager* manager = SkinData.Manager();
    if (!bar || !manager || !menuLine_ || !SkinData.Cache)
        return false;
    RECT screen{};
    RECT outer{};
    if (!GetMenuItemRect(window, bar, index, &screen) || !GetWindowRect(window, &outer))
        return false;
    const TRect r{screen.left - outer.left, screen.top - outer.top, screen.right - outer.left,
                  screen.bottom - outer.top};
    char text[256] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_DATA | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = sizeof text - 1;
    if (!GetMenuItemInfoA(bar, index, TRUE, &info))
        return false;
    std::string caption = text;
    bool enabled = (info.fState & (MFS_DISABLED | MFS_GRAYED)) == 0;
    if (const TMenuItem* item = LiveMenuItem(info.dwItemData)) {
        caption = item->Caption;
        enabled = item->Enabled;
    }
    // Each item paints itself into the line, over the line's copy.
    const TRect inLine = IntersectRects(r, menuLineArea_);
    if (drawn)
        *drawn = inLine;
    manager->SkinableMenus().DrawLineItem(caption, enabled, selected, *SkinData.Cache, inLine, *menuLine_,
                                          {menuLineArea_.Left, menuLineArea_.Top});
    screenStale_ = true;
    return true;
}

void TsSkinProvider::PaintFormIntoPicture(const TsFrameMetrics& m) {
    if (!form_.OnPaint || !SkinData.Cache || SkinData.Cache->Empty())
        return;
    TsDibTextCanvas canvas(*SkinData.Cache);
    if (!canvas.Valid())
        return;
    // The form paints as on its client area: the origin moves to where the
    // client lies in the window picture.
    SetViewportOrgEx(canvas.Dc(), m.ClientOrigin.X, m.ClientOrigin.Y, nullptr);
    form_.OnPaint(form_, canvas.Dc());
    SetViewportOrgEx(canvas.Dc(), 0, 0, nullptr);
    canvas.Flush();
}

void TsSkinProvider::ComposeCaptionBar(const TsFrameMetrics& m, const TsBackgroundDescriptor& titleBackground,
                                       bool captionOnly) {
    TsSkinManager* manager = SkinData.Manager();
    TsBitmap24& picture = *SkinData.Cache;
    const TsFormShape shape = Shape();
    const int state = formActive_ ? 1 : 0;
    const int width = picture.Width;
    const int titleHeight = m.FrameHeight + m.CaptionHeight;
    const std::string titleName = TitleSkin.empty() ? "FORMTITLE" : TitleSkin;
    const int title = m.CaptionHeight > 0 ? manager->FindSection(titleName) : -1;
    if (title >= 0) {
        const TRect bar =
            shape.Iconic ? BoundsOf(picture) : TRect{0, 0, width, std::min(titleHeight, picture.Height)};
        ComposeItem(&picture, *manager, title, titleName, titleBackground, true, state, {}, bar);
    }
    DrawIcon(picture, m);

    const bool anySystemButton = std::any_of(buttons_.System.begin(), buttons_.System.end(),
                                             [](const TitleButtonInfo& b) { return b.Visible; });
    const int titleBar = manager->FindMask(SkinData.SectionIndex, SkinData.SkinSection(), "TITLEBAR");
    if (anySystemButton && titleBar >= 0) {
        const TsMaskData& mask = manager->ma[size_t(titleBar)];
        const int count = mask.ImageCount > 0 ? mask.ImageCount : 1;
        const int ends = mask.Image ? 2 * (mask.Image->Width / 9) : 2 * (mask.R.Width() / (count * 3));
        const int w = ends + buttons_.ButtonsWidth;
        DrawNinePiece(picture, {width - w, 0, width, titleHeight}, true, true, state, titleBar, *manager,
                      TsBackgroundDescriptor::OfPicture(picture, 0, 0));
    }
    ComposeMenuLine(m, captionOnly);
    if (m.CaptionHeight <= 0)
        return;

    // The strip under the buttons, for redrawing one button alone.
    const int stripWidth = std::min(buttons_.ButtonsWidth + m.FrameWidth + 10, width);
    buttonStripArea_ = {width - stripWidth, 0, width, std::min(m.TopHeight, picture.Height)};
    buttonStrip_ = std::make_unique<TsBitmap24>(buttonStripArea_.Width(), buttonStripArea_.Height());
    CopyPicture(*buttonStrip_, {0, 0}, picture, buttonStripArea_);
    for (size_t i = 0; i < 4; ++i)
        if (buttons_.System[i].Visible)
            DrawTitleButton(picture, buttons_.System[i], nullptr, false);
    for (size_t i = 0; i < TitleButtons.size(); ++i)
        DrawTitleButton(picture, TitleButtons[i]->Info, TitleButtons[i]->Glyph.get(), false);

    TRect text = CaptionTextRect(m, shape, buttons_.ButtonsWidth);
    if (text.Width() <= 0 || text.Height() <= 0)
        return;
    const std::string caption = WindowText(Hwnd(window_));
    TsItemSkin skin = SectionItemSkin(*manager, titleName);
    skin.Font.Name = form_.Font().Name;
    skin.Font.Height = CaptionFontHeight();
    skin.Font.Bold = true;
    // The text is drawn on a copy of the caption bar alone, not on the whole window.
    const int barHeight = std::min(text.Bottom + 2, picture.Height);
    TsBitmap24 bar(picture.Width, barHeight);
    CopyPicture(bar, {0, 0}, picture, BoundsOf(bar));
    WriteCaption(bar, caption, text, skin, title);
    CopyPicture(picture, {0, 0}, bar, BoundsOf(bar));
}

void TsSkinProvider::WriteCaption(TsBitmap24& bar, const std::string& caption, TRect text,
                                  const TsItemSkin& skin, int title) {
    TsSkinManager* manager = SkinData.Manager();
    TsDibTextCanvas canvas(bar);
    canvas.SetFont(skin.Font);
    const int textHeight = canvas.TextExtent(caption.empty() ? " " : caption).Height;
    text.Top += (text.Height() - textHeight) / 2;
    text.Bottom = text.Top + textHeight;
    const unsigned flags =
        AlignmentFlags(CaptionAlignment) | tfVCenter | tfSingleLine | tfNoPrefix | tfEndEllipsis;
    if (IsWindowEnabled(Hwnd(window_)) || title < 0) {
        if (title >= 0)
            WriteSkinText(canvas, caption, true, formActive_, skin, flags, text);
        else
            canvas.PutText(caption, text, flags, TsSkinManager::ColorToRGB(form_.Font().Color));
    } else {
        const TsGeneralData& section = manager->gd[size_t(title)];
        canvas.PutText(caption, text, flags, MixColors(section.FontColor[0], section.Color, 0.4));
    }
}

void TsSkinProvider::DrawIcon(TsBitmap24& picture, const TsFrameMetrics& m) {
    if (m.IconWidth <= 0 || m.IconHeight <= 0)
        return;
    const TRect r = IconRect(m);
    if (TitleIcon.Glyph && !TitleIcon.Glyph->Empty()) {
        int w = TitleIcon.Width, h = TitleIcon.Height;
        if (w == 0)
            w = h = IconSizeClass(m.TopHeight - 2);
        if (w <= 0 || h <= 0)
            return;
        // Stretched into place with the key colour left out.
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const int px = r.Left + x, py = r.Top + y;
                if (px < 0 || py < 0 || px >= picture.Width || py >= picture.Height)
                    continue;
                const uint32_t c =
                    TitleIcon.Glyph->Pixel(x * TitleIcon.Glyph->Width / w, y * TitleIcon.Glyph->Height / h);
                if (c != static_cast<uint32_t>(clNone))
                    picture.SetPixel(px, py, c);
            }
        return;
    }
    HWND window = Hwnd(window_);
    HICON icon = reinterpret_cast<HICON>(SendMessageA(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON));
    if (!icon)
        icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!icon)
        icon = LoadIconA(nullptr, IDI_APPLICATION);
    TsBitmap24 place(r.Width(), r.Height());
    CopyPicture(place, {0, 0}, picture, r);
    {
        TsDibTextCanvas canvas(place);
        if (canvas.Valid())
            DrawIconEx(canvas.Dc(), 0, 0, icon, r.Width(), r.Height(), 0, nullptr, DI_NORMAL);
    }
    CopyPicture(picture, {r.Left, r.Top}, place, BoundsOf(place));
}

void TsSkinProvider::DrawTitleButton(TsBitmap24& picture, TitleButtonInfo& button, const TsBitmap24* glyph,
                                     bool single) {
    TsSkinManager* manager = SkinData.Manager();
    const bool system = &button >= &buttons_.System[0] && &button <= &buttons_.System[3];
    int maskIndex = button.MaskIndex;
    if (system)
        maskIndex = shownMasks_[size_t(&button - &buttons_.System[0])];
    bool faded;
    if (!single)
        faded = !formActive_ || !button.Enabled;
    else if (system)
        faded = !button.Enabled || (button.State == 0 && !formActive_);
    else
        faded = button.State == 0 && !formActive_;
    const TsBackgroundDescriptor background = TsBackgroundDescriptor::OfPicture(picture, 0, 0);
    if (const TsMaskData* mask = MaskAt(manager, maskIndex))
        DrawMaskGlyph(picture, {button.Rect.Left, button.Rect.Top}, button.State, background, *mask, !faded);
    if (glyph && !glyph->Empty()) {
        const int shift = button.State == 2 ? 1 : 0;
        const int left = button.Rect.Left + (button.Rect.Width() - glyph->Width) / 2 + shift;
        const int top = button.Rect.Top + (button.Rect.Height() - glyph->Height) / 2 + shift;
        const uint32_t key = glyph->Pixel(0, glyph->Height - 1);
        for (int y = 0; y < glyph->Height; ++y)
            for (int x = 0; x < glyph->Width; ++x) {
                const int px = left + x, py = top + y;
                const uint32_t c = glyph->Pixel(x, y);
                if (c != key && px >= 0 && py >= 0 && px < picture.Width && py < picture.Height)
                    picture.SetPixel(px, py, c);
            }
    }
}

TitleButtonInfo* TsSkinProvider::ButtonOf(int code) {
    switch (code) {
    case htClose:
        return &buttons_.System[sbClose];
    case htMaxButton:
        return &buttons_.System[sbMaximize];
    case htMinButton:
        return &buttons_.System[sbMinimize];
    case htHelp:
        return &buttons_.System[sbHelp];
    default:
        if (code >= htExtraButton && size_t(code - htExtraButton) < TitleButtons.size())
            return &TitleButtons[size_t(code - htExtraButton)]->Info;
        return nullptr;
    }
}

const TsBitmap24* TsSkinProvider::GlyphOf(int code) const {
    if (code >= htExtraButton && size_t(code - htExtraButton) < TitleButtons.size())
        return TitleButtons[size_t(code - htExtraButton)]->Glyph.get();
    return nullptr;
}

void TsSkinProvider::RepaintButton(int code) {
    TitleButtonInfo* button = ButtonOf(code);
    if (!button || !Skinned() || !SkinData.Cache || SkinData.Cache->Empty() || !buttonStrip_)
        return;
    TsBitmap24& picture = *SkinData.Cache;
    // The saved caption bar under the button, then its face in its state.
    const TRect& r = button->Rect;
    const TRect from{r.Left - buttonStripArea_.Left, r.Top - buttonStripArea_.Top,
                     r.Right - buttonStripArea_.Left, r.Bottom - buttonStripArea_.Top};
    CopyPicture(picture, {r.Left, r.Top}, *buttonStrip_, from);
    DrawTitleButton(picture, *button, GlyphOf(code), true);
    if (screen_ && !screenStale_)
        screen_->UpdateArea(picture, r);
    if (HDC dc = GetWindowDC(Hwnd(window_))) {
        CopyToWindow(dc, r, r.Left, r.Top);
        ReleaseDC(Hwnd(window_), dc);
    }
}

void TsSkinProvider::SetButtonState(int code, int state) {
    if (code != hotHitCode_)
        if (TitleButtonInfo* old = ButtonOf(hotHitCode_)) {
            old->State = 0;
            RepaintButton(hotHitCode_);
        }
    if (TitleButtonInfo* now = ButtonOf(code)) {
        now->State = state;
        hotHitCode_ = code;
        RepaintButton(code);
    } else {
        hotHitCode_ = 0;
    }
    g_buttonHeld = state == 2 && hotHitCode_ != 0;
}

void TsSkinProvider::SetHotButton(int code) {
    if (code != hotHitCode_)
        SetButtonState(code, 1);
}

void TsSkinProvider::PressButton(int code) {
    const TsSystemMenuState menu = MenuState();
    if (code == htMaxButton && !menu.Maximize.Enabled && !menu.Restore.Enabled)
        return;
    if (ButtonOf(code))
        SetButtonState(code, 2);
}

void TsSkinProvider::AllButtonsNormal() {
    SetHotButton(0);
}

int TsSkinProvider::HitTestTitle(TPoint p) {
    const TsFormShape shape = Shape();
    const TsFrameMetrics m = FrameMetrics(shape, SystemMetricsNow());
    if (m.CaptionHeight <= 0)
        return htNowhere;
    if (buttons_.ButtonHeight <= 0 || SkinData.CacheStale)
        PlaceButtons();
    return ::HitTestTitle(p, m, buttons_, SystemMenuState(shape, hadSysMenu_), shape);
}

bool TsSkinProvider::InGrip(TPoint p) const {
    TsSkinManager* manager = SkinData.Manager();
    if (!manager)
        return false;
    const TsMaskData* grip =
        MaskAt(manager, manager->FindMask(manager->Cached().GlobalInfo, "GLOBALINFO", "GRIPIMAGE"));
    if (!grip)
        return false;
    const TsFormShape shape = Shape();
    const TsFrameMetrics m = FrameMetrics(shape, SystemMetricsNow());
    const TsFrameSize g = FrameOf(*grip);
    const int right = m.ClientOrigin.X + shape.ClientWidth, bottom = m.ClientOrigin.Y + shape.ClientHeight;
    return p.X >= right - g.W && p.X < right && p.Y >= bottom - g.H && p.Y < bottom;
}

void TsSkinProvider::UpdateRegion() {
    HWND window = Hwnd(window_);
    TsSkinManager* manager = SkinData.Manager();
    if (!window || !manager)
        return;
    const TsFormShape shape = Shape();
    if (!(shape.BorderStyle != bsNone || shape.Iconic))
        return;
    regionHoles_.clear();
    CollectRegionHoles(regionHoles_, *manager, SkinData.FrameMaskIndex, shape.WindowWidth, shape.WindowHeight,
                       false);
    const std::string titleName = TitleSkin.empty() ? "FORMTITLE" : TitleSkin;
    const int title = manager->FindSection(titleName);
    if (title >= 0)
        CollectRegionHoles(regionHoles_, *manager, manager->FindMask(title, titleName, "BORDERSMASK"),
                           shape.WindowWidth, shape.WindowHeight, true);
    regionStale_ = false;
    HRGN region = CreateRectRgn(0, 0, shape.WindowWidth, shape.WindowHeight);
    for (const TRect& hole : regionHoles_) {
        HRGN cut = CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom);
        CombineRgn(region, region, cut, RGN_DIFF);
        DeleteObject(cut);
    }
    const bool repaintNow = !IsWindowVisible(window) || shape.Maximized;
    applyingRegion_ = true;
    // The window owns the region from here on.
    SetWindowRgn(window, region, repaintNow);
    applyingRegion_ = false;
    regionStale_ = true;
}

void TsSkinProvider::PaintNonClient(void* deviceContext) {
    HDC dc = static_cast<HDC>(deviceContext);
    if (!Skinned() || !dc)
        return;
    if (SkinData.CacheStale || !SkinData.Cache || SkinData.Cache->Empty())
        BuildFrameCache();
    if (!SkinData.Cache || SkinData.Cache->Empty())
        return;
    const TsBitmap24& picture = *SkinData.Cache;
    const TsFormShape shape = Shape();
    const TsFrameMetrics m = FrameMetrics(shape, SystemMetricsNow());
    const int w = shape.WindowWidth, h = shape.Iconic ? picture.Height : shape.WindowHeight;
    const int side = m.FrameWidth + shape.BorderWidth;
    const int bottom = m.FrameHeight + shape.BorderWidth;
    const TRect strips[] = {{0, 0, w, m.TopHeight},
                            {0, m.TopHeight, side, h},
                            {w - side, m.TopHeight, w, h},
                            {side, h - bottom, w - side, h}};
    for (const TRect& strip : strips)
        CopyToWindow(dc, strip, strip.Left, strip.Top);
}

void TsSkinProvider::CopyToWindow(void* deviceContext, const TRect& area, int x, int y) {
    HDC dc = static_cast<HDC>(deviceContext);
    if (!SkinData.Cache || SkinData.Cache->Empty() || area.Width() <= 0 || area.Height() <= 0)
        return;
    if (!screen_)
        screen_ = std::make_unique<TsScreenPicture>();
    if (screenStale_ || !screen_->Fits(*SkinData.Cache)) {
        screen_->Update(dc, *SkinData.Cache);
        screenStale_ = false;
    }
    if (screen_->Fits(*SkinData.Cache))
        screen_->Paint(dc, area, x, y);
    else
        DrawBitmap24(dc, area, *SkinData.Cache, x, y);
}

void TsSkinProvider::PaintClientBackground(void* deviceContext) {
    HDC dc = static_cast<HDC>(deviceContext);
    HWND window = Hwnd(window_);
    RECT client{};
    GetClientRect(window, &client);
    if (!Skinned()) {
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(TsSkinManager::ColorToRGB(form_.Color())));
        FillRect(dc, &client, brush);
        DeleteObject(brush);
        return;
    }
    if (SkinData.CacheStale || !SkinData.Cache || SkinData.Cache->Empty())
        BuildFrameCache();
    if (!SkinData.Cache)
        return;
    const TsFrameMetrics m = Metrics();
    // Children that paint themselves are left out.
    const int saved = SaveDC(dc);
    for (size_t i = 0; i < form_.ControlCount(); ++i) {
        TWinControl* child = form_.Controls(i)->AsWinControl();
        if (child && child->Visible() && child->HandleAllocated() && IsWindowVisible(Hwnd(child->Handle()))) {
            const TBounds& b = child->BoundsRect();
            ExcludeClipRect(dc, b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
        }
    }
    CopyToWindow(dc, {0, 0, client.right, client.bottom}, m.ClientOrigin.X, m.ClientOrigin.Y);
    RestoreDC(dc, saved);
    // The form's graphic controls over it.
    form_.PaintControls(dc);
}

void* TsSkinProvider::SystemMenuHandle() {
    if (!systemMenu_) {
        systemMenu_ = new TPopupMenu(this);
        systemMenu_->SetName("SystemMenu");
    }
    TMenuItem& root = systemMenu_->Items();
    while (root.Count() > 0)
        delete root.Items(root.Count() - 1);
    const TsSystemMenuState s = MenuState();
    struct Item {
        const TsMenuItemState& state;
        UINT command;
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {{s.Restore, SC_RESTORE, "ItemRestore", "Restore", ""},
                          {s.Move, SC_MOVE, "ItemMove", "Move", ""},
                          {s.Size, SC_SIZE, "ItemSize", "Size", ""},
                          {s.Minimize, SC_MINIMIZE, "ItemMinimize", "Minimize", ""},
                          {s.Maximize, SC_MAXIMIZE, "ItemMaximize", "Maximize", ""},
                          {s.Close, 0, "", "-", ""},
                          {s.Close, SC_CLOSE, "ItemClose", "Close", "Alt+F4"}};
    for (const Item& item : items) {
        TMenuItem* added = root.Add(item.caption);
        added->SetName(item.name);
        if (item.command)
            added->SetCommand(item.command);
        added->ShortCut = item.shortcut;
        added->Visible = item.state.Visible;
        added->Enabled = item.state.Enabled || added->IsLine();
    }
    // Drawn from the skin when the manager draws pop-ups.
    if (TsSkinManager* manager = SkinData.Manager(); manager && manager->SkinnedPopups)
        manager->SkinableMenus().SetOwnerDraw(*systemMenu_, manager->SkinData.Active);
    systemMenu_->Rebuild();
    return systemMenu_->Handle();
}

void TsSkinProvider::ShowSystemMenu(int x, int y) {
    HWND window = Hwnd(window_);
    HMENU menu = static_cast<HMENU>(SystemMenuHandle());
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, window, nullptr));
    if (command != 0)
        RunSystemCommand(command);
}

void TsSkinProvider::MinimizeForm() {
    HWND window = Hwnd(window_);
    if (IsIconic(window)) {
        // On a minimised form the button shows the restore face, and restores.
        SendMessageA(window, WM_SYSCOMMAND, SC_RESTORE, 0);
    } else if (form_.IsMainForm()) {
        // The main form takes the whole application down with it: the
        // windows it owns are hidden with it by the system.
        ShowWindow(window, SW_MINIMIZE);
    } else {
        SendMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    }
    MarkStale();
}

void TsSkinProvider::RunSystemCommand(unsigned command) {
    HWND window = Hwnd(window_);
    if (command == SC_MINIMIZE)
        MinimizeForm();
    else
        SendMessageA(window, WM_SYSCOMMAND, command, 0);
}

namespace {

const char kOutputWindowClass[] = "TOutputWindow";

// The output window paints the picture it is given (its user data).
LRESULT CALLBACK OutputWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (auto* picture = reinterpret_cast<const TsBitmap24*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
            DrawBitmap24(dc, {0, 0, picture->Width, picture->Height}, *picture, 0, 0);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

HWND MakeOutputWindow(const RECT& at) {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = OutputWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kOutputWindowClass;
        return RegisterClassA(&windowClass) != 0;
    }();
    if (!registered)
        return nullptr;
    return CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kOutputWindowClass, "", WS_POPUP, at.left,
                           at.top, at.right - at.left, at.bottom - at.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Every visible child window of the control printed into dc at its place.
void PrintChildWindows(TWinControl& parent, HDC dc, int x, int y) {
    for (size_t i = 0; i < parent.ControlCount(); ++i) {
        TWinControl* child = parent.Controls(i)->AsWinControl();
        if (!child || !child->Visible() || !child->HandleAllocated())
            continue;
        HWND window = static_cast<HWND>(child->Handle());
        if (!(GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE))
            continue;
        const int left = x + child->Left(), top = y + child->Top();
        const int saved = SaveDC(dc);
        SetViewportOrgEx(dc, left, top, nullptr);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        RestoreDC(dc, saved);
        PrintChildWindows(*child, dc, left, top);
    }
}

} // namespace

TsBitmap24 TsSkinProvider::FormPicture() {
    HWND window = Hwnd(window_);
    if (SkinData.CacheStale || !SkinData.Cache || SkinData.Cache->Empty())
        BuildFrameCache();
    if (!window || !SkinData.Cache || SkinData.Cache->Empty())
        return {};
    const TsBitmap24& frame = *SkinData.Cache;
    HDC screen = GetDC(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen));
    UniqueBitmap bitmap(CreateCompatibleBitmap(screen, frame.Width, frame.Height));
    ReleaseDC(nullptr, screen);
    if (!memory || !bitmap)
        return frame;
    const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
    DrawBitmap24(memory.Get(), BoundsOf(frame), frame, 0, 0);
    const TsFrameMetrics m = Metrics();
    const int saved = SaveDC(memory.Get());
    SetViewportOrgEx(memory.Get(), m.ClientOrigin.X, m.ClientOrigin.Y, nullptr);
    PaintClientBackground(memory.Get());
    RestoreDC(memory.Get(), saved);
    PrintChildWindows(form_, memory.Get(), m.ClientOrigin.X, m.ClientOrigin.Y);
    TsBitmap24 picture = PictureOfArea(memory.Get(), BoundsOf(frame));
    SelectObject(memory.Get(), previous);
    return picture;
}

void TsSkinProvider::AnimateShow() {
    lastShowSteps_ = 0;
    TsSkinManager* manager = SkinData.Manager();
    if (!manager || !Skinned() || outputWindow_)
        return;
    const TqzAnimEffect& effect =
        form_.BorderStyle() == bsDialog ? manager->AnimEffects.DialogShow : manager->AnimEffects.FormShow;
    // A time of 7 or less shows the form at once.
    if (!effect.Active || effect.Time <= 7)
        return;
    HWND window = Hwnd(window_);
    RECT at{};
    GetWindowRect(window, &at);
    const TsBitmap24 picture = FormPicture();
    if (picture.Empty())
        return;
    HDC screen = GetDC(nullptr);
    const TsBitmap24 behind = PictureOfArea(screen, {at.left, at.top, at.right, at.bottom});
    ReleaseDC(nullptr, screen);
    HWND output = MakeOutputWindow(at);
    if (!output)
        return;
    outputWindow_ = output;
    if (regionStale_)
        UpdateRegion();
    if (!regionHoles_.empty()) {
        HRGN region = CreateRectRgn(0, 0, picture.Width, picture.Height);
        for (const TRect& hole : regionHoles_) {
            HRGN cut = CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom);
            CombineRgn(region, region, cut, RGN_DIFF);
            DeleteObject(cut);
        }
        SetWindowRgn(output, region, FALSE);
    }
    ShowWindow(output, SW_SHOWNOACTIVATE);
    // The screen shot's share starts at 255 and falls by 255 div (Time div 8) each step.
    const int steps = effect.Time / 8 + 1;
    const int fall = 255 / std::max(effect.Time / 8, 1);
    TsBitmap24 mixed = behind;
    int share = 255;
    HDC dc = GetDC(output);
    for (int step = 0; step < steps; ++step) {
        if (mixed.Width == picture.Width && mixed.Height == picture.Height) {
            CopyPicture(mixed, {0, 0}, behind, BoundsOf(behind));
            BlendPicture(mixed, picture, std::max(share, 0), {0, 0}, BoundsOf(picture));
            DrawBitmap24(dc, BoundsOf(mixed), mixed, 0, 0);
        }
        GdiFlush();
        Sleep(8);
        share -= fall;
    }
    DrawBitmap24(dc, BoundsOf(picture), picture, 0, 0);
    ReleaseDC(output, dc);
    lastShowSteps_ = steps;
    // The picture stays over the form until the form has painted itself.
    SetWindowLongPtrA(output, GWLP_USERDATA, 0);
    SetTimer(window, reinterpret_cast<UINT_PTR>(this), 500, nullptr);
}

void TsSkinProvider::EndShow() {
    if (!outputWindow_)
        return;
    KillTimer(Hwnd(window_), reinterpret_cast<UINT_PTR>(this));
    DestroyWindow(Hwnd(outputWindow_));
    outputWindow_ = nullptr;
}

TMessageResult TsSkinProvider::Default(unsigned message, TWParam wParam, TLParam lParam) {
    return CallWindowProcA(reinterpret_cast<WNDPROC>(oldProc_), Hwnd(window_), message, wParam, lParam);
}

TMessageResult TsSkinProvider::SkinCommand(TWParam wParam, TLParam lParam, bool& handled) {
    handled = true;
    TsSkinManager* manager = SkinData.Manager();
    const bool mine = manager && reinterpret_cast<TsSkinManager*>(lParam) == manager;
    HWND window = Hwnd(window_);
    switch (CommandOf(wParam)) {
    case scNewSkin: {
        if (!mine)
            return 0;
        const bool first = !everSkinned_;
        StartSkinning();
        fullRepaint_ = true;
        regionStale_ = true;
        titleStrip_.reset();
        MarkStale();
        everSkinned_ = true;
        if (first)
            SetFormColor();
        if (Skinned())
            adapter_->AddAllItems();
        if (Showing())
            RepaintFrameNow();
        return 0;
    }
    case scRemoveSkin: {
        if (!mine)
            return 0;
        DeliverToChildren(form_, SM_SKINCOMMAND, wParam, lParam);
        bool ignored = false;
        SkinData.HandleCommand(wParam, lParam, ignored);
        if (window) {
            if (hadSysMenu_)
                SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) | WS_SYSMENU);
            hadSysMenu_ = false;
            SetWindowRgn(window, nullptr, FALSE);
            regionHoles_.clear();
        }
        if (UseGlobalColor && !SkinData.CustomColor())
            form_.SetColor(clBtnFace);
        titleStrip_.reset();
        buttonStrip_.reset();
        SkinData.Cache.reset();
        everSkinned_ = false;
        if (window) {
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
            RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
        return 0;
    }
    case scRefresh:
        if (!mine)
            return 0;
        SkinData.HandleCommand(wParam, lParam, handled);
        if (Skinned())
            adapter_->AddAllItems();
        titleStrip_.reset();
        regionStale_ = true;
        fullRepaint_ = true;
        if (Showing()) {
            MarkStale();
            RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
        SetFormColor();
        return 0;
    case scGetFrame:
        return reinterpret_cast<TMessageResult>(static_cast<TComponent*>(this));
    case scIsSkinned:
        return 1;
    case scGetChildColor: {
        if (!Skinned() || SkinData.CustomColor())
            return static_cast<TMessageResult>(TsSkinManager::ColorToRGB(form_.Color()));
        const TsGeneralData& section = manager->gd[size_t(SkinData.SectionIndex)];
        return static_cast<TMessageResult>(
            TsSkinManager::ColorToRGB(formActive_ ? section.HotColor : section.Color));
    }
    case scControlLoaded:
        if (lParam && Skinned())
            adapter_->AddNewItem(*reinterpret_cast<TControl*>(lParam), "EDIT");
        return 0;
    case scGetBackground: {
        if (!lParam)
            return 0;
        auto& record = *reinterpret_cast<TsBackgroundRecord*>(lParam);
        const TsFrameMetrics m = Metrics();
        if (Skinned() && (SkinData.CacheStale || !SkinData.Cache || SkinData.Cache->Empty()) &&
            !record.DrawNow)
            BuildFrameCache();
        if (record.DrawNow) {
            record.Origin.X += m.ClientOrigin.X;
            record.Origin.Y += m.ClientOrigin.Y;
        }
        SkinData.AnswerBackground(record);
        if (record.Kind == bkColor && Skinned() && !SkinData.CustomColor())
            record.FillColor = static_cast<TColor>(SkinCommand(::SkinCommand(scGetChildColor), 0, handled));
        if (record.Kind == bkPicture && !record.DrawNow)
            record.Origin = m.ClientOrigin;
        return 0;
    }
    case scBackFlags:
        return SkinData.HandleCommand(wParam, lParam, handled);
    case 51:
    case 52:
        if (Skinned() && window) {
            SendMessageA(window, WM_SETREDRAW, CommandOf(wParam) == 52, 0);
            if (CommandOf(wParam) == 52)
                RedrawWindow(window, nullptr, nullptr,
                             RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
        return 0;
    case scGetApplication:
        return reinterpret_cast<TMessageResult>(&Application());
    case 61: {
        const TsFrameMetrics m = Metrics();
        return static_cast<TMessageResult>(MAKELONG(m.ClientOrigin.X, m.ClientOrigin.Y));
    }
    default:
        return SkinData.HandleCommand(wParam, lParam, handled);
    }
}

void TsSkinProvider::ActivationRedraw(unsigned message, TWParam wParam, TLParam lParam,
                                      TMessageResult& result) {
    HWND window = Hwnd(window_);
    if (WindowsBefore6()) {
        // The system draws its own caption during the default processing: a
        // cover showing the window picture hides it meanwhile.
        if (SkinData.CacheStale)
            BuildFrameCache();
        const TsFrameMetrics m = Metrics();
        RECT w{};
        GetWindowRect(window, &w);
        HWND cover = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP, w.left,
                                     w.top, w.right - w.left, m.TopHeight, window, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        if (cover) {
            SetWindowPos(cover, HWND_TOP, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
            if (HDC dc = GetDC(cover)) {
                if (SkinData.Cache)
                    CopyArea(dc, *SkinData.Cache, {0, 0, w.right - w.left, m.TopHeight});
                ReleaseDC(cover, dc);
            }
        }
        result = Default(message, wParam, lParam);
        if (cover)
            DestroyWindow(cover);
    } else {
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
        result = Default(message, wParam, lParam);
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
}

TMessageResult TsSkinProvider::NonClientMouse(unsigned message, TWParam wParam, TLParam lParam,
                                              bool& handled) {
    HWND window = Hwnd(window_);
    handled = true;
    const int code = static_cast<int>(wParam);
    const TsFrameMetrics m = Metrics();
    switch (message) {
    case WM_NCLBUTTONDOWN:
        if (code == htSysMenu) {
            RECT w{};
            GetWindowRect(window, &w);
            ShowSystemMenu(w.left + m.FrameWidth, w.top + m.FrameHeight + form_.BorderWidth() + m.IconHeight);
            return 0;
        }
        if (code == htClose || code == htMaxButton || code == htMinButton || code == htHelp) {
            PressButton(code);
            return 0;
        }
        if (code >= htExtraButton) {
            if (TitleButtonInfo* b = ButtonOf(code); b && b->Enabled) {
                PressButton(code);
                if (TitleButtons[size_t(code - htExtraButton)]->OnMouseDown)
                    TitleButtons[size_t(code - htExtraButton)]->OnMouseDown(
                        *TitleButtons[size_t(code - htExtraButton)]);
            }
            return 0;
        }
        if (IsIconic(window)) {
            SendMessageA(window, WM_SYSCOMMAND, 0xF012, 0);
            return 0;
        }
        if (code == htCaption && IsZoomed(window)) {
            SetActiveWindow(window);
            return 0;
        }
        break;
    case WM_NCLBUTTONUP: {
        const bool held = g_buttonHeld;
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT w{};
        GetWindowRect(window, &w);
        const TPoint inWindow{p.x - w.left, p.y - w.top};
        auto inside = [&](const TitleButtonInfo& b) {
            return inWindow.X >= b.Rect.Left && inWindow.X <= b.Rect.Right && inWindow.Y >= b.Rect.Top &&
                   inWindow.Y <= b.Rect.Bottom;
        };
        bool fallThrough = false;
        switch (code) {
        case htMinButton:
            if (held && inside(buttons_.System[sbMinimize])) {
                AllButtonsNormal();
                MinimizeForm();
                return 0;
            }
            fallThrough = !held;
            break;
        case htMaxButton:
            if (held && buttons_.System[sbMaximize].Enabled) {
                AllButtonsNormal();
                SendMessageA(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, 0);
                return 0;
            }
            fallThrough = !held;
            break;
        case htClose:
            if (held) {
                AllButtonsNormal();
                SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case htHelp:
            if (held) {
                AllButtonsNormal();
                SendMessageA(window, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
                RebuildFrame();
            }
            return 0;
        default:
            if (code >= htExtraButton && size_t(code - htExtraButton) < TitleButtons.size()) {
                TsTitleButton& b = *TitleButtons[size_t(code - htExtraButton)];
                AllButtonsNormal();
                if (held && b.OnMouseUp)
                    b.OnMouseUp(b);
                return 0;
            }
            break;
        }
        AllButtonsNormal();
        if (!fallThrough && (code == htMinButton || code == htMaxButton))
            return 0;
        break;
    }
    case WM_NCLBUTTONDBLCLK:
        if (code == htCaption) {
            const TsSystemMenuState menu = MenuState();
            const bool iconicBorderless = form_.BorderStyle() == bsNone && IsIconic(window);
            if (menu.Maximize.Enabled || menu.Restore.Enabled || iconicBorderless)
                SendMessageA(window, WM_SYSCOMMAND,
                             IsZoomed(window) || IsIconic(window) ? SC_RESTORE : SC_MAXIMIZE, 0);
            return 0;
        }
        if (code == htSysMenu) {
            SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            return 0;
        }
        break;
    case WM_NCRBUTTONDOWN:
        if (code == htCaption || code == htSysMenu)
            return 0;
        break;
    case WM_NCRBUTTONUP:
        if (code == htCaption || code == htSysMenu) {
            AllButtonsNormal();
            ShowSystemMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        }
        break;
    }
    handled = false;
    return 0;
}

void TsSkinProvider::SnapToWorkArea(void* windowPos) {
    auto& pos = *static_cast<WINDOWPOS*>(windowPos);
    if (IsZoomed(Hwnd(window_)) || (pos.flags & SWP_NOMOVE) || (pos.x == 0 && pos.y == 0))
        return;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (GetMonitorInfoA(MonitorFromWindow(Hwnd(window_), MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    if (std::abs(pos.x - work.left) < SnapBuffer)
        pos.x = work.left;
    if (std::abs(pos.y - work.top) < SnapBuffer)
        pos.y = work.top;
    if (std::abs(pos.x + pos.cx - work.right) < SnapBuffer)
        pos.x = work.right - pos.cx;
    if (std::abs(pos.y + pos.cy - work.bottom) < SnapBuffer)
        pos.y = work.bottom - pos.cy;
}

TMessageResult TsSkinProvider::FrameProc(unsigned message, TWParam wParam, TLParam lParam) {
    HWND window = Hwnd(window_);
    if (message == SM_SKINCOMMAND) {
        bool handled = false;
        const TMessageResult result = SkinCommand(wParam, lParam, handled);
        if (handled)
            return result;
        return Default(message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The window goes before the component: its procedure is given back.
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        RemovePropA(window, kFrameProperty);
        attached_ = false;
        const TMessageResult result =
            CallWindowProcA(reinterpret_cast<WNDPROC>(oldProc_), window, message, wParam, lParam);
        window_ = nullptr;
        return result;
    }
    if (!Skinned()) {
        if (message == WM_ERASEBKGND && Showing()) {
            PaintClientBackground(reinterpret_cast<HDC>(wParam));
            return 1;
        }
        return Default(message, wParam, lParam);
    }
    switch (message) {
    case WM_NCPAINT: {
        if (!Showing() || !menuMade_)
            break;
        // Dragging an outline is a thing of the older systems.
        if (ResizeMode == rmBorder && !WindowsBefore6())
            ResizeMode = rmStandard;
        if (regionStale_ && !applyingRegion_)
            UpdateRegion();
        if (HDC dc = GetWindowDC(window)) {
            PaintNonClient(dc);
            ReleaseDC(window, dc);
        }
        return 0;
    }
    case WM_NCACTIVATE: {
        formActive_ = wParam != 0;
        MarkStale();
        if (!Showing())
            break;
        TMessageResult result = 0;
        ActivationRedraw(message, wParam, lParam, result);
        if (HDC dc = GetWindowDC(window)) {
            PaintNonClient(dc);
            ReleaseDC(window, dc);
        }
        return result ? result : TRUE;
    }
    case WM_SETTEXT: {
        if (!Showing())
            break;
        MarkStale();
        TMessageResult result = 0;
        if (WindowsBefore6()) {
            ActivationRedraw(message, wParam, lParam, result);
        } else {
            result = Default(message, wParam, lParam);
        }
        if (HDC dc = GetWindowDC(window)) {
            PaintNonClient(dc);
            ReleaseDC(window, dc);
        }
        return result;
    }
    case WM_PAINT: {
        if (!Showing())
            break;
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        PaintClientBackground(dc);
        EndPaint(window, &paint);
        // Then the form's own painting, over the background just copied.
        if (form_.OnPaint && Skinned())
            if (HDC client = GetDC(window)) {
                form_.OnPaint(form_, client);
                ReleaseDC(window, client);
            }
        if (outputWindow_) {
            // The children paint after the form: the shown picture goes once they have.
            UpdateWindow(window);
            RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            EndShow();
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        PaintClientBackground(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_DRAWITEM: {
        // An item of the form's menu line being selected or left: it paints
        // itself into the window picture, and that part goes to the window.
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        HMENU bar = GetMenu(window);
        if (!draw || draw->CtlType != ODT_MENU || !bar || reinterpret_cast<HMENU>(draw->hwndItem) != bar ||
            !Skinned() || !menuLine_)
            break;
        const int count = GetMenuItemCount(bar);
        for (int i = 0; draw->itemData != 0 && i < count; ++i) {
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_DATA;
            if (!GetMenuItemInfoA(bar, static_cast<UINT>(i), TRUE, &info) ||
                info.dwItemData != draw->itemData)
                continue;
            TRect drawn;
            if (!DrawMenuLineItem(static_cast<unsigned>(i), (draw->itemState & ODS_SELECTED) != 0, &drawn))
                break;
            // The menu line draws on the window's device context, in window coordinates.
            CopyToWindow(draw->hDC, drawn, drawn.Left, drawn.Top);
            return TRUE;
        }
        break;
    }
    case WM_TIMER:
        if (wParam == reinterpret_cast<WPARAM>(this)) {
            EndShow();
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (Showing())
            return 1;
        break;
    case WM_ACTIVATE: {
        if (LOWORD(wParam) != WA_INACTIVE && !activatedOnce_ && Skinned()) {
            activatedOnce_ = true;
            adapter_->AddAllItems();
        }
        if (!Showing())
            break;
        TMessageResult result;
        if (!WindowsBefore6()) {
            SendMessageA(window, WM_SETREDRAW, FALSE, 0);
            result = Default(message, wParam, lParam);
            SendMessageA(window, WM_SETREDRAW, TRUE, 0);
            RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
        } else {
            result = Default(message, wParam, lParam);
        }
        return result;
    }
    case WM_SIZE: {
        const int width = LOWORD(lParam), height = HIWORD(lParam);
        if (width < lastClientWidth_ || height < lastClientHeight_ || lastClientWidth_ == 0)
            InvalidateRect(window, nullptr, FALSE);
        lastClientWidth_ = width;
        lastClientHeight_ = height;
        const TMessageResult result = Default(message, wParam, lParam);
        const TsFormShape shape = Shape();
        if (Showing() && SkinData.Cache &&
            (SkinData.Cache->Width != shape.WindowWidth || SkinData.Cache->Height != shape.WindowHeight)) {
            regionStale_ = true;
            MarkStale();
            SendMessageA(window, WM_NCPAINT, 1, 0);
        }
        return result;
    }
    case WM_WINDOWPOSCHANGING:
        if (ScreenSnap)
            SnapToWorkArea(reinterpret_cast<void*>(lParam));
        break;
    case WM_SYSCOMMAND: {
        const unsigned command = static_cast<unsigned>(wParam & 0xFFF0);
        if (command == SC_KEYMENU && lParam == ' ' && form_.BorderStyle() != bsNone && hadSysMenu_) {
            const TsFrameMetrics m = Metrics();
            RECT w{};
            GetWindowRect(window, &w);
            ShowSystemMenu(w.left + m.FrameWidth, w.top + m.FrameHeight + form_.BorderWidth() + m.IconHeight);
            return 0;
        }
        const TMessageResult result = Default(message, wParam, lParam);
        if (command == SC_MINIMIZE) {
            if (SkinData.Cache)
                *SkinData.Cache = TsBitmap24();
        } else if (command == SC_MAXIMIZE || command == SC_RESTORE) {
            buttons_.System[sbMaximize].State = 0;
            if (hotHitCode_ == htMaxButton)
                hotHitCode_ = 0;
            MarkStale();
            RepaintButton(htMaxButton);
            if (form_.BorderStyle() == bsNone && command == SC_RESTORE)
                SetWindowRgn(window, nullptr, TRUE);
        }
        return result;
    }
    case WM_ENTERIDLE:
        return 0;
    case WM_NCHITTEST: {
        const TPoint p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        RECT w{};
        GetWindowRect(window, &w);
        const TPoint inWindow{p.X - w.left, p.Y - w.top};
        const int code = HitTestTitle(inWindow);
        if (code == htNowhere && GripMode == gmRightBottom && InGrip(inWindow))
            return htBottomRight;
        if (code == htNowhere || code == htCaption) {
            AllButtonsNormal();
            TMessageResult result = Default(message, wParam, lParam);
            if (result == HTNOWHERE && OutsideMaximizedArea(inWindow, Shape()))
                result = htOutsideMaximized;
            // Without a system menu the system would read the icon's place as caption.
            return result;
        }
        if (code == htClose || code == htMaxButton || code == htMinButton || code == htHelp ||
            code >= htExtraButton) {
            if (!g_buttonHeld || code != hotHitCode_) {
                if (g_buttonHeld && ButtonOf(hotHitCode_) && hotHitCode_ != code) {
                    // Moving off the held button shows it normal again.
                    TitleButtonInfo* held = ButtonOf(hotHitCode_);
                    held->State = 0;
                    RepaintButton(hotHitCode_);
                    hotHitCode_ = 0;
                    g_buttonHeld = false;
                }
                SetHotButton(code);
            }
        } else {
            AllButtonsNormal();
        }
        return code;
    }
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONUP:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP: {
        bool handled = false;
        const TMessageResult result = NonClientMouse(message, wParam, lParam, handled);
        if (handled)
            return result;
        break;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        AllButtonsNormal();
        break;
    case WM_NCMOUSEMOVE: {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, window, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_SHOWWINDOW:
        if (!wParam && SkinData.Cache)
            *SkinData.Cache = TsBitmap24();
        // A form shown without being activated (opened behind another
        // program) still shows its controls skinned.
        if (wParam && !activatedOnce_ && Skinned()) {
            activatedOnce_ = true;
            adapter_->AddAllItems();
        }
        if (wParam && lParam == 0)
            AnimateShow();
        break;
    case WM_ENABLE:
        MarkStale();
        {
            const TMessageResult result = Default(message, wParam, lParam);
            RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
            return result;
        }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

void InstallFormFrameFactory() {
    HookFactories().MakeFormFrame = [](TCustomForm& form, TsSkinManager& manager) -> TComponent* {
        auto* frame = new TsSkinProvider(form);
        frame->SkinData.SetSkinManager(&manager);
        frame->AttachWindow();
        if (!frame->Attached()) {
            delete frame;
            return nullptr;
        }
        return frame;
    };
}
