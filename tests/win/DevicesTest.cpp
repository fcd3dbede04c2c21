// The device enumeration and the machine component's "Computer" device,
// against device, class, service and interface keys the test writes next to
// Wine's own (Wine has no "Computer" class and no "Control" subkeys).
#include "sysinfo/win/Dask_Devices.h"
#include "sysinfo/win/Dask_Devices_Registry.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Vexor_Routines.h"

#include "tests/fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const char kEnum[] = "SYSTEM\\CurrentControlSet\\Enum\\KESTOVATEST";
const char kClass[] = "SYSTEM\\CurrentControlSet\\Control\\Class";
const char kAudioGuid[] = "{6b0a7e11-0000-4b6f-9e57-4b4553544f56}";
const char kComputerGuid[] = "{6B0A7E11-0000-4B6F-9E57-4B4553544F43}";
const char kInterfaceGuid[] = "{6B0A7E11-0000-4B6F-9E57-4B4553544649}";
const char kDeviceId[] = "VEN_8086&DEV_2415&SUBSYS_00008086&REV_01";
const char kInstance[] = "3&11583659&0&F8";
const std::string kHardwareIds("PCI\\VEN_8086&DEV_2415&SUBSYS_00008086&REV_01\0PCI\\VEN_8086&DEV_2415\0", 66);

void SetTyped(const RegistryKeyWriter& tree, const std::string& subKey, const char* name, DWORD type,
              const std::string& data) {
    UniqueRegKey key = CreateTestKey(HKEY_LOCAL_MACHINE, tree.Path() + (subKey.empty() ? "" : "\\" + subKey));
    RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                   static_cast<DWORD>(data.size()));
}

class Devices : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string audio = std::string(kDeviceId) + "\\" + kInstance;
        enum_.SetString(audio, "ClassGUID", kAudioGuid);
        enum_.SetString(audio, "FriendlyName", "  ");
        enum_.SetString(audio, "DeviceDesc", "@machine.inf,%ac97%;Kestova Audio");
        enum_.SetString(audio, "Mfg", "@machine.inf,%mfg%;Kestova Works");
        enum_.SetString(audio, "Service", "KestovaSvc");
        enum_.SetString(audio, "LocationInformation", "PCI bus 2, device 0, function 0");
        enum_.SetString(audio, "Driver", std::string(kAudioGuid) + "\\0000");
        SetTyped(enum_, audio, "HardwareID", REG_MULTI_SZ, kHardwareIds + std::string(1, '\0'));
        SetTyped(enum_, audio + "\\Control", "AllocConfig", REG_RESOURCE_LIST, std::string("\x01\0\0\0", 4));
        SetTyped(enum_, audio + "\\LogConf", "BootConfig", REG_RESOURCE_LIST, std::string("\x01\0\0\0", 4));
        enum_.SetString(audio + "\\Device Parameters", "Empty", "");
        enum_.SetDword(audio + "\\Device Parameters", "Number", 5);
        enum_.SetString(audio + "\\Device Parameters", "Port", "COM7");
        enum_.SetString(audio + "\\Device Parameters", "Zlater", "LPT1");

        enum_.SetString("HAL\\0000", "ClassGUID", kComputerGuid);
        enum_.SetString("HAL\\0000", "DeviceDesc", "Kestova ACPI PC");
        enum_.CreateKey("HAL\\0000\\Control");
        // Not present: no "Control" key.
        enum_.SetString("HAL\\0001", "ClassGUID", kComputerGuid);
        enum_.SetString("HAL\\0001", "DeviceDesc", "Absent PC");
        // No class at all, and a class named by the device key only.
        enum_.SetString("NOCLASS\\0000", "DeviceDesc", "Nobody's");
        enum_.CreateKey("NOCLASS\\0000\\Control");
        enum_.SetString("TAPE\\0000", "Class", "TapeDrive");
        enum_.SetString("TAPE\\0000", "DeviceDesc", "Kestova Tape");
        enum_.CreateKey("TAPE\\0000\\Control");

        audioClass_.SetString("", "Class", "MEDIA");
        audioClass_.SetString("", "", "Sound, video and game controllers");
        audioClass_.SetString("", "Icon", "-1");
        audioClass_.SetString("0000", "DriverDate", "6-21-2006");
        audioClass_.SetString("0000", "DriverVersion", "5.10.0.5000");
        audioClass_.SetString("0000", "ProviderName", "Kestova");
        audioClass_.SetString("0000", "InfPath", "oem1.inf");
        computerClass_.SetString("", "Class", "Computer");
        computerClass_.SetString("", "", "Computer");
        computerClass_.SetDword("", "Icon", 7);

        audioService_.SetString("", "DisplayName", "Kestova Audio Driver");
        audioService_.SetString("", "Group", "Extended base");
        audioService_.SetDword("", "Type", 1);
        busService_.SetString("", "DisplayName", "Kestova Bus");
        busService_.SetString("", "Group", "Boot Bus Extender");
        busService_.SetDword("", "Type", 2);

        interface_.SetString(std::string("##?#PCI#") + kDeviceId + "#" + kInstance + "#" + kInterfaceGuid +
                                 "\\#",
                             "SymbolicLink", "\\\\?\\PCI#Kestova#link");
    }

    // The test's own devices, in the component's order.
    static std::vector<TDevice> OwnDevices(const TVexor_Devices& devices) {
        std::vector<TDevice> own;
        for (const TDevice& device : devices.DeviceList())
            if (device.RegKey.find("\\KESTOVATEST\\") != std::string::npos)
                own.push_back(device);
        return own;
    }

    ScopedRegistryTree enum_{HKEY_LOCAL_MACHINE, kEnum};
    ScopedRegistryTree audioClass_{HKEY_LOCAL_MACHINE, std::string(kClass) + "\\" + kAudioGuid};
    ScopedRegistryTree computerClass_{HKEY_LOCAL_MACHINE, std::string(kClass) + "\\" + kComputerGuid};
    ScopedRegistryTree audioService_{HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\KestovaSvc"};
    ScopedRegistryTree busService_{HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\KESTOVATEST"};
    ScopedRegistryTree interface_{HKEY_LOCAL_MACHINE,
                                  std::string("SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\") +
                                      kInterfaceGuid};
};

TEST_F(Devices, PresentDevicesWithEveryField) {
    if (!IsNT())
        GTEST_SKIP() << "the NT device tree";
    TVexor_Devices devices(nullptr);
    devices.Refresh();
    EXPECT_TRUE(devices.DataPresent());
    const std::vector<TDevice> own = OwnDevices(devices);
    ASSERT_EQ(own.size(), 3u); // not the absent PC, not the device without class
    // By class name: Computer, MEDIA, TapeDrive.
    EXPECT_EQ(own[0].ClassName, "Computer");
    EXPECT_EQ(own[1].ClassName, "MEDIA");
    EXPECT_EQ(own[2].ClassName, "TapeDrive");

    const TDevice& pc = own[0];
    EXPECT_EQ(pc.Name, "Kestova ACPI PC");
    EXPECT_EQ(pc.DeviceClass, 1);
    EXPECT_EQ(pc.ClassIcon, "7");
    EXPECT_EQ(pc.Location, "Kestova Bus"); // the enumerator's service
    EXPECT_EQ(pc.PCINumber, -1);
    EXPECT_EQ(pc.ServiceName, "");
    EXPECT_EQ(pc.InstanceKey, "0000");
    EXPECT_EQ(pc.RegKey, "\\SYSTEM\\CurrentControlSet\\Enum\\KESTOVATEST\\HAL\\0000");
    EXPECT_NE(pc.TimeStamp, 0.0);

    const TDevice& audio = own[1];
    EXPECT_EQ(audio.GUID, "{6B0A7E11-0000-4B6F-9E57-4B4553544F56}");
    EXPECT_EQ(audio.FriendlyName, "  ");
    EXPECT_EQ(audio.Description, "Kestova Audio");
    EXPECT_EQ(audio.Name, "Kestova Audio");
    EXPECT_EQ(audio.Manufacturer, "Kestova Works");
    EXPECT_EQ(audio.ClassDesc, "Sound, video and game controllers");
    EXPECT_EQ(audio.ClassIcon, "-1");
    EXPECT_EQ(audio.DeviceClass, 30);
    EXPECT_EQ(audio.Location, "PCI bus 2, device 0, function 0");
    EXPECT_EQ(audio.PCINumber, 2);
    EXPECT_EQ(audio.DeviceNumber, 0);
    EXPECT_EQ(audio.FunctionNumber, 0);
    EXPECT_EQ(audio.Driver, std::string(kAudioGuid) + "\\0000");
    EXPECT_EQ(audio.DriverDate, "6-21-2006");
    EXPECT_EQ(audio.DriverVersion, "5.10.0.5000");
    EXPECT_EQ(audio.DriverProvider, "Kestova");
    EXPECT_EQ(audio.InfPath, "oem1.inf");
    EXPECT_EQ(audio.Service, "KestovaSvc");
    EXPECT_EQ(audio.ServiceName, "Kestova Audio Driver");
    EXPECT_EQ(audio.ServiceGroup, "Extended base");
    EXPECT_EQ(audio.ServiceType, 1);
    EXPECT_EQ(audio.HardwareID,
              "PCI\\VEN_8086&DEV_2415&SUBSYS_00008086&REV_01\r\nPCI\\VEN_8086&DEV_2415\r\n");
    EXPECT_EQ(audio.VendorID, 0x8086u);
    EXPECT_EQ(audio.DeviceID, 0x2415u);
    EXPECT_EQ(audio.SubSysID, 0x8086u);
    EXPECT_EQ(audio.Revision, 0x01u);
    EXPECT_EQ(audio.InstanceKey, kInstance);
    // "Control" sorts before "Device Parameters" and "LogConf".
    EXPECT_EQ(audio.ResourceListKey, audio.RegKey + "\\Control");
    EXPECT_EQ(audio.ResourceListValue, "AllocConfig");
    EXPECT_EQ(audio.SymbolicLink, "\\\\?\\PCI#Kestova#link");
    EXPECT_EQ(audio.DeviceParam, "COM7");

    EXPECT_EQ(own[2].DeviceClass, 33);
    EXPECT_EQ(own[2].ClassDesc, "");

    // Copies by index; an index out of range leaves the record alone.
    TDevice copy;
    copy.Name = "untouched";
    devices.Devices(devices.DeviceCount(), copy);
    devices.Devices(-1, copy);
    EXPECT_EQ(copy.Name, "untouched");
    devices.Devices(0, copy);
    EXPECT_EQ(copy.RegKey, devices.DeviceList()[0].RegKey);
}

TEST_F(Devices, MachineNamesTheFirstComputerDevice) {
    if (!IsNT())
        GTEST_SKIP() << "the NT device tree";
    TVexor_Machine machine(nullptr);
    machine.Refresh();
    EXPECT_EQ(machine.Computer(), "Kestova ACPI PC");
    EXPECT_EQ(machine.ComponentCount(), 2u);

    // Without a "Computer" device the name stays.
    enum_.DeleteTree("HAL");
    machine.Refresh();
    EXPECT_EQ(machine.Computer(), "Kestova ACPI PC");
}

TEST_F(Devices, ResourceListsAndZoneShift) {
    const std::string key = std::string("\\") + kEnum + "\\" + kDeviceId + "\\" + kInstance;
    enum_.DeleteTree(std::string(kDeviceId) + "\\" + kInstance + "\\Control");
    const TResourceList list = FindResourceList(key);
    EXPECT_EQ(list.Key, key + "\\LogConf");
    EXPECT_EQ(list.Value, "BootConfig");
    EXPECT_EQ(FindResourceList(key + "\\LogConf").Key, "");

    TIME_ZONE_INFORMATION zone{};
    const DWORD id = GetTimeZoneInformation(&zone);
    const long bias = zone.Bias + (id == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : zone.StandardBias);
    EXPECT_DOUBLE_EQ(LocalToBiasedTime(40000.5), 40000.5 - bias / 1440.0);
}

} // namespace
