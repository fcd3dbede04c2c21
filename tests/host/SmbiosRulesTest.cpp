// The rules of the physical range reads, the real-mode program, the entry
// point search, the structure walk and the decoders, on hand-made tables.
#include "sysinfo/Dask_DMA_Program.h"
#include "sysinfo/Dask_DMA_Range.h"
#include "sysinfo/Dask_SMBIOS_Decode.h"
#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "sysinfo/Dask_SMBIOS_Table.h"

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

TDmaRange RangeOf(const Bytes& bytes, std::uint32_t start = 0) {
    TDmaRange range;
    range.SetStartAddress(start);
    range.SetMemorySize(static_cast<std::uint32_t>(bytes.size()));
    range.LoadFromBuffer(bytes.data(), 0, bytes.size());
    return range;
}

// A structure: type, formatted bytes after the 4-byte header, strings.
Bytes Structure(std::uint8_t type, std::uint16_t handle, Bytes formatted,
                std::initializer_list<const char*> strings = {}) {
    Bytes s = {type, static_cast<std::uint8_t>(4 + formatted.size()), static_cast<std::uint8_t>(handle),
               static_cast<std::uint8_t>(handle >> 8)};
    // Byte by byte: GCC 12 at -O2 takes a range insert into the 4-byte header
    // for an out-of-bounds copy.
    for (const std::uint8_t byte : formatted)
        s.push_back(byte);
    for (const char* text : strings)
        s.insert(s.end(), text, text + std::strlen(text) + 1);
    if (strings.size() == 0)
        s.push_back(0);
    s.push_back(0);
    return s;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kEnd = Structure(127, 0xFEFF, {});

TSMBIOS_Values DecodeTable(const Bytes& table, std::uint8_t major = 2, std::uint8_t minor = 8) {
    const TDmaRange range = RangeOf(table);
    TSMBIOS_Values values;
    DecodeStructures(range, WalkStructureTable(range, 0, static_cast<std::uint32_t>(table.size())), 0, major,
                     minor, values);
    return values;
}

TEST(DmaRange, ReadsNeverLeaveTheBytesHeld) {
    const TDmaRange range = RangeOf({1, 2, 3, 4, 5, 6}, 0x1000);
    EXPECT_EQ(range.ReadByte(0x1005), 6);
    EXPECT_EQ(range.ReadByte(0x1006), 0);
    EXPECT_EQ(range.ReadByte(0x0FFF), 0);
    EXPECT_EQ(range.ReadWord(0x1004), 0x0605);
    EXPECT_EQ(range.ReadWord(0x1005), 0) << "word at the last byte";
    EXPECT_EQ(range.ReadDWord(0x1002), 0x06050403u);
    for (std::uint32_t a : {0x1003u, 0x1004u, 0x1005u})
        EXPECT_EQ(range.ReadDWord(a), 0u) << a;

    TDmaRange::TReadBuffer buffer;
    buffer.fill(0xEE);
    range.ReadBuffer(0x1004, 255, buffer);
    EXPECT_EQ(buffer[0], 5);
    EXPECT_EQ(buffer[1], 6);
    EXPECT_EQ(buffer[2], 0xEE) << "past the end of the range the destination is untouched";
    range.ReadBuffer(0x2000, 3, buffer);
    EXPECT_EQ(std::accumulate(buffer.begin(), buffer.end(), 0), 0) << "all 255 bytes zeroed";
}

TEST(DmaRange, SizeAnnouncedBeyondTheBytesLoadedReadsNothingMore) {
    TDmaRange range = RangeOf({7, 8});
    range.SetMemorySize(0x10000);
    EXPECT_FALSE(range.IsValidAddress(2));
    EXPECT_EQ(range.ReadByte(0x8000), 0);
}

TEST(DmaRange, RangeAtTheTopOfTheAddressSpaceDoesNotWrap) {
    const TDmaRange range = RangeOf({1, 2, 3, 4}, 0xFFFFFFFEu);
    EXPECT_EQ(range.ReadByte(0xFFFFFFFFu), 2);
    EXPECT_EQ(range.ReadByte(0), 0);
    EXPECT_EQ(range.ReadWord(0xFFFFFFFFu), 0);
}

TEST(DmaRange, StringsOfASet) {
    const Bytes set = {'A', 'b', 'c', 0, ' ', ' ', 'X', '\t', 0, 0, 'Z', 0};
    const TDmaRange range = RangeOf(set, 0x100);
    const struct {
        unsigned index;
        const char* text;
    } rows[] = {{0, ""}, {1, "Abc"}, {2, "X"}, {3, ""}, {4, ""}};
    for (const auto& row : rows)
        EXPECT_EQ(range.ReadString(0x100, row.index), row.text) << row.index;
    EXPECT_EQ(RangeOf({'n', 'o', 'n', 'u', 'l'}).ReadString(0, 1), "nonul") << "ends at the range's end";
}

TEST(RealModeProgram, BytesAndSegments) {
    // The program as the product describes it, selector F0h.
    const TDumpProgram expected = {0x31, 0xD2, 0xB6, 0xF0, 0x8E, 0xDA, 0x31, 0xD2, 0x31, 0xC9, 0x49, 0x31,
                                   0xDB, 0x43, 0xB4, 0x40, 0xCD, 0x21, 0x72, 0x16, 0x31, 0xD2, 0xB6, 0xF0,
                                   0x8E, 0xDA, 0x31, 0xD2, 0x4A, 0x31, 0xC9, 0x41, 0x89, 0xCB, 0xB4, 0x40,
                                   0xCD, 0x21, 0x72, 0x02, 0xB0, 0x00, 0xB4, 0x4C, 0xCD, 0x21};
    EXPECT_EQ(RealModeDumpProgram(0xF0), expected);
    const auto c0 = RealModeDumpProgram(0xC0);
    ASSERT_TRUE(c0);
    EXPECT_EQ((*c0)[3], 0xC0);
    EXPECT_EQ((*c0)[23], 0xC0);

    const struct {
        std::uint32_t address;
        std::uint8_t selector;
        std::uint16_t offset;
        bool program;
    } rows[] = {{0x000F0000, 0xF0, 0, true},      {0x000C1234, 0xC0, 0x1234, true},
                {0x00100000, 0x01, 0, false},     {0x12050000, 0x50, 0, true},
                {0x00000010, 0x00, 0x0010, true}, {0x00FFFFFF, 0xFF, 0xFFFF, false}};
    for (const auto& row : rows) {
        EXPECT_EQ(RealModeSelector(row.address), row.selector) << std::hex << row.address;
        EXPECT_EQ(RealModeOffset(row.address), row.offset) << std::hex << row.address;
        EXPECT_EQ(RealModeDumpProgram(RealModeSelector(row.address)).has_value(), row.program);
    }
}

Bytes Window(std::size_t size, std::size_t at, const Bytes& content) {
    Bytes window(size, 0);
    std::copy(content.begin(), content.end(), window.begin() + static_cast<std::ptrdiff_t>(at));
    return window;
}

TEST(EntryPoint, TheThreeKindsAndTheirOrder) {
    Bytes sm(31, 0);
    std::memcpy(sm.data(), "_SM_", 4);
    sm[6] = 2, sm[7] = 7;
    std::memcpy(sm.data() + 16, "_DMI_", 5);
    sm[0x16] = 0x34, sm[0x17] = 0x12; // length
    sm[0x18] = 0x00, sm[0x1A] = 0x0E; // address 000E0000
    sm[0x1C] = 0x2A;                  // count
    Bytes legacy = Bytes(sm.begin() + 16, sm.end());

    // A legacy entry point before a 2.x one: the 2.x one wins.
    Bytes both = Window(0x200, 0x40, legacy);
    std::copy(sm.begin(), sm.end(), both.begin() + 0x100);
    auto ep = FindEntryPoint(RangeOf(both, 0xF0000));
    ASSERT_TRUE(ep);
    EXPECT_EQ(ep->Kind, TEntryPointKind::epSMBIOS2);
    EXPECT_EQ(ep->Address, 0xF0100u);
    EXPECT_EQ(ep->MajorVersion, 2);
    EXPECT_EQ(ep->MinorVersion, 7);
    EXPECT_EQ(ep->TableAddress, 0xE0000u);
    EXPECT_EQ(ep->TableLength, 0x1234u);
    EXPECT_EQ(ep->StructCount, 0x2A);

    // "_DMI_" alone at X: read from X - 16, fields at X+6, X+8, X+0Ch.
    ep = FindEntryPoint(RangeOf(Window(0x200, 0x40, legacy), 0xF0000));
    ASSERT_TRUE(ep);
    EXPECT_EQ(ep->Kind, TEntryPointKind::epLegacyDMI);
    EXPECT_EQ(ep->Address, 0xF0030u);
    EXPECT_EQ(ep->TableAddress, 0xE0000u);
    EXPECT_EQ(ep->TableLength, 0x1234u);
    EXPECT_EQ(ep->StructCount, 0x2A);

    Bytes sm3(24, 0);
    std::memcpy(sm3.data(), "_SM3_", 5);
    sm3[7] = 3, sm3[8] = 2;
    sm3[0x0C] = 0x00, sm3[0x0D] = 0x10;                   // 4096 bytes
    sm3[0x10] = 0x00, sm3[0x12] = 0x0F, sm3[0x14] = 0x01; // 1_000F_0000
    ep = FindEntryPoint(RangeOf(Window(0x100, 0x20, sm3), 0xF0000));
    ASSERT_TRUE(ep);
    EXPECT_EQ(ep->Kind, TEntryPointKind::epSMBIOS3);
    EXPECT_EQ(ep->MajorVersion, 3);
    EXPECT_EQ(ep->MinorVersion, 2);
    EXPECT_EQ(ep->TableLength, 4096u);
    EXPECT_EQ(ep->TableAddress, 0x1000F0000ull);

    // An anchor cut by the end of the window is not an anchor.
    EXPECT_FALSE(FindEntryPoint(RangeOf(Window(0x100, 0xFE, {'_', 'S'}))));
    EXPECT_FALSE(FindEntryPoint(RangeOf(Window(0x100, 0xF0, Bytes(sm.begin(), sm.begin() + 16)))));
}

TEST(Walk, TableOrderEndOfTableAndTheMemoryControllerShortcut) {
    // A memory controller directly followed by the next structure (type 7,
    // above 5 and not 20h), with no string set between them.
    Bytes controller = {5, 15, 0x10, 0, 0, 0, 3, 3, 10, 0, 0, 0, 0, 0, 4};
    const Bytes table = Join({Structure(0, 0, {1, 2, 0, 0, 3, 0x0F}, {"Vendor", "1.0", "01/01/2020"}),
                              controller, Structure(7, 2, {1}, {"L1"}), Structure(1, 3, {0, 0, 0, 0}), kEnd});
    const auto s = WalkStructureTable(RangeOf(table), 0, static_cast<std::uint32_t>(table.size()));
    ASSERT_EQ(s.size(), 5u);
    const std::uint8_t types[] = {0, 5, 7, 1, 127};
    for (std::size_t i = 0; i < s.size(); ++i)
        EXPECT_EQ(s[i].Type, types[i]) << i;
    EXPECT_EQ(s[2].Handle, 2);
    EXPECT_EQ(s[1].Name, "Memory Controller Information");
    EXPECT_EQ(s.back().Name, "End-of-Table");
    EXPECT_STREQ(StructureTypeName(27), " Cooling Device");
    EXPECT_STREQ(StructureTypeName(40), "Unknown");
    EXPECT_EQ(FindStructureIndex(s, 7, 0), 2);
    EXPECT_EQ(FindStructureIndex(s, 7, 3), -1);
    EXPECT_EQ(FindStructure(s, 9), TSMBIOS_StructTable{});
}

TEST(Walk, ZeroPaddingAfterTheBiosStructureIsSteppedOver) {
    const Bytes table =
        Join({Structure(0, 0, {1, 0, 0, 0, 0, 0}, {"V"}), Bytes{0, 0, 0}, Structure(1, 1, {}), kEnd});
    const auto s = WalkStructureTable(RangeOf(table), 0, static_cast<std::uint32_t>(table.size()));
    ASSERT_EQ(s.size(), 3u);
    EXPECT_EQ(s[1].Type, 1);
    EXPECT_EQ(s[1].Handle, 1);
}

// Structures whose bytes run past the table end the walk before them; the
// walk never lists a structure outside the table.
TEST(Walk, HostileLengthsAndStringsEndTheWalk) {
    const Bytes bios = Structure(0, 0, {1, 0, 0, 0, 0, 0}, {"V"});
    const struct {
        const char* what;
        Bytes tail;
        std::size_t expected;
    } rows[] = {
        {"formatted area past the end", {4, 0xF0, 9, 0, 1, 2}, 1},
        {"length below a header", Join({Bytes{4, 2, 9, 0, 0, 0}, kEnd}), 1},
        {"header cut by the end", {4, 0x20}, 1},
        {"string set never terminated", {4, 5, 9, 0, 1, 'a', 'b', 'c'}, 2},
        {"no end-of-table structure", Structure(1, 1, {}), 2},
    };
    for (const auto& row : rows) {
        const Bytes table = Join({bios, row.tail});
        const TDmaRange range = RangeOf(table);
        const auto s = WalkStructureTable(range, 0, static_cast<std::uint32_t>(table.size()));
        EXPECT_EQ(s.size(), row.expected) << row.what;
        for (const auto& entry : s)
            EXPECT_TRUE(range.Holds(entry.Address, entry.Length)) << row.what;
    }
    // The announced length bounds the walk as well as the bytes do.
    const Bytes table = Join({bios, Structure(1, 1, {}), kEnd});
    EXPECT_EQ(WalkStructureTable(RangeOf(table), 0, static_cast<std::uint32_t>(bios.size())).size(), 1u);
    EXPECT_TRUE(WalkStructureTable(RangeOf(table), 0x10000, 100).empty()) << "start outside the table";
}

TEST(Decode, ValueRules) {
    Bytes processor(0x23 - 4, 0);
    processor[0x11 - 4] = 0x8C;                                                        // 1.2 V
    processor[0x12 - 4] = 100, processor[0x16 - 4] = 0xC4, processor[0x17 - 4] = 0x09; // 100, 2500 MHz
    processor[0x19 - 4] = 4;
    Bytes legacyVolts = processor;
    legacyVolts[0x11 - 4] = 0x02;                      // 3.3 V
    Bytes module = {1, 0, 60, 0x04, 0, 0x89, 0x89, 0}; // 512 MB, type bit 2
    Bytes emptyModule = {1, 0, 60, 0, 0, 0x7F, 0x7F, 0};
    Bytes cache(0x13 - 4, 0);
    cache[0x07 - 4] = 0x20, cache[0x08 - 4] = 0x80; // 8020h: 2048 KB
    cache[0x09 - 4] = 0x00, cache[0x0A - 4] = 0x01; // 0100h: 256 KB
    cache[0x0D - 4] = 0x22;                         // highest SRAM bit: 5
    cache[0x11 - 4] = 9, cache[0x12 - 4] = 0x0E;    // out of the known ranges
    Bytes device(0x1B - 4, 0);
    device[0x15 - 4] = 133;
    Bytes probe(0x16 - 4, 0);
    probe[0x04 - 4] = 1;
    probe[0x05 - 4] = 0x63;
    probe[0x14 - 4] = 0x34, probe[0x15 - 4] = 0x12;
    auto controller = [](std::uint8_t maxSize, std::uint8_t slots) {
        return Structure(5, 5, {0, 0, 5, 4, maxSize, 0x1F, 0xFF, 0xFF, 0xFF, 7, slots});
    };
    const Bytes table =
        Join({Structure(1, 1, {1, 2, 0, 0}, {"Maker", "Model"}), Structure(4, 2, processor),
              Structure(4, 3, legacyVolts), controller(3, 2), controller(16, 4),
              Structure(6, 6, module, {"DIMM0"}), Structure(6, 7, emptyModule, {"DIMM1"}),
              Structure(7, 8, cache), Structure(17, 9, device),
              Structure(10, 10, {0x83, 1, 0x08, 0}, {" Video "}), Structure(28, 11, probe, {" CPU "}),
              Structure(8, 12, {0, 0xFF, 0, 0xFF, 0xA1}), Structure(9, 13, {0, 0xA2, 5, 4, 4, 7, 0}), kEnd});
    const TSMBIOS_Values v = DecodeTable(table);

    EXPECT_EQ(v.SystemManufacturer, "Maker");
    EXPECT_EQ(v.SystemUUID, "") << "length 8 has no UUID";
    ASSERT_EQ(v.ProcessorList.size(), 2u);
    EXPECT_DOUBLE_EQ(v.ProcessorList[0].Voltage, 1.2);
    EXPECT_DOUBLE_EQ(v.ProcessorList[1].Voltage, 3.3);
    EXPECT_EQ(v.ProcessorList[0].ExternalClock, 100);
    EXPECT_EQ(v.ProcessorList[0].Frequency, 2500);
    EXPECT_EQ(v.ProcessorList[0].Upgrade, 3);
    EXPECT_EQ(v.ProcessorList[0].Version, "Processor_0");
    EXPECT_EQ(v.ProcessorList[1].Version, "Processor_1");

    EXPECT_EQ(v.MemCtrlMaxSize, 0) << "the second controller wins; 2^16 is kept in 16 bits";
    EXPECT_EQ(v.MemCtrlSlotCount, 4);
    EXPECT_EQ(v.MemCtrlSupportedInterleave, smisFourWay);
    EXPECT_EQ(v.MemCtrlCurrentInterleave, smisTwoWay);
    EXPECT_EQ(v.MemCtrlSupportedSpeeds, 0x1F);
    EXPECT_EQ(v.MemCtrlSupportedTypes, 0x7FF);
    EXPECT_EQ(v.MemCtrlSupportedVoltages, 0x07);

    ASSERT_EQ(v.MemoryModuleList.size(), 2u);
    EXPECT_EQ(v.MemoryModuleList[0].Size, 512u);
    EXPECT_TRUE(InSet(v.MemoryModuleList[0].Types, smmtStandard));
    EXPECT_EQ(v.MemoryModuleList[1].Size, 0u);
    EXPECT_EQ(v.MemoryModuleList[1].Socket, "DIMM1");

    ASSERT_EQ(v.CacheList.size(), 1u);
    EXPECT_EQ(v.CacheList[0].MaxSize, 2048);
    EXPECT_EQ(v.CacheList[0].InstalledSize, 256);
    EXPECT_EQ(v.CacheList[0].SRAMType, 5);
    EXPECT_EQ(v.CacheList[0].Typ, 1);
    EXPECT_EQ(v.CacheList[0].Associativity, 1);
    EXPECT_EQ(v.CacheList[0].Designation, "Cache_0");

    ASSERT_EQ(v.MemoryDeviceList.size(), 1u);
    EXPECT_EQ(v.MemoryDeviceList[0].Speed, 7);

    ASSERT_EQ(v.OnBoardDeviceList.size(), 2u);
    EXPECT_EQ(v.OnBoardDeviceList[0].Typ, 2);
    EXPECT_TRUE(v.OnBoardDeviceList[0].Status);
    EXPECT_EQ(v.OnBoardDeviceList[0].DeviceName, "Video");
    EXPECT_EQ(v.OnBoardDeviceList[1].Typ, 7);
    EXPECT_FALSE(v.OnBoardDeviceList[1].Status);

    ASSERT_EQ(v.TemperatureProbeList.size(), 1u);
    EXPECT_EQ(v.TemperatureProbeList[0].Location, 2);
    EXPECT_EQ(v.TemperatureProbeList[0].Status, 2);
    EXPECT_EQ(v.TemperatureProbeList[0].Value, 0x1234);
    EXPECT_EQ(v.TemperatureProbeList[0].Description, "CPU");

    ASSERT_EQ(v.PortList.size(), 1u);
    EXPECT_EQ(v.PortList[0].InternalConnector, 39);
    EXPECT_EQ(v.PortList[0].Typ, 33);
    EXPECT_EQ(v.PortList[0].ExternalDesignator, "PortSlot_0");
    ASSERT_EQ(v.SystemSlotList.size(), 1u);
    EXPECT_EQ(v.SystemSlotList[0].Typ, 21);
    EXPECT_EQ(v.SystemSlotList[0].ID, 7);
    EXPECT_EQ(v.SystemSlotList[0].Designation, "Slot_0");
}

TEST(Decode, VersionsBefore23LeaveTheLaterFieldsEmpty) {
    Bytes device(0x1B - 4, 0);
    device[0x15 - 4] = 100;
    device[0x17 - 4] = 1;
    const Bytes table = Join({Structure(17, 1, device, {"Maker"}), kEnd});
    EXPECT_EQ(DecodeTable(table, 2, 2).MemoryDeviceList.at(0).Speed, 0);
    EXPECT_EQ(DecodeTable(table, 2, 2).MemoryDeviceList.at(0).Manufacturer, "");
    EXPECT_EQ(DecodeTable(table, 2, 3).MemoryDeviceList.at(0).Speed, 10);
    EXPECT_EQ(DecodeTable(table, 3, 0).MemoryDeviceList.at(0).Manufacturer, "Maker");
}

TEST(Dump, WrittenDumpsCarryValidEntryPointsAndReadBack) {
    for (std::uint8_t major : {2, 3}) {
        const TSMBIOS_Image image{major, 4, Join({Structure(1, 1, {}), kEnd})};
        const Bytes file = WriteSmbiosDump(image, 2);
        const std::size_t entryLength = file[major == 3 ? 6 : 5];
        EXPECT_EQ(entryLength, major == 3 ? 0x18u : 0x1Fu);
        EXPECT_EQ(std::accumulate(file.begin(), file.begin() + entryLength, 0) & 0xFF, 0) << "checksum";
        if (major == 2) {
            EXPECT_EQ(std::accumulate(file.begin() + 0x10, file.begin() + 0x1F, 0) & 0xFF, 0);
        }
        const auto back = ReadSmbiosDump(file);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Table, image.Table);
        EXPECT_EQ(back->MajorVersion, major);
        EXPECT_EQ(back->MinorVersion, 4);
    }
    EXPECT_FALSE(ReadSmbiosDump(Bytes(64, 0)));
    const Bytes raw = {0, 2, 7, 0, 0xFF, 0, 0, 0, 1, 2, 3};
    const auto rsmb = ReadRawSMBIOSData(raw.data(), raw.size());
    ASSERT_TRUE(rsmb);
    EXPECT_EQ(rsmb->Table, (Bytes{1, 2, 3})) << "a length beyond the data is cut";
    EXPECT_EQ(rsmb->MinorVersion, 7);
}

} // namespace
