// A button's fade between two states' pictures: when a change of state
// fades, how many steps it takes, the mixed pictures, and what a running
// fade does on a release, a focus change or a skin command.
#include "skin/sBitBtnFade.h"

#include "PaintTestSkin.h"

#include <gtest/gtest.h>

TEST(ButtonFade, PressAndReleaseTakeHalfTheSectionsIterationsNeverLessThanOne) {
    const struct {
        int iterations;
        TsFadeEvent event;
        int steps;
    } rows[] = {
        {5, feMouseEnter, 5},
        {5, feMouseLeave, 5},
        {5, feMouseDown, 2},
        {5, feMouseUp, 2},
        {8, feMouseDown, 4},
        {1, feMouseUp, 1},
        {1, feMouseEnter, 1},
        {0, feMouseEnter, 1}, // a skin that asks for no steps still ends in the new
                              // state
        {-4, feMouseLeave, 1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FadeSteps(row.iterations, row.event), row.steps) << row.iterations << " " << row.event;
}

TEST(ButtonFade, ChangeFadesOnlyWhenTheEventIsOnTheSkinSettledTheSectionFadingAndAPictureThere) {
    TsFadeConditions all;
    all.ButtonEvents = FadeUsesManagerEvents;
    all.ManagerEvents = feMouseEnter | feMouseLeave | feMouseDown | feMouseUp;
    all.SectionFades = true;
    all.CacheExists = true;
    struct Row {
        const char* why;
        TsFadeConditions conditions;
        TsFadeEvent event;
        bool fades;
    };
    auto with = [&](auto change) {
        TsFadeConditions c = all;
        change(c);
        return c;
    };
    const Row rows[] = {
        {"the manager's events decide, and hold enter", all, feMouseEnter, true},
        {"the manager's events without down",
         with([](TsFadeConditions& c) { c.ManagerEvents = feMouseEnter | feMouseUp; }), feMouseDown, false},
        {"the button's own events ignore the manager's",
         with([](TsFadeConditions& c) { c.ButtonEvents = feMouseLeave; }), feMouseLeave, true},
        {"the button's own events without enter",
         with([](TsFadeConditions& c) { c.ButtonEvents = feMouseLeave; }), feMouseEnter, false},
        {"no events at all", with([](TsFadeConditions& c) { c.ButtonEvents = 0; }), feMouseUp, false},
        {"the skin is being changed", with([](TsFadeConditions& c) { c.SkinChanging = true; }), feMouseEnter,
         false},
        {"the section does not fade", with([](TsFadeConditions& c) { c.SectionFades = false; }), feMouseEnter,
         false},
        {"nothing painted yet to fade from", with([](TsFadeConditions& c) { c.CacheExists = false; }),
         feMouseEnter, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FadeWanted(row.event, row.conditions), row.fades) << row.why;
}

// Worked by hand: each channel moves by (to - from) * step / steps.
TEST(ButtonFade, StepsMixTheTwoPicturesLinearly) {
    const TsBitmap24 from = Solid(2, 1, 0x000000), to = Solid(2, 1, 0xF0C8A0); // B F0, G C8, R A0
    const struct {
        int step, steps;
        uint32_t color;
    } rows[] = {
        {0, 4, 0x000000}, {1, 4, 0x3C3228}, {2, 4, 0x786450},
        {3, 4, 0xB49678}, {4, 4, 0xF0C8A0}, {9, 4, 0xF0C8A0}, // past the end: the new picture
        {1, 3, 0x504335}, // 240/3 = 80; 200/3 = 66.7 -> 67; 160/3 = 53.3 -> 53
    };
    for (const auto& row : rows) {
        const TsBitmap24 frame = FadeFrame(from, to, row.step, row.steps);
        EXPECT_EQ(frame.Pixel(0, 0), row.color) << row.step << "/" << row.steps;
        EXPECT_EQ(frame.Pixel(1, 0), row.color);
    }
    // Downwards the same distances: 0xF0 to 0 in four steps passes 0xB4, 0x78, 0x3C.
    EXPECT_EQ(FadeFrame(Solid(1, 1, 0xF0), Solid(1, 1, 0), 1, 4).Pixel(0, 0), 0xB4u);
    EXPECT_EQ(FadeFrame(Solid(1, 1, 0xF0), Solid(1, 1, 0), 3, 4).Pixel(0, 0), 0x3Cu);
    // A half goes away from the start: 0 to 255 in six steps, 42.5 -> 43.
    EXPECT_EQ(FadeFrame(Solid(1, 1, 0), Solid(1, 1, 0xFF), 1, 6).Pixel(0, 0), 43u);
    // Pictures of different sizes have nothing to mix: the new one shows.
    EXPECT_EQ(FadeFrame(Solid(3, 1, 0), to, 1, 4).Width, 2);
}

TEST(ButtonFade, ARunShowsEveryStepThenEndsInTheNewPicture) {
    const TsBitmap24 from = Solid(3, 2, 0x101010), to = Solid(3, 2, 0x505050);
    TsButtonFade fade;
    ASSERT_TRUE(fade.Start(from, to, 4));
    EXPECT_TRUE(fade.Running());
    EXPECT_EQ(fade.Frame().Pixel(2, 1), 0x101010u) << "the first picture is the old state";
    const uint32_t expected[] = {0x202020, 0x303030, 0x404040};
    for (uint32_t color : expected) {
        EXPECT_TRUE(fade.Advance());
        EXPECT_EQ(fade.Frame().Pixel(2, 1), color) << fade.Step();
    }
    EXPECT_FALSE(fade.Advance()) << "the fourth step is the end";
    EXPECT_FALSE(fade.Running());
    EXPECT_EQ(fade.Frame().Pixel(0, 0), 0x505050u);
    EXPECT_FALSE(fade.Advance());
}

TEST(ButtonFade, NothingRunsWhenThereIsNothingBetweenThePictures) {
    TsButtonFade fade;
    EXPECT_FALSE(fade.Start(Solid(2, 2, 7), Solid(2, 2, 7), 5)) << "the same picture";
    EXPECT_FALSE(fade.Start(Solid(2, 2, 7), Solid(3, 2, 9), 5)) << "another size";
    EXPECT_FALSE(fade.Start(TsBitmap24{}, TsBitmap24{}, 5)) << "no picture";
    EXPECT_FALSE(fade.Start(Solid(2, 2, 7), Solid(2, 2, 9), 0)) << "no steps";
    EXPECT_FALSE(fade.Running());
    ASSERT_TRUE(fade.Start(Solid(2, 2, 7), Solid(2, 2, 9), 5));
    EXPECT_FALSE(fade.Start(Solid(2, 2, 7), Solid(2, 2, 7), 5));
    EXPECT_FALSE(fade.Running()) << "a refused start ends the fade that ran";
}

// The rules around a running fade: the timer and a focus gained advance it;
// a release stops it, has it painted at once and waits 30 ms; a focus lost
// stops it; of the skin commands, a new skin (1), the skin removed (2), a
// refresh (3) and "stop animations" (16) stop it. An idle fade reacts to nothing.
TEST(ButtonFade, RunningFadeReactsAsEachInputAsks) {
    TsButtonFade fade;
    ASSERT_TRUE(fade.Start(Solid(1, 1, 0), Solid(1, 1, 0xFFFFFF), 5));
    const struct {
        TsFadeInput input;
        unsigned command;
        bool advance, stop, repaint;
        int wait;
    } rows[] = {
        {TsFadeInput::Tick, 0, true, false, false, 0},
        {TsFadeInput::FocusGained, 0, true, false, false, 0},
        {TsFadeInput::MouseUp, 0, false, true, true, 30},
        {TsFadeInput::FocusLost, 0, false, true, false, 0},
        {TsFadeInput::SkinCommand, 1, false, true, false, 0},
        {TsFadeInput::SkinCommand, 2, false, true, false, 0},
        {TsFadeInput::SkinCommand, 3, false, true, false, 0},
        {TsFadeInput::SkinCommand, 16, false, true, false, 0},
        {TsFadeInput::SkinCommand, 4, false, false, false, 0},
        {TsFadeInput::SkinCommand, 34, false, false, false, 0},
    };
    for (const auto& row : rows) {
        const TsFadeReaction r = fade.React(row.input, row.command);
        EXPECT_EQ(r.Advance, row.advance) << int(row.input) << " " << row.command;
        EXPECT_EQ(r.Stop, row.stop) << int(row.input) << " " << row.command;
        EXPECT_EQ(r.RepaintNow, row.repaint) << int(row.input) << " " << row.command;
        EXPECT_EQ(r.WaitMs, row.wait) << int(row.input) << " " << row.command;
    }
    fade.Stop();
    for (const auto& row : rows) {
        const TsFadeReaction r = fade.React(row.input, row.command);
        EXPECT_FALSE(r.Advance || r.Stop || r.RepaintNow || r.WaitMs) << "idle: " << int(row.input);
    }
}
