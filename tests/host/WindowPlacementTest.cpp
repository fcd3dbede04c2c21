// Where a form laid out at 96 pixels per inch goes: its scale and its place
// on screens of several sizes, worked by hand.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

// The main window's client area at 96 pixels per inch.
constexpr int kClientWidth = 705, kClientHeight = 447;

int Scaled(int pixels, int pixelsPerInch) {
    return (pixels * pixelsPerInch + 48) / 96; // rounded, as the forms scale
}

} // namespace

TEST(WindowPlacement, TheWindowIsScaledAsFarAsTheWorkAreaHasRoom) {
    const struct {
        const char* why;
        int systemPpi;
        TScreenArea work;
        int frameWidth, frameHeight;
        int expected;
    } cases[] = {
        {"96 on 1024 x 768: 711 x 472 fits", 96, {0, 0, 1024, 768}, 6, 25, 96},
        // 96 * (1024 - 6) / 705 = 138.6: 705 -> 1013 wide, 1019 with the frame.
        {"144 on 1024 x 768: the width allows 138", 144, {0, 0, 1024, 768}, 6, 34, 138},
        {"144 on 1920 x 1080: room enough", 144, {0, 0, 1920, 1080}, 6, 34, 144},
        // 96 * (738 - 30) / 447 = 152 and 96 * 1018 / 705 = 138: 120 fits both.
        {"120 above a 30-pixel task bar", 120, {0, 0, 1024, 738}, 6, 30, 120},
        // 96 * (1024 - 40) / 447 = 211.3; 96 * (1280 - 8) / 705 = 173.2.
        {"192 on 1280 x 1024", 192, {0, 0, 1280, 1024}, 8, 40, 173},
        // 96 * (600 - 25) / 447 = 123.5; 96 * (800 - 6) / 705 = 108.1.
        {"144 on 800 x 600", 144, {0, 0, 800, 600}, 6, 25, 108},
        // 96 * (640 - 6) / 705 = 86.3: a little smaller than designed.
        {"96 on 640 x 480", 96, {0, 0, 640, 480}, 6, 25, 86},
        {"a work area too small to read anything in", 96, {0, 0, 200, 150}, 6, 25, MinimumPixelsPerInch},
    };
    for (const auto& c : cases) {
        const int ppi = FittingPixelsPerInch(c.systemPpi, kClientWidth, kClientHeight, c.frameWidth,
                                             c.frameHeight, c.work);
        EXPECT_EQ(ppi, c.expected) << c.why;
        if (ppi > MinimumPixelsPerInch) {
            EXPECT_LE(Scaled(kClientWidth, ppi) + c.frameWidth, c.work.Width()) << c.why;
            EXPECT_LE(Scaled(kClientHeight, ppi) + c.frameHeight, c.work.Height()) << c.why;
        }
    }
}

TEST(WindowPlacement, TheWindowIsCentredOnTheScreenAndMovedIntoTheWorkArea) {
    const TScreenArea screen{0, 0, 1024, 768};
    const struct {
        const char* why;
        int width, height;
        TScreenArea work;
        int left, top;
    } cases[] = {
        {"centred where it fits", 711, 472, {0, 0, 1024, 768}, 156, 148},
        {"centred under a task bar at the top that it clears", 711, 472, {0, 30, 1024, 768}, 156, 148},
        // Centred it would start at y 31, under a 40-pixel bar.
        {"moved down below a task bar at the top", 1019, 705, {0, 40, 1024, 768}, 2, 40},
        // Centred it would end at y 736, over a bar that starts at 728.
        {"moved up above a task bar at the bottom", 1019, 705, {0, 0, 1024, 728}, 2, 23},
        // Centred it would start at x 32, under a 60-pixel bar.
        {"moved right of a task bar at the left", 960, 600, {60, 0, 1024, 768}, 60, 84},
        {"larger than the work area: its caption corner stays inside", 1100, 800, {0, 0, 1024, 768}, 0, 0},
    };
    for (const auto& c : cases) {
        const TWindowCorner corner = PlaceInWorkArea(c.width, c.height, screen, c.work);
        EXPECT_EQ(corner.Left, c.left) << c.why;
        EXPECT_EQ(corner.Top, c.top) << c.why;
    }
}
