#include "Dask_SMBIOS_Firmware.h"

#include "base/win/BoundLibrary.h"
#include "base/win/Handles.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr DWORD kProviderFirm = 0x4649524D; // 'FIRM'
constexpr DWORD kProviderRsmb = 0x52534D42; // 'RSMB'
constexpr DWORD kRegionSlack = 128 * 1024;

#define DASK_FIRMWARE_ENTRY_POINTS(X)                                                                        \
    X(EnumSystemFirmwareTables)                                                                              \
    X(GetSystemFirmwareTable)

struct TFirmwareEntryPoints {
    BOUND_ENTRY_POINTS(DASK_FIRMWARE_ENTRY_POINTS, BOUND_DECLARED_SLOT)
};

// kernel32's, each resolved once and kept for the process's life (a missing
// one is looked up again on the next call), unless a test handed in its own.
TBoundLibrary<TFirmwareEntryPoints> g_kernel("kernel32.dll");
TFirmwareTableFunctions g_resolved;
TFirmwareTableFunctions g_supplied;

const TFirmwareTableFunctions* FirmwareFunctions() {
    if (g_supplied.EnumTables && g_supplied.GetTable)
        return &g_supplied;
    g_kernel.AttachLoaded();
    if (!g_kernel.Handle()) {
        SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
        return nullptr;
    }
    g_kernel.BindFunction(&TFirmwareEntryPoints::EnumSystemFirmwareTables, "EnumSystemFirmwareTables");
    g_kernel.BindFunction(&TFirmwareEntryPoints::GetSystemFirmwareTable, "GetSystemFirmwareTable");
    g_resolved = {g_kernel.Functions().EnumSystemFirmwareTables, g_kernel.Functions().GetSystemFirmwareTable};
    return g_resolved.EnumTables && g_resolved.GetTable ? &g_resolved : nullptr;
}

// Zero-filled local memory of size bytes, freed by its owner.
UniqueLocal ZeroedLocal(SIZE_T size) {
    return UniqueLocal(LocalAlloc(LMEM_ZEROINIT, size));
}

} // namespace

void SetFirmwareTableFunctions(const TFirmwareTableFunctions& functions) {
    g_supplied = functions;
}

bool ReadFirmwareImage(std::uint32_t start, std::uint32_t length, std::uint8_t* destination) {
    const TFirmwareTableFunctions* f = FirmwareFunctions();
    if (!f)
        return false;
    const UINT listSize = f->EnumTables(kProviderFirm, nullptr, 0);
    UniqueLocal list = ZeroedLocal(SIZE_T{listSize} + 8);
    if (!list)
        return false;
    std::memset(destination, 0, length);
    const UINT listed = std::min(f->EnumTables(kProviderFirm, list.Get(), listSize), listSize);
    const auto* ids = static_cast<const DWORD*>(list.Get());
    const std::uint64_t end = std::uint64_t{start} + length;
    bool coveredStart = false;
    bool coveredEnd = false;
    for (UINT i = 0; i < listed / sizeof(DWORD); ++i) {
        const DWORD id = ids[i];
        if (id >= end)
            continue;
        // The region's size and the slack, in a buffer whose size both
        // Windows and this process can state.
        const std::uint64_t bufferSize =
            std::uint64_t{f->GetTable(kProviderFirm, id, nullptr, 0)} + kRegionSlack;
        if (bufferSize > MAXDWORD || bufferSize > SIZE_MAX)
            continue;
        UniqueLocal region = ZeroedLocal(static_cast<SIZE_T>(bufferSize));
        if (!region)
            continue;
        // What was fetched, never more than the buffer holds.
        const std::uint64_t fetched = std::min<std::uint64_t>(
            f->GetTable(kProviderFirm, id, region.Get(), static_cast<DWORD>(bufferSize)), bufferSize);
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
    const TFirmwareTableFunctions* f = FirmwareFunctions();
    if (!f)
        return table;
    const UINT size = f->GetTable(kProviderRsmb, 0, nullptr, 0);
    if (size == 0)
        return table;
    table.assign(size, 0);
    const UINT fetched = f->GetTable(kProviderRsmb, 0, table.data(), size);
    table.resize(std::min(fetched, size));
    return table;
}
