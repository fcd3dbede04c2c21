#pragma once
// The installed updates the registry lists, in two walks run in this order:
// the Updates key (product, service pack, update) and the HotFix key.
#include "Dask_OS_NT.h"

#include <windows.h>

// Appends a record for every update key under
// "SOFTWARE\Microsoft\Updates\<product>\<service pack>", in the registry's
// order; keys are opened with access.
void ReadUpdatesKey(REGSAM access, TUpdates& updates);

// Appends every sub-key of "SOFTWARE\Microsoft\Windows NT\CurrentVersion\HotFix"
// whose "Installed" is 1, unless updates lists its name already (ignoring case).
void ReadHotFixKey(REGSAM access, TUpdates& updates);
