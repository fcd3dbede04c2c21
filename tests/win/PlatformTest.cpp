#include "sysinfo/win/Vexor_NetAPI32.h"
#include "sysinfo/win/Vexor_Native.h"
#include "sysinfo/win/Vexor_PSAPI.h"
#include "sysinfo/win/Vexor_Routines.h"
#include "sysinfo/win/Vexor_WtsApi32.h"
#include "tests/fixtures/SavedRegistryTree.h"
#include "tests/fixtures/WineRun.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

// What the test program must find under each of Wine's Windows versions,
// from the decision tables and the version record Wine reports (Wine's win7
// reports product type 3, the record of Server 2008 R2). Workstation and
// Server 2003 editions depend on the processor architecture: 0 on 32-bit
// Windows, 9 on 64-bit Windows (for the twin, and for the 32-bit program
// under WOW64, which sees the native architecture).
struct TWineVersion {
    const char* Switch; // Wine's version name; "" for Wine's default
    DWORD Platform, Major, Minor, Build;
    BYTE ProductType;
    const char* CSD;
    TOSVersion Version;
    const char* Name;
    const char* Edition32; // architecture 0
    const char* Edition64; // architecture 9
    bool IsNT, IsNT4, IsWin2000, IsVista;

    const char* Edition() const { return ThisNativeArchitecture() == 0 ? Edition32 : Edition64; }
};

const TWineVersion kWineVersions[] = {
    // NT 4 has only the short record: no product type. Its edition comes
    // from Wine's ProductOptions "WinNT".
    {"nt40", 2, 4, 0, 1381, 0, "Service Pack 6a", osNT4, "Windows NT 4", "Workstation", "Workstation", true,
     true, false, false},
    // Workstations of 5.x: no Personal bit and no special metrics under Wine.
    {"win2k", 2, 5, 0, 2195, 1, "Service Pack 4", os2K, "Windows 2000", "Professional", "", true, false, true,
     false},
    {"winxp", 2, 5, 1, 2600, 1, "Service Pack 3", osXP, "Windows XP", "Professional", "", true, false, false,
     false},
    // 5.2 workstations exist on 64-bit Windows only.
    {"winxp64", 2, 5, 2, 3790, 1, "Service Pack 2", osXP64, "Windows XP Professional x64 Edition", nullptr,
     "", true, false, false, false},
    // A server 2003 without the DataCenter, Enterprise or lone Blade suite.
    {"win2003", 2, 5, 2, 3790, 3, "Service Pack 2", os2K3, "Windows Server 2003", "Standard Edition",
     "Standard x64 Edition", true, false, false, false},
    // Wine has no EditionID: the edition from its table stays empty.
    {"vista", 2, 6, 0, 6002, 1, "Service Pack 2", osVista, "Windows Vista", "", "", true, false, false, true},
    {"win2008", 2, 6, 0, 6002, 3, "Service Pack 2", osLonghorn, "Windows Server \"Longhorn\"", "", "", false,
     false, false, false},
    {"win7", 2, 6, 1, 7601, 3, "Service Pack 1", osUnknown, "", "Server 4.0", "Server 4.0", false, false,
     false, false},
    {"", 2, 6, 1, 7601, 1, "Service Pack 1", osUnknown, "", "", "", false, false, false, false},
    {"win98", 1, 4, 10, 0x040A08AE, 0, " A ", os98, "Windows 98", "SE", "SE", false, false, false, false},
};

const TWineVersion* FindWineVersion(const std::string& name, const OSVERSIONINFOEXA& info) {
    for (const TWineVersion& version : kWineVersions) {
        if (!name.empty()
                ? name == version.Switch
                : version.Platform == info.dwPlatformId && version.Major == info.dwMajorVersion &&
                      version.Minor == info.dwMinorVersion && version.ProductType == info.wProductType)
            return &version;
    }
    return nullptr;
}

// Run plainly, this checks Wine's default version; the version-switch runs
// name the version they set in KESTOVA_WINE_VERSION.
TEST(PlatformVersionSwitch, StartUpMatchesTheDecisionTables) {
    const char* requested = std::getenv("KESTOVA_WINE_VERSION");
    const OSVERSIONINFOEXA& info = HostVersionInfo();
    const TWineVersion* expected = FindWineVersion(requested ? requested : "", info);
    ASSERT_NE(expected, nullptr) << "no row for " << (requested ? requested : "this version") << ": "
                                 << info.dwMajorVersion << "." << info.dwMinorVersion << " product type "
                                 << int(info.wProductType);
    ASSERT_EQ(HostSystemInfo().wProcessorArchitecture, ThisNativeArchitecture());
    EXPECT_EQ(IsWow64(), ThisWineRun() == TWineRun::Wow64);

    EXPECT_EQ(info.dwPlatformId, expected->Platform);
    EXPECT_EQ(info.dwMajorVersion, expected->Major);
    EXPECT_EQ(info.dwMinorVersion, expected->Minor);
    EXPECT_EQ(info.dwBuildNumber, expected->Build);
    EXPECT_EQ(info.wProductType, expected->ProductType);
    EXPECT_STREQ(info.szCSDVersion, expected->CSD);
    // Before Windows 2000 the short record is all there is.
    EXPECT_EQ(info.dwOSVersionInfoSize, expected->Major < 5 ? 0u : 156u);
    if (expected->Major < 5) {
        EXPECT_EQ(info.wSuiteMask, 0);
        EXPECT_EQ(info.wServicePackMajor, 0);
    }

    EXPECT_EQ(HostOSVersion(), expected->Version);
    EXPECT_EQ(HostOSName(), expected->Name);
    ASSERT_NE(expected->Edition(), nullptr) << "this Windows never existed for this processor";
    EXPECT_EQ(HostOSEdition(), expected->Edition());
    EXPECT_EQ(IsNT(), expected->IsNT);
    EXPECT_EQ(IsNT4(), expected->IsNT4);
    EXPECT_EQ(IsWin2000(), expected->IsWin2000);
    EXPECT_EQ(IsVista(), expected->IsVista);
}

// The NT 4 run models a bare NT 4, without the process status and terminal
// services libraries; the Windows 98 run has no native library to bind.
TEST(PlatformVersionSwitch, OptionalLibrariesMissingOnOldWindows) {
    const char* requested = std::getenv("KESTOVA_WINE_VERSION");
    const std::string version = requested ? requested : "";
    if (version == "nt40") {
        EXPECT_FALSE(BindPsApi());
        EXPECT_EQ(PsApiBinding().Handle(), nullptr);
        for (const TBoundEntryPoint& entry : PsApiBinding().List())
            EXPECT_EQ(entry.Address, nullptr) << entry.Name;
        LPSTR user = nullptr;
        DWORD bytes = 0;
        EXPECT_FALSE(WtsQuerySessionInformationA(WTS_CURRENT_SERVER_HANDLE, WTS_CURRENT_SESSION, WTSUserName,
                                                 &user, &bytes));
        EXPECT_EQ(user, nullptr);
        EXPECT_EQ(WtsApi().WTSQuerySessionInformationA, nullptr);
        WtsFreeMemory(nullptr);
    } else if (version == "win98") {
        EXPECT_FALSE(BindNtDll());
        EXPECT_EQ(NtDllBinding().Handle(), nullptr);
        EXPECT_EQ(NtDll().NtQueryObject, nullptr);
    } else {
        EXPECT_TRUE(BindPsApi());
        EXPECT_TRUE(BindNtDll());
    }
}

TEST(Platform, HostDomainFromTheWorkstation) {
    // Wine makes the workstation's LAN group from the host's name.
    ASSERT_TRUE(BindNetApi());
    LPBYTE buffer = nullptr;
    ASSERT_EQ(NetApi().NetWkstaGetInfo(nullptr, 100, &buffer), 0u);
    char group[256] = "";
    WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<WKSTA_INFO_100*>(buffer)->wki100_langroup, -1, group,
                        sizeof group, nullptr, nullptr);
    NetApi().NetApiBufferFree(buffer);
    EXPECT_NE(group[0], '\0');
    EXPECT_EQ(HostDomain(), group);
}

// The decision reads the real registry: text and expandable text, DWORD and
// other types as the tables take them, an odd type never an error.
TEST(Platform, NT4RegistryValues) {
    SavedRegistryTree options(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\ProductOptions");
    SavedRegistryTree hotfix(HKEY_LOCAL_MACHINE,
                             "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009");
    TOSVersionRecord nt4;
    nt4.PlatformId = 2;
    nt4.MajorVersion = 4;
    nt4.CSDVersion = "Service Pack 6";
    auto identify = [&] { return IdentifyWindows(nt4, PROCESSOR_ARCHITECTURE_INTEL); };

    options.SetString("", "ProductType", "lanmannt");
    hotfix.SetString("", "Installed", "1");
    EXPECT_EQ(identify().Edition, "Server");
    EXPECT_EQ(identify().CSDVersion, "Service Pack 6a");
    options.SetString("", "ProductType", "ServerNT", REG_EXPAND_SZ);
    hotfix.SetDword("", "Installed", 1);
    EXPECT_EQ(identify().Edition, "Advanced Server");
    EXPECT_EQ(identify().CSDVersion, "Service Pack 6a");
    options.SetDword("", "ProductType", 1);
    hotfix.SetString("", "Installed", "1", REG_EXPAND_SZ);
    EXPECT_EQ(identify().Edition, "");
    EXPECT_EQ(identify().CSDVersion, "Service Pack 6");
    options.DeleteTree("");
    hotfix.DeleteTree("");
    EXPECT_EQ(identify().Edition, "");
    EXPECT_EQ(identify().CSDVersion, "Service Pack 6");
}

} // namespace
