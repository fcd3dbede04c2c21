// How the skinned main window and the About box look as a user sees them:
// their outline, and their caption while another box holds the input.
#include "app/About.h"
#include "app/Application.h"
#include "app/FrmMain.h"
#include "controls/win/WindowThunk.h"
#include "skin/sSkinProvider.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>

namespace {

// The skin rounds each top corner of a frame by one key-coloured pixel; the
// rest of the window, caption bar included, is solid.
void ExpectOutlineLessTheTopCornerPixels(HWND window, const char* which) {
    RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    RECT w{};
    GetWindowRect(window, &w);
    const int width = w.right - w.left, height = w.bottom - w.top;
    HRGN outline = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, outline), ERROR) << which << ": the skin sets an outline";
    HRGN expected = CreateRectRgn(0, 0, width, height);
    for (const int x : {0, width - 1}) {
        HRGN corner = CreateRectRgn(x, 0, x + 1, 1);
        CombineRgn(expected, expected, corner, RGN_DIFF);
        DeleteObject(corner);
    }
    EXPECT_TRUE(EqualRgn(outline, expected)) << which;
    // Say where it differs, for the reader of a failure.
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < width; ++x)
            if (PtInRegion(outline, x, y) != PtInRegion(expected, x, y))
                ADD_FAILURE() << which << ": pixel (" << x << ", " << y << ") is "
                              << (PtInRegion(outline, x, y) ? "solid" : "see-through");
    DeleteObject(expected);
    DeleteObject(outline);
}

TsSkinProvider* FrameOf(HWND window) {
    auto* form = dynamic_cast<TWinControl*>(TWindowThunk::ControlOf(window));
    return form ? dynamic_cast<TsSkinProvider*>(FormFrameOf(*form)) : nullptr;
}

// Relative luminance and contrast ratio as the W3C's accessibility
// guidelines define them, for a 0x00BBGGRR colour.
double Luminance(uint32_t colour) {
    double sum = 0;
    const double weights[] = {0.2126, 0.7152, 0.0722}; // red, green, blue
    for (int i = 0; i < 3; ++i) {
        const double c = double(colour >> (8 * i) & 0xFF) / 255;
        sum += weights[i] * (c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
    }
    return sum;
}

double Contrast(uint32_t a, uint32_t b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

TEST(MainWindowLook, OutlinesAreTheWholeWindowsLessTheirRoundedTopCorners) {
    InstallFormFrameFactory();
    TForm1 form;
    form.CreateForm();
    form.Show();
    ExpectOutlineLessTheTopCornerPixels(form.Handle(), "main window");

    TAboutBox box;
    box.CreateForm(form.Handle());
    ShowWindow(box.Handle(), SW_SHOW);
    SetActiveWindow(box.Handle()); // the window hook gives it its frame
    ASSERT_NE(FrameOf(box.Handle()), nullptr);
    ExpectOutlineLessTheTopCornerPixels(box.Handle(), "About box");
    ShowWindow(box.Handle(), SW_HIDE);
}

// While a modal box is open the main window is disabled and inactive; its
// caption must stay readable on the pale inactive bar: the text's strongest
// pixels stand out from the bar beside them by 3:1 at least.
TEST(MainWindowLook, CaptionOfTheWindowUnderAModalBoxStaysReadable) {
    TForm1 form;
    form.CreateForm();
    form.Show();
    EnableWindow(form.Handle(), FALSE);
    SendMessageA(form.Handle(), WM_NCACTIVATE, FALSE, 0);
    TsSkinProvider& frame = *form.sSkinProvider1;
    ASSERT_FALSE(frame.FormActive());
    frame.BuildFrameCache();
    const TsBitmap24& picture = *frame.SkinData.Cache;
    const TsFrameMetrics m = frame.Metrics();
    const int textLeft = IconRect(m).Right + 4;
    double strongest = 0;
    for (int y = m.FrameHeight; y < m.FrameHeight + m.CaptionHeight; ++y) {
        const uint32_t bar = picture.Pixel(picture.Width / 2, y); // no text there
        for (int x = textLeft; x < textLeft + 90; ++x)
            strongest = std::max(strongest, Contrast(picture.Pixel(x, y), bar));
    }
    EXPECT_GE(strongest, 3.0);
    EnableWindow(form.Handle(), TRUE);
}
