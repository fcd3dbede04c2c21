#pragma once
// The hardware devices Windows knows, one record per device instance.
#include "Dask_Common.h"

#include <cstdint>
#include <string>
#include <vector>

// Index of a device's setup class in the device class table.
enum : uint8_t { dcComputer = 1 };

struct TDevice {
    std::string Name;
    std::string ClassName;
    uint8_t DeviceClass = 0;
};

class TVexor_Devices : public TVexor_Nolt_Component {
public:
    explicit TVexor_Devices(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    int DeviceCount() const { return static_cast<int>(devices_.size()); }
    // Copies the record at index into device; an index out of range leaves
    // device as it was.
    void Devices(int index, TDevice& device) const;

protected:
    std::vector<TDevice> devices_;
};
