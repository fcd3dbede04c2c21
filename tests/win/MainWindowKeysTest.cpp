// The main window from the keyboard: its shortcuts, the report list's
// pop-up menu opened by the Menu key or Shift+F10, and the list's focus.
#include "app/Application.h"
#include "report/ReportFile.h"
#include "app/FrmMain.h"
#include "tests/fixtures/ModalStep.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

// The keyboard as the thread sees it, with Ctrl held or not; put back after.
class HeldControl {
public:
    explicit HeldControl(bool held) {
        GetKeyboardState(saved_);
        BYTE keys[256];
        std::memcpy(keys, saved_, sizeof keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = held ? 0x80 : 0;
        SetKeyboardState(keys);
    }
    ~HeldControl() { SetKeyboardState(saved_); }
    HeldControl(const HeldControl&) = delete;
    HeldControl& operator=(const HeldControl&) = delete;

private:
    BYTE saved_[256];
};

std::string ClipboardNow() {
    std::string text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
            text.assign(bytes, strnlen(bytes, GlobalSize(data)));
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void EmptyTheClipboard() {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

class MainWindowKeys : public ::testing::Test {
protected:
    void SetUp() override {
        Application().SetErrorSink([](const std::string&, const std::string&) {});
        form.CreateForm();
        form.Show();
    }
    void TearDown() override { Application().SetErrorSink(nullptr); }
    HWND List() const { return form.Control("ListView1"); }
    int Rows() const { return static_cast<int>(SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0)); }
    // A key pressed in the report list, as the message loop hands it over.
    bool Press(WORD key, bool control) {
        HeldControl keyboard(control);
        MSG message{List(), WM_KEYDOWN, key, 1, GetTickCount(), {}};
        return form.TranslateShortcut(message);
    }

    TForm1 form;
};

} // namespace

TEST_F(MainWindowKeys, ShortcutsDoWhatTheirButtonsAndTheMenuDo) {
    std::string dialogSeen;
    // Whatever dialog a shortcut opens is noted and cancelled.
    auto noteDialog = [&dialogSeen] {
        WhenModal([&dialogSeen] {
            HWND dialog = GetActiveWindow();
            char title[64] = {};
            GetWindowTextA(dialog, title, sizeof title);
            dialogSeen = title;
            PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        });
    };
    const struct {
        const char* keys;
        WORD key;
        bool control;
        std::function<void()> before;
        std::function<void()> check;
    } cases[] = {
        {"F5", VK_F5, false, [&] { form.ListView1().Clear(); },
         [&] {
             EXPECT_EQ(Rows(), static_cast<int>(form.ListView1().Rows().size())) << "F5";
             EXPECT_GT(Rows(), 16) << "F5 makes the report again";
         }},
        {"Ctrl+S", 'S', true, noteDialog, [&] { EXPECT_EQ(dialogSeen, "Save As...") << "Ctrl+S"; }},
        {"Ctrl+O", 'O', true, noteDialog, [&] { EXPECT_EQ(dialogSeen, "Open Report") << "Ctrl+O"; }},
        {"Ctrl+C", 'C', true,
         [&] {
             EmptyTheClipboard();
             ListView_SetItemState(List(), 4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
         },
         [&] {
             const int selected[] = {4};
             EXPECT_EQ(ClipboardNow(), ClipboardText(form.ListView1().Rows(), selected)) << "Ctrl+C";
         }},
    };
    for (const auto& c : cases) {
        dialogSeen.clear();
        c.before();
        EXPECT_TRUE(Press(c.key, c.control)) << c.keys;
        c.check();
    }
    // The same letters without Ctrl are the list's own (typing finds a row).
    for (const WORD letter : {'S', 'O', 'C'})
        EXPECT_FALSE(Press(letter, false)) << char(letter);
}

// The Menu key and Shift+F10 make the list send a context menu request from
// the keyboard (no position); the menu opens at the row the keyboard is on.
TEST_F(MainWindowKeys, KeyboardPopupOpensAtTheSelectedRowOrWhereTheFocusIs) {
    RECT list{};
    GetClientRect(List(), &list);
    RECT header{};
    GetWindowRect(ListView_GetHeader(List()), &header);
    const struct {
        const char* what;
        int selected, focused; // -1: none
        bool empty;
        int expectedRow; // -1: just under the header
    } cases[] = {
        {"row 10 selected", 10, 10, false, 10},
        {"row 3 selected, the focus elsewhere", 3, 7, false, 3},
        {"no selection, the focus on row 6", -1, 6, false, 6},
        {"an empty list", -1, -1, true, -1},
    };
    for (const auto& c : cases) {
        if (c.empty)
            form.ListView1().Clear();
        ListView_SetItemState(List(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
        if (c.focused >= 0)
            ListView_SetItemState(List(), c.focused, LVIS_FOCUSED, LVIS_FOCUSED);
        if (c.selected >= 0)
            ListView_SetItemState(List(), c.selected, LVIS_SELECTED, LVIS_SELECTED);
        RECT menu{};
        WhenModal([&menu] {
            if (HWND popup = FindWindowA("#32768", nullptr))
                GetWindowRect(popup, &menu);
            EndMenu();
        });
        SendMessageA(form.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()), -1);
        ASSERT_GT(menu.right, menu.left) << c.what << ": the menu opened";
        if (c.expectedRow >= 0) {
            RECT row{};
            ListView_GetItemRect(List(), c.expectedRow, &row, LVIR_BOUNDS);
            MapWindowPoints(List(), nullptr, reinterpret_cast<POINT*>(&row), 2);
            EXPECT_GE(menu.top, row.top) << c.what;
            EXPECT_LT(menu.top, row.bottom) << c.what;
            EXPECT_GE(menu.left, row.left) << c.what;
        } else {
            POINT corner{list.left, list.top};
            ClientToScreen(List(), &corner);
            EXPECT_EQ(menu.top, corner.y + (header.bottom - header.top)) << c.what << ": under the header";
            EXPECT_EQ(menu.left, corner.x) << c.what;
        }
    }
}

// The list has the focus when the window opens, and a refresh while it has
// the focus: either way one row shows the focus, and nothing is selected.
TEST_F(MainWindowKeys, AFocusedListShowsWhichRowTheKeyboardIsOn) {
    ASSERT_EQ(GetFocus(), List());
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_FOCUSED), 0) << "opened";
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), -1);
    Press(VK_F5, false);
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_FOCUSED), 0) << "refreshed";
    EXPECT_EQ(ListView_GetNextItem(List(), -1, LVNI_SELECTED), -1);
}
