// The machine component's session values, from the tick count and key state
// table that Windows would give.
#include "sysinfo/Dask_Machine_Session.h"
#include "sysinfo/Vexor_Datetime.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(Uptime, SecondsRoundHalfToEven) {
    static const struct {
        uint32_t ticks;
        int64_t seconds;
    } cases[] = {
        {0, 0},
        {499, 0},
        {500, 0}, // tie: down to the even 0
        {501, 1},
        {1500, 2}, // tie: up to the even 2
        {2500, 2},
        {2501, 3},
        {3499, 3},
        {3500, 4},
        {86400000, 86400},
        // Past 2^31 ms the count is unsigned, never a negative up-time.
        {0x80000000u, 2147484},  // 2147483.648
        {0xFFFFFFFFu, 4294967},  // the last count before the wrap: 4294967.295
        {0xFFFFFFFFu + 1u, 0},   // after about 49.7 days the count starts again
        {0xFFFFFFFFu + 3501u, 4} // and the reported up-time is the wrapped one
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemUpTimeFromTicks(c.ticks), c.seconds) << c.ticks << " ms";
}

TEST(Uptime, LastBootIsNowLessTheTickCountInDays) {
    const TDateTime now = EncodeDateTime(2008, 3, 1, 12, 0, 0, 0);
    EXPECT_DOUBLE_EQ(LastBootFrom(now, 0), now);
    // Twelve hours and a half back lands on the day before, 23:30.
    EXPECT_NEAR(LastBootFrom(now, 45000000), EncodeDateTime(2008, 2, 29, 23, 30, 0, 0), 1e-9);
    // Milliseconds are kept, not rounded to seconds as the up-time is.
    EXPECT_NEAR(LastBootFrom(now, 1500), EncodeDateTime(2008, 3, 1, 11, 59, 58, 500), 1e-9);
    // The largest count is about 49.7 days, unsigned.
    EXPECT_NEAR(now - LastBootFrom(now, 0xFFFFFFFFu), 4294967.295 / 86400.0, 1e-9);
}

TEST(Uptime, EncodeDateTimeCountsFromDecember1899) {
    static const struct {
        int y, mo, d, h, mi, s, ms;
        double value;
    } cases[] = {
        {1899, 12, 30, 0, 0, 0, 0, 0.0},
        {1899, 12, 31, 0, 0, 0, 0, 1.0},
        {1900, 1, 1, 0, 0, 0, 0, 2.0},
        {1900, 3, 1, 0, 0, 0, 0, 61.0}, // 1900 is not a leap year
        {2000, 1, 1, 0, 0, 0, 0, 36526.0},
        {2000, 3, 1, 0, 0, 0, 0, 36586.0}, // 2000 is
        {2008, 2, 29, 18, 0, 0, 0, 39507.75},
        {1899, 12, 29, 0, 0, 0, 0, -1.0},
        {9999, 12, 31, 23, 59, 59, 999, 2958465.0 + 86399999.0 / 86400000.0},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(EncodeDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s, c.ms), c.value, 1e-9)
            << c.y << "-" << c.mo << "-" << c.d;
}

TEST(Uptime, EncodeDateTimeRefusesFieldsOutOfRange) {
    EXPECT_THROW(EncodeDateTime(2007, 2, 29, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2008, 13, 1, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2008, 0, 1, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2008, 4, 31, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2008, 1, 1, 24, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2008, 1, 1, 0, 60, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2008, 1, 1, 0, 0, 0, 1000), Exception);
    EXPECT_THROW(EncodeDateTime(0, 1, 1, 0, 0, 0, 0), Exception);
}

TEST(Uptime, LockKeyReadsOnOnlyWhenToggledAndNotHeld) {
    static const struct {
        uint8_t state;
        bool on;
    } cases[] = {{0x00, false}, {0x01, true}, {0x80, false}, {0x81, false}, {0x03, false}};
    for (const auto& c : cases) {
        EXPECT_EQ(LockKeyOn(c.state), c.on) << int(c.state);
        uint8_t table[256] = {};
        table[0x14] = c.state;
        const TLockKeys caps = LockKeysFrom(table);
        EXPECT_EQ(caps.CapsLock, c.on);
        EXPECT_FALSE(caps.NumLock);
        EXPECT_FALSE(caps.ScrollLock);
    }
    uint8_t table[256] = {};
    table[0x90] = 1;
    table[0x91] = 0x81;
    table[0x13] = 1; // neighbours of the lock keys do not count
    table[0x15] = 1;
    const TLockKeys keys = LockKeysFrom(table);
    EXPECT_FALSE(keys.CapsLock);
    EXPECT_TRUE(keys.NumLock);
    EXPECT_FALSE(keys.ScrollLock);
    table[0x91] = 1;
    EXPECT_TRUE(LockKeysFrom(table).ScrollLock);
}

} // namespace
