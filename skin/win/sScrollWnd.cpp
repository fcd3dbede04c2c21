// Skinned scroll bars: drawn from the skin's scroll-bar sections into the
// window's non-client area where the system keeps its own bars, and driven
// by the adapter's own mouse handling (hover, arrows and track with repeat,
// thumb dragging), which sends the window the scroll messages the system
// bars would.
#include "sAdapterWnd.h"

#include "base/win/BoundLibrary.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr UINT_PTR kHoverTimer = 0xFFF2;
constexpr UINT_PTR kFirstRepeatTimer = 0xFFFD;
constexpr UINT_PTR kRepeatTimer = 0xFFFE;

// GetScrollBarInfo, where the system has it: which arrows are disabled.
using TGetScrollBarInfo = BOOL(WINAPI*)(HWND, LONG, PSCROLLBARINFO);
TBoundFunction<TGetScrollBarInfo> g_getScrollBarInfo("user32.dll", "GetScrollBarInfo");

int ArrowSize(bool vertical) {
    return GetSystemMetrics(vertical ? SM_CYVSCROLL : SM_CXHSCROLL);
}

TRect ToTRect(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// One part of a bar: background, frame and centred glyph in the state.
void ComposePart(TsBitmap24& picture, TsSkinManager& manager, const TsSkinManager::TsScrollParts& parts,
                 const char* name, const TRect& area, int state, const TsBackgroundDescriptor& background,
                 TPoint origin) {
    if (parts.Section < 0 || area.Width() <= 0 || area.Height() <= 0)
        return;
    ComposeScrollBackground(picture, manager, parts.Section, name, background, parts.HotPattern,
                            parts.Pattern, origin, area, state);
    if (parts.BorderMask >= 0)
        DrawNinePiece(picture, area, false, true, state, parts.BorderMask, manager, background);
    if (parts.GlyphMask >= 0) {
        const TsMaskData& glyph = manager.ma[size_t(parts.GlyphMask)];
        const TsFrameSize size = MaskFrameSize(glyph);
        DrawMaskGlyph(picture,
                      {area.Left + (area.Width() - size.W) / 2, area.Top + (area.Height() - size.H) / 2},
                      state, background, glyph, true);
    }
}

// A disabled bar keeps 60 % of itself over its parent's background.
void MixWithParent(TsBitmap24& picture, const TsBackgroundDescriptor& background, TPoint origin) {
    TsBitmap24 parent(picture.Width, picture.Height);
    PaintParentBackground(parent, {0, 0, picture.Width, picture.Height},
                          {background.Picture, background.X + origin.X, background.Y + origin.Y,
                           background.FillColor, background.Ready});
    for (size_t i = 0; i < picture.Pixels.size(); ++i)
        picture.Pixels[i] = static_cast<uint8_t>((picture.Pixels[i] * 6 + parent.Pixels[i] * 4 + 5) / 10);
}

} // namespace

void TqzScrollBar::Read(HWND window) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    const int bar = Vertical ? SB_VERT : SB_HORZ;
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    Visible = (style & (Vertical ? WS_VSCROLL : WS_HSCROLL)) != 0;
    if (GetScrollInfo(window, bar, &si))
        Info = {si.nMin, si.nMax, static_cast<int>(si.nPage), si.nPos, si.nTrackPos};
    else
        Info = {};
    Enabled = Info.Max > Info.Min;
    DisabledArrows = 0;
    if (TGetScrollBarInfo call = g_getScrollBarInfo.Get()) {
        SCROLLBARINFO sbi{};
        sbi.cbSize = sizeof sbi;
        if (call(window, Vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi)) {
            if (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE)
                Enabled = false;
            if (sbi.rgstate[1] & STATE_SYSTEM_UNAVAILABLE)
                DisabledArrows |= ESB_DISABLE_LTUP;
            if (sbi.rgstate[5] & STATE_SYSTEM_UNAVAILABLE)
                DisabledArrows |= ESB_DISABLE_RTDN;
        }
    }
    if (!IsWindowEnabled(window))
        Enabled = false;
}

TqzScrollWnd::~TqzScrollWnd() {
    if (IsWindow(window_)) {
        KillTimer(window_, kHoverTimer);
        KillTimer(window_, kFirstRepeatTimer);
        KillTimer(window_, kRepeatTimer);
    }
}

RECT TqzScrollWnd::BarRect(bool vertical) const {
    const TqzScrollBar& bar = bars_[vertical ? 1 : 0];
    if (!bar.Visible)
        return {};
    if (vertical) {
        const int width = GetSystemMetrics(SM_CXVSCROLL);
        const int left = leftScrollBar_ ? clientRect_.left - width : clientRect_.right;
        return {left, clientRect_.top, left + width, clientRect_.bottom};
    }
    return {clientRect_.left, clientRect_.bottom, clientRect_.right,
            clientRect_.bottom + GetSystemMetrics(SM_CYHSCROLL)};
}

TqzScrollGeometry TqzScrollWnd::Geometry(bool vertical) const {
    const RECT r = BarRect(vertical);
    const TqzScrollBar& bar = bars_[vertical ? 1 : 0];
    return LayoutScrollBar(ToTRect(r), vertical, ArrowSize(vertical), bar.Info, bar.MinThumb, bar.Enabled);
}

TPoint TqzScrollWnd::CursorInWindow() const {
    POINT p;
    GetCursorPos(&p);
    RECT w;
    GetWindowRect(window_, &w);
    return {p.x - w.left, p.y - w.top};
}

void TqzScrollWnd::ReadBars() {
    leftScrollBar_ = (GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    for (TqzScrollBar& bar : bars_)
        bar.Read(window_);
}

void TqzScrollWnd::RefreshScrollBars() {
    if (!withScrollBars_ || !IsWindowVisible(window_))
        return;
    MeasureFrame();
    ReadBars();
    HDC dc = GetWindowDC(window_);
    PaintScrollBars(dc);
    ReleaseDC(window_, dc);
}

void TqzScrollWnd::PaintBar(TsBitmap24& picture, bool vertical, const TRect& bar) {
    const auto& cached = manager_.Cached();
    const size_t v = vertical ? 1 : 0;
    const auto& trackBefore = cached.ScrollBars[vertical ? 1 : 0]; // SCROLLBAR1V / 1H
    const auto& trackAfter = cached.ScrollBars[vertical ? 3 : 2];  // SCROLLBAR2V / 2H
    const auto& firstArrow = cached.ScrollButtons[vertical ? 0 : 2];
    const auto& secondArrow = cached.ScrollButtons[vertical ? 1 : 3];
    const auto& slider = cached.ScrollButtons[vertical ? 4 : 5];
    const char* trackNames[] = {vertical ? "SCROLLBAR1V" : "SCROLLBAR1H",
                                vertical ? "SCROLLBAR2V" : "SCROLLBAR2H"};
    const char* arrowNames[] = {vertical ? "SCROLLBTNTOP" : "SCROLLBTNLEFT",
                                vertical ? "SCROLLBTNBOTTOM" : "SCROLLBTNRIGHT"};
    const char* sliderName = vertical ? "SCROLLSLIDERV" : "SCROLLSLIDERH";

    TsBackgroundRecord record;
    const TsBackgroundDescriptor background = ParentBackground(record);
    const TPoint at = PositionInParent();
    const TPoint origin{at.X + bar.Left, at.Y + bar.Top};
    const TqzScrollBar& info = bars_[v];
    // The geometry in the bar's own picture.
    const TqzScrollGeometry g = LayoutScrollBar({0, 0, bar.Width(), bar.Height()}, vertical,
                                                ArrowSize(vertical), info.Info, info.MinThumb, info.Enabled);
    const bool onThisBar = pressedBar_ == int(v);
    auto stateOf = [&](int part) {
        if (onThisBar && pressedPart_ == part && partShownPressed_)
            return 2;
        if (hotBar_ == int(v) && hotPart_ == part && part != spTrackBefore && part != spTrackAfter)
            return 1;
        return 0;
    };
    PaintParentBackground(picture, {0, 0, picture.Width, picture.Height},
                          {background.Picture, background.X + origin.X, background.Y + origin.Y,
                           background.FillColor, background.Ready});
    if (g.Split) {
        // Each half is a piece of track with an arrow over it.
        ComposePart(picture, manager_, trackBefore, trackNames[0], g.FirstArrow, 0, background, origin);
        ComposePart(picture, manager_, trackAfter, trackNames[1], g.SecondArrow, 0, background, origin);
    } else {
        // The track before the thumb's middle, and the rest.
        const TRect& thumb = g.ThumbShown ? g.Thumb : g.TrackAfter;
        const int middle = vertical ? (g.ThumbShown ? (thumb.Top + thumb.Bottom) / 2 : g.TrackAfter.Top)
                                    : (g.ThumbShown ? (thumb.Left + thumb.Right) / 2 : g.TrackAfter.Left);
        const TRect before = vertical ? TRect{0, g.FirstArrow.Bottom, bar.Width(), middle}
                                      : TRect{g.FirstArrow.Right, 0, middle, bar.Height()};
        const TRect after = vertical ? TRect{0, middle, bar.Width(), g.SecondArrow.Top}
                                     : TRect{middle, 0, g.SecondArrow.Left, bar.Height()};
        ComposePart(picture, manager_, trackBefore, trackNames[0], before,
                    stateOf(spTrackBefore) == 2 ? 2 : 0, background, origin);
        ComposePart(picture, manager_, trackAfter, trackNames[1], after, stateOf(spTrackAfter) == 2 ? 2 : 0,
                    background, origin);
    }
    ComposePart(picture, manager_, firstArrow, arrowNames[0], g.FirstArrow, stateOf(spFirstArrow), background,
                origin);
    ComposePart(picture, manager_, secondArrow, arrowNames[1], g.SecondArrow, stateOf(spSecondArrow),
                background, origin);
    if (g.ThumbShown)
        ComposePart(picture, manager_, slider, sliderName, g.Thumb, stateOf(spThumb), background, origin);
    if (!info.Enabled)
        MixWithParent(picture, background, origin);
}

void TqzScrollWnd::PaintScrollBars(HDC windowDc) {
    const auto& cached = manager_.Cached();
    for (bool vertical : {true, false}) {
        const TqzScrollBar& bar = bars_[vertical ? 1 : 0];
        const TRect r = ToTRect(BarRect(vertical));
        const int length = vertical ? r.Height() : r.Width();
        const bool hasTrack = cached.ScrollBars[vertical ? 1 : 0].Section >= 0;
        if (!bar.Visible || !hasTrack || length <= 1 || r.Width() <= 0 || r.Height() <= 0)
            continue;
        TsBitmap24 picture(r.Width(), r.Height());
        PaintBar(picture, vertical, r);
        DrawBitmap24(windowDc, r, picture, 0, 0);
    }
    if (bars_[0].Visible && bars_[1].Visible) {
        // The size box between the two bars.
        const RECT v = BarRect(true), h = BarRect(false);
        const TRect box{v.left, h.top, v.right, h.bottom};
        if (box.Width() <= 0 || box.Height() <= 0)
            return;
        TsBitmap24 picture(box.Width(), box.Height());
        TsBackgroundRecord record;
        const TsBackgroundDescriptor background = ParentBackground(record);
        const TPoint at = PositionInParent();
        PaintParentBackground(picture, {0, 0, box.Width(), box.Height()},
                              {background.Picture, background.X + at.X + box.Left,
                               background.Y + at.Y + box.Top, background.FillColor, background.Ready});
        // At the parent's bottom-right corner the box shows the size grip.
        RECT parentClient{};
        if (HWND parent = GetParent(window_))
            GetClientRect(parent, &parentClient);
        const int grip = manager_.FindMask(cached.GlobalInfo, "GLOBALINFO", "GRIPIMAGE");
        if (grip >= 0 && at.X + box.Right == parentClient.right && at.Y + box.Bottom == parentClient.bottom) {
            const TsMaskData& mask = manager_.ma[size_t(grip)];
            const TsFrameSize size = MaskFrameSize(mask);
            DrawMaskGlyph(picture, {box.Width() - size.W, box.Height() - size.H}, 0, background, mask, true);
        }
        DrawBitmap24(windowDc, box, picture, 0, 0);
    }
}

void TqzScrollWnd::SendScroll(bool vertical, int code, int position) {
    const LRESULT selfUpdating = SendMessageA(window_, SM_SKINCOMMAND, SkinCommand(51), 0);
    if (selfUpdating == 0) {
        TqzScrollBar& bar = bars_[vertical ? 1 : 0];
        bar.Read(window_);
        if (code == SB_THUMBTRACK) {
            SCROLLINFO si{};
            si.cbSize = sizeof si;
            si.fMask = SIF_POS;
            si.nPos = position;
            SetScrollInfo(window_, vertical ? SB_VERT : SB_HORZ, &si, FALSE);
        }
    }
    SendMessageA(window_, vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position), 0);
    SendMessageA(window_, SM_SKINCOMMAND, SkinCommand(52), 0);
    RefreshScrollBars();
}

void TqzScrollWnd::Press(bool vertical, TPoint p) {
    RefreshScrollBars();
    const int v = vertical ? 1 : 0;
    TqzScrollBar& bar = bars_[v];
    const TqzScrollGeometry g = Geometry(vertical);
    const TqzScrollPart part = ScrollPartAt(g, p);
    if (part == spNone)
        return;
    if ((part == spFirstArrow && (bar.DisabledArrows & ESB_DISABLE_LTUP)) ||
        (part == spSecondArrow && (bar.DisabledArrows & ESB_DISABLE_RTDN)))
        return;
    if (!bar.Enabled)
        return;
    SetCapture(window_);
    pressedBar_ = v;
    pressedPart_ = part;
    partShownPressed_ = true;
    if (part == spThumb) {
        grabOffset_ = vertical ? p.Y - g.Thumb.Top : p.X - g.Thumb.Left;
        trackPos_ = bar.Info.Pos;
        RefreshScrollBars();
        return;
    }
    SendScroll(vertical, part, 0);
    SetTimer(window_, kFirstRepeatTimer, 300, nullptr);
}

void TqzScrollWnd::Track(TPoint p) {
    const bool vertical = pressedBar_ == 1;
    TqzScrollBar& bar = bars_[pressedBar_];
    const TqzScrollGeometry g = Geometry(vertical);
    const RECT r = BarRect(vertical);
    const int arrow = ArrowSize(vertical);
    const int trackLength = (vertical ? r.bottom - r.top : r.right - r.left) - 2 * arrow;
    const int thumbLength = vertical ? g.Thumb.Height() : g.Thumb.Width();
    const int thumbStart = (vertical ? p.Y - r.top : p.X - r.left) - arrow - grabOffset_;
    const int position = PositionOfThumb(bar.Info, trackLength, thumbLength, thumbStart);
    if (position == trackPos_)
        return;
    trackPos_ = position;
    SendScroll(vertical, SB_THUMBTRACK, position);
}

void TqzScrollWnd::Release() {
    if (pressedBar_ < 0)
        return;
    const bool vertical = pressedBar_ == 1;
    const int part = pressedPart_;
    KillTimer(window_, kFirstRepeatTimer);
    KillTimer(window_, kRepeatTimer);
    pressedBar_ = -1;
    pressedPart_ = spNone;
    partShownPressed_ = false;
    if (GetCapture() == window_)
        ReleaseCapture();
    if (part == spThumb)
        SendScroll(vertical, SB_THUMBPOSITION, trackPos_);
    SendScroll(vertical, SB_ENDSCROLL, 0);
}

void TqzScrollWnd::Timer(UINT_PTR id) {
    const TPoint p = CursorInWindow();
    if (id == kHoverTimer) {
        int bar = -1, part = spNone;
        for (int v : {0, 1}) {
            const RECT r = BarRect(v == 1);
            if (p.X >= r.left && p.X < r.right && p.Y >= r.top && p.Y < r.bottom) {
                bar = v;
                part = ScrollPartAt(Geometry(v == 1), p);
            }
        }
        if (bar < 0) {
            KillTimer(window_, kHoverTimer);
            hoverTimer_ = false;
        }
        if (bar != hotBar_ || part != hotPart_) {
            hotBar_ = bar;
            hotPart_ = part;
            RefreshScrollBars();
        }
        return;
    }
    if (id == kFirstRepeatTimer) {
        KillTimer(window_, kFirstRepeatTimer);
        SetTimer(window_, kRepeatTimer, 55, nullptr);
        return;
    }
    if (pressedBar_ < 0)
        return;
    const bool vertical = pressedBar_ == 1;
    if (ScrollPartAt(Geometry(vertical), p) == pressedPart_)
        SendScroll(vertical, pressedPart_, 0);
}

bool TqzScrollWnd::MouseMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    result = 0;
    const bool onBar = wParam == HTVSCROLL || wParam == HTHSCROLL;
    switch (message) {
    case WM_NCHITTEST: {
        MeasureFrame();
        RECT w;
        GetWindowRect(window_, &w);
        const POINT p{GET_X_LPARAM(lParam) - w.left, GET_Y_LPARAM(lParam) - w.top};
        const RECT v = BarRect(true), h = BarRect(false);
        if (PtInRect(&v, p))
            result = HTVSCROLL;
        else if (PtInRect(&h, p))
            result = HTHSCROLL;
        else
            return false;
        return true;
    }
    case WM_NCMOUSEMOVE:
        if (!onBar)
            return false;
        if (!hoverTimer_) {
            hoverTimer_ = true;
            SetTimer(window_, kHoverTimer, 20, nullptr);
        }
        return true;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        if (!onBar)
            return false;
        MeasureFrame();
        RECT w;
        GetWindowRect(window_, &w);
        Press(wParam == HTVSCROLL, {GET_X_LPARAM(lParam) - w.left, GET_Y_LPARAM(lParam) - w.top});
        return true;
    }
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_NCMBUTTONDBLCLK:
        return onBar;
    case WM_MOUSEMOVE: {
        if (pressedBar_ < 0)
            return false;
        // Client coordinates while the mouse is captured.
        const TPoint p{GET_X_LPARAM(lParam) + clientRect_.left, GET_Y_LPARAM(lParam) + clientRect_.top};
        if (pressedPart_ == spThumb) {
            Track(p);
        } else {
            const bool over = ScrollPartAt(Geometry(pressedBar_ == 1), p) == pressedPart_;
            if (over != partShownPressed_) {
                partShownPressed_ = over;
                RefreshScrollBars();
            }
        }
        return true;
    }
    case WM_LBUTTONUP:
        if (pressedBar_ < 0)
            return false;
        Release();
        return true;
    case WM_CAPTURECHANGED:
        if (pressedBar_ >= 0 && reinterpret_cast<HWND>(lParam) != window_)
            Release();
        return false;
    case WM_TIMER:
        if (wParam != kHoverTimer && wParam != kFirstRepeatTimer && wParam != kRepeatTimer)
            return false;
        Timer(wParam);
        return true;
    case WM_SYSCOMMAND:
        return wParam == 0xF077; // the system's own tracking of the vertical bar
    default:
        return false;
    }
}

LRESULT TqzScrollWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (withScrollBars_ && SkinActive() && Skinned()) {
        LRESULT result = 0;
        if (MouseMessage(message, wParam, lParam, result))
            return result;
        if (message == WM_NCPAINT) {
            const LRESULT answer = CallPrevious(message, wParam, lParam);
            RefreshScrollBars();
            return answer;
        }
    }
    return TqzMainWnd::WindowProc(message, wParam, lParam);
}
