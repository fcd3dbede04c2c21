#pragma once
// The SMBIOS sub-component of the machine component: finds the firmware's
// SMBIOS structure table, walks it into the list of structures and decodes
// the BIOS, system, board, chassis and memory controller into properties and
// processors, memory, ports, slots, caches, on-board devices and temperature
// probes into lists.
#include "Dask_Common.h"
#include "Dask_DMA.h"
#include "sysinfo/Dask_SMBIOS_Decode.h"
#include "sysinfo/Dask_SMBIOS_Table.h"
#include "sysinfo/Dask_SMBIOS_Types.h"

#include <cstdint>
#include <string>
#include <vector>

class TVexor_SMBIOS : public TVexor_Nolt_Component {
public:
    explicit TVexor_SMBIOS(TComponent* owner);
    ~TVexor_SMBIOS() override;
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    // Acquire the table from this machine; when false, Refresh walks and
    // decodes whatever TableReader holds (see LoadTable).
    bool ReadLocalMemory() const { return readLocalMemory_; }
    void SetReadLocalMemory(bool value) { readLocalMemory_ = value; }
    // Hands a structure table of the given version to TableReader, addressed
    // from 0, for a refresh with ReadLocalMemory false.
    void LoadTable(const std::vector<std::uint8_t>& table, std::uint8_t majorVersion,
                   std::uint8_t minorVersion);
    // The table held, in the `dmidecode --dump-bin` layout.
    std::vector<std::uint8_t> DumpTable() const;
    // Takes the table of such a dump for refreshes without local acquisition
    // (clears ReadLocalMemory); false when the bytes hold no entry point.
    bool LoadDump(const std::vector<std::uint8_t>& file);

    TVexor_DMA* ScanReader() const { return scanReader_; }
    TVexor_DMA* TableReader() const { return tableReader_; }
    std::uint32_t SMBIOSAddress() const { return smbiosAddress_; }
    std::uint8_t MajorVersion() const { return majorVersion_; }
    std::uint8_t MinorVersion() const { return minorVersion_; }
    const std::string& Version() const { return version_; }
    std::uint32_t StructStart() const { return structStart_; }
    // The table's length in bytes, whole: an SMBIOS 3.x table and the "RSMB"
    // table may be longer than the 65,535 bytes of a 2.x entry point.
    std::uint32_t StructLength() const { return structLength_; }
    std::uint16_t StructCount() const { return structCount_; }
    const TSMBIOS_StructTables& StructTables() const { return structTables_; }
    // Where the last refresh found the table: "FIRM", "Memory", "RSMB",
    // "Supplied", or empty.
    const std::string& TableSource() const { return tableSource_; }

    void WalkStructureTable();
    TSMBIOS_StructTable FindStructure(std::uint8_t type) const;
    int FindStructureIndex(std::uint8_t type, int start) const;

    const std::string& SystemModel() const { return values_.SystemModel; }
    const std::string& SystemManufacturer() const { return values_.SystemManufacturer; }
    const std::string& SystemVersion() const { return values_.SystemVersion; }
    const std::string& SystemSerial() const { return values_.SystemSerial; }
    const std::string& SystemUUID() const { return values_.SystemUUID; }
    const std::string& BIOSVendor() const { return values_.BIOSVendor; }
    const std::string& BIOSVersion() const { return values_.BIOSVersion; }
    const std::string& BIOSDate() const { return values_.BIOSDate; }
    std::uint32_t BIOSSize() const { return values_.BIOSSize; }
    const std::string& MainBoardModel() const { return values_.MainBoardModel; }
    const std::string& MainBoardManufacturer() const { return values_.MainBoardManufacturer; }
    const std::string& MainBoardVersion() const { return values_.MainBoardVersion; }
    const std::string& MainBoardSerial() const { return values_.MainBoardSerial; }
    const std::string& MainBoardAssetTag() const { return values_.MainBoardAssetTag; }
    const std::string& MainBoardLocationInChassis() const { return values_.MainBoardLocationInChassis; }
    TSMBIOS_Chassis ChassisModel() const { return values_.ChassisModel; }
    const std::string& ChassisManufacturer() const { return values_.ChassisManufacturer; }
    const std::string& ChassisVersion() const { return values_.ChassisVersion; }
    const std::string& ChassisSerial() const { return values_.ChassisSerial; }
    const std::string& ChassisAssetTag() const { return values_.ChassisAssetTag; }
    TSMBIOS_InterleaveSupport MemCtrlCurrentInterleave() const { return values_.MemCtrlCurrentInterleave; }
    TSMBIOS_InterleaveSupport MemCtrlSupportedInterleave() const {
        return values_.MemCtrlSupportedInterleave;
    }
    TSMBIOS_MemorySpeeds MemCtrlSupportedSpeeds() const { return values_.MemCtrlSupportedSpeeds; }
    TSMBIOS_MemoryTypes MemCtrlSupportedTypes() const { return values_.MemCtrlSupportedTypes; }
    TSMBIOS_Voltages MemCtrlSupportedVoltages() const { return values_.MemCtrlSupportedVoltages; }
    std::uint16_t MemCtrlMaxSize() const { return values_.MemCtrlMaxSize; }
    std::uint8_t MemCtrlSlotCount() const { return values_.MemCtrlSlotCount; }

    std::uint8_t ProcessorCount() const { return ListCount(values_.ProcessorList); }
    std::uint8_t MemoryModuleCount() const { return ListCount(values_.MemoryModuleList); }
    std::uint8_t MemoryDeviceCount() const { return ListCount(values_.MemoryDeviceList); }
    std::uint8_t PortCount() const { return ListCount(values_.PortList); }
    std::uint8_t SystemSlotCount() const { return ListCount(values_.SystemSlotList); }
    std::uint8_t CacheCount() const { return ListCount(values_.CacheList); }
    std::uint8_t OnBoardDeviceCount() const { return ListCount(values_.OnBoardDeviceList); }
    std::uint8_t TemperatureProbeCount() const { return ListCount(values_.TemperatureProbeList); }
    TSMBIOS_Processor Processor(std::uint8_t index) const { return ListItem(values_.ProcessorList, index); }
    TSMBIOS_MemoryModule MemoryModule(std::uint8_t index) const {
        return ListItem(values_.MemoryModuleList, index);
    }
    TSMBIOS_MemoryDevice MemoryDevice(std::uint8_t index) const {
        return ListItem(values_.MemoryDeviceList, index);
    }
    TSMBIOS_Port Port(std::uint8_t index) const { return ListItem(values_.PortList, index); }
    TSMBIOS_SystemSlot SystemSlot(std::uint8_t index) const {
        return ListItem(values_.SystemSlotList, index);
    }
    TSMBIOS_Cache Cache(std::uint8_t index) const { return ListItem(values_.CacheList, index); }
    TSMBIOS_OnBoardDevice OnBoardDevice(std::uint8_t index) const {
        return ListItem(values_.OnBoardDeviceList, index);
    }
    TSMBIOS_TemperatureProbe TemperatureProbe(std::uint8_t index) const {
        return ListItem(values_.TemperatureProbeList, index);
    }
    // Every decoded value and list at once (the lists in full, beyond the
    // 8-bit indexes), for writers.
    const TSMBIOS_Values& Values() const { return values_; }

private:
    // The window loop: firmware image or 64 KB windows, searched for an entry
    // point; true when one was found and its table read.
    bool AcquireFromFirmwareOrMemory(bool& entryPointFound);
    bool AcquireFromRawSMBIOS();
    // Puts table into TableReader, addressed from 0.
    void HoldTable(const std::vector<std::uint8_t>& table);

    bool readLocalMemory_ = true;
    TVexor_DMA* scanReader_ = nullptr;
    TVexor_DMA* tableReader_ = nullptr;
    std::uint32_t smbiosAddress_ = 0;
    std::uint8_t majorVersion_ = 0;
    std::uint8_t minorVersion_ = 0;
    std::string version_;
    std::uint32_t structStart_ = 0;
    std::uint32_t structLength_ = 0;
    std::uint16_t structCount_ = 0;
    std::string tableSource_;
    TSMBIOS_StructTables structTables_;
    TSMBIOS_Values values_;
};
