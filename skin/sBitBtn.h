#pragma once
// The skinned bitmap button: a push button with a glyph and a caption whose
// whole face comes from the skin's "BUTTON" section. The button's logic is
// the platform push button's (click, Enter and Space when focused, default
// and cancel buttons, modal result); every paint copies a cached picture
// composed from the skin in the button's state. Without an active skin it
// draws as a plain push button with its glyph beside the caption.
#include "sBitBtnFade.h"
#include "sBitBtnLayout.h"
#include "sCommonData.h"
#include "sGraphUtils.h"

class TsScreenPicture;

#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};

// Modal results (the platform's dialog command numbers).
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;
inline constexpr int mrAbort = 3;
inline constexpr int mrRetry = 4;
inline constexpr int mrIgnore = 5;
inline constexpr int mrYes = 6;
inline constexpr int mrNo = 7;
inline constexpr int mrAll = 8;

enum TqzAnimatEvent : unsigned {
    aeMouseEnter = 1,
    aeMouseLeave = 2,
    aeMouseDown = 4,
    aeMouseUp = 8,
    aeGlobalDef = 16,
};
using TqzAnimatEvents = unsigned;

// Glyphs of one size kept together; a glyph is drawn on the list's
// background colour (clNone: 0xFF00FF), which is its key.
struct TsImageList {
    int Width = 0, Height = 0;
    TColor BkColor = clNone;
    std::vector<TsBitmap24> Images;
};

// The application's hint switch: a held button turns hints off until it is released.
bool& ApplicationShowHint();

class TsBitBtn : public TWinControl {
public:
    explicit TsBitBtn(TComponent* owner);
    ~TsBitBtn() override;
    std::string ClassName() const override { return "TsBitBtn"; }

    // Makes the button's window in its parent's (a platform push button the
    // control draws itself); id 0 takes the modal result as the window's id.
    bool CreateWnd(uintptr_t id = 0);

    TsCommonData SkinData;

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    int Blend() const { return blend_; }
    void SetBlend(int value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TAlignment TextAlignment() const { return textAlignment_; }
    void SetTextAlignment(TAlignment value);
    TsDisabledGlyphKind DisabledGlyphKind() const { return disabledGlyphKind_; }
    void SetDisabledGlyphKind(TsDisabledGlyphKind value);
    TsDisabledKind DisabledKind() const { return disabledKind_; }
    void SetDisabledKind(TsDisabledKind value);
    bool Down() const { return down_; }
    void SetDown(bool value);
    bool Grayed() const { return grayed_; }
    void SetGrayed(bool value);
    int FocusMargin() const { return focusMargin_; }
    void SetFocusMargin(int value);
    bool ShowCaption() const { return showCaption_; }
    void SetShowCaption(bool value);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool value);
    bool DrawOverBorder() const { return drawOverBorder_; }
    void SetDrawOverBorder(bool value);
    int TextOffset() const { return textOffset_; }
    void SetTextOffset(int value);
    const TsImageList* Images() const { return images_; }
    void SetImages(const TsImageList* value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    TqzAnimatEvents AnimatEvents() const { return animatEvents_; }
    void SetAnimatEvents(TqzAnimatEvents value) { animatEvents_ = value; }

    // The standard bitmap button's own properties.
    TBitBtnKind Kind() const { return kind_; }
    // A kind other than bkCustom gives its caption, modal result and default or cancel role.
    void SetKind(TBitBtnKind value);
    const std::shared_ptr<TsBitmap24>& Glyph() const { return glyph_; }
    void SetGlyph(std::shared_ptr<TsBitmap24> value);
    int NumGlyphs() const { return numGlyphs_; }
    void SetNumGlyphs(int value);
    TButtonLayout Layout() const { return layout_; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return margin_; }
    void SetMargin(int value);
    int Spacing() const { return spacing_; }
    void SetSpacing(int value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool value) { cancel_ = value; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    std::function<void(TsBitBtn&)> OnClick;
    std::function<void(TsBitBtn&)> OnMouseEnter;
    std::function<void(TsBitBtn&)> OnMouseLeave;
    std::function<void(TsBitBtn&, TsBitmap24&)> OnPaint;
    // A click with a modal result tells the form (after OnClick).
    std::function<void(TsBitBtn&, int)> OnModalResult;

    // Clicks the button as the user would.
    void Click();
    // The state the face shows: 2 pressed, 1 hot, 0 normal.
    int CurrentState() const;
    // Composes the cached picture now (also when it is not stale).
    void ComposeCache();
    // The glyph size (from Glyph and NumGlyphs, else the image list).
    TsFrameSize GlyphSize() const;

    // A fade between two states' pictures is running (its step, of how many).
    bool Fading() const { return fade_.Running(); }
    int FadeStep() const { return fade_.Step(); }
    int FadeSteps() const { return fade_.Steps(); }
    // The window timer (10 ms) whose ticks step the fade.
    static constexpr uintptr_t FadeTimerId = 0x4FAD;

    // Enter and Escape on a form: the focused button, else the form's
    // default button (Enter) or its cancel button (Escape) is clicked.
    // True when a button took the key.
    static bool DialogKey(TWinControl& form, unsigned virtualKey);

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;

private:
    void Changed(bool regionToo = false);
    // Copies the face to the window from the copy kept in the display's format.
    void PaintFromCache(void* dc);
    void PaintPicture(void* dc, const TsBitmap24& picture);
    // A change of state: faded when the event fades, else repainted at once.
    void ChangeState(unsigned event = 0);
    bool StartFade(TsFadeEvent event);
    void StopFade();
    void FadeTick();
    void RefreshRegionCorners(const TsBackgroundDescriptor& background);
    // A click the platform button performed: OnClick, then the modal result.
    void Clicked();
    void PaintWindow(void* dc) override;
    void PaintPlain(void* dc);
    void ApplyRegion();
    bool IsFormDefault() const;
    void ComposeCaption(TsBitmap24& cache, int state, TRect& captionRect);
    void ComposeGlyph(TsBitmap24& cache, int state, TRect caption);
    TsButtonGeometry Geometry(int state) const;

    std::string caption_;
    int blend_ = 0;
    TAlignment alignment_ = taCenter;
    TAlignment textAlignment_ = taCenter;
    TsDisabledGlyphKind disabledGlyphKind_ = dgBlended;
    TsDisabledKind disabledKind_ = dkBlended;
    bool down_ = false;
    bool grayed_ = false;
    int focusMargin_ = 1;
    bool showCaption_ = true;
    bool showFocus_ = true;
    bool drawOverBorder_ = true;
    int textOffset_ = 0;
    const TsImageList* images_ = nullptr;
    int imageIndex_ = -1;
    bool wordWrap_ = true;
    TqzAnimatEvents animatEvents_ = aeGlobalDef;

    TBitBtnKind kind_ = bkCustom;
    std::shared_ptr<TsBitmap24> glyph_;
    std::unique_ptr<TsScreenPicture> screen_;
    bool screenStale_ = true;
    int numGlyphs_ = 1;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;
    bool default_ = false;
    bool cancel_ = false;
    int modalResult_ = mrNone;

    // The window region's cut-out corners and whether it must be rebuilt.
    std::vector<TRect> regionCut_;
    bool regionStale_ = true;
    bool mousePressed_ = false;
    bool savedShowHint_ = true;
    int lastSpacing_ = 4;
    // The size the window region was last made for.
    int regionWidth_ = 0, regionHeight_ = 0;
    TsButtonFade fade_;
    // The face as the window shows it: the composed picture with its cut
    // corner pieces taken from the parent's background when the region was
    // last rebuilt (empty: the composed picture itself).
    TsBitmap24 shown_;
    TsBitmap24 lastTextMeasure_;
    // Measured caption (set while composing).
    TsTextSize captionSize_;
};
