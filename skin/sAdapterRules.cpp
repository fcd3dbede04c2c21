#include "sAdapterRules.h"

#include "base/Text.h"

#include <algorithm>

namespace {

bool Contains(const TRect& r, TPoint p) {
    return p.X >= r.Left && p.X < r.Right && p.Y >= r.Top && p.Y < r.Bottom;
}

// A piece of the bar from start to end along it.
TRect Piece(const TRect& bar, bool vertical, int start, int end) {
    return vertical ? TRect{bar.Left, bar.Top + start, bar.Right, bar.Top + end}
                    : TRect{bar.Left + start, bar.Top, bar.Left + end, bar.Bottom};
}

} // namespace

TqzAdapterChoice ChooseThirdPartyAdapter(const std::string& className,
                                         const std::array<std::vector<std::string>, 17>& lists) {
    // The list's index decides the adapter; an empty section keeps the item's own.
    static const TqzAdapterChoice byList[17] = {
        {TqzAdapterKind::Edit, ""},
        {TqzAdapterKind::Btn, "BUTTON"},
        {TqzAdapterKind::BitBtn, "BUTTON"},
        {TqzAdapterKind::CheckBox, "CHECKBOX"},
        {TqzAdapterKind::ComboBox, ""},
        {TqzAdapterKind::Grid, ""},
        {TqzAdapterKind::GroupBox, "GROUPBOX"},
        {TqzAdapterKind::ListView, ""},
        {TqzAdapterKind::Panel, "PANEL"},
        {TqzAdapterKind::TreeView, ""},
        {TqzAdapterKind::WWComboBox, ""},
        {TqzAdapterKind::GridEh, ""},
        {TqzAdapterKind::VirtualTreeView, ""},
        {TqzAdapterKind::PageControl, "PAGECONTROL"},
        {TqzAdapterKind::TabControl, "PAGECONTROL"},
        {TqzAdapterKind::ToolBarVCL, "TOOLBAR"},
        {TqzAdapterKind::StatusBar, "STATUSBAR"},
    };
    for (size_t i = 0; i < lists.size(); ++i)
        if (std::find(lists[i].begin(), lists[i].end(), className) != lists[i].end())
            return byList[i];
    return {};
}

TqzAdapterChoice ChooseDialogChildAdapter(const std::string& windowClass, uint32_t style) {
    const std::string& name = windowClass;
    if (SameText(name, "static")) {
        // The kinds that draw something of their own (owner-drawn, simple
        // text, metafiles, plain rectangles) are left alone first: under the
        // icon adapter their content would be lost.
        const uint32_t t = style & 31;
        if ((t & 13) == 13 || t == 5 || t == 6 || t == 11)
            return {};
        if ((t & 3) == 3 || (t & 14) == 14)
            return {TqzAdapterKind::Icon, "CHECKBOX"};
        return {TqzAdapterKind::Static, "CHECKBOX"};
    }
    if (SameText(name, "#32770"))
        return {TqzAdapterKind::TransPanel, "CHECKBOX"};
    if (SameText(name, "tpanel") || SameText(name, "tsilentpaintpanel"))
        return {TqzAdapterKind::DlgPanel, "PANEL"};
    if (SameText(name, "button")) {
        if ((style & 7) == 7)
            return {TqzAdapterKind::GroupBox, "GROUPBOX"};
        if ((style & 2) != 0 || (style & 4) != 0 || (style & 5) == 5 || (style & 9) == 9)
            return {TqzAdapterKind::CheckBox, "CHECKBOX"};
        return {TqzAdapterKind::Btn, "BUTTON"};
    }
    if (SameText(name, "combobox"))
        return {TqzAdapterKind::ComboBox, "COMBOBOX", true};
    if (SameText(name, "comboboxex32"))
        return {TqzAdapterKind::ComboBox, "COMBOBOX"};
    if (SameText(name, "combolbox"))
        return {TqzAdapterKind::Edit, "COMBOBOX"};
    if (SameText(name, "scrollbar"))
        return {TqzAdapterKind::Sizer, "CHECKBOX"};
    if (SameText(name, "systabcontrol32"))
        return {TqzAdapterKind::TabControl, "PAGECONTROL"};
    if (SameText(name, "syslistview32"))
        return {TqzAdapterKind::ListView, "EDIT", true};
    if (SameText(name, "msctls_updown32"))
        return {TqzAdapterKind::Spin, "SPEEDBUTTON_SMALL"};
    if (SameText(name, "listbox") || SameText(name, "edit"))
        return {TqzAdapterKind::Edit, "EDIT", true};
    if (SameText(name, "systreeview32"))
        return {TqzAdapterKind::TreeView, "EDIT", true};
    if (SameText(name, "link window") || SameText(name, "syslink"))
        return {TqzAdapterKind::Link, "CHECKBOX"};
    if (SameText(name, "toolbarwindow32")) // the wrapable style
        return {TqzAdapterKind::ToolBar, (style & 0x200) ? "BAR" : "CHECKBOX"};
    if (ContainsText(name, "shbrowseforfolder"))
        return {TqzAdapterKind::TransPanel, "CHECKBOX"};
    return {};
}

std::string PanelSection(TPanelBevel outer, TPanelBevel inner, bool singleBorder) {
    switch (outer) {
    case bvLowered:
        return inner == bvRaised ? "GROUPBOX" : "PANEL_LOW";
    case bvRaised:
        return inner == bvLowered ? "GROUPBOX" : "PANEL";
    default:
        return singleBorder ? "PANEL_LOW" : "CHECKBOX";
    }
}

THeaderItemLayout LayoutHeaderItem(const TRect& item, bool pressed, THeaderAlign align, int textWidth,
                                   THeaderSort sort, int glyphWidth, int glyphHeight, int imageWidth) {
    TRect text{item.Left + 4, item.Top + 1, item.Right - 8, item.Bottom - 1};
    if (pressed)
        text = {text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1};
    text.Left += imageWidth;
    const int glyphSpace = sort == THeaderSort::None ? 0 : glyphWidth + 6;
    const int boxWidth = textWidth + 5;
    int left = text.Left;
    if (align == THeaderAlign::Right)
        left = text.Right - glyphSpace - boxWidth;
    else if (align == THeaderAlign::Center)
        left = text.Left + (text.Width() - glyphSpace - boxWidth) / 2;
    left = std::max(left, text.Left);
    const int right = std::min(left + boxWidth, text.Right - glyphSpace);
    THeaderItemLayout layout;
    layout.Text = {left, text.Top, std::max(left, right), text.Bottom};
    layout.Glyph = {left + boxWidth + 6, text.Top + (text.Height() - glyphHeight) / 2};
    return layout;
}

int ThumbLength(const TqzScrollInfo& info, int trackLength, int minThumb) {
    const int range = info.Max - info.Min;
    const int length =
        range > 0 ? static_cast<int>(static_cast<long long>(info.Page) * trackLength / range) : 0;
    return std::max(length, minThumb);
}

TqzScrollGeometry LayoutScrollBar(const TRect& bar, bool vertical, int arrowSize, const TqzScrollInfo& info,
                                  int minThumb, bool enabled) {
    TqzScrollGeometry g;
    const int length = vertical ? bar.Height() : bar.Width();
    if (length <= 2 * arrowSize) {
        // Too short for both arrows and a track: two halves, each a track and an arrow.
        g.Split = true;
        const int half = length / 2;
        g.FirstArrow = Piece(bar, vertical, 0, half);
        g.SecondArrow = Piece(bar, vertical, half, length);
        return g;
    }
    g.FirstArrow = Piece(bar, vertical, 0, arrowSize);
    g.SecondArrow = Piece(bar, vertical, length - arrowSize, length);
    const int track = length - 2 * arrowSize;
    const int thumb = ThumbLength(info, track, minThumb);
    const int span = info.Max - info.Min + 1 - std::max(info.Page, 1);
    g.ThumbShown = enabled && info.Max > info.Min && thumb < track;
    if (!g.ThumbShown) {
        const int middle = arrowSize + track / 2;
        g.TrackBefore = Piece(bar, vertical, arrowSize, middle);
        g.TrackAfter = Piece(bar, vertical, middle, length - arrowSize);
        return g;
    }
    const int pos = std::clamp(info.Pos - info.Min, 0, std::max(span, 0));
    const int start =
        arrowSize + (span > 0 ? static_cast<int>(static_cast<long long>(pos) * (track - thumb) / span) : 0);
    g.Thumb = Piece(bar, vertical, start, start + thumb);
    g.TrackBefore = Piece(bar, vertical, arrowSize, start);
    g.TrackAfter = Piece(bar, vertical, start + thumb, length - arrowSize);
    return g;
}

TqzScrollPart ScrollPartAt(const TqzScrollGeometry& g, TPoint p) {
    if (Contains(g.FirstArrow, p))
        return spFirstArrow;
    if (Contains(g.SecondArrow, p))
        return spSecondArrow;
    if (g.ThumbShown && Contains(g.Thumb, p))
        return spThumb;
    if (Contains(g.TrackBefore, p))
        return spTrackBefore;
    if (Contains(g.TrackAfter, p))
        return spTrackAfter;
    return spNone;
}

int PositionOfThumb(const TqzScrollInfo& info, int trackLength, int thumbLength, int thumbStart) {
    const int span = info.Max - info.Min + 1 - std::max(info.Page, 1);
    const int room = trackLength - thumbLength;
    if (span <= 0 || room <= 0)
        return info.Min;
    const int start = std::clamp(thumbStart, 0, room);
    // Rounded to the nearest position, as the system's own bars do.
    return info.Min + static_cast<int>((static_cast<long long>(start) * span + room / 2) / room);
}
