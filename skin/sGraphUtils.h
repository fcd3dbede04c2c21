#pragma once
// Composing a skinned control's picture from the skin tables: the section's
// background (colour, gradient and texture, blended with the parent's
// background by the section's transparency), the nine-piece frame of its
// border mask in the control's state, corner decorations, glyph masks, the
// disabled look and text in the section's colours. Everything works on
// 24-bit pictures; text goes through a small canvas interface that the
// Windows side implements with GDI.
#include "sBitBtnLayout.h"
#include "sBitmap.h"
#include "sBlendGraph.h"
#include "sSkinData.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class TsSkinManager;

// What a control blends with: its parent's picture with the control's
// position in it, or a fill colour. An empty descriptor has no picture and
// X = -99.
struct TsBackgroundDescriptor {
    const TsBitmap24* Picture = nullptr;
    int X = -99;
    int Y = 0;
    TColor FillColor = clNone;
    bool Ready = false; // Picture is valid

    bool HasPicture() const { return Ready && Picture != nullptr && !Picture->Empty(); }
    bool HasFill() const { return FillColor != clNone; }
    bool IsEmpty() const { return !HasPicture() && !HasFill(); }
    static TsBackgroundDescriptor OfPicture(const TsBitmap24& picture, int x, int y) {
        return {&picture, x, y, clNone, true};
    }
    static TsBackgroundDescriptor OfColor(TColor color) { return {nullptr, -99, 0, color, false}; }
};

// A font as text painting needs it.
struct TsTextFont {
    std::string Name = "Tahoma";
    int Height = -11;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    TColor Color = 0;
};

// Text layout flags, with the values of the system's text drawing call (DrawTextA).
enum : unsigned {
    tfLeft = 0x0,
    tfCenter = 0x1,
    tfRight = 0x2,
    tfVCenter = 0x4,
    tfBottom = 0x8,
    tfWordBreak = 0x10,
    tfSingleLine = 0x20,
    tfExpandTabs = 0x40,
    tfNoClip = 0x100,
    tfCalcRect = 0x400,
    tfNoPrefix = 0x800,
    tfRtlReading = 0x20000,
    tfEndEllipsis = 0x8000,
    tfHidePrefix = 0x100000,
};

// The horizontal layout flag of an alignment.
constexpr unsigned AlignmentFlags(TAlignment alignment) {
    return alignment == taRightJustify ? tfRight : alignment == taCenter ? tfCenter : tfLeft;
}

struct TsTextSize {
    int Width = 0, Height = 0;
};

// Where skinned text is drawn: a picture with a font, a clip rectangle and
// transparent text output.
class TsTextCanvas {
public:
    virtual ~TsTextCanvas() = default;
    virtual void SetFont(const TsTextFont& font) = 0;
    // Later text is clipped to the rectangle; none lifts the clip.
    virtual void SetClip(const std::optional<TRect>& clip) = 0;
    virtual TsTextSize TextExtent(const std::string& text) = 0;
    // The text in the colour (0x00BBGGRR), its background left as it is.
    virtual void PutText(const std::string& text, const TRect& rect, unsigned flags, TColor color) = 0;
};

// The parts of a control's skin state that painting reads; the control's
// state object fills it.
struct TsItemSkin {
    TsSkinManager* SkinManager = nullptr; // resolved: the default manager when the control names none
    std::string SkinSection;
    int SectionIndex = -1;
    int FrameMaskIndex = -1;
    int TextureMask = -1;
    int HotTextureMask = -1;
    bool CustomColor = false;
    // The control's own colour, or its form's colour for a form frame; used
    // as background when CustomColor is set and as the colour of a parent.
    TColor ControlColor = clNone;
    bool CustomFont = false;
    TsTextFont Font; // the owner control's font
    // Labels, check boxes, radio buttons, group boxes and graphic controls
    // that take their parent's font.
    bool TakesParentFont = false;
    // The section index of the depth-th parent (1 = the direct parent): its
    // answer to the section query less one, -1 when it is not skinned;
    // nothing when there is no such parent.
    std::function<std::optional<int>(int depth)> AncestorSection;
};

// The control's section exists in an active manager's table.
bool IsSkinned(const TsItemSkin& skin);
// A section of manager's skin as a control without skin state of its own is
// drawn from it: the section's index and its frame and texture masks.
TsItemSkin SectionItemSkin(TsSkinManager& manager, const std::string& section);

// Composes a control: background, frame in the state, corner decorations.
// origin: where the area's picture lies in the parent's picture.
void ComposeItem(TsBitmap24* target, const TsItemSkin& skin, TsBackgroundDescriptor background,
                 bool fillCentre, int state, bool cornerFlag, TPoint origin, const TRect& area);
// The same for a window without a skin state of its own: textures found by
// name, corner decorations before the frame, the frame with the corner flag.
void ComposeItem(TsBitmap24* target, TsSkinManager& manager, int sectionIndex, const std::string& sectionName,
                 TsBackgroundDescriptor background, bool fillCentre, int state, TPoint origin,
                 const TRect& area);

// The section's background in the state; customColor clNone: none.
void ComposeBackground(TsBitmap24& target, TsSkinManager& manager, int sectionIndex,
                       const std::string& sectionName, const TsBackgroundDescriptor& background,
                       TColor customColor, int hotTextureMask, int textureMask, TPoint origin,
                       const TRect& area, int state);
// The background painter of scroll-bar parts: texture over gradient at
// I * 256 / 100 (a byte), a sum above 100 is a plain fill, exactly 100 ends.
void ComposeScrollBackground(TsBitmap24& target, TsSkinManager& manager, int sectionIndex,
                             const std::string& sectionName, const TsBackgroundDescriptor& background,
                             int hotTextureMask, int textureMask, TPoint origin, const TRect& area,
                             int state);

// The parent's background over the area: the descriptor's picture at its
// X, Y plus the area's position, or its fill colour.
void PaintParentBackground(TsBitmap24& target, const TRect& area, const TsBackgroundDescriptor& background);

// Mask geometry: one state frame's size, and the state clamped to the frames.
struct TsFrameSize {
    int W = 0, H = 0;
};
TsFrameSize MaskFrameSize(const TsMaskData& mask);
int ClampState(const TsMaskData& mask, int state);
// The state frame's rectangle in the mask's picture.
TRect StateFrame(const TsMaskData& mask, int state);
// The picture a mask is cut from: its own, else its manager's master bitmap.
const TsBitmap24* MaskPicture(const TsMaskData& mask);

// The frame of a border mask in the state over the area.
void DrawNinePiece(TsBitmap24& target, const TRect& area, bool fillCentre, bool cornerFlag, int state,
                   int maskIndex, TsSkinManager& manager, const TsBackgroundDescriptor& background);
// The frame over the whole picture; every key-coloured pixel of the four
// corner pieces is added to regionCut (as one-row rectangles, picture
// coordinates) so that the window region can lose it.
void DrawNinePieceCut(TsBitmap24& target, std::vector<TRect>& regionCut, bool fillCentre, int state,
                      int maskIndex, TsSkinManager& manager);

// One state frame of a glyph mask with its top-left at position; keyed
// drawing skips key pixels, unkeyed drawing fades the glyph.
void DrawMaskGlyph(TsBitmap24& target, TPoint position, int state, const TsBackgroundDescriptor& background,
                   const TsMaskData& mask, bool keyed);

// Fills the area from a texture mask by its tiling mode and returns the part
// of the area left uncovered (empty when none). A mask with a transparency
// mask is mixed through it (modes 0 and 10 only; in mode 10 the margins that
// take no whole tile get the parent's background).
TRect TileTexture(TsBitmap24& target, const TRect& area, const TsMaskData& mask,
                  const TsBackgroundDescriptor& background);
// A whole picture (a JPEG pattern) tiled over the area from its top-left.
void TileTexture(TsBitmap24& target, const TRect& area, const TsBitmap24& picture);

// A gradient over the area; the first segment's kind decides the drawing.
void PaintGradient(TsBitmap24& target, const TRect& area, const std::vector<TsGradientSegment>& segments);

// The disabled appearance.
enum TsDisabledKindFlag : unsigned { dkBlended = 1, dkGrayed = 2 };
using TsDisabledKind = unsigned;
// parentColor: the parent control's colour, used when the descriptor has
// neither picture nor fill colour. origin: the picture's place in the parent.
void DisabledLook(TsBitmap24& picture, TsDisabledKind kind, TColor parentColor, TPoint origin,
                  const TsBackgroundDescriptor& background);

// The section whose text colours a control's text takes (its own, or for
// transparent controls taking their parent's font, the first ancestor with
// GiveOwnFont among its transparent ancestors).
int TextSectionIndex(const TsItemSkin& skin, bool hot);
// The text in the section's colours with its contours; the background is
// not painted.
void WriteSkinText(TsTextCanvas& canvas, const std::string& text, bool enabled, bool hot,
                   const TsItemSkin& skin, unsigned flags, const TRect& rect);
