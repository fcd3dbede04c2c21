#pragma once
// The form-frame component: it takes over the look of one form. The whole
// non-client area (frame, caption bar, icon, caption text, title buttons) is
// composed from the skin into one picture of the window, the window's
// outline loses the key-coloured corner pixels, the client background comes
// from the same picture, and the controls on the form learn their
// background from it. The system menu becomes a pop-up menu of its own.
#include "sBitBtnLayout.h"
#include "sBitmap.h"
#include "sCommonData.h"
#include "sGraphUtils.h"
#include "sMessages.h"
#include "sSkinProviderLayout.h"
#include "base/Component.h"
#include "controls/Controls.h"
#include "controls/Menus.h"

class TsScreenPicture;
class TqzCtrlAdapter;

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TsGripMode { gmNone, gmRightBottom };
enum TsResizeMode { rmStandard, rmBorder };

// An extra caption button.
class TsTitleButton {
public:
    std::string Name;
    TsBitmapPtr Glyph;
    bool Enabled = true;
    bool UseSkinData = true; // the face drawn from the "TITLEBUTTON" mask
    std::function<void(TsTitleButton&)> OnMouseDown;
    std::function<void(TsTitleButton&)> OnMouseUp;
    TitleButtonInfo Info;
};

// The caption icon's override: a picture and its size (0 = automatic).
struct TsTitleIcon {
    TsBitmapPtr Glyph;
    int Width = 0;
    int Height = 0;
};

// The adapter's event: whether a control of the form may take an adapter and with which section.
using TAddItemEvent = std::function<void(TControl& item, bool& canBeAdded, std::string& skinSection)>;

// The system menu's items, by name.
enum TsSystemMenuItem { smRestore, smMove, smSize, smMinimize, smMaximize, smClose };

class TsSkinProvider : public TComponent, public TsFormFrame {
public:
    // Takes over form's window when it has one, else at AttachWindow.
    explicit TsSkinProvider(TCustomForm& form);
    ~TsSkinProvider() override;

    // Published.
    TsCommonData SkinData;
    TAlignment CaptionAlignment = taLeftJustify;
    TsGripMode GripMode = gmNone;
    bool MakeSkinMenu = false;
    std::string MenuLineSkin;
    TsResizeMode ResizeMode = rmStandard;
    bool ScreenSnap = false;
    int SnapBuffer = 10;
    bool ShowAppIcon = true;
    std::vector<std::unique_ptr<TsTitleButton>> TitleButtons;
    TsTitleIcon TitleIcon;
    std::string TitleSkin;
    bool UseGlobalColor = true;
    TAddItemEvent OnSkinItem;

    TCustomForm& Form() const { return form_; }
    // Replaces the form window's procedure by the frame's own (once the window
    // exists); a second component on the same form stays detached.
    void AttachWindow();
    bool Attached() const { return attached_; }

    // What the frame is doing now.
    bool FormActive() const { return formActive_; }
    bool HadSysMenu() const { return hadSysMenu_; }
    bool RegionStale() const { return regionStale_; }
    const std::vector<TRect>& RegionHoles() const { return regionHoles_; }
    int HotHitCode() const { return hotHitCode_; }
    static bool ButtonHeld();
    const TitleButtonInfo& SystemButton(TsSystemButton which) const { return buttons_.System[size_t(which)]; }
    TsFrameMetrics Metrics() const;
    TsSystemMenuState MenuState() const;
    // The system menu as it would open now (a menu handle), built afresh.
    void* SystemMenuHandle();

    // The frame's work.
    void BuildFrameCache();
    void PaintNonClient(void* dc);
    void PaintClientBackground(void* dc);
    int HitTestTitle(TPoint p);
    void SetHotButton(int code);
    void PressButton(int code);
    void RepaintButton(int code);
    void UpdateRegion();
    void ShowSystemMenu(int x, int y);

    // The adapter of the form's standard controls.
    TqzCtrlAdapter* Adapter() const { return adapter_.get(); }

    // How many blend steps the last animated showing of the form took (0: shown at once).
    int LastShowSteps() const { return lastShowSteps_; }
    // The menu line's copy (before its items were drawn), or null without a main menu.
    const TsBitmap24* MenuLine() const { return menuLine_.get(); }
    const TRect& MenuLineArea() const { return menuLineArea_; }
    // The whole form as it will look, frame, client and child windows, at window size.
    TsBitmap24 FormPicture();

    // TsFormFrame.
    TsSkinManager* FrameManager() const override { return SkinData.Manager(); }
    void RebuildFrame() override;

    // The window procedure of the framed form (Windows).
    TMessageResult FrameProc(unsigned message, TWParam wParam, TLParam lParam);

private:
    bool Skinned() const;
    bool Showing() const;
    TsFormShape Shape() const;
    void StartSkinning();
    void ChooseButtonMasks();
    void SetFormColor();
    void PlaceButtons();
    // captionOnly: the rest of the picture stays as composed before.
    void ComposeCaptionBar(const TsFrameMetrics& m, const TsBackgroundDescriptor& titleBackground,
                           bool captionOnly);
    // The main menu's line under the caption bar, its items painted into it
    // (reused: the line's copy from before goes back first).
    void ComposeMenuLine(const TsFrameMetrics& m, bool reused);
    // One top-level item of the line drawn again (selected or not); false
    // when the item is none of the line's.
    bool DrawMenuLineItem(unsigned index, bool selected, TRect* drawn = nullptr);
    // The form's OnPaint drawing into the window picture at the client's place.
    void PaintFormIntoPicture(const TsFrameMetrics& m);
    void WriteCaption(TsBitmap24& bar, const std::string& caption, TRect text, const TsItemSkin& skin,
                      int title);
    void DrawIcon(TsBitmap24& picture, const TsFrameMetrics& m);
    void DrawTitleButton(TsBitmap24& picture, TitleButtonInfo& button, const TsBitmap24* glyph, bool single);
    TitleButtonInfo* ButtonOf(int code);
    const TsBitmap24* GlyphOf(int code) const;
    void AllButtonsNormal();
    // The button of the hit code takes the state (others go normal); 2 holds it.
    void SetButtonState(int code, int state);
    // The point (window coordinates) lies on the grip in the client's bottom-right corner.
    bool InGrip(TPoint p) const;
    void RepaintFrameNow();
    void MarkStale();
    TMessageResult SkinCommand(TWParam wParam, TLParam lParam, bool& handled);
    TMessageResult Default(unsigned message, TWParam wParam, TLParam lParam);
    TMessageResult NonClientMouse(unsigned message, TWParam wParam, TLParam lParam, bool& handled);
    void RunSystemCommand(unsigned command);
    void MinimizeForm();
    void SnapToWorkArea(void* windowPos);
    // Copies a part of the window picture (window coordinates) to dc from the
    // copy kept in the display's format.
    void CopyToWindow(void* dc, const TRect& area, int x, int y);
    // Showing the form through the manager's show effect (a fade over what lies behind).
    void AnimateShow();
    void EndShow();
    void ActivationRedraw(unsigned message, TWParam wParam, TLParam lParam, TMessageResult& result);

    TCustomForm& form_;
    bool attached_ = false;
    void* oldProc_ = nullptr;
    void* window_ = nullptr;
    bool formActive_ = true;
    bool hadSysMenu_ = false;
    bool regionStale_ = true;
    bool fullRepaint_ = true;
    bool applyingRegion_ = false;
    bool everSkinned_ = false;
    bool menuMade_ = false;
    std::vector<TRect> regionHoles_;
    std::unique_ptr<TsBitmap24> titleStrip_;
    std::unique_ptr<TsBitmap24> buttonStrip_;
    // The menu line as composed before its items were painted, and where it lies.
    std::unique_ptr<TsBitmap24> menuLine_;
    TRect menuLineArea_;
    TRect buttonStripArea_;
    TsTitleButtons buttons_;
    std::array<int, 4> shownMasks_{-1, -1, -1, -1}; // the faces shown now (the normal face while maximized)
    int titleButtonMask_ = -1;
    bool bigButtons_ = true;
    int hotHitCode_ = 0;
    int lastClientWidth_ = 0, lastClientHeight_ = 0;
    TPopupMenu* systemMenu_ = nullptr; // owned as a component
    std::unique_ptr<TsScreenPicture> screen_;
    void* outputWindow_ = nullptr; // TOutputWindow while the form is being shown
    int lastShowSteps_ = 0;
    bool screenStale_ = true;
    bool activatedOnce_ = false;
    std::unique_ptr<TqzCtrlAdapter> adapter_;
};

// The default manager's window hook gives forms without a frame component
// one of their own (menu skinning off), owned by the form.
void InstallFormFrameFactory();
