// What the operating-system component's folder steps cost: OS1.Refresh as a
// whole, the 41-line user shell-folder table (every line looks the
// interactive user and its SID up again), the 49-line special-folder table,
// one interactive-user lookup on its own, and one device enumeration.
//
// Usage (the win64 build, in its test prefix):
//   tests/wine/emulator build/<dir>/wineprefix build/<dir>/bench/os_refresh.exe [runs]
#include "BenchClock.h"
#include "sysinfo/win/Dask_Devices.h"
#include "sysinfo/win/Dask_OS.h"
#include "sysinfo/win/Dask_OS_Folders.h"
#include "sysinfo/win/Vexor_Bindings.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    InitLibraryBindings();
    InitHostPlatform();
    GetDesktopWindow(); // the shell whose owner is the interactive user

    TVexor_OperatingSystem os(nullptr);
    const double refresh = Median(runs, [&] { os.Refresh(); });
    const double user = Median(runs, [] { GetInteractiveUser(); });
    const double userFolders = Median(runs, [] {
        TStringList folders;
        AddUserShellFolders(folders);
    });
    const double specialFolders = Median(runs, [] {
        TStringList folders;
        AddSpecialFolders(folders, GetDesktopWindow());
    });
    TVexor_Devices devices(nullptr);
    const double enumeration = Median(runs, [&] { devices.Refresh(); });

    std::printf("runs: %d (median ms)\n", runs);
    std::printf("OS1.Refresh (IsNT %d, %zu folder lines): %.2f\n", IsNT() ? 1 : 0, os.Folders().Count(),
                refresh);
    std::printf("GetInteractiveUser, once: %.3f\n", user);
    std::printf("user shell-folder table, %zu lines: %.2f\n", kUserShellFolderCount, userFolders);
    std::printf("special-folder table, %zu lines: %.2f\n", kSpecialFolderCount, specialFolders);
    std::printf("device enumeration, %d devices: %.2f\n", devices.DeviceCount(), enumeration);
    DoneLibraryBindings();
    return 0;
}
