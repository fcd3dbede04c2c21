#pragma once
// A push button with a glyph beside its caption, drawn by its owner window.
#include "Glyphs.h"
#include "base/win/Handles.h"

#include <windows.h>

// A glyph ready to draw: 24-bit glyphs drop their red key, 32-bit glyphs are
// blended by their alpha.
class TGlyphImage {
public:
    explicit TGlyphImage(const Glyph& glyph);
    void Draw(HDC dc, int left, int top, bool disabled) const;
    int BitsPerPixel() const { return bitsPerPixel_; }

private:
    UniqueBitmap bitmap_;
    int bitsPerPixel_;
};

// Paints an owner-drawn button: the glyph left of the caption, the pair
// centred, moved one pixel down and right while pressed.
void DrawGlyphButton(const DRAWITEMSTRUCT& item, const TGlyphImage& glyph, HFONT font);
