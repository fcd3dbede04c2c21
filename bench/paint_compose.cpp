// Composing skinned pictures from the internal skin: the window picture of a
// 400 x 300 "FORM" in the active state (background, texture, frame, corner
// decorations) and a 75 x 25 "BUTTON" face (background, frame with its
// region cut), against a plain fill of the same 400 x 300 picture.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/paint_compose.exe <zur.qtz> [runs]
//      (the archive the build packed: build/<preset>/skins/zur/zur.qtz)
#ifdef _WIN32
#include "BenchClock.h"
#include "BenchSkin.h"
#include "skin/sGraphUtils.h"
#include "skin/sPlatform.h"
#include "skin/sSkinManager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: paint_compose <zur.qtz> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 101;
    TsSkinManager manager(nullptr);
    if (!OfferArchiveSkin(manager, argv[1], "paint_compose"))
        return 1;
    manager.SetSkinName(BenchSkinName);
    const TsItemSkin form = SectionItemSkin(manager, "FORM");
    const TsItemSkin button = SectionItemSkin(manager, "BUTTON");
    if (form.SectionIndex < 0 || button.SectionIndex < 0) {
        std::fprintf(stderr, "paint_compose: the skin has no FORM or BUTTON section\n");
        return 1;
    }

    TsBitmap24 window(400, 300);
    const double compose =
        Median(runs, [&] { ComposeItem(&window, form, {}, true, 1, true, {}, BoundsOf(window)); });
    TsBitmap24 face(75, 25);
    std::vector<TRect> cut;
    const double buttonFace = Median(runs, [&] {
        for (int state = 0; state < 3; ++state) {
            cut.clear();
            ComposeBackground(face, manager, button.SectionIndex, "BUTTON",
                              TsBackgroundDescriptor::OfPicture(window, 0, 0), clNone, button.HotTextureMask,
                              button.TextureMask, {20, 200}, BoundsOf(face), state);
            DrawNinePieceCut(face, cut, true, state, button.FrameMaskIndex, manager);
        }
    });
    const double fill = Median(runs, [&] { FillArea(window, BoundsOf(window), 0xE0E8F0); });
    std::printf("FORM 400 x 300, active: %.3f ms (median of %d)\n", compose, runs);
    std::printf("BUTTON 75 x 25, states 0 to 2 with region cut: %.3f ms for the three\n", buttonFace);
    std::printf("plain fill 400 x 300: %.3f ms; compose / fill: %.1f\n", fill,
                fill > 0 ? compose / fill : 0.0);
    return 0;
}
#else
int main() {
    return 0;
}
#endif
