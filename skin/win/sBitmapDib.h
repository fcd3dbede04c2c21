#pragma once
// Skin pictures (TsBitmap24) on Windows devices: a 24-bit device-independent
// section holding a copy of the pixels, and drawing part of a picture.
#include "skin/sBitmap.h"
#include "skin/sSkinData.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <vector>

// A DIB section of the picture's size and pixels, selected into a memory
// device context for blitting.
class TsDibSection {
public:
    explicit TsDibSection(const TsBitmap24& picture);
    ~TsDibSection();
    TsDibSection(const TsDibSection&) = delete;
    TsDibSection& operator=(const TsDibSection&) = delete;
    HDC Dc() const { return dc_.Get(); }
    bool Valid() const { return static_cast<bool>(bitmap_); }

private:
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ previous_ = nullptr;
};

// The pixels of an area of dc as a picture (a screen shot when dc is the screen's).
TsBitmap24 PictureOfArea(HDC dc, const TRect& area);

// Copies the picture's pixels from (x, y) onto area of dc; what lies outside
// the picture is left alone.
void DrawBitmap24(HDC dc, const TRect& area, const TsBitmap24& picture, int x, int y);

// Copies parts of the picture onto the same places of dc, through one copy
// of the picture.
void DrawBitmapParts(HDC dc, const TsBitmap24& picture, const std::vector<TRect>& parts);

// A picture kept in the display's own format, so that painting it is one
// copy inside the display system: made from the composed picture once after
// each compose (and a part again when only that part was redrawn), then
// copied to the window on every paint.
class TsScreenPicture {
public:
    TsScreenPicture() = default;
    ~TsScreenPicture();
    TsScreenPicture(const TsScreenPicture&) = delete;
    TsScreenPicture& operator=(const TsScreenPicture&) = delete;

    // Makes the kept copy of the whole picture, in the format of dc.
    void Update(HDC dc, const TsBitmap24& picture);
    // Copies area of the picture into the kept copy again.
    void UpdateArea(const TsBitmap24& picture, const TRect& area);
    // The kept copy has the picture's size.
    bool Fits(const TsBitmap24& picture) const {
        return bitmap_ && width_ == picture.Width && height_ == picture.Height;
    }
    // Copies the kept copy from (x, y) onto area of dc.
    void Paint(HDC dc, const TRect& area, int x, int y) const;
    void Clear();

private:
    UniqueBitmap bitmap_;
    UniqueMemoryDc dc_;
    HGDIOBJ previous_ = nullptr;
    int width_ = 0, height_ = 0;
};
