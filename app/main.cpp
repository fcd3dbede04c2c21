// Kestova: the versions of the runtime engines on this machine, in one report.
#include "About.h"
#include "Application.h"
#include "FrmMain.h"
#include "kestova/Version.h"
#include "sysinfo/win/Vexor_Bindings.h"
#include "skin/sSkinProvider.h"
#include "skin/sSkinableMenus.h"
#include "skin/win/sBitBtnWin.h"
#include "skin/win/sDialogWnd.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <windows.h>
#include <commctrl.h>

#include <exception>

namespace {

int RunKestova() {
    // The optional system libraries are bound and the host platform is known
    // before any window or component exists.
    InitLibraryBindings();
    InitHostPlatform();

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    Application().SetTitle("Kestova " KESTOVA_VERSION_TEXT);

    // Forms without a frame component of their own (the About box) get one
    // from the skin's window hook when they are first activated.
    InstallFormFrameFactory();
    InstallDialogAdapterFactory();
    // Pop-up menu windows are made known to the menu painter by the same hook.
    InstallMenuAdapterFactory();
    TForm1 form;
    form.SetMainForm(true);
    Application().Run([&form] { form.CreateForm(); });
    if (!form.Handle())
        return 1;
    TAboutBox aboutBox; // made hidden now, shown by About...
    Application().Run([&aboutBox, &form] { aboutBox.CreateForm(form.Handle()); });
    form.Show();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The default and cancel buttons take Enter and Escape before the
        // platform's dialog keys move the focus.
        if (HandleButtonKeys(message) || form.TranslateShortcut(message))
            continue;
        HWND main = form.Handle();
        if (main && IsDialogMessageA(main, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    Application().Run(DoneLibraryBindings);
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Whatever escapes the start-up or the message loop is shown in the error
    // box before the program ends; nothing ends it silently.
    try {
        return RunKestova();
    } catch (const std::exception& error) {
        Application().ShowException(error.what());
    } catch (...) {
        Application().ShowException("Kestova stopped on an error it cannot name");
    }
    return 1;
}
