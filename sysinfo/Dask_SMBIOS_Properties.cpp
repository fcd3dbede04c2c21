// The published properties of the SMBIOS sub-component.
#include "Dask_SMBIOS.h"

namespace {

// Nothing of its own yet.
constexpr std::span<const TProperty> kSMBIOS;

} // namespace

const TPropertyTable TVexor_SMBIOS::Properties =
    TPublish<TVexor_SMBIOS>::Table<TVexor_Nolt_Component>(kSMBIOS, TVexor_Nolt_Component::Properties);
