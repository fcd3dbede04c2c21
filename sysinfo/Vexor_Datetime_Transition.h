#pragma once
// The moment a time zone's change rule denotes in a given year: the rules of
// the zone database ("TZI") and of GetTimeZoneInformation, either a weekday
// occurrence in a month (year 0) or an absolute date and time.
#include "Vexor_Datetime.h"

#include <cstdint>

// The eight 16-bit words of a SYSTEMTIME, as a change rule holds them.
struct TTransitionRule {
    std::uint16_t Year = 0;
    std::uint16_t Month = 0;     // 0: the zone has no daylight time
    std::uint16_t DayOfWeek = 0; // 0 Sunday to 6 Saturday
    std::uint16_t Day = 0;       // relative rule: occurrence 1 to 5, 5 the last
    std::uint16_t Hour = 0;
    std::uint16_t Minute = 0;
    std::uint16_t Second = 0;
    std::uint16_t Milliseconds = 0;

    bool operator==(const TTransitionRule&) const = default;
};

// Day of week of a date counted 1 (Monday) to 7 (Sunday).
int IsoDayOfWeek(int year, int month, int day);

// The local clock time of the change in year; 0 when the rule's month is 0
// or above 12 or its time of day is not valid. A relative rule takes the n-th
// occurrence of its weekday, the last one when the month has fewer. Raises
// Exception when the rule names no day at all (occurrence 0, an absolute date
// that does not exist).
TDateTime TransitionDate(const TTransitionRule& rule, int year);
