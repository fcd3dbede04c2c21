// Binding an optional system library at run time, against Wine's real
// loader: which handle is taken, who owns it, what each slot holds, and the
// unload error when Windows refuses a release.
#include "base/Exception.h"
#include "base/win/BoundLibrary.h"
#include "tests/fixtures/SavedRegistryTree.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <string>

namespace {

using TGetTickCount = DWORD(WINAPI*)();
using TKestovaNoSuchEntry = void(WINAPI*)();
using TGetCurrentProcessId = DWORD(WINAPI*)();

#define TEST_KERNEL_ENTRY_POINTS(X)                                                                          \
    X(GetTickCount)                                                                                          \
    X(KestovaNoSuchEntry)                                                                                    \
    X(GetCurrentProcessId)

struct TKernelEntryPoints {
    BOUND_ENTRY_POINTS(TEST_KERNEL_ENTRY_POINTS, BOUND_NAMED_SLOT)
};

// A library of the test build that nothing else in the process loads.
const char* Loadable() {
    static const std::string path = VersionedDll("ver_blanks");
    return path.c_str();
}

void UnloadCompletely(const char* name) {
    while (HMODULE module = GetModuleHandleA(name))
        if (!FreeLibrary(module))
            break;
}

FARPROC KernelExport(const char* name) {
    return GetProcAddress(GetModuleHandleA("kernel32.dll"), name);
}

TEST(BoundLibrary, EachSlotHoldsWhatItsNameResolvesToInTableOrder) {
    TBoundLibrary<TKernelEntryPoints> kernel("kernel32.dll");
    kernel.Attach();
    EXPECT_EQ(kernel.Handle(), GetModuleHandleA("kernel32.dll"));
    EXPECT_FALSE(kernel.Owned()) << "kernel32 is in every process";
    kernel.Resolve();
    const TBoundEntryPoints list = kernel.List();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].Name, "GetTickCount");
    EXPECT_EQ(list[0].Address, KernelExport("GetTickCount"));
    EXPECT_EQ(list[1].Name, "KestovaNoSuchEntry");
    EXPECT_EQ(list[1].Address, nullptr) << "a missing export leaves its slot 0";
    EXPECT_EQ(list[2].Name, "GetCurrentProcessId");
    EXPECT_EQ(kernel.Functions().GetCurrentProcessId(), GetCurrentProcessId()) << "callable through its slot";

    kernel.Forget();
    EXPECT_EQ(kernel.Handle(), nullptr);
    EXPECT_EQ(kernel.Functions().GetTickCount, nullptr) << "no pointer outlives the handle it came from";
}

TEST(BoundLibrary, AMissingLibraryLeavesEverySlotZero) {
    TBoundLibrary<TKernelEntryPoints> absent("kestova-absent.dll");
    absent.Attach();
    EXPECT_EQ(absent.Handle(), nullptr);
    absent.Resolve();
    for (const TBoundEntryPoint& entry : absent.List())
        EXPECT_EQ(entry.Address, nullptr) << entry.Name;
    EXPECT_FALSE(absent.Detach()) << "nothing to free";
    EXPECT_FALSE(absent.BindFunction(&TKernelEntryPoints::GetTickCount, "GetTickCount"));
}

TEST(BoundLibrary, OwnershipGoesOnlyToTheAttachThatLoaded) {
    UnloadCompletely(Loadable());
    TBoundLibrary<> first(Loadable());
    first.Attach();
    ASSERT_NE(first.Handle(), nullptr);
    EXPECT_TRUE(first.Owned()) << "not in the process: loaded here";

    // Attaching again finds it in the process and decides afresh.
    first.Attach();
    EXPECT_FALSE(first.Owned());
    EXPECT_FALSE(first.Detach()) << "a library found in the process is left alone";
    EXPECT_NE(GetModuleHandleA(Loadable()), nullptr);

    // AttachOnce keeps a held handle and its ownership as they are.
    TBoundLibrary<> second(Loadable());
    UnloadCompletely(Loadable());
    second.AttachOnce();
    ASSERT_TRUE(second.Owned());
    const HMODULE held = second.Handle();
    second.AttachOnce();
    EXPECT_EQ(second.Handle(), held);
    EXPECT_TRUE(second.Owned());
    EXPECT_TRUE(second.Detach());
    EXPECT_EQ(second.Handle(), nullptr);
    EXPECT_EQ(GetModuleHandleA(Loadable()), nullptr) << "freed by the binding that loaded it";

    // AttachLoaded never loads.
    TBoundLibrary<> third(Loadable());
    third.AttachLoaded();
    EXPECT_EQ(third.Handle(), nullptr);
    EXPECT_EQ(GetModuleHandleA(Loadable()), nullptr);
}

TEST(BoundLibrary, ARefusedReleaseRaisesTheUnloadErrorAndKeepsTheHandle) {
    UnloadCompletely(Loadable());
    TBoundLibrary<> library(Loadable());
    library.Attach();
    ASSERT_TRUE(library.Owned());
    // Freed behind the binding's back: Windows refuses the binding's own free.
    ASSERT_TRUE(FreeLibrary(library.Handle()));
    try {
        library.Detach();
        ADD_FAILURE() << "no unload error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), std::string("Unload Error: ") + Loadable() + " - 0x0");
    }
    EXPECT_NE(library.Handle(), nullptr);
}

TEST(BoundLibrary, UnloadErrorWritesTheHandleInUpperCaseHexadecimal) {
    const struct {
        const char* library;
        std::uintptr_t handle;
        const char* text;
    } rows[] = {
        {"NTDLL.DLL", 0x7C900000, "Unload Error: NTDLL.DLL - 0x7C900000"},
        {"wnaspi32.dll", 0x10000ABC, "Unload Error: wnaspi32.dll - 0x10000ABC"},
        {"psapi.dll", 0, "Unload Error: psapi.dll - 0x0"},   // gone from the process by then
        {"psapi.dll", 0xF, "Unload Error: psapi.dll - 0xF"}, // no padding
    };
    for (const auto& row : rows)
        EXPECT_EQ(UnloadErrorText(row.library, reinterpret_cast<HMODULE>(row.handle)), row.text);
}

TEST(BoundLibrary, OneFunctionIsBoundOnItsFirstUseAndKept) {
    TBoundLibrary<TKernelEntryPoints> kernel("kernel32.dll");
    EXPECT_FALSE(kernel.BindFunction(&TKernelEntryPoints::KestovaNoSuchEntry, "KestovaNoSuchEntry"));
    EXPECT_TRUE(kernel.BindFunction(&TKernelEntryPoints::GetTickCount, "GetTickCount"));
    EXPECT_EQ(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(kernel.Functions().GetTickCount)),
              KernelExport("GetTickCount"));
    EXPECT_EQ(kernel.Functions().GetCurrentProcessId, nullptr) << "only the slot asked for";
    // A slot already set is used as it is, whatever name comes with it.
    EXPECT_TRUE(kernel.BindFunction(&TKernelEntryPoints::GetTickCount, "KestovaNoSuchEntry"));
}

TEST(BoundLibrary, AFunctionBoundWhereItIsNeeded) {
    TBoundFunction<TGetTickCount> tick("kernel32.dll", "GetTickCount");
    EXPECT_EQ(reinterpret_cast<FARPROC>(reinterpret_cast<void*>(tick.Get())), KernelExport("GetTickCount"));
    TBoundFunction<TGetCurrentProcessId> processId("kernel32.dll", "GetCurrentProcessId");
    EXPECT_EQ(processId.Get()(), GetCurrentProcessId()) << "callable as bound";
    TBoundFunction<TGetTickCount> missing("kernel32.dll", "KestovaNoSuchEntry");
    EXPECT_EQ(missing.Get(), nullptr);
    TBoundFunction<TGetTickCount> absent("kestova-absent.dll", "GetTickCount");
    EXPECT_EQ(absent.Get(), nullptr);
}

TEST(BoundLibrary, AScopedBindingFreesOnlyWhatItLoaded) {
    UnloadCompletely(Loadable());
    {
        const TScopedBoundLibrary<> scoped(Loadable());
        ASSERT_NE(scoped.Handle(), nullptr);
    }
    EXPECT_EQ(GetModuleHandleA(Loadable()), nullptr);

    const HMODULE theirs = LoadLibraryA(Loadable());
    ASSERT_NE(theirs, nullptr);
    {
        const TScopedBoundLibrary<> scoped(Loadable());
        EXPECT_FALSE(scoped.Owned());
    }
    EXPECT_EQ(GetModuleHandleA(Loadable()), theirs) << "not ours to release";
    FreeLibrary(theirs);
}

} // namespace
