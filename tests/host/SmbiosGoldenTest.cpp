// Decoding four real machines' SMBIOS tables, checked against what dmidecode
// printed for the same dumps. dmidecode's texts are turned into this
// program's representation with the value lists of the DMTF SMBIOS standard.
#include "SmbiosDumpText.h"

#include "base/Text.h"
#include "sysinfo/Dask_SMBIOS_Decode.h"
#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "sysinfo/Dask_SMBIOS_Table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

namespace {

// DMTF names as dmidecode prints them; position + 1 is the standard's value.
const std::vector<std::string> kChassisTypes = {"Other",
                                                "Unknown",
                                                "Desktop",
                                                "Low Profile Desktop",
                                                "Pizza Box",
                                                "Mini Tower",
                                                "Tower",
                                                "Portable",
                                                "Laptop",
                                                "Notebook",
                                                "Hand Held",
                                                "Docking Station",
                                                "All In One",
                                                "Sub Notebook",
                                                "Space-saving",
                                                "Lunch Box",
                                                "Main Server Chassis",
                                                "Expansion Chassis",
                                                "Sub Chassis",
                                                "Bus Expansion Chassis",
                                                "Peripheral Chassis",
                                                "RAID Chassis",
                                                "Rack Mount Chassis",
                                                "Sealed-case PC",
                                                "Multi-system"};
const std::vector<std::string> kMemoryTypes = {
    "Other", "Unknown", "DRAM",   "EDRAM",        "VRAM",     "SRAM",     "RAM",      "ROM",
    "Flash", "EEPROM",  "FEPROM", "EPROM",        "CDRAM",    "3DRAM",    "SDRAM",    "SGRAM",
    "RDRAM", "DDR",     "DDR2",   "DDR2 FB-DIMM", "Reserved", "Reserved", "Reserved", "DDR3",
    "FBD2",  "DDR4",    "LPDDR",  "LPDDR2",       "LPDDR3",   "LPDDR4"};
const std::vector<std::string> kSlotUsages = {"Other", "Unknown", "Available", "In Use", "Unavailable"};
const std::vector<std::string> kSlotLengths = {"Other", "Unknown", "Short", "Long"};
const std::vector<std::string> kCacheTypes = {"Other", "Unknown", "Instruction", "Data", "Unified"};
const std::vector<std::string> kAssociativities = {"Other",
                                                   "Unknown",
                                                   "Direct Mapped",
                                                   "2-way Set-associative",
                                                   "4-way Set-associative",
                                                   "Fully Associative",
                                                   "8-way Set-associative",
                                                   "16-way Set-associative"};
const std::vector<std::string> kOnBoardTypes = {
    "Other",      "Unknown", "Video",           "SCSI Controller", "Ethernet",
    "Token Ring", "Sound",   "PATA Controller", "SATA Controller", "SAS Controller"};

// The standard's value of a name, 0 when the list lacks it.
int ValueOf(const std::vector<std::string>& names, const std::string& name) {
    const auto at = std::find(names.begin(), names.end(), name);
    return at == names.end() ? 0 : static_cast<int>(at - names.begin()) + 1;
}

// dmidecode shows a string number 0 as "Not Specified".
std::string Text(const std::string& text) {
    const std::string trimmed = TrimText(text);
    return trimmed == "Not Specified" ? std::string() : trimmed;
}

// "N unit" as a number and its unit; 0 and "" for texts such as "Unknown".
std::pair<unsigned, std::string> Quantity(const std::string& text) {
    unsigned value = 0;
    char unit[16] = {};
    if (std::sscanf(text.c_str(), "%u %15s", &value, unit) < 1)
        return {0, ""};
    return {value, unit};
}

unsigned KiloBytes(const std::string& text) {
    const auto [value, unit] = Quantity(text);
    return unit == "MB" ? value * 1024 : unit == "GB" ? value * 1024 * 1024 : value;
}

// The stored size word of a memory device from dmidecode's size text.
unsigned SizeWord(const std::string& text) {
    if (text == "No Module Installed")
        return 0;
    if (text == "Unknown")
        return 0xFFFF;
    const auto [value, unit] = Quantity(text);
    if (unit == "kB")
        return 0x8000 | value;
    const unsigned mb = unit == "GB" ? value * 1024 : value;
    return mb < 0x7FFF ? mb : 0x7FFF;
}

struct TDecodedDump {
    TSMBIOS_Image Image;
    TDmaRange Table;
    TSMBIOS_StructTables Structures;
    TSMBIOS_Values Values;
    std::vector<TDmidecodeRecord> Expected;

    std::vector<const TDmidecodeRecord*> OfType(unsigned type) const {
        std::vector<const TDmidecodeRecord*> found;
        for (const auto& record : Expected)
            if (record.Type == type)
                found.push_back(&record);
        return found;
    }
};

TDecodedDump Decode(const std::string& name) {
    TDecodedDump dump;
    const auto image = ReadSmbiosDump(ReadFileBytes(SmbiosFixture(name + ".bin")));
    EXPECT_TRUE(image.has_value());
    dump.Image = *image;
    dump.Table.LoadFromBuffer(dump.Image.Table.data(), 0, dump.Image.Table.size());
    dump.Table.SetMemorySize(static_cast<std::uint32_t>(dump.Image.Table.size()));
    dump.Structures = WalkStructureTable(dump.Table, 0, static_cast<std::uint32_t>(dump.Image.Table.size()));
    DecodeStructures(dump.Table, dump.Structures, 0, dump.Image.MajorVersion, dump.Image.MinorVersion,
                     dump.Values);
    dump.Expected = ReadDmidecodeText(SmbiosFixture(name + ".dmidecode.txt"));
    return dump;
}

class SmbiosGolden : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { dump_ = Decode(GetParam()); }
    TDecodedDump dump_;
};

TEST_P(SmbiosGolden, WalkFindsEveryStructureDmidecodeShows) {
    ASSERT_EQ(dump_.Structures.size(), dump_.Expected.size());
    for (std::size_t i = 0; i < dump_.Expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dump_.Structures[i].Handle, dump_.Expected[i].Handle);
        EXPECT_EQ(dump_.Structures[i].Type, dump_.Expected[i].Type);
        EXPECT_EQ(dump_.Structures[i].Length, dump_.Expected[i].Length);
    }
    EXPECT_EQ(dump_.Structures.back().Name, "End-of-Table");
}

TEST_P(SmbiosGolden, BiosSystemBoardAndChassis) {
    const TSMBIOS_Values& v = dump_.Values;
    const auto& bios = dump_.OfType(0).at(0)->Main();
    EXPECT_EQ(v.BIOSVendor, Text(bios.Get("Vendor")));
    EXPECT_EQ(v.BIOSVersion, Text(bios.Get("Version")));
    EXPECT_EQ(v.BIOSDate, Text(bios.Get("Release Date")));
    if (KiloBytes(bios.Get("ROM Size")) < 16 * 1024) { // larger ones come from the 3.1 extended field
        EXPECT_EQ(v.BIOSSize, KiloBytes(bios.Get("ROM Size")));
    }

    const auto& system = dump_.OfType(1).at(0)->Main();
    EXPECT_EQ(v.SystemManufacturer, Text(system.Get("Manufacturer")));
    EXPECT_EQ(v.SystemModel, Text(system.Get("Product Name")));
    EXPECT_EQ(v.SystemVersion, Text(system.Get("Version")));
    EXPECT_EQ(v.SystemSerial, Text(system.Get("Serial Number")));
    // dmidecode shows the first three UUID fields little-endian from 2.6 on.
    std::string uuid = system.Get("UUID");
    uuid.erase(std::remove(uuid.begin(), uuid.end(), '-'), uuid.end());
    if (uuid.size() == 32) {
        if (dump_.Image.MajorVersion > 2 || dump_.Image.MinorVersion >= 6)
            uuid = uuid.substr(6, 2) + uuid.substr(4, 2) + uuid.substr(2, 2) + uuid.substr(0, 2) +
                   uuid.substr(10, 2) + uuid.substr(8, 2) + uuid.substr(14, 2) + uuid.substr(12, 2) +
                   uuid.substr(16);
        std::transform(uuid.begin(), uuid.end(), uuid.begin(), ::toupper);
        EXPECT_EQ(v.SystemUUID, uuid);
    }

    const auto boards = dump_.OfType(2);
    if (!boards.empty()) {
        const auto& board = boards[0]->Main();
        EXPECT_EQ(v.MainBoardManufacturer, Text(board.Get("Manufacturer")));
        EXPECT_EQ(v.MainBoardModel, Text(board.Get("Product Name")));
        EXPECT_EQ(v.MainBoardVersion, Text(board.Get("Version")));
        EXPECT_EQ(v.MainBoardSerial, Text(board.Get("Serial Number")));
        EXPECT_EQ(v.MainBoardAssetTag, Text(board.Get("Asset Tag")));
        EXPECT_EQ(v.MainBoardLocationInChassis, Text(board.Get("Location In Chassis")));
    }

    const auto& chassis = dump_.OfType(3).at(0)->Main();
    EXPECT_EQ(v.ChassisModel, ValueOf(kChassisTypes, chassis.Get("Type")) - 1);
    EXPECT_EQ(v.ChassisManufacturer, Text(chassis.Get("Manufacturer")));
    EXPECT_EQ(v.ChassisVersion, Text(chassis.Get("Version")));
    EXPECT_EQ(v.ChassisSerial, Text(chassis.Get("Serial Number")));
    EXPECT_EQ(v.ChassisAssetTag, Text(chassis.Get("Asset Tag")));
}

TEST_P(SmbiosGolden, EveryProcessor) {
    const auto expected = dump_.OfType(4);
    ASSERT_EQ(dump_.Values.ProcessorList.size(), expected.size());
    const bool v23 = dump_.Image.MajorVersion > 2 || dump_.Image.MinorVersion > 2;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& e = expected[i]->Main();
        const TSMBIOS_Processor& p = dump_.Values.ProcessorList[i];
        EXPECT_EQ(p.Socket, Text(e.Get("Socket Designation")));
        EXPECT_EQ(p.Manufacturer, Text(e.Get("Manufacturer")));
        const std::string version = Text(e.Get("Version"));
        EXPECT_EQ(p.Version, version.empty() ? "Processor_" + std::to_string(i) : version);
        EXPECT_EQ(p.ExternalClock, Quantity(e.Get("External Clock")).first);
        EXPECT_EQ(p.Frequency, Quantity(e.Get("Current Speed")).first);
        double volts = 0;
        if (std::sscanf(e.Get("Voltage").c_str(), "%lf V", &volts) == 1) {
            EXPECT_NEAR(p.Voltage, volts, 1e-9);
        }
        if (v23) {
            EXPECT_EQ(p.SerialNumber, Text(e.Get("Serial Number")));
            EXPECT_EQ(p.AssetTag, Text(e.Get("Asset Tag")));
            EXPECT_EQ(p.PartNumber, Text(e.Get("Part Number")));
        }
    }
    EXPECT_EQ(ListCount(dump_.Values.ProcessorList), expected.size() % 256);
}

TEST_P(SmbiosGolden, EveryMemoryDevice) {
    const auto expected = dump_.OfType(17);
    ASSERT_EQ(dump_.Values.MemoryDeviceList.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& e = expected[i]->Main();
        const TSMBIOS_MemoryDevice& m = dump_.Values.MemoryDeviceList[i];
        EXPECT_EQ(m.Size, SizeWord(e.Get("Size")));
        EXPECT_EQ(m.DeviceLocator, Text(e.Get("Locator")));
        EXPECT_EQ(m.BankLocator, Text(e.Get("Bank Locator")));
        EXPECT_EQ(m.Device, static_cast<std::uint8_t>(ValueOf(kMemoryTypes, e.Get("Type")) - 1));
        const unsigned mhz = Quantity(e.Get("Speed")).first;
        EXPECT_EQ(m.Speed, mhz ? 1000 / mhz : 0);
        const unsigned width = Quantity(e.Get("Total Width")).first;
        if (width) { // dmidecode shows both 0 and FFFFh as "Unknown"
            EXPECT_EQ(m.TotalWidth, width);
        } else {
            EXPECT_TRUE(m.TotalWidth == 0 || m.TotalWidth == 0xFFFF) << m.TotalWidth;
        }
        EXPECT_EQ(m.Manufacturer, Text(e.Get("Manufacturer")));
        EXPECT_EQ(m.SerialNumber, Text(e.Get("Serial Number")));
        EXPECT_EQ(m.PartNumber, Text(e.Get("Part Number")));
    }
}

TEST_P(SmbiosGolden, EveryMemoryModule) {
    const auto expected = dump_.OfType(6);
    ASSERT_EQ(dump_.Values.MemoryModuleList.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& e = expected[i]->Main();
        const TSMBIOS_MemoryModule& m = dump_.Values.MemoryModuleList[i];
        EXPECT_EQ(m.Socket, Text(e.Get("Socket Designation")));
        EXPECT_EQ(m.Speed, Quantity(e.Get("Current Speed")).first);
        EXPECT_EQ(m.Size, Quantity(e.Get("Installed Size")).first); // "Not Installed" gives 0
    }
}

TEST_P(SmbiosGolden, EverySlot) {
    const auto expected = dump_.OfType(9);
    ASSERT_EQ(dump_.Values.SystemSlotList.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& e = expected[i]->Main();
        const TSMBIOS_SystemSlot& s = dump_.Values.SystemSlotList[i];
        const std::string designation = Text(e.Get("Designation"));
        EXPECT_EQ(s.Designation, designation.empty() ? "Slot_" + std::to_string(i) : designation);
        EXPECT_EQ(s.Usage, ValueOf(kSlotUsages, e.Get("Current Usage")) - 1);
        EXPECT_EQ(s.Length, ValueOf(kSlotLengths, e.Get("Length")) - 1);
        unsigned id = 0;
        char rest = 0;
        if (std::sscanf(e.Get("ID").c_str(), "%u%c", &id, &rest) == 1) {
            EXPECT_EQ(s.ID, id);
        }
    }
}

TEST_P(SmbiosGolden, EveryCache) {
    const auto expected = dump_.OfType(7);
    ASSERT_EQ(dump_.Values.CacheList.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& e = expected[i]->Main();
        const TSMBIOS_Cache& c = dump_.Values.CacheList[i];
        const std::string designation = Text(e.Get("Socket Designation"));
        EXPECT_EQ(c.Designation, designation.empty() ? "Cache_" + std::to_string(i) : designation);
        // Sizes are kept in 16 bits of KB.
        EXPECT_EQ(c.InstalledSize, KiloBytes(e.Get("Installed Size")) & 0xFFFF);
        EXPECT_EQ(c.MaxSize, KiloBytes(e.Get("Maximum Size")) & 0xFFFF);
        EXPECT_EQ(c.Speed, Quantity(e.Get("Speed")).first);
        const int typ = ValueOf(kCacheTypes, e.Get("System Type"));
        EXPECT_EQ(c.Typ, typ ? typ - 1 : 1);
        const int associativity = ValueOf(kAssociativities, e.Get("Associativity"));
        EXPECT_EQ(c.Associativity, associativity ? associativity - 1 : 1);
    }
    EXPECT_EQ(ListCount(dump_.Values.CacheList), expected.size() % 256);
}

TEST_P(SmbiosGolden, EveryPortAndOnBoardDevice) {
    const auto ports = dump_.OfType(8);
    ASSERT_EQ(dump_.Values.PortList.size(), ports.size());
    for (std::size_t i = 0; i < ports.size(); ++i) {
        SCOPED_TRACE(i);
        const auto& e = ports[i]->Main();
        EXPECT_EQ(dump_.Values.PortList[i].InternalDesignator, Text(e.Get("Internal Reference Designator")));
        const std::string external = Text(e.Get("External Reference Designator"));
        EXPECT_EQ(dump_.Values.PortList[i].ExternalDesignator,
                  external.empty() ? "PortSlot_" + std::to_string(i) : external);
    }
    std::vector<const TDmidecodeSection*> devices;
    for (const auto* record : dump_.OfType(10))
        for (const auto& section : record->Sections)
            devices.push_back(&section);
    ASSERT_EQ(dump_.Values.OnBoardDeviceList.size(), devices.size());
    for (std::size_t i = 0; i < devices.size(); ++i) {
        SCOPED_TRACE(i);
        const TSMBIOS_OnBoardDevice& d = dump_.Values.OnBoardDeviceList[i];
        EXPECT_EQ(d.DeviceName, Text(devices[i]->Get("Description")));
        EXPECT_EQ(d.Status, devices[i]->Get("Status") == "Enabled");
        const int typ = ValueOf(kOnBoardTypes, devices[i]->Get("Type")) - 1;
        EXPECT_EQ(d.Typ, typ >= 1 && typ <= 7 ? typ : 0);
    }
}

INSTANTIATE_TEST_SUITE_P(RealMachines, SmbiosGolden,
                         ::testing::Values("Asus-UX307LA", "Gigabyte-GA-MA74GMT-S2", "GigaByte-X399",
                                           "VMWare"),
                         [](const auto& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

} // namespace
