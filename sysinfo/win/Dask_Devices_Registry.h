#pragma once
// The registry look-ups of the device enumeration, each with a registry
// reader of its own on HKEY_LOCAL_MACHINE: setup classes, drivers, services,
// resource lists and device interfaces.
#include "sysinfo/Vexor_Datetime.h"

#include <windows.h>

#include <cstdint>
#include <string>

// The setup class key folder: "Control\Class" on the NT family, the
// Windows 9x "Services\Class" elsewhere.
std::string DeviceClassRoot();

struct TDeviceClassInfo {
    std::string ClassName;
    std::string ClassDesc;
    std::string ClassIcon;
};
// The class key named by guid (found among the class keys ignoring case):
// its "Class", its default value and its "Icon" as text. On Windows 9x the
// class key's "Link" names the key that holds description and icon.
TDeviceClassInfo ReadDeviceClassInfo(const std::string& guid);

struct TDriverInfo {
    std::string DriverDate;
    std::string DriverVersion;
    std::string DriverProvider;
    std::string InfPath;
};
// The driver key "<class guid>\<instance>" under the class key folder.
TDriverInfo ReadDriverInfo(const std::string& driver);

struct TServiceInfo {
    std::string DisplayName;
    std::string Group;
    int32_t Type = 0;
};
// "DisplayName", "Group" and "Type" (0 when missing or not a number) of a
// service key.
TServiceInfo ReadServiceInfo(const std::string& service);

struct TResourceList {
    std::string Key;
    std::string Value;
};
// The first REG_RESOURCE_LIST value in the subkeys of keyPath, the subkeys
// taken in name order (ignoring case), their values in registry order.
TResourceList FindResourceList(const std::string& keyPath);

// "SymbolicLink" of the first device interface key that the device's first
// hardware id and instance name reach under "DeviceClasses"; NT only.
std::string FindSymbolicLink(const std::string& hardwareIds, const std::string& instance);

// A local date-time shifted once more by the zone's current bias.
TDateTime LocalToBiasedTime(TDateTime dateTime);
