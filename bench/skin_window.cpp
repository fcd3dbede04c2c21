// The main window's whole skinned picture from the internal skin with every
// cached picture stale: the "FORM" frame and background over the 705 x 447
// client area, the "FORMTITLE" bar, the five "BUTTON" faces, the "PANEL",
// the list's "EDIT" frame and the "STATUSBAR", each over its parent's
// picture as the window lays them out. Against it, in the same run, the
// floor of any picture that size: a plain fill and one block copy. Then the
// paint from the cache (the composed picture copied to a window's device
// context through a DIB section: as DrawBitmap24 does it, making the section
// from the picture each time, and from a section kept with the picture)
// and from a copy kept in the display's format, against a bare BitBlt of
// the same size.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/skin_window.exe <zur.qtz> [runs]
//      (the archive the build packed: build/<preset>/skins/zur/zur.qtz)
#ifdef _WIN32
#include "BenchClock.h"
#include "BenchSkin.h"
#include "base/win/Handles.h"
#include "skin/sGraphUtils.h"
#include "skin/sPlatform.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitmapDib.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

// The window's layout (client coordinates; list and status bar inside the panel).
constexpr int kClientWidth = 705, kClientHeight = 447, kTitleHeight = 22;
constexpr TRect kButtons[] = {
    {622, 8, 697, 51}, {205, 6, 290, 49}, {8, 8, 97, 51}, {110, 8, 192, 51}, {520, 8, 616, 51}};
constexpr TRect kPanel{0, 56, 705, 447};
constexpr TRect kList{1, 1, 704, 371};
constexpr TRect kStatusBar{1, 371, 704, 390};

TsBitmap24 SizeOf(const TRect& r) {
    return TsBitmap24(r.Width(), r.Height());
}

struct TWindowPictures {
    TsBitmap24 form{kClientWidth, kClientHeight};
    TsBitmap24 title{kClientWidth, kTitleHeight};
    std::vector<TsBitmap24> buttons;
    TsBitmap24 panel = SizeOf(kPanel);
    TsBitmap24 list = SizeOf(kList);
    TsBitmap24 statusBar = SizeOf(kStatusBar);
    TWindowPictures() {
        for (const TRect& r : kButtons)
            buttons.push_back(SizeOf(r));
    }
};

// Every picture composed again, parents first, each child over its parent's picture.
void ComposeWindow(TWindowPictures& p, TsSkinManager& manager, int formSection, int titleSection,
                   const TsItemSkin& button, const TsItemSkin& panel, const TsItemSkin& list,
                   const TsItemSkin& statusBar) {
    ComposeItem(&p.form, manager, formSection, "FORM", {}, true, 1, {}, BoundsOf(p.form));
    ComposeItem(&p.title, manager, titleSection, "FORMTITLE", TsBackgroundDescriptor::OfPicture(p.form, 0, 0),
                true, 1, {}, BoundsOf(p.title));
    for (size_t i = 0; i < p.buttons.size(); ++i)
        ComposeItem(&p.buttons[i], button, TsBackgroundDescriptor::OfPicture(p.form, 0, 0), true, 0, false,
                    {kButtons[i].Left, kButtons[i].Top}, BoundsOf(p.buttons[i]));
    ComposeItem(&p.panel, panel, TsBackgroundDescriptor::OfPicture(p.form, 0, 0), true, 0, false,
                {kPanel.Left, kPanel.Top}, BoundsOf(p.panel));
    ComposeItem(&p.list, list, TsBackgroundDescriptor::OfPicture(p.panel, 0, 0), true, 0, false,
                {kList.Left, kList.Top}, BoundsOf(p.list));
    ComposeItem(&p.statusBar, statusBar, TsBackgroundDescriptor::OfPicture(p.panel, 0, 0), true, 0, false,
                {kStatusBar.Left, kStatusBar.Top}, BoundsOf(p.statusBar));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_window <zur.qtz> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 101;
    TsSkinManager manager(nullptr);
    if (!OfferArchiveSkin(manager, argv[1], "skin_window"))
        return 1;
    manager.SetSkinName(BenchSkinName);
    const int formSection = manager.FindSection("FORM"), titleSection = manager.FindSection("FORMTITLE");
    const TsItemSkin button = SectionItemSkin(manager, "BUTTON"), panel = SectionItemSkin(manager, "PANEL");
    const TsItemSkin list = SectionItemSkin(manager, "EDIT"),
                     statusBar = SectionItemSkin(manager, "STATUSBAR");
    if (formSection < 0 || titleSection < 0 || button.SectionIndex < 0 || panel.SectionIndex < 0 ||
        list.SectionIndex < 0 || statusBar.SectionIndex < 0) {
        std::fprintf(stderr, "skin_window: the skin lacks one of the window's sections\n");
        return 1;
    }

    TWindowPictures pictures;
    const double compose = Median(runs, [&] {
        ComposeWindow(pictures, manager, formSection, titleSection, button, panel, list, statusBar);
    });
    TsBitmap24 copy(kClientWidth, kClientHeight);
    const double floor = Median(runs, [&] {
        FillArea(pictures.form, BoundsOf(pictures.form), 0xE0E8F0);
        CopyPicture(copy, {0, 0}, pictures.form, BoundsOf(pictures.form));
    });
    ComposeWindow(pictures, manager, formSection, titleSection, button, panel, list, statusBar);

    // A plain window of the client's size to paint into.
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, kClientWidth,
                                        kClientHeight, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        std::fprintf(stderr, "skin_window: no window\n");
        return 1;
    }
    const HDC dc = GetDC(window);
    const TRect client{0, 0, kClientWidth, kClientHeight};
    const double cached = Median(runs, [&] {
        DrawBitmap24(dc, client, pictures.form, 0, 0);
        GdiFlush();
    });
    // The same picture kept as a DIB section: the paint is one BitBlt from it.
    const TsDibSection section(pictures.form);
    const double kept = Median(runs, [&] {
        BitBlt(dc, 0, 0, kClientWidth, kClientHeight, section.Dc(), 0, 0, SRCCOPY);
        GdiFlush();
    });
    // The copy kept in the display's format, as the skinned controls paint.
    TsScreenPicture screen;
    screen.Update(dc, pictures.form);
    const double display = Median(runs, [&] {
        screen.Paint(dc, client, 0, 0);
        GdiFlush();
    });
    double bare = 0;
    {
        UniqueMemoryDc memory(CreateCompatibleDC(dc));
        UniqueBitmap bitmap(CreateCompatibleBitmap(dc, kClientWidth, kClientHeight));
        const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
        bare = Median(runs, [&] {
            BitBlt(dc, 0, 0, kClientWidth, kClientHeight, memory.Get(), 0, 0, SRCCOPY);
            GdiFlush();
        });
        SelectObject(memory.Get(), previous);
    }
    ReleaseDC(window, dc);
    DestroyWindow(window);

    std::printf("whole window composed (FORM, FORMTITLE, 5 BUTTON, PANEL, EDIT, STATUSBAR): %.3f ms "
                "(median of %d)\n",
                compose, runs);
    std::printf("plain fill + one block copy %d x %d: %.3f ms; compose / floor: %.1f (goal < 10)\n",
                kClientWidth, kClientHeight, floor, floor > 0 ? compose / floor : 0.0);
    std::printf("bare BitBlt %d x %d: %.3f ms\n", kClientWidth, kClientHeight, bare);
    std::printf(
        "paint from the cache, DrawBitmap24 (DIB section made from the picture, then BitBlt): %.3f ms; "
        "ratio %.2f (goal <= 1.5)\n",
        cached, bare > 0 ? cached / bare : 0.0);
    std::printf("paint from a cache kept as a DIB section (one BitBlt): %.3f ms; ratio %.2f (goal <= 1.5)\n",
                kept, bare > 0 ? kept / bare : 0.0);
    std::printf("paint from a copy kept in the display's format (TsScreenPicture): %.3f ms; ratio %.2f "
                "(goal <= 1.5)\n",
                display, bare > 0 ? display / bare : 0.0);
    return 0;
}
#else
int main() {
    return 0;
}
#endif
