#include "Dask_Devices.h"

TVexor_Devices::TVexor_Devices(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// The device registry is not walked yet: the list stays empty.
void TVexor_Devices::Refresh() {
    TVexor_Nolt_Component::Refresh();
    devices_.clear();
    SetDataPresent(true);
}

void TVexor_Devices::Devices(int index, TDevice& device) const {
    if (index >= 0 && index < DeviceCount())
        device = devices_[static_cast<size_t>(index)];
}
