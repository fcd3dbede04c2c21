#pragma once
// The rules of the standard-control adapters that need no window: which
// adapter and section a control or a dialog child takes, the section of a
// panel by its bevels, where a column header's title and sort glyph go, and
// the geometry and arithmetic of the skinned scroll bars.
#include "sSkinData.h"
#include "controls/Controls.h"

#include <array>
#include <string>
#include <vector>

// The adapter window objects, one per kind of standard control.
enum class TqzAdapterKind {
    None,
    Edit,
    Btn,
    BitBtn,
    CheckBox,
    ComboBox,
    ComboList,
    Grid,
    GroupBox,
    ListView,
    Panel,
    TreeView,
    WWComboBox,
    GridEh,
    VirtualTreeView,
    PageControl,
    TabControl,
    ToolBar,
    ToolBarVCL,
    StatusBar,
    Static,
    Icon,
    TransPanel,
    DlgPanel,
    Sizer,
    Spin,
    Link,
    Dialog,
};

struct TqzAdapterChoice {
    TqzAdapterKind Kind = TqzAdapterKind::None;
    std::string Section; // empty: the item's own section
    bool DialogMode = false;
};

// A control of the application: the first of the seventeen class-name lists
// (in index order) that holds its class name exactly decides.
TqzAdapterChoice ChooseThirdPartyAdapter(const std::string& className,
                                         const std::array<std::vector<std::string>, 17>& lists);

// A child window of a system dialog, by its window class (any case) and style.
TqzAdapterChoice ChooseDialogChildAdapter(const std::string& windowClass, uint32_t style);

// A panel's section from its bevels.
std::string PanelSection(TPanelBevel outer, TPanelBevel inner, bool singleBorder);

// One column header item: where its title and its sort glyph go.
enum class THeaderSort { None, Up, Down };
enum class THeaderAlign { Left, Right, Center };
struct THeaderItemLayout {
    TRect Text;     // where the title is written
    TPoint Glyph{}; // top-left of the sort glyph (when there is one)
};
// item: the header item's rectangle; textWidth: the title's width in pixels;
// glyphWidth/Height: the sort glyph's frame (0 without a sort format);
// imageWidth: the column image's width (0 without one).
THeaderItemLayout LayoutHeaderItem(const TRect& item, bool pressed, THeaderAlign align, int textWidth,
                                   THeaderSort sort, int glyphWidth, int glyphHeight, int imageWidth);

// The scroll bars: a bar's parts, numbered as the scroll codes they send.
enum TqzScrollPart {
    spNone = -1,
    spFirstArrow = 0,  // line up / left
    spSecondArrow = 1, // line down / right
    spTrackBefore = 2, // page up
    spTrackAfter = 3,  // page down
    spThumb = 5,       // thumb track
};

struct TqzScrollInfo {
    int Min = 0, Max = 0, Page = 0, Pos = 0, TrackPos = 0;
};

// Where a bar's parts lie, along the bar (0 = its start) and in the window.
struct TqzScrollGeometry {
    bool Split = false; // shorter than two arrows: two halves, track and arrow each
    TRect FirstArrow, SecondArrow, TrackBefore, TrackAfter, Thumb;
    bool ThumbShown = false;
};
// bar: the bar's rectangle; arrowSize: the system's arrow size along the bar.
TqzScrollGeometry LayoutScrollBar(const TRect& bar, bool vertical, int arrowSize, const TqzScrollInfo& info,
                                  int minThumb, bool enabled);
// The thumb's length along the track (at least minThumb).
int ThumbLength(const TqzScrollInfo& info, int trackLength, int minThumb);
// The part under the point, spNone off the bar.
TqzScrollPart ScrollPartAt(const TqzScrollGeometry& g, TPoint p);
// The scroll position that puts the thumb's start at thumbStart (along the
// track, 0 = the track's start), clamped to [Min, Max - Page + 1].
int PositionOfThumb(const TqzScrollInfo& info, int trackLength, int thumbLength, int thumbStart);
