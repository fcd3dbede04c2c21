#pragma once
// The firmware tables Windows offers (Windows Server 2003 SP1, Vista and
// later), resolved from kernel32.dll at run time: the "FIRM" regions of the
// first megabyte and the raw SMBIOS table of the "RSMB" provider.
#include <windows.h>

#include <cstdint>
#include <vector>

// The two functions of the firmware-table interface, typed as Windows
// declares them (declaring them imports nothing: they are only ever called
// through these pointers).
struct TFirmwareTableFunctions {
    decltype(&::EnumSystemFirmwareTables) EnumTables = nullptr;
    decltype(&::GetSystemFirmwareTable) GetTable = nullptr;
};

// Hands in the functions the reads below call instead of kernel32's, as a
// test supplies a firmware-table provider of its own; functions with either
// pointer empty give the reads kernel32's again.
void SetFirmwareTableFunctions(const TFirmwareTableFunctions& functions);

// Fills destination (length bytes) with the physical range from the "FIRM"
// regions; true only when regions cover the range at both its ends.
bool ReadFirmwareImage(std::uint32_t start, std::uint32_t length, std::uint8_t* destination);

// The "RSMB" table: the raw SMBIOS data header (version, length) followed by
// the structure table; empty when Windows has none.
std::vector<std::uint8_t> ReadRawSMBIOSTable();
