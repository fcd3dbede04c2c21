#pragma once
// Byte layouts of the DMTF SMBIOS entry points and of the structures that
// are decoded, as the standard lays them out. The decoder reads through the
// bounds-checked table reader at offsetof() these fields, never through the
// structs themselves; the assertions pin every offset the decoding uses.
#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)

// SMBIOS 2.x entry point ("_SM_", with "_DMI_" 16 bytes on).
struct TRawEntryPoint2 {
    char Anchor[4];
    std::uint8_t Checksum;
    std::uint8_t Length;
    std::uint8_t MajorVersion;
    std::uint8_t MinorVersion;
    std::uint16_t MaxStructureSize;
    std::uint8_t EntryPointRevision;
    std::uint8_t FormattedArea[5];
    char IntermediateAnchor[5];
    std::uint8_t IntermediateChecksum;
    std::uint16_t TableLength;
    std::uint32_t TableAddress;
    std::uint16_t StructureCount;
    std::uint8_t BcdRevision;
};
static_assert(sizeof(TRawEntryPoint2) == 0x1F);
static_assert(offsetof(TRawEntryPoint2, MajorVersion) == 0x06);
static_assert(offsetof(TRawEntryPoint2, MinorVersion) == 0x07);
static_assert(offsetof(TRawEntryPoint2, IntermediateAnchor) == 0x10);
static_assert(offsetof(TRawEntryPoint2, IntermediateChecksum) == 0x15);
static_assert(offsetof(TRawEntryPoint2, TableLength) == 0x16);
static_assert(offsetof(TRawEntryPoint2, TableAddress) == 0x18);
static_assert(offsetof(TRawEntryPoint2, StructureCount) == 0x1C);

// Legacy DMI entry point ("_DMI_" alone): the same fields as the 2.x entry
// point's intermediate part, so it is read 16 bytes before its anchor.
struct TRawLegacyEntryPoint {
    char Anchor[5];
    std::uint8_t Checksum;
    std::uint16_t TableLength;
    std::uint32_t TableAddress;
    std::uint16_t StructureCount;
    std::uint8_t BcdRevision;
};
static_assert(sizeof(TRawLegacyEntryPoint) == 0x0F);
static_assert(offsetof(TRawLegacyEntryPoint, TableLength) == 0x06);
static_assert(offsetof(TRawLegacyEntryPoint, TableAddress) == 0x08);
static_assert(offsetof(TRawLegacyEntryPoint, StructureCount) == 0x0C);
static_assert(offsetof(TRawEntryPoint2, IntermediateAnchor) + offsetof(TRawLegacyEntryPoint, TableAddress) ==
              offsetof(TRawEntryPoint2, TableAddress));

// SMBIOS 3.x entry point ("_SM3_"): a 64-bit table address and the table's
// maximum size instead of a structure count.
struct TRawEntryPoint3 {
    char Anchor[5];
    std::uint8_t Checksum;
    std::uint8_t Length;
    std::uint8_t MajorVersion;
    std::uint8_t MinorVersion;
    std::uint8_t DocRevision;
    std::uint8_t EntryPointRevision;
    std::uint8_t Reserved;
    std::uint32_t TableMaxSize;
    std::uint64_t TableAddress;
};
static_assert(sizeof(TRawEntryPoint3) == 0x18);
static_assert(offsetof(TRawEntryPoint3, MajorVersion) == 0x07);
static_assert(offsetof(TRawEntryPoint3, MinorVersion) == 0x08);
static_assert(offsetof(TRawEntryPoint3, TableMaxSize) == 0x0C);
static_assert(offsetof(TRawEntryPoint3, TableAddress) == 0x10);

// The header of the "RSMB" firmware table: the version, then the table.
struct TRawSMBIOSData {
    std::uint8_t Used20CallingMethod;
    std::uint8_t MajorVersion;
    std::uint8_t MinorVersion;
    std::uint8_t DmiRevision;
    std::uint32_t Length;
};
static_assert(sizeof(TRawSMBIOSData) == 8);
static_assert(offsetof(TRawSMBIOSData, MajorVersion) == 1);
static_assert(offsetof(TRawSMBIOSData, Length) == 4);

struct TRawHeader {
    std::uint8_t Type;
    std::uint8_t Length;
    std::uint16_t Handle;
};
static_assert(sizeof(TRawHeader) == 4 && offsetof(TRawHeader, Handle) == 2);

struct TRawBios { // type 0
    TRawHeader Header;
    std::uint8_t Vendor, Version;
    std::uint16_t StartSegment;
    std::uint8_t ReleaseDate, RomSize;
};
static_assert(offsetof(TRawBios, Vendor) == 0x04 && offsetof(TRawBios, Version) == 0x05);
static_assert(offsetof(TRawBios, ReleaseDate) == 0x08 && offsetof(TRawBios, RomSize) == 0x09);

struct TRawSystem { // type 1
    TRawHeader Header;
    std::uint8_t Manufacturer, ProductName, Version, SerialNumber;
    std::uint8_t Uuid[16];
};
static_assert(offsetof(TRawSystem, Manufacturer) == 0x04 && offsetof(TRawSystem, SerialNumber) == 0x07);
static_assert(offsetof(TRawSystem, Uuid) == 0x08 && sizeof(TRawSystem) == 0x18);

struct TRawBaseBoard { // type 2
    TRawHeader Header;
    std::uint8_t Manufacturer, Product, Version, SerialNumber, AssetTag, FeatureFlags, LocationInChassis;
};
static_assert(offsetof(TRawBaseBoard, AssetTag) == 0x08 &&
              offsetof(TRawBaseBoard, LocationInChassis) == 0x0A);

struct TRawChassis { // type 3
    TRawHeader Header;
    std::uint8_t Manufacturer, Type, Version, SerialNumber, AssetTag;
};
static_assert(offsetof(TRawChassis, Type) == 0x05 && offsetof(TRawChassis, AssetTag) == 0x08);

struct TRawProcessor { // type 4
    TRawHeader Header;
    std::uint8_t SocketDesignation, ProcessorType, Family, Manufacturer;
    std::uint8_t Id[8];
    std::uint8_t Version, Voltage;
    std::uint16_t ExternalClock, MaxSpeed, CurrentSpeed;
    std::uint8_t Status, Upgrade;
    std::uint16_t L1CacheHandle, L2CacheHandle, L3CacheHandle;
    std::uint8_t SerialNumber, AssetTag, PartNumber;
};
static_assert(offsetof(TRawProcessor, Manufacturer) == 0x07 && offsetof(TRawProcessor, Version) == 0x10);
static_assert(offsetof(TRawProcessor, Voltage) == 0x11 && offsetof(TRawProcessor, ExternalClock) == 0x12);
static_assert(offsetof(TRawProcessor, CurrentSpeed) == 0x16 && offsetof(TRawProcessor, Upgrade) == 0x19);
static_assert(offsetof(TRawProcessor, SerialNumber) == 0x20 && offsetof(TRawProcessor, PartNumber) == 0x22);

struct TRawMemoryController { // type 5
    TRawHeader Header;
    std::uint8_t ErrorDetecting, ErrorCorrecting, SupportedInterleave, CurrentInterleave, MaxModuleSize;
    std::uint16_t SupportedSpeeds, SupportedTypes;
    std::uint8_t Voltage, SlotCount;
};
static_assert(offsetof(TRawMemoryController, SupportedInterleave) == 0x06);
static_assert(offsetof(TRawMemoryController, MaxModuleSize) == 0x08);
static_assert(offsetof(TRawMemoryController, SupportedSpeeds) == 0x09);
static_assert(offsetof(TRawMemoryController, SupportedTypes) == 0x0B);
static_assert(offsetof(TRawMemoryController, Voltage) == 0x0D &&
              offsetof(TRawMemoryController, SlotCount) == 0x0E);

struct TRawMemoryModule { // type 6
    TRawHeader Header;
    std::uint8_t SocketDesignation, BankConnections, CurrentSpeed;
    std::uint16_t CurrentType;
    std::uint8_t InstalledSize, EnabledSize, ErrorStatus;
};
static_assert(offsetof(TRawMemoryModule, CurrentSpeed) == 0x06 &&
              offsetof(TRawMemoryModule, CurrentType) == 0x07);
static_assert(offsetof(TRawMemoryModule, InstalledSize) == 0x09);

struct TRawCache { // type 7
    TRawHeader Header;
    std::uint8_t SocketDesignation;
    std::uint16_t Configuration, MaximumSize, InstalledSize, SupportedSramType, CurrentSramType;
    std::uint8_t Speed, ErrorCorrection, SystemCacheType, Associativity;
};
static_assert(offsetof(TRawCache, MaximumSize) == 0x07 && offsetof(TRawCache, InstalledSize) == 0x09);
static_assert(offsetof(TRawCache, CurrentSramType) == 0x0D && offsetof(TRawCache, Speed) == 0x0F);
static_assert(offsetof(TRawCache, SystemCacheType) == 0x11 && offsetof(TRawCache, Associativity) == 0x12);
static_assert(sizeof(TRawCache) == 0x13);

struct TRawPort { // type 8
    TRawHeader Header;
    std::uint8_t InternalDesignator, InternalConnector, ExternalDesignator, ExternalConnector, PortType;
};
static_assert(offsetof(TRawPort, ExternalDesignator) == 0x06 && offsetof(TRawPort, PortType) == 0x08);

struct TRawSlot { // type 9
    TRawHeader Header;
    std::uint8_t Designation, SlotType, DataBusWidth, CurrentUsage, SlotLength;
    std::uint16_t SlotId;
};
static_assert(offsetof(TRawSlot, SlotType) == 0x05 && offsetof(TRawSlot, SlotLength) == 0x08);
static_assert(offsetof(TRawSlot, SlotId) == 0x09);

struct TRawOnBoardDevice { // type 10: one pair per device from 04h on
    TRawHeader Header;
    std::uint8_t DeviceType, Description;
};
static_assert(offsetof(TRawOnBoardDevice, DeviceType) == 0x04 &&
              offsetof(TRawOnBoardDevice, Description) == 0x05);

struct TRawMemoryDevice { // type 17
    TRawHeader Header;
    std::uint16_t ArrayHandle, ErrorHandle, TotalWidth, DataWidth, Size;
    std::uint8_t FormFactor, DeviceSet, DeviceLocator, BankLocator, MemoryType;
    std::uint16_t TypeDetail, Speed;
    std::uint8_t Manufacturer, SerialNumber, AssetTag, PartNumber;
};
static_assert(offsetof(TRawMemoryDevice, TotalWidth) == 0x08 && offsetof(TRawMemoryDevice, Size) == 0x0C);
static_assert(offsetof(TRawMemoryDevice, FormFactor) == 0x0E &&
              offsetof(TRawMemoryDevice, DeviceLocator) == 0x10);
static_assert(offsetof(TRawMemoryDevice, MemoryType) == 0x12 &&
              offsetof(TRawMemoryDevice, TypeDetail) == 0x13);
static_assert(offsetof(TRawMemoryDevice, Speed) == 0x15 && offsetof(TRawMemoryDevice, Manufacturer) == 0x17);
static_assert(offsetof(TRawMemoryDevice, PartNumber) == 0x1A);

struct TRawTemperatureProbe { // type 28
    TRawHeader Header;
    std::uint8_t Description, LocationAndStatus;
    std::uint16_t Maximum, Minimum, Resolution, Tolerance, Accuracy;
    std::uint32_t OemDefined;
    std::uint16_t NominalValue;
};
static_assert(offsetof(TRawTemperatureProbe, LocationAndStatus) == 0x05);
static_assert(offsetof(TRawTemperatureProbe, Maximum) == 0x06 &&
              offsetof(TRawTemperatureProbe, Minimum) == 0x08);
static_assert(offsetof(TRawTemperatureProbe, Accuracy) == 0x0E);
static_assert(offsetof(TRawTemperatureProbe, NominalValue) == 0x14);

#pragma pack(pop)
