#include "sBitBtnLayout.h"

#include "sBlendGraph.h"

#include <algorithm>

int ClampBlend(int value) {
    return std::clamp(value, 0, 100);
}

bool HasCaption(const TsButtonGeometry& g) {
    return g.ShowCaption && g.GlyphWidth > 0 && !g.CaptionEmpty;
}

TPoint GlyphPosition(const TsButtonGeometry& g) {
    const int m = g.Margin < 0 ? 0 : g.Margin + 3;
    const int gw = g.GlyphWidth, gh = g.GlyphHeight, tw = g.TextWidth, th = g.TextHeight;
    const int s = HasCaption(g) ? g.Spacing : 0;
    const int hx = (g.Width - gw - s - tw) / 2 - m;
    const int vy = (g.Height - gh - s - th) / 2 - m;
    TPoint p;
    switch (g.Layout) {
    case blGlyphLeft:
        p.X = g.Alignment == taLeftJustify ? m : g.Alignment == taRightJustify ? m + 2 * hx : m + hx;
        p.Y = (g.Height - gh) / 2;
        break;
    case blGlyphRight:
        p.X = g.Alignment == taLeftJustify    ? g.Width - m - 2 * hx - s - gw
              : g.Alignment == taRightJustify ? g.Width - gw - m
                                              : (tw + g.Width + s - gw) / 2;
        p.Y = (g.Height - gh) / 2;
        break;
    case blGlyphTop:
        p.X = (g.Width - gw) / 2 + 1;
        p.Y = m + vy;
        break;
    case blGlyphBottom:
        p.X = (g.Width - gw) / 2 + 1;
        p.Y = g.Height - m - vy - gh;
        break;
    }
    if (g.Pressed) {
        ++p.X;
        ++p.Y;
    }
    return p;
}

int CaptionMeasureWidth(const TsButtonGeometry& g) {
    int w = g.Width - 2 * g.Margin;
    if (g.GlyphWidth > 0 && (g.Layout == blGlyphLeft || g.Layout == blGlyphRight))
        w -= g.GlyphWidth + g.Spacing;
    return std::max(w, 0);
}

TRect CaptionRect(const TsButtonGeometry& g) {
    const bool horizontal = g.Layout == blGlyphLeft || g.Layout == blGlyphRight;
    int gx = 0, gy = 0, tx = 0, ty = 0;
    if (horizontal) {
        gy = (g.Height - g.GlyphHeight + 1) / 2;
        ty = (g.Height - g.TextHeight + 1) / 2;
    } else {
        gx = (g.Width - g.GlyphWidth + 1) / 2;
        tx = (g.Width - g.TextWidth + 1) / 2;
    }
    int spacing = g.TextWidth == 0 || g.GlyphWidth == 0 ? 0 : g.Spacing;
    int margin = g.Margin;
    if (margin == -1) {
        if (spacing == -1) {
            const int total = horizontal ? g.GlyphWidth + g.TextWidth : g.GlyphHeight + g.TextHeight;
            margin = ((horizontal ? g.Width : g.Height) - total) / 3;
            spacing = margin;
        } else {
            const int total =
                horizontal ? g.GlyphWidth + spacing + g.TextWidth : g.GlyphHeight + spacing + g.TextHeight;
            margin = ((horizontal ? g.Width : g.Height) - total + 1) / 2;
        }
    } else if (spacing == -1) {
        const int rest = horizontal ? g.Width - (margin + g.GlyphWidth) : g.Height - (margin + g.GlyphHeight);
        spacing = (rest - (horizontal ? g.TextWidth : g.TextHeight)) / 2;
    }
    switch (g.Layout) {
    case blGlyphLeft:
        gx = margin;
        tx = gx + g.GlyphWidth + spacing;
        break;
    case blGlyphRight:
        gx = g.Width - margin - g.GlyphWidth;
        tx = gx - spacing - g.TextWidth;
        break;
    case blGlyphTop:
        gy = margin;
        ty = gy + g.GlyphHeight + spacing;
        break;
    case blGlyphBottom:
        gy = g.Height - margin - g.GlyphHeight;
        ty = gy - spacing - g.TextHeight;
        break;
    }
    if (g.Margin == -1 && g.Layout == blGlyphLeft && g.Alignment != taCenter) {
        // The glyph, the spacing and the text move as one block.
        const int blockWidth = tx + g.TextWidth - gx;
        const int blockLeft = g.Alignment == taLeftJustify ? 2 : g.Width - 2 - blockWidth;
        tx += blockLeft - gx;
    }
    if (horizontal)
        ty = (g.Height + 1 - g.TextHeight) / 2;
    TRect r{tx, ty, tx + g.TextWidth, ty + g.TextHeight};
    return g.Pressed ? OffsetRectBy(r, 1, 1) : r;
}

int ButtonState(const TsButtonStateInput& in) {
    if (in.Down || (in.Pushed && (in.MouseOver || !in.MouseHeld)))
        return 2;
    if (in.FormDefault || in.Hot)
        return 1;
    return 0;
}

int GlyphIndex(int numGlyphs, int state, bool enabled, bool hot, bool down) {
    int index = 0;
    if (!enabled)
        index = 1;
    else if (state == 2)
        index = down && numGlyphs > 3 ? 3 : numGlyphs >= 3 ? 2 : 0;
    else if (hot)
        index = numGlyphs >= 5 ? 4 : 0;
    return std::clamp(index, 0, std::max(numGlyphs - 1, 0));
}

namespace {

// The glyph copy on its key: grey, mixed or copied as the look says.
void PutGlyph(TsBitmap24& face, TsBitmap24& copy, uint32_t key, TPoint position, const TsGlyphLook& look,
              bool mixAtBlendWhenDisabled) {
    const TRect all = BoundsOf(copy);
    if (look.Enabled) {
        if (!look.Hot && look.Grayed)
            MakeGrayExcept(copy, static_cast<TColor>(key));
        if (look.Hot || look.Blend < 1)
            CopyKeyed(face, copy, position.X, position.Y, key);
        else
            BlendKeyed(face, position.X, position.Y, key, look.Blend / 100.0, all, copy);
        return;
    }
    if (mixAtBlendWhenDisabled && !look.Hot && look.Blend > 0) {
        BlendKeyed(face, position.X, position.Y, key, look.Blend / 100.0, all, copy);
        return;
    }
    if (look.DisabledGlyphKind & dgGrayed)
        MakeGrayExcept(copy, static_cast<TColor>(key));
    if (look.DisabledGlyphKind & dgBlended)
        BlendKeyed(face, position.X, position.Y, key, 0.5, all, copy);
    else
        CopyKeyed(face, copy, position.X, position.Y, key);
}

} // namespace

void DrawButtonGlyph(TsBitmap24& face, const TsBitmap24& glyphs, TPoint position, const TsGlyphLook& look) {
    const int n = std::max(look.NumGlyphs, 1);
    const int gw = glyphs.Width / n, gh = glyphs.Height;
    if (gw <= 0 || gh <= 0)
        return;
    const int index = n == 1 ? 0 : GlyphIndex(n, look.State, look.Enabled, look.Hot, look.Down);
    TsBitmap24 copy(gw, gh);
    CopyPicture(copy, {0, 0}, glyphs, {index * gw, 0, index * gw + gw, gh});
    const int keyX = look.Enabled ? index * gw : 0;
    const uint32_t key = glyphs.Pixel(keyX, gh - 1);
    PutGlyph(face, copy, key, position, look, n > 1);
}

void DrawListGlyph(TsBitmap24& face, const TsBitmap24& picture, uint32_t key, TPoint position,
                   const TsGlyphLook& look) {
    if (picture.Empty())
        return;
    TsBitmap24 copy = picture;
    PutGlyph(face, copy, key, position, look, false);
}
