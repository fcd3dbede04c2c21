#pragma once
// Skin pictures (TsBitmap24) on Windows devices: a 24-bit device-independent
// section holding a copy of the pixels, and drawing part of a picture.
#include "skin/sBitmap.h"
#include "skin/sSkinData.h"
#include "base/win/Handles.h"

#include <windows.h>

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

// Copies the picture's pixels from (x, y) onto area of dc; what lies outside
// the picture is left alone.
void DrawBitmap24(HDC dc, const TRect& area, const TsBitmap24& picture, int x, int y);
