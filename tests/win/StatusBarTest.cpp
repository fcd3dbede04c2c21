// The skinned status bar on a real window with the internal skin: the simple
// panel's gradient and its text cut at the exact character, three panels
// laid out by their widths with dividers between them, and the platform bar
// back when the skin goes.
#include "app/FrmMainSkin.h"
#include "skin/sStatusBar.h"
#include "skin/sSkinManager.h"
#include "skin/win/sTextCanvasWin.h"

#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const TFont kTahoma{"Tahoma", -11, clWindowText, false};

// The width of a text in the bar's font, measured here on a screen context.
int TextWidth(const std::string& text) {
    HDC screen = GetDC(nullptr);
    HFONT font =
        CreateFontA(-11, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma");
    HGDIOBJ old = SelectObject(screen, font);
    SIZE size{};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(screen, old);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return size.cx;
}

class StatusBar : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TTestForm>("Status bar", 760, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN);
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
    }
    void TearDown() override {
        bar.reset();
        form.reset();
        manager.reset();
    }
    void MakeBar(int width) {
        bar = std::make_unique<TsStatusBar>(nullptr);
        bar->SetParent(form.get());
        bar->SetBounds({1, 100, width, 19});
        bar->SetFont(kTahoma);
        bar->SetSizeGrip(false);
        bar->SkinData.SetSkinManager(manager.get());
        ASSERT_TRUE(bar->CreateWnd());
        ASSERT_TRUE(bar->SkinData.Skinned());
    }
    HWND Window() const { return static_cast<HWND>(bar->Handle()); }
    // The picture the bar shows, after it has painted itself.
    const TsBitmap24& Painted() {
        InvalidateRect(Window(), nullptr, FALSE);
        UpdateWindow(Window());
        return *bar->SkinData.Cache;
    }
    // The "STATUSBAR" section over the bar with a text at (3, 2, width - 6, 16)
    // in the section's colours.
    TsBitmap24 Reference(const std::string& text) const {
        TsBitmap24 picture(bar->Width(), 19);
        ComposeItem(&picture, bar->SkinData.ItemSkin(), TsBackgroundDescriptor::OfColor(ToRGB(clBtnFace)),
                    true, 0, true, {1, 100}, BoundsOf(picture));
        TsDibTextCanvas canvas(picture);
        WriteSkinText(canvas, text, true, false, bar->SkinData.ItemSkin(), tfLeft | tfVCenter | tfSingleLine,
                      {3, 2, bar->Width() - 6, 16});
        return picture;
    }

    std::unique_ptr<TTestForm> form;
    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TsStatusBar> bar;
};

// What the window paints by its own procedure, as skin colours 0x00BBGGRR.
std::vector<uint32_t> PlatformPainted(HWND window) {
    const TsBitmap24 picture = PaintedClient(window, [window](HDC dc) {
        SendMessageA(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        SendMessageA(window, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    });
    std::vector<uint32_t> pixels;
    for (int y = 0; y < picture.Height; ++y)
        for (int x = 0; x < picture.Width; ++x)
            pixels.push_back(picture.Pixel(x, y));
    return pixels;
}

TEST_F(StatusBar, SimplePanelIsTheGradientWithTheTextCutAtTheExactCharacter) {
    MakeBar(703);
    bar->SetSimplePanel(true);
    EXPECT_EQ(bar->SkinData.SkinSection(), "STATUSBAR");
    EXPECT_EQ(bar->SkinData.KindCode, 151);
    // The longest "Data Source: WW...W" that fits into 703 - 9 pixels, and one "W" more.
    std::string fits = "Data Source: ";
    while (TextWidth(fits + "W") <= 694)
        fits += "W";
    const std::string over = fits + "W";
    ASSERT_GT(TextWidth(over), 694);

    bar->SetSimpleText(fits);
    const TsBitmap24& whole = Painted();
    EXPECT_TRUE(SamePicture(whole, Reference(fits)));
    // Only the gradient: 16184299 at the top, then toward 14866631; the text in 5059883.
    EXPECT_EQ(whole.Pixel(0, 0), 16184299u);
    EXPECT_EQ(whole.Pixel(702, 0), 16184299u);
    EXPECT_EQ(whole.Pixel(700, 18), Reference("").Pixel(700, 18));
    bool textColour = false;
    for (int x = 3; x < 100; ++x)
        for (int y = 2; y < 16; ++y)
            textColour = textColour || whole.Pixel(x, y) == 5059883u;
    EXPECT_TRUE(textColour);

    // One character too many: that one and as many more as needed go, "..." comes.
    size_t keep = over.size() - 1;
    while (keep > 0 && TextWidth(over.substr(0, keep) + "...") > 694)
        --keep;
    ASSERT_LT(keep, over.size() - 1) << "the dots take the place of more than one character";
    bar->SetSimpleText(over);
    const TsBitmap24& cut = Painted();
    EXPECT_TRUE(SamePicture(cut, Reference(over.substr(0, keep) + "...")));
    EXPECT_FALSE(SamePicture(cut, Reference(over.substr(0, keep + 1) + "...")));
    EXPECT_FALSE(SamePicture(cut, Reference(over)));
    EXPECT_EQ(bar->SimpleText(), over) << "the text itself stays whole";
}

TEST_F(StatusBar, ThreePanelsLieByTheirWidthsWithDividersBetween) {
    MakeBar(300);
    std::vector<TStatusPanel> panels(3);
    const int widths[] = {50, 60, 70};
    for (size_t i = 0; i < 3; ++i) {
        panels[i].Width = widths[i];
        panels[i].Style = psOwnerDraw;
    }
    std::vector<TRect> drawn;
    bar->OnDrawPanel = [&drawn](TsStatusBar&, TsBitmap24&, size_t, const TRect& r) { drawn.push_back(r); };
    bar->SetPanels(panels);
    drawn.clear();
    const TsBitmap24& picture = Painted();
    // 0-51, 51-112 and 112-300, each shrunk by one pixel.
    ASSERT_EQ(drawn.size(), 3u);
    EXPECT_EQ(drawn[0], (TRect{1, 1, 50, 18}));
    EXPECT_EQ(drawn[1], (TRect{52, 1, 111, 18}));
    EXPECT_EQ(drawn[2], (TRect{113, 1, 299, 18}));
    // The skin has no panel mask: a divider ends every panel but the last.
    const TsBitmap24 plain = Reference("");
    EXPECT_NE(picture.Pixel(49, 9), plain.Pixel(49, 9));
    EXPECT_NE(picture.Pixel(110, 9), plain.Pixel(110, 9));
    EXPECT_EQ(picture.Pixel(80, 9), plain.Pixel(80, 9));
    EXPECT_EQ(picture.Pixel(298, 9), plain.Pixel(298, 9));
    EXPECT_EQ(picture.Pixel(49, 0), plain.Pixel(49, 0)) << "the divider leaves the top row";
    // A text change composes the picture once; a paint without a change does not compose it.
    drawn.clear();
    bar->SetPanelText(0, "changed");
    Painted();
    EXPECT_EQ(drawn.size(), 3u);
    Painted();
    EXPECT_EQ(drawn.size(), 3u);

    // Text panels: their texts are written inside their places.
    panels[0].Style = panels[1].Style = panels[2].Style = psText;
    panels[1].Text = "Middle";
    bar->SetPanels(panels);
    const TsBitmap24& written = Painted();
    bool inMiddle = false, elsewhere = false;
    for (int y = 2; y < 16; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool text = written.Pixel(x, y) == 5059883u;
            (x >= 55 && x < 107 ? inMiddle : elsewhere) |= text;
        }
    EXPECT_TRUE(inMiddle);
    EXPECT_FALSE(elsewhere);
}

// What the bar prints (client or frame) on a picture of the given size, as skin colours.
TsBitmap24 Printed(HWND window, UINT message, LPARAM flags, int width, int height) {
    return PaintedPicture(
        width, height, [&](HDC dc) { SendMessageA(window, message, reinterpret_cast<WPARAM>(dc), flags); });
}

TEST_F(StatusBar, BorderWidthShowsThePicturesEdgesAroundTheClient) {
    MakeBar(300);
    bar->SetSimplePanel(true);
    bar->SetSimpleText("Bordered");
    bar->SetBorderWidth(2);
    RECT client;
    GetClientRect(Window(), &client);
    EXPECT_EQ(client.right, 296);
    EXPECT_EQ(client.bottom, 15);
    const TsBitmap24 picture = Painted();
    ASSERT_EQ(picture.Width, 300);
    // The client area shows the picture from (2, 2) on.
    const TsBitmap24 inside = Printed(Window(), WM_PRINTCLIENT, PRF_CLIENT, 296, 15);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 296; ++x)
            ASSERT_EQ(inside.Pixel(x, y), picture.Pixel(x + 2, y + 2)) << x << "," << y;
    // The frame: the picture's two outer rows and columns, nothing inside them.
    const TsBitmap24 frame = Printed(Window(), WM_PRINT, PRF_NONCLIENT, 300, 19);
    for (int y = 0; y < 19; ++y)
        for (int x = 0; x < 300; ++x) {
            const bool border = x < 2 || y < 2 || x >= 298 || y >= 17;
            ASSERT_EQ(frame.Pixel(x, y), border ? picture.Pixel(x, y) : 0u) << x << "," << y;
        }
}

TEST_F(StatusBar, SkinRemovedGivesThePlatformBarBackAndANewSkinTakesItAgain) {
    MakeBar(703);
    bar->SetSimplePanel(true);
    bar->SetSimpleText("Data Source: PC01");
    EXPECT_TRUE(SamePicture(Painted(), Reference("Data Source: PC01")));
    EXPECT_EQ(SendMessageA(Window(), SM_SKINCOMMAND, SkinCommand(scIsSkinned), 0), 1);

    manager->SetActive(false);
    EXPECT_FALSE(bar->SkinData.Skinned());
    ASSERT_TRUE(IsWindow(Window())) << "the bar has a new window";
    EXPECT_TRUE(bar->SkinData.Cache->Empty());
    char text[64] = {};
    // Simple mode answers for part 0 with the simple text.
    SendMessageA(Window(), SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Data Source: PC01");
    EXPECT_TRUE(SendMessageA(Window(), SB_ISSIMPLE, 0, 0));
    // The platform paints the bar in the system's colours: no gradient.
    const std::vector<uint32_t> platform = PlatformPainted(Window());
    EXPECT_EQ(std::count(platform.begin(), platform.end(), 16184299u), 0);
    EXPECT_GT(std::count(platform.begin(), platform.end(), uint32_t(ToRGB(clBtnFace))), 0);

    manager->SetActive(true);
    EXPECT_TRUE(bar->SkinData.Skinned());
    EXPECT_TRUE(SamePicture(Painted(), Reference("Data Source: PC01")));
}

} // namespace
