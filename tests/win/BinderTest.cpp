#include "base/Exception.h"
#include "sysinfo/win/Vexor_Bindings.h"
#include "sysinfo/win/Vexor_NetAPI32.h"
#include "sysinfo/win/Vexor_Native.h"
#include "sysinfo/win/Vexor_PSAPI.h"
#include "sysinfo/win/Vexor_WtsApi32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Drops every reference this process holds on psapi.dll, so that the next
// bind has to load it.
void UnloadProcessStatusLibrary() {
    while (HMODULE module = GetModuleHandleA("psapi.dll"))
        if (!FreeLibrary(module))
            break;
}

// Each binder resolves its whole table from its library and succeeds exactly
// when its library and its key entry point are there; the entry points the
// program calls are among those bound.
TEST(Binders, EachBinderSucceedsOnItsKeyEntryPoint) {
    struct Row {
        const char* Library;
        bool (*Bind)();
        TBoundEntryPoints (*List)();
        const char* Key;
        std::vector<std::string> Called;
    };
    const Row rows[] = {
        {"netapi32.dll",
         BindNetApi,
         [] { return NetApiBinding().List(); },
         "NetWkstaGetInfo",
         {"NetWkstaGetInfo", "NetApiBufferFree"}},
        {"psapi.dll",
         BindPsApi,
         [] { return PsApiBinding().List(); },
         "EnumProcesses",
         {"GetModuleBaseNameA"}},
        {"NTDLL.DLL",
         BindNtDll,
         [] { return NtDllBinding().List(); },
         "NtQueryObject",
         {"NtQuerySystemInformation", "NtOpenSection", "NtClose"}},
        {"kernel32.dll",
         BindToolHelp,
         [] { return ToolHelpBinding().List(); },
         "CreateToolhelp32Snapshot",
         {"CreateToolhelp32Snapshot", "Process32First", "Process32Next"}},
    };
    for (const Row& row : rows) {
        const bool bound = row.Bind();
        const HMODULE module = GetModuleHandleA(row.Library);
        ASSERT_NE(module, nullptr) << row.Library;
        const TBoundEntryPoints entries = row.List();
        size_t found = 0;
        FARPROC key = nullptr;
        for (const TBoundEntryPoint& entry : entries) {
            EXPECT_EQ(entry.Address, GetProcAddress(module, entry.Name.c_str())) << entry.Name;
            found += entry.Address != nullptr;
            if (entry.Name == row.Key)
                key = entry.Address;
        }
        EXPECT_EQ(bound, key != nullptr) << row.Library;
        EXPECT_TRUE(bound) << row.Library;
        // Wine leaves out a few rarely used exports, never most of a table.
        EXPECT_GT(found * 4, entries.size() * 3) << row.Library;
        for (const std::string& name : row.Called) {
            const auto entry = std::find_if(entries.begin(), entries.end(),
                                            [&](const TBoundEntryPoint& e) { return e.Name == name; });
            ASSERT_NE(entry, entries.end()) << name << " is called, so it must be bound";
            EXPECT_NE(entry->Address, nullptr) << name;
        }
    }
}

TEST(Binders, StartUpLoadsWhatIsMissingAndTheEndFreesOnlyThat) {
    UnloadProcessStatusLibrary();
    InitLibraryBindings();
    EXPECT_NE(NetApiBinding().Handle(), nullptr);
    EXPECT_NE(NetApi().NetWkstaGetInfo, nullptr);
    ASSERT_NE(PsApiBinding().Handle(), nullptr);
    EXPECT_TRUE(PsApiBinding().Owned());
    EXPECT_NE(PsApi().GetModuleBaseNameA, nullptr);
    // Every NT process has NTDLL: the binder never owns it.
    EXPECT_EQ(NtDllBinding().Handle(), GetModuleHandleA("ntdll.dll"));
    EXPECT_FALSE(NtDllBinding().Owned());
    EXPECT_NE(NtDll().NtQuerySystemInformation, nullptr);

    DoneLibraryBindings();
    EXPECT_EQ(PsApiBinding().Handle(), nullptr);
    EXPECT_EQ(GetModuleHandleA("psapi.dll"), nullptr);
    for (const TBoundEntryPoint& entry : PsApiBinding().List())
        EXPECT_EQ(entry.Address, nullptr) << "a freed library leaves no callable pointer: " << entry.Name;
    EXPECT_EQ(NtDllBinding().Handle(), GetModuleHandleA("ntdll.dll"));
    EXPECT_NE(NtDll().NtOpenSection, nullptr);
}

TEST(Binders, OnlyTheCallThatLoadedALibraryOwnsIt) {
    UnloadProcessStatusLibrary();
    ASSERT_TRUE(BindPsApi());
    EXPECT_TRUE(PsApiBinding().Owned());
    // The second call finds the library in the process and decides afresh.
    ASSERT_TRUE(BindPsApi());
    EXPECT_FALSE(PsApiBinding().Owned());
    const HMODULE module = PsApiBinding().Handle();
    UnbindPsApi();
    EXPECT_EQ(PsApiBinding().Handle(), module);
    EXPECT_EQ(GetModuleHandleA("psapi.dll"), module);
    EXPECT_NE(PsApi().EnumProcesses, nullptr);
}

TEST(Binders, FailedUnloadRaisesTheUnloadError) {
    UnloadProcessStatusLibrary();
    ASSERT_TRUE(BindPsApi());
    ASSERT_TRUE(PsApiBinding().Owned());
    // Freed behind the binder's back: Windows refuses the binder's own free.
    ASSERT_TRUE(FreeLibrary(PsApiBinding().Handle()));
    try {
        UnbindPsApi();
        ADD_FAILURE() << "no unload error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Unload Error: psapi.dll - 0x0");
    }
    EXPECT_NE(PsApiBinding().Handle(), nullptr);
    ASSERT_TRUE(BindPsApi()); // loads it again, so the end of the run frees it cleanly
}

TEST(Binders, ToolHelpWalksTheProcessList) {
    ASSERT_TRUE(BindToolHelp());
    EXPECT_EQ(ToolHelpBinding().Handle(), GetModuleHandleA("kernel32.dll"));
    EXPECT_FALSE(ToolHelpBinding().Owned());

    const HANDLE snapshot = ToolHelpCreateSnapshot(TH32CS_SNAPPROCESS, 0);
    ASSERT_NE(snapshot, INVALID_HANDLE_VALUE);
    ASSERT_NE(snapshot, nullptr);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool foundSelf = false;
    for (bool more = ToolHelpProcessFirst(snapshot, entry); more; more = ToolHelpProcessNext(snapshot, entry))
        foundSelf |= entry.th32ProcessID == GetCurrentProcessId();
    CloseHandle(snapshot);
    EXPECT_TRUE(foundSelf);
    EXPECT_FALSE(ToolHelpProcessFirst(INVALID_HANDLE_VALUE, entry));
}

TEST(Binders, TerminalServicesBoundOnFirstCall) {
    LPSTR user = nullptr;
    DWORD bytes = 0;
    const bool freeBound = WtsApi().WTSFreeMemory != nullptr;
    ASSERT_TRUE(WtsQuerySessionInformationA(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, WTSUserName,
                                            &user, &bytes));
    EXPECT_NE(WtsApi().WTSQuerySessionInformationA, nullptr);
    EXPECT_EQ(WtsApi().WTSFreeMemory != nullptr, freeBound) << "bound separately, on its own first call";
    char name[256] = "";
    DWORD size = sizeof name;
    ASSERT_TRUE(GetUserNameA(name, &size));
    EXPECT_STREQ(user, name);
    WtsFreeMemory(user);
    EXPECT_NE(WtsApi().WTSFreeMemory, nullptr);
}

} // namespace
