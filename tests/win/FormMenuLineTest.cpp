// A skinned form with a main menu (Kestova's own windows have none): the
// menu line composed under the caption bar from "MENULINE" (or the section
// MenuLineSkin names), its top-level items painting themselves into it, an
// item drawn again when it is selected. The line as the form paints its
// frame is written to the build tree (golden-out/MENULINE-form.bmp).
#include "app/FrmMainSkin.h"
#include "controls/Menus.h"
#include "skin/sMessages.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinableMenus.h"
#include "skin/sBlendGraph.h"
#include "skin/sGraphUtils.h"
#include "tests/common/GoldenPicture.h"

#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

namespace {

class FormMenuLine : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TTestForm>("Menu line", 360);
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
        menu = std::make_unique<TMainMenu>(nullptr);
        menu->Items().Add("&File")->Add("E&xit");
        menu->Items().Add("&Edit")->Add("&Copy");
        menu->Items().Add("&Help")->Add("&About");
        manager->SkinableMenus().SetOwnerDraw(*menu, true);
        SetMenu(form->Window(), static_cast<HMENU>(menu->Handle()));
        frame = std::make_unique<TsSkinProvider>(*form);
        frame->SkinData.SetSkinManager(manager.get());
        frame->AttachWindow();
        SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scNewSkin),
                     reinterpret_cast<LPARAM>(manager.get()));
        frame->BuildFrameCache();
    }
    void TearDown() override {
        frame.reset();
        SetMenu(form->Window(), nullptr);
        form.reset();
        menu.reset();
        manager.reset();
    }
    const TsBitmap24& Picture() const { return *frame->SkinData.Cache; }
    // The top-level item's place in the window.
    TRect ItemRect(int index) const {
        RECT screen{}, window{};
        GetMenuItemRect(form->Window(), GetMenu(form->Window()), static_cast<UINT>(index), &screen);
        GetWindowRect(form->Window(), &window);
        return {screen.left - window.left, screen.top - window.top, screen.right - window.left,
                screen.bottom - window.top};
    }
    // Pixels of the item's place that differ from the line's copy.
    int Painted(const TRect& r) const {
        const TRect line = frame->MenuLineArea();
        int count = 0;
        for (int y = r.Top; y < r.Bottom && y < line.Bottom; ++y)
            for (int x = r.Left; x < r.Right && x < line.Right; ++x)
                count += Picture().Pixel(x, y) != frame->MenuLine()->Pixel(x - line.Left, y - line.Top);
        return count;
    }
    // The section composed on its own over a line-sized picture (opaque
    // sections of the internal skin: the background does not show).
    TsBitmap24 Section(const char* name) const {
        TsBitmap24 reference(frame->MenuLineArea().Width(), frame->MenuLineArea().Height());
        ComposeItem(&reference, *manager, manager->FindSection(name), name,
                    TsBackgroundDescriptor::OfColor(0), true, 0, {}, BoundsOf(reference));
        return reference;
    }
    // The pictures are the same but for the corners that the section's
    // frame leaves to the background (3 x 3 in the internal skin's menus).
    static std::string SameButCorners(const TsBitmap24& a, const TsBitmap24& b) {
        if (a.Width != b.Width || a.Height != b.Height)
            return FirstDifference(a, b);
        for (int y = 0; y < a.Height; ++y)
            for (int x = 0; x < a.Width; ++x) {
                const bool corner = (x < 3 || x >= a.Width - 3) && (y < 3 || y >= a.Height - 3);
                if (!corner && a.Pixel(x, y) != b.Pixel(x, y))
                    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        return {};
    }
    TsBitmap24 LineNow() const {
        const TRect line = frame->MenuLineArea();
        TsBitmap24 now(line.Width(), line.Height());
        CopyPicture(now, {0, 0}, Picture(), line);
        return now;
    }
    void Rebuild() {
        SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scRefresh),
                     reinterpret_cast<LPARAM>(manager.get()));
        frame->BuildFrameCache();
    }

    std::unique_ptr<TTestForm> form;
    std::unique_ptr<TsSkinManager> manager;
    std::unique_ptr<TMainMenu> menu;
    std::unique_ptr<TsSkinProvider> frame;
};

} // namespace

TEST_F(FormMenuLine, TheLineLiesUnderTheCaptionBarInTheMenuLineColours) {
    ASSERT_NE(frame->MenuLine(), nullptr);
    const TsFrameMetrics m = frame->Metrics();
    ASSERT_GT(m.MenuHeight, 0);
    const TRect line = frame->MenuLineArea();
    EXPECT_EQ(line, (TRect{m.FrameWidth, m.FrameHeight + m.CaptionHeight, Picture().Width - m.FrameWidth,
                           m.TopHeight}));
    // "MENULINE" takes everything from its parent class "MAINMENU".
    ASSERT_GE(manager->FindSection("MENULINE"), 0);
    EXPECT_EQ(SameButCorners(*frame->MenuLine(), Section("MENULINE")), "");
    EXPECT_NE(SameButCorners(*frame->MenuLine(), Section("FORM")), "") << "not the form's own look";

    // The picture as the frame paints it on the window, for people to look at.
    const TsBitmap24 shown =
        PaintedPicture(Picture().Width, Picture().Height, [this](HDC dc) { frame->PaintNonClient(dc); });
    TsBitmap24 top(shown.Width, std::min(m.TopHeight + 8, shown.Height));
    for (int y = 0; y < top.Height; ++y)
        for (int x = 0; x < top.Width; ++x)
            top.SetPixel(x, y, shown.Pixel(x, y));
    std::filesystem::create_directories(KESTOVA_GOLDEN_OUT);
    const std::vector<uint8_t> bmp = EncodeBmp(top);
    std::ofstream(std::string(KESTOVA_GOLDEN_OUT) + "/MENULINE-form.bmp", std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
    EXPECT_EQ(shown.Pixel(line.Right - 10, (line.Top + line.Bottom) / 2),
              frame->MenuLine()->Pixel(line.Width() - 10, line.Height() / 2));
}

TEST_F(FormMenuLine, EachTopLevelItemPaintsItsCaptionIntoTheLine) {
    for (int i = 0; i < 3; ++i) {
        const TRect r = ItemRect(i);
        ASSERT_GT(r.Width(), 0) << i;
        EXPECT_GT(Painted(r), 10) << "item " << i << " wrote its caption";
    }
    const TRect line = frame->MenuLineArea();
    EXPECT_EQ(Painted({ItemRect(2).Right + 2, line.Top, line.Right, line.Bottom}), 0)
        << "no item right of the last";
}

TEST_F(FormMenuLine, ASelectedItemIsDrawnHotOverTheLine) {
    const TRect r = ItemRect(1);
    const TPoint inside{r.Left + 4, (r.Top + r.Bottom) / 2};
    const TRect line = frame->MenuLineArea();
    EXPECT_EQ(Picture().Pixel(inside.X, inside.Y),
              frame->MenuLine()->Pixel(inside.X - line.Left, inside.Y - line.Top))
        << "not selected: the line shows through the item";
    const TsBitmap24 before = LineNow();
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_DATA | MIIM_ID;
    HMENU bar = GetMenu(form->Window());
    ASSERT_TRUE(GetMenuItemInfoA(bar, 1, TRUE, &info));
    HDC dc = GetWindowDC(form->Window());
    DRAWITEMSTRUCT draw{ODT_MENU,
                        0,
                        info.wID,
                        ODA_SELECT,
                        ODS_SELECTED,
                        reinterpret_cast<HWND>(bar),
                        dc,
                        {r.Left, r.Top, r.Right, r.Bottom},
                        info.dwItemData};
    EXPECT_EQ(SendMessageA(form->Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)), TRUE);
    const TsBitmap24 selected = LineNow();
    EXPECT_NE(Picture().Pixel(inside.X, inside.Y),
              frame->MenuLine()->Pixel(inside.X - line.Left, inside.Y - line.Top))
        << "the item's own hot face";
    // Only the item changed.
    int outside = 0;
    for (int y = 0; y < before.Height; ++y)
        for (int x = 0; x < before.Width; ++x)
            if (x + line.Left < r.Left || x + line.Left >= r.Right)
                outside += before.Pixel(x, y) != selected.Pixel(x, y);
    EXPECT_EQ(outside, 0);
    draw.itemState = 0;
    SendMessageA(form->Window(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
    ReleaseDC(form->Window(), dc);
    EXPECT_TRUE(SamePicture(LineNow(), before)) << "left again";
}

TEST_F(FormMenuLine, MenuLineSkinNamesTheSectionAndAnUnknownNameFallsBack) {
    const TRect line = frame->MenuLineArea();
    const TPoint p{line.Right - 10, (line.Top + line.Bottom) / 2};
    frame->MenuLineSkin = "HINT";
    Rebuild();
    EXPECT_EQ(SameButCorners(*frame->MenuLine(), Section("HINT")), "");
    EXPECT_EQ(Picture().Pixel(p.X, p.Y), Section("HINT").Pixel(p.X - line.Left, p.Y - line.Top));
    frame->MenuLineSkin = "NO SUCH SECTION";
    Rebuild();
    EXPECT_EQ(SameButCorners(*frame->MenuLine(), Section("MENULINE")), "");
}

TEST_F(FormMenuLine, WithoutAMainMenuThereIsNoLine) {
    SetMenu(form->Window(), nullptr);
    Rebuild();
    EXPECT_EQ(frame->MenuLine(), nullptr);
    EXPECT_EQ(frame->Metrics().MenuHeight, 0);
}
