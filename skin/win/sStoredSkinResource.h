#pragma once
// The packed skin that the program carries as an RCDATA resource of its own image.
#include "skin/sSkinManager.h"

#include <windows.h>

// Copies the resource's bytes into the stored skin's Data; false when the
// module has no such resource.
bool LoadStoredSkinData(TsStoredSkin& skin, const char* resourceName, HMODULE module = nullptr);
