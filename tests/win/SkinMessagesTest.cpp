// The skin command message between real windows: a form drawn from "FORM", a
// windowed panel on it drawn from "PANEL" and a windowless control on the
// panel drawn from "EDIT", all with the internal skin. Every command travels
// as the program sends it: by window message to the windowed ones, directly
// to the windowless one.
#include "app/FrmMainSkin.h"
#include "skin/sCommonData.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace {

// Passes a skin command to the control's skin state, as skinned controls do;
// false for other messages and commands the state does not answer.
bool SkinAnswer(TsCommonData& state, unsigned message, TWParam wParam, TLParam lParam,
                TMessageResult& result) {
    if (message != SM_SKINCOMMAND)
        return false;
    bool handled = false;
    result = state.HandleCommand(wParam, lParam, handled);
    return handled;
}

// A windowed control whose skin commands go to its skin state.
template <typename Base> class TSkinAnswering : public Base {
public:
    TSkinAnswering() : Base(nullptr), SkinData(this, true) {}
    ~TSkinAnswering() override { this->DestroyHandle(); }
    TsCommonData SkinData;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        TMessageResult result = 0;
        return SkinAnswer(SkinData, message, wParam, lParam, result) ? result
                                                                     : Base::WndProc(message, wParam, lParam);
    }
};

class TSkinnedForm : public TSkinAnswering<TCustomForm> {
public:
    TSkinnedForm() {
        SetVisible(false);
        SetBounds({10, 10, 300, 200});
        TCreateParams params;
        params.Caption = "Skin messages";
        params.Style = WS_OVERLAPPEDWINDOW;
        CreateHandle(params);
    }
};

class TSkinnedPanel : public TSkinAnswering<TWinControl> {
public:
    explicit TSkinnedPanel(TWinControl* parent) {
        SetParent(parent);
        SetBounds({8, 8, 200, 120});
        TCreateParams params;
        params.Style = WS_CHILD | WS_VISIBLE;
        CreateHandle(params);
    }
    std::string ClassName() const override { return "TPanel"; }
};

class TSkinnedLabel : public TGraphicControl {
public:
    explicit TSkinnedLabel(TWinControl* parent) : TGraphicControl(nullptr), SkinData(this, false) {
        SetParent(parent);
        SetBounds({4, 4, 60, 16});
    }
    std::string ClassName() const override { return "TLabel"; }
    void Paint(void*) override {}
    TsCommonData SkinData;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        TMessageResult result = 0;
        return SkinAnswer(SkinData, message, wParam, lParam, result)
                   ? result
                   : TGraphicControl::WndProc(message, wParam, lParam);
    }
};

class SkinMessages : public ::testing::Test {
protected:
    void SetUp() override {
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
        form = std::make_unique<TSkinnedForm>();
        panel = std::make_unique<TSkinnedPanel>(form.get());
        label = std::make_unique<TSkinnedLabel>(panel.get());
        form->SkinData.SetSkinManager(manager.get());
        panel->SkinData.SetSkinManager(manager.get());
        label->SkinData.SetSkinManager(manager.get());
        form->SkinData.SetSkinSection("form");
        panel->SkinData.SetSkinSection("Panel");
        label->SkinData.SetSkinSection("EDIT");
    }
    void TearDown() override {
        label.reset();
        panel.reset();
        form.reset();
        manager.reset();
    }
    // A command as a window message to a windowed control.
    TMessageResult Send(TWinControl& control, unsigned command, unsigned argument = 0, TLParam lParam = 0) {
        return SendMessageA(static_cast<HWND>(control.Handle()), SM_SKINCOMMAND,
                            SkinCommand(command, argument), lParam);
    }
    TLParam Manager() const { return reinterpret_cast<TLParam>(manager.get()); }

    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TSkinnedForm> form;
    std::unique_ptr<TSkinnedPanel> panel;
    std::unique_ptr<TSkinnedLabel> label;
};

TEST_F(SkinMessages, SectionIndexesTravelThroughTheWindows) {
    EXPECT_EQ(form->SkinData.SkinSection(), "FORM");
    EXPECT_EQ(Send(*panel, scGetSectionIndex), manager->FindSection("PANEL") + 1);
    EXPECT_EQ(Send(*form, scGetSectionIndex), manager->FindSection("FORM") + 1);
    EXPECT_EQ(SendSkinCommand(*label, scGetSectionIndex), manager->FindSection("EDIT") + 1);
    EXPECT_EQ(Send(*panel, scIsSkinned), 1);

    // A section the skin lacks: the control is not skinned and answers 0.
    panel->SkinData.SetSkinSection("NO SUCH SECTION");
    EXPECT_EQ(Send(*panel, scGetSectionIndex), 0);
    panel->SkinData.SetSkinSection("");
    EXPECT_EQ(panel->SkinData.SkinSection(), "UNKNOWN");
    EXPECT_EQ(Send(*panel, scGetSectionIndex), 0);
}

TEST_F(SkinMessages, RemoveAndRefreshFromTheManagerOnly) {
    std::unique_ptr<TsSkinManager> other(CreateSkinManager1(nullptr));
    const TLParam otherManager = reinterpret_cast<TLParam>(other.get());
    const int panelSection = panel->SkinData.SectionIndex;
    ASSERT_GE(panelSection, 0);

    // Another manager's commands leave the controls as they are.
    Send(*panel, scRemoveSkin, 0, otherManager);
    SendSkinCommand(*label, scRemoveSkin, 0, otherManager);
    EXPECT_EQ(panel->SkinData.SectionIndex, panelSection);
    EXPECT_GE(label->SkinData.SectionIndex, 0);

    Send(*panel, scRemoveSkin, 0, Manager());
    SendSkinCommand(*label, scRemoveSkin, 0, Manager());
    EXPECT_EQ(panel->SkinData.SectionIndex, -1);
    EXPECT_EQ(panel->SkinData.FrameMaskIndex, -1);
    EXPECT_TRUE(panel->SkinData.PaintSuspended);
    EXPECT_TRUE(panel->SkinData.Cache->Empty());
    EXPECT_EQ(label->SkinData.SectionIndex, -1);
    EXPECT_EQ(Send(*panel, scIsStale), 1) << "painting suspended";

    Send(*panel, scNewSkin, 0, otherManager);
    EXPECT_EQ(panel->SkinData.SectionIndex, -1) << "another manager's new skin";
    Send(*panel, scNewSkin, 0, Manager());
    EXPECT_EQ(panel->SkinData.SectionIndex, panelSection);

    panel->SkinData.CacheRebuilt();
    Send(*panel, scRefresh, 0, Manager());
    EXPECT_TRUE(panel->SkinData.CacheStale);
    EXPECT_FALSE(panel->SkinData.PaintSuspended);
}

TEST_F(SkinMessages, BackgroundChangeReachesEveryChild) {
    // The internal skin's FORM, PANEL and EDIT are opaque: their pictures do
    // not depend on the parent, so a background change leaves their caches.
    form->SkinData.CacheRebuilt();
    panel->SkinData.CacheRebuilt();
    label->SkinData.CacheRebuilt();
    Send(*form, scBackgroundChanged);
    EXPECT_FALSE(panel->SkinData.CacheStale);
    EXPECT_FALSE(label->SkinData.CacheStale);

    // Command 17 makes a cache stale outright; command 10 reports it.
    EXPECT_EQ(Send(*panel, scIsStale), 0);
    Send(*panel, scMarkStale);
    EXPECT_EQ(Send(*panel, scIsStale), 1);

    // A move that changes the background makes the cache stale; one that does not, not.
    label->SkinData.BoundsChanged(false);
    EXPECT_FALSE(label->SkinData.CacheStale);
    label->SkinData.BoundsChanged(true);
    EXPECT_TRUE(label->SkinData.CacheStale);
}

TEST_F(SkinMessages, ChildrenTakeTheSectionColourAndTheParentsPicture) {
    // Transparency 0: the colour children take is the section's own colour.
    const TsGeneralData& panelSection = manager->gd[manager->FindSection("PANEL")];
    EXPECT_EQ(static_cast<TColor>(Send(*panel, scGetChildColor)), panelSection.Color);
    EXPECT_EQ(static_cast<TColor>(Send(*panel, scGetChildColor)), 15788258);

    // The form's FORM section has a texture share: without a cache yet it
    // answers the key colour; with one, its picture at the asking control's origin.
    TsBackgroundRecord record;
    GetParentBackground(*form, record);
    EXPECT_EQ(record.Kind, bkColor);
    EXPECT_EQ(record.FillColor, 0xFF00FF);
    form->SkinData.EnsureCache();
    GetParentBackground(*form, record);
    EXPECT_EQ(record.Kind, bkPicture);
    EXPECT_EQ(record.Picture, form->SkinData.Cache.get());
    EXPECT_EQ(record.Picture->Width, 300);
    EXPECT_EQ(record.Origin.X, 0);

    // The panel (plain colour, no texture, no gradient) answers its colour.
    GetParentBackground(*panel, record);
    EXPECT_EQ(record.Kind, bkColor);
    EXPECT_EQ(record.FillColor, 15788258);

    // A panel that is not skinned gives its own colour.
    panel->SkinData.SetSkinSection("NO SUCH SECTION");
    panel->SetColor(0x123456);
    GetParentBackground(*panel, record);
    EXPECT_EQ(record.Kind, bkColor);
    EXPECT_EQ(record.FillColor, 0x123456);
}

} // namespace
