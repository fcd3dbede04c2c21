#pragma once
// The skin benchmarks' set-up: the archive the build packed offered to a
// manager as its stored skin "ZUR (internal)". Windows only, like the
// benchmarks themselves.
#include "skin/sGraphUtils.h"
#include "skin/sPlatform.h"
#include "skin/sSkinManager.h"

#include <cstdio>
#include <string>

inline constexpr char BenchSkinName[] = "ZUR (internal)";

// Reads the archive at path into manager as its stored skin (not yet named,
// so not yet loaded). On failure says so for program and gives false.
inline bool OfferArchiveSkin(TsSkinManager& manager, const char* path, const char* program) {
    auto bytes = DefaultSkinPlatform().ReadWholeFile(path);
    if (!bytes) {
        std::fprintf(stderr, "%s: cannot read %s\n", program, path);
        return false;
    }
    TsStoredSkin stored;
    stored.Name = BenchSkinName;
    stored.Data = TMemoryStream(std::move(*bytes));
    manager.InternalSkins().push_back(std::move(stored));
    manager.SetSkinDirectory("C:\\No Such Folder");
    return true;
}
