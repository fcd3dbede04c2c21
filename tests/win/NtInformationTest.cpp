// The NT sub-component: product type from the product options, the update
// walks over registry fixtures (Updates, then HotFix), the WMI fallback when
// neither lists anything, and the version record under Wine's winxp switch.
#include "sysinfo/win/Dask_OS_NT.h"

#include "tests/fixtures/FakeWbem.h"
#include "tests/fixtures/SavedRegistryTree.h"
#include "tests/fixtures/SavedRegistryValues.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kUpdates[] = "SOFTWARE\\Microsoft\\Updates";
const char kHotFix[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\HotFix";

std::vector<std::string> Fields(const TUpdateRecord& r) {
    return {r.ID, r.InstallDate, r.InstalledBy, r.Description, r.SPInEffect, r.Comment};
}

class NtSpecific : public ::testing::Test {
protected:
    void SetUp() override {
        updates_.DeleteTree("");
        hotFix_.DeleteTree("");
    }
    SavedRegistryTree updates_{HKEY_LOCAL_MACHINE, kUpdates};
    SavedRegistryTree hotFix_{HKEY_LOCAL_MACHINE, kHotFix};
    FakeWbem wmi_;
};

TEST_F(NtSpecific, UpdatesKeyThenHotFixKeyEachUpdateOnce) {
    const std::string xp = "Windows XP\\SP3\\";
    updates_.SetString(xp + "KB100", "Description", "Security update");
    updates_.SetString(xp + "KB100", "InstalledDate", "6/5/2008");
    updates_.SetString(xp + "KB100", "InstalledBy", "Admin");
    updates_.SetString(xp + "KB100", "Type", "Update");
    updates_.CreateKey(xp + "KB200"); // no values at all
    const DWORD number = 5;
    updates_.SetBinary(xp + "KB300", "Description", &number, sizeof number); // not a text
    updates_.SetString(xp + "KB300", "Type", "Hotfix");
    updates_.SetString("IE7\\SP0\\KB400", "Description", "Browser");
    updates_.CreateKey("Windows XP\\SP4"); // a service pack with no updates

    hotFix_.SetString("kb100", "Installed", "1"); // listed by the Updates walk already
    hotFix_.SetString("kb100", "Fix Description", "again");
    hotFix_.SetDword("Q500", "Installed", 1);
    hotFix_.SetString("Q500", "Fix Description", "Fix five");
    hotFix_.SetString("Q600", "Installed", "1");
    hotFix_.SetDword("Q700", "Installed", 0);
    hotFix_.SetString("Q800", "Installed", "yes");
    hotFix_.SetBinary("Q900", "Installed", &number, sizeof number);
    hotFix_.SetDword("Q950", "Other", 1);

    wmi_.Instances = {{{"NumberOfLicensedUsers", 19, wmi_.Null()}, {"NumberOfUsers", 19, wmi_.Integer(3)}}};
    TVexor_NTSpecific nt(nullptr);
    nt.Refresh();

    const std::vector<std::vector<std::string>> expected = {
        {"KB400", "", "", "Browser", "IE7 SP0", ""},
        {"KB100", "6/5/2008", "Admin", "Security update", "Windows XP SP3", "Update"},
        {"KB200", "", "", "", "Windows XP SP3", ""},
        {"KB300", "", "", "", "Windows XP SP3", "Hotfix"},
        {"Q500", "", "", "Fix five", "", ""},
        {"Q600", "", "", "", "", ""},
    };
    ASSERT_EQ(nt.UpdateCount(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(Fields(nt.Updates(i)), expected[i]) << i;
    EXPECT_EQ(Fields(nt.Updates(expected.size())), Fields(TUpdateRecord()));
    // Only the operating system was asked of WMI.
    EXPECT_EQ(wmi_.QueryText, "Win32_OperatingSystem");
    EXPECT_EQ(nt.NumberOfLicensedUsers(), 0);
    EXPECT_EQ(nt.NumberOfUsers(), 3);
    EXPECT_TRUE(nt.DataPresent());

    // The list is rebuilt on every refresh.
    updates_.DeleteTree("IE7");
    nt.Refresh();
    EXPECT_EQ(nt.UpdateCount(), expected.size() - 1);
}

// The update texts are read in one call into a 256-byte buffer when they fit
// it; longer ones (256 bytes with the NUL, and far beyond) are read whole.
TEST_F(NtSpecific, UpdateTextsLongerThanTheShortBufferAreReadWhole) {
    // A text of n characters whose every position shows: "0123456789" over and over.
    auto text = [](size_t n) {
        std::string t;
        for (size_t i = 0; i < n; ++i)
            t += static_cast<char>('0' + i % 10);
        return t;
    };
    const size_t lengths[] = {255, 256, 257, 300, 4000};
    const std::string pack = "Windows XP\\SP3\\";
    for (const size_t n : lengths) {
        const std::string id = "KB" + std::to_string(n);
        updates_.SetString(pack + id, "Description", text(n));
        updates_.SetString(pack + id, "InstalledBy", "By " + text(n));
        hotFix_.SetString("Q" + std::to_string(n), "Installed", "1");
        hotFix_.SetString("Q" + std::to_string(n), "Fix Description", text(n) + " fix");
    }
    wmi_.Instances = {{{"NumberOfUsers", 19, wmi_.Integer(1)}}};
    TVexor_NTSpecific nt(nullptr);
    nt.Refresh();
    ASSERT_EQ(nt.UpdateCount(), 2 * std::size(lengths));
    for (size_t i = 0; i < nt.UpdateCount(); ++i) {
        const TUpdateRecord record = nt.Updates(i);
        const bool hotFix = record.ID[0] == 'Q';
        const size_t n = std::stoul(record.ID.substr(hotFix ? 1 : 2));
        if (hotFix) {
            EXPECT_EQ(record.Description, text(n) + " fix") << record.ID;
        } else {
            EXPECT_EQ(record.Description, text(n)) << record.ID;
            EXPECT_EQ(record.InstalledBy, "By " + text(n)) << record.ID;
        }
    }
}

TEST_F(NtSpecific, NoUpdatesInTheRegistryAsksWmi) {
    const wchar_t installedOn[] = L"01C8A1B2C3D4E5F6";
    wmi_.Instances = {
        {{"Description", 8, wmi_.Text(L"Update")},
         {"FixComments", 8, wmi_.Null()},
         {"HotFixID", 8, wmi_.Text(L"KB900")},
         {"InstallDate", 101, wmi_.Null()},
         {"InstalledBy", 8, wmi_.Text(L"SYSTEM")},
         {"InstalledOn", 8, wmi_.Text(installedOn)},
         {"ServicePackInEffect", 8, wmi_.Text(L"SP3")}},
        {{"HotFixID", 8, wmi_.Text(L"File 1")}, {"Description", 8, wmi_.Text(L"a file")}},
        {{"HotFixID", 8, wmi_.Null()}, {"FixComments", 8, wmi_.Text(L"no id")}},
        // The walk stops here: neither this instance nor the next gives a record.
        {{"HotFixID", 8, wmi_.Text(L"KB901"), true}},
        {{"HotFixID", 8, wmi_.Text(L"KB902")}},
    };
    TVexor_NTSpecific nt(nullptr);
    nt.Refresh();

    // 0x01C8A1B2C3D4E5F6 as local time, through Windows' own conversions.
    FILETIME utc{0xC3D4E5F6, 0x01C8A1B2};
    FILETIME local{};
    SYSTEMTIME time{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local) && FileTimeToSystemTime(&local, &time));
    char date[16];
    wsprintfA(date, "%02u/%02u/%04u", time.wMonth, time.wDay, time.wYear);

    ASSERT_EQ(nt.UpdateCount(), 2u);
    EXPECT_EQ(Fields(nt.Updates(0)),
              (std::vector<std::string>{"KB900", date, "SYSTEM", "Update", "SP3", ""}));
    EXPECT_EQ(Fields(nt.Updates(1)), (std::vector<std::string>{"NULL", "", "", "", "", "no id"}));
    EXPECT_EQ(wmi_.Connections, 2);
    EXPECT_TRUE(nt.DataPresent());
}

TEST_F(NtSpecific, WithoutWmiTheListStaysEmptyAndNothingIsPresent) {
    wmi_.RefuseConnection = true;
    TVexor_NTSpecific nt(nullptr);
    nt.Refresh();
    EXPECT_EQ(nt.UpdateCount(), 0u);
    EXPECT_EQ(wmi_.Connections, 1); // the refresh ends at the first failed connection
    EXPECT_FALSE(nt.DataPresent());
}

TEST_F(NtSpecific, ProductTypeFromTheProductOptionsComparedWithCase) {
    if (const char* run = std::getenv("KESTOVA_WINE_VERSION"); run && std::string(run) == "winxp")
        GTEST_SKIP() << "the version record decides under winxp";
    SavedRegistryValues options(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\ProductOptions",
                                {"ProductType"});
    const struct {
        const char* text;
        TNtProductType type;
    } rows[] = {
        {"WinNT", ptWorkStation}, {"ServerNT", ptServer}, {"LanmanNT", ptAdvancedServer},
        {"WINNT", ptUnknown},     {"", ptUnknown},
    };
    wmi_.RefuseConnection = true;
    for (const auto& row : rows) {
        options.SetString("ProductType", row.text);
        TVexor_NTSpecific nt(nullptr);
        nt.Refresh();
        EXPECT_EQ(nt.ProductType(), row.type) << row.text;
        EXPECT_EQ(nt.InstalledSuites(), 0);
    }
}

// Under Wine's winxp switch: 5.1, product type 1, suite mask 0x100, SP3.
TEST_F(NtSpecific, VersionRecordOfWindowsXp) {
    const char* run = std::getenv("KESTOVA_WINE_VERSION");
    if (!run || std::string(run) != "winxp")
        GTEST_SKIP() << "runs under Wine's winxp switch only";
    wmi_.RefuseConnection = true;
    TVexor_NTSpecific nt(nullptr);
    nt.Refresh();
    EXPECT_EQ(nt.ProductType(), ptWorkStation);
    EXPECT_EQ(nt.InstalledSuites(), 1u << suSingleUserTS);
    EXPECT_EQ(nt.ServicePackMajorVersion(), 3);
    EXPECT_EQ(nt.ServicePackMinorVersion(), 0);
}

} // namespace
