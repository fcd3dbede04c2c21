// How long after its start the main window shows its report, against a bare
// window with the same controls and fixed rows (bare_window.exe), and against
// the same bare window after the raw system calls of a full gathering
// (bare_window.exe --floor), started alternately in one run so that all see
// the same load. A window counts as shown when a visible top-level window of
// the process holds a report list with at least one row. Prints the median
// of each and the ratios.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/window_startup.exe [runs]
// (kestova.exe is taken from the build's app/ folder.)
#ifdef _WIN32
#include "BenchClock.h"
#include "base/win/Handles.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string BuildFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\'));            // bench
    return folder.substr(0, folder.find_last_of('\\')); // the build
}

struct TSearch {
    DWORD ProcessId;
    HWND Window = nullptr;
};

BOOL CALLBACK FindListWithRows(HWND child, LPARAM found) {
    char name[32];
    DWORD_PTR count = 0;
    if (GetClassNameA(child, name, sizeof name) && lstrcmpiA(name, WC_LISTVIEWA) == 0 &&
        SendMessageTimeoutA(child, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count) && count > 0) {
        *reinterpret_cast<bool*>(found) = true;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindShownReport(HWND window, LPARAM searchAddress) {
    auto* search = reinterpret_cast<TSearch*>(searchAddress);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != search->ProcessId || !IsWindowVisible(window))
        return TRUE;
    bool found = false;
    EnumChildWindows(window, FindListWithRows, reinterpret_cast<LPARAM>(&found));
    if (!found)
        return TRUE;
    search->Window = window;
    return FALSE;
}

// Seconds from starting the program to its report showing; negative when it
// cannot be started or shows nothing within 30 seconds. The program is
// closed afterwards.
double ShowSeconds(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const double start = Now();
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    UniqueHandle processHandle(process.hProcess), thread(process.hThread);
    TSearch search{process.dwProcessId};
    double seconds = -1;
    while (Now() - start < 30) {
        EnumWindows(FindShownReport, reinterpret_cast<LPARAM>(&search));
        if (search.Window) {
            seconds = Now() - start;
            break;
        }
        if (WaitForSingleObject(processHandle.Get(), 1) == WAIT_OBJECT_0)
            break;
    }
    if (search.Window)
        PostMessageA(search.Window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(processHandle.Get(), 10000) != WAIT_OBJECT_0)
        TerminateProcess(processHandle.Get(), 1);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string build = BuildFolder();
    const std::string kestova = "\"" + build + "\\app\\kestova.exe\"";
    const std::string bare = "\"" + build + "\\bench\\bare_window.exe\"";
    const std::string floor = bare + " --floor";
    std::vector<double> bareTimes, floorTimes, kestovaTimes;
    ShowSeconds(bare); // the first start of each loads what later ones share
    ShowSeconds(floor);
    ShowSeconds(kestova);
    for (int i = 0; i < runs; ++i) {
        bareTimes.push_back(ShowSeconds(bare));
        floorTimes.push_back(ShowSeconds(floor));
        kestovaTimes.push_back(ShowSeconds(kestova));
        if (bareTimes.back() < 0 || floorTimes.back() < 0 || kestovaTimes.back() < 0) {
            std::fprintf(stderr, "window_startup: a window did not show (are %s and %s built?)\n",
                         kestova.c_str(), bare.c_str());
            return 1;
        }
    }
    const double bareMedian = MedianOf(bareTimes), floorMedian = MedianOf(floorTimes),
                 kestovaMedian = MedianOf(kestovaTimes);
    std::printf("bare window              median of %d: %8.1f ms\n", runs, 1000 * bareMedian);
    std::printf("bare window + floor      median of %d: %8.1f ms\n", runs, 1000 * floorMedian);
    std::printf("kestova.exe              median of %d: %8.1f ms\n", runs, 1000 * kestovaMedian);
    std::printf("ratio / bare window      %.2f\n", kestovaMedian / bareMedian);
    std::printf("ratio / (window + floor) %.2f (goal: under 1.3)\n", kestovaMedian / floorMedian);
    return 0;
}
#else
int main() {
    return 0;
}
#endif
