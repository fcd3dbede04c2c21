#pragma once
// A time zone as the zone database stores it (the 44-byte "TZI" value) and
// the rule that finds the database entry of the current zone.
#include "Vexor_Datetime_Transition.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct TZoneRecord {
    std::int32_t Bias = 0;         // minutes, UTC = local time + bias
    std::int32_t StandardBias = 0; // on top of Bias in standard time
    std::int32_t DaylightBias = 0; // on top of Bias in daylight time
    TTransitionRule StandardDate;
    TTransitionRule DaylightDate;
};

constexpr std::size_t kZoneRecordSize = 44;

// Decodes a "TZI" value (little-endian); false unless it is exactly 44 bytes.
bool DecodeZoneRecord(const std::uint8_t* data, std::size_t size, TZoneRecord& record);

// A database entry is the current zone when bias, standard bias, standard
// date and standard name (case-sensitive) are all equal; the daylight fields
// are not compared.
bool SameZone(const TZoneRecord& current, const std::string& currentStandardName, const TZoneRecord& entry,
              const std::string& entryStandardName);

// The four daylight values a refresh sets: this year's dates of both changes
// and the two total biases.
struct TZoneChanges {
    TDateTime DaylightStart = 0;
    TDateTime StandardStart = 0;
    std::int32_t DaylightBias = 0;
    std::int32_t StandardBias = 0;
};

// True when the zone has daylight time (both change rules name a month).
bool HasDaylightTime(const TZoneRecord& zone);

// Sets changes for the zone in year, in the order daylight date, standard
// date, daylight bias, standard bias; a date that cannot be computed ends the
// step there, leaving the later values as they were. Nothing changes for a
// zone without daylight time.
void ApplyZoneChanges(const TZoneRecord& zone, int year, TZoneChanges& changes);
