// What a skinned button decides at each paint (the internal skin): it
// composes again while it lies partly outside its parent or its parent lies
// partly outside its own, and when its region is rebuilt its cut corners
// show the parent's background and a grown button has its parent repaint
// what lay under its old corners.
#include "app/FrmMainSkin.h"
#include "skin/sBitBtn.h"
#include "skin/sMessages.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinManager.h"

#include "tests/fixtures/TestButtons.h"
#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

namespace {

class BitBtnPaintSteps : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TTestForm>("Paint steps", 320);
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
        button = MakeSkinnedButton(*form, *manager);
        button->OnPaint = [this](TsBitBtn&, TsBitmap24&) { ++composed; };
    }
    void TearDown() override {
        button.reset();
        form.reset();
        manager.reset();
    }
    HWND Window() const { return static_cast<HWND>(button->Handle()); }
    void Paint() {
        InvalidateRect(Window(), nullptr, FALSE);
        UpdateWindow(Window());
    }
    // Paints twice and tells how many times the face was composed.
    int ComposedInTwoPaints() {
        Paint(); // whatever was stale before
        composed = 0;
        Paint();
        Paint();
        return composed;
    }
    void MoveTo(int x, int y) {
        SetWindowPos(Window(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    std::unique_ptr<TTestForm> form;
    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TsBitBtn> button;
    int composed = 0;
};

} // namespace

TEST_F(BitBtnPaintSteps, AButtonPartlyOutsideItsParentComposesAtEveryPaint) {
    RECT client{};
    GetClientRect(form->Window(), &client);
    const struct {
        const char* where;
        int x, y;
        int composed;
    } rows[] = {
        {"inside", 10, 10, 0},
        {"past the right edge", client.right - 30, 10, 2},
        {"above the top", 10, -5, 2},
        {"exactly in the bottom-right corner", client.right - 89, client.bottom - 43, 0},
        {"past the bottom", 10, client.bottom - 20, 2},
    };
    for (const auto& row : rows) {
        MoveTo(row.x, row.y);
        EXPECT_EQ(ComposedInTwoPaints(), row.composed) << row.where;
    }
}

TEST_F(BitBtnPaintSteps, AParentPartlyOutsideItsOwnParentMakesTheButtonComposeAtEveryPaint) {
    TsSkinProvider frame(*form);
    frame.SkinData.SetSkinManager(manager.get());
    frame.AttachWindow();
    SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scNewSkin),
                 reinterpret_cast<LPARAM>(manager.get()));
    EXPECT_EQ(ComposedInTwoPaints(), 0) << "a form lies outside nothing";
    SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scSetPartlyOutside), 0);
    ASSERT_EQ(SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scIsPartlyOutside), 0), 1);
    EXPECT_EQ(ComposedInTwoPaints(), 2);
}

TEST_F(BitBtnPaintSteps, ASpacingChangeComposesTheFaceAgain) {
    Paint();
    composed = 0;
    button->SetSpacing(9);
    Paint();
    EXPECT_EQ(composed, 1);
}

// The frame's corner pixels are cut from the window region; a picture of the
// button that no region cuts (WM_PRINTCLIENT, as the form's own pictures
// take it) shows the form's colour there, while the composed face keeps the
// skin's.
TEST_F(BitBtnPaintSteps, CutCornersShowTheParentsBackground) {
    Paint();
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(Window(), region), ERROR);
    const bool cornerCut = !PtInRegion(region, 0, 0);
    const bool inside = PtInRegion(region, 44, 20);
    DeleteObject(region);
    ASSERT_TRUE(cornerCut) << "the skin's button has rounded corners";
    ASSERT_TRUE(inside);
    const uint32_t formColor = static_cast<uint32_t>(GetSysColor(COLOR_BTNFACE));
    ASSERT_NE(button->SkinData.Cache->Pixel(0, 0), formColor) << "the face itself is the skin's there";
    const TsBitmap24 printed = PaintedClient(Window(), [this](HDC dc) {
        SendMessageA(Window(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    EXPECT_EQ(printed.Pixel(0, 0), formColor);
    EXPECT_EQ(printed.Pixel(88, 42), formColor);
    EXPECT_EQ(printed.Pixel(44, 20), button->SkinData.Cache->Pixel(44, 20)) << "inside: the face";
}

TEST_F(BitBtnPaintSteps, AGrownButtonHasItsPlainParentRepaintWhatLayUnderItsOldCorners) {
    Paint();
    UpdateWindow(form->Window());
    ValidateRect(form->Window(), nullptr);
    button->SetBounds({10, 10, 120, 50});
    ASSERT_EQ(button->Width(), 120);
    ValidateRect(form->Window(), nullptr); // what the move itself asked of the form
    Paint();
    HRGN update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(form->Window(), update, FALSE);
    // The old face was 89 x 43 at (10, 10): its top-right, bottom-right and
    // bottom-left corners.
    EXPECT_TRUE(PtInRegion(update, 10 + 88, 10));
    EXPECT_TRUE(PtInRegion(update, 10 + 88, 10 + 42));
    EXPECT_TRUE(PtInRegion(update, 10, 10 + 42));
    EXPECT_FALSE(PtInRegion(update, 10, 10)) << "the top-left corner stays where it was";
    EXPECT_FALSE(PtInRegion(update, 60, 30)) << "nothing but the corners";
    DeleteObject(update);

    // Rebuilt at the same size (pressed and released): nothing uncovered.
    ValidateRect(form->Window(), nullptr);
    button->SetDown(true);
    Paint();
    button->SetDown(false);
    Paint();
    update = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(form->Window(), update, FALSE);
    EXPECT_FALSE(PtInRegion(update, 10 + 119, 10)) << "the corner of the present size";
    EXPECT_FALSE(PtInRegion(update, 10 + 88, 10));
    DeleteObject(update);
}
