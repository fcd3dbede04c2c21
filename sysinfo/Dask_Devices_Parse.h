#pragma once
// The text rules of the device enumeration: the device class table, PCI
// locations and hardware ids, INF-style names, interface references and the
// time-zone shift of the device time stamps.
#include "Vexor_Datetime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The device class table: index = DeviceClass, text = class-name prefix.
inline constexpr size_t kDeviceClassCount = 39;
extern const char* const kDeviceClassNames[kDeviceClassCount];

inline constexpr uint8_t dcComputer = 1;
inline constexpr uint8_t dcUnknown = 24;

// The index of the first table entry the class name begins with, ignoring
// case; dcUnknown when none does ("NetService" gives 21, "HIDClass" 8).
uint8_t GetDeviceClassIndex(std::string_view className);

// Bus, device and function of a location text such as "PCI bus 0, device 31,
// function 3" or "... (0,31,3)"; -1 each when the text gives none.
struct TPciLocation {
    int32_t PCINumber = -1;
    int32_t DeviceNumber = -1;
    int32_t FunctionNumber = -1;
};
TPciLocation ParsePciLocation(std::string_view location);

// Vendor, device, subsystem and revision of a PCI hardware id
// ("PCI\VEN_8086&DEV_2415&SUBSYS_00008086&REV_01"); 0 each otherwise.
struct TPciIds {
    uint32_t VendorID = 0;
    uint32_t DeviceID = 0;
    uint32_t SubSysID = 0;
    uint32_t Revision = 0;
};
TPciIds ParsePciIds(std::string_view hardwareIds);

// A device text as setup stores it: "@file.inf,%name%;Plain text" is shown as
// the part after the first ";" (at most 1024 characters); a text without ";"
// stays as it is.
std::string TextAfterInfReference(const std::string& text);

// The device interface reference "##?#<first hardware id, "\" as "#">#<instance>";
// without a hardware id the id part is empty.
std::string InterfaceReference(std::string_view hardwareIds, std::string_view instance);

// The date-time shifted by the zone bias (minutes) that GetTimeZoneInformation
// gives with result zoneId: standard bias for 0 and 1, daylight bias for 2; 0
// for any other result.
TDateTime ShiftByZoneBias(TDateTime dateTime, uint32_t zoneId, long bias, long standardBias,
                          long daylightBias);
