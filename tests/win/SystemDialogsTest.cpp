// The system dialogs the report window shows, skinned: the resizable Save
// dialog's frame, and the message box it asks its question in.
#include "app/FileDialog.h"
#include "app/FrmMainSkin.h"
#include "skin/sSkinProvider.h"
#include "skin/win/sAdapterWnd.h"
#include "skin/win/sDialogWnd.h"
#include "skin/win/sSkinHook.h"
#include "tests/fixtures/Fixtures.h"
#include "tests/fixtures/ModalStep.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace {

class SystemDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        InstallDialogAdapterFactory();
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->Active());
    }
    void TearDown() override {
        manager.reset();
        HookFactories() = TsHookFactories{};
    }

    std::unique_ptr<TsSkinManager> manager;
};

// The dialog's frame as the window system made it (left, right and bottom
// edges), the frame the skin draws, and the painted pixels just inside the
// skin's edges.
struct SeenFrame {
    int left = 0, right = 0, bottom = 0;
    int skinnedWidth = -1, skinnedHeight = -1;
    COLORREF insideLeft = 0, insideRight = 0, insideBottom = 0;
};

SeenFrame LookAtFrame(HWND dialog) {
    SeenFrame seen;
    RECT window{}, client{};
    GetWindowRect(dialog, &window);
    GetClientRect(dialog, &client);
    POINT origin{0, 0};
    ClientToScreen(dialog, &origin);
    seen.left = origin.x - window.left;
    seen.right = window.right - (origin.x + client.right);
    seen.bottom = window.bottom - (origin.y + client.bottom);
    if (auto* adapter = dynamic_cast<TqzDialogWnd*>(TqzMainWnd::Of(dialog)); adapter && adapter->Frame()) {
        const TsFrameMetrics m = adapter->Frame()->Metrics();
        seen.skinnedWidth = m.FrameWidth;
        seen.skinnedHeight = m.FrameHeight;
    }
    RedrawWindow(dialog, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    const int width = window.right - window.left, height = window.bottom - window.top;
    HDC dc = GetWindowDC(dialog);
    // The last pixels of the frame on each side, half-way along it.
    seen.insideLeft = GetPixel(dc, seen.left - 1, height / 2);
    seen.insideRight = GetPixel(dc, width - seen.right, height / 2);
    seen.insideBottom = GetPixel(dc, width / 2, height - seen.bottom);
    ReleaseDC(dialog, dc);
    return seen;
}

// The window the step is run in when it is active, tried again from each
// modal loop until then (a minute at most).
void WhenActive(std::function<bool(HWND)> isIt, std::function<void(HWND)> step, int triesLeft = 6000) {
    WhenModal([isIt, step, triesLeft] {
        HWND active = GetActiveWindow();
        if (active && isIt(active))
            step(active);
        else if (triesLeft > 0) {
            Sleep(10);
            WhenActive(isIt, step, triesLeft - 1);
        }
    });
}

TFileDialog SaveDialog() {
    return TFileDialog(TFileDialog::Kind::Save, "Save As...", "Text Files  (*.txt)|*.txt|all file|*.*", "txt",
                       "Engine.txt", OFN_OVERWRITEPROMPT | OFN_NONETWORKBUTTON | OFN_ENABLESIZING);
}

} // namespace

// The Save dialog may be resized, so the window system gives it the sizing
// frame; the skin draws all of it, as it opens and after a resize, and
// leaves no unpainted (black) line inside it.
TEST_F(SystemDialogs, AResizableFileDialogsSkinnedFrameIsItsSizingFrame) {
    TFileDialog save = SaveDialog();
    SeenFrame opened, resized;
    WhenModal([&] {
        HWND dialog = FindWindowA("#32770", "Save As...");
        if (!dialog)
            return;
        opened = LookAtFrame(dialog);
        RECT r{};
        GetWindowRect(dialog, &r);
        SetWindowPos(dialog, nullptr, 0, 0, r.right - r.left + 80, r.bottom - r.top + 60,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        resized = LookAtFrame(dialog);
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(save.Execute(nullptr)) << "cancelled";
    for (const auto& [when, seen] : {std::pair{"opened", opened}, std::pair{"resized", resized}}) {
        EXPECT_EQ(seen.left, GetSystemMetrics(SM_CXFRAME)) << when << ": the sizing frame";
        EXPECT_EQ(seen.skinnedWidth, seen.left) << when;
        EXPECT_EQ(seen.skinnedWidth, seen.right) << when;
        EXPECT_EQ(seen.skinnedHeight, seen.bottom) << when;
        EXPECT_NE(seen.insideLeft, RGB(0, 0, 0)) << when;
        EXPECT_NE(seen.insideRight, RGB(0, 0, 0)) << when;
        EXPECT_NE(seen.insideBottom, RGB(0, 0, 0)) << when;
    }
}

// Naming a file that exists makes the Save dialog ask, in a message box of
// its own, whether to replace it. The box is skinned like every message box:
// its frame and caption bar are the skin's, and so are its text and buttons.
TEST_F(SystemDialogs, TheSaveDialogsOverwriteQuestionIsSkinned) {
    TempFolder folder;
    folder.Write("Engine.txt", "an older report\r\n");
    TFileDialog save = SaveDialog();
    HWND dialog = nullptr;
    bool asked = false, framed = false, buttonsSkinned = true, textSkinned = false;
    WhenActive([](HWND window) { return IsWindowVisible(window) != FALSE; },
               [&](HWND shown) {
                   dialog = shown;
                   const std::string file = folder.File("Engine.txt");
                   if (!SetDlgItemTextA(dialog, 0x47C, file.c_str())) // the file name box
                       SetDlgItemTextA(dialog, 0x480, file.c_str());
                   PostMessageA(dialog, WM_COMMAND, IDOK, 0);
                   WhenActive([&](HWND window) { return GetWindow(window, GW_OWNER) == dialog; },
                              [&](HWND box) {
                                  asked = true;
                                  auto* adapter = dynamic_cast<TqzDialogWnd*>(TqzMainWnd::Of(box));
                                  framed = adapter && adapter->Frame() && adapter->Frame()->Attached();
                                  for (HWND child = GetWindow(box, GW_CHILD); child;
                                       child = GetWindow(child, GW_HWNDNEXT)) {
                                      char name[32] = {}, text[256] = {};
                                      GetClassNameA(child, name, sizeof name);
                                      GetWindowTextA(child, text, sizeof text);
                                      if (lstrcmpiA(name, "Button") == 0)
                                          buttonsSkinned = buttonsSkinned && TqzMainWnd::Of(child) != nullptr;
                                      if (std::string(text).find("already exists") != std::string::npos)
                                          textSkinned = TqzMainWnd::Of(child) != nullptr;
                                  }
                                  PostMessageA(box, WM_COMMAND, IDNO, 0); // keep the old file
                                  WhenActive(
                                      [&](HWND window) { return window == dialog; },
                                      [](HWND again) { PostMessageA(again, WM_COMMAND, IDCANCEL, 0); });
                              });
               });
    EXPECT_FALSE(save.Execute(nullptr)) << "answered No, then cancelled";
    EXPECT_TRUE(asked) << "the dialog asked before replacing the file";
    EXPECT_TRUE(framed) << "the question's box has the skin's frame";
    EXPECT_TRUE(buttonsSkinned);
    EXPECT_TRUE(textSkinned);
    EXPECT_EQ(folder.Read("Engine.txt"), "an older report\r\n");
}
