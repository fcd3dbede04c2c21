#pragma once
// The rules of the skinned bitmap button that need no window: where its
// glyph and caption go, which skin state its face shows, which of several
// glyphs side by side it draws and how the glyph goes onto the face.
#include "sBitmap.h"
#include "sSkinData.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// The look of a disabled glyph (dg*) and of a disabled button (dk*, sGraphUtils.h).
enum TsDisabledGlyphKindFlag : unsigned { dgBlended = 1, dgGrayed = 2 };
using TsDisabledGlyphKind = unsigned;

// Blend is a percentage.
int ClampBlend(int value);

struct TsButtonGeometry {
    int Width = 0, Height = 0;
    TButtonLayout Layout = blGlyphLeft;
    TAlignment Alignment = taCenter;
    int Margin = -1;
    int Spacing = 4;
    int GlyphWidth = 0, GlyphHeight = 0;
    int TextWidth = 0, TextHeight = 0;
    bool ShowCaption = true;
    bool CaptionEmpty = true;
    bool Pressed = false;
};

// A caption counts when it is shown, there is a glyph and it is not empty.
bool HasCaption(const TsButtonGeometry& g);
// The glyph's top-left corner on the face.
TPoint GlyphPosition(const TsButtonGeometry& g);
// The caption's rectangle: glyph, spacing and text laid out as a plain bitmap
// button does; with Margin -1 and the glyph left, Alignment places the block.
TRect CaptionRect(const TsButtonGeometry& g);
// The width the caption may take when it is measured.
int CaptionMeasureWidth(const TsButtonGeometry& g);

// What the face's state depends on.
struct TsButtonStateInput {
    bool Down = false;   // the Down property
    bool Pushed = false; // the button reports itself pushed, or a click is being performed
    bool MouseOver = false;
    bool MouseHeld = false;   // the left button was pressed on the button and is still down
    bool FormDefault = false; // the form's current default button, or the default-push style
    bool Hot = false;         // focused or under the mouse
};
// 2 pressed, 1 hot, 0 normal.
int ButtonState(const TsButtonStateInput& in);

// Which glyph of numGlyphs side by side the state shows (clamped to the picture).
int GlyphIndex(int numGlyphs, int state, bool enabled, bool hot, bool down);

struct TsGlyphLook {
    int NumGlyphs = 1;
    int State = 0;
    bool Enabled = true;
    bool Hot = false;
    bool Down = false;
    bool Grayed = false;
    int Blend = 0;
    TsDisabledGlyphKind DisabledGlyphKind = dgBlended;
};
// Draws the glyph picture (numGlyphs side by side, key colour at the
// bottom-left) onto the face at position.
void DrawButtonGlyph(TsBitmap24& face, const TsBitmap24& glyphs, TPoint position, const TsGlyphLook& look);
// The same for a glyph from an image list: picture holds it on the key colour.
void DrawListGlyph(TsBitmap24& face, const TsBitmap24& picture, uint32_t key, TPoint position,
                   const TsGlyphLook& look);
