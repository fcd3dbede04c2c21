// The main window's skinned picture with the real controls: a form of the
// main window's shape (single frame, system menu and minimise box, 705 x 447
// client area) with its frame component and its five skinned buttons, every
// cached picture stale, composed as the window composes them (the frame's
// whole window picture, then each button over the form's background).
// Against it, in the same run, the floor of a picture of the window's size:
// a plain fill and one block copy. Then the paint from the caches (the
// frame's four strips and the client area, and the five buttons, from the
// copies kept in the display's format) against bare BitBlts of the same
// areas from a bitmap in the display's format.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/skin_frame.exe <zur.qtz> [runs]
//      (the archive the build packed: build/<preset>/skins/zur/zur.qtz)
#ifdef _WIN32
#include "BenchClock.h"
#include "BenchSkin.h"
#include "base/win/Handles.h"
#include "skin/sBitBtn.h"
#include "skin/sBlendGraph.h"
#include "skin/sSkinProvider.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kClientWidth = 705, kClientHeight = 447;
constexpr TBounds kButtons[] = {
    {622, 8, 75, 43}, {205, 6, 85, 43}, {8, 8, 89, 43}, {110, 8, 82, 43}, {520, 8, 96, 43}};
constexpr const char* kCaptions[] = {"Close", "Refresh", "Save...", "Load...", "About..."};

class TBenchForm : public TCustomForm {
public:
    TBenchForm() : TCustomForm(nullptr) {
        SetBorderStyle(bsSingle);
        SetBorderIcons(biSystemMenu | biMinimize);
        const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
        RECT frame{0, 0, kClientWidth, kClientHeight};
        AdjustWindowRectEx(&frame, style, FALSE, 0);
        SetBounds({0, 0, frame.right - frame.left, frame.bottom - frame.top});
        TCreateParams params;
        params.Caption = "Kestovo 1.0";
        params.Style = style;
        CreateHandle(params);
    }
    ~TBenchForm() override { DestroyHandle(); }
    HWND Window() const { return static_cast<HWND>(Handle()); }
};

// Bare BitBlts from a display-format bitmap of the window's size, one for
// each area a full repaint copies: the frame's four strips, the client area
// and the five buttons.
double BareCopies(HDC dc, int width, int height, const TsFrameMetrics& m, int runs) {
    UniqueMemoryDc memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, width, height));
    const HGDIOBJ previous = SelectObject(memory.Get(), bitmap.Get());
    std::vector<RECT> areas = {{0, 0, width, m.TopHeight},
                               {0, m.TopHeight, m.FrameWidth, height},
                               {width - m.FrameWidth, m.TopHeight, width, height},
                               {m.FrameWidth, height - m.FrameHeight, width - m.FrameWidth, height},
                               {0, 0, kClientWidth, kClientHeight}};
    for (const TBounds& b : kButtons)
        areas.push_back({0, 0, b.Width, b.Height});
    const double t = Median(runs, [&] {
        for (const RECT& r : areas)
            BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, memory.Get(), r.left, r.top,
                   SRCCOPY);
        GdiFlush();
    });
    SelectObject(memory.Get(), previous);
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_frame <zur.qtz> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 101;
    TsSkinManager manager(nullptr);
    if (!OfferArchiveSkin(manager, argv[1], "skin_frame"))
        return 1;
    manager.SetSkinName(BenchSkinName);

    TBenchForm form;
    TsSkinProvider frame(form);
    frame.SkinData.SetSkinManager(&manager);
    frame.AttachWindow();
    std::vector<std::unique_ptr<TsBitBtn>> buttons;
    for (size_t i = 0; i < std::size(kButtons); ++i) {
        auto button = std::make_unique<TsBitBtn>(nullptr);
        button->SetParent(&form);
        button->SetBounds(kButtons[i]);
        button->SetCaption(kCaptions[i]);
        button->SkinData.SetSkinManager(&manager);
        button->CreateWnd();
        buttons.push_back(std::move(button));
    }
    ShowWindow(form.Window(), SW_SHOWNOACTIVATE);
    if (!frame.Attached()) {
        std::fprintf(stderr, "skin_frame: the frame did not attach\n");
        return 1;
    }

    const double compose = Median(runs, [&] {
        frame.SkinData.CacheStale = true;
        frame.BuildFrameCache();
        for (auto& button : buttons)
            button->ComposeCache();
    });
    const double frameOnly = Median(runs, [&] {
        frame.SkinData.CacheStale = true;
        frame.BuildFrameCache();
    });
    const double buttonsOnly = Median(runs, [&] {
        for (auto& button : buttons)
            button->ComposeCache();
    });
    volatile int sink = 0;
    const double metrics = Median(runs, [&] { sink = sink + frame.Metrics().TopHeight; });
    std::printf("frame metrics from the window: %.4f ms\n", metrics);
    RECT window{};
    GetWindowRect(form.Window(), &window);
    const int width = window.right - window.left, height = window.bottom - window.top;
    TsBitmap24 fill(width, height), copy(width, height);
    const double floor = Median(runs, [&] {
        FillArea(fill, BoundsOf(fill), 0xE0E8F0);
        CopyPicture(copy, {0, 0}, fill, BoundsOf(fill));
    });

    // Painting from the caches: the whole non-client area and client
    // background, then every button, as a full repaint of the window does.
    HDC windowDc = GetWindowDC(form.Window());
    HDC clientDc = GetDC(form.Window());
    frame.PaintNonClient(windowDc);
    const double cached = Median(runs, [&] {
        frame.PaintNonClient(windowDc);
        frame.PaintClientBackground(clientDc);
        for (auto& button : buttons)
            SendMessageA(static_cast<HWND>(button->Handle()), WM_PRINTCLIENT,
                         reinterpret_cast<WPARAM>(clientDc), PRF_CLIENT);
        GdiFlush();
    });
    const double bare = BareCopies(windowDc, width, height, frame.Metrics(), runs);
    ReleaseDC(form.Window(), clientDc);
    ReleaseDC(form.Window(), windowDc);

    std::printf("whole window with the real frame and 5 skinned buttons, every cache stale: %.3f ms "
                "(median of %d)\n",
                compose, runs);
    std::printf("  of which the frame's window picture %.3f ms, the 5 buttons %.3f ms\n", frameOnly,
                buttonsOnly);
    std::printf("plain fill + one block copy %d x %d: %.3f ms; compose / floor: %.1f (goal < 10)\n", width,
                height, floor, floor > 0 ? compose / floor : 0.0);
    std::printf("paint from the caches (frame strips, client, 5 buttons): %.3f ms; bare BitBlts of the same "
                "areas: %.3f ms; ratio %.2f (goal <= 1.5)\n",
                cached, bare, bare > 0 ? cached / bare : 0.0);
    buttons.clear();
    return 0;
}
#else
int main() {
    return 0;
}
#endif
