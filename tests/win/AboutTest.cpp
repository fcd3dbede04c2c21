// The About box: its layout, its link, and its modal showing over the main
// window.
#include "app/About.h"
#include "app/Application.h"
#include "app/FrmMain.h"
#include "controls/win/WindowThunk.h"
#include "skin/sLabel.h"
#include "skin/sSkinProvider.h"
#include "skin/win/sAdapterWnd.h"
#include "tests/fixtures/Fixtures.h"

#include "tests/fixtures/ModalStep.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

TsSkinProvider* FrameOf(HWND window) {
    auto* form = dynamic_cast<TWinControl*>(TWindowThunk::ControlOf(window));
    return form ? dynamic_cast<TsSkinProvider*>(FormFrameOf(*form)) : nullptr;
}

std::vector<long> Placement(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// A control's place in its parent: its window's, or the bounds of a control
// without a window.
std::vector<long> Placement(TControl& control) {
    if (TWinControl* windowed = control.AsWinControl())
        return Placement(static_cast<HWND>(windowed->Handle()));
    const TBounds& b = control.BoundsRect();
    return {b.Left, b.Top, b.Width, b.Height};
}

// The face of a window as it paints it, as 0x00RRGGBB values, top-down.
std::vector<uint32_t> Painted(HWND window, RECT* size = nullptr) {
    RECT client;
    GetClientRect(window, &client);
    if (size)
        *size = client;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        SelectedObject selected(dc.Get(), bitmap.Get());
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT);
        GdiFlush();
    }
    const auto* pixels = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> result(pixels, pixels + client.right * client.bottom);
    for (uint32_t& p : result)
        p &= 0xFFFFFF;
    return result;
}

// A control without a window as its parent paints it.
std::vector<uint32_t> Painted(const TControl& control) {
    RECT parent;
    const std::vector<uint32_t> whole = Painted(static_cast<HWND>(control.Parent()->Handle()), &parent);
    const TBounds& b = control.BoundsRect();
    std::vector<uint32_t> result;
    for (int y = b.Top; y < b.Top + b.Height; ++y)
        for (int x = b.Left; x < b.Left + b.Width; ++x)
            result.push_back(whole[static_cast<size_t>(y) * parent.right + x]);
    return result;
}

// The mouse over a control without a window: the message goes to its parent
// at the control's place.
void MouseAt(const TControl& control, UINT message, int x, int y, WPARAM keys = 0) {
    SendMessageA(static_cast<HWND>(control.Parent()->Handle()), message, keys,
                 MAKELPARAM(control.Left() + x, control.Top() + y));
}

bool Contains(const std::vector<uint32_t>& pixels, COLORREF colour) {
    const uint32_t rgb = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    return std::find(pixels.begin(), pixels.end(), rgb) != pixels.end();
}

LOGFONTA FontOf(HFONT font) {
    LOGFONTA log{};
    GetObjectA(font, sizeof log, &log);
    return log;
}

HCURSOR CursorShownOver(TControl& control) {
    control.Perform(WM_SETCURSOR, 0, MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    return GetCursor();
}

class AboutTest : public ::testing::Test {
protected:
    void SetUp() override { box.CreateForm(nullptr); }

    TAboutBox box;
};

TEST_F(AboutTest, IsTheProgramsHiddenFixedDialog) {
    EXPECT_EQ(AboutBox(), &box);
    ASSERT_TRUE(IsWindow(box.Handle()));
    EXPECT_FALSE(IsWindowVisible(box.Handle()));
    char caption[64];
    GetWindowTextA(box.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Kestova 1.0");
    const LONG style = GetWindowLongA(box.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_TRUE(GetWindowLongA(box.Handle(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    RECT client, window;
    GetClientRect(box.Handle(), &client);
    EXPECT_EQ(client.right, 298);
    EXPECT_EQ(client.bottom, 253);
    GetWindowRect(box.Handle(), &window);
    EXPECT_LE(std::abs((window.left + window.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 1);
    EXPECT_LE(std::abs((window.top + window.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2), 1);
}

TEST_F(AboutTest, ControlsSitWhereTheLayoutPutsThem) {
    const struct {
        const char* name;
        std::vector<long> placement;
    } cases[] = {
        {"Panel1", {9, 8, 281, 198}},     {"sLabelFX1", {0, 1, 281, 30}}, {"Label1", {0, 32, 281, 13}},
        {"sLabel1", {0, 48, 281, 13}},    {"Comments", {0, 66, 281, 13}}, {"Image1", {68, 84, 145, 105}},
        {"sBitBtn1", {112, 214, 75, 33}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(box.ControlByName(c.name)) << c.name;
        EXPECT_EQ(Placement(*box.ControlByName(c.name)), c.placement) << c.name;
    }
    const struct {
        const char* name;
        const char* className;
    } kinds[] = {{"Panel1", "TPanel"},    {"sLabelFX1", "TsLabelFX"}, {"Label1", "TLabel"},
                 {"sLabel1", "TsLabel"},  {"Comments", "TLabel"},     {"Image1", "TImage"},
                 {"sBitBtn1", "TsBitBtn"}};
    for (const auto& k : kinds)
        EXPECT_EQ(box.ControlByName(k.name)->ClassName(), k.className);
    EXPECT_EQ(box.ClassName(), "TAboutBox");
    for (const char* inPanel : {"sLabelFX1", "Label1", "sLabel1", "Comments", "Image1"}) {
        EXPECT_EQ(box.ControlByName(inPanel)->Parent(), box.ControlByName("Panel1")) << inPanel;
        EXPECT_EQ(box.Control(inPanel), nullptr) << inPanel; // painted by the panel
    }
    char text[16] = {};
    GetWindowTextA(box.Control("sBitBtn1"), text, sizeof text);
    EXPECT_STREQ(text, "OK");
    EXPECT_EQ(GetDlgCtrlID(box.Control("sBitBtn1")), IDOK);
}

TEST_F(AboutTest, LabelsCarryTheirTextsFontsAndColours) {
    const struct {
        TAboutLabel& label;
        int height, weight;
        TControlColour colour;
    } cases[] = {
        {box.Label1(), -11, FW_NORMAL, TControlColour::System(COLOR_WINDOWTEXT)},
        {box.Comments(), -11, FW_NORMAL, TControlColour::System(COLOR_WINDOWTEXT)},
    };
    for (const auto& c : cases) {
        const LOGFONTA font = FontOf(c.label.Font());
        EXPECT_STREQ(font.lfFaceName, "MS Sans Serif");
        EXPECT_EQ(font.lfHeight, c.height);
        EXPECT_EQ(font.lfWeight, c.weight);
        EXPECT_EQ(c.label.Colour(), c.colour);
        EXPECT_FALSE(c.label.Caption().empty());
        EXPECT_TRUE(Contains(Painted(c.label), c.colour.Resolve())) << c.label.Caption();
    }
    // The skinned labels: fixed size, centred, in the banner's colour.
    const struct {
        TsCustomLabel& label;
        int height;
        bool bold;
    } skinned[] = {{box.sLabelFX1(), -19, true}, {box.sLabel1(), -11, false}};
    for (const auto& c : skinned) {
        EXPECT_EQ(c.label.Font(), (TFont{"MS Sans Serif", c.height, TColor(RGB(43, 53, 77)), c.bold}));
        EXPECT_FALSE(c.label.AutoSize());
        EXPECT_EQ(c.label.Alignment(), taCenter);
        EXPECT_FALSE(c.label.Caption().empty());
    }
    // No skin here: the tagline writes in its font's colour, the banner in
    // its own text colour (white) over its own black shadow.
    EXPECT_TRUE(Contains(Painted(box.sLabel1()), RGB(43, 53, 77)));
    EXPECT_EQ(box.sLabelFX1().CurrentTextColor(), TColor(0xFFFFFF));
    EXPECT_TRUE(Contains(Painted(box.sLabelFX1()), RGB(255, 255, 255)));
    EXPECT_EQ(box.sLabelFX1().Caption(), "Kestova");
    EXPECT_NE(box.Label1().Caption().find("2026"), std::string::npos);
    EXPECT_EQ(box.Comments().Caption(), "kestova.example");
    EXPECT_TRUE(box.Comments().WordWrap());
    EXPECT_EQ(box.Comments().Hint(), "https://kestova.example/");
    EXPECT_EQ(box.Image1().Hint(), "https://kestova.example/");
}

TEST_F(AboutTest, LinkLabelTurnsBlueWithAHandAndBlackWhenLeft) {
    TAboutLabel& link = box.Comments();
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    const HCURSOR hand = LoadCursor(nullptr, IDC_HAND);
    EXPECT_EQ(CursorShownOver(link), arrow);
    for (int showing = 0; showing < 2; ++showing) {
        MouseAt(link, WM_MOUSEMOVE, 5, 5);
        EXPECT_EQ(box.Comments().Colour(), TControlColour::Of(RGB(0, 0, 255)));
        EXPECT_EQ(box.Comments().Cursor(), TCursor::crHandPoint);
        EXPECT_EQ(CursorShownOver(link), hand);
        EXPECT_TRUE(Contains(Painted(link), RGB(0, 0, 255)));

        // Moving off the label inside the panel, and later leaving the panel.
        MouseAt(link, WM_MOUSEMOVE, 5, 30);
        EXPECT_EQ(box.Comments().Colour(), TControlColour::Of(RGB(0, 0, 0)));
        EXPECT_EQ(box.Comments().Cursor(), TCursor::crDefault);
        EXPECT_EQ(CursorShownOver(link), arrow);
        const std::vector<uint32_t> left = Painted(link);
        EXPECT_TRUE(Contains(left, RGB(0, 0, 0)));
        EXPECT_FALSE(Contains(left, RGB(0, 0, 255)));
        MouseAt(link, WM_MOUSEMOVE, 5, 5);
        SendMessageA(box.Control("Panel1"), WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(box.Comments().Colour(), TControlColour::Of(RGB(0, 0, 0)));
    }
}

TEST_F(AboutTest, PictureIsTheLogoUnscaledAndCutAndShowsAHand) {
    TAboutImage& image = box.Image1();
    const Picture24 logo = AboutLogo();
    ASSERT_EQ(logo.Width, 147);
    ASSERT_EQ(logo.Height, 110);
    const std::vector<uint32_t> before = Painted(image);
    ASSERT_EQ(before.size(), 145u * 105u);
    for (int y = 0; y < 105; ++y)
        for (int x = 0; x < 145; ++x) {
            const uint8_t* p = logo.PixelAt(x, y);
            ASSERT_EQ(before[y * 145 + x], uint32_t(p[2] << 16 | p[1] << 8 | p[0])) << x << "," << y;
        }

    MouseAt(image, WM_MOUSEMOVE, 5, 5);
    EXPECT_EQ(box.Image1().Cursor(), TCursor::crHandPoint);
    EXPECT_EQ(CursorShownOver(image), LoadCursor(nullptr, IDC_HAND));
    EXPECT_EQ(Painted(image), before);
    SendMessageA(box.Control("Panel1"), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(box.Image1().Cursor(), TCursor::crDefault);
    EXPECT_EQ(CursorShownOver(image), LoadCursor(nullptr, IDC_ARROW));
}

// A batch file stands for the web address: the shell's "Open" runs it, and
// it leaves a mark that shows the click reached the shell with the hint.
TEST_F(AboutTest, ClickingLinkOrPictureOpensTheHintAndTheBoxStaysOpen) {
    TempFolder folder;
    const struct {
        const char* control;
        std::function<void(std::string)> setHint;
    } cases[] = {
        {"Comments", [this](std::string hint) { box.Comments().SetHint(std::move(hint)); }},
        {"Image1", [this](std::string hint) { box.Image1().SetHint(std::move(hint)); }},
    };
    for (const auto& c : cases) {
        const std::string mark = folder.File(std::string(c.control) + ".mark");
        folder.Write(std::string(c.control) + ".bat", "@echo opened>\"" + mark + "\"\r\n");
        c.setHint(folder.File(std::string(c.control) + ".bat"));
    }
    bool stayedOpen = true;
    WhenModal([&] {
        for (const auto& c : cases) {
            TControl& control = *box.ControlByName(c.control);
            MouseAt(control, WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
            MouseAt(control, WM_LBUTTONUP, 3, 3);
            stayedOpen = stayedOpen && IsWindowVisible(box.Handle()) && box.ModalResult() == mrNone;
        }
        PostMessageA(box.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    box.ShowModal();
    EXPECT_TRUE(stayedOpen);
    for (const auto& c : cases) {
        const std::string mark = folder.File(std::string(c.control) + ".mark");
        for (int wait = 0; wait < 200 && GetFileAttributesA(mark.c_str()) == INVALID_FILE_ATTRIBUTES; ++wait)
            Sleep(50);
        EXPECT_NE(GetFileAttributesA(mark.c_str()), INVALID_FILE_ATTRIBUTES) << c.control;
    }
}

TEST_F(AboutTest, ReleaseOutsideIsNoClick) {
    int clicks = 0;
    box.Comments().OnClick = [&clicks](TAboutControl*) { ++clicks; };
    TAboutLabel& link = box.Comments();
    MouseAt(link, WM_LBUTTONDOWN, 3, 3, MK_LBUTTON);
    MouseAt(link, WM_LBUTTONUP, 3, 300);
    MouseAt(link, WM_LBUTTONUP, 3, 3); // no press before it
    EXPECT_EQ(clicks, 0);
}

// Shown from the main window's About... button: the main window takes no
// input until the box is closed, by Enter, by OK, by Escape or by its close box.
// The About box's skinned close button, pressed and released.
void PressSkinnedClose(HWND box) {
    TsSkinProvider* frame = FrameOf(box);
    ASSERT_NE(frame, nullptr);
    const TRect& r = frame->SystemButton(sbClose).Rect;
    RECT w{};
    GetWindowRect(box, &w);
    const LPARAM at = MAKELPARAM(w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2);
    ASSERT_EQ(SendMessageA(box, WM_NCHITTEST, 0, at), HTCLOSE);
    SendMessageA(box, WM_NCLBUTTONDOWN, HTCLOSE, at);
    SendMessageA(box, WM_NCLBUTTONUP, HTCLOSE, at);
}

TEST(AboutModal, ClosesByEnterOkEscapeOrCloseBoxAndBlocksTheMainWindowMeanwhile) {
    InstallFormFrameFactory();
    TForm1 form;
    form.CreateForm();
    form.Show();
    TAboutBox box;
    box.CreateForm(form.Handle());
    HWND about = form.Control("sBitBtn5");
    const struct {
        const char* how;
        std::function<void()> close;
        int result;
    } cases[] = {
        {"Enter", [&] { PostMessageA(box.Control("sBitBtn1"), WM_KEYDOWN, VK_RETURN, 0); }, mrOk},
        {"OK", [&] { SendMessageA(box.Control("sBitBtn1"), BM_CLICK, 0, 0); }, mrOk},
        {"Escape", [&] { PostMessageA(box.Control("sBitBtn1"), WM_KEYDOWN, VK_ESCAPE, 0); }, mrCancel},
        {"close box", [&] { PostMessageA(box.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }, mrCancel},
        {"skinned close button", [&] { PressSkinnedClose(box.Handle()); }, mrCancel},
    };
    for (const auto& c : cases) {
        SetActiveWindow(form.Handle());
        SetFocus(about);
        bool mainBlocked = false, shown = false, framed = false, panelSkinned = false, labelsSkinned = false;
        WhenModal([&] {
            mainBlocked = !IsWindowEnabled(form.Handle());
            shown = IsWindowVisible(box.Handle());
            framed = FrameOf(box.Handle()) != nullptr;
            // The panel (lowered outside, raised inside) is drawn from "GROUPBOX";
            // the plain labels on it take the skin's text colour over its face.
            TqzMainWnd* panel = TqzMainWnd::Of(box.Control("Panel1"));
            panelSkinned = panel && panel->SkinData().SkinSection() == "GROUPBOX";
            labelsSkinned = box.Label1().Transparent() && box.Comments().Transparent() &&
                            box.Label1().Colour() == TControlColour::Of(0);
            c.close();
        });
        SendMessageA(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(about), BN_CLICKED),
                     reinterpret_cast<LPARAM>(about));
        EXPECT_TRUE(mainBlocked) << c.how;
        EXPECT_TRUE(shown) << c.how;
        EXPECT_TRUE(framed) << c.how << ": the window hook gave the box a skinned frame";
        EXPECT_TRUE(panelSkinned) << c.how;
        EXPECT_TRUE(labelsSkinned) << c.how;
        EXPECT_EQ(box.ModalResult(), c.result) << c.how;
        EXPECT_FALSE(IsWindowVisible(box.Handle())) << c.how;
        EXPECT_TRUE(IsWindowEnabled(form.Handle())) << c.how;
        EXPECT_EQ(GetActiveWindow(), form.Handle()) << c.how << ": the main window is active again";
        EXPECT_EQ(GetFocus(), about) << c.how << ": the focus is back on About...";
    }
    EXPECT_TRUE(IsWindow(box.Handle())); // kept for the next time
}

} // namespace
