// One whole `kestova-report --json` process, against the bare cost of
// starting a process (`cmd /c exit`), measured side by side in one run: the
// two alternate, so both see the same load on the machine. Prints the median
// of each and the ratio.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/report_process.exe [runs]
// (kestova-report.exe is taken from the build's cli/ folder.)
#ifdef _WIN32
#include "BenchClock.h"
#include "BenchProcess.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string report = "\"" + ReportExe() + "\" --json";
    std::vector<double> bare, json;
    RunSeconds("cmd /c exit"); // the first start of each loads what later ones share
    RunSeconds(report);
    for (int i = 0; i < runs; ++i) {
        bare.push_back(RunSeconds("cmd /c exit"));
        json.push_back(RunSeconds(report));
        if (bare.back() < 0 || json.back() < 0) {
            std::fprintf(stderr, "report_process: a run failed (is %s built?)\n", ReportExe().c_str());
            return 1;
        }
    }
    const double bareMedian = MedianOf(bare), jsonMedian = MedianOf(json);
    std::printf("cmd /c exit            median of %d: %8.1f ms\n", runs, 1000 * bareMedian);
    std::printf("kestova-report --json  median of %d: %8.1f ms\n", runs, 1000 * jsonMedian);
    std::printf("ratio                  %.2f (goal: under 3)\n", jsonMedian / bareMedian);
    return 0;
}
#else
#include <cstdio>
int main() {
    std::puts("report_process: a Windows benchmark; run the win32 or win64 build under Wine");
    return 0;
}
#endif
