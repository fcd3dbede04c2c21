// What the NT sub-component's Updates walk costs over 2,000 fixture updates
// (product, service pack, update keys with their four values), against
// opening and closing the same 2,000 update keys by their full paths, in the
// same run; prints both medians and their ratio.
//
// Usage (the win64 build, in a throwaway prefix: it writes
// HKLM\SOFTWARE\Microsoft\Updates\Kestova Bench and removes it again):
//   tests/wine/emulator build/<dir>/wineprefix build/<dir>/bench/nt_updates.exe [runs]
#include "BenchClock.h"
#include "BenchRegistry.h"
#include "sysinfo/win/Dask_OS_NT_Updates.h"

#include "base/win/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kBench[] = "SOFTWARE\\Microsoft\\Updates\\Kestova Bench";
constexpr int kPacks = 4;
constexpr int kUpdatesPerPack = 500;

void SetText(HKEY key, const char* name, const std::string& value) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

std::vector<std::string> WriteFixture() {
    std::vector<std::string> paths;
    for (int pack = 0; pack < kPacks; ++pack) {
        for (int update = 0; update < kUpdatesPerPack; ++update) {
            const std::string path = std::string(kBench) + "\\SP" + std::to_string(pack + 1) + "\\KB" +
                                     std::to_string(900000 + pack * kUpdatesPerPack + update);
            UniqueRegKey key;
            if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | kBenchView,
                                nullptr, key.Put(), nullptr) != ERROR_SUCCESS) {
                std::fprintf(stderr, "cannot write %s\n", path.c_str());
                std::exit(1);
            }
            SetText(key.Get(), "Description",
                    "Security Update for Windows XP (KB" + path.substr(path.size() - 6) + ")");
            SetText(key.Get(), "InstalledDate", "6/5/2008");
            SetText(key.Get(), "InstalledBy", "Administrator");
            SetText(key.Get(), "Type", "Update");
            paths.push_back(path);
        }
    }
    return paths;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::vector<std::string> paths = WriteFixture();

    size_t found = 0;
    const double walk = Median(runs, [&] {
        TUpdates updates;
        ReadUpdatesKey(KEY_READ, updates);
        found = updates.size();
    });
    const double bare = Median(runs, [&] {
        for (const std::string& path : paths) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | kBenchView, &key) ==
                ERROR_SUCCESS)
                RegCloseKey(key);
        }
    });
    DeleteBenchTree(HKEY_LOCAL_MACHINE, kBench);

    std::printf("updates found         %zu\n", found);
    std::printf("update walk           %8.2f ms (median of %d)\n", walk, runs);
    std::printf("bare key openings     %8.2f ms (%zu keys opened and closed)\n", bare, paths.size());
    std::printf("ratio walk / bare     %8.2f\n", walk / bare);
    return 0;
}
