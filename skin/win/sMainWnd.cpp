// The base of the adapter windows: it subclasses the window, keeps the skin
// state, answers the common skin commands and puts everything back when the
// skin goes or the window is destroyed.
#include "sAdapterWnd.h"

#include "base/win/BoundLibrary.h"
#include "controls/Application.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"
#include "skin/win/sTextCanvasWin.h"
#include "skin/win/sWindowQueries.h"

namespace {

HWND g_hotWindow = nullptr;

// SetWindowTheme of the visual-styles library, where the system has one.
using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
TBoundFunction<TSetWindowTheme> g_setWindowTheme("uxtheme.dll", "SetWindowTheme");

} // namespace

void SwitchThemeOff(HWND window) {
    if (TSetWindowTheme setTheme = g_setWindowTheme.Get())
        setTheme(window, L"", L"");
}

TqzMainWnd::TqzMainWnd(HWND window, bool withScrollBars, std::string section, TsSkinManager& manager,
                       TsCommonData* skinData)
    : window_(window), withScrollBars_(withScrollBars), section_(std::move(section)), manager_(manager),
      skinData_(skinData) {
    if (!skinData_) {
        ownData_ = std::make_unique<TsCommonData>(nullptr, true);
        skinData_ = ownData_.get();
    }
}

TqzMainWnd::~TqzMainWnd() {
    Detach();
    if (g_hotWindow == window_)
        g_hotWindow = nullptr;
}

TqzMainWnd* TqzMainWnd::Of(HWND window) {
    return static_cast<TqzMainWnd*>(GetPropA(window, kAdapterProperty));
}

HWND TqzMainWnd::HotWindow() {
    return g_hotWindow;
}

void TqzMainWnd::Attach() {
    if (attached_)
        return;
    attached_ = true;
    if (section_ != "DIALOG")
        SwitchThemeOff(window_);
    if (skinData_->Manager() != &manager_)
        skinData_->SetSkinManager(&manager_);
    if (!section_.empty() && skinData_->SkinSection() != section_)
        skinData_->SetSkinSection(section_);
    section_ = skinData_->SkinSection();
    Initialise();
    char text[512] = {};
    GetWindowTextA(window_, text, sizeof text);
    text_ = text;
    SetPropA(window_, kAdapterProperty, this);
    previous_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TqzMainWnd::Thunk)));
    skinData_->CacheStale = true;
}

void TqzMainWnd::Detach() {
    if (!attached_ || removed_)
        return;
    removed_ = true;
    if (IsWindow(window_)) {
        // Another subclass over ours keeps our procedure in its chain: then
        // the adapter only passes messages on.
        if (GetWindowLongPtrA(window_, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TqzMainWnd::Thunk)) {
            SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous_));
            RemovePropA(window_, kAdapterProperty);
        }
        Restore();
        if (IsWindowVisible(window_))
            RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
    if (g_hotWindow == window_)
        g_hotWindow = nullptr;
}

LRESULT CALLBACK TqzMainWnd::Thunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TqzMainWnd* adapter = Of(window);
    if (!adapter)
        return DefWindowProcA(window, message, wParam, lParam);
    if (adapter->removed_)
        return adapter->CallPrevious(message, wParam, lParam);
    return adapter->WindowProc(message, wParam, lParam);
}

LRESULT TqzMainWnd::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) {
    return previous_ ? CallWindowProcA(previous_, window_, message, wParam, lParam)
                     : DefWindowProcA(window_, message, wParam, lParam);
}

bool TqzMainWnd::SkinActive() const {
    return manager_.Active();
}

bool TqzMainWnd::Skinned() const {
    return skinData_->Skinned();
}

void TqzMainWnd::MeasureFrame() {
    GetWindowRect(window_, &windowRect_);
    POINT origin{0, 0};
    ClientToScreen(window_, &origin);
    RECT client;
    GetClientRect(window_, &client);
    clientRect_ = {origin.x - windowRect_.left, origin.y - windowRect_.top,
                   origin.x - windowRect_.left + client.right, origin.y - windowRect_.top + client.bottom};
    OffsetRect(&windowRect_, -windowRect_.left, -windowRect_.top);
    leftBorder_ = clientRect_.left;
    topBorder_ = clientRect_.top;
    // The scroll bars lie between the client area and the right and bottom edges.
    const LONG style = GetWindowLongA(window_, GWL_STYLE);
    rightBorder_ =
        windowRect_.right - clientRect_.right - ((style & WS_VSCROLL) ? GetSystemMetrics(SM_CXVSCROLL) : 0);
    bottomBorder_ =
        windowRect_.bottom - clientRect_.bottom - ((style & WS_HSCROLL) ? GetSystemMetrics(SM_CYHSCROLL) : 0);
    rightBorder_ = std::max(rightBorder_, 0);
    bottomBorder_ = std::max(bottomBorder_, 0);
}

TPoint TqzMainWnd::PositionInParent() const {
    RECT r;
    GetWindowRect(window_, &r);
    POINT p{r.left, r.top};
    if (HWND parent = GetParent(window_))
        ScreenToClient(parent, &p);
    return {p.x, p.y};
}

TsBackgroundDescriptor TqzMainWnd::ParentBackground(TsBackgroundRecord& record) const {
    record = {};
    TControl* owner = skinData_->OwnerControl();
    if (owner && owner->Parent()) {
        GetParentBackground(*owner->Parent(), record);
        return DescriptorOf(record);
    }
    HWND parent = GetParent(window_);
    if (parent)
        SendMessageA(parent, SM_SKINCOMMAND, SkinCommand(scGetBackground), reinterpret_cast<LPARAM>(&record));
    if (record.Kind == bkUnknown) {
        TColor color =
            parent
                ? static_cast<TColor>(SendMessageA(parent, SM_SKINCOMMAND, SkinCommand(scGetChildColor), 0))
                : 0;
        record.Kind = bkColor;
        record.FillColor = color != 0 ? color : static_cast<TColor>(GetSysColor(COLOR_BTNFACE));
    }
    return DescriptorOf(record);
}

void TqzMainWnd::AnswerBackground(TsBackgroundRecord& record) {
    if (Skinned())
        RefreshPicture();
    if (skinData_->OwnerControl()) {
        skinData_->AnswerBackground(record);
        return;
    }
    const TsBitmap24* picture = skinData_->Cache.get();
    if (Skinned() && picture && !picture->Empty()) {
        record.Kind = bkPicture;
        if (record.DrawNow && record.TargetDC)
            DrawBitmap24(static_cast<HDC>(record.TargetDC), record.Area, *picture, record.Origin.X,
                         record.Origin.Y);
        else {
            record.Picture = picture;
            record.Origin = {0, 0};
        }
        return;
    }
    record.Kind = bkColor;
    record.FillColor = skinData_->ControlColor();
}

void TqzMainWnd::CopyBorderStrips(HDC windowDc, const TsBitmap24& picture, int left, int top, int right,
                                  int bottom) {
    const int w = picture.Width, h = picture.Height;
    DrawBitmapParts(
        windowDc, picture,
        {{0, 0, w, top}, {0, h - bottom, w, h}, {0, top, left, h - bottom}, {w - right, top, w, h - bottom}});
}

TsBitmap24 TqzMainWnd::ParentFacePicture() const {
    RECT client;
    GetClientRect(window_, &client);
    TsBitmap24 picture(std::max(0L, client.right), std::max(0L, client.bottom));
    if (picture.Empty())
        return picture;
    TsBackgroundRecord record;
    const TsBackgroundDescriptor background = ParentBackground(record);
    // The client area's place in the parent.
    POINT origin{0, 0};
    MapWindowPoints(window_, GetParent(window_), &origin, 1);
    PaintParentBackground(picture, {0, 0, picture.Width, picture.Height},
                          {background.Picture, background.X + origin.x, background.Y + origin.y,
                           background.FillColor, background.Ready});
    return picture;
}

void TqzMainWnd::WriteText(TsBitmap24& picture, bool enabled, bool hot, unsigned flags,
                           const TRect& rect) const {
    TsDibTextCanvas canvas(picture);
    TsItemSkin skin = SectionItemSkin(manager_, skinData_->SkinSection());
    skin.Font = WindowFont(window_);
    canvas.SetFont(skin.Font);
    WriteSkinText(canvas, text_, enabled, hot, skin, flags, rect);
    canvas.Flush();
}

void AnswerPaint(HWND window, WPARAM dc, const std::function<void(HDC)>& paint) {
    if (dc) {
        paint(reinterpret_cast<HDC>(dc));
        return;
    }
    PAINTSTRUCT ps;
    HDC target = BeginPaint(window, &ps);
    paint(target);
    EndPaint(window, &ps);
}

void TqzMainWnd::PaintParentFace(HDC dc) {
    const TsBitmap24 picture = ParentFacePicture();
    if (!picture.Empty())
        DrawBitmap24(dc, {0, 0, picture.Width, picture.Height}, picture, 0, 0);
}

LRESULT TqzMainWnd::AnswerSkinCommand(WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    const bool mine = reinterpret_cast<TsSkinManager*>(lParam) == &manager_;
    TsCommonData& data = *skinData_;
    switch (CommandOf(wParam)) {
    case scNewSkin:
        if (mine) {
            data.UpdateIndexes();
            data.CacheStale = true;
        }
        return 0;
    case scRemoveSkin:
        if (mine)
            Detach();
        return 0;
    case scRefresh:
        if (mine) {
            data.UpdateIndexes();
            data.CacheStale = true;
            data.PaintSuspended = false;
            RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
        }
        return 0;
    case 6:
        if (data.PaintSuspended) {
            data.PaintSuspended = false;
            RedrawWindow(window_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
        }
        return 0;
    case scIsSkinned:
        return 1;
    case scIsStale:
        return data.CacheStale || data.PaintSuspended;
    case scGetChildColor: {
        const LRESULT answer = CallPrevious(SM_SKINCOMMAND, wParam, lParam);
        return answer != 0 ? answer : static_cast<LRESULT>(data.ControlColor());
    }
    case scGetBackground:
        if (lParam)
            AnswerBackground(*reinterpret_cast<TsBackgroundRecord*>(lParam));
        return 0;
    case scGetApplication:
        return reinterpret_cast<LRESULT>(&Application());
    case 29: // the mouse came over the window
        data.MouseOver = true;
        break;
    case 30: // the mouse left it
        data.MouseLeft();
        break;
    default:
        break;
    }
    handled = false;
    return 0;
}

LRESULT TqzMainWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_DESTROY:
    case WM_NCDESTROY: {
        const WNDPROC previous = previous_;
        HWND window = window_;
        Detach();
        return previous ? CallWindowProcA(previous, window, message, wParam, lParam)
                        : DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_UPDATEUISTATE:
        return 0;
    case WM_SIZE:
        skinData_->CacheStale = true;
        break;
    case WM_SETTEXT: {
        const LRESULT result = CallPrevious(message, wParam, lParam);
        text_ = lParam ? reinterpret_cast<const char*>(lParam) : "";
        return result;
    }
    case WM_MOUSEMOVE:
        if (IsWindowEnabled(window_) && g_hotWindow != window_) {
            HWND previous = g_hotWindow;
            g_hotWindow = window_;
            if (previous && IsWindow(previous))
                SendMessageA(previous, SM_SKINCOMMAND, SkinCommand(30), 0);
            SendMessageA(window_, SM_SKINCOMMAND, SkinCommand(29), 0);
        }
        break;
    case SM_SKINCOMMAND: {
        bool handled = false;
        const LRESULT result = AnswerSkinCommand(wParam, lParam, handled);
        if (handled || removed_)
            return result;
        break;
    }
    case WM_PRINT:
        if (SkinActive())
            return SendMessageA(window_, WM_PAINT, wParam, 0);
        break;
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}
