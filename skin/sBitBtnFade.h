#pragma once
// A button's fade from one state's picture to the next: whether a change of
// state fades at all, how many steps it takes, the mixed picture of each
// step, and what a running fade does when the button is clicked, focused or
// told of a new skin. The window timer that drives the steps is the
// button's own (Windows); everything here is plain pictures and numbers.
#include "sBitmap.h"

#include <cstdint>

// The change of state a fade may follow. The bit values match both the
// button's own animation events and the manager's button events.
enum TsFadeEvent : unsigned { feMouseEnter = 1, feMouseLeave = 2, feMouseDown = 4, feMouseUp = 8 };

// What decides whether a change of state fades.
struct TsFadeConditions {
    unsigned ButtonEvents = 0;  // the button's AnimatEvents (bit 16: the manager decides)
    unsigned ManagerEvents = 0; // the manager's AnimEffects.Buttons.Events
    bool SkinChanging = false;  // the manager is loading or announcing a skin
    bool SectionFades = false;  // the section's FadingEnabled
    bool CacheExists = false;   // there is an old picture to fade from
};
inline constexpr unsigned FadeUsesManagerEvents = 16; // aeGlobalDef

bool FadeWanted(TsFadeEvent event, const TsFadeConditions& conditions);

// Steps of a fade: the section's FadingIterations, half as many for a press
// or a release (which want a quicker answer); at least one step.
int FadeSteps(int iterations, TsFadeEvent event);

// The picture of step (1 .. steps) of a fade from `from` to `to`: a linear
// mix, each channel from + (to - from) * step / steps, rounded to nearest
// (a half away from the starting value).
// Step 0 is `from`, step `steps` is `to`. Pictures of different sizes give `to`.
TsBitmap24 FadeFrame(const TsBitmap24& from, const TsBitmap24& to, int step, int steps);

// What happens to the button while a fade may be running.
enum class TsFadeInput {
    Tick,        // the 10 ms timer
    MouseUp,     // left button released
    FocusGained, // the button took the focus
    FocusLost,   // the button lost the focus
    SkinCommand, // a skin command (its number alongside)
};

// The button's reaction to an input.
struct TsFadeReaction {
    bool Advance = false;    // show the next step
    bool Stop = false;       // end the fade (the timer goes)
    bool RepaintNow = false; // paint at once, before anything else
    int WaitMs = 0;          // then let the eye see it
};

// One fade from start to finish: the two end pictures and the step shown now.
class TsButtonFade {
public:
    // Starts a fade (replacing any running one); false and nothing running
    // when there is nothing to show between the pictures.
    bool Start(const TsBitmap24& from, const TsBitmap24& to, int steps);
    bool Running() const { return running_; }
    int Step() const { return step_; }
    int Steps() const { return steps_; }
    // The picture to show now (valid while running).
    const TsBitmap24& Frame() const { return frame_; }
    // The picture the fade ends in.
    const TsBitmap24& Target() const { return to_; }

    // What an input asks; running fades only react.
    TsFadeReaction React(TsFadeInput input, unsigned command = 0) const;
    // Shows the next step; false when the fade has come to its end (and stopped).
    bool Advance();
    void Stop();

private:
    TsBitmap24 from_, to_, frame_;
    int step_ = 0;
    int steps_ = 0;
    bool running_ = false;
};
