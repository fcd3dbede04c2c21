// Drawing pieces of skin pictures: the per-row loop that frames, glyphs and
// textures share.
#include "sGraphUtilsPieces.h"

#include <algorithm>

namespace {

// The parent's background pixel under target pixel (x, y): false when the
// descriptor has none there.
bool ParentPixel(const TsBackgroundDescriptor& bg, int x, int y, uint8_t out[3]) {
    if (bg.HasPicture()) {
        const int px = x + bg.X, py = y + bg.Y;
        if (px < 0 || py < 0 || px >= bg.Picture->Width || py >= bg.Picture->Height)
            return false;
        const uint8_t* p = PixelAt(*bg.Picture, px, py);
        out[0] = p[0];
        out[1] = p[1];
        out[2] = p[2];
        return true;
    }
    if (bg.HasFill()) {
        const uint32_t c = static_cast<uint32_t>(ToRGB(bg.FillColor));
        out[0] = uint8_t(c >> 16);
        out[1] = uint8_t(c >> 8);
        out[2] = uint8_t(c);
        return true;
    }
    return false;
}

inline uint8_t GlyphChannel(int d, int p, int m) {
    return uint8_t(std::clamp(((d - p) * m + p * 256) / 256, 0, 255));
}

} // namespace

void DrawPiece(TsBitmap24& target, const TRect& clip, const TRect& dest, const TsPiece& piece) {
    if (!piece.Source || IsEmptyRect(dest))
        return;
    const TsBitmap24& src = *piece.Source;
    // Only rows whose mask row exists too can be drawn.
    const TRect valid{0, 0, src.Width, src.Height - piece.MaskOffset};
    TRect s = IntersectRects(piece.Rect, valid);
    if (IsEmptyRect(s))
        return;
    TRect d = dest;
    const bool stretched = piece.Rect.Width() != dest.Width() || piece.Rect.Height() != dest.Height();
    if (!stretched) {
        // Cut the destination as the piece was cut.
        d = {dest.Left + (s.Left - piece.Rect.Left), dest.Top + (s.Top - piece.Rect.Top), 0, 0};
        d.Right = d.Left + s.Width();
        d.Bottom = d.Top + s.Height();
    }
    const TRect w = IntersectRects(IntersectRects(d, clip), BoundsOf(target));
    if (IsEmptyRect(w))
        return;
    const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
    const size_t maskStride = size_t(piece.MaskOffset) * size_t(src.Width) * 3;
    uint8_t parent[3];
    for (int y = w.Top; y < w.Bottom; ++y) {
        const int sy = s.Top + int((int64_t(y - d.Top) * sh) / dh);
        uint8_t* dp = PixelAt(target, w.Left, y);
        const uint8_t* row = PixelAt(src, 0, sy);
        int runStart = -1;
        for (int x = w.Left; x < w.Right; ++x, dp += 3) {
            const int sx = s.Left + int((int64_t(x - d.Left) * sw) / dw);
            const uint8_t* sp = row + size_t(sx) * 3;
            if (ColorOfPixel(sp) == uint32_t(clNone)) {
                if (piece.KeyPixels && runStart < 0)
                    runStart = x;
                if (piece.KeyToParent && piece.Background && ParentPixel(*piece.Background, x, y, parent)) {
                    dp[0] = parent[0];
                    dp[1] = parent[1];
                    dp[2] = parent[2];
                }
                continue;
            }
            if (runStart >= 0) {
                piece.KeyPixels->push_back({runStart, y, x, y + 1});
                runStart = -1;
            }
            const uint8_t* mp = sp + maskStride;
            switch (piece.Mix) {
            case TsPieceMix::Copy:
                dp[0] = sp[0];
                dp[1] = sp[1];
                dp[2] = sp[2];
                break;
            case TsPieceMix::Border: {
                dp[0] = uint8_t(std::clamp(sp[0] - (mp[0] * (sp[0] - dp[0]) + 255) / 256, 0, 255));
                dp[1] = uint8_t(std::clamp(((dp[1] - sp[1]) * mp[1] + sp[1] * 256) / 256, 0, 255));
                dp[2] = uint8_t(std::clamp(((dp[2] - sp[2]) * mp[2] + sp[2] * 256) / 256, 0, 255));
                break;
            }
            case TsPieceMix::Glyph:
                for (int k = 0; k < 3; ++k)
                    dp[k] = GlyphChannel(dp[k], sp[k], mp[k]);
                break;
            case TsPieceMix::GlyphFade:
                for (int k = 0; k < 3; ++k)
                    dp[k] = GlyphChannel(dp[k], sp[k], std::min(255, mp[k] + 100));
                break;
            case TsPieceMix::Half:
                for (int k = 0; k < 3; ++k)
                    dp[k] = uint8_t((sp[k] + dp[k] + 1) / 2);
                break;
            }
        }
        if (runStart >= 0)
            piece.KeyPixels->push_back({runStart, y, w.Right, y + 1});
    }
}

void TilePiece(TsBitmap24& target, const TRect& clip, const TRect& dest, const TsPiece& piece) {
    const int pw = piece.Rect.Width(), ph = piece.Rect.Height();
    if (pw <= 0 || ph <= 0 || IsEmptyRect(dest))
        return;
    const TRect c = IntersectRects(IntersectRects(clip, dest), BoundsOf(target));
    if (IsEmptyRect(c))
        return;
    // Only the repetitions that reach the clipped area are drawn.
    const int firstX = dest.Left + (c.Left - dest.Left) / pw * pw;
    const int firstY = dest.Top + (c.Top - dest.Top) / ph * ph;
    for (int y = firstY; y < c.Bottom; y += ph)
        for (int x = firstX; x < c.Right; x += pw)
            DrawPiece(target, c, {x, y, x + pw, y + ph}, piece);
}
