// The whole main window with everything skinned (frame, buttons, status bar,
// the panel, the report list with its header and scroll bar through their
// adapters): a refresh that composes every picture afresh and repaints the
// window, and a repaint from the pictures already made. Against them, in the
// same run, the same window repainted by the platform with the skin off.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/skin_whole.exe [runs]
#ifdef _WIN32
#include "BenchClock.h"
#include "app/FrmMain.h"
#include "skin/sSkinManager.h"
#include "skin/win/sAdapterWnd.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void RepaintAll(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 51;
    TForm1 form;
    form.CreateForm();
    form.Show();
    Pump();
    TsSkinManager& manager = *form.sSkinManager1;
    HWND window = form.Handle();
    if (!manager.Active() || !TqzMainWnd::Of(form.Control("ListView1"))) {
        std::fprintf(stderr, "skin_whole: the report list has no adapter\n");
        return 1;
    }
    // Every picture stale, composed again and painted: the manager's refresh.
    const double refresh = Median(runs, [&] {
        manager.RepaintForms();
        Pump();
    });
    const double repaint = Median(runs, [&] { RepaintAll(window); });
    manager.SetActive(false);
    Pump();
    const double plain = Median(runs, [&] { RepaintAll(window); });
    manager.SetActive(true);
    Pump();

    std::printf(
        "whole main window, everything skinned, every picture composed afresh: %.3f ms (median of %d)\n",
        refresh, runs);
    std::printf("whole main window, skinned, repainted from its pictures: %.3f ms\n", repaint);
    std::printf("the same window repainted by the platform, skin off: %.3f ms\n", plain);
    std::printf("ratios to the plain window: compose and paint %.1f, paint from pictures %.1f\n",
                plain > 0 ? refresh / plain : 0.0, plain > 0 ? repaint / plain : 0.0);
    return 0;
}
#else
int main() {
    return 0;
}
#endif
