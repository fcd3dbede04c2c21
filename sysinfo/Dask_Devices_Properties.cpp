// The published properties of the device enumeration.
#include "Dask_Devices.h"

namespace {

// Nothing of its own yet.
constexpr std::span<const TProperty> kDevices;

} // namespace

const TPropertyTable TVexor_Devices::Properties =
    TPublish<TVexor_Devices>::Table<TVexor_Nolt_Component>(kDevices, TVexor_Nolt_Component::Properties);
