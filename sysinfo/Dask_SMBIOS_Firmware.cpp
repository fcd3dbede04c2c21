#include "Dask_SMBIOS_Firmware.h"

#include "base/win/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

using TEnumSystemFirmwareTables = UINT(WINAPI*)(DWORD provider, PVOID buffer, DWORD size);
using TGetSystemFirmwareTable = UINT(WINAPI*)(DWORD provider, DWORD id, PVOID buffer, DWORD size);

constexpr DWORD kProviderFirm = 0x4649524D; // 'FIRM'
constexpr DWORD kProviderRsmb = 0x52534D42; // 'RSMB'
constexpr DWORD kRegionSlack = 128 * 1024;

// Resolved once and kept for the process's life; a missing one is looked up
// again on the next call.
TEnumSystemFirmwareTables g_enumTables = nullptr;
TGetSystemFirmwareTable g_getTable = nullptr;

bool ResolveFirmwareFunctions() {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return false;
    }
    if (!g_enumTables)
        g_enumTables = reinterpret_cast<TEnumSystemFirmwareTables>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "EnumSystemFirmwareTables")));
    if (!g_getTable)
        g_getTable = reinterpret_cast<TGetSystemFirmwareTable>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "GetSystemFirmwareTable")));
    return g_enumTables && g_getTable;
}

// Zero-filled local memory of size bytes, freed by its owner.
UniqueLocal ZeroedLocal(SIZE_T size) {
    return UniqueLocal(LocalAlloc(LMEM_ZEROINIT, size));
}

} // namespace

bool ReadFirmwareImage(std::uint32_t start, std::uint32_t length, std::uint8_t* destination) {
    if (!ResolveFirmwareFunctions())
        return false;
    const UINT listSize = g_enumTables(kProviderFirm, nullptr, 0);
    UniqueLocal list = ZeroedLocal(SIZE_T{listSize} + 8);
    if (!list)
        return false;
    std::memset(destination, 0, length);
    const UINT listed = std::min(g_enumTables(kProviderFirm, list.Get(), listSize), listSize);
    const auto* ids = static_cast<const DWORD*>(list.Get());
    const std::uint64_t end = std::uint64_t{start} + length;
    bool coveredStart = false;
    bool coveredEnd = false;
    for (UINT i = 0; i < listed / sizeof(DWORD); ++i) {
        const DWORD id = ids[i];
        if (id >= end)
            continue;
        const UINT size = g_getTable(kProviderFirm, id, nullptr, 0);
        UniqueLocal region = ZeroedLocal(SIZE_T{size} + kRegionSlack);
        if (!region)
            continue;
        // What was fetched, never more than the buffer holds.
        const std::uint64_t fetched =
            std::min<std::uint64_t>(g_getTable(kProviderFirm, id, region.Get(), size + kRegionSlack),
                                    std::uint64_t{size} + kRegionSlack);
        if (fetched == 0 || id + fetched <= start)
            continue;
        const std::uint64_t from = std::max<std::uint64_t>(id, start);
        const std::uint64_t to = std::min<std::uint64_t>(id + fetched, end);
        std::memcpy(destination + (from - start),
                    static_cast<const std::uint8_t*>(region.Get()) + (from - id),
                    static_cast<std::size_t>(to - from));
        if (id <= start)
            coveredStart = true;
        if (id + fetched >= end)
            coveredEnd = true;
    }
    return coveredStart && coveredEnd;
}

std::vector<std::uint8_t> ReadRawSMBIOSTable() {
    std::vector<std::uint8_t> table;
    if (!ResolveFirmwareFunctions())
        return table;
    const UINT size = g_getTable(kProviderRsmb, 0, nullptr, 0);
    if (size == 0)
        return table;
    table.assign(size, 0);
    const UINT fetched = g_getTable(kProviderRsmb, 0, table.data(), size);
    table.resize(std::min(fetched, size));
    return table;
}
