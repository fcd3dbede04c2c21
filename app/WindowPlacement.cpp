#include "WindowPlacement.h"

#include <algorithm>

int FittingPixelsPerInch(int systemPixelsPerInch, int clientWidth96, int clientHeight96, int frameWidth,
                         int frameHeight, const TScreenArea& workArea) {
    int pixelsPerInch = systemPixelsPerInch;
    // The largest pixels per inch whose scaled size (rounded to the nearest
    // pixel) still fits: rounding never takes an exact fit past the room.
    if (clientWidth96 > 0)
        pixelsPerInch = std::min(pixelsPerInch, 96 * (workArea.Width() - frameWidth) / clientWidth96);
    if (clientHeight96 > 0)
        pixelsPerInch = std::min(pixelsPerInch, 96 * (workArea.Height() - frameHeight) / clientHeight96);
    return std::max(pixelsPerInch, std::min(systemPixelsPerInch, MinimumPixelsPerInch));
}

namespace {

// The start of a span of the given length, moved into [low, high) as far as it goes.
int Inside(int start, int length, int low, int high) {
    return std::max(low, std::min(start, high - length));
}

} // namespace

TWindowCorner PlaceInWorkArea(int width, int height, const TScreenArea& screen, const TScreenArea& workArea) {
    const int left = screen.Left + (screen.Width() - width) / 2;
    const int top = screen.Top + (screen.Height() - height) / 2;
    return {Inside(left, width, workArea.Left, workArea.Right),
            Inside(top, height, workArea.Top, workArea.Bottom)};
}
