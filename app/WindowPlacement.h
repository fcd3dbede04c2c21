#pragma once
// Where a form laid out at 96 pixels per inch goes on the screen: drawn at
// the system's pixels per inch, or at fewer when the window would not fit the
// work area, and then moved into the work area; never cut by its edges.

// A rectangle of the screen, right and bottom exclusive.
struct TScreenArea {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
};

// Below this the texts would be too small to read; a work area too small for
// the window at this size gets the window at its top-left corner.
inline constexpr int MinimumPixelsPerInch = 72;

// The pixels per inch to lay the form out at: systemPixelsPerInch, fewer when
// the client size (given at 96 pixels per inch, scaled with rounding) plus
// the frame (frameWidth, frameHeight: what the frame adds at the system's
// metrics) would not fit the work area, at least MinimumPixelsPerInch.
int FittingPixelsPerInch(int systemPixelsPerInch, int clientWidth96, int clientHeight96, int frameWidth,
                         int frameHeight, const TScreenArea& workArea);

// The window's top-left corner: centred on the screen, then moved into the
// work area; a window larger than the work area keeps its top-left corner
// (caption and system menu) inside.
struct TWindowCorner {
    int Left = 0, Top = 0;
};
TWindowCorner PlaceInWorkArea(int width, int height, const TScreenArea& screen, const TScreenArea& workArea);
