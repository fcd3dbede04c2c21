// A skinned button whose section fades (the folder skin tests/skins/Fading):
// the pictures a hot fade shows step by step, and what stops, advances or
// leaves alone a running fade. The pictures of the hot fade are written to
// the build tree (golden-out/BITBTN-fade.bmp, the steps side by side).
#include "skin/sBitBtn.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "tests/common/GoldenPicture.h"

#include "tests/fixtures/TestButtons.h"
#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <memory>
#include <set>

namespace {

// The skin's button colours (Options.dat of the Fading skin), 0x00BBGGRR.
constexpr uint32_t NormalFace = 8396832; // COLOR
constexpr uint32_t HotFace = 6340863;    // HOTCOLOR

class BitBtnFade : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TTestForm>("Fading", 320);
        manager = std::make_unique<TsSkinManager>(nullptr);
        manager->SetSkinDirectory(KESTOVA_TEST_SKINS);
        manager->SetSkinName("Fading");
        ASSERT_TRUE(manager->Active());
        ASSERT_FALSE(manager->SkinIsPacked()) << "the folder skin, not the program's own";
        const int section = manager->FindSection("BUTTON");
        ASSERT_GE(section, 0);
        ASSERT_TRUE(manager->gd[size_t(section)].FadingEnabled) << "FADINGENABLED=TRUE reads as true";
        ASSERT_EQ(manager->gd[size_t(section)].FadingIterations, 6);
        button = MakeSkinnedButton(*form, *manager);
    }
    void TearDown() override {
        button.reset();
        form.reset();
        manager.reset();
        ApplicationShowHint() = true;
    }
    HWND Window() const { return static_cast<HWND>(button->Handle()); }
    void Send(UINT message, WPARAM wParam, int x, int y) {
        SendMessageA(Window(), message, wParam, MAKELPARAM(x, y));
    }
    // What the button paints now.
    TsBitmap24 Shown() {
        return PaintedClient(Window(), [this](HDC dc) {
            SendMessageA(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        });
    }
    // One tick of the fade's window timer.
    void Tick() { SendMessageA(Window(), WM_TIMER, TsBitBtn::FadeTimerId, 0); }
    // The mouse comes over the button: the hot fade starts.
    void Enter() {
        Shown(); // a picture of the normal state to fade from
        Send(WM_MOUSEMOVE, 0, 5, 5);
    }

    std::unique_ptr<TTestForm> form;
    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TsBitBtn> button;
};

// A face pixel away from the caption (the skin has no frame).
uint32_t FaceOf(const TsBitmap24& picture) {
    return picture.Pixel(2, 2);
}

// Each channel from + (to - from) * step / steps, to the nearest whole
// value (a half away from where it started).
uint32_t Mixed(uint32_t from, uint32_t to, int step, int steps) {
    uint32_t color = 0;
    for (int shift : {0, 8, 16}) {
        const double a = (from >> shift) & 0xFF, b = (to >> shift) & 0xFF;
        const double channel = a + (b - a) * step / steps;
        const double rounded = b >= a ? std::floor(channel + 0.5) : std::ceil(channel - 0.5);
        color |= static_cast<uint32_t>(rounded) << shift;
    }
    return color;
}

} // namespace

TEST_F(BitBtnFade, HotFadeShowsEveryStepBetweenTheNormalAndTheHotFace) {
    const TsBitmap24 normal = Shown();
    ASSERT_EQ(FaceOf(normal), NormalFace);
    Send(WM_MOUSEMOVE, 0, 5, 5);
    ASSERT_TRUE(button->Fading());
    EXPECT_EQ(button->FadeSteps(), 6) << "FADINGITERATIONS for entering";
    std::vector<TsBitmap24> frames{Shown()};
    EXPECT_TRUE(SamePicture(frames[0], normal)) << "the fade starts from what was shown";
    for (int tick = 0; tick < 20 && button->Fading(); ++tick) {
        Tick();
        frames.push_back(Shown());
    }
    EXPECT_FALSE(button->Fading());
    ASSERT_EQ(frames.size(), 7u) << "six steps";
    const TsBitmap24& hot = frames.back();
    EXPECT_EQ(FaceOf(hot), HotFace);
    EXPECT_EQ(button->CurrentState(), 1);

    std::set<std::vector<uint8_t>> between;
    for (size_t step = 1; step < 6; ++step) {
        SCOPED_TRACE(step);
        EXPECT_FALSE(SamePicture(frames[step], normal));
        EXPECT_FALSE(SamePicture(frames[step], hot));
        EXPECT_EQ(FaceOf(frames[step]), Mixed(NormalFace, HotFace, int(step), 6)) << "a linear mix";
        between.insert(frames[step].Pixels);
    }
    EXPECT_GE(between.size(), 3u) << "at least three pictures between the two states";

    // The steps side by side, for people to look at.
    TsBitmap24 strip(89 * 7, 43);
    for (size_t i = 0; i < frames.size(); ++i)
        for (int y = 0; y < 43; ++y)
            for (int x = 0; x < 89; ++x)
                strip.SetPixel(int(i) * 89 + x, y, frames[i].Pixel(x, y));
    std::filesystem::create_directories(KESTOVA_GOLDEN_OUT);
    const std::vector<uint8_t> bmp = EncodeBmp(strip);
    std::ofstream(std::string(KESTOVA_GOLDEN_OUT) + "/BITBTN-fade.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
}

TEST_F(BitBtnFade, PressAndReleaseFadeInHalfTheSteps) {
    Enter();
    while (button->Fading())
        Tick();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    ASSERT_TRUE(button->Fading());
    EXPECT_EQ(button->FadeSteps(), 3);
}

TEST_F(BitBtnFade, PaintingWhileAFadeRunsShowsTheStepAndLeavesStalenessAlone) {
    Enter();
    Tick();
    const TsBitmap24 step = Shown();
    button->SkinData.CacheStale = true;
    EXPECT_TRUE(SamePicture(Shown(), step));
    EXPECT_TRUE(button->SkinData.CacheStale) << "nothing composed while the fade runs";
    EXPECT_EQ(button->FadeStep(), 1);
}

TEST_F(BitBtnFade, ReleaseStopsARunningFade) {
    button->SetAnimatEvents(aeMouseEnter); // the release itself does not fade
    Enter();
    ASSERT_TRUE(button->Fading());
    Send(WM_LBUTTONUP, 0, 5, 5);
    EXPECT_FALSE(button->Fading());
    EXPECT_EQ(FaceOf(Shown()), HotFace) << "the state the mouse is in, at once";
}

TEST_F(BitBtnFade, FocusGainedAdvancesTheFadeFocusLostStopsIt) {
    Enter();
    ASSERT_EQ(button->FadeStep(), 0);
    SetFocus(Window());
    EXPECT_TRUE(button->Fading());
    EXPECT_EQ(button->FadeStep(), 1);
    SetFocus(form->Window());
    EXPECT_FALSE(button->Fading());
}

TEST_F(BitBtnFade, SkinCommandsOfANewSkinARemovalARefreshAndStopAnimationsStopIt) {
    const struct {
        unsigned command;
        bool stops;
    } rows[] = {{scNewSkin, true},  {scRefresh, true},          {scStopAnimations, true},
                {scIsStale, false}, {scIsPartlyOutside, false}, {scRemoveSkin, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.command);
        Send(WM_MOUSEMOVE, 0, 200, 5); // off the button, no fade running
        while (button->Fading())
            Tick();
        Enter();
        ASSERT_TRUE(button->Fading());
        SendMessageA(Window(), SM_SKINCOMMAND, SkinCommand(row.command),
                     reinterpret_cast<LPARAM>(manager.get()));
        EXPECT_EQ(button->Fading(), !row.stops);
    }
}

TEST_F(BitBtnFade, NoFadeWhenTheEventIsOffOrTheSkinIsChanging) {
    button->SetAnimatEvents(aeMouseLeave);
    Enter();
    EXPECT_FALSE(button->Fading()) << "entering is not among the button's events";
    EXPECT_EQ(FaceOf(Shown()), HotFace) << "shown at once";

    button->SetAnimatEvents(aeGlobalDef);
    manager->AnimEffects.Buttons.Events = beMouseEnter;
    Send(WM_MOUSEMOVE, 0, 200, 5);
    EXPECT_FALSE(button->Fading()) << "leaving is not among the manager's events";

    manager->SkinData.Active = false; // the manager is between loading and announcing a skin
    Enter();
    EXPECT_FALSE(button->Fading());
    manager->SkinData.Active = true;
}
