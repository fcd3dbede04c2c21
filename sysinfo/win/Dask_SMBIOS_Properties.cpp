// The published properties of the SMBIOS sub-component and of the records of
// its lists.
#include "Dask_SMBIOS.h"

namespace {

using PS = TPublish<TVexor_SMBIOS>;
using S = TVexor_SMBIOS;

template <typename R> using PR = TPublish<R>;

constexpr TProperty kStructTable[] = {
    PR<TSMBIOS_StructTable>::Integer<&TSMBIOS_StructTable::Address>("Address"),
    PR<TSMBIOS_StructTable>::Integer<&TSMBIOS_StructTable::Type>("Type"),
    PR<TSMBIOS_StructTable>::Integer<&TSMBIOS_StructTable::Length>("Length"),
    PR<TSMBIOS_StructTable>::Integer<&TSMBIOS_StructTable::Handle>("Handle"),
    PR<TSMBIOS_StructTable>::Text<&TSMBIOS_StructTable::Name>("Name"),
};

using PP = PR<TSMBIOS_Processor>;
constexpr TProperty kProcessor[] = {
    PP::Text<&TSMBIOS_Processor::Socket>("Socket"),
    PP::Text<&TSMBIOS_Processor::Manufacturer>("Manufacturer"),
    PP::Text<&TSMBIOS_Processor::Version>("Version"),
    PP::Integer<&TSMBIOS_Processor::Upgrade>("Upgrade"),
    PP::Float<&TSMBIOS_Processor::Voltage>("Voltage"),
    PP::Integer<&TSMBIOS_Processor::Frequency>("Frequency"),
    PP::Integer<&TSMBIOS_Processor::ExternalClock>("ExternalClock"),
    PP::Text<&TSMBIOS_Processor::SerialNumber>("SerialNumber"),
    PP::Text<&TSMBIOS_Processor::AssetTag>("AssetTag"),
    PP::Text<&TSMBIOS_Processor::PartNumber>("PartNumber"),
};

using PM = PR<TSMBIOS_MemoryModule>;
constexpr TProperty kMemoryModule[] = {
    PM::Text<&TSMBIOS_MemoryModule::Socket>("Socket"),
    PM::Integer<&TSMBIOS_MemoryModule::Speed>("Speed"),
    PM::Integer<&TSMBIOS_MemoryModule::Size>("Size"),
    PM::Integer<&TSMBIOS_MemoryModule::Types>("Types"),
};

using PD = PR<TSMBIOS_MemoryDevice>;
constexpr TProperty kMemoryDevice[] = {
    PD::Integer<&TSMBIOS_MemoryDevice::TotalWidth>("TotalWidth"),
    PD::Integer<&TSMBIOS_MemoryDevice::DataWidth>("DataWidth"),
    PD::Integer<&TSMBIOS_MemoryDevice::Size>("Size"),
    PD::Integer<&TSMBIOS_MemoryDevice::FormFactor>("FormFactor"),
    PD::Text<&TSMBIOS_MemoryDevice::DeviceLocator>("DeviceLocator"),
    PD::Text<&TSMBIOS_MemoryDevice::BankLocator>("BankLocator"),
    PD::Integer<&TSMBIOS_MemoryDevice::Device>("Device"),
    PD::Integer<&TSMBIOS_MemoryDevice::TypeDetails>("TypeDetails"),
    PD::Integer<&TSMBIOS_MemoryDevice::Speed>("Speed"),
    PD::Text<&TSMBIOS_MemoryDevice::Manufacturer>("Manufacturer"),
    PD::Text<&TSMBIOS_MemoryDevice::SerialNumber>("SerialNumber"),
    PD::Text<&TSMBIOS_MemoryDevice::AssetTag>("AssetTag"),
    PD::Text<&TSMBIOS_MemoryDevice::PartNumber>("PartNumber"),
};

using PO = PR<TSMBIOS_Port>;
constexpr TProperty kPort[] = {
    PO::Text<&TSMBIOS_Port::InternalDesignator>("InternalDesignator"),
    PO::Text<&TSMBIOS_Port::ExternalDesignator>("ExternalDesignator"),
    PO::Integer<&TSMBIOS_Port::InternalConnector>("InternalConnector"),
    PO::Integer<&TSMBIOS_Port::ExternalConnector>("ExternalConnector"),
    PO::Integer<&TSMBIOS_Port::Typ>("Typ"),
};

using PL = PR<TSMBIOS_SystemSlot>;
constexpr TProperty kSystemSlot[] = {
    PL::Text<&TSMBIOS_SystemSlot::Designation>("Designation"),
    PL::Integer<&TSMBIOS_SystemSlot::Typ>("Typ"),
    PL::Integer<&TSMBIOS_SystemSlot::DataBus>("DataBus"),
    PL::Integer<&TSMBIOS_SystemSlot::ID>("ID"),
    PL::Integer<&TSMBIOS_SystemSlot::Usage>("Usage"),
    PL::Integer<&TSMBIOS_SystemSlot::Length>("Length"),
};

using PC = PR<TSMBIOS_Cache>;
constexpr TProperty kCache[] = {
    PC::Text<&TSMBIOS_Cache::Designation>("Designation"),
    PC::Integer<&TSMBIOS_Cache::MaxSize>("MaxSize"),
    PC::Integer<&TSMBIOS_Cache::InstalledSize>("InstalledSize"),
    PC::Integer<&TSMBIOS_Cache::SRAMType>("SRAMType"),
    PC::Integer<&TSMBIOS_Cache::Typ>("Typ"),
    PC::Integer<&TSMBIOS_Cache::Associativity>("Associativity"),
    PC::Integer<&TSMBIOS_Cache::Speed>("Speed"),
};

using PB = PR<TSMBIOS_OnBoardDevice>;
constexpr TProperty kOnBoardDevice[] = {
    PB::Text<&TSMBIOS_OnBoardDevice::DeviceName>("DeviceName"),
    PB::Integer<&TSMBIOS_OnBoardDevice::Typ>("Typ"),
    PB::Boolean<&TSMBIOS_OnBoardDevice::Status>("Status"),
};

using PT = PR<TSMBIOS_TemperatureProbe>;
constexpr TProperty kTemperatureProbe[] = {
    PT::Text<&TSMBIOS_TemperatureProbe::Description>("Description"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Location>("Location"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Status>("Status"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Min>("Min"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Max>("Max"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Resolution>("Resolution"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Tolerance>("Tolerance"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Accuracy>("Accuracy"),
    PT::Integer<&TSMBIOS_TemperatureProbe::Value>("Value"),
};

// The acquisition's outcome first, then the decoded values and lists in
// published order; each list with its count.
constexpr TProperty kSMBIOS[] = {
    PS::Boolean<&S::ReadLocalMemory>("ReadLocalMemory"), PS::Text<&S::Version>("Version"),
    PS::Text<&S::TableSource>("TableSource"), PS::Integer<&S::StructLength>("StructLength"),
    PS::Integer<&S::StructCount>("StructCount"), PS::Records<&S::StructTables>("StructTables"),
    PS::Text<&S::SystemModel>("SystemModel"), PS::Text<&S::SystemManufacturer>("SystemManufacturer"),
    PS::Text<&S::SystemVersion>("SystemVersion"), PS::Text<&S::SystemSerial>("SystemSerial"),
    PS::Text<&S::SystemUUID>("SystemUUID"), PS::Text<&S::BIOSVendor>("BIOSVendor"),
    PS::Text<&S::BIOSVersion>("BIOSVersion"), PS::Text<&S::BIOSDate>("BIOSDate"),
    PS::Integer<&S::BIOSSize>("BIOSSize"), PS::Text<&S::MainBoardModel>("MainBoardModel"),
    PS::Text<&S::MainBoardManufacturer>("MainBoardManufacturer"),
    PS::Text<&S::MainBoardVersion>("MainBoardVersion"), PS::Text<&S::MainBoardSerial>("MainBoardSerial"),
    PS::Text<&S::MainBoardAssetTag>("MainBoardAssetTag"),
    PS::Text<&S::MainBoardLocationInChassis>("MainBoardLocationInChassis"),
    PS::Enumeration<[](const S& s) { return ChassisName(s.ChassisModel()); }>("ChassisModel"),
    PS::Text<&S::ChassisManufacturer>("ChassisManufacturer"), PS::Text<&S::ChassisVersion>("ChassisVersion"),
    PS::Text<&S::ChassisSerial>("ChassisSerial"), PS::Text<&S::ChassisAssetTag>("ChassisAssetTag"),
    PS::Enumeration<[](const S& s) { return InterleaveSupportName(s.MemCtrlCurrentInterleave()); }>(
        "MemCtrlCurrentInterleave"),
    PS::Enumeration<[](const S& s) { return InterleaveSupportName(s.MemCtrlSupportedInterleave()); }>(
        "MemCtrlSupportedInterleave"),
    PS::Integer<&S::MemCtrlSupportedSpeeds>("MemCtrlSupportedSpeeds"),
    PS::Integer<&S::MemCtrlSupportedTypes>("MemCtrlSupportedTypes"),
    PS::Integer<&S::MemCtrlSupportedVoltages>("MemCtrlSupportedVoltages"),
    PS::Integer<&S::MemCtrlMaxSize>("MemCtrlMaxSize"), PS::Integer<&S::MemCtrlSlotCount>("MemCtrlSlotCount"),
    PS::Integer<&S::ProcessorCount>("ProcessorCount"),
    PS::Records < [](const S& s) -> const auto& {return s.Values().ProcessorList;
} // namespace
> ("ProcessorList"), PS::Integer<&S::MemoryModuleCount>("MemoryModuleCount"), PS::Records < [
](const S& s) -> const auto& {
    return s.Values().MemoryModuleList;
}
> ("MemoryModuleList"), PS::Integer<&S::MemoryDeviceCount>("MemoryDeviceCount"), PS::Records < [
](const S& s) -> const auto& {
    return s.Values().MemoryDeviceList;
}
> ("MemoryDeviceList"), PS::Integer<&S::PortCount>("PortCount"), PS::Records < [](const S& s) -> const auto& {
    return s.Values().PortList;
}
> ("PortList"), PS::Integer<&S::SystemSlotCount>("SystemSlotCount"), PS::Records < [
](const S& s) -> const auto& {
    return s.Values().SystemSlotList;
}
> ("SystemSlotList"), PS::Integer<&S::CacheCount>("CacheCount"), PS::Records < [](const S& s) -> const auto& {
    return s.Values().CacheList;
}
> ("CacheList"), PS::Integer<&S::OnBoardDeviceCount>("OnBoardDeviceCount"), PS::Records < [
](const S& s) -> const auto& {
    return s.Values().OnBoardDeviceList;
}
> ("OnBoardDeviceList"), PS::Integer<&S::TemperatureProbeCount>("TemperatureProbeCount"), PS::Records < [
](const S& s) -> const auto& {
    return s.Values().TemperatureProbeList;
}
> ("TemperatureProbeList"),
}
;

} // namespace

const TPropertyTable TSMBIOS_StructTable::Properties = TPublish<TSMBIOS_StructTable>::Table(kStructTable);
const TPropertyTable TSMBIOS_Processor::Properties = PP::Table(kProcessor);
const TPropertyTable TSMBIOS_MemoryModule::Properties = PM::Table(kMemoryModule);
const TPropertyTable TSMBIOS_MemoryDevice::Properties = PD::Table(kMemoryDevice);
const TPropertyTable TSMBIOS_Port::Properties = PO::Table(kPort);
const TPropertyTable TSMBIOS_SystemSlot::Properties = PL::Table(kSystemSlot);
const TPropertyTable TSMBIOS_Cache::Properties = PC::Table(kCache);
const TPropertyTable TSMBIOS_OnBoardDevice::Properties = PB::Table(kOnBoardDevice);
const TPropertyTable TSMBIOS_TemperatureProbe::Properties = PT::Table(kTemperatureProbe);
const TPropertyTable TVexor_SMBIOS::Properties =
    PS::Table<TVexor_Nolt_Component>(kSMBIOS, TVexor_Nolt_Component::Properties);
