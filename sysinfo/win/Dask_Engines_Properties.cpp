// The published properties of the engines component and its DirectX and
// ASPI32 sub-components.
#include "Dask_Engines.h"

namespace {

using PE = TPublish<TVexor_Engines>;
constexpr TProperty kEngines[] = {
    PE::Text<&TVexor_Engines::ODBC>("ODBC"),
    PE::Text<&TVexor_Engines::BDE>("BDE"),
    PE::Text<&TVexor_Engines::DAO>("DAO"),
    PE::Text<&TVexor_Engines::ADO>("ADO"),
    PE::Text<&TVexor_Engines::NET>("NET"),
    PE::Text<&TVexor_Engines::OpenGL>("OpenGL"),
    PE::Text<&TVexor_Engines::IE>("IE"),
    PE::Text<&TVexor_Engines::MSI>("MSI"),
    PE::Text<&TVexor_Engines::QT>("QT"),
    PE::Component<&TVexor_Engines::DirectX>("DirectX"),
    PE::Component<&TVexor_Engines::ASPI32>("ASPI32"),
};

using PD = TPublish<TVexor_DirectX>;
constexpr TProperty kDirectX[] = {
    PD::Text<&TVexor_DirectX::Version>("Version"),
    PD::Strings<&TVexor_DirectX::Direct3D>("Direct3D"),
    PD::Strings<&TVexor_DirectX::DirectPlay>("DirectPlay"),
    PD::Strings<&TVexor_DirectX::DirectMusic>("DirectMusic"),
};

// Besides the published version, the devices the last enumeration found:
// entry i of every list belongs to the i-th device.
using PA = TPublish<TVexor_ASPI32>;
constexpr TProperty kASPI32[] = {
    PA::Text<&TVexor_ASPI32::ASPI>("ASPI"),        PA::Integer<&TVexor_ASPI32::AdapterCount>("AdapterCount"),
    PA::Strings<&TVexor_ASPI32::Host>("Host"),     PA::Strings<&TVexor_ASPI32::ID>("ID"),
    PA::Strings<&TVexor_ASPI32::LUN>("LUN"),       PA::Strings<&TVexor_ASPI32::Typ>("Typ"),
    PA::Strings<&TVexor_ASPI32::Status>("Status"), PA::Strings<&TVexor_ASPI32::Vendor>("Vendor"),
    PA::Strings<&TVexor_ASPI32::Model>("Model"),   PA::Strings<&TVexor_ASPI32::Revision>("Revision"),
    PA::Strings<&TVexor_ASPI32::Extra>("Extra"),
};

} // namespace

const TPropertyTable TVexor_Engines::Properties =
    PE::Table<TVexor_Nolt_Component>(kEngines, TVexor_Nolt_Component::Properties);
const TPropertyTable TVexor_DirectX::Properties =
    PD::Table<TVexor_Nolt_Component>(kDirectX, TVexor_Nolt_Component::Properties);
const TPropertyTable TVexor_ASPI32::Properties =
    PA::Table<TVexor_Nolt_Component>(kASPI32, TVexor_Nolt_Component::Properties);
