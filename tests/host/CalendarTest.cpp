// The Gregorian calendar the date-times stand on: leap years, month lengths,
// and the day counts and range checks built from them.
#include "sysinfo/Vexor_Datetime.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

namespace {

TEST(Calendar, MonthLengthsFollowTheLeapYearRule) {
    const struct {
        int year, month, days;
        const char* why;
    } rows[] = {
        {2024, 2, 29, "divisible by 4"},
        {2023, 2, 28, "not divisible by 4"},
        {1900, 2, 28, "a full century is no leap year"},
        {2100, 2, 28, "nor is 2100"},
        {2000, 2, 29, "every fourth century is"},
        {1600, 2, 29, "and 1600"},
        {1, 2, 28, "the first year"},
        {9999, 12, 31, "the last month the date-time holds"},
        {2026, 1, 31, "January"},
        {2026, 4, 30, "April"},
        {2026, 6, 30, "June"},
        {2026, 7, 31, "July and August both have 31"},
        {2026, 8, 31, "August"},
        {2026, 9, 30, "September"},
        {2026, 11, 30, "November"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DaysInMonth(row.year, row.month), row.days)
            << row.year << "-" << row.month << ": " << row.why;
        if (row.month == 2) {
            EXPECT_EQ(IsLeapYear(row.year), row.days == 29) << row.year << ": " << row.why;
        }
    }
}

TEST(Calendar, DayNumbersCountFromTheLastDaysOf1899) {
    // Day 0 is 30 December 1899; the numbers are worked out by hand.
    const struct {
        int year, month, day;
        double number;
    } rows[] = {
        {1899, 12, 30, 0},   {1899, 12, 31, 1}, {1900, 1, 1, 2}, {1900, 3, 1, 61}, // 1900 had no 29 February
        {2000, 3, 1, 36586},                                                       // 2000 had one
        {1899, 12, 29, -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(EncodeDateTime(row.year, row.month, row.day, 0, 0, 0, 0), row.number)
            << row.year << "-" << row.month << "-" << row.day;
    EXPECT_EQ(EncodeDateTime(1899, 12, 30, 12, 0, 0, 0), 0.5);
}

TEST(Calendar, DaysAMonthDoesNotHaveAreRefused) {
    EXPECT_NO_THROW(EncodeDateTime(2024, 2, 29, 0, 0, 0, 0));
    EXPECT_THROW(EncodeDateTime(2023, 2, 29, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(1900, 2, 29, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2026, 4, 31, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2026, 13, 1, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2026, 1, 1, 24, 0, 0, 0), Exception);
}

} // namespace
