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

#include <string>
#include <vector>

namespace {

const char kComputerNameKey[] = "SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName";

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
    void SetUp() override {
        // Wine starts its desktop shell, explorer.exe, for the first process
        // that asks for the desktop.
        GetDesktopWindow();
    }
    SavedRegistryValues computerName_{HKEY_LOCAL_MACHINE, kComputerNameKey, {"ComputerName"}};
};

TEST_F(Accounts, ShellIsFoundAndItsOwnerRead) {
    const DWORD shell = FindProcessId("explorer.exe");
    ASSERT_NE(shell, 0u);
    EXPECT_EQ(FindProcessId("EXPLORER.EXE"), shell);
    EXPECT_EQ(FindProcessIdInSnapshot("Explorer.exe"), shell);
    EXPECT_EQ(FindProcessId("kestova-no-such-program.exe"), 0u);
    // The native list exists on the NT platform only.
    const bool ntPlatform = HostVersionInfo().dwPlatformId == VER_PLATFORM_WIN32_NT;
    EXPECT_EQ(FindProcessIdInNativeList("explorer.EXE"), ntPlatform ? shell : 0u);
    EXPECT_EQ(FindProcessIdInNativeList("kestova-no-such-program.exe"), 0u);
    EXPECT_EQ(Lower(GetProcessImageName(shell)), "explorer.exe");
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string path = program;
    EXPECT_EQ(Lower(GetProcessImageName(GetCurrentProcessId())), Lower(path.substr(path.rfind('\\') + 1)));

    UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, shell));
    ASSERT_TRUE(process);
    std::string user = "stale";
    std::string domain = "stale";
    ASSERT_TRUE(GetProcessUser(process.Get(), user, domain));
    // Under Wine the shell runs as the same account as this test.
    EXPECT_EQ(user, GetCurrentUserName());
    EXPECT_FALSE(user.empty());
    EXPECT_EQ(Lower(domain), Lower(ActiveComputerName()));

    // A handle whose token cannot be read clears both and gives false.
    EXPECT_FALSE(GetProcessUser(nullptr, user, domain));
    EXPECT_EQ(user, "");
    EXPECT_EQ(domain, "");
}

TEST_F(Accounts, ImageNameOfAProcessThatCannotBeOpenedIsEmpty) {
    EXPECT_EQ(GetProcessImageName(0), "");
    EXPECT_EQ(GetProcessImageName(0xFFFFFFF0u), "");
}

TEST_F(Accounts, RegistryComputerNameWins) {
    computerName_.SetString("ComputerName", "KESTOVA-REG");
    ASSERT_NE(ActiveComputerName(), "KESTOVA-REG");
    EXPECT_EQ(GetMachineName(), "KESTOVA-REG");

    computerName_.SetString("ComputerName", "");
    EXPECT_EQ(GetMachineName(), "");

    computerName_.DeleteValue("ComputerName");
    EXPECT_EQ(GetMachineName(), ActiveComputerName());
}

TEST_F(Accounts, NonTextComputerNameRaisesTheDataTypeError) {
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
        // never with a domain, and the workstation domain stays.
        computerName_.SetString("ComputerName", "KESTOVA-ELSEWHERE");
        EXPECT_EQ(GetInteractiveUser(), user);
        EXPECT_EQ(HostDomain(), "stale");
        return;
    }

    // A local account's domain is the computer's name, in whatever case.
    computerName_.SetString("ComputerName", Lower(ActiveComputerName()));
    EXPECT_EQ(GetInteractiveUser(), user);
    const std::string domain = HostDomain();
    EXPECT_EQ(Lower(domain), Lower(ActiveComputerName()));
    EXPECT_NE(domain, Lower(domain)) << "the case test needs a name with letters";

    // On a computer named otherwise the same account reads as name@domain.
    computerName_.SetString("ComputerName", "KESTOVA-ELSEWHERE");
    EXPECT_EQ(GetInteractiveUser(), user + "@" + domain);
    EXPECT_EQ(HostDomain(), domain);
}

// Windows NT 4 and 2000 search the native process list (NT 4 has no tool
// help); the version runs pretend both, NT 4 without the process status and
// terminal services libraries, as it comes out of the box.
TEST_F(Accounts, NT4And2000FindTheShellInTheNativeList) {
    if (!IsNT4() && !IsWin2000())
        GTEST_SKIP() << "runs under Wine's nt40 and win2k switches";
    SetHostDomain("stale");
    if (!BindPsApi()) {
        // No image names, so no shell: the user falls back to the process
        // user, without a domain, as the session query is missing too.
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

TEST_F(Accounts, SidText) {
    static const struct {
        SID_IDENTIFIER_AUTHORITY authority;
        std::vector<DWORD> subAuthorities;
        const char* text;
    } cases[] = {
        {{{0, 0, 0, 0, 0, 5}}, {21, 1, 2, 3, 1000}, "S-1-5-21-1-2-3-1000"},
        {{{0, 0, 0, 0, 0, 5}}, {18}, "S-1-5-18"},
        {{{0, 0, 0, 0, 0, 1}}, {0}, "S-1-1-0"},
        {{{0, 0, 0, 0, 0, 16}}, {12288}, "S-1-16-12288"},
        {{{0, 0, 0, 0, 0, 5}}, {21, 4294967295u, 2147483648u}, "S-1-5-21-4294967295-2147483648"},
        {{{0, 0, 0, 0, 0, 5}}, {1, 2, 3, 4, 5, 6, 7, 8}, "S-1-5-1-2-3-4-5-6-7-8"},
        // The null authority and authorities of more than one byte read as
        // one number, as Windows writes them.
        {{{0, 0, 0, 0, 0, 0}}, {0}, "S-1-0-0"},
        {{{0, 0, 0, 0, 1, 0}}, {1}, "S-1-256-1"},
        {{{0, 0, 1, 2, 3, 4}}, {1}, "S-1-16909060-1"},
        {{{0, 1, 0, 0, 0, 0}}, {1}, "S-1-0x000100000000-1"},
        {{{0xAB, 2, 3, 4, 5, 6}}, {1}, "S-1-0xAB0203040506-1"},
    };
    for (const auto& c : cases) {
        DWORD s[8] = {};
        std::copy(c.subAuthorities.begin(), c.subAuthorities.end(), s);
        PSID sid = nullptr;
        SID_IDENTIFIER_AUTHORITY authority = c.authority;
        ASSERT_TRUE(AllocateAndInitializeSid(&authority, static_cast<BYTE>(c.subAuthorities.size()), s[0],
                                             s[1], s[2], s[3], s[4], s[5], s[6], s[7], &sid));
        EXPECT_EQ(SidToText(sid), c.text);
        FreeSid(sid);
    }
    EXPECT_EQ(SidToText(nullptr), "");
}

TEST_F(Accounts, AccountSidTextOfTheProcessUser) {
    // The SID of this process's token, as the account database gives it by name.
    UniqueHandle token;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.Put()));
    alignas(8) BYTE information[4096];
    DWORD length = 0;
    ASSERT_TRUE(GetTokenInformation(token.Get(), TokenUser, information, sizeof information, &length));
    const std::string expected = SidToText(reinterpret_cast<TOKEN_USER*>(information)->User.Sid);
    ASSERT_EQ(expected.rfind("S-1-5-21-", 0), 0u) << expected;

    EXPECT_EQ(GetAccountSidText("", GetCurrentUserName()), expected);
    EXPECT_EQ(GetAccountSidText("", "kestova-no-such-account"), "");
}

TEST_F(Accounts, ComponentsRecordTheInteractiveUserWhenCreated) {
    TVexor_Nolt_Component component(nullptr);
    EXPECT_EQ(component.LoggedUser(), GetInteractiveUser());
    EXPECT_FALSE(component.LoggedUser().empty());
    EXPECT_EQ(component.LoggedUserSID(), GetAccountSidText("", component.LoggedUser()));
    EXPECT_EQ(component.LoggedUserSID().rfind("S-1-5-21-", 0), 0u) << component.LoggedUserSID();
}

TEST(AccountsProcessList, BufferGrowsByUnitsNotBytes) {
    static const struct {
        size_t units;
        unsigned long required;
        size_t next;
    } cases[] = {
        {256, 0, 512},               // no size given: twice the units
        {256, 4241408, 512},         // what the first buffer held: still twice
        {256, 512 * 16568 + 1, 513}, // one byte more than twice: one more unit
        {256, 10000000, 604},        // 10 MB: rounded up to whole units
        {1, 16568, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextProcessListUnits(c.units, c.required), c.next) << c.units << " " << c.required;
}

} // namespace
