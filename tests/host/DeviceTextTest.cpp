// The text rules of the device enumeration: class table, PCI locations and
// ids, INF names, interface references, zone shifts.
#include "sysinfo/Dask_Devices_Parse.h"

#include <gtest/gtest.h>

namespace {

TEST(DeviceText, ClassIndexIsTheFirstPrefixIgnoringCase) {
    static const struct {
        const char* name;
        int index;
    } cases[] = {
        {"Computer", 1},   {"HIDClass", 8},        {"NetService", 21}, {"NetClient", 21}, {"TapeDrive", 33},
        {"Tape", 35},      {"TAPECONTROLLER", 34}, {"cdrom", 4},       {"Battery", 0},    {"Bluetooth", 38},
        {"Processor", 37}, {"Sound", 24},          {"", 24},           {"Unknown", 24},   {"System", 32},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetDeviceClassIndex(c.name), c.index) << c.name;
}

TEST(DeviceText, PciLocations) {
    static const struct {
        const char* location;
        int bus, device, function;
    } cases[] = {
        {"PCI bus 0, device 31, function 3", 0, 31, 3},
        {"PCI bus 2, device 0, function 0", 2, 0, 0},
        {"PCI-Steckplatz 1 (PCI-Bus 0, Gerät 31, Funktion 3)", 0, 31, 3},
        {"Slot 3 (0,31,3)", 0, 31, 3},
        {"on Intel bus (12,5,1)", 12, 5, 1},
        {"Onboard", -1, -1, -1},
        {"", -1, -1, -1},
        {"bus x, device y, function z", 0, 0, 0}, // not numbers
    };
    for (const auto& c : cases) {
        const TPciLocation parsed = ParsePciLocation(c.location);
        EXPECT_EQ(parsed.PCINumber, c.bus) << c.location;
        EXPECT_EQ(parsed.DeviceNumber, c.device) << c.location;
        EXPECT_EQ(parsed.FunctionNumber, c.function) << c.location;
    }
}

TEST(DeviceText, PciIds) {
    static const struct {
        const char* ids;
        uint32_t vendor, device, subsys, revision;
    } cases[] = {
        {"PCI\\VEN_8086&DEV_2415&SUBSYS_00008086&REV_01\r\nPCI\\VEN_8086&DEV_2415\r\n", 0x8086, 0x2415,
         0x8086, 0x01},
        {"PCI\\VEN_10DE&DEV_0F00&SUBSYS_C0001458&REV_A1\r\n", 0x10DE, 0x0F00, 0xC0001458, 0xA1},
        {"PCI\\VEN_1106&DEV_3038\r\n", 0x1106, 0x3038, 0, 0},
        {"PCI\\VEN_ZZZZ&DEV_12\r\n", 0, 0, 0, 0},            // not four hexadecimal digits
        {"USB\\VID_046D&PID_C52B&REV_1201\r\n", 0, 0, 0, 0}, // not PCI
        {"ACPI\\PNP0A03\r\n", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const TPciIds ids = ParsePciIds(c.ids);
        EXPECT_EQ(ids.VendorID, c.vendor) << c.ids;
        EXPECT_EQ(ids.DeviceID, c.device) << c.ids;
        EXPECT_EQ(ids.SubSysID, c.subsys) << c.ids;
        EXPECT_EQ(ids.Revision, c.revision) << c.ids;
    }
}

TEST(DeviceText, InfNamesReferencesAndZoneShifts) {
    EXPECT_EQ(TextAfterInfReference("@machine.inf,%pci\\ven_8086&dev_2415.devicedesc%;Intel AC'97 Audio"),
              "Intel AC'97 Audio");
    EXPECT_EQ(TextAfterInfReference("a;b;c"), "b;c");
    EXPECT_EQ(TextAfterInfReference("Plain name"), "Plain name");
    EXPECT_EQ(TextAfterInfReference(";" + std::string(2000, 'x')).size(), 1024u);

    EXPECT_EQ(InterfaceReference("PCI\\VEN_8086&DEV_2415\r\nPCI\\VEN_8086\r\n", "3&61aaa01&0&FD"),
              "##?#PCI#VEN_8086&DEV_2415#3&61aaa01&0&FD");
    EXPECT_EQ(InterfaceReference("", "0000"), "##?##0000");

    // Central European time: bias -60, daylight bias -60 minutes.
    const TDateTime noon = 40000.5;
    EXPECT_DOUBLE_EQ(ShiftByZoneBias(noon, 1, -60, 0, -60), noon + 60 / 1440.0);
    EXPECT_DOUBLE_EQ(ShiftByZoneBias(noon, 0, -60, 0, -60), noon + 60 / 1440.0);
    EXPECT_DOUBLE_EQ(ShiftByZoneBias(noon, 2, -60, 0, -60), noon + 120 / 1440.0);
    EXPECT_DOUBLE_EQ(ShiftByZoneBias(noon, 0xFFFFFFFFu, -60, 0, -60), 0.0);
}

} // namespace
