// The time zone's change dates from the zone database's rules, against dates
// worked out by hand on the 2026 and 2027 calendars (1 January 2026 is a
// Thursday, 1 January 2027 a Friday).
#include "sysinfo/Dask_OS_TimeZone_Rules.h"
#include "sysinfo/Vexor_Datetime_Transition.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Year, month, day of week, day, hour, minute, second, milliseconds.
constexpr TTransitionRule kEuropeDaylight{0, 3, 0, 5, 2, 0, 0, 0};  // last Sunday of March, 02:00
constexpr TTransitionRule kEuropeStandard{0, 10, 0, 5, 3, 0, 0, 0}; // last Sunday of October, 03:00
constexpr TTransitionRule kUSDaylight{0, 3, 0, 2, 2, 0, 0, 0};      // second Sunday of March
constexpr TTransitionRule kUSStandard{0, 11, 0, 1, 2, 0, 0, 0};     // first Sunday of November
constexpr TTransitionRule kSydneyDaylight{0, 10, 0, 1, 2, 0, 0, 0}; // first Sunday of October
constexpr TTransitionRule kSydneyStandard{0, 4, 0, 1, 3, 0, 0, 0};  // first Sunday of April

TDateTime At(int year, int month, int day, int hour, int minute = 0, int second = 0, int ms = 0) {
    return EncodeDateTime(year, month, day, hour, minute, second, ms);
}

TEST(TimeZoneRules, WeekdayOccurrencesOnHandWorkedCalendars) {
    static const struct {
        TTransitionRule rule;
        int year;
        TDateTime expected;
        const char* why;
    } cases[] = {
        {kEuropeDaylight, 2026, At(2026, 3, 29, 2), "March 2026 has five Sundays (1 to 29)"},
        {kEuropeDaylight, 2027, At(2027, 3, 28, 2), "March 2027 has four Sundays: the fourth is the last"},
        {kEuropeStandard, 2026, At(2026, 10, 25, 3), "October 2026 has four Sundays: the fourth is the last"},
        {kEuropeStandard, 2027, At(2027, 10, 31, 3), "October 2027 has five Sundays"},
        {kUSDaylight, 2026, At(2026, 3, 8, 2), "1 March 2026 is a Sunday"},
        {kUSDaylight, 2027, At(2027, 3, 14, 2), "1 March 2027 is a Monday"},
        {kUSStandard, 2026, At(2026, 11, 1, 2), "1 November 2026 is a Sunday"},
        {kUSStandard, 2027, At(2027, 11, 7, 2), "1 November 2027 is a Monday"},
        {kSydneyDaylight, 2026, At(2026, 10, 4, 2), "1 October 2026 is a Thursday"},
        {kSydneyDaylight, 2027, At(2027, 10, 3, 2), "1 October 2027 is a Friday"},
        {kSydneyStandard, 2026, At(2026, 4, 5, 3), "1 April 2026 is a Wednesday"},
        {kSydneyStandard, 2027, At(2027, 4, 4, 3), "1 April 2027 is a Thursday"},
        {{0, 3, 1, 1, 0, 0, 0, 0}, 2026, At(2026, 3, 2, 0), "Monday after a month starting on Sunday"},
        {{0, 2, 2, 5, 0, 0, 0, 0}, 2028, At(2028, 2, 29, 0), "last Tuesday of February 2028 is the leap day"},
        {{0, 2, 2, 5, 0, 0, 0, 0}, 2027, At(2027, 2, 23, 0), "February 2027 has four Tuesdays"},
        {{0, 3, 0, 5, 23, 59, 59, 999}, 2026, At(2026, 3, 29, 23, 59, 59, 999), "time of day kept whole"},
        {{2026, 4, 3, 12, 1, 30, 0, 0},
         2030,
         At(2026, 4, 12, 1, 30),
         "an absolute date ignores the year asked"},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(TransitionDate(c.rule, c.year), c.expected) << c.why;
}

TEST(TimeZoneRules, RulesWithoutATransitionGiveZero) {
    const TTransitionRule rules[] = {
        {0, 0, 0, 5, 2, 0, 0, 0},    // month 0: no daylight time
        {0, 13, 0, 5, 2, 0, 0, 0},   // no such month
        {0, 3, 0, 5, 24, 0, 0, 0},   // hour 24
        {0, 3, 0, 5, 2, 60, 0, 0},   // minute 60
        {0, 3, 0, 5, 2, 0, 60, 0},   // second 60
        {0, 3, 0, 5, 2, 0, 0, 1000}, // 1000 milliseconds
    };
    for (const auto& rule : rules)
        EXPECT_EQ(TransitionDate(rule, 2026), 0.0) << rule.Month << " " << rule.Hour;
}

TEST(TimeZoneRules, RulesNamingNoDayRaiseInsteadOfLooping) {
    EXPECT_THROW(TransitionDate({0, 3, 0, 0, 2, 0, 0, 0}, 2026), Exception);     // occurrence 0
    EXPECT_THROW(TransitionDate({2026, 2, 0, 30, 2, 0, 0, 0}, 2026), Exception); // 30 February
}

TEST(TimeZoneRules, IsoDayOfWeekCountsFromMonday) {
    EXPECT_EQ(IsoDayOfWeek(1899, 12, 30), 6); // a Saturday
    EXPECT_EQ(IsoDayOfWeek(2026, 1, 1), 4);
    EXPECT_EQ(IsoDayOfWeek(2026, 3, 1), 7);
    EXPECT_EQ(IsoDayOfWeek(2027, 3, 1), 1);
    EXPECT_EQ(IsoDayOfWeek(1899, 12, 24), 7); // before day 0
}

std::vector<std::uint8_t> ZoneBytes(std::int32_t bias, std::int32_t standardBias, std::int32_t daylightBias,
                                    const TTransitionRule& standard, const TTransitionRule& daylight) {
    std::vector<std::uint8_t> bytes;
    for (std::int32_t value : {bias, standardBias, daylightBias})
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i)));
    for (const TTransitionRule* rule : {&standard, &daylight})
        for (std::uint16_t word : {rule->Year, rule->Month, rule->DayOfWeek, rule->Day, rule->Hour,
                                   rule->Minute, rule->Second, rule->Milliseconds}) {
            bytes.push_back(static_cast<std::uint8_t>(word));
            bytes.push_back(static_cast<std::uint8_t>(word >> 8));
        }
    return bytes;
}

TEST(TimeZoneRules, ZoneRecordIsExactly44LittleEndianBytes) {
    auto bytes = ZoneBytes(-60, 0, -60, kEuropeStandard, kEuropeDaylight);
    ASSERT_EQ(bytes.size(), 44u);
    TZoneRecord zone;
    ASSERT_TRUE(DecodeZoneRecord(bytes.data(), bytes.size(), zone));
    EXPECT_EQ(zone.Bias, -60);
    EXPECT_EQ(zone.StandardBias, 0);
    EXPECT_EQ(zone.DaylightBias, -60);
    EXPECT_EQ(zone.StandardDate, kEuropeStandard);
    EXPECT_EQ(zone.DaylightDate, kEuropeDaylight);

    TZoneRecord untouched;
    bytes.resize(48);
    EXPECT_FALSE(DecodeZoneRecord(bytes.data(), bytes.size(), untouched));
    EXPECT_FALSE(DecodeZoneRecord(bytes.data(), 43, untouched));
    EXPECT_EQ(untouched.Bias, 0);
}

TEST(TimeZoneRules, ZoneMatchesOnBiasesStandardDateAndName) {
    TZoneRecord current;
    current.Bias = -60;
    current.DaylightBias = -60;
    current.StandardDate = kEuropeStandard;
    current.DaylightDate = kEuropeDaylight;
    const std::string name = "W. Europe Standard Time";

    TZoneRecord otherDaylight = current;
    otherDaylight.DaylightBias = -30;
    otherDaylight.DaylightDate = kUSDaylight;
    TZoneRecord otherBias = current;
    otherBias.Bias = 0;
    TZoneRecord otherStandardBias = current;
    otherStandardBias.StandardBias = 10;
    TZoneRecord otherStandardDate = current;
    otherStandardDate.StandardDate.Hour = 2;

    EXPECT_TRUE(SameZone(current, name, current, name));
    EXPECT_TRUE(SameZone(current, name, otherDaylight, name)); // daylight fields are not compared
    EXPECT_FALSE(SameZone(current, name, current, "w. europe standard time"));
    EXPECT_FALSE(SameZone(current, name, otherBias, name));
    EXPECT_FALSE(SameZone(current, name, otherStandardBias, name));
    EXPECT_FALSE(SameZone(current, name, otherStandardDate, name));
}

TEST(TimeZoneRules, ChangesTakeThisYearsDatesAndTotalBiases) {
    TZoneRecord zone;
    zone.Bias = -60; // UTC+1
    zone.DaylightBias = -60;
    zone.StandardDate = kEuropeStandard;
    zone.DaylightDate = kEuropeDaylight;
    TZoneChanges changes;
    ApplyZoneChanges(zone, 2026, changes);
    EXPECT_DOUBLE_EQ(changes.DaylightStart, At(2026, 3, 29, 2));
    EXPECT_DOUBLE_EQ(changes.StandardStart, At(2026, 10, 25, 3));
    EXPECT_EQ(changes.DaylightBias, -120);
    EXPECT_EQ(changes.StandardBias, -60);
}

TEST(TimeZoneRules, ZoneWithoutDaylightTimeOrWithABadRuleKeepsEarlierValues) {
    const TZoneChanges before{1.5, 2.5, 3, 4};
    TZoneRecord noDaylight;
    noDaylight.Bias = -480;
    TZoneRecord standardOnly = noDaylight;
    standardOnly.StandardDate = kEuropeStandard;
    for (const TZoneRecord& zone : {noDaylight, standardOnly}) {
        TZoneChanges changes = before;
        ApplyZoneChanges(zone, 2026, changes);
        EXPECT_EQ(changes.DaylightStart, 1.5);
        EXPECT_EQ(changes.StandardStart, 2.5);
        EXPECT_EQ(changes.DaylightBias, 3);
        EXPECT_EQ(changes.StandardBias, 4);
    }

    TZoneRecord badStandard = standardOnly;
    badStandard.DaylightDate = kEuropeDaylight;
    badStandard.StandardDate.Day = 0;
    TZoneChanges changes = before;
    ApplyZoneChanges(badStandard, 2026, changes);
    EXPECT_DOUBLE_EQ(changes.DaylightStart, At(2026, 3, 29, 2)); // set before the bad rule
    EXPECT_EQ(changes.StandardStart, 2.5);
    EXPECT_EQ(changes.DaylightBias, 3);
    EXPECT_EQ(changes.StandardBias, 4);
}

} // namespace
