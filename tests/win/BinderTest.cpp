#include "base/Exception.h"
#include "sysinfo/Vexor_Bindings.h"
#include "sysinfo/Vexor_NetAPI32.h"
#include "sysinfo/Vexor_Native.h"
#include "sysinfo/Vexor_PSAPI.h"
#include "sysinfo/Vexor_WtsApi32.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <sstream>
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

TEST(Binders, TablesResolveEveryEntryPointInOrder) {
    const struct {
        const char* Library;
        bool (*Bind)();
        TBoundEntryPoints (*EntryPoints)();
        const char* Names;
    } binders[] = {
        {"netapi32.dll", BindNetApi, NetApiEntryPoints,
         "NetQueryDisplayInformation NetStatisticsGet NetWkstaGetInfo NetWkstaUserGetInfo NetUserEnum "
         "NetWkstaUserEnum NetWkstaTransportEnum NetServerTransportEnum NetUserGetInfo NetUserAdd NetUserDel "
         "NetUserGetGroups NetUserGetLocalGroups NetGroupEnum NetLocalGroupEnum NetGroupGetUsers "
         "NetLocalGroupGetMembers NetLocalGroupAddMembers NetLocalGroupDelMembers NetServerEnum NetShareEnum "
         "NetShareDel NetSessionEnum NetSessionDel NetConnectionEnum NetFileEnum NetFileClose "
         "NetApiBufferFree "
         "NetApiBufferReallocate NetApiBufferSize NetScheduleJobEnum NetScheduleJobDel NetScheduleJobAdd "
         "NetScheduleJobGetInfo NetUseAdd NetUseDel NetUseEnum NetUseGetInfo NetServerGetInfo NetGetDCName "
         "NetGetAnyDCName NetRemoteTOD NetShareGetInfo NetShareCheck DsGetDcNameA DsGetSiteNameA "
         "DsGetDcOpenA "
         "DsGetDcNextA DsGetDcCloseW"},
        {"psapi.dll", BindPsApi, PsApiEntryPoints,
         "EnumProcesses EnumProcessModules GetModuleBaseNameA GetModuleFileNameExA GetModuleInformation "
         "EmptyWorkingSet QueryWorkingSet InitializeProcessForWsWatch GetWsChanges GetMappedFileNameA "
         "EnumDeviceDrivers GetDeviceDriverBaseNameA GetDeviceDriverFileNameA GetProcessMemoryInfo"},
        {"NTDLL.DLL", BindNtDll, NtDllEntryPoints,
         "NtQueryInformationToken NtOpenProcessToken NtOpenSection NtClose NtOpenProcess NtCreateProcess "
         "NtQuerySystemInformation NtCreateSection NtCreateToken NtMapViewOfSection NtUnmapViewOfSection "
         "NtOpenFile NtCreateFile NtQueryObject NtQueryInformationProcess NtQueryInformationThread "
         "NtQueryInformationFile NtDuplicateObject NtDeviceIoControlFile ZwSystemDebugControl"},
        {"kernel32.dll", BindToolHelp, ToolHelpEntryPoints,
         "CreateToolhelp32Snapshot Heap32ListFirst Heap32ListNext Heap32First Heap32Next "
         "Toolhelp32ReadProcessMemory Process32First Process32Next Process32FirstW Process32NextW "
         "Thread32First Thread32Next Module32First Module32Next Module32FirstW Module32NextW"},
    };
    for (const auto& binder : binders) {
        EXPECT_TRUE(binder.Bind()) << binder.Library;
        const HMODULE module = GetModuleHandleA(binder.Library);
        ASSERT_NE(module, nullptr) << binder.Library;
        std::vector<std::string> names;
        std::istringstream words(binder.Names);
        for (std::string name; words >> name;)
            names.push_back(name);
        const TBoundEntryPoints entries = binder.EntryPoints();
        ASSERT_EQ(entries.size(), names.size()) << binder.Library;
        size_t found = 0;
        for (size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(entries[i].Name, names[i]) << binder.Library;
            EXPECT_EQ(entries[i].Address, GetProcAddress(module, names[i].c_str())) << names[i];
            found += entries[i].Address != nullptr;
        }
        // Wine leaves out a few rarely used exports, never most of a table.
        EXPECT_GT(found * 4, entries.size() * 3) << binder.Library;
    }
}

TEST(Binders, StartUpLoadsWhatIsMissingAndTheEndFreesOnlyThat) {
    UnloadProcessStatusLibrary();
    InitLibraryBindings();
    EXPECT_NE(NetApiBinding().Handle, nullptr);
    EXPECT_NE(NetApi().NetWkstaGetInfo, nullptr);
    ASSERT_NE(PsApiBinding().Handle, nullptr);
    EXPECT_TRUE(PsApiBinding().Owned);
    EXPECT_NE(PsApi().GetModuleBaseNameA, nullptr);
    // Every NT process has NTDLL: the binder never owns it.
    EXPECT_EQ(NtDllBinding().Handle, GetModuleHandleA("ntdll.dll"));
    EXPECT_FALSE(NtDllBinding().Owned);
    EXPECT_NE(NtDll().NtQuerySystemInformation, nullptr);

    DoneLibraryBindings();
    EXPECT_EQ(PsApiBinding().Handle, nullptr);
    EXPECT_EQ(GetModuleHandleA("psapi.dll"), nullptr);
    for (const TBoundEntryPoint& entry : PsApiEntryPoints())
        EXPECT_EQ(entry.Address, nullptr) << "a freed library leaves no callable pointer: " << entry.Name;
    EXPECT_EQ(NtDllBinding().Handle, GetModuleHandleA("ntdll.dll"));
    EXPECT_NE(NtDll().NtOpenSection, nullptr);
}

TEST(Binders, OnlyTheCallThatLoadedALibraryOwnsIt) {
    UnloadProcessStatusLibrary();
    ASSERT_TRUE(BindPsApi());
    EXPECT_TRUE(PsApiBinding().Owned);
    // The second call finds the library in the process and decides afresh.
    ASSERT_TRUE(BindPsApi());
    EXPECT_FALSE(PsApiBinding().Owned);
    const HMODULE module = PsApiBinding().Handle;
    UnbindPsApi();
    EXPECT_EQ(PsApiBinding().Handle, module);
    EXPECT_EQ(GetModuleHandleA("psapi.dll"), module);
    EXPECT_NE(PsApi().EnumProcesses, nullptr);
}

TEST(Binders, FailedUnloadRaisesTheUnloadError) {
    UnloadProcessStatusLibrary();
    ASSERT_TRUE(BindPsApi());
    ASSERT_TRUE(PsApiBinding().Owned);
    // Freed behind the binder's back: Windows refuses the binder's own free.
    ASSERT_TRUE(FreeLibrary(PsApiBinding().Handle));
    try {
        UnbindPsApi();
        ADD_FAILURE() << "no unload error";
    } catch (const Exception& error) {
        EXPECT_EQ(error.Message(), "Unload Error: psapi.dll - 0x0");
    }
    EXPECT_NE(PsApiBinding().Handle, nullptr);
    ASSERT_TRUE(BindPsApi()); // loads it again, so the end of the run frees it cleanly

    EXPECT_EQ(UnloadErrorText("NTDLL.DLL", reinterpret_cast<HMODULE>(0x7C900000)),
              "Unload Error: NTDLL.DLL - 0x7c900000");
}

TEST(Binders, MissingLibraryOrEntryPointLeavesZero) {
    TLibraryBinding absent{"kestova-absent.dll"};
    AttachLibrary(absent);
    EXPECT_EQ(absent.Handle, nullptr);
    EXPECT_TRUE(absent.Owned);
    EXPECT_FALSE(DetachLibrary(absent));

    decltype(&GetTickCount) slot = GetTickCount;
    ResolveEntryPoint(absent.Handle, "GetTickCount", slot);
    EXPECT_EQ(slot, nullptr);
    slot = GetTickCount;
    ResolveEntryPoint(GetModuleHandleA("kernel32.dll"), "KestovaNoSuchEntry", slot);
    EXPECT_EQ(slot, nullptr);

    EXPECT_FALSE(BindLibraryFunction(slot, "kestova-absent.dll", "GetTickCount"));
    EXPECT_EQ(slot, nullptr);
    EXPECT_FALSE(BindLibraryFunction(slot, "kernel32.dll", "KestovaNoSuchEntry"));
    EXPECT_EQ(slot, nullptr);
    EXPECT_TRUE(BindLibraryFunction(slot, "kernel32.dll", "GetTickCount"));
    EXPECT_EQ(EntryAddress(slot), GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount"));
    // A slot already set is used as it is.
    decltype(&GetTickCount) bound = GetTickCount;
    EXPECT_TRUE(BindLibraryFunction(bound, "kernel32.dll", "GetCurrentProcessId"));
    EXPECT_EQ(bound, &GetTickCount);
}

TEST(Binders, ToolHelpWalksTheProcessList) {
    ASSERT_TRUE(BindToolHelp());
    EXPECT_EQ(ToolHelpBinding().Handle, GetModuleHandleA("kernel32.dll"));
    EXPECT_FALSE(ToolHelpBinding().Owned);

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
