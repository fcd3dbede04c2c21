#include "sStatusBarLayout.h"

#include <algorithm>

TRect SimplePanelRect(int barWidth, int barHeight) {
    return {0, 1, barWidth - 1, barHeight - 1};
}

std::vector<TRect> PanelRects(const std::vector<int>& widths, int barWidth, int barHeight) {
    std::vector<TRect> rects;
    rects.reserve(widths.size());
    int left = 0;
    for (size_t i = 0; i < widths.size(); ++i) {
        const bool last = i + 1 == widths.size();
        const int right = last ? barWidth : left + widths[i] + 1;
        rects.push_back({left, 0, right, barHeight});
        left = right;
    }
    return rects;
}

TRect ShrinkRect(const TRect& r, int by) {
    return {r.Left + by, r.Top + by, r.Right - by, r.Bottom - by};
}

TRect PanelTextRect(const TRect& panel) {
    const TRect t = ShrinkRect(panel, 1);
    return {t.Left + 2, t.Top, t.Right - 4, t.Bottom - 1};
}

TRect DividerRect(const TRect& panel, int barHeight, int dividerFrameWidth) {
    const int width = dividerFrameWidth - 1;
    return {panel.Right - width, 1, panel.Right, 1 + barHeight - 2};
}

TPoint GripPosition(int barWidth, int barHeight, int frameWidth, int frameHeight, int borderWidth) {
    return {barWidth - frameWidth - borderWidth, barHeight - frameHeight - borderWidth};
}

std::string CutText(const std::string& text, int width,
                    const std::function<int(const std::string&)>& textWidth) {
    if (width <= 0)
        return {};
    if (textWidth(text) <= width)
        return text;
    std::string cut = text;
    while (!cut.empty()) {
        cut.pop_back();
        if (cut.empty())
            break;
        if (textWidth(cut + "...") <= width)
            return cut + "...";
    }
    return {};
}
