// Hostile SMBIOS data: the same bytes as a scanned memory window, as a
// structure table, as a dmidecode dump and as an "RSMB" firmware table. No
// read may leave the bytes, and every structure the walk lists lies inside
// the table.
#include "sysinfo/Dask_SMBIOS_Decode.h"
#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "sysinfo/Dask_SMBIOS_Table.h"

#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

void WalkAndDecode(const std::vector<std::uint8_t>& bytes, std::uint32_t start, std::uint32_t length,
                   std::uint8_t major, std::uint8_t minor) {
    TDmaRange table;
    table.SetStartAddress(start);
    table.LoadFromBuffer(bytes.data(), 0, bytes.size());
    const TSMBIOS_StructTables structures = WalkStructureTable(table, start, length);
    Check(structures.size() <= bytes.size() / 4);
    for (const TSMBIOS_StructTable& s : structures) {
        Check(s.Length >= 4);
        Check(table.Holds(s.Address, s.Length));
        Check(s.Address - start < length);
    }
    TSMBIOS_Values values;
    DecodeStructures(table, structures, start, major, minor, values);
    for (const auto& p : values.ProcessorList)
        Check(p.Socket.size() <= 255 && p.Version.size() <= 255);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    const std::uint8_t selector = size ? data[0] : 0;

    // A window placed near the top of the address space, where addresses wrap.
    TDmaRange scan;
    scan.SetStartAddress(selector & 1 ? 0xFFFFFF00u : 0xF0000u);
    scan.LoadFromBuffer(bytes.data(), 0, bytes.size());
    if (const auto entryPoint = FindEntryPoint(scan))
        Check(entryPoint->Kind != TEntryPointKind::epSMBIOS2 || scan.Holds(entryPoint->Address, 4));

    WalkAndDecode(bytes, 0, static_cast<std::uint32_t>(size), 2, 8);
    WalkAndDecode(bytes, 0xFFFFFFFFu - static_cast<std::uint32_t>(size / 2), static_cast<std::uint32_t>(size),
                  3, 0);
    if (const auto image = ReadSmbiosDump(bytes)) {
        WalkAndDecode(image->Table, 0, static_cast<std::uint32_t>(image->Table.size()), image->MajorVersion,
                      image->MinorVersion);
        const auto again = ReadSmbiosDump(WriteSmbiosDump(*image, 0));
        Check(again && again->Table == image->Table && again->MajorVersion == image->MajorVersion);
    }
    if (const auto raw = ReadRawSMBIOSData(data, size))
        Check(raw->Table.size() + 8 <= size);
    return 0;
}
