// What the program does before its main window exists, done once for the
// Windows tests.
#include "app/Application.h"
#include "sysinfo/win/Vexor_Bindings.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

namespace {

class StartUp : public ::testing::Environment {
public:
    void SetUp() override {
        InitLibraryBindings();
        InitHostPlatform();
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
        InitCommonControlsEx(&controls);
        Application().SetTitle("Kestova 1.0");
    }
    void TearDown() override { DoneLibraryBindings(); }
};

[[maybe_unused]] ::testing::Environment* const g_startUp = ::testing::AddGlobalTestEnvironment(new StartUp);

} // namespace
