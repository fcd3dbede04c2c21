// Loading the internal skin (unpacking the archive and building the masks,
// patterns and sections) against inflating the same archive's entries alone,
// both timed in the same run.
// Run: tests/wine/emulator <prefix> build/<preset>/bench/skin_load.exe <zur.qtz> [iterations]
//      (the archive the build packed: build/<preset>/skins/zur/zur.qtz)
#ifdef _WIN32
#include "BenchClock.h"
#include "skin/qzSkinPack.h"
#include "skin/sPlatform.h"
#include "skin/sSkinManager.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: skin_load <zur.qtz> [iterations]\n");
        return 2;
    }
    const int iterations = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;
    auto bytes = DefaultSkinPlatform().ReadWholeFile(argv[1]);
    if (!bytes) {
        std::fprintf(stderr, "skin_load: cannot read %s\n", argv[1]);
        return 1;
    }
    TsSkinManager manager(nullptr);
    TsStoredSkin stored;
    stored.Name = "ZUR (internal)";
    stored.Data = TMemoryStream(*bytes);
    manager.InternalSkins().push_back(std::move(stored));
    manager.SetSkinDirectory("C:\\No Such Folder");
    TMemoryStream& data = manager.InternalSkins()[0].Data;

    size_t sections = 0;
    const double load = Best(5, [&] {
        for (int i = 0; i < iterations; ++i) {
            manager.SetSkinName("ZUR (internal)");
            sections += manager.gd.size();
        }
    });
    size_t inflated = 0;
    const double inflate = Best(5, [&] {
        for (int i = 0; i < iterations; ++i) {
            TqzSkinConvertor reader;
            reader.LoadFromStream(data);
            inflated += reader.OptionsText ? reader.OptionsText->Size() : 0;
        }
    });
    std::printf("archive: %zu bytes, %zu sections, %zu masks, %zu patterns\n", bytes->size(),
                manager.gd.size(), manager.ma.size(), manager.pa.size());
    std::printf("load the internal skin: %.1f us per load (best of 5 x %d)\n", load * 1e6 / iterations,
                iterations);
    std::printf("inflate the archive alone: %.1f us per archive\n", inflate * 1e6 / iterations);
    std::printf("ratio load / inflate: %.2f\n", load / inflate);
    return sections && inflated ? 0 : 1;
}
#else
int main() {
    return 0;
}
#endif
