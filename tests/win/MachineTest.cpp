// The machine component against the running Windows: names, users, up-time,
// last start and the lock keys of this thread.
#include "sysinfo/Dask_Machine.h"
#include "sysinfo/Vexor_Routines.h"

#include "base/Exception.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

namespace {

TDateTime LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return EncodeDateTime(now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond,
                          now.wMilliseconds);
}

// Puts this thread's key state table back when the test ends.
class SavedKeyboardState {
public:
    SavedKeyboardState() { GetKeyboardState(saved_); }
    ~SavedKeyboardState() { SetKeyboardState(saved_); }
    SavedKeyboardState(const SavedKeyboardState&) = delete;
    SavedKeyboardState& operator=(const SavedKeyboardState&) = delete;

    void Set(int key, BYTE state) const {
        BYTE table[256];
        GetKeyboardState(table);
        table[key] = state;
        SetKeyboardState(table);
    }

private:
    BYTE saved_[256] = {};
};

TEST(Machine, OwnsItsNamedSubComponentsAndNoTemporaryOnes) {
    TVexor_Machine machine(nullptr);
    ASSERT_EQ(machine.ComponentCount(), 2u);
    EXPECT_EQ(machine.Components(0), machine.SMBIOS());
    EXPECT_EQ(machine.Components(1), machine.BIOS());
    EXPECT_EQ(machine.FindComponent("SMBIOS"), machine.SMBIOS());
    EXPECT_EQ(machine.FindComponent("BIOS"), machine.BIOS());
    EXPECT_EQ(machine.MachineName(), "");
    EXPECT_EQ(machine.SystemUpTime(), 0);
    EXPECT_FALSE(machine.CapsLock());

    machine.Refresh();
    // The device enumeration lived for the refresh only.
    EXPECT_EQ(machine.ComponentCount(), 2u);
    EXPECT_TRUE(machine.DataPresent());
    EXPECT_NE(machine.SMBIOS()->Source().MajorVersion, 0);
    EXPECT_NE(machine.BIOS()->Source().MajorVersion, 0);
    // No device of the "Computer" class is known here.
    EXPECT_EQ(machine.Computer(), "");
}

TEST(Machine, RefreshGathersNameUserAndTimes) {
    GetDesktopWindow(); // Wine's shell starts with the desktop
    TVexor_Machine machine(nullptr);
    const DWORD ticksBefore = GetTickCount();
    const TDateTime nowBefore = LocalNow();
    machine.Refresh();
    const DWORD ticksAfter = GetTickCount();
    const TDateTime nowAfter = LocalNow();

    EXPECT_EQ(machine.MachineName(), GetMachineName());
    EXPECT_FALSE(machine.MachineName().empty());
    EXPECT_EQ(machine.User(), GetInteractiveUser());
    EXPECT_FALSE(machine.User().empty());

    EXPECT_GE(machine.SystemUpTime(), static_cast<int64_t>(ticksBefore / 1000));
    EXPECT_LE(machine.SystemUpTime(), static_cast<int64_t>(ticksAfter / 1000 + 1));
    // The start lies the up-time before now; a second of slack for the clock
    // read between the two calls.
    const double second = 1.0 / 86400.0;
    EXPECT_GE(machine.LastBoot(), nowBefore - ticksAfter / 1000.0 / 86400.0 - second);
    EXPECT_LE(machine.LastBoot(), nowAfter - ticksBefore / 1000.0 / 86400.0 + second);
}

TEST(Machine, LockKeysReadOnOnlyWhenToggledAndNotHeld) {
    SavedKeyboardState keyboard;
    keyboard.Set(VK_CAPITAL, 0x01);
    keyboard.Set(VK_NUMLOCK, 0x81); // toggled, and held down at this moment
    keyboard.Set(VK_SCROLL, 0x00);
    TVexor_Machine machine(nullptr);
    machine.Refresh();
    EXPECT_TRUE(machine.CapsLock());
    EXPECT_FALSE(machine.NumLock());
    EXPECT_FALSE(machine.ScrollLock());

    keyboard.Set(VK_CAPITAL, 0x00);
    keyboard.Set(VK_NUMLOCK, 0x01);
    keyboard.Set(VK_SCROLL, 0x01);
    machine.Refresh();
    EXPECT_FALSE(machine.CapsLock());
    EXPECT_TRUE(machine.NumLock());
    EXPECT_TRUE(machine.ScrollLock());
}

TEST(Machine, NonTextComputerNameEndsTheRefresh) {
    SavedRegistryValues computerName(HKEY_LOCAL_MACHINE,
                                     "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                                     {"ComputerName"});
    TVexor_Machine machine(nullptr);
    computerName.SetString("ComputerName", "KESTOVA-FIRST");
    machine.Refresh();
    ASSERT_EQ(machine.MachineName(), "KESTOVA-FIRST");
    const std::string user = machine.User();

    computerName.SetDword("ComputerName", 1);
    try {
        machine.Refresh();
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'ComputerName'");
    }
    EXPECT_EQ(machine.MachineName(), "KESTOVA-FIRST");
    EXPECT_EQ(machine.User(), user);
}

} // namespace
