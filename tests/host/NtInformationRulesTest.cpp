// The NT sub-component's decisions: product type and suites from the version
// record, the product options text, numbers in texts and WMI's update dates.
#include "sysinfo/Dask_OS_NT_Rules.h"

#include "sysinfo/Vexor_Datetime.h"

#include <gtest/gtest.h>

namespace {

TEST(NtVersionRecord, ProductTypeAndSuites) {
    const struct {
        const char* what;
        uint8_t productType;
        uint16_t mask;
        TNtProductType before, type;
        TNTSuites suites;
    } rows[] = {
        {"XP Professional", 1, 0x0100, ptUnknown, ptWorkStation, 1u << suSingleUserTS},
        {"XP Home", 1, 0x0300, ptUnknown, ptWorkStation, (1u << suSingleUserTS) | (1u << suPersonal)},
        {"2003 Enterprise DC", 2, 0x0012, ptUnknown, ptAdvancedServer,
         (1u << suEnterprise) | (1u << suTerminal)},
        {"DataCenter and Blade", 3, 0x0480, ptUnknown, ptWeb, (1u << suDataCenter) | (1u << suBlade)},
        {"DataCenter", 3, 0x0080, ptUnknown, ptDataCenter, 1u << suDataCenter},
        {"server", 3, 0x0000, ptWorkStation, ptServer, 0},
        {"unknown byte keeps", 7, 0x0000, ptServer, ptServer, 0},
        {"bits above 0x0800 ignored", 1, 0xF800, ptUnknown, ptWorkStation, 1u << suEmbeddedRestricted},
    };
    for (const auto& row : rows) {
        TNtProductType type = row.before;
        TNTSuites suites = 0xFFFF;
        ApplyVersionRecord(row.productType, row.mask, type, suites);
        EXPECT_EQ(type, row.type) << row.what;
        EXPECT_EQ(suites, row.suites) << row.what;
    }
    EXPECT_STREQ(NtProductTypeName(ptAdvancedServer), "ptAdvancedServer");
    EXPECT_STREQ(NTSuiteName(suEmbeddedRestricted), "suEmbeddedRestricted");
}

TEST(NtProductOptions, ComparedWithCase) {
    EXPECT_EQ(ProductTypeOfOptions("WinNT"), ptWorkStation);
    EXPECT_EQ(ProductTypeOfOptions("ServerNT"), ptServer);
    EXPECT_EQ(ProductTypeOfOptions("LanmanNT"), ptAdvancedServer);
    EXPECT_EQ(ProductTypeOfOptions("WINNT"), ptUnknown);
    EXPECT_EQ(ProductTypeOfOptions("WinNT "), ptUnknown);
}

TEST(NtTextToInt, NumbersAndFallback) {
    const struct {
        const char* text;
        int32_t number;
    } rows[] = {
        {"1", 1},
        {"  42", 42},
        {"-7", -7},
        {"+3", 3},
        {"$1F", 31},
        {"0x10", 16},
        {"2147483647", 2147483647},
        {"-2147483648", INT32_MIN},
        {"2147483648", -1},
        {"NULL", -1},
        {"", -1},
        {"1 ", -1},
        {"12a", -1},
        {"-", -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(TextToIntDef(row.text, -1), row.number) << row.text;
}

TEST(NtInstalledOn, SixteenHexDigitsAsHighAndLowParts) {
    EXPECT_EQ(InstalledOnFileTime("01C8A1B2C3D4E5F6"), 0x01C8A1B2C3D4E5F6ull);
    EXPECT_EQ(InstalledOnFileTime("01c8a1b2c3d4e5f6"), 0x01C8A1B2C3D4E5F6ull);
    EXPECT_EQ(InstalledOnFileTime("01C8A1B2XXXXXXXX"), 0x01C8A1B200000000ull);
    EXPECT_EQ(InstalledOnFileTime("6/5/2008"), 0u);
    EXPECT_EQ(InstalledOnFileTime("01C8A1B2"), 0x01C8A1B200000000ull);
    EXPECT_EQ(InstalledOnFileTime(""), 0u);
}

TEST(NtInstalledOn, MonthDayYear) {
    EXPECT_EQ(MonthDayYearText(EncodeDateTime(2008, 6, 5, 23, 59, 0, 0)), "06/05/2008");
    EXPECT_EQ(MonthDayYearText(EncodeDateTime(2000, 2, 29, 0, 0, 0, 0)), "02/29/2000");
    EXPECT_EQ(MonthDayYearText(EncodeDateTime(1899, 12, 30, 0, 0, 0, 0)), "12/30/1899");
    EXPECT_EQ(MonthDayYearText(EncodeDateTime(1601, 1, 1, 0, 0, 0, 0)), "01/01/1601");
}

} // namespace
