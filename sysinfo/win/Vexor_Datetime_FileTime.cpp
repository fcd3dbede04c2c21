#include "Vexor_Datetime_FileTime.h"

#include "base/Exception.h"

TDateTime SystemTimeToDateTime(const SYSTEMTIME& time) {
    return EncodeDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond,
                          time.wMilliseconds);
}

TDateTime FileTimeToLocalDateTime(const FILETIME& fileTime) {
    FILETIME local{};
    SYSTEMTIME system{};
    if (!FileTimeToLocalFileTime(&fileTime, &local) || !FileTimeToSystemTime(&local, &system))
        throw Exception("Invalid file time");
    return SystemTimeToDateTime(system);
}

bool DosDateTimeToLocalDateTime(uint32_t dosDateTime, TDateTime& dateTime) {
    FILETIME fileTime{};
    if (!DosDateTimeToFileTime(static_cast<WORD>(dosDateTime >> 16), static_cast<WORD>(dosDateTime & 0xFFFF),
                               &fileTime))
        return false;
    try {
        dateTime = FileTimeToLocalDateTime(fileTime);
    } catch (const Exception&) {
        return false;
    }
    return true;
}
