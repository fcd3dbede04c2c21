// A skinned form's OnPaint: called with a device context drawing into the
// window picture at the client's place when the frame is composed, and on
// WM_PAINT after the client background has been copied.
#include "app/FrmMainSkin.h"
#include "skin/sMessages.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinManager.h"

#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

// The form's own painting: into the window picture at the client's place
// when the frame is composed, and on WM_PAINT after the background.
TEST(FormPaint, OnPaintDrawsIntoThePictureAtTheClientsOriginAndAfterTheBackground) {
    auto form = std::make_unique<TTestForm>("Painted", 300);
    std::unique_ptr<TsSkinManager> manager(CreateSkinManager1(nullptr));
    ASSERT_TRUE(manager->Active());
    TsSkinProvider frame(*form);
    frame.SkinData.SetSkinManager(manager.get());
    frame.AttachWindow();
    SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scNewSkin),
                 reinterpret_cast<LPARAM>(manager.get()));
    auto Picture = [&]() -> const TsBitmap24& { return *frame.SkinData.Cache; };
    int calls = 0;
    bool backgroundFirst = false;
    const TsFrameMetrics m = frame.Metrics();
    form->OnPaint = [&](TCustomForm& painted, void* dcHandle) {
        EXPECT_EQ(&painted, form.get());
        HDC dc = static_cast<HDC>(dcHandle);
        ++calls;
        if (WindowFromDC(dc) == form->Window())
            backgroundFirst =
                GetPixel(dc, 40, 40) ==
                static_cast<COLORREF>(Picture().Pixel(m.ClientOrigin.X + 40, m.ClientOrigin.Y + 40));
        RECT square{0, 0, 10, 10};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(dc, &square, red);
        DeleteObject(red);
    };
    frame.BuildFrameCache();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(Picture().Pixel(m.ClientOrigin.X + 5, m.ClientOrigin.Y + 5), 0x0000FFu);
    EXPECT_EQ(Picture().Pixel(m.ClientOrigin.X + 9, m.ClientOrigin.Y + 9), 0x0000FFu);
    EXPECT_NE(Picture().Pixel(m.ClientOrigin.X + 10, m.ClientOrigin.Y + 10), 0x0000FFu);
    EXPECT_NE(Picture().Pixel(5, 5), 0x0000FFu) << "the window's corner is the frame";

    calls = 0;
    InvalidateRect(form->Window(), nullptr, FALSE);
    UpdateWindow(form->Window());
    EXPECT_GE(calls, 1) << "WM_PAINT calls it";
    EXPECT_TRUE(backgroundFirst) << "on the client background already copied";
    form->OnPaint = nullptr;
}
