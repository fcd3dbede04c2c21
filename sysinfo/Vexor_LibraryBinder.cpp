#include "Vexor_LibraryBinder.h"

#include "base/Exception.h"

#include <charconv>
#include <cstdint>

void AttachLibrary(TLibraryBinding& binding) {
    binding.Handle = GetModuleHandleA(binding.LibraryName);
    binding.Owned = binding.Handle == nullptr;
    if (binding.Owned)
        binding.Handle = LoadLibraryA(binding.LibraryName);
}

std::string UnloadErrorText(const char* libraryName, HMODULE handle) {
    // The handle is written in full hexadecimal whatever the pointer width.
    char hex[2 * sizeof(std::uintptr_t)];
    const auto end = std::to_chars(hex, hex + sizeof hex, reinterpret_cast<std::uintptr_t>(handle), 16).ptr;
    return FormatText("Unload Error: %s - 0x%s", libraryName, std::string(hex, end).c_str());
}

bool DetachLibrary(TLibraryBinding& binding) {
    if (!binding.Handle || !binding.Owned)
        return false;
    if (!FreeLibrary(binding.Handle))
        throw Exception(UnloadErrorText(binding.LibraryName, GetModuleHandleA(binding.LibraryName)));
    binding.Handle = nullptr;
    return true;
}

FARPROC LibraryFunctionAddress(const char* libraryName, const char* functionName) {
    HMODULE module = GetModuleHandleA(libraryName);
    if (!module)
        module = LoadLibraryA(libraryName);
    return module ? GetProcAddress(module, functionName) : nullptr;
}
