// The internet settings from registry fixtures: default browser and mail
// client machine-wide and per user, proxy lists and the connection type.
// Under the NT family (the winxp run) the user's settings are read through
// HKEY_USERS and the interactive user's SID, which is the hive HKEY_CURRENT_USER
// shows this test program.
#include "sysinfo/win/Dask_OS_Internet.h"
#include "sysinfo/win/Dask_OS_Internet_Routines.h"

#include "tests/fixtures/Fixtures.h"
#include "tests/fixtures/SavedRegistryTree.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kBrowsers[] = "SOFTWARE\\Clients\\StartMenuInternet";
const char kMail[] = "SOFTWARE\\Clients\\Mail";
const char kInternetSettings[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet settings";

// The client keys of both hives and the user's proxy values, emptied for the
// test and put back afterwards; the programs the clients start exist in a
// temporary folder named by an environment variable.
class InternetFixture : public ::testing::Test {
protected:
    InternetFixture() {
        for (auto* tree : {&machineBrowsers_, &machineMail_, &userBrowsers_, &userMail_})
            tree->DeleteTree("");
        proxy_.DeleteValue("ProxyEnable");
        proxy_.DeleteValue("ProxyServer");
        for (const char* program : {"browser.exe", "mail.exe", "user browser.exe"})
            programs_.Write(program, "MZ");
        SetEnvironmentVariableA("KESTOVA_CLIENTS", programs_.Path().c_str());
    }
    ~InternetFixture() override { SetEnvironmentVariableA("KESTOVA_CLIENTS", nullptr); }

    // A client under kind: the kind's default names it, its default is the
    // display name and its command the program it starts.
    static void SetClient(const RegistryKeyWriter& kind, const std::string& client,
                          const std::string& display, const std::string& command) {
        kind.SetString("", "", client);
        kind.SetString(client, "", display);
        kind.SetString(client + "\\shell\\open\\command", "", command);
    }

    SavedRegistryTree machineBrowsers_{HKEY_LOCAL_MACHINE, kBrowsers};
    SavedRegistryTree machineMail_{HKEY_LOCAL_MACHINE, kMail};
    SavedRegistryTree userBrowsers_{HKEY_CURRENT_USER, kBrowsers};
    SavedRegistryTree userMail_{HKEY_CURRENT_USER, kMail};
    SavedRegistryValues proxy_{HKEY_CURRENT_USER, kInternetSettings, {"ProxyEnable", "ProxyServer"}};
    TempFolder programs_;
};

TEST_F(InternetFixture, NoClientsNoProxy) {
    TVexor_Internet internet(nullptr);
    internet.Refresh();
    EXPECT_EQ(internet.DefaultBrowserName(), "");
    EXPECT_EQ(internet.DefaultBrowser(), "");
    EXPECT_EQ(internet.DefaultMailClientName(), "");
    EXPECT_EQ(internet.DefaultMailClient(), "");
    EXPECT_EQ(internet.ConnectionType(), ctNone); // Wine has no active dial-up connection
    EXPECT_TRUE(internet.ProxyServer().Empty());
    EXPECT_TRUE(internet.DataPresent());
}

TEST_F(InternetFixture, MachineWideClientsWithQuotedPathsArgumentsAndVariables) {
    SetClient(machineBrowsers_, "TestBrowser.exe", "Test Browser",
              "\"" + programs_.File("browser.exe") + "\" -nohome");
    SetClient(machineMail_, "Test Mail", "Test Mail Client", "%KESTOVA_CLIENTS%\\mail.exe /compose");
    TVexor_Internet internet(nullptr);
    internet.Refresh();
    EXPECT_EQ(internet.DefaultBrowserName(), "Test Browser");
    EXPECT_EQ(internet.DefaultBrowser(), programs_.File("browser.exe"));
    EXPECT_EQ(internet.DefaultMailClientName(), "Test Mail Client");
    EXPECT_EQ(internet.DefaultMailClient(), programs_.File("mail.exe"));
}

TEST_F(InternetFixture, UserChoiceReplacesOnlyWhatItNames) {
    SetClient(machineBrowsers_, "TestBrowser.exe", "Test Browser", programs_.File("browser.exe"));
    // The user's browser names itself but gives no command: the machine's
    // program stays.
    SetClient(userBrowsers_, "UserBrowser", "User Browser", "");
    // The user's mail client gives a program but no name.
    SetClient(machineMail_, "Test Mail", "Test Mail Client", programs_.File("mail.exe"));
    SetClient(userMail_, "UserMail", "", "\"" + programs_.File("user browser.exe") + "\" /mail");
    TVexor_Internet internet(nullptr);
    internet.Refresh();
    EXPECT_EQ(internet.DefaultBrowserName(), "User Browser");
    EXPECT_EQ(internet.DefaultBrowser(), programs_.File("browser.exe"));
    EXPECT_EQ(internet.DefaultMailClientName(), "Test Mail Client");
    EXPECT_EQ(internet.DefaultMailClient(), programs_.File("user browser.exe"));
}

TEST_F(InternetFixture, ClientValuesThatAreNotTextArePassedOver) {
    SetClient(machineBrowsers_, "TestBrowser.exe", "Test Browser", programs_.File("browser.exe"));
    machineBrowsers_.SetDword("TestBrowser.exe", "", 7);
    SetClient(userMail_, "UserMail", "User Mail", programs_.File("mail.exe"));
    userMail_.SetDword("UserMail\\shell\\open\\command", "", 1);
    TVexor_Internet internet(nullptr);
    internet.Refresh();
    EXPECT_EQ(internet.DefaultBrowserName(), "");
    EXPECT_EQ(internet.DefaultBrowser(), programs_.File("browser.exe"));
    EXPECT_EQ(internet.DefaultMailClientName(), "User Mail");
    EXPECT_EQ(internet.DefaultMailClient(), "");
}

TEST_F(InternetFixture, ProxyListsAndConnectionType) {
    static const struct {
        const char* why;
        int enable; // -1: not set
        const char* server;
        TConnectionType type;
        TStringList lines;
    } cases[] = {
        {"enabled, per protocol", 1, "http=proxy:80;ftp=proxy:21", ctLAN, {"http=proxy:80", "ftp=proxy:21"}},
        {"enabled, one server", 1, "proxy.example:8080", ctLAN, {"0=proxy.example:8080"}},
        {"disabled: the list is still read", 0, "a=1;x;b=2", ctNone, {"a=1", "1=x", "b=2"}},
        {"enabled without a server", 1, "", ctNone, {}},
        {"no flag", -1, "proxy:80", ctNone, {"0=proxy:80"}},
    };
    for (const auto& c : cases) {
        if (c.enable >= 0)
            proxy_.SetDword("ProxyEnable", static_cast<DWORD>(c.enable));
        else
            proxy_.DeleteValue("ProxyEnable");
        proxy_.SetString("ProxyServer", c.server);
        TVexor_Internet internet(nullptr);
        internet.Refresh();
        EXPECT_EQ(internet.ConnectionType(), c.type) << c.why;
        EXPECT_EQ(internet.ProxyServer(), c.lines) << c.why;
    }
}

TEST_F(InternetFixture, ProxyFlagStoredAsBytesOrText) {
    RegistryKeyWriter settings(HKEY_CURRENT_USER, kInternetSettings);
    proxy_.SetString("ProxyServer", "proxy:80");
    const BYTE on[] = {1, 0};
    settings.SetBinary("", "ProxyEnable", on, sizeof on);
    EXPECT_EQ(GetConnectionType(), ctLAN);
    const BYTE off[] = {0, 0, 0, 0, 1};
    settings.SetBinary("", "ProxyEnable", off, sizeof off);
    EXPECT_EQ(GetConnectionType(), ctNone);
    // A flag of a type that is neither bytes nor a number is a read error:
    // no proxy, and nothing raised.
    proxy_.SetString("ProxyEnable", "1");
    EXPECT_EQ(GetConnectionType(), ctNone);
}

// Stand-ins for the remote access library's enumeration.
DWORD g_activeConnections = 0;
DWORD g_calls = 0;

DWORD WINAPI EnumerateActive(TRasConnection* entries, DWORD* bytes, DWORD* count) {
    ++g_calls;
    if (entries[0].dwSize != sizeof(TRasConnection))
        return 632; // ERROR_INVALID_SIZE
    const DWORD needed = g_activeConnections * static_cast<DWORD>(sizeof(TRasConnection));
    if (*bytes < needed) {
        *bytes = needed;
        *count = 4;
        return 603;
    }
    *count = g_activeConnections;
    return 0;
}

DWORD WINAPI EnumerateFails(TRasConnection*, DWORD* bytes, DWORD* count) {
    *bytes = 0;
    *count = 3;
    return 632;
}

TEST(InternetDialUp, ConnectionsAreCountedAlsoBeyondFourEntries) {
    static const struct {
        DWORD active;
        unsigned expected;
        DWORD calls;
    } cases[] = {{0, 0, 1}, {1, 1, 1}, {4, 4, 1}, {6, 6, 2}};
    for (const auto& c : cases) {
        g_activeConnections = c.active;
        g_calls = 0;
        EXPECT_EQ(CountRasConnections(EnumerateActive), c.expected) << c.active;
        EXPECT_EQ(g_calls, c.calls) << c.active;
    }
    EXPECT_EQ(CountRasConnections(EnumerateFails), 0u);
}

TEST(InternetDialUp, WineReportsNoActiveConnection) {
    EXPECT_EQ(GetRasConnectionCount(), 0u);
}

} // namespace
