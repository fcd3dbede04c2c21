// The published properties of the NT sub-component and of its update records.
#include "Dask_OS_NT.h"

namespace {

using PU = TPublish<TUpdateRecord>;
constexpr TProperty kUpdateRecord[] = {
    PU::Text<&TUpdateRecord::ID>("ID"),
    PU::Text<&TUpdateRecord::InstallDate>("InstallDate"),
    PU::Text<&TUpdateRecord::InstalledBy>("InstalledBy"),
    PU::Text<&TUpdateRecord::Description>("Description"),
    PU::Text<&TUpdateRecord::SPInEffect>("SPInEffect"),
    PU::Text<&TUpdateRecord::Comment>("Comment"),
};

using PN = TPublish<TVexor_NTSpecific>;
constexpr TProperty kNTSpecific[] = {
    PN::Enumeration<[](const TVexor_NTSpecific& nt) { return NtProductTypeName(nt.ProductType()); }>(
        "ProductType"),
    PN::Strings<&TVexor_NTSpecific::InstalledSuiteNames>("InstalledSuites"),
    PN::Integer<&TVexor_NTSpecific::ServicePackMajorVersion>("ServicePackMajorVersion"),
    PN::Integer<&TVexor_NTSpecific::ServicePackMinorVersion>("ServicePackMinorVersion"),
    PN::Integer<&TVexor_NTSpecific::UpdateCount>("UpdateCount"),
    PN::Integer<&TVexor_NTSpecific::NumberOfLicensedUsers>("NumberOfLicensedUsers"),
    PN::Integer<&TVexor_NTSpecific::NumberOfUsers>("NumberOfUsers"),
    PN::Records<&TVexor_NTSpecific::UpdateList>("Updates"),
};

} // namespace

const TPropertyTable TUpdateRecord::Properties = PU::Table(kUpdateRecord);
const TPropertyTable TVexor_NTSpecific::Properties =
    PN::Table<TVexor_Nolt_Component>(kNTSpecific, TVexor_Nolt_Component::Properties);
