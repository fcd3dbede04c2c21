// What each step of the main window's start costs, cold, in the order
// kestova.exe takes them: library bindings and platform detection, the
// common controls, the form with its components and skin manager, the window
// with its first report (each component's refresh listed on its own), the
// About box, showing. Then each component refreshed once more, warm.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/window_steps.exe
#ifdef _WIN32
#include "BenchClock.h"
#include "app/About.h"
#include "app/FrmMain.h"
#include "app/FrmMainSkin.h"
#include "sysinfo/win/Dask_Common.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Dask_OS.h"
#include "sysinfo/win/Vexor_Bindings.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>

namespace {

void Print(const std::string& step, double seconds, int depth = 0) {
    std::printf("%*s%-*s %8.1f ms\n", 2 * depth, "", 40 - 2 * depth, step.c_str(), 1000 * seconds);
}

// A component's name with its owners', as "Eg1.DirectX".
std::string PathOf(const TComponent& component) {
    std::string path = component.Name();
    for (const TComponent* owner = component.Owner();
         owner && dynamic_cast<const TVexor_Nolt_Component*>(owner); owner = owner->Owner())
        path = owner->Name() + "." + path;
    return path;
}

} // namespace

int main() {
    const double start = Now();
    Print("bindings and host platform", Seconds([] {
              InitLibraryBindings();
              InitHostPlatform();
          }));
    Print("common controls", Seconds([] {
              INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
              InitCommonControlsEx(&controls);
          }));
    Print("a skin manager with the internal skin (alone)", Seconds([] {
              TComponent owner(nullptr);
              CreateSkinManager1(&owner);
          }));
    TForm1* form = nullptr;
    Print("form: components and skin manager", Seconds([&form] { form = new TForm1; }));
    SetRefreshTimer([](const TVexor_Nolt_Component& component, double milliseconds) {
        Print("refresh " + PathOf(component), milliseconds / 1000, 1);
    });
    Print("window, controls and first report", Seconds([form] { form->CreateForm(); }));
    TAboutBox aboutBox;
    Print("About box", Seconds([&aboutBox, form] { aboutBox.CreateForm(form->Handle()); }));
    Print("show", Seconds([form] { form->Show(); }));
    Print("total", Now() - start);
    std::printf("second report, warm, component by component:\n");
    RefreshTimed(*form->Eg1);
    RefreshTimed(*form->OS1);
    RefreshTimed(*form->Machine1);
    SetRefreshTimer(nullptr);
    delete form;
    return 0;
}
#else
int main() {
    return 0;
}
#endif
