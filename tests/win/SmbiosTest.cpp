// The SMBIOS sub-component on Windows. Under Wine there is no "FIRM" table,
// no physical memory section and no 16-bit subsystem: a refresh ends up at
// the "RSMB" table, which the test reads for itself to know what to expect.
// The firmware-table interface of a real machine (the "FIRM" regions of the
// first megabyte, the "RSMB" table) is played by a provider of the test's
// own. A table handed over for a refresh without local acquisition is
// decoded as found (a real machine's dump, checked against dmidecode's
// decoding).
#include "sysinfo/win/Dask_SMBIOS.h"
#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "sysinfo/win/Dask_SMBIOS_Firmware.h"
#include "sysinfo/Dask_SMBIOS_Layout.h"

#include "tests/fixtures/SmbiosTables.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr DWORD kFirm = 0x4649524D;
constexpr DWORD kRsmb = 0x52534D42;

// A firmware-table provider of the test's own, answering as Windows does:
// the size wanted when the buffer is missing or too small, else the bytes
// written. "FIRM" lists its regions by physical start address; "RSMB" has
// the one table 0, when there is one.
struct TSuppliedFirmware {
    std::map<DWORD, std::vector<std::uint8_t>> Regions;
    std::vector<std::uint8_t> Rsmb;
    std::vector<DWORD> Asked; // "FIRM" regions asked for, in order
};
TSuppliedFirmware g_firmware;

UINT Answer(const void* data, UINT size, PVOID buffer, DWORD bufferSize) {
    if (!buffer || bufferSize < size)
        return size;
    std::memcpy(buffer, data, size);
    return size;
}

UINT WINAPI SuppliedEnum(DWORD provider, PVOID buffer, DWORD size) {
    if (provider != kFirm)
        return 0;
    std::vector<DWORD> ids;
    for (const auto& [start, bytes] : g_firmware.Regions)
        ids.push_back(start);
    return Answer(ids.data(), static_cast<UINT>(ids.size() * sizeof(DWORD)), buffer, size);
}

UINT WINAPI SuppliedGet(DWORD provider, DWORD id, PVOID buffer, DWORD size) {
    const std::vector<std::uint8_t>* table = nullptr;
    if (provider == kFirm) {
        g_firmware.Asked.push_back(id);
        const auto it = g_firmware.Regions.find(id);
        table = it == g_firmware.Regions.end() ? nullptr : &it->second;
    } else if (provider == kRsmb && id == 0 && !g_firmware.Rsmb.empty()) {
        table = &g_firmware.Rsmb;
    }
    return table ? Answer(table->data(), static_cast<UINT>(table->size()), buffer, size) : 0;
}

// Hands the provider to the product for the life of a test, and kernel32's
// back at its end.
class SuppliedFirmware : public ::testing::Test {
protected:
    void SetUp() override {
        g_firmware = {};
        SetFirmwareTableFunctions({&SuppliedEnum, &SuppliedGet});
    }
    void TearDown() override {
        SetFirmwareTableFunctions({});
        g_firmware = {};
    }
};

// The "RSMB" table: its header (version, length), then the table.
std::vector<std::uint8_t> RawSmbios(std::uint8_t major, std::uint8_t minor,
                                    const std::vector<std::uint8_t>& table) {
    std::vector<std::uint8_t> raw(sizeof(TRawSMBIOSData) + table.size(), 0);
    raw[offsetof(TRawSMBIOSData, MajorVersion)] = major;
    raw[offsetof(TRawSMBIOSData, MinorVersion)] = minor;
    const auto length = static_cast<std::uint32_t>(table.size());
    std::memcpy(&raw[offsetof(TRawSMBIOSData, Length)], &length, sizeof length);
    std::copy(table.begin(), table.end(), raw.begin() + sizeof(TRawSMBIOSData));
    return raw;
}

// A 2.x entry point ("_SM_" and "_DMI_", checksums not filled in: the
// component checks none).
std::vector<std::uint8_t> EntryPoint2(std::uint8_t major, std::uint8_t minor, std::uint32_t tableAddress,
                                      std::uint16_t tableLength, std::uint16_t count) {
    TRawEntryPoint2 ep{};
    std::memcpy(ep.Anchor, "_SM_", 4);
    ep.Length = sizeof ep;
    ep.MajorVersion = major;
    ep.MinorVersion = minor;
    std::memcpy(ep.IntermediateAnchor, "_DMI_", 5);
    ep.TableLength = tableLength;
    ep.TableAddress = tableAddress;
    ep.StructureCount = count;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&ep);
    return std::vector<std::uint8_t>(bytes, bytes + sizeof ep);
}

std::vector<std::uint8_t> EntryPoint3(std::uint8_t major, std::uint8_t minor, std::uint64_t tableAddress,
                                      std::uint32_t tableMaxSize) {
    TRawEntryPoint3 ep{};
    std::memcpy(ep.Anchor, "_SM3_", 5);
    ep.Length = sizeof ep;
    ep.MajorVersion = major;
    ep.MinorVersion = minor;
    ep.EntryPointRevision = 1;
    ep.TableMaxSize = tableMaxSize;
    ep.TableAddress = tableAddress;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(&ep);
    return std::vector<std::uint8_t>(bytes, bytes + sizeof ep);
}

// The two "FIRM" regions Windows Vista and later list for the BIOS area:
// 0xC0000-0xDFFFF and 0xE0000-0xFFFFF, starting exactly at the image's start
// and ending exactly at its end. Bytes are placed by physical address.
void TwoRegions() {
    g_firmware.Regions[0xC0000].assign(0x20000, 0);
    g_firmware.Regions[0xE0000].assign(0x20000, 0);
}
void Place(std::uint32_t physical, const std::vector<std::uint8_t>& bytes) {
    auto it = g_firmware.Regions.upper_bound(physical);
    ASSERT_NE(it, g_firmware.Regions.begin());
    --it;
    ASSERT_LE(physical - it->first + bytes.size(), it->second.size());
    std::copy(bytes.begin(), bytes.end(), it->second.begin() + (physical - it->first));
}

// A small table: BIOS (vendor), system (model), end of table.
std::vector<std::uint8_t> SmallTable(const std::string& vendor, const std::string& model) {
    std::vector<std::uint8_t> table;
    AppendStructure(table, 0, 0x12, 0, {1, 0, 0, 0, 0, 0}, {vendor});
    AppendStructure(table, 1, 8, 1, {0, 1}, {model});
    AppendStructure(table, 127, 4, 2);
    return table;
}

using TGetSystemFirmwareTable = UINT(WINAPI*)(DWORD, DWORD, PVOID, DWORD);

// The "RSMB" table as Windows gives it, fetched by the test itself.
std::vector<std::uint8_t> RawSmbiosOfThisMachine() {
    auto get = reinterpret_cast<TGetSystemFirmwareTable>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetSystemFirmwareTable")));
    if (!get)
        return {};
    std::vector<std::uint8_t> raw(get(0x52534D42 /* RSMB */, 0, nullptr, 0));
    raw.resize(get(0x52534D42 /* RSMB */, 0, raw.data(), static_cast<DWORD>(raw.size())));
    return raw;
}

std::vector<std::uint8_t> FixtureDump(const char* name) {
    std::ifstream in(std::string(KESTOVA_SMBIOS_FIXTURES) + "/" + name, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Environment(const char* name) {
    char value[1024] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length && length < sizeof value ? value : "";
}

TEST(Smbios, FirmwareImageIsNotOfferedHere) {
    std::vector<std::uint8_t> image(0x40000, 0xAA);
    EXPECT_FALSE(ReadFirmwareImage(0xC0000, 0x40000, image.data()));
}

TEST(Smbios, RefreshFindsTheRawSmbiosTableWhenNoEntryPointIsReachable) {
    const std::vector<std::uint8_t> raw = RawSmbiosOfThisMachine();
    ASSERT_GE(raw.size(), 8u) << "Wine offers an \"RSMB\" table";
    // No window is readable (no physical memory section, and no real-mode
    // program beside a 64-bit process); a temporary folder of this test's
    // own shows that no "~RomDmp" folder is left either way.
    const std::string savedTmp = Environment("TMP");
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    const std::string temp = std::string(base) + "kestova-smbios-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(temp.c_str(), nullptr);
    SetEnvironmentVariableA("TMP", temp.c_str());

    TVexor_SMBIOS smbios(nullptr);
    EXPECT_TRUE(smbios.ReadLocalMemory());
    smbios.Refresh();

    SetEnvironmentVariableA("TMP", savedTmp.empty() ? nullptr : savedTmp.c_str());
    EXPECT_TRUE(RemoveDirectoryA(temp.c_str())) << "no \"~RomDmp\" folder left";

    EXPECT_TRUE(smbios.DataPresent());
    EXPECT_EQ(smbios.TableSource(), "RSMB");
    EXPECT_EQ(smbios.SMBIOSAddress(), 0u);
    EXPECT_EQ(smbios.MajorVersion(), raw[1]);
    EXPECT_EQ(smbios.MinorVersion(), raw[2]);
    EXPECT_EQ(smbios.Version(), std::to_string(raw[1]) + "." + std::to_string(raw[2]));
    const std::size_t length = raw[4] | (raw[5] << 8) | (raw[6] << 16) | (raw[7] << 24);
    EXPECT_EQ(smbios.StructLength(), length);
    EXPECT_EQ(smbios.StructStart(), 0u);
    ASSERT_FALSE(smbios.StructTables().empty());
    EXPECT_EQ(smbios.StructTables()[0].Address, 0u);
    EXPECT_EQ(smbios.StructTables()[0].Type, raw[8]);
    EXPECT_EQ(smbios.StructTables()[0].Length, raw[9]);
}

TEST(Smbios, SuppliedTableIsDecodedWithoutLocalAcquisition) {
    const auto image = ReadSmbiosDump(FixtureDump("VMWare.bin"));
    ASSERT_TRUE(image);
    TVexor_SMBIOS smbios(nullptr);
    smbios.SetReadLocalMemory(false);
    smbios.LoadTable(image->Table, image->MajorVersion, image->MinorVersion);
    smbios.Refresh();

    EXPECT_TRUE(smbios.DataPresent());
    EXPECT_EQ(smbios.StructStart(), 0u);
    EXPECT_EQ(smbios.StructCount(), 65535);
    EXPECT_EQ(smbios.StructLength(), image->Table.size());
    EXPECT_EQ(smbios.Version(), "2.7");
    // What dmidecode shows for this dump.
    EXPECT_EQ(smbios.StructTables().size(), 620u);
    EXPECT_EQ(smbios.BIOSVendor(), "Phoenix Technologies LTD");
    EXPECT_EQ(smbios.BIOSDate(), "05/19/2017");
    EXPECT_EQ(smbios.SystemModel(), "VMware Virtual Platform");
    EXPECT_EQ(smbios.ProcessorCount(), 128);
    EXPECT_EQ(smbios.Processor(1).Socket, "CPU #001");
    EXPECT_EQ(smbios.Processor(0).Version, "Intel(R) Core(TM) i7-5500U CPU @ 2.40GHz");
    EXPECT_EQ(smbios.Processor(200).Socket, "") << "beyond the list: an all-zero record";
    EXPECT_EQ(smbios.CacheCount(), 0) << "256 caches: the count keeps its low 8 bits";
    EXPECT_EQ(smbios.FindStructure(0).Type, 0);
    EXPECT_EQ(smbios.FindStructureIndex(127, 0), 619);

    // Every refresh starts over: an empty table leaves nothing of the last.
    smbios.LoadTable({}, 2, 7);
    smbios.Refresh();
    EXPECT_TRUE(smbios.StructTables().empty());
    EXPECT_EQ(smbios.ProcessorCount(), 0);
    EXPECT_EQ(smbios.BIOSVendor(), "");
}

// This machine's table, written as a dump and decoded from it, gives what
// the refresh decoded.
TEST(Smbios, DumpOfThisMachineDecodesAsTheMachine) {
    TVexor_SMBIOS machine(nullptr);
    machine.Refresh();
    ASSERT_FALSE(machine.StructTables().empty());
    TVexor_SMBIOS fromDump(nullptr);
    ASSERT_TRUE(fromDump.LoadDump(machine.DumpTable()));
    EXPECT_FALSE(fromDump.ReadLocalMemory());
    fromDump.Refresh();
    EXPECT_EQ(fromDump.StructTables(), machine.StructTables());
    EXPECT_EQ(fromDump.Version(), machine.Version());
    EXPECT_EQ(fromDump.BIOSVendor(), machine.BIOSVendor());
    EXPECT_EQ(fromDump.SystemModel(), machine.SystemModel());
    EXPECT_EQ(fromDump.Values().ProcessorList, machine.Values().ProcessorList);
    EXPECT_EQ(fromDump.Values().MemoryDeviceList, machine.Values().MemoryDeviceList);
}

// The image is taken only when regions cover it at both ends; a region
// that starts exactly at the image's start or ends exactly at its end does.
TEST_F(SuppliedFirmware, FirmwareImageIsCoveredByRegionsFromItsStartToItsEnd) {
    const struct {
        const char* what;
        std::vector<std::pair<DWORD, DWORD>> regions; // physical start, bytes
        bool covered;
    } rows[] = {
        {"two regions meeting the window's start and end exactly (Vista and later)",
         {{0xC0000, 0x20000}, {0xE0000, 0x20000}},
         true},
        {"one region of exactly the window", {{0xC0000, 0x40000}}, true},
        {"regions reaching beyond both ends", {{0xB0000, 0x20000}, {0xD0000, 0x40000}}, true},
        {"the first region starts one byte late", {{0xC0001, 0x1FFFF}, {0xE0000, 0x20000}}, false},
        {"the last region ends one byte early", {{0xC0000, 0x20000}, {0xE0000, 0x1FFFF}}, false},
        {"only a region above the window", {{0x100000, 0x10000}}, false},
        {"no region", {}, false},
    };
    for (const auto& row : rows) {
        g_firmware = {};
        std::uint8_t fill = 0x10;
        for (const auto& [start, bytes] : row.regions)
            g_firmware.Regions[start].assign(bytes, fill++);
        std::vector<std::uint8_t> image(0x40000, 0xAA);
        EXPECT_EQ(ReadFirmwareImage(0xC0000, 0x40000, image.data()), row.covered) << row.what;
        // Each byte of a region lands at its physical address less the start;
        // what no region covers is zero.
        for (const std::uint32_t physical : {0xC0000u, 0xDFFFFu, 0xE0000u, 0xFFFFFu}) {
            std::uint8_t expected = 0;
            for (const auto& [start, bytes] : g_firmware.Regions)
                if (physical >= start && physical < start + bytes.size())
                    expected = bytes[physical - start];
            EXPECT_EQ(image[physical - 0xC0000], expected) << row.what << " at " << std::hex << physical;
        }
        for (const DWORD asked : g_firmware.Asked)
            EXPECT_LT(asked, 0x100000u) << row.what << ": a region beyond the window is not fetched";
    }
}

// Vista and later list two regions that start exactly at 0xC0000 and
// 0xE0000. With the table inside the image, the table comes from the image
// and the "RSMB" table is not used.
TEST_F(SuppliedFirmware, TableInsideTheImageIsReadFromTheImage) {
    TwoRegions();
    const std::vector<std::uint8_t> table = SmallTable("In the image", "Image model");
    Place(0xF0000, EntryPoint2(2, 4, 0xF1000, static_cast<std::uint16_t>(table.size()), 3));
    Place(0xF1000, table);
    g_firmware.Rsmb = RawSmbios(2, 4, SmallTable("From RSMB", "RSMB model"));

    TVexor_SMBIOS smbios(nullptr);
    smbios.Refresh();
    EXPECT_EQ(smbios.TableSource(), "FIRM");
    EXPECT_EQ(smbios.SMBIOSAddress(), 0x30000u);
    EXPECT_EQ(smbios.Version(), "2.4");
    EXPECT_EQ(smbios.StructCount(), 3);
    EXPECT_EQ(smbios.StructStart(), 0u);
    EXPECT_EQ(smbios.StructLength(), table.size());
    EXPECT_EQ(smbios.StructTables().size(), 3u);
    EXPECT_EQ(smbios.BIOSVendor(), "In the image");
    EXPECT_EQ(smbios.SystemModel(), "Image model");
}

// Most machines since about 2005 keep the table above 1 MB: the image holds
// the entry point only. The table then comes from the "RSMB" table; the 31
// bytes after the entry point are taken as the table's start only when
// Windows offers no "RSMB" table.
TEST_F(SuppliedFirmware, TableAboveTheImageIsTakenFromTheRawSmbiosTable) {
    TwoRegions();
    const std::vector<std::uint8_t> rsmbTable = SmallTable("From RSMB", "RSMB model");
    const std::vector<std::uint8_t> after = SmallTable("After the entry point", "Not the table");
    Place(0xF0000, EntryPoint2(2, 6, 0x7FF0A000, 0x0400, 3));
    Place(0xF0000 + sizeof(TRawEntryPoint2), after);
    g_firmware.Rsmb = RawSmbios(2, 6, rsmbTable);

    TVexor_SMBIOS smbios(nullptr);
    smbios.Refresh();
    EXPECT_TRUE(smbios.DataPresent());
    EXPECT_EQ(smbios.TableSource(), "RSMB");
    EXPECT_EQ(smbios.SMBIOSAddress(), 0x30000u) << "the entry point was found in the image";
    EXPECT_EQ(smbios.Version(), "2.6");
    EXPECT_EQ(smbios.StructCount(), 3);
    EXPECT_EQ(smbios.StructStart(), 0u);
    EXPECT_EQ(smbios.StructLength(), rsmbTable.size()) << "the length of the table Windows gives";
    EXPECT_EQ(smbios.StructTables().size(), 3u);
    EXPECT_EQ(smbios.BIOSVendor(), "From RSMB");
    EXPECT_EQ(smbios.SystemModel(), "RSMB model");

    // Without an "RSMB" table (or with an empty one): the bytes after the
    // entry point, as long as the entry point says.
    for (const std::vector<std::uint8_t>& rsmb : {std::vector<std::uint8_t>{}, RawSmbios(2, 6, {})}) {
        g_firmware.Rsmb = rsmb;
        smbios.Refresh();
        EXPECT_EQ(smbios.TableSource(), "FIRM");
        EXPECT_EQ(smbios.StructLength(), 0x0400u);
        EXPECT_EQ(smbios.StructTables().size(), 3u);
        EXPECT_EQ(smbios.BIOSVendor(), "After the entry point");
        EXPECT_EQ(smbios.SystemModel(), "Not the table");
    }
}

// A table longer than 65,535 bytes is walked whole wherever it comes from:
// the "RSMB" table, a 3.x entry point in the firmware image, a table handed
// over, and a dump of it; each states the same length.
TEST_F(SuppliedFirmware, TablesOver64KbAreWalkedWholeOnEveryPath) {
    const std::vector<std::uint8_t> table = LargeSmbiosTable();
    ASSERT_EQ(table.size(), kLargeTableBytes);
    auto expectWhole = [&](const TVexor_SMBIOS& smbios, const char* path) {
        EXPECT_EQ(smbios.StructLength(), kLargeTableBytes) << path;
        ASSERT_EQ(smbios.StructTables().size(), kLargeTableStructures) << path;
        EXPECT_EQ(smbios.StructTables().back().Type, 127) << path;
        EXPECT_EQ(smbios.StructTables().back().Address, smbios.StructStart() + 65539u) << path;
        EXPECT_EQ(smbios.SystemManufacturer(), "Kestova") << path;
        EXPECT_EQ(smbios.SystemModel(), "Last of 4680") << path;
    };

    g_firmware.Rsmb = RawSmbios(3, 2, table); // no "FIRM" regions: no entry point is reachable
    TVexor_SMBIOS raw(nullptr);
    raw.Refresh();
    EXPECT_EQ(raw.TableSource(), "RSMB");
    expectWhole(raw, "RSMB");

    TwoRegions();
    Place(0xC0000, table);
    Place(0xF0000, EntryPoint3(3, 2, 0xC0000, static_cast<std::uint32_t>(table.size())));
    g_firmware.Rsmb.clear();
    TVexor_SMBIOS image(nullptr);
    image.Refresh();
    EXPECT_EQ(image.TableSource(), "FIRM");
    expectWhole(image, "3.x entry point in the image");

    TVexor_SMBIOS supplied(nullptr);
    supplied.SetReadLocalMemory(false);
    supplied.LoadTable(table, 3, 2);
    supplied.Refresh();
    expectWhole(supplied, "supplied");

    TVexor_SMBIOS fromDump(nullptr);
    ASSERT_TRUE(fromDump.LoadDump(raw.DumpTable()));
    fromDump.Refresh();
    expectWhole(fromDump, "dump");
    EXPECT_EQ(fromDump.StructTables(), raw.StructTables());
}

} // namespace
