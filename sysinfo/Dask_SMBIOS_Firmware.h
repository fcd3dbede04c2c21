#pragma once
// The firmware tables Windows offers (Windows Server 2003 SP1, Vista and
// later), resolved from kernel32.dll at run time: the "FIRM" regions of the
// first megabyte and the raw SMBIOS table of the "RSMB" provider.
#include <cstdint>
#include <vector>

// Fills destination (length bytes) with the physical range from the "FIRM"
// regions; true only when regions cover the range at both its ends.
bool ReadFirmwareImage(std::uint32_t start, std::uint32_t length, std::uint8_t* destination);

// The "RSMB" table: the raw SMBIOS data header (version, length) followed by
// the structure table; empty when Windows has none.
std::vector<std::uint8_t> ReadRawSMBIOSTable();
