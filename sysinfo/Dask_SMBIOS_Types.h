#pragma once
// What the SMBIOS sub-component publishes: the walked structure list, the
// enumerations and sets of the decoded values, and the records of its lists.
// Portable.
#include "base/PropertyTable.h"

#include <cstdint>
#include <string>
#include <vector>

// One structure found by the walk, in table order.
struct TSMBIOS_StructTable {
    std::uint32_t Address = 0; // in the table reader's addressing
    std::uint8_t Type = 0;
    std::uint8_t Length = 0; // of the formatted area
    std::uint16_t Handle = 0;
    std::string Name;
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_StructTable&) const = default;
};
using TSMBIOS_StructTables = std::vector<TSMBIOS_StructTable>;

// Ordinal k of each enumeration stands for the standard's value k + 1. Stored
// as bytes: a table may carry values beyond the last named one.
enum TSMBIOS_Chassis : std::uint8_t {
    smchOther,
    smchUnknown,
    smchDesktop,
    smchLowProfileDesktop,
    smchPizzaBox,
    smchMiniTower,
    smchTower,
    smchPortable,
    smchLapTop,
    smchNotebook,
    smchHandHeld,
    smchDockingStation,
    smchAllInOne,
    smchSubNotebook,
    smchSpaceSaving,
    smchLunchBox,
    smchMainServer,
    smchExpansion,
    smchSubChassis,
    smchBusExpansion,
    smchPeripheral,
    smchRAID,
    smchRackMount,
    smchSealedCasePC,
    smchMultiSystem
};
enum TSMBIOS_InterleaveSupport : std::uint8_t {
    smisOther,
    smisUnknown,
    smisOnewWay,
    smisTwoWay,
    smisFourWay,
    smisEightWay,
    smisSixteenWay
};
enum TSMBIOS_MemorySpeed : std::uint8_t { smmsOther, smmsUnknown, smms70ns, smms60ns, smms50ns };
enum TSMBIOS_MemoryType : std::uint8_t {
    smmtOther,
    smmtUnknown,
    smmtStandard,
    smmtFastPageMode,
    smmtEDO,
    smmtParity,
    smmtECC,
    smmtSIMM,
    smmtDIMM,
    smmtBurstEDO,
    smmtSDRAM
};
enum TSMBIOS_Voltage : std::uint8_t { smv5V, smv33V, smv29V };

// Sets: member k is bit k, as in the standard's bit fields.
using TSMBIOS_MemorySpeeds = std::uint8_t;
using TSMBIOS_MemoryTypes = std::uint16_t;
using TSMBIOS_Voltages = std::uint8_t;
// The names of the enumeration values ("smchDesktop"); an ordinal beyond the
// last named one gives its number.
std::string ChassisName(TSMBIOS_Chassis value);
std::string InterleaveSupportName(TSMBIOS_InterleaveSupport value);

template <typename Set, typename Member> constexpr bool InSet(Set set, Member member) {
    return (set >> static_cast<unsigned>(member)) & 1u;
}

struct TSMBIOS_Processor {
    std::string Socket;
    std::string Manufacturer;
    std::string Version;
    std::uint8_t Upgrade = 0;
    double Voltage = 0;              // volts
    std::uint16_t Frequency = 0;     // MHz
    std::uint16_t ExternalClock = 0; // MHz
    std::string SerialNumber;
    std::string AssetTag;
    std::string PartNumber;
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_Processor&) const = default;
};

struct TSMBIOS_MemoryModule {
    std::string Socket;
    std::uint8_t Speed = 0; // ns
    std::uint32_t Size = 0; // MB
    TSMBIOS_MemoryTypes Types = 0;
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_MemoryModule&) const = default;
};

struct TSMBIOS_MemoryDevice {
    std::uint16_t TotalWidth = 0; // bits
    std::uint16_t DataWidth = 0;  // bits
    std::uint16_t Size = 0;       // the size word as stored
    std::uint8_t FormFactor = 0;
    std::string DeviceLocator;
    std::string BankLocator;
    std::uint8_t Device = 0; // memory type
    std::uint16_t TypeDetails = 0;
    std::uint16_t Speed = 0; // ns
    std::string Manufacturer;
    std::string SerialNumber;
    std::string AssetTag;
    std::string PartNumber;
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_MemoryDevice&) const = default;
};

struct TSMBIOS_Port {
    std::string InternalDesignator;
    std::string ExternalDesignator;
    std::uint8_t InternalConnector = 0;
    std::uint8_t ExternalConnector = 0;
    std::uint8_t Typ = 0;
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_Port&) const = default;
};

struct TSMBIOS_SystemSlot {
    std::string Designation;
    std::uint8_t Typ = 0;
    std::uint8_t DataBus = 0;
    std::uint16_t ID = 0;
    std::uint8_t Usage = 0;
    std::uint8_t Length = 0;
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_SystemSlot&) const = default;
};

struct TSMBIOS_Cache {
    std::string Designation;
    std::uint16_t MaxSize = 0;       // KB
    std::uint16_t InstalledSize = 0; // KB
    std::uint8_t SRAMType = 0;
    std::uint8_t Typ = 0;
    std::uint8_t Associativity = 0;
    std::uint16_t Speed = 0; // ns
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_Cache&) const = default;
};

struct TSMBIOS_OnBoardDevice {
    std::string DeviceName;
    std::uint8_t Typ = 0;
    bool Status = false; // enabled
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_OnBoardDevice&) const = default;
};

struct TSMBIOS_TemperatureProbe {
    std::string Description;
    std::uint8_t Location = 0;
    std::uint8_t Status = 0;
    std::uint16_t Min = 0;
    std::uint16_t Max = 0;
    std::uint16_t Resolution = 0;
    std::uint16_t Tolerance = 0;
    std::uint16_t Accuracy = 0;
    std::uint16_t Value = 0;
    static const TPropertyTable Properties;
    bool operator==(const TSMBIOS_TemperatureProbe&) const = default;
};
