// The operating-system component against the running Windows. The version
// runs (tests/cmake/OSComponentVersions.cmake) name the Windows that Wine
// pretends in KESTOVA_WINE_VERSION.
#include "sysinfo/win/Dask_OS.h"
#include "sysinfo/win/Vexor_Routines.h"

#include "base/Exception.h"
#include "tests/fixtures/SavedRegistryValues.h"
#include "tests/fixtures/WineRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

const char* const kTexts[] = {"RegisteredOrganization", "RegisteredOwner", "CurrentType", "ProductID",
                              "BuildLab"};

// The values the refresh reads, in both current-version keys: marked "nt" and
// "9x" so that a refresh shows which key it read, and put back afterwards.
class CurrentVersionValues {
public:
    CurrentVersionValues() {
        for (const auto* key : {&nt_, &nineX_}) {
            for (const char* name : kTexts)
                key->SetString(name, std::string(key == &nt_ ? "nt " : "9x ") + name);
            key->DeleteValue("BuildLabEx");
        }
    }
    // The key this Windows reads: NT's only where the NT family is recognised.
    const SavedRegistryValues& Read() const { return IsNT() ? nt_ : nineX_; }

private:
    SavedRegistryValues nt_{HKEY_LOCAL_MACHINE,
                            "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion",
                            {kTexts[0], kTexts[1], kTexts[2], kTexts[3], kTexts[4], "BuildLabEx"}};
    SavedRegistryValues nineX_{HKEY_LOCAL_MACHINE,
                               "SOFTWARE\\Microsoft\\Windows\\CurrentVersion",
                               {kTexts[0], kTexts[1], kTexts[2], kTexts[3], kTexts[4], "BuildLabEx"}};
};

bool Refreshed(const TVexor_Nolt_Component* component) {
    return component->Source().MajorVersion != 0;
}

TEST(OperatingSystem, IdentificationUnderTheVersionSwitch) {
    static const struct {
        const char* version;
        const char* name;
        const char* edition32; // 32-bit Windows: processor architecture 0
        const char* edition64; // 64-bit Windows, whose workstations have no edition text
        // (nullptr: no such Windows for that processor)
        TOSVersion os;
        TOSPlatform platform;
        int major, minor, build;
        const char* csd;
        bool ntKey;
    } cases[] = {
        {"winxp", "Windows XP", "Professional", "", osXP, opWinNT, 5, 1, 2600, "Service Pack 3", true},
        {"winxp64", "Windows XP Professional x64 Edition", nullptr, "", osXP64, opWinNT, 5, 2, 3790,
         "Service Pack 2", true},
        {"win2003", "Windows Server 2003", "Standard Edition", "Standard x64 Edition", os2K3, opWinNT, 5, 2,
         3790, "Service Pack 2", true},
        {"vista", "Windows Vista", "", "", osVista, opWinNT, 6, 0, 6002, "Service Pack 2", true},
        {"win2008", "Windows Server \"Longhorn\"", "", "", osLonghorn, opWinNT, 6, 0, 6002, "Service Pack 2",
         false},
        // Wine's win7 is a server product type: no name, the old server text.
        {"win7", "", "Server 4.0", "Server 4.0", osUnknown, opWinNT, 6, 1, 7601, "Service Pack 1", false},
        // The raw build number is 0x040A08AE: major and minor in the high word.
        {"win98", "Windows 98", "SE", "SE", os98, opWin9x, 4, 10, 2222, " A ", false},
    };
    const char* run = std::getenv("KESTOVA_WINE_VERSION");
    const auto* expected = std::find_if(std::begin(cases), std::end(cases),
                                        [&](const auto& c) { return run && std::string(run) == c.version; });
    if (expected == std::end(cases))
        GTEST_SKIP() << "runs under Wine's version switch only";

    CurrentVersionValues values;
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    EXPECT_EQ(os.OSName(), expected->name);
    const char* edition = ThisNativeArchitecture() == 0 ? expected->edition32 : expected->edition64;
    ASSERT_NE(edition, nullptr) << "this Windows never existed for this processor";
    EXPECT_EQ(os.OSEdition(), edition);
    EXPECT_EQ(os.OS(), expected->os);
    EXPECT_EQ(os.Platform(), expected->platform);
    EXPECT_EQ(os.MajorVersion(), expected->major);
    EXPECT_EQ(os.MinorVersion(), expected->minor);
    EXPECT_EQ(os.BuildNumber(), expected->build);
    EXPECT_EQ(os.CSD(), expected->csd);
    const std::string from = expected->ntKey ? "nt " : "9x ";
    EXPECT_EQ(os.RegisteredOrg(), from + "RegisteredOrganization");
    EXPECT_EQ(os.RegisteredUser(), from + "RegisteredOwner");
    EXPECT_EQ(os.Version(), from + "CurrentType");
    EXPECT_EQ(os.ProductID(), from + "ProductID");
    EXPECT_EQ(os.BuildLab(), from + "BuildLab");

    // NT and Vista specifics only where counted as such; the rest always.
    EXPECT_EQ(Refreshed(os.NTSpecific()), expected->ntKey);
    EXPECT_EQ(Refreshed(os.VistaSpecific()), expected->os == osVista);
    EXPECT_TRUE(Refreshed(os.TimeZone()) && Refreshed(os.Internet()) && Refreshed(os.LocaleInfo()));
}

TEST(OperatingSystem, PlatformFromTheIdentifierAndUnknownIdentifiersKeepIt) {
    static const struct {
        DWORD id;
        TOSPlatform current, platform;
    } cases[] = {
        {VER_PLATFORM_WIN32s, opWinNT, opWin31},   {VER_PLATFORM_WIN32_WINDOWS, opWin31, opWin9x},
        {VER_PLATFORM_WIN32_NT, opWin9x, opWinNT}, {3, opWin9x, opWin9x}, // Windows CE
        {0xFFFFFFFFu, opWinNT, opWinNT},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlatformOf(c.id, c.current), c.platform) << c.id;
}

TEST(OperatingSystem, OwnsItsNamedSubComponents) {
    TVexor_OperatingSystem os(nullptr);
    EXPECT_EQ(os.ComponentCount(), 5u);
    EXPECT_EQ(os.FindComponent("TimeZone"), os.TimeZone());
    EXPECT_EQ(os.FindComponent("NTSpecific"), os.NTSpecific());
    EXPECT_EQ(os.FindComponent("VistaSpecific"), os.VistaSpecific());
    EXPECT_EQ(os.FindComponent("Internet"), os.Internet());
    EXPECT_EQ(os.FindComponent("LocaleInfo"), os.LocaleInfo());
}

TEST(OperatingSystem, BuildLabExWinsAndMissingValuesKeepTheBuild) {
    CurrentVersionValues values;
    const SavedRegistryValues& key = values.Read();
    key.SetString("BuildLab", "2600.xpsp.080413-2111");
    key.SetString("BuildLabEx", "2600.xpsp_sp3_gdr.080814-1236");
    TVexor_OperatingSystem os(nullptr);
    os.Refresh();
    EXPECT_EQ(os.BuildLab(), "2600.xpsp_sp3_gdr.080814-1236");
    const size_t folders = os.Folders().Count();

    // Without the values the registration is cleared, the build texts stay.
    for (const char* name : kTexts)
        key.DeleteValue(name);
    key.DeleteValue("BuildLabEx");
    os.Refresh();
    EXPECT_EQ(os.RegisteredUser() + os.RegisteredOrg() + os.ProductID(), "");
    EXPECT_EQ(os.BuildLab(), "2600.xpsp_sp3_gdr.080814-1236");
    EXPECT_EQ(os.Version(), std::string(IsNT() ? "nt " : "9x ") + "CurrentType");
    EXPECT_EQ(os.Folders().Count(), folders) << "a second refresh adds a second set of folders";
    EXPECT_TRUE(os.DataPresent());
}

TEST(OperatingSystem, NonTextValueEndsTheRefreshWithTheDataTypeError) {
    CurrentVersionValues values;
    values.Read().SetDword("ProductID", 42);
    TVexor_OperatingSystem os(nullptr);
    try {
        os.Refresh();
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'ProductID'");
    }
    EXPECT_EQ(os.BuildLab(), "");
    EXPECT_FALSE(os.DataPresent());
}

} // namespace
