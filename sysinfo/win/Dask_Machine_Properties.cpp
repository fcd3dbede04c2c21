// The published properties of the machine component and its BIOS
// sub-component.
#include "Dask_Machine.h"

namespace {

using PM = TPublish<TVexor_Machine>;
constexpr TProperty kMachine[] = {
    PM::Text<&TVexor_Machine::MachineName>("MachineName"),
    PM::Text<&TVexor_Machine::User>("User"),
    PM::Integer<&TVexor_Machine::SystemUpTime>("SystemUpTime"),
    PM::DateTime<&TVexor_Machine::LastBoot>("LastBoot"),
    PM::Boolean<&TVexor_Machine::CapsLock>("CapsLock"),
    PM::Boolean<&TVexor_Machine::NumLock>("NumLock"),
    PM::Boolean<&TVexor_Machine::ScrollLock>("ScrollLock"),
    PM::Text<&TVexor_Machine::Computer>("Computer"),
    PM::Component<&TVexor_Machine::SMBIOS>("SMBIOS"),
    PM::Component<&TVexor_Machine::BIOS>("BIOS"),
};

using PB = TPublish<TVexor_BIOS>;
constexpr TProperty kBIOS[] = {
    PB::Text<&TVexor_BIOS::Copyright>("Copyright"),
    PB::Text<&TVexor_BIOS::Date>("Date"),
    PB::Text<&TVexor_BIOS::ExtendedInfo>("ExtendedInfo"),
    PB::Text<&TVexor_BIOS::NameString>("NameString"),
};

} // namespace

const TPropertyTable TVexor_Machine::Properties =
    PM::Table<TVexor_Nolt_Component>(kMachine, TVexor_Nolt_Component::Properties);
const TPropertyTable TVexor_BIOS::Properties =
    PB::Table<TVexor_Nolt_Component>(kBIOS, TVexor_Nolt_Component::Properties);
