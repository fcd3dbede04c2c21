#include "sStoredSkinResource.h"

bool LoadStoredSkinData(TsStoredSkin& skin, const char* resourceName, HMODULE module) {
    if (!module)
        module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, resourceName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!info)
        return false;
    HGLOBAL loaded = LoadResource(module, info); // resources need no release
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(module, info);
    if (!bytes)
        return false;
    const auto* first = static_cast<const uint8_t*>(bytes);
    skin.Data = TMemoryStream(std::vector<uint8_t>(first, first + size));
    return true;
}
