#include "Vexor_Routines_Memory.h"

#include <windows.h>

#include <cstring>

namespace {

// Reads stay inside one page, so that a readable page is never refused for
// the unreadable one after it.
constexpr uintptr_t kChunk = 4096;

} // namespace

std::string ReadLinearString(uintptr_t address) {
    std::string text;
    char chunk[kChunk];
    for (;;) {
        const size_t count = static_cast<size_t>(kChunk - address % kChunk);
        // Windows copies from its own process even out of pages that refuse
        // reading; their protection is asked first.
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQuery(reinterpret_cast<LPCVOID>(address), &region, sizeof region) != sizeof region ||
            region.State != MEM_COMMIT || (region.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0 ||
            region.Protect == 0)
            return {};
        SIZE_T read = 0;
        if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(address), chunk, count,
                               &read) ||
            read != count)
            return {};
        const size_t length = strnlen(chunk, count);
        text.append(chunk, length);
        if (length < count)
            return text;
        address += count;
        if (address == 0) // wrapped past the top of the address space
            return {};
    }
}
