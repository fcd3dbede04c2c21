// The operating-system component against the running Windows: under Wine's
// per-program version switch the version runs (tests/cmake/
// OSComponentVersions.cmake) say which Windows is pretended through
// KESTOVA_WINE_VERSION.
#include "sysinfo/Dask_OS.h"
#include "sysinfo/Vexor_Routines.h"

#include "base/Exception.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const char kNtKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char k9xKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

// Every value the refresh reads from either key, saved and put back.
class CurrentVersionValues {
public:
    SavedRegistryValues nt{
        HKEY_LOCAL_MACHINE,
        kNtKey,
        {"RegisteredOrganization", "RegisteredOwner", "CurrentType", "ProductID", "BuildLab", "BuildLabEx"}};
    SavedRegistryValues nineX{
        HKEY_LOCAL_MACHINE,
        k9xKey,
        {"RegisteredOrganization", "RegisteredOwner", "CurrentType", "ProductID", "BuildLab", "BuildLabEx"}};

    // Distinct texts in both keys, so that a refresh shows which it read.
    void Mark() const {
        for (const auto* key : {&nt, &nineX}) {
            const std::string from = key == &nt ? "nt " : "9x ";
            key->SetString("RegisteredOrganization", from + "organization");
            key->SetString("RegisteredOwner", from + "owner");
            key->SetString("CurrentType", from + "type");
            key->SetString("ProductID", from + "product");
            key->SetString("BuildLab", from + "lab");
            key->DeleteValue("BuildLabEx");
        }
    }
    // The key this Windows reads: NT's only where the NT family is recognised.
    const SavedRegistryValues& Read() const { return IsNT() ? nt : nineX; }
};

std::string WindowsVersionOfThisRun() {
    const char* version = std::getenv("KESTOVA_WINE_VERSION");
    return version ? version : "";
}

TEST(OperatingSystem, ConstructedEmptyWithItsNamedSubComponents) {
    TVexor_OperatingSystem os(nullptr);
    EXPECT_EQ(os.ComponentCount(), 5u);
    EXPECT_EQ(os.FindComponent("TimeZone"), os.TimeZone());
    EXPECT_EQ(os.FindComponent("NTSpecific"), os.NTSpecific());
    EXPECT_EQ(os.FindComponent("VistaSpecific"), os.VistaSpecific());
    EXPECT_EQ(os.FindComponent("Internet"), os.Internet());
    EXPECT_EQ(os.FindComponent("LocaleInfo"), os.LocaleInfo());
    for (size_t i = 0; i < os.ComponentCount(); ++i)
        EXPECT_EQ(os.Components(i)->Owner(), &os);
    EXPECT_EQ(os.Platform(), opWin31);
    EXPECT_EQ(os.OS(), osUnknown);
    EXPECT_EQ(os.MajorVersion(), 0);
    EXPECT_EQ(os.OSName(), "");
    EXPECT_EQ(os.BuildLab(), "");
    EXPECT_EQ(os.InstallDate(), 0.0);
    EXPECT_TRUE(os.Environment().Empty());
    EXPECT_TRUE(os.Folders().Empty());
    EXPECT_FALSE(os.DataPresent());
}

TEST(OperatingSystem, PlatformFamilyOfTheIdentifier) {
    EXPECT_EQ(PlatformOf(0, opWinNT), opWin31);
    EXPECT_EQ(PlatformOf(1, opWin31), opWin9x);
    EXPECT_EQ(PlatformOf(2, opWin31), opWinNT);
    // Windows CE (3) and anything later keep what was there.
    EXPECT_EQ(PlatformOf(3, opWin9x), opWin9x);
    EXPECT_EQ(PlatformOf(3, opWinNT), opWinNT);
}

// Name, edition, version, platform, service pack and the key the texts come
// from, as each Windows pretended by Wine shows them.
TEST(OperatingSystem, IdentificationUnderTheVersionSwitch) {
    static const struct {
        const char* version;
        const char* name;
        const char* edition;
        TOSVersion os;
        TOSPlatform platform;
        int major, minor, build;
        const char* csd;
        bool ntKey;
    } cases[] = {
        // This test program is 64-bit: Wine shows it a 64-bit Windows, whose
        // workstations have no edition text.
        {"winxp", "Windows XP", "", osXP, opWinNT, 5, 1, 2600, "Service Pack 3", true},
        {"win2003", "Windows Server 2003", "Standard x64 Edition", os2K3, opWinNT, 5, 2, 3790,
         "Service Pack 2", true},
        {"vista", "Windows Vista", "", osVista, opWinNT, 6, 0, 6002, "Service Pack 2", true},
        {"win2008", "Windows Server \"Longhorn\"", "", osLonghorn, opWinNT, 6, 0, 6002, "Service Pack 2",
         false},
        // Wine's win7 is a server product type: no name, the old server text.
        {"win7", "", "Server 4.0", osUnknown, opWinNT, 6, 1, 7601, "Service Pack 1", false},
        // The raw build number is 0x040A08AE: major and minor in the high word.
        {"win98", "Windows 98", "SE", os98, opWin9x, 4, 10, 2222, " A ", false},
    };
    const std::string run = WindowsVersionOfThisRun();
    const auto* expected =
        std::find_if(std::begin(cases), std::end(cases), [&](const auto& c) { return run == c.version; });
    if (expected == std::end(cases))
        GTEST_SKIP() << "runs under Wine's version switch only";

    CurrentVersionValues values;
    values.Mark();
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    EXPECT_EQ(os.OSName(), expected->name);
    EXPECT_EQ(os.OSEdition(), expected->edition);
    EXPECT_EQ(os.OS(), expected->os);
    EXPECT_EQ(os.Platform(), expected->platform);
    EXPECT_EQ(os.MajorVersion(), expected->major);
    EXPECT_EQ(os.MinorVersion(), expected->minor);
    EXPECT_EQ(os.BuildNumber(), expected->build);
    EXPECT_EQ(os.CSD(), expected->csd);
    const std::string from = expected->ntKey ? "nt " : "9x ";
    EXPECT_EQ(os.RegisteredOrg(), from + "organization");
    EXPECT_EQ(os.RegisteredUser(), from + "owner");
    EXPECT_EQ(os.Version(), from + "type");
    EXPECT_EQ(os.ProductID(), from + "product");
    EXPECT_EQ(os.BuildLab(), from + "lab");

    // The NT and Vista sub-components are refreshed only on the Windows
    // counted as such; the others always.
    const bool nt = expected->ntKey;
    const bool vista = expected->os == osVista;
    EXPECT_EQ(os.NTSpecific()->Source().MajorVersion != 0, nt);
    EXPECT_EQ(os.VistaSpecific()->Source().MajorVersion != 0, vista);
    EXPECT_NE(os.TimeZone()->Source().MajorVersion, 0);
    EXPECT_NE(os.Internet()->Source().MajorVersion, 0);
    EXPECT_NE(os.LocaleInfo()->Source().MajorVersion, 0);
}

TEST(OperatingSystem, RefreshTakesTheStartUpIdentification) {
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    const OSVERSIONINFOEXA& info = HostVersionInfo();
    EXPECT_EQ(os.MajorVersion(), static_cast<int>(info.dwMajorVersion));
    EXPECT_EQ(os.BuildNumber(), static_cast<int>(info.dwBuildNumber & 0xFFFF));
    EXPECT_EQ(os.OSName(), HostOSName());
    EXPECT_EQ(os.OSEdition(), HostOSEdition());
    EXPECT_EQ(os.OS(), HostOSVersion());
    EXPECT_EQ(os.CSD(), info.szCSDVersion);
    EXPECT_TRUE(os.DataPresent());
    EXPECT_TRUE(os.LiveData());

    // A second refresh gives the same, and one set of folders.
    const size_t folders = os.Folders().Count();
    os.Refresh();
    EXPECT_EQ(os.Folders().Count(), folders);
    EXPECT_EQ(os.OSName(), HostOSName());
    EXPECT_EQ(os.MajorVersion(), static_cast<int>(info.dwMajorVersion));
}

TEST(OperatingSystem, BuildLabExReplacesBuildLab) {
    CurrentVersionValues values;
    values.Mark();
    const SavedRegistryValues& key = values.Read();
    key.SetString("BuildLab", "2600.xpsp.080413-2111");
    key.SetString("BuildLabEx", "2600.xpsp_sp3_gdr.080814-1236 (xpsp)");
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    EXPECT_EQ(os.BuildLab(), "2600.xpsp_sp3_gdr.080814-1236 (xpsp)");

    key.DeleteValue("BuildLabEx");
    os.Refresh();
    EXPECT_EQ(os.BuildLab(), "2600.xpsp.080413-2111");

    key.DeleteValue("BuildLab");
    key.SetString("BuildLabEx", "6002.18005.x86fre.lh_sp2rtm.090410-1830");
    os.Refresh();
    EXPECT_EQ(os.BuildLab(), "6002.18005.x86fre.lh_sp2rtm.090410-1830");
}

TEST(OperatingSystem, MissingValuesKeepTheBuildButClearTheRegistration) {
    CurrentVersionValues values;
    values.Mark();
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    ASSERT_FALSE(os.RegisteredUser().empty());

    const SavedRegistryValues& key = values.Read();
    for (const char* name :
         {"RegisteredOrganization", "RegisteredOwner", "CurrentType", "ProductID", "BuildLab", "BuildLabEx"})
        key.DeleteValue(name);
    const std::string build = os.BuildLab();
    const std::string type = os.Version();
    os.Refresh();
    EXPECT_EQ(os.RegisteredUser(), "");
    EXPECT_EQ(os.RegisteredOrg(), "");
    EXPECT_EQ(os.ProductID(), "");
    EXPECT_EQ(os.BuildLab(), build);
    EXPECT_EQ(os.Version(), type);
}

TEST(OperatingSystem, NonTextValueEndsTheRefreshWithTheDataTypeError) {
    CurrentVersionValues values;
    values.Mark();
    values.Read().SetDword("ProductID", 42);
    TVexor_OperatingSystem os(nullptr);
    try {
        os.Refresh();
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'ProductID'");
    }
    // Read before the bad value; the build text after it and the last step
    // were not reached.
    EXPECT_EQ(os.Version(), (IsNT() ? "nt " : "9x ") + std::string("type"));
    EXPECT_EQ(os.BuildLab(), "");
    EXPECT_FALSE(os.DataPresent());
}

} // namespace
