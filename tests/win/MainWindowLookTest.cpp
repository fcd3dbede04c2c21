// How the skinned main window and the About box look as a user sees them:
// their outline, and their caption while another box holds the input.
#include "app/About.h"
#include "app/Application.h"
#include "app/FrmMain.h"
#include "controls/win/WindowThunk.h"
#include "skin/sSkinProvider.h"

#include <gtest/gtest.h>

#include <windows.h>

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
