#pragma once
// The process status library, bound at run time (an add-on on Windows NT 4):
// process image names come from here.
#include "base/win/BoundLibrary.h"

#include <windows.h>
// The classic names (GetModuleBaseNameA, ...), which psapi.dll exports on
// every Windows that has it.
#ifndef PSAPI_VERSION
#define PSAPI_VERSION 1
#endif
#include <psapi.h>

// Entry points in the order they are resolved.
#define VEXOR_PSAPI_ENTRY_POINTS(X)                                                                          \
    X(EnumProcesses)                                                                                         \
    X(EnumProcessModules)                                                                                    \
    X(GetModuleBaseNameA)                                                                                    \
    X(GetModuleFileNameExA)                                                                                  \
    X(GetModuleInformation)                                                                                  \
    X(EmptyWorkingSet)                                                                                       \
    X(QueryWorkingSet)                                                                                       \
    X(InitializeProcessForWsWatch)                                                                           \
    X(GetWsChanges)                                                                                          \
    X(GetMappedFileNameA)                                                                                    \
    X(EnumDeviceDrivers)                                                                                     \
    X(GetDeviceDriverBaseNameA)                                                                              \
    X(GetDeviceDriverFileNameA)                                                                              \
    X(GetProcessMemoryInfo)

struct TPsApiEntryPoints {
    BOUND_ENTRY_POINTS(VEXOR_PSAPI_ENTRY_POINTS, BOUND_DECLARED_SLOT)
};

// Binds "psapi.dll" (again on every call); true when the library and
// EnumProcesses are there.
bool BindPsApi();

// Frees the library when this program loaded it; may raise the unload error.
void UnbindPsApi();

const TPsApiEntryPoints& PsApi();
const TBoundLibrary<TPsApiEntryPoints>& PsApiBinding();
