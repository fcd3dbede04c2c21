#include "Dask_SMBIOS_Table.h"

#include "Dask_SMBIOS_Layout.h"

#include <cstring>

namespace {
constexpr const char* kTypeNames[] = {"BIOS Information",
                                      "System Information",
                                      "Base Board Information",
                                      "System Enclosure or Chassis",
                                      "Processor Information",
                                      "Memory Controller Information",
                                      "Memory Module Information",
                                      "Cache Information",
                                      "Port Connector Information",
                                      "System Slots",
                                      "On Board Devices Information",
                                      "OEM Strings",
                                      "System Configuration Options",
                                      "BIOS Language Information",
                                      "Group Associations",
                                      "System Event Log",
                                      "Physical Memory Array",
                                      "Memory Device",
                                      "32-bit Memory Error Information",
                                      "Memory Array Mapped Address",
                                      "Memory Device Mapped Address",
                                      "Built-in Pointing Device",
                                      "Portable Battery",
                                      "System Reset",
                                      "Hardware Security",
                                      "System Power Controls",
                                      "Voltage Probe",
                                      " Cooling Device",
                                      "Temperature Probe",
                                      "Electrical Current Probe",
                                      "Out-of-Band Remote Access",
                                      "Boot Integrity Services (BIS) Entry Point",
                                      "System Boot Information",
                                      "64-bit Memory Error Information",
                                      "Management Device",
                                      "Management Device Component",
                                      "Management Device Threshold Data",
                                      "Memory Channel",
                                      "IPMI Device Information",
                                      "System Power Supply"};
constexpr std::uint8_t kTypeInactive = 126;
constexpr std::uint8_t kTypeEndOfTable = 127;
constexpr std::uint8_t kTypeMemoryController = 5;

bool BytesAre(const TDmaRange& range, std::uint64_t address, const char* text) {
    const std::size_t n = std::strlen(text);
    if (address > UINT32_MAX || !range.Holds(static_cast<std::uint32_t>(address), n))
        return false;
    for (std::size_t i = 0; i < n; ++i)
        if (range.ReadByte(static_cast<std::uint32_t>(address + i)) != static_cast<std::uint8_t>(text[i]))
            return false;
    return true;
}

template <typename Match> std::optional<std::uint32_t> ScanFor(const TDmaRange& scan, Match match) {
    const std::uint64_t end = std::uint64_t{scan.StartAddress()} + scan.Memory().size();
    for (std::uint64_t address = scan.StartAddress(); address < end; ++address)
        if (scan.ReadByte(static_cast<std::uint32_t>(address)) == '_' && match(address))
            return static_cast<std::uint32_t>(address);
    return std::nullopt;
}
} // namespace

const char* StructureTypeName(std::uint8_t type) {
    if (type < std::size(kTypeNames))
        return kTypeNames[type];
    if (type == kTypeInactive)
        return "Inactive";
    if (type == kTypeEndOfTable)
        return "End-of-Table";
    return "Unknown";
}

std::optional<TSMBIOS_EntryPoint> FindEntryPoint(const TDmaRange& scan) {
    const auto intermediate = offsetof(TRawEntryPoint2, IntermediateAnchor);
    if (auto at = ScanFor(scan, [&](std::uint64_t a) {
            return BytesAre(scan, a, "_SM_") && BytesAre(scan, a + intermediate, "_DMI_");
        }))
        return ReadEntryPoint(scan, *at, TEntryPointKind::epSMBIOS2);
    // A legacy entry point is read through the 2.x offsets, 16 bytes before
    // its anchor (modulo 2^32, as every address here).
    if (auto at = ScanFor(scan, [&](std::uint64_t a) { return BytesAre(scan, a, "_DMI_"); }))
        return ReadEntryPoint(scan, static_cast<std::uint32_t>(*at - intermediate),
                              TEntryPointKind::epLegacyDMI);
    if (auto at = ScanFor(scan, [&](std::uint64_t a) { return BytesAre(scan, a, "_SM3_"); }))
        return ReadEntryPoint(scan, *at, TEntryPointKind::epSMBIOS3);
    return std::nullopt;
}

TSMBIOS_EntryPoint ReadEntryPoint(const TDmaRange& scan, std::uint32_t address, TEntryPointKind kind) {
    TSMBIOS_EntryPoint ep;
    ep.Kind = kind;
    ep.Address = address;
    auto at = [address](std::size_t offset) { return static_cast<std::uint32_t>(address + offset); };
    if (kind == TEntryPointKind::epSMBIOS3) {
        ep.MajorVersion = scan.ReadByte(at(offsetof(TRawEntryPoint3, MajorVersion)));
        ep.MinorVersion = scan.ReadByte(at(offsetof(TRawEntryPoint3, MinorVersion)));
        ep.TableAddress = scan.ReadQWord(at(offsetof(TRawEntryPoint3, TableAddress)));
        ep.TableLength = scan.ReadDWord(at(offsetof(TRawEntryPoint3, TableMaxSize)));
        ep.Size = sizeof(TRawEntryPoint3);
        return ep;
    }
    ep.MajorVersion = scan.ReadByte(at(offsetof(TRawEntryPoint2, MajorVersion)));
    ep.MinorVersion = scan.ReadByte(at(offsetof(TRawEntryPoint2, MinorVersion)));
    ep.TableAddress = scan.ReadDWord(at(offsetof(TRawEntryPoint2, TableAddress)));
    ep.TableLength = scan.ReadWord(at(offsetof(TRawEntryPoint2, TableLength)));
    ep.StructCount = scan.ReadWord(at(offsetof(TRawEntryPoint2, StructureCount)));
    ep.Size = sizeof(TRawEntryPoint2);
    return ep;
}

TSMBIOS_StructTable StructureAt(const TDmaRange& table, std::uint32_t address) {
    TSMBIOS_StructTable entry;
    entry.Address = address;
    entry.Type = table.ReadByte(address + offsetof(TRawHeader, Type));
    entry.Length = table.ReadByte(address + offsetof(TRawHeader, Length));
    entry.Handle = table.ReadWord(address + offsetof(TRawHeader, Handle));
    entry.Name = StructureTypeName(entry.Type);
    return entry;
}

TSMBIOS_StructTables WalkStructureTable(const TDmaRange& table, std::uint32_t structStart,
                                        std::uint32_t structLength) {
    TSMBIOS_StructTables tables;
    const std::uint64_t start = structStart;
    auto valid = [&](std::uint64_t offset) {
        return start + offset <= UINT32_MAX &&
               table.IsValidAddress(static_cast<std::uint32_t>(start + offset));
    };
    auto byteAt = [&](std::uint64_t offset) {
        return table.ReadByte(static_cast<std::uint32_t>(start + offset));
    };
    // A structure is taken only when its header and its whole formatted area
    // lie in the table; anything else ends the walk.
    auto append = [&](std::uint64_t offset) {
        if (start + offset + sizeof(TRawHeader) > UINT32_MAX ||
            !table.Holds(static_cast<std::uint32_t>(start + offset), sizeof(TRawHeader)))
            return false;
        TSMBIOS_StructTable entry = StructureAt(table, static_cast<std::uint32_t>(start + offset));
        if (entry.Length < sizeof(TRawHeader) || !table.Holds(entry.Address, entry.Length))
            return false;
        tables.push_back(std::move(entry));
        return true;
    };

    if (!valid(0) || !append(0))
        return tables;
    bool seen0 = tables.back().Type == 0;
    std::uint64_t offset = 0;
    for (;;) {
        offset += tables.back().Length + 1u;
        std::uint8_t prev = byteAt(offset - 1);
        if (tables.back().Type == kTypeMemoryController && prev > kTypeMemoryController && prev != 0x20) {
            // Some firmware follows a memory controller structure directly by
            // the next structure, without a string set.
            --offset;
        } else {
            bool terminated = false;
            while (valid(offset)) {
                const std::uint8_t cur = byteAt(offset);
                // After the BIOS structure, zero padding that follows a
                // terminator is stepped over.
                if (prev == 0 && cur == 0 && !(seen0 && valid(offset + 1) && byteAt(offset + 1) == 0)) {
                    terminated = true;
                    break;
                }
                prev = cur;
                ++offset;
            }
            if (!terminated)
                break; // the string set runs past the table
            ++offset;
        }
        if (offset >= structLength || !append(offset))
            break;
        if (tables.back().Type == 0)
            seen0 = true;
        if (tables.back().Type == kTypeEndOfTable)
            break;
    }
    return tables;
}

TSMBIOS_StructTable FindStructure(const TSMBIOS_StructTables& tables, std::uint8_t type) {
    const int index = FindStructureIndex(tables, type, 0);
    return index < 0 ? TSMBIOS_StructTable{} : tables[static_cast<std::size_t>(index)];
}

int FindStructureIndex(const TSMBIOS_StructTables& tables, std::uint8_t type, int start) {
    for (std::size_t i = start < 0 ? 0 : static_cast<std::size_t>(start); i < tables.size(); ++i)
        if (tables[i].Type == type)
            return static_cast<int>(i);
    return -1;
}
