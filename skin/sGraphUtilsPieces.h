#pragma once
// The one loop that draws a piece of a skin picture into a work picture:
// copied or stretched, copied as it is or mixed through the piece's
// transparency mask, with the key colour skipped or replaced by the parent's
// background. Frames, glyphs and textures are all drawn through it.
#include "sGraphUtils.h"

#include <vector>

enum class TsPieceMix {
    Copy,   // the skin pixel as it is
    Border, // through the mask: red and green ((d - p) m + 256 p) div 256, blue p - (m (p - d) + 255) div 256
    Glyph,  // through the mask: ((d - p) m + 256 p) div 256 on every channel, limited to 0..255
    GlyphFade, // the same with m raised by 100 (at most 255)
    Half       // half skin pixel, half what is there
};

struct TsPiece {
    const TsBitmap24* Source = nullptr;
    TRect Rect;         // the piece inside Source
    int MaskOffset = 0; // rows from a pixel down to its transparency-mask byte; 0: no mask
    TsPieceMix Mix = TsPieceMix::Copy;
    bool KeyToParent = false; // key pixels take the parent's background instead of staying
    const TsBackgroundDescriptor* Background = nullptr;
    std::vector<TRect>* KeyPixels = nullptr; // collects the key pixels drawn over, as one-row runs
};

// Draws the piece over dest (stretched when the sizes differ), writing only
// inside clip and the target.
void DrawPiece(TsBitmap24& target, const TRect& clip, const TRect& dest, const TsPiece& piece);
// Repeats the piece over dest from its top-left, the last repetitions cut.
void TilePiece(TsBitmap24& target, const TRect& clip, const TRect& dest, const TsPiece& piece);
