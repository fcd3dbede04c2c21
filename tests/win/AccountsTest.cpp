// Computer name, process and interactive users and SID texts, against the
// real Wine processes, tokens and registry.
#include "sysinfo/win/Dask_Common.h"
#include "sysinfo/win/Vexor_PSAPI.h"
#include "sysinfo/win/Vexor_Routines.h"

#include "base/Exception.h"
#include "base/win/Handles.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include "tests/fixtures/WineRun.h"

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
    // A 32-bit program cannot read the module list of a 64-bit process
    // (Windows answers ERROR_PARTIAL_COPY), so under WOW64 the 64-bit shell
    // has no image name and the native list, which matches by image name,
    // does not find it. Real 64-bit Windows never takes that list: only NT 4
    // and 2000 do, and neither has WOW64.
    const bool namesReadable = ThisWineRun() != TWineRun::Wow64;
    EXPECT_EQ(FindProcessIdInNativeList("Explorer.exe"), ntPlatform && namesReadable ? shell : 0u);
    EXPECT_EQ(FindProcessId("kestova-no-such-program.exe"), 0u);
    EXPECT_EQ(Lower(GetProcessImageName(shell)), namesReadable ? "explorer.exe" : "");
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

// The answers of one imagined machine for the interactive-user lookup.
struct Answers {
    std::string shellUser, shellDomain;
    bool sessionAnswers;
    std::string sessionUser, sessionDomain;
    std::string processUser;
    std::string machine;
};

std::string Resolve(const Answers& answers) {
    TInteractiveUserSources sources;
    sources.ShellUser = [&](std::string& user, std::string& domain) {
        user = answers.shellUser;
        domain = answers.shellDomain;
    };
    sources.SessionText = [&](WTS_INFO_CLASS infoClass, std::string& text) {
        if (!answers.sessionAnswers)
            return false;
        text = infoClass == WTSUserName ? answers.sessionUser : answers.sessionDomain;
        return true;
    };
    sources.ProcessUser = [&] { return answers.processUser; };
    sources.MachineName = [&] { return answers.machine; };
    return ResolveInteractiveUser(sources);
}

// Without a shell whose owner can be read, the terminal-services session
// names the user; the process user stands in when the session cannot.
TEST(AccountsInteractiveUser, SessionStandsInForTheShell) {
    static const struct {
        Answers answers;
        const char* user;
        const char* domain; // HostDomain afterwards
    } cases[] = {
        {{"ann", "KESTOVA-PC", true, "bob", "OFFICE", "me", "KESTOVA-PC"},
         "ann",
         "KESTOVA-PC"}, // the shell wins
        {{"ann", "OFFICE", true, "", "", "me", "KESTOVA-PC"}, "ann@OFFICE", "OFFICE"},
        // No shell: the session's user, with the session's domain.
        {{"", "", true, "bob", "kestova-pc", "me", "KESTOVA-PC"}, "bob", "kestova-pc"},
        {{"", "", true, "bob", "OFFICE", "me", "KESTOVA-PC"}, "bob@OFFICE", "OFFICE"},
        {{"", "", true, "", "OFFICE", "me", "KESTOVA-PC"}, "@OFFICE", "OFFICE"}, // empty user, foreign domain
        {{"", "", true, "", "", "me", "KESTOVA-PC"}, "", ""},
        // No session query either: the process user, no domain.
        {{"", "", false, "bob", "OFFICE", "me", "KESTOVA-PC"}, "me", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        SetHostDomain("stale");
        EXPECT_EQ(Resolve(c.answers), c.user);
        EXPECT_EQ(HostDomain(), c.domain);
    }
}

// LookupAccountSidA stand-ins: each call is counted; the first failures
// answers fail with last error error, later calls give a name.
int g_lookupCalls = 0;
int g_lookupFailures = 0;
DWORD g_lookupError = 0;

BOOL WINAPI CountedLookup(LPCSTR, PSID, LPSTR name, LPDWORD, LPSTR domain, LPDWORD, PSID_NAME_USE) {
    if (++g_lookupCalls <= g_lookupFailures) {
        SetLastError(g_lookupError);
        return FALSE;
    }
    lstrcpyA(name, "ann");
    lstrcpyA(domain, "OFFICE");
    return TRUE;
}

TEST(AccountsProcessUser, UnknownNamesGiveTheSidText) {
    SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
    PSID sid = nullptr;
    ASSERT_TRUE(AllocateAndInitializeSid(&nt, 5, 21, 1, 2, 3, 1000, 0, 0, 0, &sid));
    static const struct {
        int failures;
        DWORD error;
        int calls;
        const char* user;
        const char* domain;
    } cases[] = {
        {0, 0, 1, "ann", "OFFICE"},
        {2, ERROR_ACCESS_DENIED, 3, "ann", "OFFICE"},              // asked again until a name comes
        {100, ERROR_NONE_MAPPED, 1, "S-1-5-21-1-2-3-1000", ""},    // the SID has no name: no second call
        {100, ERROR_ACCESS_DENIED, 11, "S-1-5-21-1-2-3-1000", ""}, // eleven calls in all
        {10, ERROR_ACCESS_DENIED, 11, "ann", "OFFICE"},
    };
    for (const auto& c : cases) {
        g_lookupCalls = 0;
        g_lookupFailures = c.failures;
        g_lookupError = c.error;
        std::string user = "stale", domain = "stale";
        AccountOfSid(sid, CountedLookup, user, domain);
        EXPECT_EQ(g_lookupCalls, c.calls) << c.failures << " " << c.error;
        EXPECT_EQ(user, c.user);
        EXPECT_EQ(domain, c.domain);
    }
    // The account database knows no such account either.
    std::string user, domain = "stale";
    AccountOfSid(sid, LookupAccountSidA, user, domain);
    EXPECT_EQ(user, "S-1-5-21-1-2-3-1000");
    EXPECT_EQ(domain, "");
    FreeSid(sid);
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
