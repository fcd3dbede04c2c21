// The published properties of the time-zone sub-component.
#include "Dask_OS_TimeZone.h"

namespace {

using PT = TPublish<TVexor_TimeZone>;
constexpr TProperty kTimeZone[] = {
    PT::Text<&TVexor_TimeZone::DisplayName>("DisplayName"),
    PT::Text<&TVexor_TimeZone::StandardName>("StandardName"),
    PT::Text<&TVexor_TimeZone::DaylightName>("DaylightName"),
    PT::DateTime<&TVexor_TimeZone::DaylightStart>("DaylightStart"),
    PT::DateTime<&TVexor_TimeZone::StandardStart>("StandardStart"),
    PT::Integer<&TVexor_TimeZone::Bias>("Bias"),
    PT::Integer<&TVexor_TimeZone::DaylightBias>("DaylightBias"),
    PT::Integer<&TVexor_TimeZone::StandardBias>("StandardBias"),
};

} // namespace

const TPropertyTable TVexor_TimeZone::Properties =
    PT::Table<TVexor_Nolt_Component>(kTimeZone, TVexor_Nolt_Component::Properties);
