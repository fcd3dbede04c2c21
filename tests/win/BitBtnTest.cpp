// The skinned bitmap button on real windows: clicks by mouse and keys, the
// default and cancel buttons of a form, a disabled button, the Blend
// property, and the faces it paints from the internal skin in each state.
#include "app/FrmMainSkin.h"
#include "skin/sBitBtn.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinManager.h"
#include "skin/win/sBitBtnWin.h"
#include "tests/common/GoldenPicture.h"

#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

class BitBtn : public ::testing::Test {
protected:
    void SetUp() override {
        form = std::make_unique<TTestForm>("Buttons", 320);
        save = MakeButton("Save...", 10);
        other = MakeButton("Load...", 110);
    }
    void TearDown() override {
        save.reset();
        other.reset();
        form.reset();
        ApplicationShowHint() = true;
    }
    std::unique_ptr<TsBitBtn> MakeButton(const char* caption, int left) {
        auto button = std::make_unique<TsBitBtn>(nullptr);
        button->SetParent(form.get());
        button->SetBounds({left, 10, 89, 43});
        button->SetCaption(caption);
        button->OnClick = [this](TsBitBtn& b) { clicks += b.Caption() + ";"; };
        EXPECT_TRUE(button->CreateWnd());
        return button;
    }
    static HWND Window(const TsBitBtn& b) { return static_cast<HWND>(b.Handle()); }
    static void Send(const TsBitBtn& b, UINT message, WPARAM wParam, int x, int y) {
        SendMessageA(Window(b), message, wParam, MAKELPARAM(x, y));
    }
    static bool Key(HWND window, WPARAM key) {
        MSG message{window, WM_KEYDOWN, key, 0, 0, {}};
        return HandleButtonKeys(message);
    }

    std::unique_ptr<TTestForm> form;
    std::unique_ptr<TsBitBtn> save, other;
    std::string clicks;
};

TEST_F(BitBtn, MouseReleasedOverTheButtonClicksReleasedOutsideDoesNot) {
    Send(*save, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_FALSE(ApplicationShowHint()) << "no hints while the button is held";
    Send(*save, WM_LBUTTONUP, 0, 5, 5);
    EXPECT_EQ(clicks, "Save...;");
    EXPECT_TRUE(ApplicationShowHint());

    clicks.clear();
    Send(*save, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ(save->CurrentState(), 2);
    Send(*save, WM_MOUSEMOVE, MK_LBUTTON, 200, 5);
    // Held and moved off: not the pressed face.
    EXPECT_NE(save->CurrentState(), 2);
    Send(*save, WM_MOUSEMOVE, MK_LBUTTON, 6, 6);
    EXPECT_EQ(save->CurrentState(), 2);
    Send(*save, WM_MOUSEMOVE, MK_LBUTTON, 200, 5);
    Send(*save, WM_LBUTTONUP, 0, 200, 5);
    EXPECT_EQ(clicks, "");
    EXPECT_TRUE(ApplicationShowHint());
}

TEST_F(BitBtn, FocusedButtonAnswersSpaceAndEnter) {
    SetFocus(Window(*other));
    ASSERT_TRUE(other->Focused());
    SendMessageA(Window(*other), WM_KEYDOWN, VK_SPACE, 0x00390001);
    EXPECT_EQ(other->CurrentState(), 2);
    SendMessageA(Window(*other), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0390001u));
    EXPECT_EQ(clicks, "Load...;");

    clicks.clear();
    // Enter by the form's key handling and by the key reaching the button itself.
    EXPECT_TRUE(Key(Window(*other), VK_RETURN));
    SendMessageA(Window(*other), WM_KEYDOWN, VK_RETURN, 0x001C0001);
    EXPECT_EQ(clicks, "Load...;Load...;");
}

TEST_F(BitBtn, EnterClicksTheDefaultButtonEscapeTheCancelButton) {
    HWND edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 10, 80, 100, 20, form->Window(),
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(edit);
    SetFocus(edit);
    EXPECT_FALSE(Key(edit, VK_RETURN)) << "no default button yet";
    EXPECT_FALSE(Key(edit, VK_ESCAPE)) << "no cancel button yet";
    int result = 0;
    other->SetKind(bkOK);
    other->OnModalResult = [&result](TsBitBtn&, int r) { result = r; };
    save->SetCancel(true);
    EXPECT_TRUE(other->Default());
    EXPECT_EQ(other->Caption(), "OK");
    EXPECT_EQ(other->ModalResult(), mrOk);
    EXPECT_TRUE(Key(edit, VK_RETURN));
    EXPECT_EQ(clicks, "OK;");
    EXPECT_EQ(result, mrOk);
    EXPECT_TRUE(Key(edit, VK_ESCAPE));
    EXPECT_EQ(clicks, "OK;Save...;");
    EXPECT_FALSE(Key(edit, 'A'));
    DestroyWindow(edit);
}

TEST_F(BitBtn, DisabledButtonIgnoresInput) {
    save->SetCancel(true);
    save->SetDefault(true);
    save->SetEnabled(false);
    Send(*save, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    Send(*save, WM_LBUTTONUP, 0, 5, 5);
    EXPECT_TRUE(ApplicationShowHint());
    EXPECT_FALSE(Key(form->Window(), VK_RETURN));
    EXPECT_FALSE(Key(form->Window(), VK_ESCAPE));
    save->Click();
    EXPECT_EQ(clicks, "");
}

TEST_F(BitBtn, BlendIsKeptInsideAPercentage) {
    const struct { int set, read; } rows[] = {{150, 100}, {-5, 0}, {30, 30}, {0, 0}, {100, 100}, {101, 100}};
    EXPECT_EQ(save->Blend(), 0);
    for (const auto& row : rows) {
        save->SetBlend(row.set);
        EXPECT_EQ(save->Blend(), row.read) << row.set;
    }
}

// The skinned faces against the "BUTTON" section drawn directly in a given
// state over the same plain background: the top and bottom four rows (the
// frame's margins, no glyph and no caption there) must match the state the
// button is in.
class BitBtnSkinned : public BitBtn {
protected:
    void SetUp() override {
        BitBtn::SetUp();
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
        for (TsBitBtn* b : {save.get(), other.get()}) {
            b->SkinData.SetSkinManager(manager.get());
            b->SkinData.UpdateIndexes();
        }
        ASSERT_GE(save->SkinData.FrameMaskIndex, 0);
    }
    void TearDown() override {
        BitBtn::TearDown();
        manager.reset();
    }
    TsBitmap24 Reference(int state) const {
        TsBitmap24 face(89, 43);
        const TColor parent = ToRGB(clBtnFace);
        ComposeBackground(face, *manager, save->SkinData.SectionIndex, "BUTTON",
                          TsBackgroundDescriptor::OfColor(parent), clNone, save->SkinData.HotTextureMask,
                          save->SkinData.TextureMask, {}, BoundsOf(face), state);
        std::vector<TRect> cut;
        DrawNinePieceCut(face, cut, true, state, save->SkinData.FrameMaskIndex, *manager);
        return face;
    }
    // The composed face as the window paints it.
    const TsBitmap24& Painted() {
        InvalidateRect(Window(*save), nullptr, FALSE);
        UpdateWindow(Window(*save));
        return *save->SkinData.Cache;
    }
    static int MarginRowsMatching(const TsBitmap24& a, const TsBitmap24& b) {
        int rows = 0;
        for (int y : {0, 1, 2, 3, 39, 40, 41, 42}) {
            bool same = true;
            for (int x = 0; x < 89; ++x)
                same = same && a.Pixel(x, y) == b.Pixel(x, y);
            rows += same;
        }
        return rows;
    }
    std::unique_ptr<TsSkinManager> manager;
};

TEST_F(BitBtnSkinned, FaceFollowsTheStateAsTheMaskFramesSay) {
    const TsBitmap24 normal = Reference(0), hot = Reference(1), pressed = Reference(2);
    ASSERT_LT(MarginRowsMatching(normal, hot), 8) << "the skin's normal and hot frames differ";
    ASSERT_LT(MarginRowsMatching(hot, pressed), 8) << "the skin's hot and pressed frames differ";

    EXPECT_EQ(save->CurrentState(), 0);
    EXPECT_EQ(MarginRowsMatching(Painted(), normal), 8);

    Send(*save, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(save->CurrentState(), 1);
    EXPECT_EQ(MarginRowsMatching(Painted(), hot), 8);

    Send(*save, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    EXPECT_EQ(save->CurrentState(), 2);
    EXPECT_EQ(MarginRowsMatching(Painted(), pressed), 8);
    Send(*save, WM_MOUSEMOVE, MK_LBUTTON, 200, 5);
    const TsBitmap24& movedOff = Painted();
    EXPECT_EQ(MarginRowsMatching(movedOff, pressed) == 8, false);
    Send(*save, WM_LBUTTONUP, 0, 200, 5);

    // Disabled: the form has no background picture, so the normal face is mixed
    // half and half with the form's colour.
    SetFocus(form->Window());
    Send(*save, WM_MOUSEMOVE, 0, 200, 5);
    save->SetEnabled(false);
    const TsBitmap24& disabled = Painted();
    const uint32_t parent = static_cast<uint32_t>(ToRGB(clBtnFace));
    for (int x : {0, 2, 10, 44, 86, 88}) {
        for (int y : {1, 3, 40}) {
            const uint32_t c = normal.Pixel(x, y), got = disabled.Pixel(x, y);
            for (int shift : {0, 8, 16}) {
                const int expected =
                    static_cast<int>((((c >> shift) & 0xFF) * 0.5 + ((parent >> shift) & 0xFF) * 0.5) + 0.5);
                EXPECT_LE(std::abs(static_cast<int>((got >> shift) & 0xFF) - expected), 1)
                    << x << "," << y << " channel " << shift;
            }
        }
    }
}

// A fully see-through face shows exactly the part of the form's picture it
// lies over.
TEST_F(BitBtnSkinned, SeeThroughFaceShowsTheFormPictureAtItsPlace) {
    TsSkinProvider frame(*form);
    frame.SkinData.SetSkinManager(manager.get());
    frame.AttachWindow();
    SendMessageA(form->Window(), SM_SKINCOMMAND, SkinCommand(scNewSkin),
                 reinterpret_cast<LPARAM>(manager.get()));
    frame.BuildFrameCache();
    manager->gd[size_t(save->SkinData.SectionIndex)].Transparency = 100;
    save->SkinData.CacheStale = true;
    const TsBitmap24& face = Painted();
    const TsFrameMetrics m = frame.Metrics();
    for (TPoint p : {TPoint{10, 6}, TPoint{80, 36}})
        EXPECT_EQ(face.Pixel(p.X, p.Y), frame.SkinData.Cache->Pixel(m.ClientOrigin.X + save->Left() + p.X,
                                                                    m.ClientOrigin.Y + save->Top() + p.Y))
            << p.X << "," << p.Y;
    manager->gd[size_t(save->SkinData.SectionIndex)].Transparency = 0;
}

// A move puts the button over another part of its parent: its picture is
// stale until the repaint composes it again.
TEST_F(BitBtnSkinned, MoveMakesTheCacheStaleAndTheRepaintClearsIt) {
    Painted();
    EXPECT_FALSE(save->SkinData.CacheStale);
    SetWindowPos(Window(*save), nullptr, 17, 12, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    EXPECT_TRUE(save->SkinData.CacheStale);
    RedrawWindow(Window(*save), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_FALSE(save->SkinData.CacheStale);
}

// The whole face in each state against the reference pictures (these are
// also the pictures of a button hot and pressed that people look at).
TEST_F(BitBtnSkinned, FacesMatchTheirReferencePictures) {
    auto golden = [](const char* name, const TsBitmap24& picture) {
        CompareWithGolden(name, picture, KESTOVA_GOLDEN_FOLDER, KESTOVA_GOLDEN_OUT);
    };
    golden("BITBTN-normal", Painted());
    Send(*save, WM_MOUSEMOVE, 0, 5, 5);
    golden("BITBTN-hot", Painted());
    Send(*save, WM_LBUTTONDOWN, MK_LBUTTON, 5, 5);
    golden("BITBTN-pressed", Painted());
    Send(*save, WM_LBUTTONUP, 0, 200, 5);
    Send(*save, WM_MOUSEMOVE, 0, 200, 5);
    SetFocus(form->Window());
    save->SetEnabled(false);
    golden("BITBTN-disabled", Painted());
}

// What a button nobody has set up does with its caption: it shows it,
// centred across the face, on one line when it fits and wrapped onto more
// lines when it does not.
TEST_F(BitBtnSkinned, AnUntouchedButtonCentresItsCaptionAndWrapsALongOne) {
    const TsBitmap24 plain = Reference(0);
    // The box of the pixels where the painted face differs from the face
    // without a caption.
    auto inkBox = [&plain](const TsBitmap24& face) {
        TRect box{face.Width, face.Height, -1, -1};
        for (int y = 0; y < face.Height; ++y)
            for (int x = 0; x < face.Width; ++x)
                if (face.Pixel(x, y) != plain.Pixel(x, y)) {
                    box.Left = std::min(box.Left, x);
                    box.Top = std::min(box.Top, y);
                    box.Right = std::max(box.Right, x);
                    box.Bottom = std::max(box.Bottom, y);
                }
        return box;
    };
    const TRect shortCaption = inkBox(Painted());
    ASSERT_GE(shortCaption.Right, shortCaption.Left) << "the caption is shown";
    EXPECT_LE(std::abs(shortCaption.Left - (89 - 1 - shortCaption.Right)), 2)
        << "centred: " << shortCaption.Left << ".." << shortCaption.Right;
    const int lineHeight = shortCaption.Bottom - shortCaption.Top + 1;

    save->SetCaption("Refresh the whole report");
    const TRect longCaption = inkBox(Painted());
    EXPECT_GT(longCaption.Bottom - longCaption.Top + 1, lineHeight * 3 / 2) << "wrapped onto a second line";
    EXPECT_GE(longCaption.Left, 0);
    EXPECT_LE(longCaption.Right, 88);
    EXPECT_LE(std::abs(longCaption.Left - (89 - 1 - longCaption.Right)), 2) << "each line centred";
}

TEST_F(BitBtnSkinned, GlyphAtItsBlendUntilHot) {
    // A 32 x 32 black glyph on a red key: Blend 30 keeps 70 % of it over the face.
    auto glyph = std::make_shared<TsBitmap24>(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            glyph->SetPixel(x, y, x < 2 && y > 29 ? 0x0000FF : 0x000000);
    save->SetGlyph(glyph);
    save->SetBlend(30);
    save->SetCaption("");
    // No caption: the glyph is centred, x = (89 - 32) div 2 = 28, y = (43 - 32) div 2 = 5.
    const TsBitmap24 face = Reference(0);
    const TsBitmap24& normal = Painted();
    for (int shift : {0, 8, 16}) {
        const int f = (face.Pixel(40, 20) >> shift) & 0xFF;
        EXPECT_NEAR(static_cast<int>((normal.Pixel(40, 20) >> shift) & 0xFF), f * 0.3, 1.0);
    }
    EXPECT_EQ(normal.Pixel(28, 36), face.Pixel(28, 36)) << "key pixel shows the face";
    Send(*save, WM_MOUSEMOVE, 0, 5, 5);
    EXPECT_EQ(Painted().Pixel(40, 20), 0u) << "hot: the glyph whole";
}

} // namespace
