// The machine component's session values, from the tick count and key state
// table that Windows would give.
#include "sysinfo/Dask_Machine_Session.h"
#include "sysinfo/Vexor_Datetime.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

namespace {

TEST(Uptime, SecondsRoundHalfToEvenOverTheUnsignedTickCount) {
    static const struct {
        uint32_t ticks;
        int64_t seconds;
    } cases[] = {
        {499, 0},
        {500, 0},
        {1500, 2},
        {2500, 2},
        {2501, 3},
        {3500, 4},
        {0x80000000u, 2147484},  // past 2^31 ms: not negative
        {0xFFFFFFFFu, 4294967},  // the last count before the wrap
        {0xFFFFFFFFu + 3501u, 4} // after about 49.7 days the count starts again
    };
    for (const auto& c : cases)
        EXPECT_EQ(SystemUpTimeFromTicks(c.ticks), c.seconds) << c.ticks << " ms";
}

TEST(Uptime, LastBootIsNowLessTheTickCount) {
    const TDateTime now = EncodeDateTime(2008, 3, 1, 12, 0, 0, 0);
    // Back over a leap day, milliseconds kept.
    EXPECT_NEAR(LastBootFrom(now, 45001500), EncodeDateTime(2008, 2, 29, 23, 29, 58, 500), 1e-9);
    EXPECT_NEAR(now - LastBootFrom(now, 0xFFFFFFFFu), 4294967.295 / 86400.0, 1e-9);
}

TEST(Uptime, DateTimeCountsDaysFromDecember1899) {
    EXPECT_EQ(EncodeDateTime(1899, 12, 30, 0, 0, 0, 0), 0.0);
    EXPECT_EQ(EncodeDateTime(1900, 3, 1, 0, 0, 0, 0), 61.0); // 1900 is no leap year
    EXPECT_EQ(EncodeDateTime(2000, 3, 1, 18, 0, 0, 0), 36586.75);
    EXPECT_EQ(EncodeDateTime(1899, 12, 29, 0, 0, 0, 0), -1.0);
    EXPECT_THROW(EncodeDateTime(2007, 2, 29, 0, 0, 0, 0), Exception);
    EXPECT_THROW(EncodeDateTime(2008, 1, 1, 24, 0, 0, 0), Exception);
}

TEST(Uptime, LockKeyIsOnOnlyWhenToggledAndNotHeld) {
    static const struct {
        uint8_t state;
        bool on;
    } cases[] = {{0x00, false}, {0x01, true}, {0x80, false}, {0x81, false}};
    for (const auto& c : cases) {
        uint8_t table[256] = {};
        table[0x14] = table[0x90] = table[0x91] = c.state;
        const TLockKeys keys = LockKeysFrom(table);
        EXPECT_EQ(keys.CapsLock, c.on) << int(c.state);
        EXPECT_EQ(keys.NumLock, c.on) << int(c.state);
        EXPECT_EQ(keys.ScrollLock, c.on) << int(c.state);
    }
}

} // namespace
