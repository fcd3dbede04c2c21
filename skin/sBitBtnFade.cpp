#include "sBitBtnFade.h"

#include <algorithm>

bool FadeWanted(TsFadeEvent event, const TsFadeConditions& c) {
    const unsigned events = c.ButtonEvents & FadeUsesManagerEvents ? c.ManagerEvents : c.ButtonEvents;
    return (events & event) != 0 && !c.SkinChanging && c.SectionFades && c.CacheExists;
}

int FadeSteps(int iterations, TsFadeEvent event) {
    const int steps = event == feMouseDown || event == feMouseUp ? iterations / 2 : iterations;
    return std::max(steps, 1);
}

TsBitmap24 FadeFrame(const TsBitmap24& from, const TsBitmap24& to, int step, int steps) {
    if (from.Width != to.Width || from.Height != to.Height || steps <= 0 || step >= steps)
        return to;
    if (step <= 0)
        return from;
    TsBitmap24 frame(to.Width, to.Height);
    for (size_t i = 0; i < frame.Pixels.size(); ++i) {
        const int a = from.Pixels[i], b = to.Pixels[i];
        const int mixed = a + ((b - a) * 2 * step + (b >= a ? steps : -steps)) / (2 * steps);
        frame.Pixels[i] = static_cast<uint8_t>(mixed);
    }
    return frame;
}

bool TsButtonFade::Start(const TsBitmap24& from, const TsBitmap24& to, int steps) {
    Stop();
    if (steps < 1 || from.Empty() || from.Width != to.Width || from.Height != to.Height ||
        from.Pixels == to.Pixels)
        return false;
    from_ = from;
    to_ = to;
    steps_ = steps;
    step_ = 0;
    frame_ = from_;
    running_ = true;
    return true;
}

TsFadeReaction TsButtonFade::React(TsFadeInput input, unsigned command) const {
    TsFadeReaction r;
    if (!running_)
        return r;
    switch (input) {
    case TsFadeInput::Tick:
    case TsFadeInput::FocusGained:
        r.Advance = true;
        break;
    case TsFadeInput::MouseUp:
        r.Stop = true;
        r.RepaintNow = true;
        r.WaitMs = 30;
        break;
    case TsFadeInput::FocusLost:
        r.Stop = true;
        break;
    case TsFadeInput::SkinCommand:
        // A new skin, the skin removed, a refresh, or the manager stopping
        // every animation before it repaints.
        r.Stop = command == 1 || command == 2 || command == 3 || command == 16;
        break;
    }
    return r;
}

bool TsButtonFade::Advance() {
    if (!running_)
        return false;
    ++step_;
    if (step_ >= steps_) {
        frame_ = to_;
        Stop();
        return false;
    }
    frame_ = FadeFrame(from_, to_, step_, steps_);
    return true;
}

void TsButtonFade::Stop() {
    running_ = false;
    step_ = 0;
    steps_ = 0;
    from_ = {};
}
