#pragma once
// The values decoded from the SMBIOS structures that the sub-component
// publishes, and the decoding of thirteen structure types into them.
// Portable: decoding reads the table through the bounds-checked range only.
#include "Dask_DMA_Range.h"
#include "Dask_SMBIOS_Types.h"

#include <cstdint>
#include <string>
#include <vector>

struct TSMBIOS_Values {
    std::string SystemModel, SystemManufacturer, SystemVersion, SystemSerial, SystemUUID;
    std::string BIOSVendor, BIOSVersion, BIOSDate;
    std::uint32_t BIOSSize = 0; // KB
    std::string MainBoardModel, MainBoardManufacturer, MainBoardVersion, MainBoardSerial, MainBoardAssetTag,
        MainBoardLocationInChassis;
    TSMBIOS_Chassis ChassisModel = smchUnknown;
    std::string ChassisManufacturer, ChassisVersion, ChassisSerial, ChassisAssetTag;
    TSMBIOS_InterleaveSupport MemCtrlCurrentInterleave = smisUnknown;
    TSMBIOS_InterleaveSupport MemCtrlSupportedInterleave = smisUnknown;
    TSMBIOS_MemorySpeeds MemCtrlSupportedSpeeds = 0;
    TSMBIOS_MemoryTypes MemCtrlSupportedTypes = 0;
    TSMBIOS_Voltages MemCtrlSupportedVoltages = 0;
    std::uint16_t MemCtrlMaxSize = 0; // MB
    std::uint8_t MemCtrlSlotCount = 0;

    std::vector<TSMBIOS_Processor> ProcessorList;
    std::vector<TSMBIOS_MemoryModule> MemoryModuleList;
    std::vector<TSMBIOS_MemoryDevice> MemoryDeviceList;
    std::vector<TSMBIOS_Port> PortList;
    std::vector<TSMBIOS_SystemSlot> SystemSlotList;
    std::vector<TSMBIOS_Cache> CacheList;
    std::vector<TSMBIOS_OnBoardDevice> OnBoardDeviceList;
    std::vector<TSMBIOS_TemperatureProbe> TemperatureProbeList;
};

// Decodes types 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 17 and 28 of the walked
// structures into values (which the caller has reset). A structure is taken
// only when its address is at least structStart and its first byte is its
// type. Version 2.3 or later (major above 2 or minor above 2) adds the
// processor's and memory device's later fields.
void DecodeStructures(const TDmaRange& table, const TSMBIOS_StructTables& tables, std::uint32_t structStart,
                      std::uint8_t majorVersion, std::uint8_t minorVersion, TSMBIOS_Values& values);

// The indexed reads of the lists: a copy of the record, or an all-zero record
// when the index is out of range.
template <typename Record> Record ListItem(const std::vector<Record>& list, std::uint8_t index) {
    return index < list.size() ? list[index] : Record{};
}
// The count properties: the low 8 bits of the number of records.
template <typename Record> std::uint8_t ListCount(const std::vector<Record>& list) {
    return static_cast<std::uint8_t>(list.size() & 0xFF);
}
