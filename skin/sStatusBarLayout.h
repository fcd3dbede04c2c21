#pragma once
// The rules of the skinned status bar that need no window: where its panels
// lie on the bar, where a panel's text is written, how a text too wide for
// its place is cut, and where the dividers and the size grip go.
#include "sSkinData.h"

#include <functional>
#include <string>
#include <vector>

// The rectangle of the simple panel on a bar of the size.
TRect SimplePanelRect(int barWidth, int barHeight);

// The panels' rectangles, full height, before they are shrunk for painting:
// panel i begins at the sum of (width + 1) of the panels before it and ends
// at that plus its own width + 1; the last one runs to the bar's right edge.
std::vector<TRect> PanelRects(const std::vector<int>& widths, int barWidth, int barHeight);

// The rectangle moved in by the amount on every side.
TRect ShrinkRect(const TRect& r, int by);

// Where the text of a painted panel (already shrunk) is written: the panel
// less one pixel on every side, then its bottom one pixel higher, its left
// two pixels further right and its right four pixels further left.
TRect PanelTextRect(const TRect& panel);

// The divider at the right end of a painted panel: as high as the bar less
// 2, as wide as the divider's border frame less 1, from the top row 1.
TRect DividerRect(const TRect& panel, int barHeight, int dividerFrameWidth);

// Where the top-left corner of the size grip's frame goes.
TPoint GripPosition(int barWidth, int barHeight, int frameWidth, int frameHeight, int borderWidth);

// The text cut to the width: nothing when the width is 0 or less; the text
// itself when it fits; otherwise its last characters are removed until what
// is left followed by "..." fits, and "..." is appended (a text that loses
// every character becomes empty). textWidth measures a text in pixels.
std::string CutText(const std::string& text, int width,
                    const std::function<int(const std::string&)>& textWidth);
