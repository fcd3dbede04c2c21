#pragma once
// Windows file times and system times as date-times.
#include "sysinfo/Vexor_Datetime.h"

#include <windows.h>

// A system time record as a date-time; raises Exception when a field is out
// of range.
TDateTime SystemTimeToDateTime(const SYSTEMTIME& time);

// A UTC file time as the local date-time it stands for; raises Exception when
// Windows cannot convert it.
TDateTime FileTimeToLocalDateTime(const FILETIME& fileTime);

// An MS-DOS date (high word) and time (low word), taken as UTC, as a local
// date-time; false when the date or time bits are not valid.
bool DosDateTimeToLocalDateTime(uint32_t dosDateTime, TDateTime& dateTime);
