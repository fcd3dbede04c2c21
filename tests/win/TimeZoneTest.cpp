// The time-zone sub-component: its search of the zone database against a
// zone database the test writes, and the current zone of the running Windows
// under three zones (the runs in tests/cmake/OSSubComponents.cmake set the
// process's time zone and name it in KESTOVA_TEST_TZ). Dates are worked out
// by hand on the 2026 and 2027 calendars.
#include "sysinfo/win/Dask_OS_TimeZone.h"

#include "sysinfo/Vexor_Datetime.h"
#include "sysinfo/win/Vexor_Routines_Platform.h"
#include "tests/fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char kDatabase[] = "SOFTWARE\\Kestova Test\\Time Zones";

SYSTEMTIME Rule(WORD month, WORD dayOfWeek, WORD day, WORD hour) {
    SYSTEMTIME rule{};
    rule.wMonth = month;
    rule.wDayOfWeek = dayOfWeek;
    rule.wDay = day;
    rule.wHour = hour;
    return rule;
}

void SetName(WCHAR (&field)[32], const wchar_t* name) {
    std::memset(field, 0, sizeof field);
    wcsncpy(field, name, 31);
}

// UTC+1 with daylight time from the last Sunday of March to the last Sunday
// of October.
TIME_ZONE_INFORMATION CentralEurope(const wchar_t* standardName = L"Test Standard Time") {
    TIME_ZONE_INFORMATION zone{};
    zone.Bias = -60;
    zone.StandardBias = 0;
    zone.DaylightBias = -60;
    zone.StandardDate = Rule(10, 0, 5, 3);
    zone.DaylightDate = Rule(3, 0, 5, 2);
    SetName(zone.StandardName, standardName);
    SetName(zone.DaylightName, L"Current Daylight Name");
    return zone;
}

// The 44-byte "TZI" value of a zone, with extra bytes appended when asked.
std::vector<BYTE> TziOf(const TIME_ZONE_INFORMATION& zone, size_t extra = 0) {
    std::vector<BYTE> bytes(44 + extra);
    std::memcpy(&bytes[0], &zone.Bias, 4);
    std::memcpy(&bytes[4], &zone.StandardBias, 4);
    std::memcpy(&bytes[8], &zone.DaylightBias, 4);
    std::memcpy(&bytes[12], &zone.StandardDate, 16);
    std::memcpy(&bytes[28], &zone.DaylightDate, 16);
    return bytes;
}

class ZoneDatabase : public ::testing::Test {
protected:
    void AddZone(const std::string& key, const std::string& display, const std::string& standard,
                 const std::string& daylight, const std::vector<BYTE>& tzi) const {
        database_.SetString(key, "Display", display);
        database_.SetString(key, "Std", standard);
        database_.SetString(key, "Dlt", daylight);
        database_.SetBinary(key, "TZI", tzi.data(), static_cast<DWORD>(tzi.size()));
    }
    std::string Key() const { return std::string("\\") + kDatabase; }

    ScopedRegistryTree database_{HKEY_LOCAL_MACHINE, kDatabase};
};

TDateTime At(int year, int month, int day, int hour) {
    return EncodeDateTime(year, month, day, hour, 0, 0, 0);
}

TEST_F(ZoneDatabase, FirstMatchingZoneGivesDisplayAndNames) {
    const TIME_ZONE_INFORMATION current = CentralEurope();
    // Same fields but 48 bytes: passed over.
    AddZone("Zone 0", "Zone 0 display", "Test Standard Time", "Zone 0 daylight", TziOf(current, 4));
    // Differs only in daylight fields, which are not compared.
    TIME_ZONE_INFORMATION otherDaylight = current;
    otherDaylight.DaylightBias = -30;
    AddZone("Zone 1", "Zone 1 display", "Test Standard Time", "Zone 1 daylight", TziOf(otherDaylight));
    AddZone("Zone 2", "Zone 2 display", "Test Standard Time", "Zone 2 daylight", TziOf(current));

    TVexor_TimeZone zone(nullptr);
    zone.RefreshFrom(current, Key(), 2026);
    EXPECT_EQ(zone.DisplayName(), "Zone 1 display");
    EXPECT_EQ(zone.StandardName(), "Test Standard Time");
    EXPECT_EQ(zone.DaylightName(), "Zone 1 daylight");
    EXPECT_EQ(zone.Bias(), -60);
    EXPECT_EQ(zone.StandardBias(), -60);
    EXPECT_EQ(zone.DaylightBias(), -120);
    EXPECT_DOUBLE_EQ(zone.DaylightStart(), At(2026, 3, 29, 2));
    EXPECT_DOUBLE_EQ(zone.StandardStart(), At(2026, 10, 25, 3));
}

TEST_F(ZoneDatabase, NamesBiasesAndStandardDateMustAllMatch) {
    const TIME_ZONE_INFORMATION current = CentralEurope();
    TIME_ZONE_INFORMATION otherBias = current;
    otherBias.Bias = 0;
    TIME_ZONE_INFORMATION otherStandardDate = current;
    otherStandardDate.StandardDate.wDay = 4;
    AddZone("A", "wrong bias", "Test Standard Time", "", TziOf(otherBias));
    AddZone("B", "wrong date", "Test Standard Time", "", TziOf(otherStandardDate));
    AddZone("C", "wrong case", "test standard time", "", TziOf(current));
    database_.SetString("D", "Display", "name not text");
    database_.SetDword("D", "Std", 1);
    const auto tzi = TziOf(current);
    database_.SetBinary("D", "TZI", tzi.data(), static_cast<DWORD>(tzi.size()));
    AddZone("E", "the match", "Test Standard Time", "Test Daylight Time", TziOf(current));

    TVexor_TimeZone zone(nullptr);
    zone.RefreshFrom(current, Key(), 2027);
    EXPECT_EQ(zone.DisplayName(), "the match");
    EXPECT_EQ(zone.DaylightName(), "Test Daylight Time");
    EXPECT_DOUBLE_EQ(zone.DaylightStart(), At(2027, 3, 28, 2)); // March 2027 has four Sundays
    EXPECT_DOUBLE_EQ(zone.StandardStart(), At(2027, 10, 31, 3));
}

TEST_F(ZoneDatabase, WithoutAMatchTheDisplayNameStaysAndTheZoneGivesTheNames) {
    AddZone("Zone", "Zone display", "Test Standard Time", "Test Daylight Time", TziOf(CentralEurope()));
    TVexor_TimeZone zone(nullptr);
    zone.RefreshFrom(CentralEurope(), Key(), 2026);
    ASSERT_EQ(zone.DisplayName(), "Zone display");

    // UTC+8 without daylight time: the daylight values keep those of the
    // earlier zone, the bias is the new one.
    TIME_ZONE_INFORMATION noDaylight{};
    noDaylight.Bias = -480;
    SetName(noDaylight.StandardName, L"Unlisted Standard Time");
    SetName(noDaylight.DaylightName, L"Unlisted Daylight Time");
    zone.RefreshFrom(noDaylight, Key(), 2027);
    EXPECT_EQ(zone.DisplayName(), "Zone display");
    EXPECT_EQ(zone.StandardName(), "Unlisted Standard Time");
    EXPECT_EQ(zone.DaylightName(), "Unlisted Daylight Time");
    EXPECT_EQ(zone.Bias(), -480);
    EXPECT_EQ(zone.DaylightBias(), -120);
    EXPECT_EQ(zone.StandardBias(), -60);
    EXPECT_DOUBLE_EQ(zone.DaylightStart(), At(2026, 3, 29, 2));

    // No database at all.
    zone.RefreshFrom(CentralEurope(), "\\SOFTWARE\\Kestova Test\\No Such Zones", 2026);
    EXPECT_EQ(zone.DisplayName(), "Zone display");
    EXPECT_EQ(zone.DaylightName(), "Current Daylight Name");
}

TEST_F(ZoneDatabase, FreshZoneWithoutDaylightTimeLeavesDatesAtZero) {
    TIME_ZONE_INFORMATION noDaylight{};
    noDaylight.Bias = -540;
    TVexor_TimeZone zone(nullptr);
    zone.RefreshFrom(noDaylight, Key(), 2026);
    EXPECT_EQ(zone.Bias(), -540);
    EXPECT_EQ(zone.DaylightStart(), 0.0);
    EXPECT_EQ(zone.StandardStart(), 0.0);
    EXPECT_EQ(zone.DaylightBias(), 0);
    EXPECT_EQ(zone.StandardBias(), 0);
    EXPECT_EQ(zone.DisplayName(), "");
}

// The current zone of the running Windows, looked up in its own database.
TEST(TimeZone, CurrentZoneUnderThreeZones) {
    static const struct {
        const char* tz;
        const char* display;
        const char* standard;
        const char* daylight;
        int bias, daylightBias, standardBias;
        TDateTime daylight2026, standard2026, daylight2027, standard2027;
    } zones[] = {
        {"Europe/Prague", "(UTC+01:00) Belgrade, Bratislava, Budapest, Ljubljana, Prague",
         "Central Europe Standard Time", "Central Europe Daylight Time", -60, -120, -60, At(2026, 3, 29, 2),
         At(2026, 10, 25, 3), At(2027, 3, 28, 2), At(2027, 10, 31, 3)},
        // Southern hemisphere: daylight time starts in October, ends in April.
        {"Australia/Sydney", "(UTC+10:00) Canberra, Melbourne, Sydney", "AUS Eastern Standard Time",
         "AUS Eastern Daylight Time", -600, -660, -600, At(2026, 10, 4, 2), At(2026, 4, 5, 3),
         At(2027, 10, 3, 2), At(2027, 4, 4, 3)},
        // No daylight time: dates and total biases stay 0.
        {"Asia/Tokyo", "(UTC+09:00) Osaka, Sapporo, Tokyo", "Tokyo Standard Time", "Tokyo Daylight Time",
         -540, 0, 0, 0, 0, 0, 0},
    };
    const char* run = std::getenv("KESTOVA_TEST_TZ");
    const auto* expected = std::find_if(std::begin(zones), std::end(zones),
                                        [&](const auto& z) { return run && std::string(run) == z.tz; });
    if (expected == std::end(zones))
        GTEST_SKIP() << "runs with a time zone set by the test registration only";
    ASSERT_TRUE(IsNT()) << "the run reads the NT zone database";

    TVexor_TimeZone zone(nullptr);
    zone.Refresh();
    EXPECT_TRUE(zone.DataPresent());
    EXPECT_EQ(zone.DisplayName(), expected->display);
    EXPECT_EQ(zone.StandardName(), expected->standard);
    EXPECT_EQ(zone.DaylightName(), expected->daylight);
    EXPECT_EQ(zone.Bias(), expected->bias);
    EXPECT_EQ(zone.DaylightBias(), expected->daylightBias);
    EXPECT_EQ(zone.StandardBias(), expected->standardBias);
    SYSTEMTIME today{};
    GetLocalTime(&today);
    if (today.wYear == 2026) {
        EXPECT_DOUBLE_EQ(zone.DaylightStart(), expected->daylight2026);
        EXPECT_DOUBLE_EQ(zone.StandardStart(), expected->standard2026);
    }

    // The same zone in 2026 and 2027, whatever the year is now.
    TIME_ZONE_INFORMATION current{};
    GetTimeZoneInformation(&current);
    for (int year : {2026, 2027}) {
        TVexor_TimeZone inYear(nullptr);
        inYear.RefreshFrom(current, TVexor_TimeZone::ZoneDatabaseKey(), year);
        EXPECT_EQ(inYear.DisplayName(), expected->display) << year;
        EXPECT_DOUBLE_EQ(inYear.DaylightStart(),
                         year == 2026 ? expected->daylight2026 : expected->daylight2027)
            << year;
        EXPECT_DOUBLE_EQ(inYear.StandardStart(),
                         year == 2026 ? expected->standard2026 : expected->standard2027)
            << year;
    }
}

} // namespace
