#pragma once
// Dates and times as the components report them: TDateTime counts whole days
// since 30 December 1899, the time of day being the fraction.
#include <cstdint>

using TDateTime = double;

// True for the leap years of the Gregorian calendar: every fourth year, but
// not the full centuries other than every fourth one (2000 is, 1900 is not).
bool IsLeapYear(int year);

// The number of days of a month (1 to 12) in a year.
int DaysInMonth(int year, int month);

// The date-time of a calendar date and clock time; raises Exception when a
// field is out of range (month 13, 30 February, hour 24, ...).
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond);

// Seconds in one day, for tick counts and time spans given in days.
constexpr double kSecondsPerDay = 86400.0;
