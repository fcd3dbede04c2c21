#include "Vexor_Datetime.h"

#include "base/Exception.h"

bool IsLeapYear(int year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int DaysInMonth(int year, int month) {
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
        hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || millisecond < 0 ||
        millisecond > 999)
        throw Exception(FormatText("Invalid date and time %04d-%02d-%02d %02d:%02d:%02d.%03d", year, month,
                                   day, hour, minute, second, millisecond));
    // Days from 1 January of year 1 to the given date, then shifted so that
    // 30 December 1899 is day 0.
    const int y = year - 1;
    long days = static_cast<long>(y) * 365 + y / 4 - y / 100 + y / 400;
    for (int m = 1; m < month; ++m)
        days += DaysInMonth(year, m);
    days += day - 1;
    constexpr long kDay0 = 693593; // 1 January 0001 to 30 December 1899
    const double time = (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / 86400000.0;
    return static_cast<double>(days - kDay0) + time;
}
