#pragma once
// The buttons' glyphs as the skinned buttons take them: 24-bit pictures
// whose bottom-left pixel is the transparent key.
#include "Glyphs.h"
#include "skin/sBitmap.h"

#include <memory>

// A 24-bit glyph keeps its red key; a 32-bit glyph is laid over the light
// button face by its alpha, its see-through pixels becoming the red key.
std::shared_ptr<TsBitmap24> GlyphPicture(const Glyph& glyph);
