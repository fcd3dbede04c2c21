// The main window on the control layer: each control is known by the class
// name and the place in the nesting that the form gives it.
#include "app/Application.h"
#include "app/FrmMain.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"

#include <gtest/gtest.h>

#include <windows.h>

TEST(FormControls, EachControlHasItsClassParentAndTabOrder) {
    Application().SetErrorSink([](const std::string&, const std::string&) {});
    {
        TForm1 form;
        form.CreateForm();
        ASSERT_TRUE(IsWindow(form.Handle()));
        EXPECT_EQ(form.ClassName(), "TForm1");
        char windowClass[32] = {};
        GetClassNameA(form.Handle(), windowClass, sizeof windowClass);
        EXPECT_STREQ(windowClass, "TForm1");
        bool listed = false;
        for (size_t i = 0; i < Application().FormCount(); ++i)
            listed = listed || Application().Forms(i) == &form;
        EXPECT_TRUE(listed);

        const struct {
            const char* name;
            const char* className;
            const char* parent;
            int tabOrder;
        } rows[] = {
            {"Panel1", "TPanel", "Form1", 0},
            {"ListView1", "TListView", "Panel1", 0},
            {"sStatusBar1", "TsStatusBar", "Panel1", 0},
            {"sBitBtn1", "TsBitBtn", "Form1", 1},
            {"sBitBtn2", "TsBitBtn", "Form1", 2},
            {"sBitBtn3", "TsBitBtn", "Form1", 3},
            {"sBitBtn4", "TsBitBtn", "Form1", 4},
            {"sBitBtn5", "TsBitBtn", "Form1", 5},
        };
        for (const auto& row : rows) {
            auto* control = dynamic_cast<TWinControl*>(form.FindComponent(row.name));
            ASSERT_NE(control, nullptr) << row.name;
            EXPECT_EQ(control->ClassName(), row.className) << row.name;
            ASSERT_NE(control->Parent(), nullptr) << row.name;
            EXPECT_EQ(control->Parent()->Name(), row.parent) << row.name;
            EXPECT_EQ(control->TabOrder(), row.tabOrder) << row.name;
            EXPECT_EQ(static_cast<HWND>(control->Handle()), form.Control(row.name)) << row.name;
            EXPECT_EQ(GetParent(form.Control(row.name)), static_cast<HWND>(control->Parent()->Handle()))
                << row.name;
        }
        // The form's skin manager is the default one and its window hook is in.
        EXPECT_TRUE(form.sSkinManager1->IsDefault());
        ASSERT_NE(SkinWindowHook(), nullptr);
        EXPECT_TRUE(SkinWindowHook()->Installed());
    }
    EXPECT_FALSE(SkinWindowHook()->Installed()); // gone with the form's manager
    Application().SetErrorSink(nullptr);
}
