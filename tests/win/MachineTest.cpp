// The machine component against the running Windows: names, users, up-time,
// last start and the lock keys of this thread.
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Vexor_Routines.h"

#include "base/Exception.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace {

TDateTime LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return EncodeDateTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                          now.wMilliseconds);
}

TEST(Machine, RefreshGathersNameUserAndTimes) {
    GetDesktopWindow(); // Wine's shell starts with the desktop
    TVexor_Machine machine(nullptr);
    EXPECT_EQ(machine.FindComponent("SMBIOS"), machine.SMBIOS());
    EXPECT_EQ(machine.FindComponent("BIOS"), machine.BIOS());
    const DWORD ticksBefore = GetTickCount();
    const TDateTime nowBefore = LocalNow();
    machine.Refresh();
    const DWORD ticksAfter = GetTickCount();
    const TDateTime nowAfter = LocalNow();

    EXPECT_EQ(machine.ComponentCount(), 2u) << "the device enumeration lives for the refresh only";
    EXPECT_EQ(machine.Computer(), ""); // no "Computer" device known here
    EXPECT_EQ(machine.MachineName(), GetMachineName());
    EXPECT_EQ(machine.User(), GetInteractiveUser());
    EXPECT_FALSE(machine.User().empty());
    EXPECT_GE(machine.SystemUpTime(), static_cast<int64_t>(ticksBefore / 1000));
    EXPECT_LE(machine.SystemUpTime(), static_cast<int64_t>(ticksAfter / 1000 + 1));
    const double second = 1.0 / 86400.0;
    EXPECT_GE(machine.LastBoot(), nowBefore - ticksAfter / 1000.0 / 86400.0 - second);
    EXPECT_LE(machine.LastBoot(), nowAfter - ticksBefore / 1000.0 / 86400.0 + second);
    EXPECT_TRUE(machine.DataPresent());
}

TEST(Machine, NonTextComputerNameEndsTheRefreshAfterTheTimes) {
    GetDesktopWindow();
    TVexor_Machine machine(nullptr);
    SavedRegistryValues computerName(HKEY_LOCAL_MACHINE,
                                     "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                                     {"ComputerName"});
    computerName.SetDword("ComputerName", 7);
    try {
        machine.Refresh();
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'ComputerName'");
    }
    // The times come before the name; the user, the lock keys and the data
    // mark after it.
    EXPECT_NE(machine.LastBoot(), 0.0);
    EXPECT_EQ(machine.MachineName(), "");
    EXPECT_EQ(machine.User(), "");
    EXPECT_FALSE(machine.DataPresent());
}

TEST(Machine, LockKeysOfThisThread) {
    BYTE saved[256], state[256];
    GetKeyboardState(saved);
    std::copy(saved, saved + 256, state);
    state[VK_CAPITAL] = 0x01;
    state[VK_NUMLOCK] = 0x81; // toggled, and held down at this moment
    state[VK_SCROLL] = 0x01;
    SetKeyboardState(state);
    TVexor_Machine machine(nullptr);
    machine.Refresh();
    SetKeyboardState(saved);
    EXPECT_TRUE(machine.CapsLock());
    EXPECT_FALSE(machine.NumLock());
    EXPECT_TRUE(machine.ScrollLock());
}

} // namespace
