#include "AboutControls.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

const char* ControlClassName(WNDPROC windowProc) {
    static const char* const name = [windowProc] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = windowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "TAboutControl";
        RegisterClassA(&wc);
        return "TAboutControl";
    }();
    return name;
}

} // namespace

TAboutControl::~TAboutControl() {
    if (window_) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void TAboutControl::Create(HWND parent, const TPlacement& placement) {
    window_ = CreateWindowExA(0, ControlClassName(&TAboutControl::WindowProc), "", WS_CHILD | WS_VISIBLE,
                              placement.Left, placement.Top, placement.Width, placement.Height, parent,
                              nullptr, GetModuleHandleA(nullptr), this);
}

void TAboutControl::Invalidate() const {
    if (window_)
        InvalidateRect(window_, nullptr, TRUE);
}

LRESULT CALLBACK TAboutControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* control =
            static_cast<TAboutControl*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        control->window_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    }
    auto* control = reinterpret_cast<TAboutControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!control)
        return DefWindowProcA(window, message, wParam, lParam);
    return control->HandleMessage(message, wParam, lParam);
}

LRESULT TAboutControl::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
        }
        if (OnMouseMove)
            OnMouseMove(this);
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        if (OnMouseLeave)
            OnMouseLeave(this);
        return 0;
    case WM_SETCURSOR:
        if (LOWORD(lParam) == HTCLIENT) {
            HCURSOR hand = cursor_ == TCursor::crHandPoint ? LoadCursor(nullptr, IDC_HAND) : nullptr;
            ::SetCursor(hand ? hand : LoadCursor(nullptr, IDC_ARROW));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(window_);
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (GetCapture() == window_)
            ReleaseCapture();
        RECT client;
        GetClientRect(window_, &client);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        // A click is a press and a release over the control.
        if (wasPressed && PtInRect(&client, at) && OnClick)
            OnClick(this);
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case WM_ERASEBKGND:
        return 1; // Paint fills the whole face
    case WM_NCDESTROY: {
        // Destroyed with its parent: the object outlives its window.
        HWND window = std::exchange(window_, nullptr);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return DefWindowProcA(window, message, wParam, lParam);
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window_, &paint);
        RECT client;
        GetClientRect(window_, &client);
        Paint(dc, client);
        EndPaint(window_, &paint);
        return 0;
    }
    case WM_PRINTCLIENT: {
        RECT client;
        GetClientRect(window_, &client);
        Paint(reinterpret_cast<HDC>(wParam), client);
        return 0;
    }
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

void TAboutLabel::SetCaption(std::string caption) {
    caption_ = std::move(caption);
    Invalidate();
}

void TAboutLabel::SetFont(HFONT font) {
    font_ = font;
    Invalidate();
}

void TAboutLabel::SetColour(TControlColour colour) {
    if (colour == colour_)
        return;
    colour_ = colour;
    Invalidate();
}

void TAboutLabel::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    Invalidate();
}

void TAboutLabel::Paint(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    SelectedObject font(dc, font_ ? static_cast<HGDIOBJ>(font_) : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour_.Resolve());
    RECT rect = client;
    DrawTextA(dc, caption_.c_str(), static_cast<int>(caption_.size()), &rect,
              DT_EXPANDTABS | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : 0));
}

void TAboutImage::SetPicture(const Picture24& picture) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width;
    info.bmiHeader.biHeight = -picture.Height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_)
        return;
    // DIB rows are padded to whole 32-bit words.
    const size_t stride = (static_cast<size_t>(picture.Width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(static_cast<uint8_t*>(bits) + y * stride, picture.PixelAt(0, y),
                    static_cast<size_t>(picture.Width) * 3);
    GdiFlush();
    width_ = picture.Width;
    height_ = picture.Height;
    Invalidate();
}

void TAboutImage::Paint(HDC dc, const RECT& client) const {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    if (!bitmap_)
        return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectedObject picture(source.Get(), bitmap_.Get());
    // Unscaled from the top-left corner; the control's edges cut the rest.
    BitBlt(dc, 0, 0, std::min<int>(width_, client.right), std::min<int>(height_, client.bottom), source.Get(),
           0, 0, SRCCOPY);
}
