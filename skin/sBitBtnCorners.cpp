#include "sBitBtnCorners.h"

#include <algorithm>

namespace {

bool InCorner(int x, int y, int width, int height, const TsCornerMargins& m) {
    const bool left = x < m.Left, right = x >= width - m.Right;
    const bool top = y < m.Top, bottom = y >= height - m.Bottom;
    return (left || right) && (top || bottom);
}

} // namespace

void RefreshCornerPieces(TsBitmap24& face, const std::vector<TRect>& cut, const TsCornerMargins& margins,
                         const TsBackgroundDescriptor& background, TPoint origin) {
    if (background.IsEmpty())
        return;
    for (const TRect& r : cut) {
        for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, face.Height); ++y) {
            for (int x = std::max(r.Left, 0); x < std::min(r.Right, face.Width); ++x) {
                if (!InCorner(x, y, face.Width, face.Height, margins))
                    continue;
                if (background.HasPicture()) {
                    const TsBitmap24& p = *background.Picture;
                    const int px = background.X + origin.X + x, py = background.Y + origin.Y + y;
                    if (px >= 0 && py >= 0 && px < p.Width && py < p.Height)
                        face.SetPixel(x, y, p.Pixel(px, py));
                } else {
                    face.SetPixel(x, y, static_cast<uint32_t>(background.FillColor));
                }
            }
        }
    }
}

std::vector<TRect> UncoveredCornerAreas(TPoint position, int oldWidth, int oldHeight, int newWidth,
                                        int newHeight, const TsCornerMargins& m) {
    if (oldWidth <= 0 || oldHeight <= 0 || (newWidth <= oldWidth && newHeight <= oldHeight))
        return {};
    const int x = position.X, y = position.Y;
    return {
        {x + oldWidth - m.Right, y, x + oldWidth, y + m.Top},                            // top-right
        {x + oldWidth - m.Right, y + oldHeight - m.Bottom, x + oldWidth, y + oldHeight}, // bottom-right
        {x, y + oldHeight - m.Bottom, x + m.Left, y + oldHeight},                        // bottom-left
    };
}
