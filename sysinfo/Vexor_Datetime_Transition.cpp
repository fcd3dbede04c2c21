#include "Vexor_Datetime_Transition.h"

#include "base/Exception.h"

namespace {

bool ValidTimeOfDay(const TTransitionRule& rule) {
    return rule.Hour < 24 && rule.Minute < 60 && rule.Second < 60 && rule.Milliseconds < 1000;
}

} // namespace

int IsoDayOfWeek(int year, int month, int day) {
    // Whole days since 30 December 1899, a Saturday.
    const long days = static_cast<long>(EncodeDateTime(year, month, day, 0, 0, 0, 0));
    const long fromMonday = ((days + 5) % 7 + 7) % 7; // 0 for Monday
    return static_cast<int>(fromMonday) + 1;
}

TDateTime TransitionDate(const TTransitionRule& rule, int year) {
    if (rule.Month == 0 || rule.Month > 12 || !ValidTimeOfDay(rule))
        return 0;
    if (rule.Year != 0)
        return EncodeDateTime(rule.Year, rule.Month, rule.Day, rule.Hour, rule.Minute, rule.Second,
                              rule.Milliseconds);

    const int first = IsoDayOfWeek(year, rule.Month, 1);
    const int wanted = rule.DayOfWeek == 0 ? 7 : rule.DayOfWeek;
    const int firstOccurrence = wanted >= first ? wanted - first + 1 : wanted + 8 - first;
    int day = firstOccurrence + 7 * (rule.Day - 1);
    // Occurrence 5 (or more) means the last one the month has.
    while (day > DaysInMonth(year, rule.Month))
        day -= 7;
    if (day < 1)
        throw Exception(FormatText("Invalid date and time %04d-%02d-%02d %02d:%02d:%02d.%03d", year,
                                   rule.Month, day, rule.Hour, rule.Minute, rule.Second, rule.Milliseconds));
    return EncodeDateTime(year, rule.Month, day, rule.Hour, rule.Minute, rule.Second, rule.Milliseconds);
}
