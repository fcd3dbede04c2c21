// Opening the report list's pop-up menu drawn from the internal skin: its
// one item "Copy Item" measured and drawn as the menu asks for it when it
// opens (the pop-up picture from "MAINMENU" and "ICOLINE" built anew, the
// "MENUITEM" item composed, its text written and the picture copied to a
// window's device context), unselected and selected. Against it, in the
// same run, a plain owner-drawn item of the same text: measured with the
// system menu font, filled with the menu colour and its text drawn.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/skin_menu.exe <zur.qtz> [runs]
//      (the archive the build packed: build/<preset>/skins/zur/zur.qtz)
#ifdef _WIN32
#include "BenchClock.h"
#include "BenchSkin.h"
#include "base/win/Handles.h"
#include "skin/sSkinableMenus.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_menu <zur.qtz> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 201;
    TsSkinManager manager(nullptr);
    if (!OfferArchiveSkin(manager, argv[1], "skin_menu"))
        return 1;
    manager.SetSkinName(BenchSkinName);
    if (manager.FindSection("MAINMENU") < 0 || manager.FindSection("MENUITEM") < 0) {
        std::fprintf(stderr, "skin_menu: the skin lacks the menu sections\n");
        return 1;
    }
    TsSkinableMenus& painter = manager.SkinableMenus();
    TPopupMenu menu(nullptr);
    TMenuItem* item = menu.Items().Add("Copy Item");
    painter.SetOwnerDraw(menu, true);

    // A plain window to draw into, as the menu window would be.
    const HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 200, 40, nullptr,
                                        nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window) {
        std::fprintf(stderr, "skin_menu: no window\n");
        return 1;
    }
    const HDC dc = GetDC(window);

    // Each opening is a new pop-up: its picture is built again.
    auto open = [&](unsigned state) {
        painter.MenuWindowDestroyed(painter.MenuWindow());
        int width = 0, height = 0;
        painter.MeasureItemOnDc(*item, dc, width, height);
        painter.DrawItem(*item, dc, state, {0, 0, width, height});
        GdiFlush();
    };
    const double skinned = Median(runs, [&] { open(0); });
    const double skinnedSelected = Median(runs, [&] { open(odSelected); });

    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const UniqueFont font(CreateFontIndirectA(&metrics.lfMenuFont));
    const char text[] = "Copy Item";
    const double plain = Median(runs, [&] {
        SelectedObject selected(dc, font.Get());
        SIZE size{};
        GetTextExtentPoint32A(dc, text, int(sizeof text - 1), &size);
        RECT r{0, 0, size.cx + 2 * 16 + 12, std::max<LONG>(size.cy, 16) + 4};
        FillRect(dc, &r, GetSysColorBrush(COLOR_MENU));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
        RECT textRect{r.left + 26, r.top, r.right, r.bottom};
        DrawTextA(dc, text, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
        GdiFlush();
    });
    ReleaseDC(window, dc);
    DestroyWindow(window);

    std::printf("pop-up menu item \"Copy Item\", median of %d openings (measure + draw):\n", runs);
    std::printf("  skinned, normal     %8.3f ms\n", skinned);
    std::printf("  skinned, selected   %8.3f ms\n", skinnedSelected);
    std::printf("  plain owner-drawn   %8.3f ms\n", plain);
    std::printf("  ratio skinned / plain: %.1f (normal), %.1f (selected)\n", skinned / plain,
                skinnedSelected / plain);
    return 0;
}
#else
int main() {
    return 0;
}
#endif
