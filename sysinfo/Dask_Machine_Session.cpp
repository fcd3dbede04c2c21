#include "Dask_Machine_Session.h"

#include <cmath>

namespace {
constexpr int kVkCapital = 0x14;
constexpr int kVkNumLock = 0x90;
constexpr int kVkScroll = 0x91;
} // namespace

int64_t SystemUpTimeFromTicks(uint32_t tickCount) {
    const double seconds = tickCount / 1000.0;
    const double whole = std::floor(seconds);
    const double fraction = seconds - whole;
    auto result = static_cast<int64_t>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

TDateTime LastBootFrom(TDateTime now, uint32_t tickCount) {
    return now - tickCount / 1000.0 / kSecondsPerDay;
}

bool LockKeyOn(uint8_t keyState) {
    return keyState == 1;
}

TLockKeys LockKeysFrom(const uint8_t (&keyState)[256]) {
    TLockKeys keys;
    keys.CapsLock = LockKeyOn(keyState[kVkCapital]);
    keys.NumLock = LockKeyOn(keyState[kVkNumLock]);
    keys.ScrollLock = LockKeyOn(keyState[kVkScroll]);
    return keys;
}
