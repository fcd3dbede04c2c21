// The default manager watches the application's main window for its pop-up
// menus, on the NT family only, and stops when it goes.
#include "app/FrmMainSkin.h"
#include "controls/Application.h"
#include "controls/Menus.h"
#include "skin/sPlatform.h"
#include "skin/sSkinManager.h"
#include "skin/sSkinableMenus.h"

#include "tests/fixtures/TestWindows.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

namespace {

// The system as it is, but of the Windows 9x family.
class TNinetyFivePlatform final : public TsSkinPlatform {
public:
    TNinetyFivePlatform() : real_(DefaultSkinPlatform()) { previous_ = SetSkinPlatform(this); }
    ~TNinetyFivePlatform() override { SetSkinPlatform(previous_); }
    void ShowWarning(const std::string& text, const std::string& caption) override {
        real_.ShowWarning(text, caption);
    }
    bool FileExists(const std::string& path) override { return real_.FileExists(path); }
    std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path) override {
        return real_.ReadWholeFile(path);
    }
    std::string ProgramFolder() override { return real_.ProgramFolder(); }
    uint32_t SysColor(int index) override { return real_.SysColor(index); }
    bool WindowsNT() override { return false; }

private:
    TsSkinPlatform& real_;
    TsSkinPlatform* previous_ = nullptr;
};

} // namespace

TEST(MainWindowHook, TheDefaultManagerHooksOnNtAndUnhooksWhenDestroyed) {
    ASSERT_EQ(DefaultManager(), nullptr);
    const size_t before = Application().MainWindowHookCount();
    {
        std::unique_ptr<TsSkinManager> first(CreateSkinManager1(nullptr));
        EXPECT_TRUE(first->HooksMainWindow());
        EXPECT_EQ(Application().MainWindowHookCount(), before + 1);
        std::unique_ptr<TsSkinManager> second(CreateSkinManager1(nullptr));
        EXPECT_FALSE(second->HooksMainWindow()) << "only the default manager";
        EXPECT_EQ(Application().MainWindowHookCount(), before + 1);
    }
    EXPECT_EQ(Application().MainWindowHookCount(), before);
    {
        TNinetyFivePlatform ninetyFive;
        std::unique_ptr<TsSkinManager> manager(CreateSkinManager1(nullptr));
        EXPECT_EQ(DefaultManager(), manager.get());
        EXPECT_FALSE(manager->HooksMainWindow()) << "not on Windows 9x";
        EXPECT_EQ(Application().MainWindowHookCount(), before);
    }
}

// A pop-up opening from the main window, or the menu mode ending there:
// the painter starts the next pop-up afresh, from a picture of its own
// window. Other forms' menus are theirs.
TEST(MainWindowHook, APopupOpeningFromTheMainWindowStartsTheNextPopupAfresh) {
    std::unique_ptr<TsSkinManager> manager(CreateSkinManager1(nullptr));
    ASSERT_TRUE(manager->HooksMainWindow());
    TTestForm mainForm("Main", 200), other("Other", 200);
    mainForm.SetMainForm(true);
    TPopupMenu menu(nullptr);
    TMenuItem* item = menu.Items().Add("Copy Item");
    TsSkinableMenus& painter = manager->SkinableMenus();
    auto draw = [&] {
        PaintedPicture(120, 20, [&](HDC dc) { painter.DrawItem(*item, dc, 0, {0, 0, 120, 20}); });
    };
    const struct {
        HWND window;
        UINT message;
        bool forgets;
    } rows[] = {
        {mainForm.Window(), WM_INITMENUPOPUP, true},
        {mainForm.Window(), WM_EXITMENULOOP, true},
        {mainForm.Window(), WM_MENUSELECT, false},
        {other.Window(), WM_INITMENUPOPUP, false},
    };
    for (const auto& row : rows) {
        draw();
        ASSERT_NE(painter.PopupPicture(), nullptr);
        SendMessageA(row.window, row.message, reinterpret_cast<WPARAM>(menu.Handle()), 0);
        EXPECT_EQ(painter.PopupPicture() == nullptr, row.forgets) << row.message;
    }
    manager.reset();
    SendMessageA(mainForm.Window(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu.Handle()), 0);
}
