#pragma once
// The tables of a loaded skin: one record of colours, percentages and flags
// per section, the masks cut from the skin's pictures, and the large JPEG
// patterns; plus the skin's global data.
#include "sBitmap.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using TColor = int32_t; // 0x00BBGGRR, or a system colour (0x80000000 | index)

inline constexpr TColor clNone = 0xFF00FF; // the transparent key; as an argument: no colour
inline constexpr TColor clWhite = 0xFFFFFF;

struct TRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TRect&) const = default;
};

struct TPoint {
    int X = 0, Y = 0;
    bool operator==(const TPoint&) const = default;
};

enum TsControlBevel { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };
enum TqzImgType { itisaBorder, itisaTexture, itisaGlyph };

// The text colour and the four contour colours (left, top, right, bottom);
// -1 means no contour on that side.
using TsFontColors = std::array<TColor, 5>;

// One segment of a gradient: from one colour to the next over a share of the area.
struct TsGradientSegment {
    TColor Color1 = 0;
    TColor Color2 = 0;
    int Percent = 0;
    int Mode = 0; // 0 vertical, 1 horizontal, 2 four triangles; the first segment's decides
    bool operator==(const TsGradientSegment&) const = default;
};
// The segments of a "GRADIENTDATA" text (painted by PaintGradient, sGraphUtils).
std::vector<TsGradientSegment> ParseGradient(const std::string& text);

struct TsGeneralData {
    std::string ParentClass;
    std::string SectionName;
    TColor Color = clWhite;
    TsControlBevel Bevel = cbNone;
    TsFontColors FontColor = {0, -1, -1, -1, -1};
    TsFontColors HotFontColor = {0, -1, -1, -1, -1};
    bool GiveOwnFont = false;
    bool ReservedBoolean = false;
    int ShadowBlur = 6;
    TColor ShadowColor = 0;
    bool ShadowEnabled = false;
    int ShadowOffset = 3;
    int ShadowTransparency = 50;
    int Transparency = 0;
    int GradientPercent = 0;
    std::string GradientData = " ";
    std::vector<TsGradientSegment> GradientArray;
    int ImagePercent = 0;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    int FadingIntervalIn = 5;
    int FadingIntervalOut = 5;
    int FadingIterations = 5;
    TColor HotColor = clWhite;
    int HotTransparency = 0;
    TsControlBevel HotBevel = cbNone;
    int HotGradientPercent = 0;
    std::string HotGradientData;
    std::vector<TsGradientSegment> HotGradientArray;
    int HotImagePercent = 0;
    TColor BorderColor1 = 0;
    TColor BorderColor2 = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

class TsSkinManager;

struct TsMaskData {
    TsBitmapPtr Image; // the mask's own picture; none: cut from the master bitmap
    std::string PropertyName;
    std::string SectionName;
    TRect R;
    int16_t ImageCount = 1;
    int16_t MaskType = 0;
    int16_t BorderWidth = 0;
    int16_t StretchMode = 0;
    TqzImgType ImgType = itisaBorder;
    TsSkinManager* Manager = nullptr;
    int16_t WL = 0, WT = 0, WR = 0, WB = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

struct TsPatternData {
    TsBitmapPtr Image; // a JPEG picture
    std::string SectionName;
    std::string PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

struct TsSkinData {
    bool Active = false; // the "loaded" flag
    std::string SkinPath;
    double Version = 0;
    std::string Author;
    std::string Description;
    TColor Shadow1Color = 0;
    int Shadow1Offset = 0;
    int Shadow1Blur = -1;
    int Shadow1Transparency = 0;
    TColor BorderColor = 0;
    int TitleButtonSpacing = 0;
    int TitleButtonVOffset = 0;
};
