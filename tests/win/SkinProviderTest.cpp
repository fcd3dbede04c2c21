// The skinned form frame on a real window shaped like the main window (a
// single frame, system menu and minimise box): its title buttons and where
// they sit, the system menu, the caption bar's mouse handling, the active
// and inactive looks, and giving the window back its system look.
#include "app/FrmMainSkin.h"
#include "skin/sBlendGraph.h"
#include "skin/sGraphUtils.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinProvider.h"
#include "tests/common/GoldenPicture.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

namespace {

class TFramedForm : public TCustomForm {
public:
    // The main window's shape, or the About box's fixed dialog frame.
    TFramedForm(int width, bool dialog) : TCustomForm(nullptr) {
        SetBorderStyle(dialog ? bsDialog : bsSingle);
        SetBorderIcons(dialog ? biSystemMenu : biSystemMenu | biMinimize);
        SetBounds({60, 60, width, 200});
        TCreateParams params;
        params.Caption = "Kestovo 1.0";
        params.Style = dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU
                              : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
        CreateHandle(params);
    }
    ~TFramedForm() override { DestroyHandle(); }
    HWND Window() const { return static_cast<HWND>(Handle()); }
    int closes = 0;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == WM_CLOSE) {
            ++closes;
            return 0; // kept for the next check
        }
        if (message == WM_GETMINMAXINFO) {
            // Narrower than the system's own smallest caption window.
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1};
            return 0;
        }
        return TCustomForm::WndProc(message, wParam, lParam);
    }
};

class SkinProvider : public ::testing::Test {
protected:
    void SetUp() override { Make(320); }
    void TearDown() override {
        frame.reset();
        form.reset();
        manager.reset();
    }
    void Make(int width, bool dialog = false) {
        frame.reset();
        form.reset();
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
        form = std::make_unique<TFramedForm>(width, dialog);
        frame = std::make_unique<TsSkinProvider>(*form);
        frame->SkinData.SetSkinManager(manager.get());
        frame->AttachWindow();
        ASSERT_TRUE(frame->Attached());
        // Attaching after the skin is announced is the same as the announcement.
        SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scNewSkin),
                     reinterpret_cast<LPARAM>(manager.get()));
        ShowWindow(form->Window(), SW_SHOW);
        SetForegroundWindow(form->Window());
        frame->BuildFrameCache();
    }
    // A window point as the screen coordinates the non-client messages carry.
    LPARAM ScreenPoint(int x, int y) const {
        RECT w{};
        GetWindowRect(form->Window(), &w);
        return MAKELPARAM(w.left + x, w.top + y);
    }
    LRESULT HitTest(int x, int y) const {
        return SendMessageA(form->Window(), WM_NCHITTEST, 0, ScreenPoint(x, y));
    }
    void NonClient(UINT message, WPARAM code, int x, int y) const {
        SendMessageA(form->Window(), message, code, ScreenPoint(x, y));
    }
    TPoint Centre(TsSystemButton which) const {
        const TRect& r = frame->SystemButton(which).Rect;
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    const TsBitmap24& Picture() const { return *frame->SkinData.Cache; }

    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TFramedForm> form;
    std::unique_ptr<TsSkinProvider> frame;
};

TEST_F(SkinProvider, MainWindowShapeShowsCloseAndMinimiseSideBySideAtTheFrame) {
    EXPECT_TRUE(frame->HadSysMenu());
    EXPECT_FALSE(GetWindowLongPtrA(form->Window(), GWL_STYLE) & WS_SYSMENU) << "the system draws no buttons";
    const TitleButtonInfo& close = frame->SystemButton(sbClose);
    const TitleButtonInfo& minimise = frame->SystemButton(sbMinimize);
    EXPECT_TRUE(close.Visible);
    EXPECT_TRUE(minimise.Visible);
    EXPECT_FALSE(frame->SystemButton(sbMaximize).Visible);
    EXPECT_FALSE(frame->SystemButton(sbHelp).Visible);
    // The stored skin's 16 x 13 frames and no spacing.
    const TsFrameMetrics m = frame->Metrics();
    EXPECT_EQ(close.Rect.Right, 320 - m.FrameWidth);
    EXPECT_EQ(close.Rect.Width(), 16);
    EXPECT_EQ(close.Rect.Height(), 13);
    EXPECT_EQ(minimise.Rect.Right, close.Rect.Left);
    EXPECT_EQ(minimise.Rect.Width(), 16);
}

TEST_F(SkinProvider, DialogFrameShowsTheCloseButtonAlone) {
    Make(300, true);
    EXPECT_TRUE(frame->SystemButton(sbClose).Visible);
    EXPECT_FALSE(frame->SystemButton(sbMinimize).Visible);
    EXPECT_FALSE(frame->SystemButton(sbMaximize).Visible);
    EXPECT_EQ(frame->Metrics().IconWidth, 0) << "no icon on a dialog frame";
    EXPECT_EQ(frame->SystemButton(sbClose).Rect.Right, 300 - frame->Metrics().FrameWidth);
}

TEST_F(SkinProvider, DialogFadesInOverWhatLiesBehindAndOtherFormsShowAtOnce) {
    EXPECT_EQ(frame->LastShowSteps(), 0) << "the main window's show effect has time 0";
    Make(300, true);
    EXPECT_EQ(frame->LastShowSteps(), 100 / 8 + 1) << "the dialog's effect: time 100";
    UpdateWindow(form->Window());
    EXPECT_EQ(FindWindowA("TOutputWindow", nullptr), nullptr) << "gone once the dialog painted itself";
    ShowWindow(form->Window(), SW_HIDE);
    manager->AnimEffects.DialogShow.Time = 7;
    ShowWindow(form->Window(), SW_SHOW);
    EXPECT_EQ(frame->LastShowSteps(), 0) << "a time of 7 shows it at once";
}

TEST_F(SkinProvider, SystemMenuOffersWhatAFixedSizeWindowAllows) {
    HMENU menu = static_cast<HMENU>(frame->SystemMenuHandle());
    struct Row {
        UINT command;
        const char* caption;
        bool enabled;
    };
    const Row rows[] = {{SC_RESTORE, "Restore", false},
                        {SC_MOVE, "Move", true},
                        {SC_SIZE, "Size", false},
                        {SC_MINIMIZE, "Minimize", true},
                        {SC_CLOSE, "Close\tAlt+F4", true}};
    for (const Row& row : rows) {
        char text[64] = {};
        ASSERT_GT(GetMenuStringA(menu, row.command, text, sizeof text, MF_BYCOMMAND), 0) << row.caption;
        EXPECT_STREQ(text, row.caption);
        const UINT state = GetMenuState(menu, row.command, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_GRAYED) == 0, row.enabled) << row.caption;
    }
    EXPECT_EQ(GetMenuState(menu, SC_MAXIMIZE, MF_BYCOMMAND), UINT(-1)) << "no Maximize item";
    EXPECT_EQ(GetMenuItemCount(menu), 6) << "five items and the separator";
}

TEST_F(SkinProvider, CaptionAnswersButtonsAndLeavesTheRestToTheWindow) {
    const TsFrameMetrics m = frame->Metrics();
    const TPoint close = Centre(sbClose), minimise = Centre(sbMinimize);
    EXPECT_EQ(HitTest(close.X, close.Y), HTCLOSE);
    EXPECT_EQ(frame->HotHitCode(), HTCLOSE);
    EXPECT_EQ(frame->SystemButton(sbClose).State, 1);
    EXPECT_EQ(HitTest(minimise.X, minimise.Y), HTMINBUTTON);
    EXPECT_EQ(frame->SystemButton(sbClose).State, 0);
    EXPECT_EQ(HitTest(m.FrameWidth + 2, close.Y), HTSYSMENU);
    EXPECT_EQ(HitTest(150, close.Y), HTCAPTION);
    EXPECT_EQ(frame->HotHitCode(), 0);

    // A double click on the caption changes nothing on a fixed-size window.
    NonClient(WM_NCLBUTTONDBLCLK, HTCAPTION, 150, close.Y);
    EXPECT_FALSE(IsZoomed(form->Window()));
    EXPECT_FALSE(IsIconic(form->Window()));
}

TEST_F(SkinProvider, CloseActsOnlyWhenReleasedWhereItWasPressed) {
    const TPoint close = Centre(sbClose);
    EXPECT_EQ(HitTest(close.X, close.Y), HTCLOSE);
    NonClient(WM_NCLBUTTONDOWN, HTCLOSE, close.X, close.Y);
    EXPECT_EQ(frame->SystemButton(sbClose).State, 2);
    EXPECT_TRUE(TsSkinProvider::ButtonHeld());
    // Moved off onto the caption and released there.
    EXPECT_EQ(HitTest(150, close.Y), HTCAPTION);
    EXPECT_EQ(frame->SystemButton(sbClose).State, 0);
    NonClient(WM_NCLBUTTONUP, HTCAPTION, 150, close.Y);
    EXPECT_EQ(form->closes, 0);
    EXPECT_TRUE(IsWindowVisible(form->Window()));

    EXPECT_EQ(HitTest(close.X, close.Y), HTCLOSE);
    NonClient(WM_NCLBUTTONDOWN, HTCLOSE, close.X, close.Y);
    NonClient(WM_NCLBUTTONUP, HTCLOSE, close.X, close.Y);
    EXPECT_EQ(form->closes, 1);
    EXPECT_EQ(frame->SystemButton(sbClose).State, 0);
}

// The button minimises the main form; on the minimised form it shows the
// restore face and restores it.
TEST_F(SkinProvider, MinimiseButtonMinimisesTheMainFormAndRestoresItWhenMinimised) {
    form->SetMainForm(true);
    for (const bool iconicAfter : {true, false}) {
        frame->BuildFrameCache();
        const TPoint button = Centre(sbMinimize);
        EXPECT_EQ(HitTest(button.X, button.Y), HTMINBUTTON);
        NonClient(WM_NCLBUTTONDOWN, HTMINBUTTON, button.X, button.Y);
        NonClient(WM_NCLBUTTONUP, HTMINBUTTON, button.X, button.Y);
        EXPECT_EQ(bool(IsIconic(form->Window())), iconicAfter);
    }
}

// The caption bar as the skin's title section draws it in a state, with its
// text in the section's colour for that state.
TEST_F(SkinProvider, ActiveAndInactiveCaptionsTakeTheirSectionColours) {
    const int title = manager->FindSection("FORMTITLE");
    ASSERT_GE(title, 0);
    const TsGeneralData& section = manager->gd[size_t(title)];
    auto countColour = [this](TColor colour) {
        const TsFrameMetrics m = frame->Metrics();
        const TRect text = CaptionTextRect(m, {}, 0);
        int n = 0;
        for (int y = m.FrameHeight; y < m.FrameHeight + m.CaptionHeight; ++y)
            for (int x = text.Left; x < 200; ++x)
                n += Picture().Pixel(x, y) == static_cast<uint32_t>(colour);
        return n;
    };
    SendMessageA(form->Window(), WM_NCACTIVATE, TRUE, 0);
    EXPECT_TRUE(frame->FormActive());
    frame->BuildFrameCache();
    EXPECT_GT(countColour(section.HotFontColor[0]), 10) << "active caption text";
    const uint32_t activeBar = Picture().Pixel(250, 6);

    SendMessageA(form->Window(), WM_NCACTIVATE, FALSE, 0);
    EXPECT_FALSE(frame->FormActive());
    frame->BuildFrameCache();
    EXPECT_GT(countColour(section.FontColor[0]), 10) << "inactive caption text";
    EXPECT_EQ(countColour(section.HotFontColor[0]), 0);
    EXPECT_NE(Picture().Pixel(250, 6), activeBar) << "the bar's gradient follows the state";
}

TEST_F(SkinProvider, CaptionBarsMatchTheirReferencePictures) {
    for (const bool active : {true, false}) {
        SendMessageA(form->Window(), WM_NCACTIVATE, active, 0);
        frame->BuildFrameCache();
        const TsFrameMetrics m = frame->Metrics();
        TsBitmap24 bar(Picture().Width, m.TopHeight);
        CopyPicture(bar, {0, 0}, Picture(), BoundsOf(bar));
        CompareWithGolden(active ? "CAPTION-active" : "CAPTION-inactive", bar, KESTOVA_GOLDEN_FOLDER,
                          KESTOVA_GOLDEN_OUT);
    }
}

TEST_F(SkinProvider, NarrowFormWritesNoCaption) {
    const int title = manager->FindSection("FORMTITLE");
    Make(70);
    SetWindowPos(form->Window(), nullptr, 0, 0, 60, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(form->Window(), WM_NCACTIVATE, TRUE, 0);
    frame->BuildFrameCache();
    ASSERT_EQ(Picture().Width, 60);
    const TsFrameMetrics m = frame->Metrics();
    // Between the icon and the buttons: nothing in the caption's colour.
    int textPixels = 0;
    for (int y = 0; y < m.FrameHeight + m.CaptionHeight; ++y)
        for (int x = IconRect(m).Right; x < frame->SystemButton(sbMinimize).Rect.Left; ++x)
            textPixels +=
                Picture().Pixel(x, y) == static_cast<uint32_t>(manager->gd[size_t(title)].HotFontColor[0]);
    EXPECT_EQ(textPixels, 0);
}

TEST_F(SkinProvider, OutlineLosesTheKeyCornersAndComesBackWithTheSystemLook) {
    RedrawWindow(form->Window(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(frame->RegionHoles().empty());
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(form->Window(), region), ERROR) << "a window region is set";
    EXPECT_FALSE(PtInRegion(region, frame->RegionHoles()[0].Left, frame->RegionHoles()[0].Top));
    EXPECT_EQ(form->Color(), manager->GlobalBackColor());

    manager->SetActive(false);
    EXPECT_TRUE(GetWindowLongPtrA(form->Window(), GWL_STYLE) & WS_SYSMENU);
    EXPECT_FALSE(frame->HadSysMenu());
    EXPECT_EQ(GetWindowRgn(form->Window(), region), ERROR) << "no region any more";
    EXPECT_EQ(form->Color(), clBtnFace);
    DeleteObject(region);
}

} // namespace
