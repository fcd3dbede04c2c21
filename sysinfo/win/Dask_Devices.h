#pragma once
// The hardware devices Windows knows, one record per device instance.
#include "Dask_Common.h"
#include "sysinfo/Dask_Devices_Parse.h"
#include "sysinfo/Vexor_Datetime.h"

#include <cstdint>
#include <string>
#include <vector>

// One device instance as the device registry describes it.
struct TDevice {
    std::string Name; // FriendlyName when not blank, else Description
    std::string ClassName;
    std::string ClassDesc;
    std::string ClassIcon;
    std::string FriendlyName;
    std::string Description;
    std::string GUID;
    std::string Manufacturer;
    std::string Location;
    int32_t PCINumber = 0;
    int32_t DeviceNumber = 0;
    int32_t FunctionNumber = 0;
    std::string HardwareID; // each id followed by CR LF
    std::string SymbolicLink;
    std::string InstanceKey;
    std::string DeviceParam;
    std::string Driver;
    std::string DriverDate;
    std::string DriverVersion;
    std::string DriverProvider;
    std::string InfPath;
    std::string Service;
    std::string ServiceName;
    std::string ServiceGroup;
    int32_t ServiceType = 0;
    std::string RegKey;
    std::string ResourceListKey;
    std::string ResourceListValue;
    uint8_t DeviceClass = 0; // index in kDeviceClassNames
    uint32_t VendorID = 0;
    uint32_t DeviceID = 0;
    uint32_t SubSysID = 0;
    uint32_t Revision = 0;
    TDateTime TimeStamp = 0;

    static const TPropertyTable Properties;
};

class TVexor_Devices : public TVexor_Nolt_Component {
public:
    explicit TVexor_Devices(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    // The devices sorted by class name (ignoring case); the text of each
    // entry is its ClassName.
    const std::vector<TDevice>& DeviceList() const { return devices_; }
    int32_t DeviceCount() const { return static_cast<int32_t>(devices_.size()); }
    // Copies the record at index into device; an index out of range leaves
    // device as it was.
    void Devices(int index, TDevice& device) const;

protected:
    std::vector<TDevice> devices_;

private:
    void EnumerateNT();
    void Enumerate9x();
};
