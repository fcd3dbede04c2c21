// The WMI layer against a scripting locator of the test's own (Wine's WMI
// has no property walk): every CIM type's text, a walk that fails midway,
// which call a text goes to, and services that never answer. One test
// against Wine's own WMI for what it does implement.
#include "sysinfo/win/Vexor_WMI.h"

#include "tests/fixtures/FakeWbem.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kCimv2[] = "root\\CIMV2";

std::string DecimalSeparator() {
    char separator[8] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator);
    return std::string(1, separator[0]);
}

// Waits until the calls given up have seen their service answer.
void WaitForGivenUpCalls() {
    for (int round = 0; round < 1000 && WmiCallsStillRunning() > 0; ++round)
        Sleep(10);
}

class Wmi : public ::testing::Test {
protected:
    void TearDown() override {
        fake_.ReleaseWaiters();
        WaitForGivenUpCalls();
        WmiDisconnect();
        WmiSetWaitLimits(kWmiConnectWait, kWmiQueryWait);
    }
    FakeWbem fake_;
};

TEST_F(Wmi, EachCimTypeHasItsText) {
    const std::string dot = DecimalSeparator();
    const struct {
        const char* name;
        LONG cimType;
        UniqueVariant* value;
        std::string text;
    } rows[] = {
        {"Sint32", 3, fake_.Integer(-42), "-42"},
        {"Uint8", 17, fake_.Integer(200), "200"},
        {"Uint32Array", 19, fake_.Integers({1, 2, 3}), "1;2;3"},
        {"Sint16FromText", 2, fake_.Text(L"-7"), "-7"},
        // A 64-bit number keeps its digits (the walk goes on after it).
        {"Sint64", 20, fake_.Text(L"12345678901"), "12345678901"},
        {"Real64", 5, fake_.Real(2.5), "2" + dot + "5"},
        {"Real32Large", 4, fake_.Real(1e20), "1E20"},
        {"String", 8, fake_.Text(L"abc"), "abc"},
        {"StringArray", 8, fake_.Texts({L"a", L"bc"}), "a|bc"},
        {"StringArrayEmptyLast", 8, fake_.Texts({L"a", L""}), "a|"},
        {"Uint64", 21, fake_.Text(L"18446744073709551615"), "18446744073709551615"},
        {"BooleanTrue", 11, fake_.Boolean(true), "True"},
        {"BooleanFalse", 11, fake_.Boolean(false), "False"},
        {"Object", 13, fake_.Integer(0), "<CIM Object>"},
        {"Datetime", 101, fake_.Text(L"20080605123000.000000+120"), "20080605123000.000000+120"},
        {"Reference", 102, fake_.Text(L"Win32_Service.Name=\"x\""), "Win32_Service.Name=\"x\""},
        {"Char16", 103, fake_.Integer(65), "<16-bit character>"},
        {"OtherType", 99, fake_.Integer(1), ""},
        {"NumberOfLicensedUsers", 19, fake_.Null(), "NULL"},
    };
    FakeInstance instance;
    for (const auto& row : rows)
        instance.push_back({row.name, row.cimType, row.value});
    fake_.Instances = {instance};

    ASSERT_TRUE(WmiConnect("", "", "", kCimv2));
    EXPECT_EQ(fake_.Namespace, kCimv2);
    TInstances instances;
    ASSERT_EQ(WmiQuery("Win32_Test", instances), 1);
    ASSERT_EQ(instances.size(), 1u);
    ASSERT_EQ(instances[0].size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(instances[0][i].Name, rows[i].name);
        EXPECT_EQ(instances[0][i].Value, rows[i].text) << rows[i].name;
    }
    EXPECT_EQ(WmiGetValue(instances, "numberoflicensedusers", 0, 0), "NULL");
    EXPECT_EQ(WmiGetValue(instances, "StringArray", 0, 1), "bc");
}

TEST_F(Wmi, WalkThatFailsMidwayKeepsWhatItFilled) {
    FakeInstance whole = {{"A", 8, fake_.Text(L"one")}, {"B", 3, fake_.Integer(2)}};
    FakeInstance broken = {
        {"A", 8, fake_.Text(L"two")}, {"B", 3, fake_.Integer(3), true}, {"C", 8, fake_.Text(L"c")}};
    fake_.Instances = {whole, broken, whole};

    ASSERT_TRUE(WmiConnect("", "", "", kCimv2));
    TInstances instances;
    EXPECT_EQ(WmiQuery("Win32_Test", instances), 3);
    ASSERT_EQ(instances.size(), 3u);
    ASSERT_EQ(instances[0].size(), 2u);
    EXPECT_EQ(instances[0][1].Value, "2");
    ASSERT_EQ(instances[1].size(), 3u);
    EXPECT_EQ(instances[1][0].Value, "two");
    EXPECT_EQ(instances[1][1].Value, "");
    EXPECT_EQ(instances[1][2].Name, "");
    EXPECT_TRUE(instances[2].empty());
    EXPECT_EQ(WmiGetValue(instances, "A", 2, 0), "");
    EXPECT_EQ(WmiGetValue(instances, "A", 7, 0), "");
}

TEST_F(Wmi, SelectTextsGoToExecQueryAndClassNamesToInstancesOf) {
    ASSERT_TRUE(WmiConnect("", "", "", kCimv2));
    TInstances instances;
    const struct {
        const char* text;
        const char* language;
        long flags;
    } rows[] = {
        {"select * from Win32_OperatingSystem", "WQL", 16},
        {"SELECT HotFixID FROM Win32_QuickFixEngineering", "WQL", 16},
        {"Win32_QuickFixEngineering", "", 17},
        {" select * from Win32_Process", "", 17}, // the text does not begin with SELECT
    };
    for (const auto& row : rows) {
        EXPECT_EQ(WmiQuery(row.text, instances), 0) << row.text;
        EXPECT_EQ(fake_.QueryText, row.text);
        EXPECT_EQ(fake_.QueryLanguage, row.language) << row.text;
        EXPECT_EQ(fake_.QueryFlags, row.flags) << row.text;
    }
}

TEST_F(Wmi, NoConnectionGivesNoInstances) {
    fake_.RefuseConnection = true;
    EXPECT_FALSE(WmiConnect("", "", "", kCimv2));
    fake_.Instances = {{{"A", 8, fake_.Text(L"x")}}};
    TInstances instances(2);
    WmiDisconnect();
    EXPECT_EQ(WmiQuery("Win32_Test", instances), -1);
    EXPECT_TRUE(instances.empty());
}

TEST_F(Wmi, ConnectionThatNeverAnswersIsGivenUp) {
    WmiSetWaitLimits(200, 200);
    fake_.ConnectionHangs = true;
    EXPECT_FALSE(WmiConnect("", "", "", kCimv2));
    EXPECT_EQ(WmiCallsStillRunning(), 1);
    // The hanging service is not asked again while it hangs.
    EXPECT_FALSE(WmiConnect("", "", "", kCimv2));
    EXPECT_EQ(fake_.Connections, 1);
    TInstances instances;
    EXPECT_EQ(WmiQuery("Win32_Test", instances), -1);

    fake_.ReleaseWaiters();
    WaitForGivenUpCalls();
    ASSERT_EQ(WmiCallsStillRunning(), 0);
    fake_.ConnectionHangs = false;
    fake_.Instances = {{{"A", 8, fake_.Text(L"back")}}};
    ASSERT_TRUE(WmiConnect("", "", "", kCimv2));
    ASSERT_EQ(WmiQuery("Win32_Test", instances), 1);
    EXPECT_EQ(WmiGetValue(instances, "A", 0, 0), "back");
}

TEST_F(Wmi, QueryThatNeverAnswersIsGivenUp) {
    WmiSetWaitLimits(5000, 200);
    fake_.Instances = {{{"A", 8, fake_.Text(L"x")}}};
    ASSERT_TRUE(WmiConnect("", "", "", kCimv2));
    fake_.QueryHangs = true;
    TInstances instances(1);
    EXPECT_EQ(WmiQuery("Win32_Test", instances), -1);
    EXPECT_TRUE(instances.empty());
    // The connection went with the query.
    EXPECT_EQ(WmiQuery("Win32_Test", instances), -1);
}

// Wine's own WMI: connects and counts instances, but walks no properties.
TEST(WmiWine, ConnectsAndCountsInstances) {
    ASSERT_TRUE(WmiConnect("", "", "", kCimv2));
    TInstances instances;
    EXPECT_EQ(WmiQuery("Win32_OperatingSystem", instances), 1);
    EXPECT_EQ(instances.size(), 1u);
    EXPECT_EQ(WmiQuery("select * from Win32_OperatingSystem", instances), 1);
    WmiDisconnect();
    EXPECT_EQ(WmiQuery("Win32_OperatingSystem", instances), -1);
}

} // namespace
