#pragma once
// The session values of the machine component computed from what Windows
// reports: the millisecond tick count and the key state table.
#include "Vexor_Datetime.h"

#include <cstdint>

// Whole seconds since Windows started: the tick count (unsigned, so a count
// past 2^31 ms is not negative) in seconds, rounded to the nearest integer
// with ties to even: 2500 ms gives 2, 3500 ms gives 4.
int64_t SystemUpTimeFromTicks(uint32_t tickCount);

// The local date-time at which Windows started, given the local date-time now.
TDateTime LastBootFrom(TDateTime now, uint32_t tickCount);

// A lock key reads as on only when its key state entry is exactly 1: toggled
// and not held down (0x81, toggled and held, reads off).
bool LockKeyOn(uint8_t keyState);

struct TLockKeys {
    bool CapsLock = false;
    bool NumLock = false;
    bool ScrollLock = false;
};

// The three lock keys from a 256-entry key state table.
TLockKeys LockKeysFrom(const uint8_t (&keyState)[256]);
