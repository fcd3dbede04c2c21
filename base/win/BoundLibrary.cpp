#include "BoundLibrary.h"

#include "base/Exception.h"

#include <cinttypes>
#include <cstdint>

std::string UnloadErrorText(const char* libraryName, HMODULE handle) {
    // The handle is written in full, whatever the pointer width.
    return FormatText("Unload Error: %s - 0x%" PRIXPTR, libraryName,
                      reinterpret_cast<std::uintptr_t>(handle));
}

void RaiseUnloadError(const char* libraryName) {
    throw Exception(UnloadErrorText(libraryName, GetModuleHandleA(libraryName)));
}
