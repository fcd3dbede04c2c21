// The SMBIOS sub-component on Windows. Under Wine there is no "FIRM" table,
// no physical memory section and no 16-bit subsystem: a refresh ends up at
// the "RSMB" table, which the test reads for itself to know what to expect.
// A table handed over for a refresh without local acquisition is decoded as
// found (a real machine's dump, checked against dmidecode's decoding).
#include "sysinfo/Dask_SMBIOS.h"
#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "sysinfo/Dask_SMBIOS_Firmware.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

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

} // namespace
