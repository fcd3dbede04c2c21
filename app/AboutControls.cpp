#include "AboutControls.h"

#include <algorithm>
#include <cstring>
#include <utility>

void TAboutControl::Create(TWinControl* parent, const TPlacement& placement) {
    SetBounds({placement.Left, placement.Top, placement.Width, placement.Height});
    SetParent(parent);
}

void TAboutControl::Paint(void* dc) {
    const RECT client{0, 0, Width(), Height()};
    Paint(static_cast<HDC>(dc), client);
}

TMessageResult TAboutControl::WndProc(unsigned message, TWParam wParam, TLParam lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        if (OnMouseMove)
            OnMouseMove(this);
        return 0;
    case CM_MOUSELEAVE:
        if (OnMouseLeave)
            OnMouseLeave(this);
        return 0;
    case WM_SETCURSOR: {
        HCURSOR hand = cursor_ == TCursor::crHandPoint ? LoadCursor(nullptr, IDC_HAND) : nullptr;
        ::SetCursor(hand ? hand : LoadCursor(nullptr, IDC_ARROW));
        return TRUE;
    }
    case WM_LBUTTONDOWN:
        pressed_ = true;
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        const int x = static_cast<short>(LOWORD(lParam));
        const int y = static_cast<short>(HIWORD(lParam));
        // A click is a press and a release over the control.
        if (wasPressed && x >= 0 && y >= 0 && x < Width() && y < Height() && OnClick)
            OnClick(this);
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    default:
        return TGraphicControl::WndProc(message, wParam, lParam);
    }
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

void TAboutLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}

void TAboutLabel::Paint(HDC dc, const RECT& client) const {
    if (!transparent_)
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
