#pragma once
// Finding the SMBIOS entry point in a scanned memory range, reading it, and
// walking the structure table into the list of structures. The table is
// untrusted bytes: every read goes through the bounds-checked range, and the
// walk never appends a structure that does not lie inside the table.
// Portable.
#include "Dask_DMA_Range.h"
#include "Dask_SMBIOS_Types.h"

#include <cstdint>
#include <optional>

// The name of a structure type, "Unknown" for types without one.
const char* StructureTypeName(std::uint8_t type);

enum class TEntryPointKind { epSMBIOS2, epLegacyDMI, epSMBIOS3 };

struct TSMBIOS_EntryPoint {
    TEntryPointKind Kind = TEntryPointKind::epSMBIOS2;
    // Where the entry point's fields are read from: for the legacy DMI entry
    // point 16 bytes before its anchor, so that the 2.x offsets apply.
    std::uint32_t Address = 0;
    std::uint8_t MajorVersion = 0;
    std::uint8_t MinorVersion = 0;
    std::uint64_t TableAddress = 0;
    std::uint32_t TableLength = 0;
    std::uint16_t StructCount = 0; // 0 for 3.x, which announces none
    std::uint32_t Size = 0;        // bytes the entry point occupies from Address
};

// Searches every address the range holds, lowest first: "_SM_" followed 16
// bytes on by "_DMI_"; failing that "_DMI_" alone; failing that "_SM3_".
std::optional<TSMBIOS_EntryPoint> FindEntryPoint(const TDmaRange& scan);
// The fields of an entry point of the given kind at address.
TSMBIOS_EntryPoint ReadEntryPoint(const TDmaRange& scan, std::uint32_t address, TEntryPointKind kind);

// The entry of the structure at address: address, type, length, handle and
// the type's name.
TSMBIOS_StructTable StructureAt(const TDmaRange& table, std::uint32_t address);

// The structures of the table from structStart on, in table order, up to and
// including the end-of-table structure, while the offset from structStart is
// below structLength. The walk ends at the first structure whose header or
// formatted area does not fit in the table, whose length is below the 4
// bytes of a header, or whose string set is not terminated inside it.
TSMBIOS_StructTables WalkStructureTable(const TDmaRange& table, std::uint32_t structStart,
                                        std::uint32_t structLength);

// The first entry of the type, or an all-zero entry.
TSMBIOS_StructTable FindStructure(const TSMBIOS_StructTables& tables, std::uint8_t type);
// The index of the first entry of the type at or after start, or -1.
int FindStructureIndex(const TSMBIOS_StructTables& tables, std::uint8_t type, int start);
