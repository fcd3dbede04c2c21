#include "Dask_SMBIOS_Decode.h"

#include "Dask_SMBIOS_Layout.h"
#include "Dask_SMBIOS_Table.h"
#include "base/Text.h"

#include <cstdio>

namespace {

// Reads of one structure: fixed fields at their offsets, strings by number
// from the string set that follows the formatted area.
class TStructure {
public:
    TStructure(const TDmaRange& table, const TSMBIOS_StructTable& entry) : table_(table), entry_(entry) {}
    std::uint8_t Length() const { return entry_.Length; }
    std::uint8_t Byte(std::size_t offset) const { return table_.ReadByte(At(offset)); }
    std::uint16_t Word(std::size_t offset) const { return table_.ReadWord(At(offset)); }
    // Leaves text as it is when the string number is 0.
    void String(std::size_t offset, std::string& text) const {
        if (const std::uint8_t number = Byte(offset))
            text = table_.ReadString(At(entry_.Length), number);
    }

private:
    std::uint32_t At(std::size_t offset) const { return static_cast<std::uint32_t>(entry_.Address + offset); }
    const TDmaRange& table_;
    const TSMBIOS_StructTable& entry_;
};

// The standard's value k + 1 as ordinal k (0 wraps to 255, as a byte).
std::uint8_t Ordinal(std::uint8_t value) {
    return static_cast<std::uint8_t>(value - 1);
}

void DefaultName(std::string& field, const char* format, std::size_t index) {
    if (!TrimText(field).empty())
        return;
    char text[32];
    std::snprintf(text, sizeof text, format, static_cast<int>(index));
    field = text;
}

void DecodeBios(const TStructure& s, TSMBIOS_Values& v) {
    v.BIOSSize = (s.Byte(offsetof(TRawBios, RomSize)) + 1u) * 64u;
    s.String(offsetof(TRawBios, Vendor), v.BIOSVendor);
    s.String(offsetof(TRawBios, Version), v.BIOSVersion);
    s.String(offsetof(TRawBios, ReleaseDate), v.BIOSDate);
}

void DecodeSystem(const TStructure& s, TSMBIOS_Values& v) {
    v.SystemUUID.clear();
    if (s.Length() > offsetof(TRawSystem, Uuid)) {
        for (std::size_t i = 0; i < sizeof(TRawSystem::Uuid); ++i) {
            char digits[3];
            std::snprintf(digits, sizeof digits, "%2.2X", s.Byte(offsetof(TRawSystem, Uuid) + i));
            v.SystemUUID += digits;
        }
    }
    s.String(offsetof(TRawSystem, Manufacturer), v.SystemManufacturer);
    s.String(offsetof(TRawSystem, ProductName), v.SystemModel);
    s.String(offsetof(TRawSystem, Version), v.SystemVersion);
    s.String(offsetof(TRawSystem, SerialNumber), v.SystemSerial);
}

void DecodeBaseBoard(const TStructure& s, TSMBIOS_Values& v) {
    s.String(offsetof(TRawBaseBoard, Manufacturer), v.MainBoardManufacturer);
    s.String(offsetof(TRawBaseBoard, Product), v.MainBoardModel);
    s.String(offsetof(TRawBaseBoard, Version), v.MainBoardVersion);
    s.String(offsetof(TRawBaseBoard, SerialNumber), v.MainBoardSerial);
    s.String(offsetof(TRawBaseBoard, AssetTag), v.MainBoardAssetTag);
    if (s.Length() > offsetof(TRawBaseBoard, FeatureFlags))
        s.String(offsetof(TRawBaseBoard, LocationInChassis), v.MainBoardLocationInChassis);
}

void DecodeChassis(const TStructure& s, TSMBIOS_Values& v) {
    v.ChassisModel = static_cast<TSMBIOS_Chassis>(Ordinal(s.Byte(offsetof(TRawChassis, Type)) & 0x7F));
    s.String(offsetof(TRawChassis, Manufacturer), v.ChassisManufacturer);
    s.String(offsetof(TRawChassis, Version), v.ChassisVersion);
    s.String(offsetof(TRawChassis, SerialNumber), v.ChassisSerial);
    s.String(offsetof(TRawChassis, AssetTag), v.ChassisAssetTag);
}

double ProcessorVoltage(std::uint8_t b) {
    if (b & 0x80)
        return (b - 128) / 10.0;
    if (b & 0x01)
        return 5.0;
    if (b & 0x02)
        return 3.3;
    if (b & 0x04)
        return 2.9;
    return 0;
}

void DecodeProcessor(const TStructure& s, bool v23, TSMBIOS_Values& v) {
    TSMBIOS_Processor p;
    p.Voltage = ProcessorVoltage(s.Byte(offsetof(TRawProcessor, Voltage)));
    p.Upgrade = Ordinal(s.Byte(offsetof(TRawProcessor, Upgrade)));
    p.ExternalClock = s.Word(offsetof(TRawProcessor, ExternalClock));
    p.Frequency = s.Word(offsetof(TRawProcessor, CurrentSpeed));
    s.String(offsetof(TRawProcessor, SocketDesignation), p.Socket);
    s.String(offsetof(TRawProcessor, Manufacturer), p.Manufacturer);
    s.String(offsetof(TRawProcessor, Version), p.Version);
    if (v23) {
        s.String(offsetof(TRawProcessor, SerialNumber), p.SerialNumber);
        s.String(offsetof(TRawProcessor, AssetTag), p.AssetTag);
        s.String(offsetof(TRawProcessor, PartNumber), p.PartNumber);
    }
    v.ProcessorList.push_back(std::move(p));
    DefaultName(v.ProcessorList.back().Version, "Processor_%d", v.ProcessorList.size() - 1);
}

// 2 to the power n kept in `bits` bits: 0 once the power no longer fits.
std::uint32_t PowerOfTwo(unsigned n, unsigned bits) {
    return n < bits ? (1u << n) : 0u;
}

void DecodeMemoryController(const TStructure& s, TSMBIOS_Values& v) {
    v.MemCtrlSupportedInterleave = static_cast<TSMBIOS_InterleaveSupport>(
        Ordinal(s.Byte(offsetof(TRawMemoryController, SupportedInterleave))));
    v.MemCtrlCurrentInterleave = static_cast<TSMBIOS_InterleaveSupport>(
        Ordinal(s.Byte(offsetof(TRawMemoryController, CurrentInterleave))));
    v.MemCtrlMaxSize =
        static_cast<std::uint16_t>(PowerOfTwo(s.Byte(offsetof(TRawMemoryController, MaxModuleSize)), 16));
    v.MemCtrlSupportedSpeeds =
        static_cast<std::uint8_t>(s.Word(offsetof(TRawMemoryController, SupportedSpeeds)) & 0x1F);
    v.MemCtrlSupportedTypes =
        static_cast<std::uint16_t>(s.Word(offsetof(TRawMemoryController, SupportedTypes)) & 0x7FF);
    v.MemCtrlSupportedVoltages =
        static_cast<std::uint8_t>(s.Byte(offsetof(TRawMemoryController, Voltage)) & 0x07);
    v.MemCtrlSlotCount = s.Byte(offsetof(TRawMemoryController, SlotCount));
}

void DecodeMemoryModule(const TStructure& s, TSMBIOS_Values& v) {
    TSMBIOS_MemoryModule m;
    s.String(offsetof(TRawMemoryModule, SocketDesignation), m.Socket);
    m.Speed = s.Byte(offsetof(TRawMemoryModule, CurrentSpeed));
    m.Types = static_cast<std::uint16_t>(s.Word(offsetof(TRawMemoryModule, CurrentType)) & 0x7FF);
    const unsigned n = s.Byte(offsetof(TRawMemoryModule, InstalledSize)) & 0x7F;
    m.Size = (n >= 0x7D) ? 0 : PowerOfTwo(n, 32);
    v.MemoryModuleList.push_back(std::move(m));
}

std::uint16_t CacheSize(std::uint16_t word) {
    const std::uint16_t n = word & 0x7FFF;
    return (word & 0x8000) ? static_cast<std::uint16_t>(n * 64u) : n;
}

void DecodeCache(const TStructure& s, TSMBIOS_Values& v) {
    TSMBIOS_Cache c;
    s.String(offsetof(TRawCache, SocketDesignation), c.Designation);
    c.MaxSize = CacheSize(s.Word(offsetof(TRawCache, MaximumSize)));
    c.InstalledSize = CacheSize(s.Word(offsetof(TRawCache, InstalledSize)));
    const std::uint16_t sram = s.Word(offsetof(TRawCache, CurrentSramType)) & 0x7F;
    for (std::uint8_t bit = 0; bit < 7; ++bit)
        if (sram & (1u << bit))
            c.SRAMType = bit;
    c.Typ = 1;
    c.Associativity = 1;
    if (s.Length() > offsetof(TRawCache, Speed)) {
        c.Speed = s.Byte(offsetof(TRawCache, Speed));
        const std::uint8_t typ = s.Byte(offsetof(TRawCache, SystemCacheType));
        const std::uint8_t associativity = s.Byte(offsetof(TRawCache, Associativity));
        c.Typ = (typ >= 1 && typ <= 5) ? Ordinal(typ) : 1;
        c.Associativity = (associativity >= 1 && associativity <= 8) ? Ordinal(associativity) : 1;
    }
    v.CacheList.push_back(std::move(c));
    DefaultName(v.CacheList.back().Designation, "Cache_%d", v.CacheList.size() - 1);
}

std::uint8_t PortConnector(std::uint8_t b) {
    return b == 0xFF ? 39 : b;
}

void DecodePort(const TStructure& s, TSMBIOS_Values& v) {
    TSMBIOS_Port p;
    s.String(offsetof(TRawPort, InternalDesignator), p.InternalDesignator);
    s.String(offsetof(TRawPort, ExternalDesignator), p.ExternalDesignator);
    p.InternalConnector = PortConnector(s.Byte(offsetof(TRawPort, InternalConnector)));
    p.ExternalConnector = PortConnector(s.Byte(offsetof(TRawPort, ExternalConnector)));
    const std::uint8_t typ = s.Byte(offsetof(TRawPort, PortType));
    p.Typ = typ == 0xFF ? 34 : (typ > 0x1F ? static_cast<std::uint8_t>(typ - 128) : typ);
    v.PortList.push_back(std::move(p));
    DefaultName(v.PortList.back().ExternalDesignator, "PortSlot_%d", v.PortList.size() - 1);
}

void DecodeSlot(const TStructure& s, TSMBIOS_Values& v) {
    TSMBIOS_SystemSlot slot;
    s.String(offsetof(TRawSlot, Designation), slot.Designation);
    const std::uint8_t typ = s.Byte(offsetof(TRawSlot, SlotType));
    if (typ <= 0x13)
        slot.Typ = Ordinal(typ);
    else if (typ >= 0xA0 && typ <= 0xA4)
        slot.Typ = static_cast<std::uint8_t>(typ - 0xA0 + 19);
    slot.DataBus = Ordinal(s.Byte(offsetof(TRawSlot, DataBusWidth)));
    slot.Usage = Ordinal(s.Byte(offsetof(TRawSlot, CurrentUsage)));
    slot.Length = Ordinal(s.Byte(offsetof(TRawSlot, SlotLength)));
    slot.ID = s.Word(offsetof(TRawSlot, SlotId));
    v.SystemSlotList.push_back(std::move(slot));
    DefaultName(v.SystemSlotList.back().Designation, "Slot_%d", v.SystemSlotList.size() - 1);
}

void DecodeOnBoardDevices(const TStructure& s, TSMBIOS_Values& v) {
    const int count = (static_cast<int>(s.Length()) - 4) / 2;
    for (int k = 0; k < count; ++k) {
        const std::uint8_t b = s.Byte(offsetof(TRawOnBoardDevice, DeviceType) + 2 * k);
        TSMBIOS_OnBoardDevice d;
        const int typ = (b & 0x7F) - 1;
        d.Typ = (typ >= 1 && typ <= 7) ? static_cast<std::uint8_t>(typ) : 0;
        d.Status = (b & 0x80) != 0;
        s.String(offsetof(TRawOnBoardDevice, Description) + 2 * k, d.DeviceName);
        v.OnBoardDeviceList.push_back(std::move(d));
    }
}

void DecodeMemoryDevice(const TStructure& s, bool v23, TSMBIOS_Values& v) {
    TSMBIOS_MemoryDevice m;
    m.TotalWidth = s.Word(offsetof(TRawMemoryDevice, TotalWidth));
    m.DataWidth = s.Word(offsetof(TRawMemoryDevice, DataWidth));
    m.Size = s.Word(offsetof(TRawMemoryDevice, Size));
    m.FormFactor = Ordinal(s.Byte(offsetof(TRawMemoryDevice, FormFactor)));
    s.String(offsetof(TRawMemoryDevice, DeviceLocator), m.DeviceLocator);
    s.String(offsetof(TRawMemoryDevice, BankLocator), m.BankLocator);
    m.Device = Ordinal(s.Byte(offsetof(TRawMemoryDevice, MemoryType)));
    m.TypeDetails = static_cast<std::uint16_t>(s.Word(offsetof(TRawMemoryDevice, TypeDetail)) & 0x1FFF);
    if (v23) {
        const std::uint16_t mhz = s.Word(offsetof(TRawMemoryDevice, Speed));
        m.Speed = mhz ? static_cast<std::uint16_t>(1000 / mhz) : 0;
        s.String(offsetof(TRawMemoryDevice, Manufacturer), m.Manufacturer);
        s.String(offsetof(TRawMemoryDevice, SerialNumber), m.SerialNumber);
        s.String(offsetof(TRawMemoryDevice, AssetTag), m.AssetTag);
        s.String(offsetof(TRawMemoryDevice, PartNumber), m.PartNumber);
    }
    v.MemoryDeviceList.push_back(std::move(m));
}

void DecodeTemperatureProbe(const TStructure& s, TSMBIOS_Values& v) {
    TSMBIOS_TemperatureProbe p;
    s.String(offsetof(TRawTemperatureProbe, Description), p.Description);
    p.Description = TrimText(p.Description);
    const std::uint8_t b = s.Byte(offsetof(TRawTemperatureProbe, LocationAndStatus));
    p.Location = Ordinal(b & 0x1F);
    p.Status = Ordinal(static_cast<std::uint8_t>(b >> 5));
    p.Max = s.Word(offsetof(TRawTemperatureProbe, Maximum));
    p.Min = s.Word(offsetof(TRawTemperatureProbe, Minimum));
    p.Resolution = s.Word(offsetof(TRawTemperatureProbe, Resolution));
    p.Tolerance = s.Word(offsetof(TRawTemperatureProbe, Tolerance));
    p.Accuracy = s.Word(offsetof(TRawTemperatureProbe, Accuracy));
    if (s.Length() > 20)
        p.Value = s.Word(offsetof(TRawTemperatureProbe, NominalValue));
    v.TemperatureProbeList.push_back(std::move(p));
}

} // namespace

void DecodeStructures(const TDmaRange& table, const TSMBIOS_StructTables& tables, std::uint32_t structStart,
                      std::uint8_t majorVersion, std::uint8_t minorVersion, TSMBIOS_Values& values) {
    const bool v23 = majorVersion > 2 || minorVersion > 2;
    auto decodable = [&](const TSMBIOS_StructTable& entry, std::uint8_t type) {
        return entry.Address >= structStart && table.ReadByte(entry.Address) == type;
    };
    auto single = [&](std::uint8_t type, auto decode) {
        const int index = FindStructureIndex(tables, type, 0);
        if (index >= 0 && decodable(tables[static_cast<std::size_t>(index)], type))
            decode(TStructure(table, tables[static_cast<std::size_t>(index)]));
    };
    auto each = [&](std::uint8_t type, auto decode) {
        for (int index = FindStructureIndex(tables, type, 0); index >= 0;
             index = FindStructureIndex(tables, type, index + 1))
            if (decodable(tables[static_cast<std::size_t>(index)], type))
                decode(TStructure(table, tables[static_cast<std::size_t>(index)]));
    };
    single(0, [&](const TStructure& s) { DecodeBios(s, values); });
    single(1, [&](const TStructure& s) { DecodeSystem(s, values); });
    single(2, [&](const TStructure& s) { DecodeBaseBoard(s, values); });
    single(3, [&](const TStructure& s) { DecodeChassis(s, values); });
    each(4, [&](const TStructure& s) { DecodeProcessor(s, v23, values); });
    each(5, [&](const TStructure& s) { DecodeMemoryController(s, values); });
    each(6, [&](const TStructure& s) { DecodeMemoryModule(s, values); });
    each(7, [&](const TStructure& s) { DecodeCache(s, values); });
    each(8, [&](const TStructure& s) { DecodePort(s, values); });
    each(9, [&](const TStructure& s) { DecodeSlot(s, values); });
    each(10, [&](const TStructure& s) { DecodeOnBoardDevices(s, values); });
    each(17, [&](const TStructure& s) { DecodeMemoryDevice(s, v23, values); });
    each(28, [&](const TStructure& s) { DecodeTemperatureProbe(s, values); });
}

namespace {
template <std::size_t N> std::string NameOf(const char* const (&names)[N], unsigned ordinal) {
    return ordinal < N ? names[ordinal] : std::to_string(ordinal);
}
} // namespace

std::string ChassisName(TSMBIOS_Chassis value) {
    static const char* const names[] = {
        "smchOther",      "smchUnknown",     "smchDesktop",     "smchLowProfileDesktop",
        "smchPizzaBox",   "smchMiniTower",   "smchTower",       "smchPortable",
        "smchLapTop",     "smchNotebook",    "smchHandHeld",    "smchDockingStation",
        "smchAllInOne",   "smchSubNotebook", "smchSpaceSaving", "smchLunchBox",
        "smchMainServer", "smchExpansion",   "smchSubChassis",  "smchBusExpansion",
        "smchPeripheral", "smchRAID",        "smchRackMount",   "smchSealedCasePC",
        "smchMultiSystem"};
    return NameOf(names, value);
}

std::string InterleaveSupportName(TSMBIOS_InterleaveSupport value) {
    static const char* const names[] = {"smisOther",   "smisUnknown",  "smisOnewWay",   "smisTwoWay",
                                        "smisFourWay", "smisEightWay", "smisSixteenWay"};
    return NameOf(names, value);
}
