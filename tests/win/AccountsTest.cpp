// Computer name, process and interactive users and SID texts, against the
// real Wine processes, tokens and registry.
#include "sysinfo/Dask_Common.h"
#include "sysinfo/Vexor_PSAPI.h"
#include "sysinfo/Vexor_Routines.h"

#include "base/Exception.h"
#include "base/win/Handles.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

std::string Lower(std::string text) {
    CharLowerA(text.data());
    return text;
}

std::string ActiveComputerName() {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof name;
    GetComputerNameA(name, &size);
    return name;
}

class Accounts : public ::testing::Test {
protected:
    // Wine starts its shell, explorer.exe, for the first process that asks
    // for the desktop.
    void SetUp() override { GetDesktopWindow(); }
    SavedRegistryValues computerName_{HKEY_LOCAL_MACHINE,
                                      "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName",
                                      {"ComputerName"}};
};

TEST_F(Accounts, ShellIsFoundAndItsOwnerRead) {
    const DWORD shell = FindProcessId("explorer.exe");
    ASSERT_NE(shell, 0u);
    EXPECT_EQ(FindProcessIdInSnapshot("EXPLORER.EXE"), shell);
    // The native list exists on the NT platform only.
    const bool ntPlatform = HostVersionInfo().dwPlatformId == VER_PLATFORM_WIN32_NT;
    EXPECT_EQ(FindProcessIdInNativeList("Explorer.exe"), ntPlatform ? shell : 0u);
    EXPECT_EQ(FindProcessId("kestova-no-such-program.exe"), 0u);
    EXPECT_EQ(Lower(GetProcessImageName(shell)), "explorer.exe");
    EXPECT_EQ(GetProcessImageName(0), "");

    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, shell));
    std::string user, domain;
    ASSERT_TRUE(GetProcessUser(process.Get(), user, domain));
    // Under Wine the shell runs as the account of this test, a local one.
    EXPECT_EQ(user, GetCurrentUserName());
    EXPECT_EQ(Lower(domain), Lower(ActiveComputerName()));
    EXPECT_FALSE(GetProcessUser(nullptr, user, domain));
    EXPECT_EQ(user + domain, "");
}

TEST_F(Accounts, RegistryComputerNameWins) {
    computerName_.SetString("ComputerName", "KESTOVA-REG");
    EXPECT_EQ(GetMachineName(), "KESTOVA-REG");
    computerName_.DeleteValue("ComputerName");
    EXPECT_EQ(GetMachineName(), ActiveComputerName());

    computerName_.SetDword("ComputerName", 7);
    try {
        GetMachineName();
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'ComputerName'");
    }
}

TEST_F(Accounts, InteractiveUserCarriesTheDomainOnlyWhenItIsNotTheComputer) {
    const std::string user = GetCurrentUserName();
    SetHostDomain("stale");
    if (!IsNT()) {
        // Windows 9x, and every Windows not counted as NT: the process user,
        // never with a domain; the workstation domain stays.
        computerName_.SetString("ComputerName", "KESTOVA-ELSEWHERE");
        EXPECT_EQ(GetInteractiveUser(), user);
        EXPECT_EQ(HostDomain(), "stale");
        return;
    }
    // A local account's domain is the computer's name, in whatever case.
    computerName_.SetString("ComputerName", Lower(ActiveComputerName()));
    EXPECT_EQ(GetInteractiveUser(), user);
    const std::string domain = HostDomain();
    ASSERT_NE(domain, Lower(domain)) << "the case test needs a name with letters";
    EXPECT_EQ(Lower(domain), Lower(ActiveComputerName()));

    computerName_.SetString("ComputerName", "KESTOVA-ELSEWHERE");
    EXPECT_EQ(GetInteractiveUser(), user + "@" + domain);
}

// NT 4 and 2000 search the native process list; the version runs pretend
// both, NT 4 without the process status and terminal services libraries.
TEST_F(Accounts, NT4And2000FindTheShellInTheNativeList) {
    if (!IsNT4() && !IsWin2000())
        GTEST_SKIP() << "runs under Wine's nt40 and win2k switches";
    SetHostDomain("stale");
    if (!BindPsApi()) {
        // No image names, so no shell; no session query either: the process
        // user without a domain.
        EXPECT_EQ(FindProcessId("explorer.exe"), 0u);
        EXPECT_EQ(GetInteractiveUser(), GetCurrentUserName());
        EXPECT_EQ(HostDomain(), "");
        return;
    }
    const DWORD shell = FindProcessIdInNativeList("explorer.exe");
    ASSERT_NE(shell, 0u);
    EXPECT_EQ(FindProcessId("explorer.exe"), shell);
    EXPECT_EQ(GetInteractiveUser(), GetCurrentUserName());
    EXPECT_EQ(Lower(HostDomain()), Lower(ActiveComputerName()));
}

TEST(AccountsSid, Text) {
    static const struct {
        SID_IDENTIFIER_AUTHORITY authority;
        BYTE count;
        DWORD sub[3];
        const char* text;
    } cases[] = {
        {{{0, 0, 0, 0, 0, 5}}, 2, {21, 4294967295u}, "S-1-5-21-4294967295"},
        {{{0, 0, 0, 0, 0, 16}}, 1, {12288}, "S-1-16-12288"},
        // Null and wide authorities as Windows writes them.
        {{{0, 0, 0, 0, 0, 0}}, 1, {0}, "S-1-0-0"},
        {{{0, 0, 0, 0, 1, 0}}, 1, {1}, "S-1-256-1"},
        {{{0xAB, 2, 3, 4, 5, 6}}, 1, {1}, "S-1-0xAB0203040506-1"},
    };
    for (auto c : cases) {
        PSID sid = nullptr;
        ASSERT_TRUE(AllocateAndInitializeSid(&c.authority, c.count, c.sub[0], c.sub[1], c.sub[2], 0, 0, 0, 0,
                                             0, &sid));
        EXPECT_EQ(SidToText(sid), c.text);
        FreeSid(sid);
    }
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 5, 21, 1, 2, 3, 1000, 0, 0, 0, &sid));
    EXPECT_EQ(SidToText(sid), "S-1-5-21-1-2-3-1000");
    FreeSid(sid);
}

TEST(AccountsSid, ComponentsRecordTheInteractiveUserAndItsSid) {
    UniqueHandle token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put()));
    alignas(8) BYTE information[4096];
    DWORD length = 0;
    ASSERT_TRUE(GetTokenInformation(token.Get(), TokenUser, information, sizeof information, &length));
    const std::string sid = SidToText(reinterpret_cast<TOKEN_USER*>(information)->User.Sid);
    EXPECT_EQ(GetAccountSidText("", GetCurrentUserName()), sid);
    EXPECT_EQ(GetAccountSidText("", "kestova-no-such-account"), "");

    TVexor_Nolt_Component component(nullptr);
    EXPECT_EQ(component.LoggedUser(), GetInteractiveUser());
    EXPECT_EQ(component.LoggedUserSID(), sid);
}

TEST(AccountsProcessList, BufferGrowsByUnitsNotBytes) {
    static const struct {
        size_t units;
        unsigned long required;
        size_t next;
    } cases[] = {{256, 0, 512}, {256, 512 * 16568, 512}, {256, 512 * 16568 + 1, 513}, {256, 10000000, 604}};
    for (const auto& c : cases)
        EXPECT_EQ(NextProcessListUnits(c.units, c.required), c.next) << c.required;
}

} // namespace
