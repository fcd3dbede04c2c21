// Frames, glyphs and textures drawn from the skin's masks.
#include "sGraphUtils.h"
#include "sGraphUtilsPieces.h"
#include "sSkinManager.h"

#include <algorithm>

TsFrameSize MaskFrameSize(const TsMaskData& mask) {
    const int count = mask.ImageCount > 0 ? mask.ImageCount : 1;
    // A mask type below 0 (an options text may say anything) has no transparency-mask row.
    return {mask.R.Width() / count, mask.R.Height() / (std::max<int>(mask.MaskType, 0) + 1)};
}

int ClampState(const TsMaskData& mask, int state) {
    const int count = mask.ImageCount > 0 ? mask.ImageCount : 1;
    return std::clamp(state, 0, count - 1);
}

const TsBitmap24* MaskPicture(const TsMaskData& mask) {
    if (mask.Image)
        return mask.Image.get();
    if (mask.Manager && mask.Manager->MasterBitmap)
        return mask.Manager->MasterBitmap.get();
    return nullptr;
}

TRect StateFrame(const TsMaskData& mask, int state) {
    const TsFrameSize f = MaskFrameSize(mask);
    const int left = mask.R.Left + ClampState(mask, state) * f.W;
    return {left, mask.R.Top, left + f.W, mask.R.Top + f.H};
}

namespace {

// Margins of a border mask fitted to an area: when the area is narrower than
// both margins, each loses half the excess (rounded toward zero) and the
// right (bottom) one a pixel more for an odd size; neither goes below 0.
void FitMargins(int extent, int& first, int& second) {
    if (extent >= first + second)
        return;
    const int half = (first + second - extent) / 2;
    first = std::max(0, first - half);
    second = std::max(0, second - half - (extent % 2 != 0 ? 1 : 0));
}

void NinePiece(TsBitmap24& target, const TRect& area, bool fillCentre, bool cornerFlag, int state,
               int maskIndex, TsSkinManager& manager, const TsBackgroundDescriptor* background,
               std::vector<TRect>* keyPixels) {
    if (maskIndex < 0 || size_t(maskIndex) >= manager.ma.size())
        return;
    const TsMaskData& m = manager.ma[size_t(maskIndex)];
    if ((state == 0 && (m.StretchMode & 2)) || area.Width() < 2 || area.Height() < 2 || !m.Manager)
        return;
    const TsBitmap24* source = MaskPicture(m);
    if (!source)
        return;
    int l = manager.MaskWidthLeft(maskIndex), r = manager.MaskWidthRight(maskIndex);
    int t = manager.MaskWidthTop(maskIndex), b = manager.MaskWidthBottom(maskIndex);
    FitMargins(area.Width(), l, r);
    FitMargins(area.Height(), t, b);
    const TsFrameSize f = MaskFrameSize(m);
    if (f.W <= 0 || f.H <= 0) // an empty or inverted rectangle has no frame to draw
        return;
    const TRect frame = StateFrame(m, state);
    const int mx = std::max(0, f.W - l - r), my = std::max(0, f.H - t - b);
    const int fx = frame.Left, fy = frame.Top;
    const bool masked = m.MaskType > 0;
    const bool stretch = (m.StretchMode & 1) && !masked;

    TsPiece piece;
    piece.Source = source;
    piece.MaskOffset = masked ? f.H : 0;
    piece.Mix = masked ? TsPieceMix::Border : TsPieceMix::Copy;
    piece.Background = background;
    const TRect clip = area;

    // Corners: their key pixels take the parent's background with the corner flag.
    piece.KeyToParent = cornerFlag && background != nullptr;
    piece.KeyPixels = keyPixels;
    auto corner = [&](int sx, int sy, int w, int h, int dx, int dy) {
        if (w <= 0 || h <= 0)
            return;
        piece.Rect = {sx, sy, sx + w, sy + h};
        DrawPiece(target, clip, {dx, dy, dx + w, dy + h}, piece);
    };
    corner(fx, fy, l, t, area.Left, area.Top);
    corner(fx + f.W - r, fy, r, t, area.Right - r, area.Top);
    corner(fx, fy + f.H - b, l, b, area.Left, area.Bottom - b);
    corner(fx + f.W - r, fy + f.H - b, r, b, area.Right - r, area.Bottom - b);

    // Edges and centre keep what is under their key pixels.
    piece.KeyToParent = false;
    piece.KeyPixels = nullptr;
    auto repeat = [&](const TRect& src, const TRect& dest, bool stretched) {
        if (IsEmptyRect(src) || IsEmptyRect(dest))
            return;
        piece.Rect = src;
        if (stretched)
            DrawPiece(target, clip, dest, piece);
        else
            TilePiece(target, clip, dest, piece);
    };
    const int innerLeft = area.Left + l, innerRight = area.Right - r;
    const int innerTop = area.Top + t, innerBottom = area.Bottom - b;
    repeat({fx + l, fy, fx + l + mx, fy + t}, {innerLeft, area.Top, innerRight, area.Top + t}, stretch);
    repeat({fx + l, fy + f.H - b, fx + l + mx, fy + f.H},
           {innerLeft, area.Bottom - b, innerRight, area.Bottom}, stretch);
    repeat({fx, fy + t, fx + l, fy + t + my}, {area.Left, innerTop, area.Left + l, innerBottom}, stretch);
    repeat({fx + f.W - r, fy + t, fx + f.W, fy + t + my}, {area.Right - r, innerTop, area.Right, innerBottom},
           stretch);
    if (fillCentre && (m.StretchMode & 4))
        repeat({fx + l, fy + t, fx + l + mx, fy + t + my}, {innerLeft, innerTop, innerRight, innerBottom},
               stretch);
}

} // namespace

void DrawNinePiece(TsBitmap24& target, const TRect& area, bool fillCentre, bool cornerFlag, int state,
                   int maskIndex, TsSkinManager& manager, const TsBackgroundDescriptor& background) {
    NinePiece(target, area, fillCentre, cornerFlag, state, maskIndex, manager, &background, nullptr);
}

void DrawNinePieceCut(TsBitmap24& target, std::vector<TRect>& regionCut, bool fillCentre, int state,
                      int maskIndex, TsSkinManager& manager) {
    NinePiece(target, BoundsOf(target), fillCentre, false, state, maskIndex, manager, nullptr, &regionCut);
}

void DrawMaskGlyph(TsBitmap24& target, TPoint position, int state, const TsBackgroundDescriptor& background,
                   const TsMaskData& mask, bool keyed) {
    const TsBitmap24* source = MaskPicture(mask);
    if (!source)
        return;
    const TsFrameSize f = MaskFrameSize(mask);
    if (f.W <= 0 || f.H <= 0)
        return;
    TsPiece piece;
    piece.Source = source;
    piece.Rect = StateFrame(mask, state);
    piece.Background = &background;
    if (mask.MaskType > 0) {
        piece.MaskOffset = f.H;
        piece.Mix = keyed ? TsPieceMix::Glyph : TsPieceMix::GlyphFade;
    } else if (keyed) {
        piece.Mix = TsPieceMix::Copy;
        piece.KeyToParent = !background.IsEmpty();
    } else {
        piece.Mix = TsPieceMix::Half;
    }
    const TRect dest{position.X, position.Y, position.X + f.W, position.Y + f.H};
    DrawPiece(target, BoundsOf(target), dest, piece);
}

TRect TileTexture(TsBitmap24& target, const TRect& area, const TsMaskData& mask,
                  const TsBackgroundDescriptor& background) {
    const TsBitmap24* source = MaskPicture(mask);
    if (!source || IsEmptyRect(area))
        return area;
    const TsFrameSize f = MaskFrameSize(mask);
    if (f.W <= 0 || f.H <= 0)
        return area;
    TsPiece piece;
    piece.Source = source;
    piece.Rect = StateFrame(mask, 0);
    piece.Background = &background;
    if (mask.MaskType > 0) {
        piece.MaskOffset = f.H;
        piece.Mix = TsPieceMix::Glyph;
    }
    const int l = area.Left, t = area.Top, r = area.Right, b = area.Bottom;
    // A mask with its own picture is always tiled over the whole area.
    const int mode = mask.Image ? 0 : mask.StretchMode;
    if (mask.MaskType > 0 || mode == 10) {
        if (mode != 10) {
            TilePiece(target, area, area, piece);
            return {};
        }
        // Whole tiles only; the margins that take none keep what is there,
        // or, for a masked texture, get the parent's background.
        const int right = l + area.Width() / f.W * f.W, bottom = t + area.Height() / f.H * f.H;
        TilePiece(target, {l, t, right, bottom}, {l, t, right, bottom}, piece);
        if (mask.MaskType > 0) {
            PaintParentBackground(target, {right, t, r, b}, background);
            PaintParentBackground(target, {l, bottom, right, b}, background);
        }
        return {};
    }
    auto uncovered = [&](const TRect& rest) { return IsEmptyRect(rest) ? TRect{} : rest; };
    switch (mode) {
    case 1:
        DrawPiece(target, area, area, piece);
        return {};
    case 2:
        TilePiece(target, area, {l, t, r, t + f.H}, piece);
        return uncovered({l, t + f.H, r, b});
    case 3:
        TilePiece(target, area, {l, t, l + f.W, b}, piece);
        return uncovered({l + f.W, t, r, b});
    case 4:
        DrawPiece(target, area, {l, t, r, t + f.H}, piece);
        return uncovered({l, t + f.H, r, b});
    case 5:
        DrawPiece(target, area, {l, t, l + f.W, b}, piece);
        return uncovered({l + f.W, t, r, b});
    case 6:
        TilePiece(target, area, {l, b - f.H, r, b}, piece);
        return uncovered({l, t, r, b - f.H});
    case 7:
        TilePiece(target, area, {r - f.W, t, r, b}, piece);
        return uncovered({l, t, r - f.W, b});
    default: // 0, and the modes no texture of a skin uses, tile the whole area
        TilePiece(target, area, area, piece);
        return {};
    }
}

void TileTexture(TsBitmap24& target, const TRect& area, const TsBitmap24& picture) {
    TsPiece piece;
    piece.Source = &picture;
    piece.Rect = BoundsOf(picture);
    TilePiece(target, area, area, piece);
}
