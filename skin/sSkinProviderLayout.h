#pragma once
// The geometry of a skinned form frame: the sizes of frame, caption bar and
// icon, where the title buttons go, which point of the caption bar answers
// what, what the system menu offers, and which corner pixels the window's
// outline loses. Everything here works on numbers the window system gave;
// the frame component asks it and paints.
#include "sSkinData.h"
#include "controls/Controls.h"

#include <array>
#include <vector>

class TsSkinManager;

// The window system's sizes a frame is measured with.
struct TsSystemMetrics {
    int FixedFrameX = 3, FixedFrameY = 3;   // SM_CXDLGFRAME, SM_CYDLGFRAME
    int SizingFrameX = 4, SizingFrameY = 4; // SM_CXFRAME, SM_CYFRAME
    int Caption = 19;                       // SM_CYCAPTION
    int SmallCaption = 15;                  // SM_CYSMCAPTION
    int Menu = 19;                          // SM_CYMENU
};

// What the frame knows of its form at a moment.
struct TsFormShape {
    TFormBorderStyle BorderStyle = bsSizeable;
    TBorderIcons BorderIcons = biSystemMenu | biMinimize | biMaximize;
    int BorderWidth = 0;
    bool CaptionStyle = true; // the window has the whole caption style
    bool Iconic = false;
    bool Maximized = false;
    bool MdiChild = false;
    int WindowWidth = 0, WindowHeight = 0;
    int ClientWidth = 0, ClientHeight = 0;
    int VScrollWidth = 0, HScrollHeight = 0; // the form's own scroll bars while shown
    bool HasMainMenu = false;
    bool ShowAppIcon = true;
    int TitleIconWidth = 0, TitleIconHeight = 0; // 0: automatic
};

struct TsFrameMetrics {
    int FrameWidth = 0, FrameHeight = 0;
    int CaptionHeight = 0;
    int MenuHeight = 0;
    int TopHeight = 0;
    TPoint ClientOrigin;
    int IconWidth = 0, IconHeight = 0; // 0 when no icon is shown
};

TsFrameMetrics FrameMetrics(const TsFormShape& shape, const TsSystemMetrics& system);
// The icon size that suits a caption bar of the height: 0, 8, 16 or 32.
int IconSizeClass(int captionHeight);
// Single and sizeable forms carry the big title buttons.
bool IsBigButtonForm(TFormBorderStyle style);

// The system menu's items, each visible or not and enabled or not.
struct TsMenuItemState {
    bool Visible = false;
    bool Enabled = false;
};
struct TsSystemMenuState {
    TsMenuItemState Restore, Move, Size, Minimize, Maximize, Close;
};
TsSystemMenuState SystemMenuState(const TsFormShape& shape, bool hadSysMenu);

// One title button: state 0 normal, 1 hot, 2 pressed; its mask in the
// manager (-1 none); its place in window coordinates.
struct TitleButtonInfo {
    int State = 0;
    int MaskIndex = -1;
    TRect Rect;
    bool Big = false;
    bool Visible = false;
    bool Enabled = true;
};
enum TsSystemButton { sbClose, sbMaximize, sbMinimize, sbHelp };

// What placing the buttons needs: each system button's width (its mask's
// frame width, 21 without a mask) and whether it shows, the extra buttons'
// widths and enabled states, the button height, spacing and the skin's
// vertical offset.
struct TsTitleButtonsInput {
    std::array<int, 4> Widths{21, 21, 21, 21};
    std::array<bool, 4> Visible{};
    std::array<bool, 4> Enabled{true, true, true, true};
    std::vector<int> ExtraWidths;
    std::vector<bool> ExtraEnabled;
    int ButtonHeight = 21;
    int Spacing = 0;
    int VOffset = 0;
    bool Big = true;
};
struct TsTitleButtons {
    std::array<TitleButtonInfo, 4> System;
    std::vector<TitleButtonInfo> Extra;
    int ButtonsWidth = 0;
    int ButtonHeight = 21;
};
// Places the buttons right to left from the frame's right edge.
TsTitleButtons PlaceTitleButtons(const TsFrameMetrics& metrics, const TsFormShape& shape,
                                 const TsTitleButtonsInput& input);
// An extra button is as wide as its glyph and two pixels, at least its face.
int ExtraButtonWidth(int glyphWidth, int faceWidth);

// Hit codes of the caption bar (the window system's numbers).
enum TsHitCode {
    htNowhere = 0,
    htCaption = 2,
    htSysMenu = 3,
    htMinButton = 8,
    htMaxButton = 9,
    htBottomRight = 17,
    htClose = 20,
    htHelp = 21,
    htExtraButton = 1000, // plus the extra button's index
    htOutsideMaximized = -1,
};
// The caption bar's answer for a point in window coordinates; htNowhere and
// htCaption leave the decision to the form. restoreEnabled and the others
// come from the system menu.
int HitTestTitle(TPoint p, const TsFrameMetrics& metrics, const TsTitleButtons& buttons,
                 const TsSystemMenuState& menu, const TsFormShape& shape);
// What a maximized form answers for a point nobody claimed: -1 outside the
// window less two pixels on each side, else the form's own answer.
bool OutsideMaximizedArea(TPoint p, const TsFormShape& shape);

// The corner pixels the window's outline loses: every run of key-coloured
// pixels in the corner pieces of the border mask's first frame, as one-row
// rectangles in window coordinates. topOnly: only the top corners.
void CollectRegionHoles(std::vector<TRect>& holes, TsSkinManager& manager, int maskIndex, int windowWidth,
                        int windowHeight, bool topOnly);

// Where the caption text goes: from after the icon to before the buttons.
TRect CaptionTextRect(const TsFrameMetrics& metrics, const TsFormShape& shape, int buttonsWidth);
// The icon's rectangle at the frame's left.
TRect IconRect(const TsFrameMetrics& metrics);
