// Windowed controls on Windows: the one window procedure every control's
// window runs through, own window classes, subclassing, painting and mouse
// input of graphic children.
#include "controls/Application.h"
#include "controls/Controls.h"
#include "controls/Menus.h"
#include "controls/win/WindowThunk.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <set>

namespace {

constexpr char kControlProperty[] = "KestovaControl";
constexpr char kOldProcProperty[] = "KestovaOldProc";

HWND Hwnd(void* handle) {
    return static_cast<HWND>(handle);
}

COLORREF Rgb(TColor color) {
    return color < 0 ? GetSysColor(color & 0xFF) : static_cast<COLORREF>(color);
}

// Registers the control's own window class once per name.
bool RegisterOwnClass(const std::string& name, int classStyle) {
    static std::set<std::string> registered;
    if (registered.count(name))
        return true;
    WNDCLASSA wc{};
    wc.style = static_cast<UINT>(classStyle);
    wc.lpfnWndProc = &TWindowThunk::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.lpszClassName = name.c_str();
    if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    registered.insert(name);
    return true;
}

} // namespace

TWinControl* TWindowThunk::ControlOf(HWND window) {
    return static_cast<TWinControl*>(GetPropA(window, kControlProperty));
}

void TWindowThunk::Attach(HWND window, TWinControl* control) {
    control->handle_ = window;
    SetPropA(window, kControlProperty, control);
}

LRESULT CALLBACK TWindowThunk::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = ControlOf(window);
    if (!control && message == WM_NCCREATE) {
        control = static_cast<TWinControl*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (control)
            Attach(window, control);
    }
    if (!control) {
        auto old = reinterpret_cast<WNDPROC>(GetPropA(window, kOldProcProperty));
        return old ? CallWindowProcA(old, window, message, wParam, lParam)
                   : DefWindowProcA(window, message, wParam, lParam);
    }
    const LRESULT result = control->Perform(message, wParam, static_cast<TLParam>(lParam));
    if (message == WM_NCDESTROY)
        control->Detach();
    return result;
}

bool TWinControl::CreateHandle(const TCreateParams& params) {
    if (handle_)
        return true;
    std::string windowClass = params.WindowClass;
    ownClass_ = windowClass.empty();
    if (ownClass_) {
        windowClass = ClassName();
        if (!RegisterOwnClass(windowClass, params.ClassStyle))
            return false;
    }
    HWND parentWindow = Parent() && Parent()->handle_ ? Hwnd(Parent()->handle_) : Hwnd(params.ParentWindow);
    DWORD style = params.Style;
    if (Visible() && (style & WS_CHILD))
        style |= WS_VISIBLE;
    if (!Enabled())
        style |= WS_DISABLED;
    const TBounds& b = BoundsRect();
    HWND window = CreateWindowExA(params.ExStyle, windowClass.c_str(), params.Caption.c_str(), style, b.Left,
                                  b.Top, b.Width, b.Height, parentWindow, reinterpret_cast<HMENU>(params.Id),
                                  GetModuleHandleA(nullptr), ownClass_ ? this : nullptr);
    if (!window)
        return false;
    if (!ownClass_)
        AttachHandle(window);
    return true;
}

void TWinControl::AttachHandle(void* handle) {
    HWND window = Hwnd(handle);
    TWindowThunk::Attach(window, this);
    auto old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWindowThunk::WindowProc)));
    oldProc_ = reinterpret_cast<void*>(old);
    SetPropA(window, kOldProcProperty, oldProc_);
}

void TWinControl::Detach() {
    HWND window = Hwnd(handle_);
    if (!window)
        return;
    if (oldProc_) {
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
        RemovePropA(window, kOldProcProperty);
    }
    RemovePropA(window, kControlProperty);
    oldProc_ = nullptr;
    handle_ = nullptr;
    mouseControl_ = captureControl_ = nullptr;
}

void TWinControl::ReleaseHandle() {
    Detach();
}

void TWinControl::DestroyHandle() {
    if (HWND window = Hwnd(handle_)) {
        Detach();
        DestroyWindow(window);
    }
}

TMessageResult TWinControl::SendWindowMessage(unsigned message, TWParam wParam, TLParam lParam) {
    if (handle_)
        return SendMessageA(Hwnd(handle_), message, wParam, lParam);
    return Perform(message, wParam, lParam);
}

bool TWinControl::Focused() const {
    return handle_ && GetFocus() == Hwnd(handle_);
}

void TWinControl::SetBounds(const TBounds& bounds) {
    TControl::SetBounds(bounds);
    if (handle_)
        MoveWindow(Hwnd(handle_), bounds.Left, bounds.Top, bounds.Width, bounds.Height, TRUE);
}

void TWinControl::SetVisible(bool visible) {
    TControl::SetVisible(visible);
    if (handle_)
        ShowWindow(Hwnd(handle_), visible ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool enabled) {
    TControl::SetEnabled(enabled);
    if (handle_)
        EnableWindow(Hwnd(handle_), enabled);
}

void TWinControl::Invalidate() {
    if (handle_)
        InvalidateRect(Hwnd(handle_), nullptr, TRUE);
}

void TWinControl::InvalidateArea(const TBounds& area) {
    const RECT r{area.Left, area.Top, area.Left + area.Width, area.Top + area.Height};
    if (handle_)
        InvalidateRect(Hwnd(handle_), &r, TRUE);
}

TMessageResult TWinControl::DefaultHandler(unsigned message, TWParam wParam, TLParam lParam) {
    HWND window = Hwnd(handle_);
    if (!window)
        return 0;
    if (oldProc_)
        return CallWindowProcA(reinterpret_cast<WNDPROC>(oldProc_), window, message, wParam, lParam);
    return DefWindowProcA(window, message, wParam, lParam);
}

void TWinControl::EraseBackground(void* dc) {
    RECT client;
    GetClientRect(Hwnd(handle_), &client);
    UniqueBrush brush(CreateSolidBrush(Rgb(Color())));
    FillRect(static_cast<HDC>(dc), &client, brush.Get());
}

void TWinControl::PaintControls(void* handle) {
    HDC dc = static_cast<HDC>(handle);
    for (TControl* child : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (!graphic || !graphic->Visible())
            continue;
        const TBounds& b = graphic->BoundsRect();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, b.Left, b.Top, b.Left + b.Width, b.Top + b.Height);
        POINT origin;
        OffsetViewportOrgEx(dc, b.Left, b.Top, &origin);
        graphic->Paint(dc);
        RestoreDC(dc, saved);
    }
}

TControl* TWinControl::GraphicControlAt(int x, int y) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        if (child->AsWinControl() || !child->Visible())
            continue;
        const TBounds& b = child->BoundsRect();
        if (x >= b.Left && x < b.Left + b.Width && y >= b.Top && y < b.Top + b.Height)
            return child;
    }
    return nullptr;
}

namespace {

TLParam Moved(LPARAM lParam, const TControl& to) {
    const int x = static_cast<short>(LOWORD(lParam)) - to.Left();
    const int y = static_cast<short>(HIWORD(lParam)) - to.Top();
    return static_cast<TLParam>(MAKELPARAM(x, y));
}

} // namespace

bool TWinControl::HandleMouse(unsigned message, TWParam wParam, TLParam lParam, TMessageResult& result) {
    HWND window = Hwnd(handle_);
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
    case WM_MOUSEMOVE: {
        TControl* target = captureControl_ ? captureControl_ : GraphicControlAt(x, y);
        if (target != mouseControl_) {
            if (TControl* left = std::exchange(mouseControl_, target))
                left->Perform(CM_MOUSELEAVE);
            if (target) {
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
                TrackMouseEvent(&track);
                target->Perform(CM_MOUSEENTER);
            }
        }
        if (!target)
            return false;
        result = target->Perform(message, wParam, Moved(lParam, *target));
        return true;
    }
    case WM_MOUSELEAVE:
        if (TControl* left = std::exchange(mouseControl_, nullptr))
            left->Perform(CM_MOUSELEAVE);
        return false;
    case WM_LBUTTONDOWN:
        if (TControl* target = GraphicControlAt(x, y)) {
            captureControl_ = target;
            SetCapture(window);
            result = target->Perform(message, wParam, Moved(lParam, *target));
            return true;
        }
        return false;
    case WM_LBUTTONUP:
        if (TControl* target = std::exchange(captureControl_, nullptr)) {
            if (GetCapture() == window)
                ReleaseCapture();
            result = target->Perform(message, wParam, Moved(lParam, *target));
            return true;
        }
        return false;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == window) {
            POINT at;
            GetCursorPos(&at);
            ScreenToClient(window, &at);
            if (TControl* target = GraphicControlAt(at.x, at.y)) {
                if (target->Perform(message, wParam, lParam)) {
                    result = TRUE;
                    return true;
                }
            }
        }
        return false;
    case WM_CAPTURECHANGED:
        if (TControl* target = std::exchange(captureControl_, nullptr))
            target->Perform(message, wParam, lParam);
        return false;
    default:
        return false;
    }
}

TMessageResult TCustomForm::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    if (mainForm_) {
        TMessageResult answer = 0;
        if (Application().MainWindowMessage(message, wParam, lParam, answer))
            return answer;
    }
    // Switched back to (and not minimized): the control that had the focus gets it again.
    if (message == WM_ACTIVATE && HandleAllocated() && LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) {
        HWND window = static_cast<HWND>(Handle());
        HWND focus = static_cast<HWND>(focusedWindow_);
        // The form may be hidden from drawing (WM_SETREDRAW) just now: the
        // control's own visibility counts.
        if (focus && IsWindow(focus) && IsChild(window, focus) &&
            (GetWindowLongPtrA(focus, GWL_STYLE) & WS_VISIBLE) && IsWindowEnabled(focus)) {
            SetFocus(focus);
            return 0;
        }
    }
    return TWinControl::WndProc(message, wParam, lParam);
}

void TCustomForm::ControlFocused(void* window) {
    focusedWindow_ = window;
}

TMessageResult TWinControl::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    // The form keeps which of its controls has the focus, for giving it back.
    if (message == WM_SETFOCUS && handle_)
        if (TCustomForm* form = ParentForm(); form && form != this)
            form->ControlFocused(handle_);
    TMessageResult result = 0;
    // Owner-drawn menu items the window shows are measured and drawn by their handlers.
    if ((message == WM_MEASUREITEM || message == WM_DRAWITEM) && wParam == 0 &&
        DispatchMenuOwnerDraw(message, wParam, lParam, result))
        return result;
    if (!ownClass_ || !handle_)
        return TControl::WndProc(message, wParam, lParam);
    if (HandleMouse(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<void*>(wParam));
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(Hwnd(handle_), &paint);
        PaintWindow(dc);
        PaintControls(dc);
        EndPaint(Hwnd(handle_), &paint);
        return 0;
    }
    case WM_PRINTCLIENT:
        EraseBackground(reinterpret_cast<void*>(wParam));
        PaintWindow(reinterpret_cast<void*>(wParam));
        PaintControls(reinterpret_cast<void*>(wParam));
        return 0;
    default:
        return TControl::WndProc(message, wParam, lParam);
    }
}
