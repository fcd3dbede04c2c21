#include "GlyphButton.h"

#include <cstring>
#include <string>

namespace {
constexpr int kSpacing = 4;
}

TGlyphImage::TGlyphImage(const Glyph& glyph) : bitsPerPixel_(glyph.BitsPerPixel) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = Glyph::Size;
    info.bmiHeader.biHeight = -Glyph::Size; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(glyph.BitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits)
        return;
    const int bpp = glyph.BytesPerPixel();
    const int stride = ((Glyph::Size * bpp) + 3) & ~3;
    auto* out = static_cast<uint8_t*>(bits);
    for (int y = 0; y < Glyph::Size; ++y) {
        for (int x = 0; x < Glyph::Size; ++x) {
            const uint8_t* p = glyph.PixelAt(x, y);
            uint8_t* q = out + y * stride + x * bpp;
            if (bpp == 4) {
                // AlphaBlend wants premultiplied colours.
                const unsigned a = p[3];
                q[0] = static_cast<uint8_t>(p[0] * a / 255);
                q[1] = static_cast<uint8_t>(p[1] * a / 255);
                q[2] = static_cast<uint8_t>(p[2] * a / 255);
                q[3] = static_cast<uint8_t>(a);
            } else {
                std::memcpy(q, p, 3);
            }
        }
    }
}

void TGlyphImage::Draw(HDC dc, int left, int top, bool disabled) const {
    if (!bitmap_)
        return;
    UniqueMemoryDc source(CreateCompatibleDC(dc));
    SelectedObject selected(source.Get(), bitmap_.Get());
    if (bitsPerPixel_ == 32) {
        BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(disabled ? 96 : 255), AC_SRC_ALPHA};
        AlphaBlend(dc, left, top, Glyph::Size, Glyph::Size, source.Get(), 0, 0, Glyph::Size, Glyph::Size,
                   blend);
    } else {
        TransparentBlt(dc, left, top, Glyph::Size, Glyph::Size, source.Get(), 0, 0, Glyph::Size, Glyph::Size,
                       RGB(kGlyphKeyRed, 0, 0));
    }
}

void DrawGlyphButton(const DRAWITEMSTRUCT& item, const TGlyphImage& glyph, HFONT font) {
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool focused = (item.itemState & ODS_FOCUS) != 0;

    if (focused) {
        // The default-button frame of a focused push button.
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&rect, -1, -1);
    }
    DrawFrameControl(dc, &rect, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED | DFCS_FLAT : 0));
    if (pressed)
        FrameRect(dc, &rect, GetSysColorBrush(COLOR_BTNSHADOW));

    char caption[256];
    const int length = GetWindowTextA(item.hwndItem, caption, sizeof caption);
    SelectedObject selectedFont(dc, font);
    SIZE text{};
    GetTextExtentPoint32A(dc, caption, length, &text);

    const int shift = pressed ? 1 : 0;
    const int width = Glyph::Size + (length > 0 ? kSpacing + text.cx : 0);
    const int left = (item.rcItem.left + item.rcItem.right - width) / 2 + shift;
    const int glyphTop = (item.rcItem.top + item.rcItem.bottom - Glyph::Size) / 2 + shift;
    glyph.Draw(dc, left, glyphTop, disabled);

    RECT textRect{left + Glyph::Size + kSpacing, item.rcItem.top + shift, item.rcItem.right,
                  item.rcItem.bottom + shift};
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    DrawTextA(dc, caption, length, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);

    if (focused) {
        RECT focus = item.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}
