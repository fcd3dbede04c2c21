// Skinned text on a skin picture through GDI.
#include "skin/win/sTextCanvasWin.h"

#include <cstring>

// The layout flags are handed to DrawTextA unchanged.
static_assert(tfCenter == DT_CENTER && tfRight == DT_RIGHT && tfVCenter == DT_VCENTER &&
              tfBottom == DT_BOTTOM);
static_assert(tfWordBreak == DT_WORDBREAK && tfSingleLine == DT_SINGLELINE && tfExpandTabs == DT_EXPANDTABS);
static_assert(tfNoClip == DT_NOCLIP && tfCalcRect == DT_CALCRECT && tfNoPrefix == DT_NOPREFIX);
static_assert(tfRtlReading == DT_RTLREADING && tfEndEllipsis == DT_END_ELLIPSIS &&
              tfHidePrefix == DT_HIDEPREFIX);

TsDibTextCanvas::TsDibTextCanvas(TsBitmap24& picture) : picture_(picture) {
    if (picture.Empty())
        return;
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (!dc_)
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture.Width;
    info.bmiHeader.biHeight = -picture.Height; // rows top-down, as in the picture
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(dc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits)
        return;
    bits_ = static_cast<uint8_t*>(bits);
    stride_ = (size_t(picture.Width) * 3 + 3) & ~size_t(3);
    const size_t row = size_t(picture.Width) * 3;
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(bits_ + stride_ * size_t(y), picture.Pixels.data() + row * size_t(y), row);
    previousBitmap_ = SelectObject(dc_.Get(), bitmap_.Get());
    SetBkMode(dc_.Get(), TRANSPARENT);
}

TsDibTextCanvas::~TsDibTextCanvas() {
    Flush();
    if (previousFont_)
        SelectObject(dc_.Get(), previousFont_);
    if (previousBitmap_)
        SelectObject(dc_.Get(), previousBitmap_);
}

void TsDibTextCanvas::Flush() {
    if (!bits_)
        return;
    GdiFlush();
    const size_t row = size_t(picture_.Width) * 3;
    for (int y = 0; y < picture_.Height; ++y)
        std::memcpy(picture_.Pixels.data() + row * size_t(y), bits_ + stride_ * size_t(y), row);
}

void TsDibTextCanvas::SetFont(const TsTextFont& font) {
    if (!bits_)
        return;
    UniqueFont created(CreateFontA(font.Height, 0, 0, 0, font.Bold ? FW_BOLD : FW_NORMAL, font.Italic,
                                   font.Underline, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                   font.Name.c_str()));
    if (!created)
        return;
    const HGDIOBJ previous = SelectObject(dc_.Get(), created.Get());
    if (!previousFont_)
        previousFont_ = previous;
    font_ = std::move(created); // the font selected before, if ours, goes now
}

void TsDibTextCanvas::SetClip(const std::optional<TRect>& clip) {
    if (!bits_)
        return;
    if (!clip) {
        SelectClipRgn(dc_.Get(), nullptr);
        return;
    }
    UniqueRegion region(CreateRectRgn(clip->Left, clip->Top, clip->Right, clip->Bottom));
    if (region)
        SelectClipRgn(dc_.Get(), region.Get()); // the device context keeps a copy
}

TsTextSize TsDibTextCanvas::TextExtent(const std::string& text) {
    SIZE size{};
    if (bits_)
        GetTextExtentPoint32A(dc_.Get(), text.c_str(), int(text.size()), &size);
    return {int(size.cx), int(size.cy)};
}

void TsDibTextCanvas::PutText(const std::string& text, const TRect& rect, unsigned flags, TColor color) {
    if (!bits_)
        return;
    SetTextColor(dc_.Get(), COLORREF(ToRGB(color)));
    RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawTextA(dc_.Get(), text.c_str(), int(text.size()), &r, flags);
}
