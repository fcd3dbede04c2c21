#pragma once
// The skinned status bar: a platform status bar whose face, with its simple
// panel or its panels, is composed from the skin's "STATUSBAR" section into
// a cached picture and copied to the screen in one block. Without an active
// skin the platform bar paints itself.
#include "sBitBtnLayout.h"
#include "sCommonData.h"
#include "sGraphUtils.h"

#include <functional>
#include <string>
#include <vector>

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

struct TStatusPanel {
    std::string Text;
    int Width = 50;
    TAlignment Alignment = taLeftJustify;
    TStatusPanelStyle Style = psText;
    TStatusPanelBevel Bevel = pbLowered;
};

class TsStatusBar : public TWinControl {
public:
    explicit TsStatusBar(TComponent* owner);
    ~TsStatusBar() override;
    std::string ClassName() const override { return "TsStatusBar"; }

    // Makes the bar's window (a platform status bar) in its parent's.
    bool CreateWnd();

    TsCommonData SkinData;

    const std::vector<TStatusPanel>& Panels() const { return panels_; }
    void SetPanels(std::vector<TStatusPanel> panels);
    void SetPanelText(size_t index, const std::string& text);
    bool SimplePanel() const { return simplePanel_; }
    void SetSimplePanel(bool value);
    const std::string& SimpleText() const { return simpleText_; }
    void SetSimpleText(const std::string& value);
    bool SizeGrip() const { return sizeGrip_; }
    void SetSizeGrip(bool value);
    // A border of this many pixels around the client area.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int value);
    void SetFont(const TFont& font) override;

    // An owner-drawn panel is left to this handler, with the bar's picture
    // and the panel's rectangle in it.
    std::function<void(TsStatusBar&, TsBitmap24& picture, size_t panel, const TRect& rect)> OnDrawPanel;

    // Composes the cached picture now (also when it is not stale).
    void ComposeCache();
    // The text the picture shows in a panel's place: cut with "..." to the
    // width of its text rectangle in the skin's font.
    std::string FittedText(const std::string& text, const TRect& panel);

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override;

private:
    TMessageResult SkinCommandMessage(TWParam wParam, TLParam lParam);
    void ApplyPanels();
    void HandPanelsOver();
    void WithoutRedraw(const std::function<void()>& hand);
    void ApplyFont();
    void Changed();
    bool ComputePartlyOutside() const;
    bool NeedsRebuild();
    void PaintSkinned(void* dc);
    void PaintBorder(void* dc);
    void RecreateWnd();
    void ComposePanel(TsBitmap24& cache, const TRect& panel, bool last, bool simple, size_t index);
    void DrawGrip(TsBitmap24& cache);

    std::vector<TStatusPanel> panels_;
    bool simplePanel_ = false;
    std::string simpleText_;
    bool sizeGrip_ = true;
    int borderWidth_ = 0;
    void* font_ = nullptr; // the font handed to the platform bar
};
