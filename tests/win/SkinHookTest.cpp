// The skin reaching real windows: a new skin delivered through window
// messages, and the default manager's window hook deciding which windows it
// skins (forms, message boxes, system dialogs, pop-up menus).
#include "app/FrmMainSkin.h"
#include "skin/sCommonData.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "skin/win/sSkinHook.h"

#include "tests/fixtures/ModalStep.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_log;

class TForm : public TCustomForm {
public:
    TForm(std::string className, int tag) : TCustomForm(nullptr), className_(std::move(className)) {
        SetTag(tag);
        SetVisible(false);
        SetBounds({20, 20, 240, 160});
        TCreateParams params;
        params.Caption = className_;
        params.Style = WS_OVERLAPPEDWINDOW;
        CreateHandle(params);
    }
    ~TForm() override { DestroyHandle(); }
    std::string ClassName() const override { return className_; }
    HWND Window() const { return static_cast<HWND>(Handle()); }

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND && CommandOf(wParam) == scNewSkin)
            g_log.push_back(Name());
        return TCustomForm::WndProc(message, wParam, lParam);
    }

private:
    std::string className_;
};

// A windowed control over a static window, with or without a skin state.
class TChild : public TWinControl {
public:
    TChild(TWinControl* parent, const std::string& name, bool skinned)
        : TWinControl(nullptr), skinned_(skinned), SkinData(this, true) {
        SetName(name);
        SetParent(parent);
        SetBounds({0, 0, 50, 20});
        TCreateParams params;
        params.WindowClass = "STATIC";
        params.Style = WS_CHILD;
        CreateHandle(params);
        SkinData.SetSkinSection("PANEL");
    }
    bool skinned_;
    TsCommonData SkinData;

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND) {
            if (CommandOf(wParam) == scNewSkin)
                g_log.push_back(Name());
            if (skinned_) {
                bool handled = false;
                const TMessageResult result = SkinData.HandleCommand(wParam, lParam, handled);
                if (CommandOf(wParam) == scNewSkin)
                    DeliverToChildren(*this, message, wParam, lParam);
                if (handled)
                    return result;
            }
        }
        return TWinControl::WndProc(message, wParam, lParam);
    }
};

class TLabel : public TGraphicControl {
public:
    TLabel(TWinControl* parent, const std::string& name) : TGraphicControl(nullptr) {
        SetName(name);
        SetParent(parent);
    }
    std::string ClassName() const override { return "TLabel"; }
    void Paint(void*) override {}

protected:
    TMessageResult WndProc(unsigned message, TWParam wParam, TLParam lParam) override {
        if (message == SM_SKINCOMMAND && CommandOf(wParam) == scNewSkin)
            g_log.push_back(Name());
        return TGraphicControl::WndProc(message, wParam, lParam);
    }
};

class TDummyAdapter : public TsWindowAdapter {};

class SkinHookTest : public ::testing::Test {
protected:
    void SetUp() override {
        manager.reset(CreateSkinManager1(nullptr));
        ASSERT_TRUE(manager->IsDefault());
        ASSERT_TRUE(SkinWindowHook()->Installed());
        ClearHookAttachments();
    }
    void TearDown() override {
        HookFactories() = TsHookFactories{};
        manager.reset();
        EXPECT_FALSE(SkinWindowHook()->Installed());
        EXPECT_EQ(HookAdapterCount(), 0u);
    }
    std::vector<TsHookAttachment> For(HWND window) const {
        std::vector<TsHookAttachment> found;
        for (const TsHookAttachment& a : HookAttachments())
            if (a.Window == window)
                found.push_back(a);
        return found;
    }
    std::unique_ptr<TsSkinManager> manager;
};

} // namespace

TEST_F(SkinHookTest, ANewSkinReachesRealWindowsInOrder) {
    TForm form("TDeliveryForm", 0);
    form.SetName("Form");
    TLabel label(&form, "Label");
    TChild skinned(&form, "Skinned", true);
    TLabel inSkinned(&skinned, "InSkinned");
    TChild plain(&form, "Plain", false);
    TLabel grandchild(&plain, "Grandchild");
    g_log.clear();
    manager->UpdateSkin(false);
    const std::vector<std::string> expected = {"Form", "Label", "Skinned", "InSkinned", "Grandchild"};
    EXPECT_EQ(g_log, expected);
    // The skinned child took the new skin and answers through its window.
    HWND window = static_cast<HWND>(skinned.Handle());
    EXPECT_EQ(SendMessageA(window, SM_SKINCOMMAND, SkinCommand(scGetSectionIndex), 0),
              manager->FindSection("PANEL") + 1);
    EXPECT_EQ(SendMessageA(window, SM_SKINCOMMAND, SkinCommand(scIsSkinned), 0), 1);
    EXPECT_EQ(SendMessageA(static_cast<HWND>(plain.Handle()), SM_SKINCOMMAND, SkinCommand(scIsSkinned), 0),
              0);
}

TEST_F(SkinHookTest, FormsAreGivenAFrameUnlessTaggedMinus98AndMessageBoxesWithStdDialogs) {
    int made = 0;
    HookFactories().MakeFormFrame = [&made](TCustomForm&, TsSkinManager&) {
        ++made;
        return nullptr; // the frame component is not made here
    };
    const struct {
        const char* className;
        int tag;
        unsigned rules;
        bool framed;
    } rows[] = {
        {"TAboutBox", 0, srStdForms | srStdDialogs, true},
        {"TAboutBox", -98, srStdForms | srStdDialogs, false},
        {"TAboutBox", 0, srStdDialogs, false},
        {"TMessageForm", -98, srStdDialogs, true},
        {"TMessageForm", 0, srStdForms, false},
    };
    for (const auto& row : rows) {
        manager->SkinningRules = row.rules;
        ClearHookAttachments();
        TForm form(row.className, row.tag);
        ShowWindow(form.Window(), SW_SHOWNORMAL);
        SetActiveWindow(form.Window());
        const std::vector<TsHookAttachment> seen = For(form.Window());
        ASSERT_EQ(seen.size(), row.framed ? 1u : 0u) << row.className << " " << row.tag;
        if (row.framed) {
            EXPECT_EQ(seen[0].Decision, TsHookDecision::FormFrame);
        }
        // Activated again: decided once.
        ShowWindow(form.Window(), SW_HIDE);
        ShowWindow(form.Window(), SW_SHOWNORMAL);
        EXPECT_EQ(For(form.Window()).size(), seen.size());
    }
    EXPECT_EQ(made, 2);
}

TEST_F(SkinHookTest, AMessageBoxGetsADialogAdapterReleasedWithItsWindow) {
    HookFactories().MakeDialogAdapter = [](HWND, TsSkinManager&, const std::string& section) {
        EXPECT_EQ(section, "DIALOG");
        return std::make_unique<TDummyAdapter>();
    };
    for (const unsigned rules : {unsigned(srStdForms | srStdDialogs), unsigned(srStdForms)}) {
        manager->SkinningRules = rules;
        ClearHookAttachments();
        HWND box = nullptr;
        size_t adapters = 0;
        std::vector<TsHookAttachment> seen;
        WhenModal([&] {
            box = FindWindowA("#32770", "Hooked");
            adapters = HookAdapterCount();
            seen = For(box);
            if (box)
                PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        MessageBoxA(nullptr, "A message", "Hooked", MB_OK);
        ASSERT_NE(box, nullptr);
        if (rules & srStdDialogs) {
            ASSERT_EQ(seen.size(), 1u);
            EXPECT_EQ(seen[0].Decision, TsHookDecision::DialogAdapter);
            EXPECT_EQ(seen[0].WindowClass, "#32770");
            EXPECT_TRUE(seen[0].Made);
            EXPECT_EQ(adapters, 1u);
        } else {
            EXPECT_TRUE(seen.empty());
            EXPECT_EQ(adapters, 0u);
        }
        EXPECT_EQ(HookAdapterCount(), 0u);      // released when the box went
        EXPECT_TRUE(HookAttachments().empty()); // and so is its record
    }
}

TEST_F(SkinHookTest, APopupMenuIsHandedToTheMenuAdapter) {
    int made = 0;
    HookFactories().MakeMenuAdapter = [&made](HWND, TsSkinManager&, const std::string& section) {
        EXPECT_EQ(section, "MAINMENU");
        ++made;
        return std::make_unique<TDummyAdapter>();
    };
    TForm form("TMenuOwner", -98);
    ShowWindow(form.Window(), SW_SHOWNORMAL);
    HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, 1, "Copy Item");
    bool sawMenu = false;
    WhenModal([&sawMenu] {
        for (const TsHookAttachment& a : HookAttachments())
            sawMenu = sawMenu || (a.Menu && a.WindowClass == "#32768" && a.Made && IsWindow(a.Window));
        EndMenu();
    });
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, 30, 30, 0, form.Window(), nullptr);
    DestroyMenu(menu);
    EXPECT_TRUE(sawMenu);
    EXPECT_GE(made, 1);
}

// The hook keeps a record for a window only while the window exists: a
// program that opens pop-up menus and message boxes all day holds none of
// them once they have closed, and a form's record goes with the form.
TEST_F(SkinHookTest, RecordsGoWithTheirWindows) {
    HookFactories().MakeMenuAdapter = [](HWND, TsSkinManager&, const std::string&) {
        return std::make_unique<TDummyAdapter>();
    };
    HookFactories().MakeDialogAdapter = [](HWND, TsSkinManager&, const std::string&) {
        return std::make_unique<TDummyAdapter>();
    };
    HookFactories().MakeFormFrame = [](TCustomForm&, TsSkinManager&) { return nullptr; };
    manager->SkinningRules = srStdForms | srStdDialogs;
    TForm owner("TMenuOwner", -98);
    ShowWindow(owner.Window(), SW_SHOWNORMAL);
    for (int round = 0; round < 5; ++round) {
        size_t whileOpen = 0;
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "Copy Item");
        WhenModal([&whileOpen] {
            whileOpen = HookAttachments().size();
            EndMenu();
        });
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, 30, 30, 0, owner.Window(), nullptr);
        DestroyMenu(menu);
        EXPECT_GE(whileOpen, 1u) << "round " << round << ": the open menu is recorded";
        EXPECT_EQ(HookAttachments().size(), 0u) << "round " << round << " after the menu";

        whileOpen = 0;
        WhenModal([&whileOpen] {
            HWND box = FindWindowA("#32770", "Hooked");
            whileOpen = HookAttachments().size();
            if (box)
                PostMessageA(box, WM_COMMAND, IDOK, 0);
        });
        MessageBoxA(nullptr, "A message", "Hooked", MB_OK);
        EXPECT_GE(whileOpen, 1u) << "round " << round << ": the open box is recorded";
        EXPECT_EQ(HookAttachments().size(), 0u) << "round " << round << " after the box";

        {
            TForm form("TAboutBox", 0);
            ShowWindow(form.Window(), SW_SHOWNORMAL);
            SetActiveWindow(form.Window());
            EXPECT_EQ(For(form.Window()).size(), 1u) << "round " << round;
        }
        EXPECT_EQ(HookAttachments().size(), 0u) << "round " << round << " after the form";
        EXPECT_EQ(HookAdapterCount(), 0u) << "round " << round;
    }
}
