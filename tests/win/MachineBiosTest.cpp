// The BIOS sub-component: the registry's hardware description on the NT
// family, the ROM addresses elsewhere; and the guarded read of this
// process's memory that the ROM path uses.
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Vexor_Routines.h"
#include "sysinfo/win/Vexor_Routines_Memory.h"

#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

TEST(MachineBios, TextsOfTheHardwareDescriptionOrTheRom) {
    SavedRegistryValues system(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System",
                               {"SystemBiosVersion", "Identifier", "SystemBiosDate"});
    system.SetString("SystemBiosVersion", std::string("KESTOV - 1072009\0Kestova BIOS 6.00\0", 35),
                     REG_MULTI_SZ);
    system.SetString("Identifier", "AT/AT COMPATIBLE");
    system.SetString("SystemBiosDate", "12/09/26");

    // Where Windows 9x maps the BIOS ROM: the test supplies it when the
    // address range is free in this process.
    void* rom = IsNT() ? nullptr
                       : VirtualAlloc(reinterpret_cast<void*>(0xF0000), 0x10000, MEM_RESERVE | MEM_COMMIT,
                                      PAGE_READWRITE);
    if (rom) {
        auto put = [](uintptr_t address, const char* text) {
            std::memcpy(reinterpret_cast<void*>(address), text, std::strlen(text) + 1);
        };
        put(0xFE061, "Kestova ROM BIOS");
        put(0xFE091, "(C) Kestova 2026");
        put(0xFEC71, "Kestova extended");
        std::memcpy(reinterpret_cast<void*>(0xFFFF5), "12/09/26\xFC", 9); // date, model byte, then NUL
    }

    TVexor_Machine machine(nullptr);
    machine.Refresh();
    const TVexor_BIOS& bios = *machine.BIOS();
    EXPECT_TRUE(bios.DataPresent());
    if (IsNT()) {
        EXPECT_EQ(bios.Copyright(), "KESTOV - 1072009 Kestova BIOS 6.00 ");
        EXPECT_EQ(bios.NameString(), "AT/AT COMPATIBLE");
        EXPECT_EQ(bios.Date(), "12/09/26");
        EXPECT_EQ(bios.ExtendedInfo(), "");
    } else if (rom) {
        EXPECT_EQ(bios.NameString(), "Kestova ROM BIOS");
        EXPECT_EQ(bios.Copyright(), "(C) Kestova 2026");
        EXPECT_EQ(bios.ExtendedInfo(), "Kestova extended");
        EXPECT_EQ(bios.Date(), "12/09/26\xFC"); // up to the first zero byte
        VirtualFree(rom, 0, MEM_RELEASE);
    } else {
        // The ROM addresses are taken but not by a ROM: whatever they hold,
        // the refresh neither faults nor reads the registry.
        EXPECT_NE(bios.NameString(), "AT/AT COMPATIBLE");
    }
}

TEST(MachineBios, LinearReadsStopAtUnreadableMemory) {
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    const size_t page = info.dwPageSize;
    char* pages =
        static_cast<char*>(VirtualAlloc(nullptr, 3 * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(pages, nullptr);
    DWORD old;
    ASSERT_TRUE(VirtualProtect(pages + 2 * page, page, PAGE_NOACCESS, &old));

    std::memset(pages, 'k', 2 * page);
    pages[10] = '\0';
    EXPECT_EQ(ReadLinearString(reinterpret_cast<uintptr_t>(pages + 4)), "kkkkkk");
    // Across a page boundary, with no length limit.
    pages[page + 5] = '\0';
    EXPECT_EQ(ReadLinearString(reinterpret_cast<uintptr_t>(pages + page - 3)), "kkkkkkkk");
    // Running into the unreadable page before a NUL, or starting in it.
    EXPECT_EQ(ReadLinearString(reinterpret_cast<uintptr_t>(pages + 2 * page - 4)), "");
    EXPECT_EQ(ReadLinearString(reinterpret_cast<uintptr_t>(pages + 2 * page)), "");
    VirtualFree(pages, 0, MEM_RELEASE);
}

} // namespace
