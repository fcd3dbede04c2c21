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

TsBitmap24 PictureOfArea(HDC dc, const TRect& area) {
    TsBitmap24 picture(std::max(area.Width(), 0), std::max(area.Height(), 0));
    if (picture.Empty())
        return picture;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.Width;
    info.bmiHeader.biHeight = -picture.Height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!bitmap || !bits || !memory)
        return picture;
    const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
    BitBlt(memory.Get(), 0, 0, picture.Width, picture.Height, dc, area.Left, area.Top, SRCCOPY);
    GdiFlush();
    const size_t row = static_cast<size_t>(picture.Width) * 3;
    const size_t stride = (row + 3) & ~size_t{3};
    for (int y = 0; y < picture.Height; ++y)
        std::memcpy(&picture.Pixels[y * row], static_cast<const uint8_t*>(bits) + y * stride, row);
    SelectObject(memory.Get(), previous);
    return picture;
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

void DrawBitmapParts(HDC dc, const TsBitmap24& picture, const std::vector<TRect>& parts) {
    const TsDibSection section(picture);
    if (!section.Valid())
        return;
    for (const TRect& part : parts)
        if (part.Width() > 0 && part.Height() > 0)
            BitBlt(dc, part.Left, part.Top, part.Width(), part.Height(), section.Dc(), part.Left, part.Top,
                   SRCCOPY);
}

TsScreenPicture::~TsScreenPicture() {
    Clear();
}

void TsScreenPicture::Clear() {
    if (dc_ && previous_)
        SelectObject(dc_.Get(), previous_);
    previous_ = nullptr;
    dc_.Reset();
    bitmap_.Reset();
    width_ = height_ = 0;
}

void TsScreenPicture::Update(HDC dc, const TsBitmap24& picture) {
    if (picture.Empty()) {
        Clear();
        return;
    }
    if (!Fits(picture)) {
        Clear();
        bitmap_.Reset(CreateCompatibleBitmap(dc, picture.Width, picture.Height));
        dc_.Reset(CreateCompatibleDC(dc));
        if (!bitmap_ || !dc_) {
            Clear();
            return;
        }
        previous_ = SelectObject(dc_.Get(), bitmap_.Get());
        width_ = picture.Width;
        height_ = picture.Height;
    }
    TsDibSection section(picture);
    if (section.Valid())
        BitBlt(dc_.Get(), 0, 0, width_, height_, section.Dc(), 0, 0, SRCCOPY);
}

void TsScreenPicture::UpdateArea(const TsBitmap24& picture, const TRect& area) {
    if (!Fits(picture) || area.Width() <= 0 || area.Height() <= 0)
        return;
    TsBitmap24 part(area.Width(), area.Height());
    for (int y = 0; y < part.Height; ++y)
        for (int x = 0; x < part.Width; ++x)
            if (area.Left + x >= 0 && area.Top + y >= 0 && area.Left + x < picture.Width &&
                area.Top + y < picture.Height)
                part.SetPixel(x, y, picture.Pixel(area.Left + x, area.Top + y));
    TsDibSection section(part);
    if (section.Valid())
        BitBlt(dc_.Get(), area.Left, area.Top, part.Width, part.Height, section.Dc(), 0, 0, SRCCOPY);
}

void TsScreenPicture::Paint(HDC dc, const TRect& area, int x, int y) const {
    const int width = std::min(area.Width(), width_ - x);
    const int height = std::min(area.Height(), height_ - y);
    if (!bitmap_ || width <= 0 || height <= 0 || x < 0 || y < 0)
        return;
    BitBlt(dc, area.Left, area.Top, width, height, dc_.Get(), x, y, SRCCOPY);
}
