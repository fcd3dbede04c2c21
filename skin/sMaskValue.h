#pragma once
// Mask values of the options text. A value starting with "@" (glyph), "^"
// (border) or "~" (texture) cuts a rectangle of the master bitmap; "!" names a
// separate .BMP picture with its frame counts and kind; a plain value naming a
// .BMP is a picture of three frames over a mask row; ".JPG"/".JPEG" names a
// JPEG picture. The older layout separates its fields by "#":
//   LLLL#TTTT#RRRR#BBBB#C#M#K[#WL#WT#WR#WB]  a rectangle of the master bitmap
//   NAME.BMP#C#M#K[#WL#WT#WR#WB]              a separate picture
// (C frames, M mask rows, K kind: 0 border, 1 texture, 2 glyph).
#include "sSkinData.h"

#include <optional>
#include <string>
#include <string_view>

enum TsMaskSource {
    msMaster,  // R is a rectangle of the master bitmap
    msPicture, // a separate bitmap named by PictureName; R is the whole picture
    msJpeg     // a JPEG picture named by PictureName: a pattern or a texture
};

struct TsMaskValue {
    TsMaskSource Source = msMaster;
    std::string PictureName;
    TsMaskData Mask; // R, counts, kind and margins as the value gives them
    // Margins come from the division rule once R is known ("!" with fewer
    // than five words, plain pictures).
    bool DivisionMargins = false;
};

// Nothing for a value that defines no mask; the error "'%s' is not a valid
// integer value" for a malformed number inside one.
std::optional<TsMaskValue> ParseMaskValue(std::string_view value);

// A decimal (or "$"/"0x" hexadecimal) 32-bit integer with optional sign and
// surrounding blanks; nothing when the text is not one.
std::optional<int32_t> TryStrToInt(std::string_view text);
// The same, raising "'%s' is not a valid integer value".
int32_t StrToInt(std::string_view text);

// The margins of a border mask whose four margins are all 0: BorderWidth on
// every side when it is not 0, else the division rule.
void ApplyBorderMarginRule(TsMaskData& mask);
void ApplyDivisionMargins(TsMaskData& mask);
