#pragma once
// The skinned labels: a transparent text label that takes its text colour
// from the skin before every paint, the plain label that can be told not to,
// and the label with effects that draws a blurred shadow behind its text.
// Labels have no window and no cached picture: their parent paints them.
#include "sBitBtnLayout.h"
#include "sLabelFXShadow.h"
#include "controls/Controls.h"

#include <functional>
#include <string>

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TsSkinManager;

class TsCustomLabel : public TGraphicControl {
public:
    explicit TsCustomLabel(TComponent* owner);
    std::string ClassName() const override { return "TsCustomLabel"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout value);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool value);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool value);
    TEllipsisPosition EllipsisPosition() const { return ellipsisPosition_; }
    void SetEllipsisPosition(TEllipsisPosition value);
    // The control that takes the focus for the caption's accelerator.
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* value) { focusControl_ = value; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    // A section painted behind the text, whose text colour the label takes.
    const std::string& SkinSection() const { return skinSection_; }
    void SetSkinSection(const std::string& value);

    // A font change re-sizes the label (when AutoSize) and repaints it.
    void SetFont(const TFont& font) override;

    std::function<void(TsCustomLabel&)> OnMouseEnter;
    std::function<void(TsCustomLabel&)> OnMouseLeave;

    void Paint(void* dc) override;
    // Sizes the label to its text (when AutoSize).
    void AdjustBounds();
    // Sets the font colour the loaded skin of the default manager gives
    // (done before every paint).
    void UpdateSkinColor();
    // The skin's text colour for the label, or clNone when the label keeps
    // its own: its section's, else the first ancestor's that gives its font,
    // else the skin's global text colour.
    TColor SkinTextColor() const;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;
    // Whether the skin sets the text colour.
    virtual bool UsesSkinColor() const { return true; }
    // Draws (or, with measure, only measures into rect) the text.
    virtual void DoDrawText(void* dc, TRect& rect, unsigned flags, bool measure);
    // The text flags of the label's settings (alignment, word wrap, prefix, ellipsis).
    unsigned TextFlags() const;
    // The text as measured: an empty one, or a single "&" shown as an accelerator, counts as a blank.
    std::string MeasuredText() const;
    // The default manager when its skin is loaded, else null.
    static TsSkinManager* LoadedManager();
    void Changed();

private:
    void PaintSection(void* dc, int sectionIndex);

    std::string caption_;
    TAlignment alignment_ = taLeftJustify;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
    TEllipsisPosition ellipsisPosition_ = epNone;
    TWinControl* focusControl_ = nullptr;
    bool transparent_ = true;
    std::string skinSection_;
};

class TsLabel : public TsCustomLabel {
public:
    using TsCustomLabel::TsCustomLabel;
    std::string ClassName() const override { return "TsLabel"; }
    bool UseSkinColor() const { return useSkinColor_; }
    void SetUseSkinColor(bool value);

protected:
    bool UsesSkinColor() const override { return useSkinColor_; }

private:
    bool useSkinColor_ = true;
};

struct TsShadow {
    TsShadowMode Mode = smSkin1;
    TColor Color = 0;
    int BlurCount = 4;
    int Distance = 1;
    bool operator==(const TsShadow&) const = default;
};

enum TsKindType { ktStandard, ktCustom, ktSkin };
struct TsKind {
    TsKindType KindType = ktSkin;
    TColor Color = 0xFFFFFF;
    bool operator==(const TsKind&) const = default;
};

class TsLabelFX : public TsCustomLabel {
public:
    explicit TsLabelFX(TComponent* owner);
    ~TsLabelFX() override;
    std::string ClassName() const override { return "TsLabelFX"; }

    const TsShadow& Shadow() const { return shadow_; }
    void SetShadow(const TsShadow& value);
    const TsKind& Kind() const { return kind_; }
    void SetKind(const TsKind& value);

    // The shadow the label draws now (the skin's or its own).
    TsShadowValues CurrentShadow() const;
    // The colour the label writes its text in now.
    TColor CurrentTextColor() const;
    // The margins auto-sizing keeps for the shadow.
    const TsShadowMargins& Margins() const { return margins_; }
    // The blur buffer's size in cells (it grows only when the label does).
    size_t BlurCapacity() const { return blur_.Capacity(); }

protected:
    void DoDrawText(void* dc, TRect& rect, unsigned flags, bool measure) override;

private:
    void BuildShadow(const TRect& rect, unsigned flags, const TsShadowValues& shadow);

    TsShadow shadow_;
    TsKind kind_;
    TsShadowMargins margins_;
    TsShadowBlur blur_;
    TsBitmap24 work_; // the text's mask, then the picture under the text with the shadow mixed in
    bool firstBuild_ = true;
    // What the blur was last built from.
    struct TBuiltFrom {
        std::string Text;
        TFont Font;
        TRect Rect;
        unsigned Flags = 0;
        TsShadowValues Shadow;
        TsShadowMargins Margins;
        bool operator==(const TBuiltFrom&) const = default;
    } builtFrom_;
};
