// Eg1.Refresh on a registry holding many extra registered classes, against
// the floor of the same registry work done with bare calls: for every class
// identifier one RegOpenKeyExA of its ProgId key, one RegQueryValueExA of the
// default value and one RegCloseKey. Both are timed in the same run.
//
// Usage (the win64 build, in its test prefix):
//   tests/wine/emulator build/<dir>/wineprefix build/<dir>/bench/engines_refresh.exe [classes] [runs]
#include "BenchClock.h"
#include "BenchRegistry.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Vexor_Routines.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string BenchClassId(int n) {
    char id[64];
    std::snprintf(id, sizeof id, "{4B455354-4F56-4142-454E-%012d}", n);
    return id;
}

void SetDefault(const std::string& path, const std::string& text) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kBenchView, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        std::exit(1);
    }
    RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

std::vector<std::string> ClassIds() {
    std::vector<std::string> ids;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID", 0, KEY_READ | kBenchView, &key) != ERROR_SUCCESS)
        return ids;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        ids.emplace_back(name, length);
    }
    RegCloseKey(key);
    return ids;
}

// The bare registry work of the class scan, on the same identifiers.
size_t Floor(const std::vector<std::string>& ids) {
    size_t found = 0;
    for (const std::string& id : ids) {
        const std::string path = "CLSID\\" + id + "\\ProgId";
        HKEY key;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ | kBenchView, &key) != ERROR_SUCCESS)
            continue;
        char text[512];
        DWORD type, size = sizeof text;
        if (RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<BYTE*>(text), &size) == ERROR_SUCCESS)
            ++found;
        RegCloseKey(key);
    }
    return found;
}

} // namespace

int main(int argc, char** argv) {
    const int extra = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    InitHostPlatform();

    std::printf("registering %d extra classes...\n", extra);
    for (int n = 0; n < extra; ++n) {
        const std::string path = "CLSID\\" + BenchClassId(n);
        SetDefault(path + "\\ProgId", "Kestova.Bench." + std::to_string(n));
        SetDefault(path + "\\InprocServer32", "C:\\nowhere\\bench" + std::to_string(n) + ".dll");
    }
    const std::vector<std::string> ids = ClassIds();
    std::printf("HKEY_CLASSES_ROOT\\CLSID holds %zu classes\n", ids.size());

    TVexor_Engines Eg1(nullptr);
    Eg1.SetName("Eg1");
    Eg1.Refresh(); // warm both paths once
    Floor(ids);

    std::vector<double> refresh, floor;
    for (int run = 0; run < runs; ++run) {
        double start = Now();
        Eg1.Refresh();
        refresh.push_back(Now() - start);
        start = Now();
        Floor(ids);
        floor.push_back(Now() - start);
    }
    std::sort(refresh.begin(), refresh.end());
    std::sort(floor.begin(), floor.end());
    const double refreshMedian = refresh[refresh.size() / 2];
    const double floorMedian = floor[floor.size() / 2];
    std::printf("runs: %d (median, best)\n", runs);
    std::printf("Eg1.Refresh:             %8.1f ms  %8.1f ms\n", refreshMedian * 1000,
                refresh.front() * 1000);
    std::printf("floor (open/query/close): %8.1f ms  %8.1f ms\n", floorMedian * 1000, floor.front() * 1000);
    std::printf("ratio:                    %8.2f     %8.2f\n", refreshMedian / floorMedian,
                refresh.front() / floor.front());

    for (int n = 0; n < extra; ++n)
        DeleteBenchTree(HKEY_CLASSES_ROOT, "CLSID\\" + BenchClassId(n));
    return 0;
}
