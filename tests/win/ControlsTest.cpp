// The control layer on real windows: one window procedure for own-class and
// subclassed windows, graphic children painted and handed the mouse by their
// parent, and the child lists in creation order.
#include "controls/Application.h"
#include "controls/Controls.h"
#include "controls/win/WindowThunk.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

class TTestForm : public TCustomForm {
public:
    TTestForm() : TCustomForm(nullptr) {
        SetBounds({10, 10, 200, 150});
        TCreateParams params;
        params.Style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
        CreateHandle(params);
    }
    std::string ClassName() const override { return "TControlsTestForm"; }
    std::vector<UINT> seen;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == WM_USER + 1)
            return 42;
        return TCustomForm::WndProc(message, wParam, lParam);
    }
};

class TRecorder : public TGraphicControl {
public:
    TRecorder(TWinControl* parent, const TBounds& bounds, COLORREF colour)
        : TGraphicControl(nullptr), colour_(colour) {
        SetBounds(bounds);
        SetParent(parent);
    }
    std::string ClassName() const override { return "TRecorder"; }
    void Paint(void* dc) override {
        const RECT r{0, 0, Width(), Height()};
        HBRUSH brush = CreateSolidBrush(colour_);
        FillRect(static_cast<HDC>(dc), &r, brush);
        DeleteObject(brush);
    }
    std::vector<std::string> events;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        const int x = static_cast<short>(LOWORD(lParam)), y = static_cast<short>(HIWORD(lParam));
        switch (message) {
        case CM_MOUSEENTER:
            events.push_back("enter");
            break;
        case CM_MOUSELEAVE:
            events.push_back("leave");
            break;
        case WM_MOUSEMOVE:
            events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
            break;
        case WM_LBUTTONDOWN:
            events.push_back("down " + std::to_string(x) + "," + std::to_string(y));
            break;
        case WM_LBUTTONUP:
            events.push_back("up " + std::to_string(x) + "," + std::to_string(y));
            break;
        default:
            break;
        }
        return TGraphicControl::WndProc(message, wParam, lParam);
    }

private:
    COLORREF colour_;
};

uint32_t PixelOf(HWND window, int x, int y) {
    RECT client;
    GetClientRect(window, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, client.right, -client.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const uint32_t pixel = static_cast<const uint32_t*>(bits)[y * client.right + x] & 0xFFFFFF;
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixel;
}

} // namespace

TEST(Controls, FormsAreListedByTheApplicationWhileTheyLive) {
    const size_t before = Application().FormCount();
    {
        TTestForm form;
        ASSERT_EQ(Application().FormCount(), before + 1);
        EXPECT_EQ(Application().Forms(before), &form);
        char name[64] = {};
        GetClassNameA(static_cast<HWND>(form.Handle()), name, sizeof name);
        EXPECT_STREQ(name, "TControlsTestForm"); // the window class is the control's class name
        EXPECT_EQ(TWindowThunk::ControlOf(static_cast<HWND>(form.Handle())), &form);
        // Messages to the window and Perform reach the same handling.
        EXPECT_EQ(SendMessageA(static_cast<HWND>(form.Handle()), WM_USER + 1, 0, 0), 42);
        EXPECT_EQ(form.Perform(WM_USER + 1), 42);
        EXPECT_EQ(form.SendWindowMessage(WM_USER + 1), 42);
    }
    EXPECT_EQ(Application().FormCount(), before);
}

TEST(Controls, ASystemWindowIsSubclassedAndGivenBackWhenDestroyed) {
    TTestForm form;
    TNamedWinControl button(nullptr, "TsBitBtn");
    button.SetParent(&form);
    button.SetBounds({5, 5, 60, 20});
    TWinControl::TCreateParams params;
    params.WindowClass = "BUTTON";
    params.Caption = "Go";
    params.Style = WS_CHILD;
    ASSERT_TRUE(button.CreateHandle(params));
    HWND window = static_cast<HWND>(button.Handle());
    EXPECT_EQ(GetParent(window), static_cast<HWND>(form.Handle()));
    EXPECT_TRUE(IsWindowVisible(window) || !IsWindowVisible(static_cast<HWND>(form.Handle())));
    EXPECT_EQ(button.ClassName(), "TsBitBtn");
    // The button's own procedure still answers: its text comes back.
    char text[8] = {};
    GetWindowTextA(window, text, sizeof text);
    EXPECT_STREQ(text, "Go");
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_WNDPROC)), &TWindowThunk::WindowProc);
    DestroyWindow(window);
    EXPECT_EQ(button.Handle(), nullptr);
    EXPECT_EQ(TWindowThunk::ControlOf(window), nullptr);
}

TEST(Controls, ChildrenAreListedInCreationOrderAndLeaveWithTheirParent) {
    TTestForm form;
    TRecorder a(&form, {0, 0, 10, 10}, RGB(1, 1, 1));
    TNamedWinControl panel(nullptr, "TPanel");
    panel.SetParent(&form);
    TRecorder b(&form, {0, 0, 10, 10}, RGB(1, 1, 1));
    ASSERT_EQ(form.ControlCount(), 3u);
    EXPECT_EQ(form.Controls(0), &a);
    EXPECT_EQ(form.Controls(1), &panel);
    EXPECT_EQ(form.Controls(2), &b);
    b.SetParent(&panel);
    EXPECT_EQ(form.ControlCount(), 2u);
    EXPECT_EQ(panel.Controls(0), &b);
    EXPECT_EQ(b.ParentForm(), &form);
}

TEST(Controls, GraphicChildrenArePaintedByTheirParentTopmostLast) {
    TTestForm form;
    HWND window = static_cast<HWND>(form.Handle());
    TRecorder under(&form, {10, 10, 40, 40}, RGB(200, 0, 0));
    TRecorder over(&form, {30, 30, 40, 40}, RGB(0, 0, 200));
    EXPECT_EQ(PixelOf(window, 15, 15), 0xC80000u);
    EXPECT_EQ(PixelOf(window, 35, 35), 0x0000C8u); // the later one on top
    EXPECT_EQ(PixelOf(window, 65, 65), 0x0000C8u);
    over.SetVisible(false);
    EXPECT_EQ(PixelOf(window, 35, 35), 0xC80000u);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(PixelOf(window, 65, 65),
              uint32_t(GetRValue(face)) << 16 | uint32_t(GetGValue(face)) << 8 | GetBValue(face));
}

TEST(Controls, TheParentHandsTheMouseToTheGraphicChildUnderIt) {
    TTestForm form;
    HWND window = static_cast<HWND>(form.Handle());
    TRecorder left(&form, {10, 10, 20, 20}, 0);
    TRecorder right(&form, {50, 10, 20, 20}, 0);
    auto send = [window](UINT message, int x, int y) { SendMessageA(window, message, 0, MAKELPARAM(x, y)); };
    send(WM_MOUSEMOVE, 12, 15);
    send(WM_MOUSEMOVE, 55, 15);
    send(WM_LBUTTONDOWN, 56, 16);
    send(WM_MOUSEMOVE, 15, 15); // captured: still the right one
    send(WM_LBUTTONUP, 15, 15);
    send(WM_MOUSEMOVE, 15, 15);
    SendMessageA(window, WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(left.events,
              (std::vector<std::string>{"enter", "move 2,5", "leave", "enter", "move 5,5", "leave"}));
    EXPECT_EQ(right.events,
              (std::vector<std::string>{"enter", "move 5,5", "down 6,6", "move -35,5", "up -35,5", "leave"}));
}
