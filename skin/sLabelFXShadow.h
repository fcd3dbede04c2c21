#pragma once
// The blurred shadow behind the text of a label with effects, without a
// window: the margins auto-sizing leaves for the shadow, the blur of the
// text's mask into a byte buffer that is kept between paints, and the mix of
// the shadow colour into the picture under the text.
#include "sBitmap.h"
#include "sSkinData.h"

#include <cstdint>
#include <vector>

enum TsShadowMode { smNone, smCustom, smSkin1 };

// The shadow's colour, number of blur passes and offset right and down.
struct TsShadowValues {
    TColor Color = 0;
    int BlurCount = 4;
    int Distance = 1;
    bool operator==(const TsShadowValues&) const = default;
};

// The skin's shadow for a mode: smSkin1 takes the skin's first shadow when a
// skin is loaded and its blur is not -1; everything else takes custom.
TsShadowValues ResolveShadow(TsShadowMode mode, const TsShadowValues& custom, const TsSkinData* loadedSkin);

// The margins auto-sizing adds for the shadow: the left and top one (0 or
// less) and the right and bottom one (0 or more).
struct TsShadowMargins {
    int LeftTop = 0;
    int RightBottom = 0;
    bool operator==(const TsShadowMargins&) const = default;
};
TsShadowMargins ShadowMargins(int distance, int blur);
// The text rectangle inside the margins: left and top moved in by the
// left/top margin, right and bottom moved back by the right/bottom one.
TRect ReducedTextRect(const TRect& r, const TsShadowMargins& margins);

class TsShadowBlur {
public:
    // Blurs mask passes times: the buffer, (width + 2) x (height + 2) cells
    // from 0, gets in each pass 255 in every cell whose mask pixel (the cell
    // one up and left of it in the mask) is not black, then every inner
    // cell, row by row and left to right, becomes the sum of its four
    // neighbours div 4, cells already done in this pass counting with their
    // new value.
    void Build(const TsBitmap24& mask, int passes);
    // The shadow's strength at mask pixel (x, y), 0 to 255.
    uint8_t Alpha(int x, int y) const;
    // Mixes the colour into the picture (the mask's size) by the strength a:
    // channel = (channel * (255 - a) + shadow * a) div 256.
    void Mix(TsBitmap24& picture, TColor shadow) const;
    // Cells held; the buffer grows only when a larger mask needs it.
    size_t Capacity() const { return buffer_.size(); }

private:
    std::vector<uint8_t> buffer_;
    int width_ = 0;
    int height_ = 0;
};
