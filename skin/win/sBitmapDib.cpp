#include "sBitmapDib.h"

#include <algorithm>
#include <cstring>

TsDibSection::TsDibSection(const TsBitmap24& picture) {
    if (picture.Empty())
        return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width;
    info.bmiHeader.biHeight = -picture.Height; // top-down, as the picture
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_ || !bits)
        return;
    // DIB rows are padded to whole 32-bit words.
    const size_t row = static_cast<size_t>(picture.Width) * 3;
    const size_t stride = (row + 3) & ~size_t{3};
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(static_cast<uint8_t*>(bits) + y * stride, &picture.Pixels[y * row], row);
    GdiFlush();
    dc_.Reset(CreateCompatibleDC(nullptr));
    if (dc_)
        previous_ = SelectObject(dc_.Get(), bitmap_.Get());
}

TsDibSection::~TsDibSection() {
    if (dc_ && previous_)
        SelectObject(dc_.Get(), previous_);
}

void DrawBitmap24(HDC dc, const TRect& area, const TsBitmap24& picture, int x, int y) {
    const int width = std::min(area.Width(), picture.Width - x);
    const int height = std::min(area.Height(), picture.Height - y);
    if (width <= 0 || height <= 0 || x < 0 || y < 0)
        return;
    TsDibSection section(picture);
    if (section.Valid())
        BitBlt(dc, area.Left, area.Top, width, height, section.Dc(), x, y, SRCCOPY);
}
