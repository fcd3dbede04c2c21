#pragma once
// The internal skin as the program stores it, offered to a manager and
// chosen, from the archive the build packed (no skin folder on this machine).
#include "skin/sSkinManager.h"
#include "tests/common/GoldenPicture.h"

inline void LoadStoredZur(TsSkinManager& manager) {
    TsStoredSkin stored;
    stored.Name = "ZUR (internal)";
    stored.Data = TMemoryStream(ReadWholeTestFile(KESTOVA_ZUR_ARCHIVE));
    manager.InternalSkins().push_back(std::move(stored));
    manager.SetSkinDirectory("C:\\Nowhere");
    manager.SetSkinName("ZUR (internal)");
}
