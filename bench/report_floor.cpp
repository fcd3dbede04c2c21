// The floor of a full gathering (FloorCalls.h) made in a bare process of its
// own (this program started again with --raw), timed against whole
// kestova-report --json processes in the same run, the three alternating,
// and against the bare start of the report program (--version).
// Prints the median of each and the ratios.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/report_floor.exe [runs]
// (kestova-report.exe is taken from the build's cli/ folder.)
#ifdef _WIN32
#include "BenchClock.h"
#include "BenchProcess.h"
#include "FloorCalls.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string ThisProgram() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "--raw") == 0) {
        floor_calls::Floor();
        return 0;
    }
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const std::string floorRun = "\"" + ThisProgram() + "\" --raw";
    const std::string report = "\"" + ReportExe() + "\" --json";
    const std::string start = "\"" + ReportExe() + "\" --version";
    // The first of each loads what later ones share.
    const floor_calls::TFound found = floor_calls::Floor();
    RunSeconds(floorRun);
    RunSeconds(report);
    std::vector<double> floor, json, bare;
    for (int i = 0; i < runs; ++i) {
        floor.push_back(RunSeconds(floorRun));
        json.push_back(RunSeconds(report));
        bare.push_back(RunSeconds(start));
        if (floor.back() < 0 || json.back() < 0 || bare.back() < 0) {
            std::fprintf(stderr, "report_floor: a run failed (is %s built?)\n", ReportExe().c_str());
            return 1;
        }
    }
    const double floorMs = 1000 * MedianOf(floor), jsonMs = 1000 * MedianOf(json),
                 bareMs = 1000 * MedianOf(bare);
    std::printf("raw calls: %zu keys, %zu values, %zu folders, %zu version resources, %zu firmware bytes\n",
                found.Keys, found.Values, found.Folders, found.Versions, found.Bytes);
    std::printf("floor (bare process, raw calls) median of %d: %8.1f ms\n", runs, floorMs);
    std::printf("kestova-report --version        median of %d: %8.1f ms (its process start)\n", runs, bareMs);
    std::printf("kestova-report --json           median of %d: %8.1f ms\n", runs, jsonMs);
    std::printf("ratio --json / floor            %.2f (goal: under 1.3)\n", jsonMs / floorMs);
    return 0;
}
#else
#include <cstdio>
int main() {
    std::puts("report_floor: a Windows benchmark; run the win32 or win64 build under Wine");
    return 0;
}
#endif
