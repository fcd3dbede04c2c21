#include "app/Application.h"
#include "base/Exception.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace {

struct SeenBox {
    std::string text;
    bool hasIcon = false;
    bool found = false;
};

// Waits for the error box on another thread, reads it and presses OK.
SeenBox AnswerErrorBox() {
    SeenBox seen;
    for (int attempt = 0; attempt < 200 && !seen.found; ++attempt) {
        HWND box = FindWindowA("#32770", "Kestova 1.0");
        if (!box) {
            Sleep(50);
            continue;
        }
        char text[512] = {};
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        seen.text = text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char cls[32] = {};
            GetClassNameA(child, cls, sizeof cls);
            if (lstrcmpiA(cls, "Static") == 0 && (GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
                seen.hasIcon = true;
        }
        seen.found = true;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return seen;
}

TEST(ErrorBox, AnEscapingErrorIsShownCaptionedByTheTitleAndTheProgramGoesOn) {
    ASSERT_EQ(Application().Title(), "Kestova 1.0");
    SeenBox seen;
    std::thread answer([&seen] { seen = AnswerErrorBox(); });
    bool after = false;
    Application().Run([] { throw Exception("Cannot open clipboard"); });
    after = true;
    answer.join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.text, "Cannot open clipboard.");
    EXPECT_TRUE(seen.hasIcon);
    EXPECT_TRUE(after);
}

} // namespace
