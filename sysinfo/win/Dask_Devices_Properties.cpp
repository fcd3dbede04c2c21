// The published properties of the device enumeration and its records.
#include "Dask_Devices.h"

namespace {

using PR = TPublish<TDevice>;
constexpr TProperty kDevice[] = {
    PR::Text<&TDevice::Name>("Name"),
    PR::Text<&TDevice::ClassName>("ClassName"),
    PR::Text<&TDevice::ClassDesc>("ClassDesc"),
    PR::Text<&TDevice::ClassIcon>("ClassIcon"),
    PR::Text<&TDevice::FriendlyName>("FriendlyName"),
    PR::Text<&TDevice::Description>("Description"),
    PR::Text<&TDevice::GUID>("GUID"),
    PR::Text<&TDevice::Manufacturer>("Manufacturer"),
    PR::Text<&TDevice::Location>("Location"),
    PR::Integer<&TDevice::PCINumber>("PCINumber"),
    PR::Integer<&TDevice::DeviceNumber>("DeviceNumber"),
    PR::Integer<&TDevice::FunctionNumber>("FunctionNumber"),
    PR::Text<&TDevice::HardwareID>("HardwareID"),
    PR::Text<&TDevice::SymbolicLink>("SymbolicLink"),
    PR::Text<&TDevice::InstanceKey>("InstanceKey"),
    PR::Text<&TDevice::DeviceParam>("DeviceParam"),
    PR::Text<&TDevice::Driver>("Driver"),
    PR::Text<&TDevice::DriverDate>("DriverDate"),
    PR::Text<&TDevice::DriverVersion>("DriverVersion"),
    PR::Text<&TDevice::DriverProvider>("DriverProvider"),
    PR::Text<&TDevice::InfPath>("InfPath"),
    PR::Text<&TDevice::Service>("Service"),
    PR::Text<&TDevice::ServiceName>("ServiceName"),
    PR::Text<&TDevice::ServiceGroup>("ServiceGroup"),
    PR::Integer<&TDevice::ServiceType>("ServiceType"),
    PR::Text<&TDevice::RegKey>("RegKey"),
    PR::Text<&TDevice::ResourceListKey>("ResourceListKey"),
    PR::Text<&TDevice::ResourceListValue>("ResourceListValue"),
    PR::Integer<&TDevice::DeviceClass>("DeviceClass"),
    PR::Integer<&TDevice::VendorID>("VendorID"),
    PR::Integer<&TDevice::DeviceID>("DeviceID"),
    PR::Integer<&TDevice::SubSysID>("SubSysID"),
    PR::Integer<&TDevice::Revision>("Revision"),
    PR::DateTime<&TDevice::TimeStamp>("TimeStamp"),
};

using PD = TPublish<TVexor_Devices>;
constexpr TProperty kDevices[] = {
    PD::Integer<&TVexor_Devices::DeviceCount>("DeviceCount"),
    PD::Records<&TVexor_Devices::DeviceList>("DeviceList"),
};

} // namespace

const TPropertyTable TDevice::Properties = PR::Table(kDevice);
const TPropertyTable TVexor_Devices::Properties =
    PD::Table<TVexor_Nolt_Component>(kDevices, TVexor_Nolt_Component::Properties);
