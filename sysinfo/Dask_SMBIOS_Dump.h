#pragma once
// SMBIOS tables outside the firmware: the layout `dmidecode --dump-bin`
// writes (an entry point at offset 0 whose table address is 20h, the
// structure table from 20h on) and the "RSMB" firmware table (a version
// header, then the table). Portable.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

struct TSMBIOS_Image {
    std::uint8_t MajorVersion = 0;
    std::uint8_t MinorVersion = 0;
    std::vector<std::uint8_t> Table;
};

// The table of a dump: the entry point ("_SM_", "_SM3_" or "_DMI_") at offset
// 0 gives the version and where in the file the table lies; a table that
// runs past the file is cut at its end. None when no entry point is there.
std::optional<TSMBIOS_Image> ReadSmbiosDump(const std::vector<std::uint8_t>& file);

// A dump of a table: a 2.x entry point for versions below 3 (and tables that
// fit its 16-bit length), a 3.x entry point otherwise, both with correct
// checksums; structureCount goes into the 2.x entry point.
std::vector<std::uint8_t> WriteSmbiosDump(const TSMBIOS_Image& image, std::uint16_t structureCount);

// The table of the "RSMB" firmware table; a length beyond the data is cut.
std::optional<TSMBIOS_Image> ReadRawSMBIOSData(const std::uint8_t* data, std::size_t size);
