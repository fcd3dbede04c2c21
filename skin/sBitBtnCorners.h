#pragma once
// The corners of a button's face: its window region leaves out the
// key-coloured corner pixels of the frame, and what shows there is the
// parent's background. When the region is rebuilt those pixels of the
// picture take the parent's background as it is now, and when the button
// has grown, the parent repaints what lay under the old corner pieces.
#include "sBitmap.h"
#include "sGraphUtils.h"

#include <vector>

// The corner margins of the button's frame (the mask's left, top, right and bottom widths).
struct TsCornerMargins {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// The pixels of cut (rectangles of the face) that lie in one of the four
// corner pieces take the background: the parent's picture at the button's
// place (origin: the button's position in its parent), else its colour.
void RefreshCornerPieces(TsBitmap24& face, const std::vector<TRect>& cut, const TsCornerMargins& margins,
                         const TsBackgroundDescriptor& background, TPoint origin);

// The parent's areas (its client coordinates) under the old top-right,
// bottom-right and bottom-left corner pieces of a button at position whose
// face was oldWidth x oldHeight; none when the button has not grown.
std::vector<TRect> UncoveredCornerAreas(TPoint position, int oldWidth, int oldHeight, int newWidth,
                                        int newHeight, const TsCornerMargins& margins);
