#pragma once
// Run-time binding of optional system libraries: the program never imports
// them, it finds each by name when it runs and keeps one pointer per entry
// point, 0 when the library or the entry point is missing.
#include <windows.h>

#include <string>
#include <vector>

// One library as bound now.
struct TLibraryBinding {
    const char* LibraryName;
    HMODULE Handle = nullptr;
    // True when the binder loaded the library itself and so must free it;
    // false when it was already in the process.
    bool Owned = false;
};

// Takes the library into the binding: the module already in the process
// (not owned) or, failing that, a freshly loaded one (owned). Ownership is
// decided afresh on every call, so a second call never owns what the first
// one loaded. The handle stays 0 when the library cannot be loaded.
void AttachLibrary(TLibraryBinding& binding);

// Frees the library when this program loaded it and gives true; a library
// that was already in the process is left alone (false). When Windows refuses
// to free it, raises "Unload Error: %s - 0x%x" with the library name and the
// handle the library then has in the process.
bool DetachLibrary(TLibraryBinding& binding);

// The text of the unload error for a library name and a module handle.
std::string UnloadErrorText(const char* libraryName, HMODULE handle);

// Resolves one entry point into its typed slot: 0 without a module or when
// the module does not export the name.
template <typename Function> void ResolveEntryPoint(HMODULE module, const char* name, Function& slot) {
    slot =
        module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

// An entry point of a binder's table with the address it holds now.
struct TBoundEntryPoint {
    std::string Name;
    FARPROC Address;
};
using TBoundEntryPoints = std::vector<TBoundEntryPoint>;

template <typename Function> FARPROC EntryAddress(Function slot) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(slot));
}

// The address of one function of a library that is bound on first use: the
// library in the process or loaded (and never released), 0 when neither the
// library nor the function can be found.
FARPROC LibraryFunctionAddress(const char* libraryName, const char* functionName);

// Binds one function into its slot unless the slot is already set; true when
// the slot holds a function afterwards.
template <typename Function>
bool BindLibraryFunction(Function& slot, const char* libraryName, const char* functionName) {
    if (!slot)
        slot = reinterpret_cast<Function>(
            reinterpret_cast<void*>(LibraryFunctionAddress(libraryName, functionName)));
    return slot != nullptr;
}
