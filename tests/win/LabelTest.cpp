// The skinned labels on a real window: the label with effects writes its
// caption in the skin's colour over the skin's blurred shadow, draws no
// shadow with no blur passes, keeps its blur buffer, and the plain label
// takes the skin's text colour and the system's back when the skin goes.
#include "app/FrmMainSkin.h"
#include "skin/sLabel.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/win/sTextCanvasWin.h"

#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr TColor kBanner = 0x4D352B; // RGB(43, 53, 77)
const TFont kBannerFont{"MS Sans Serif", -19, kBanner, true};

// The label as its parent paints it, as skin colours 0x00BBGGRR.
TsBitmap24 Painted(const TControl& control) {
    HWND parent = static_cast<HWND>(control.Parent()->Handle());
    const TsBitmap24 client = PaintedClient(parent, [parent](HDC dc) {
        SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    const TBounds& b = control.BoundsRect();
    TsBitmap24 picture(b.Width, b.Height);
    for (int y = 0; y < b.Height; ++y)
        for (int x = 0; x < b.Width; ++x)
            picture.SetPixel(x, y, client.Pixel(b.Left + x, b.Top + y));
    return picture;
}

TsTextFont TextFont(const TFont& f) {
    TsTextFont font;
    font.Name = f.Name;
    font.Height = f.Height;
    font.Bold = f.Bold;
    return font;
}

// The banner worked out here: the form's colour, the caption in white moved
// by the distance blurred passes times and mixed in the shadow colour, the
// caption in the text colour over it.
TsBitmap24 Banner(int width, int height, const std::string& caption, TColor text, TColor shadow, int passes,
                  int distance) {
    const unsigned flags = tfExpandTabs | tfCenter;
    TsBitmap24 picture(width, height);
    FillArea(picture, BoundsOf(picture), ToRGB(clBtnFace));
    if (passes > 0) {
        TsBitmap24 mask(width, height);
        {
            TsDibTextCanvas canvas(mask);
            canvas.SetFont(TextFont(kBannerFont));
            canvas.PutText(caption, {distance, distance, width + distance, height + distance}, flags,
                           0xFFFFFF);
        }
        TsShadowBlur blur;
        blur.Build(mask, passes);
        blur.Mix(picture, shadow);
    }
    TsDibTextCanvas canvas(picture);
    canvas.SetFont(TextFont(kBannerFont));
    canvas.PutText(caption, BoundsOf(picture), flags, text);
    return picture;
}

bool Contains(const TsBitmap24& picture, TColor colour) {
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            if (picture.Pixel(x, y) == uint32_t(colour))
                return true;
    return false;
}

class Label : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TTestForm>("Labels", 320);
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
        ASSERT_EQ(DefaultManager(), manager.get());
    }
    void TearDown() override {
        labels.clear();
        form.reset();
        manager.reset();
    }
    template <typename T> T& Make(TBounds bounds, const TFont& font, const std::string& caption) {
        auto label = std::make_unique<T>(nullptr);
        label->SetAutoSize(false);
        label->SetAlignment(taCenter);
        label->SetFont(font);
        label->SetCaption(caption);
        label->SetBounds(bounds);
        label->SetParent(form.get());
        T& result = *label;
        labels.push_back(std::move(label));
        return result;
    }

    std::unique_ptr<TTestForm> form;
    std::unique_ptr<TsSkinManager> manager;
    std::vector<std::unique_ptr<TsCustomLabel>> labels;
};

TEST_F(Label, LabelFXWritesTheSkinColourOverTheSkinShadowBlurredThreeTimes) {
    TsLabelFX& label = Make<TsLabelFX>({10, 10, 120, 30}, kBannerFont, "Kestova");
    EXPECT_EQ(label.CurrentShadow(), (TsShadowValues{7496537, 3, 1}));
    EXPECT_EQ(label.CurrentTextColor(), TColor(16771002));
    const TsBitmap24 painted = Painted(label);
    EXPECT_TRUE(SamePicture(painted, Banner(120, 30, "Kestova", 16771002, 7496537, 3, 1)));
    EXPECT_FALSE(SamePicture(painted, Banner(120, 30, "Kestova", 16771002, 7496537, 2, 1)));
    EXPECT_FALSE(SamePicture(painted, Banner(120, 30, "Kestova", 16771002, 7496537, 3, 2)));
    EXPECT_TRUE(Contains(painted, 16771002));
}

TEST_F(Label, NoBlurPassesDrawNoShadow) {
    TsLabelFX& label = Make<TsLabelFX>({10, 10, 120, 30}, kBannerFont, "Kestova");
    label.SetShadow({smCustom, 0x000000, 0, 1});
    EXPECT_EQ(label.CurrentShadow(), (TsShadowValues{0, 0, 1}));
    const TsBitmap24 painted = Painted(label);
    EXPECT_TRUE(SamePicture(painted, Banner(120, 30, "Kestova", 16771002, 0, 0, 1)));
    // smNone writes like a plain label, in the font's colour as the skin sets it.
    label.SetShadow({smNone, 0x000000, 4, 1});
    EXPECT_FALSE(Contains(Painted(label), 16771002));
}

TEST_F(Label, BlurBufferIsKeptAndGrowsOnlyWithTheLabel) {
    TsLabelFX& label = Make<TsLabelFX>({10, 10, 120, 30}, kBannerFont, "Kestova");
    Painted(label);
    EXPECT_EQ(label.BlurCapacity(), size_t(122 * 32));
    label.SetBounds({10, 10, 60, 20});
    Painted(label);
    EXPECT_EQ(label.BlurCapacity(), size_t(122 * 32));
    label.SetBounds({10, 10, 150, 40});
    Painted(label);
    EXPECT_EQ(label.BlurCapacity(), size_t(152 * 42));
}

TEST_F(Label, AutoSizeLeavesRoomForTheShadow) {
    TsLabelFX& label = Make<TsLabelFX>({10, 10, 120, 30}, kBannerFont, "Kestova");
    TsLabel& plain = Make<TsLabel>({10, 50, 120, 30}, kBannerFont, "Kestova");
    plain.SetAutoSize(true);
    label.SetAutoSize(true);
    // Offset 1 and blur 3: margins -2 and 4, six pixels more each way.
    EXPECT_EQ(label.Margins(), (TsShadowMargins{-2, 4}));
    EXPECT_EQ(label.Width(), plain.Width() + 6);
    EXPECT_EQ(label.Height(), plain.Height() + 6);
}

TEST_F(Label, PlainLabelTakesTheSkinTextColourAndTheSystemsWhenTheSkinGoes) {
    TsLabel& label = Make<TsLabel>({10, 10, 200, 13}, TFont{"MS Sans Serif", -11, kBanner, false},
                                   "Finds the versions of your desktop engines");
    TsLabel& own =
        Make<TsLabel>({10, 40, 200, 13}, TFont{"MS Sans Serif", -11, kBanner, false}, "Own colour");
    own.SetUseSkinColor(false);
    TsLabelFX& banner = Make<TsLabelFX>({10, 60, 120, 30}, kBannerFont, "Kestova");

    // The skin's global text colour (0) replaces the label's own on painting.
    const TsBitmap24 skinned = Painted(label);
    EXPECT_EQ(label.Font().Color, 0);
    EXPECT_TRUE(Contains(skinned, 0x000000));
    EXPECT_FALSE(Contains(skinned, kBanner));
    EXPECT_TRUE(Contains(Painted(own), kBanner));

    manager->SetActive(false);
    EXPECT_EQ(label.Font().Color, clWindowText);
    EXPECT_TRUE(Contains(Painted(label), TColor(GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF)));
    EXPECT_EQ(own.Font().Color, kBanner);
    EXPECT_TRUE(Contains(Painted(own), kBanner));
    // The banner falls back to its own values: white text over a black shadow blurred four times.
    EXPECT_EQ(banner.CurrentTextColor(), TColor(0xFFFFFF));
    EXPECT_EQ(banner.CurrentShadow(), (TsShadowValues{0, 4, 1}));
    EXPECT_TRUE(SamePicture(Painted(banner), Banner(120, 30, "Kestova", 0xFFFFFF, 0, 4, 1)));
}

TEST_F(Label, MouseEnteringAndLeavingRaiseTheirEvents) {
    TsLabel& label = Make<TsLabel>({10, 10, 100, 13}, TFont{"MS Sans Serif", -11, kBanner, false}, "Hover");
    std::string events;
    label.OnMouseEnter = [&events](TsCustomLabel&) { events += "enter;"; };
    label.OnMouseLeave = [&events](TsCustomLabel&) { events += "leave;"; };
    HWND parent = form->Window();
    SendMessageA(parent, WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));
    SendMessageA(parent, WM_MOUSEMOVE, 0, MAKELPARAM(20, 16));
    SendMessageA(parent, WM_MOUSEMOVE, 0, MAKELPARAM(200, 150));
    EXPECT_EQ(events, "enter;leave;");
}

// A windowed control that answers the section query with a section of the skin.
class TSectionPanel : public TWinControl {
public:
    TSectionPanel(TWinControl* parent, TBounds bounds) : TWinControl(nullptr) {
        SetParent(parent);
        SetBounds(bounds);
        TCreateParams params;
        params.Style = WS_CHILD | WS_VISIBLE;
        CreateHandle(params);
    }
    ~TSectionPanel() override { DestroyHandle(); }
    std::string ClassName() const override { return "TSectionPanel"; }
    int SectionIndex = -1;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND && CommandOf(wParam) == scGetSectionIndex)
            return SectionIndex + 1;
        return TWinControl::WndProc(message, wParam, lParam);
    }
};

TEST_F(Label, TextColourComesFromTheFirstOpaqueAncestorThatGivesItsFont) {
    TsSkinManager& m = *manager;
    const int panel = m.FindSection("PANEL");         // transparency 0
    const int checkBox = m.FindSection("CHECKBOX");   // transparency 100
    const int webButton = m.FindSection("WEBBUTTON"); // its own text colour 5059883
    ASSERT_GT(panel, 0);
    ASSERT_GT(checkBox, 0);
    ASSERT_GT(webButton, 0);
    m.gd[size_t(panel)].FontColor[0] = 0x123456;
    m.gd[size_t(checkBox)].FontColor[0] = 0x654321;
    TSectionPanel outer(form.get(), {0, 0, 300, 150});
    TSectionPanel inner(&outer, {10, 10, 280, 100});
    TsLabel& label = Make<TsLabel>({5, 5, 100, 13}, TFont{"MS Sans Serif", -11, kBanner, false}, "Text");
    label.SetParent(&inner);
    const struct {
        const char* what;
        int inner, outer;
        bool panelGivesFont;
        const char* skinSection;
        TColor expected;
    } rows[] = {
        {"no section above", -1, -1, true, "", 0},
        {"an opaque parent that gives its font", panel, -1, true, "", 0x123456},
        {"an opaque parent that does not", panel, -1, false, "", 0},
        {"a see-through parent, then one that gives", checkBox, panel, true, "", 0x123456},
        {"a see-through parent, then nothing", checkBox, -1, true, "", 0},
        {"the label's own section first", panel, -1, true, "webbutton", 5059883},
    };
    for (const auto& row : rows) {
        inner.SectionIndex = row.inner;
        outer.SectionIndex = row.outer;
        m.gd[size_t(panel)].GiveOwnFont = row.panelGivesFont;
        label.SetSkinSection(row.skinSection);
        EXPECT_EQ(label.SkinTextColor(), row.expected) << row.what;
        Painted(label);
        EXPECT_EQ(label.Font().Color, row.expected) << row.what;
    }
    label.SetParent(nullptr);
}

} // namespace
