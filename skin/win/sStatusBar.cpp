// The skinned status bar over a platform status bar: the platform keeps the
// panels' texts and parts and paints the bar while no skin is active; with a
// skin the control paints every face from its cached picture.
#include "skin/sStatusBar.h"

#include "skin/sSkinManager.h"
#include "skin/sStatusBarLayout.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sWindowQueries.h"
#include "skin/win/sTextCanvasWin.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>

namespace {

HWND Hwnd(const TWinControl& control) {
    return static_cast<HWND>(control.Handle());
}

// The part's text for the platform bar: a tab before it centres it, two
// right-align it.
std::string PlatformText(const TStatusPanel& panel) {
    switch (panel.Alignment) {
    case taCenter:
        return "\t" + panel.Text;
    case taRightJustify:
        return "\t\t" + panel.Text;
    default:
        return panel.Text;
    }
}

WPARAM PlatformStyle(const TStatusPanel& panel) {
    WPARAM style = 0;
    if (panel.Style == psOwnerDraw)
        style |= SBT_OWNERDRAW;
    if (panel.Bevel == pbNone)
        style |= SBT_NOBORDERS;
    else if (panel.Bevel == pbRaised)
        style |= SBT_POPOUT;
    return style;
}

} // namespace

TsStatusBar::TsStatusBar(TComponent* owner) : TWinControl(owner), SkinData(this, true) {
    SkinData.KindCode = 151;
    SkinData.SetDefaultSection();
}

TsStatusBar::~TsStatusBar() {
    MarkDestroying();
    DestroyHandle();
    if (font_)
        DeleteObject(static_cast<HFONT>(font_));
}

bool TsStatusBar::CreateWnd() {
    TCreateParams params;
    params.WindowClass = STATUSCLASSNAMEA;
    params.Style = WS_CHILD | WS_CLIPCHILDREN | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER |
                   (sizeGrip_ ? SBARS_SIZEGRIP : 0);
    if (!CreateHandle(params))
        return false;
    // The border around the client area is taken when the frame is computed.
    if (borderWidth_ > 0)
        SetWindowPos(Hwnd(*this), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ApplyFont();
    ApplyPanels();
    SkinData.UpdateIndexes();
    SkinData.CacheStale = true;
    return true;
}

void TsStatusBar::RecreateWnd() {
    // Windowed children would lose their windows with the bar's; the bar then
    // keeps its window and only repaints.
    for (size_t i = 0; i < ControlCount(); ++i)
        if (Controls(i)->AsWinControl()) {
            Invalidate();
            return;
        }
    if (!HandleAllocated() || Destroying() || !Parent() || !Parent()->HandleAllocated() ||
        Parent()->Destroying())
        return;
    const bool focused = Focused();
    DestroyHandle();
    CreateWnd();
    if (focused)
        SetFocus(Hwnd(*this));
}

void TsStatusBar::ApplyFont() {
    if (font_)
        DeleteObject(static_cast<HFONT>(font_));
    const TFont& f = Font();
    font_ = CreateFontA(f.Height, 0, 0, 0, f.Bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                        f.Name.c_str());
    if (HandleAllocated())
        SendMessageA(Hwnd(*this), WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
}

// The platform bar repaints at once after every text or part it is given;
// the picture is composed once, after all of them are there.
void TsStatusBar::WithoutRedraw(const std::function<void()>& hand) {
    HWND window = Hwnd(*this);
    const bool visible = IsWindowVisible(window) != 0;
    if (visible)
        SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    hand();
    if (visible)
        SendMessageA(window, WM_SETREDRAW, TRUE, 0);
}

void TsStatusBar::ApplyPanels() {
    if (!HandleAllocated())
        return;
    WithoutRedraw([this] { HandPanelsOver(); });
    Changed();
}

void TsStatusBar::HandPanelsOver() {
    HWND window = Hwnd(*this);
    SendMessageA(window, SB_SIMPLE, simplePanel_ ? TRUE : FALSE, 0);
    if (simplePanel_) {
        SendMessageA(window, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    } else {
        std::vector<int> edges;
        int right = 0;
        for (size_t i = 0; i < panels_.size(); ++i) {
            right += panels_[i].Width;
            edges.push_back(i + 1 == panels_.size() ? -1 : right);
        }
        if (edges.empty())
            edges.push_back(-1);
        SendMessageA(window, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
        for (size_t i = 0; i < panels_.size(); ++i) {
            const std::string text = PlatformText(panels_[i]);
            SendMessageA(window, SB_SETTEXTA, i | PlatformStyle(panels_[i]),
                         reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
}

void TsStatusBar::Changed() {
    SkinData.CacheStale = true;
    if (HandleAllocated())
        InvalidateRect(Hwnd(*this), nullptr, FALSE);
}

void TsStatusBar::SetPanels(std::vector<TStatusPanel> panels) {
    panels_ = std::move(panels);
    ApplyPanels();
}

void TsStatusBar::SetPanelText(size_t index, const std::string& text) {
    if (index >= panels_.size())
        return;
    panels_[index].Text = text;
    if (HandleAllocated() && !simplePanel_) {
        const std::string shown = PlatformText(panels_[index]);
        WithoutRedraw([&] {
            SendMessageA(Hwnd(*this), SB_SETTEXTA, index | PlatformStyle(panels_[index]),
                         reinterpret_cast<LPARAM>(shown.c_str()));
        });
    }
    Changed();
}

void TsStatusBar::SetSimplePanel(bool value) {
    if (simplePanel_ == value)
        return;
    simplePanel_ = value;
    ApplyPanels();
}

void TsStatusBar::SetSimpleText(const std::string& value) {
    simpleText_ = value;
    if (HandleAllocated() && simplePanel_)
        WithoutRedraw([this] {
            SendMessageA(Hwnd(*this), SB_SETTEXTA, SB_SIMPLEID,
                         reinterpret_cast<LPARAM>(simpleText_.c_str()));
        });
    Changed();
}

void TsStatusBar::SetSizeGrip(bool value) {
    if (sizeGrip_ == value)
        return;
    sizeGrip_ = value;
    if (HandleAllocated()) {
        HWND window = Hwnd(*this);
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        SetWindowLongA(window, GWL_STYLE, value ? style | SBARS_SIZEGRIP : style & ~SBARS_SIZEGRIP);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Changed();
}

void TsStatusBar::SetBorderWidth(int value) {
    value = std::max(value, 0);
    if (borderWidth_ == value)
        return;
    borderWidth_ = value;
    if (HandleAllocated())
        SetWindowPos(Hwnd(*this), nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Changed();
}

void TsStatusBar::SetFont(const TFont& font) {
    TWinControl::SetFont(font);
    ApplyFont();
    Changed();
}

bool TsStatusBar::ComputePartlyOutside() const {
    return HandleAllocated() && LiesPartlyOutsideParent(Hwnd(*this));
}

bool TsStatusBar::NeedsRebuild() {
    SkinData.PartlyOutside = ComputePartlyOutside();
    if (SkinData.CacheStale || SkinData.PartlyOutside)
        return true;
    if (!SkinData.Cache || SkinData.Cache->Width != Width() || SkinData.Cache->Height != Height())
        return true;
    return Parent() && SendSkinCommand(*Parent(), scIsPartlyOutside) == 1;
}

std::string TsStatusBar::FittedText(const std::string& text, const TRect& panel) {
    const TRect rect = PanelTextRect(panel);
    TsBitmap24 scratch(1, 1);
    TsDibTextCanvas canvas(scratch);
    canvas.SetFont(SkinData.ItemSkin().Font);
    return CutText(text, rect.Width(),
                   [&canvas](const std::string& t) { return canvas.TextExtent(t).Width; });
}

void TsStatusBar::ComposePanel(TsBitmap24& cache, const TRect& panel, bool last, bool simple, size_t index) {
    TsSkinManager& manager = *SkinData.Manager();
    const int panelMask = manager.FindMask(SkinData.SectionIndex, SkinData.SkinSection(), "STATUSPANELMASK");
    if (panelMask >= 0) {
        DrawNinePiece(cache, simple ? BoundsOf(cache) : panel, true, false, 0, panelMask, manager,
                      TsBackgroundDescriptor::OfPicture(cache, 0, 0));
    } else if (!last) {
        const int divider = manager.FindSection("DIVIDER");
        const int frame = divider >= 0 ? manager.FindMask(divider, "DIVIDER", "BORDERSMASK") : -1;
        if (frame >= 0) {
            const TRect r = DividerRect(panel, Height(), MaskFrameSize(manager.ma[size_t(frame)]).W);
            if (!IsEmptyRect(r)) {
                TsBitmap24 picture(r.Width(), r.Height());
                ComposeItem(&picture, manager, divider, "DIVIDER",
                            TsBackgroundDescriptor::OfPicture(cache, 0, 0), true, 0, {r.Left, r.Top},
                            BoundsOf(picture));
                CopyPicture(cache, {r.Left, r.Top}, picture, BoundsOf(picture));
            }
        }
    }
    const TStatusPanel* item = simple ? nullptr : &panels_[index];
    if (item && item->Style == psOwnerDraw && OnDrawPanel) {
        OnDrawPanel(*this, cache, index, panel);
        return;
    }
    const std::string text = FittedText(simple ? simpleText_ : item->Text, panel);
    if (text.empty())
        return;
    unsigned flags = AlignmentFlags(simple ? taLeftJustify : item->Alignment) | tfVCenter | tfSingleLine;
    if (GetWindowLongA(Hwnd(*this), GWL_EXSTYLE) & WS_EX_RTLREADING)
        flags |= tfRtlReading;
    TsDibTextCanvas canvas(cache);
    WriteSkinText(canvas, text, true, SkinData.Hot(), SkinData.ItemSkin(), flags, PanelTextRect(panel));
}

void TsStatusBar::DrawGrip(TsBitmap24& cache) {
    TsSkinManager& manager = *SkinData.Manager();
    int grip = -1;
    if (const int global = manager.FindSection("GLOBALINFO"); global >= 0)
        grip = manager.FindMask(global, "GLOBALINFO", "GRIPIMAGE");
    if (grip < 0)
        if (const int form = manager.FindSection("FORM"); form >= 0)
            grip = manager.FindMask(form, "FORM", "GRIPIMAGE");
    if (grip < 0)
        return;
    const TsMaskData& mask = manager.ma[size_t(grip)];
    const TsFrameSize frame = MaskFrameSize(mask);
    DrawMaskGlyph(cache, GripPosition(Width(), Height(), frame.W, frame.H, borderWidth_), 0,
                  TsBackgroundDescriptor{}, mask, true);
}

void TsStatusBar::ComposeCache() {
    if (!SkinData.Skinned())
        return;
    SkinData.PartlyOutside = ComputePartlyOutside();
    TsBackgroundRecord record;
    if (Parent())
        GetParentBackground(*Parent(), record);
    TsBitmap24& cache = SkinData.EnsureCache();
    if (cache.Empty())
        return;
    ComposeItem(&cache, SkinData.ItemSkin(), DescriptorOf(record), true, 0, true, {Left(), Top()},
                BoundsOf(cache));
    if (simplePanel_) {
        ComposePanel(cache, SimplePanelRect(Width(), Height()), true, true, 0);
    } else {
        std::vector<int> widths;
        for (const TStatusPanel& panel : panels_)
            widths.push_back(panel.Width);
        const std::vector<TRect> rects = PanelRects(widths, Width(), Height());
        for (size_t i = 0; i < rects.size(); ++i)
            ComposePanel(cache, ShrinkRect(rects[i], 1), i + 1 == rects.size(), false, i);
    }
    if (sizeGrip_)
        DrawGrip(cache);
    SkinData.CacheRebuilt();
}

void TsStatusBar::PaintSkinned(void* dcPointer) {
    if (SkinData.PaintSuspended)
        return;
    HDC dc = static_cast<HDC>(dcPointer);
    if (NeedsRebuild())
        ComposeCache();
    if (!SkinData.Cache || SkinData.Cache->Empty())
        return;
    const int saved = SaveDC(dc);
    // Children that paint themselves are left out.
    for (size_t i = 0; i < ControlCount(); ++i) {
        TWinControl* child = Controls(i)->AsWinControl();
        if (child && child->HandleAllocated() && IsWindowVisible(Hwnd(*child))) {
            const TBounds& b = child->BoundsRect();
            ExcludeClipRect(dc, b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
        }
    }
    RECT client;
    GetClientRect(Hwnd(*this), &client);
    DrawBitmap24(dc, {0, 0, int(client.right), int(client.bottom)}, *SkinData.Cache, borderWidth_,
                 borderWidth_);
    RestoreDC(dc, saved);
    PaintControls(dc);
    for (size_t i = 0; i < ControlCount(); ++i)
        if (TWinControl* child = Controls(i)->AsWinControl(); child && child->HandleAllocated())
            InvalidateRect(Hwnd(*child), nullptr, FALSE);
    SkinData.PaintDone();
}

// The border strips around the client area, from the picture.
void TsStatusBar::PaintBorder(void* dcPointer) {
    if (borderWidth_ <= 0 || !SkinData.Cache || SkinData.Cache->Empty() || SkinData.PaintSuspended)
        return;
    HDC dc = static_cast<HDC>(dcPointer);
    const int saved = SaveDC(dc);
    ExcludeClipRect(dc, borderWidth_, borderWidth_, Width() - borderWidth_, Height() - borderWidth_);
    DrawBitmap24(dc, {0, 0, Width(), Height()}, *SkinData.Cache, 0, 0);
    RestoreDC(dc, saved);
}

TMessageResult TsStatusBar::SkinCommandMessage(TWParam wParam, TLParam lParam) {
    const unsigned command = CommandOf(wParam);
    const bool mine = SkinData.Manager() && reinterpret_cast<TsSkinManager*>(lParam) == SkinData.Manager();
    bool handled = false;
    switch (command) {
    case scNewSkin:
    case scRefresh: {
        if (!mine)
            return SkinData.HandleCommand(wParam, lParam, handled);
        DeliverToChildren(*this, SM_SKINCOMMAND, wParam, lParam);
        const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
        if (command == scRefresh && HandleAllocated())
            RedrawWindow(Hwnd(*this), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        return result;
    }
    case scRemoveSkin: {
        const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
        if (mine) {
            RecreateWnd();
            DeliverToChildren(*this, SM_SKINCOMMAND, wParam, lParam);
        }
        return result;
    }
    case 6: // painting may go on
        if (SkinData.PaintSuspended) {
            SkinData.PaintSuspended = false;
            if (HandleAllocated())
                RedrawWindow(Hwnd(*this), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
        }
        return 0;
    case scIsSkinned:
        return 1;
    default: {
        const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
        if (handled)
            return result;
        return TWinControl::WndProc(SM_SKINCOMMAND, wParam, lParam);
    }
    }
}

TMessageResult TsStatusBar::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    switch (message) {
    case SM_SKINCOMMAND:
        return SkinCommandMessage(wParam, lParam);
    case WM_PAINT:
        if (HandleAllocated() && SkinData.Skinned()) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(Hwnd(*this), &paint);
            PaintSkinned(dc);
            EndPaint(Hwnd(*this), &paint);
            return 0;
        }
        break;
    case WM_PRINTCLIENT:
        if (HandleAllocated() && SkinData.Skinned()) {
            PaintSkinned(reinterpret_cast<void*>(wParam));
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        if (SkinData.Skinned()) {
            if (!SkinData.PaintSuspended && !SkinData.CacheStale && SkinData.Cache &&
                !SkinData.Cache->Empty()) {
                RECT client;
                GetClientRect(Hwnd(*this), &client);
                DrawBitmap24(reinterpret_cast<HDC>(wParam), {0, 0, int(client.right), int(client.bottom)},
                             *SkinData.Cache, borderWidth_, borderWidth_);
            }
            return 1;
        }
        break;
    case WM_NCCALCSIZE: {
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        if (borderWidth_ > 0) {
            RECT* r = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                             : reinterpret_cast<RECT*>(lParam);
            InflateRect(r, -borderWidth_, -borderWidth_);
        }
        return result;
    }
    case WM_NCPAINT:
        if (borderWidth_ > 0 && SkinData.Skinned()) {
            if (HDC dc = GetWindowDC(Hwnd(*this))) {
                PaintBorder(dc);
                ReleaseDC(Hwnd(*this), dc);
            }
            return 0;
        }
        break;
    case WM_PRINT:
        if (borderWidth_ > 0 && SkinData.Skinned() && (lParam & PRF_NONCLIENT)) {
            PaintBorder(reinterpret_cast<void*>(wParam));
            return TWinControl::WndProc(message, wParam, lParam & ~TLParam(PRF_NONCLIENT));
        }
        break;
    case WM_SIZE: {
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        SkinData.CacheStale = true;
        if (HandleAllocated() && borderWidth_ > 0)
            RedrawWindow(Hwnd(*this), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return result;
    }
    case WM_MOVE: {
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        TsSkinManager* manager = SkinData.Manager();
        if (SkinData.Skinned() && manager) {
            const TsGeneralData& section = manager->gd[size_t(SkinData.SectionIndex)];
            SkinData.BoundsChanged(section.Transparency > 0 || section.HotTransparency > 0);
        }
        return result;
    }
    case SB_SETTEXTA:
    case SB_SETTEXTW:
    case SB_SIMPLE:
    case SB_GETRECT:
    case SB_SETPARTS: {
        const TMessageResult result = TWinControl::WndProc(message, wParam, lParam);
        SkinData.CacheStale = true;
        return result;
    }
    default:
        break;
    }
    return TWinControl::WndProc(message, wParam, lParam);
}
