// The published properties of the Vista sub-component.
#include "Dask_OS_Vista.h"

namespace {

using PV = TPublish<TVexor_VistaSpecific>;
constexpr TProperty kVistaSpecific[] = {
    PV::Boolean<&TVexor_VistaSpecific::UserAccountControl>("UserAccountControl"),
    PV::Boolean<&TVexor_VistaSpecific::Virtualization>("Virtualization"),
};

} // namespace

const TPropertyTable TVexor_VistaSpecific::Properties =
    PV::Table<TVexor_Nolt_Component>(kVistaSpecific, TVexor_Nolt_Component::Properties);
