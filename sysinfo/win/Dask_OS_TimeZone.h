#pragma once
// The time-zone sub-component of the operating-system component: the current
// zone's display name as the zone database lists it, its names, biases and
// this year's dates of the changes to daylight time and back.
#include "Dask_Common.h"
#include "sysinfo/Dask_OS_TimeZone_Rules.h"
#include "sysinfo/Vexor_Datetime.h"

#include <cstdint>
#include <string>

class TVexor_TimeZone : public TVexor_Nolt_Component {
public:
    explicit TVexor_TimeZone(TComponent* owner);
    void Refresh() override;

    // The refresh for a given current zone, zone database key (under
    // HKEY_LOCAL_MACHINE) and year.
    void RefreshFrom(const TIME_ZONE_INFORMATION& current, const std::string& databaseKey, int year);

    // The zone database of this Windows: the NT key on the NT family, the
    // Windows 9x key elsewhere.
    static std::string ZoneDatabaseKey();

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    // The "Display" value of the matching database zone; kept when none matches.
    const std::string& DisplayName() const { return displayName_; }
    const std::string& StandardName() const { return standardName_; }
    const std::string& DaylightName() const { return daylightName_; }
    // This year's changes (local clock time); kept for a zone without daylight time.
    TDateTime DaylightStart() const { return changes_.DaylightStart; }
    TDateTime StandardStart() const { return changes_.StandardStart; }
    // Minutes, UTC = local time + bias.
    std::int32_t Bias() const { return bias_; }
    std::int32_t DaylightBias() const { return changes_.DaylightBias; }
    std::int32_t StandardBias() const { return changes_.StandardBias; }

private:
    std::string displayName_;
    std::string standardName_;
    std::string daylightName_;
    std::int32_t bias_ = 0;
    TZoneChanges changes_;
};
