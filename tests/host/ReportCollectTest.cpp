// What makes JSON reports of many machines collectable: the envelope, the
// omit filter, the JSON comparison, the CSV table and the checks that refuse
// a file that is not what an option reads.
#include "cli/InputChecks.h"
#include "cli/JsonDiff.h"
#include "cli/ReportDocument.h"
#include "cli/ReportOptions.h"
#include "cli/ReportTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Json = nlohmann::ordered_json;

Json Report(const char* components) {
    Json report = Json::parse(components);
    Json whole = {{"Kestova", ReportHeader({2026, 12, 11, 9, 5, 3})}};
    for (auto& [name, value] : report.items())
        whole[name] = value;
    return whole;
}

TEST(ReportDocument, HeaderNamesProgramTimeAndSchema) {
    EXPECT_EQ(ReportHeader({2026, 1, 2, 3, 4, 5}).dump(),
              "{\"Program\":\"kestova-report\",\"Version\":\"1.0\",\"Made\":\"2026-01-02T03:04:05Z\","
              "\"SchemaVersion\":1}");
    const struct {
        const char* json;
        bool kestova;
    } cases[] = {
        {R"({"Kestova":{"Program":"kestova-report","SchemaVersion":1},"Eg1":{}})", true},
        {R"({"Kestova":{"Program":"kestova-report","SchemaVersion":"1"}})", false}, // not a number
        {R"({"Kestova":{"Program":"other","SchemaVersion":1}})", false},
        {R"({"Kestova":{"SchemaVersion":1}})", false},
        {R"({"Kestova":"kestova-report"})", false},
        {R"({"Eg1":{},"OS1":{},"Machine1":{}})", false}, // a report from before the envelope
        {R"([{"Kestova":{"Program":"kestova-report","SchemaVersion":1}}])", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsKestovaReport(Json::parse(c.json)), c.kestova) << c.json;
}

TEST(ReportDocument, OmitRemovesANameAtEveryDepthAndInsideLists) {
    Json json = Json::parse(R"({"User":"root","Machine":{"User":"x","Keep":1,
        "Records":[{"User":"a","Name":"n"},{"Environment":[1,2]}]},"Environment":["PATH=C:\\"],
        "Texts":["User","Environment"]})");
    OmitProperties(json, {"User", "Environment"});
    // List entries that are texts are values, not names: they stay.
    EXPECT_EQ(json.dump(),
              R"({"Machine":{"Keep":1,"Records":[{"Name":"n"},{}]},"Texts":["User","Environment"]})");
}

std::vector<std::string> Lines(const Json& a, const Json& b) {
    std::vector<std::string> lines;
    for (const TReportDifference& difference : DiffJsonReports(a, b))
        lines.push_back(DifferenceText(difference));
    return lines;
}

TEST(JsonDiff, PropertiesByPathAndListsAsLists) {
    const Json old = Report(R"({"Eg1":{"ODBC":"3.520","DirectX":{"Version":"4.09",
        "Direct3D":["RGB Emulation","Ramp Emulation","Direct3D HAL"]},"Gone":1},
        "OS1":{"BuildNumber":2600,"NTSpecific":null}})");
    Json changed = Report(R"({"Eg1":{"ODBC":"3.525","DirectX":{"Version":"4.09",
        "Direct3D":["RGB Emulation","Direct3D HAL","Reference Rasterizer"]}},
        "OS1":{"BuildNumber":2600,"NTSpecific":{"ProductType":"ptWorkStation"}},"Machine1":{"User":"u"}})");
    changed["Kestova"]["Made"] = "2027-01-01T00:00:00Z"; // another run: not a difference
    changed["Timing"] = {{"Eg1", 3.5}};
    EXPECT_EQ(Lines(old, changed), (std::vector<std::string>{
                                       "~ Eg1.ODBC \"3.520\" -> \"3.525\"",
                                       "- Eg1.DirectX.Direct3D \"Ramp Emulation\"",
                                       "+ Eg1.DirectX.Direct3D \"Reference Rasterizer\"",
                                       "- Eg1.Gone 1",
                                       "~ OS1.NTSpecific null -> {\"ProductType\":\"ptWorkStation\"}",
                                       "+ Machine1 {\"User\":\"u\"}",
                                   }));
    EXPECT_TRUE(Lines(old, old).empty());
    EXPECT_TRUE(Lines(old, Report(old.dump().c_str())).empty());
}

TEST(JsonDiff, ListEdgesAndRecordsOfTheSamePlace) {
    const struct {
        const char* a;
        const char* b;
        std::vector<std::string> lines;
    } cases[] = {
        {R"([])", R"(["x"])", {"+ L \"x\""}},
        {R"(["x","y"])", R"([])", {"- L \"x\"", "- L \"y\""}},
        {R"(["a","b","c"])", R"(["a","B","c"])", {"~ L \"b\" -> \"B\""}}, // in place: a change
        {R"(["a","a","b"])", R"(["a","b"])", {"- L \"a\""}},              // a repeated entry
        {R"(["a","b"])", R"(["b","a"])", {"+ L \"b\"", "- L \"b\""}},     // order counts
        {R"([{"Name":"BIOS","Size":24}])", R"([{"Name":"BIOS","Size":26}])", {"~ L[].Size 24 -> 26"}},
        {R"([1,2])", R"("1,2")", {"~ L [1,2] -> \"1,2\""}}, // a list no longer
    };
    for (const auto& c : cases) {
        const Json a = {{"L", Json::parse(c.a)}}, b = {{"L", Json::parse(c.b)}};
        EXPECT_EQ(Lines(a, b), c.lines) << c.a << " / " << c.b;
    }
}

TEST(JsonDiff, ListsTooLongToMatchEntryByEntryAreOneChange) {
    Json a = {{"L", Json::array()}}, b = {{"L", Json::array()}};
    for (int i = 0; i < 3000; ++i) {
        a["L"].push_back(i);
        b["L"].push_back(-i - 1);
    }
    const std::vector<TReportDifference> differences = DiffJsonReports(a, b);
    ASSERT_EQ(differences.size(), 1u);
    EXPECT_EQ(differences[0].Kind, TReportDifference::rdChanged);
    EXPECT_EQ(differences[0].Key, "L");
}

TEST(ReportTable, CsvQuotingAsRfc4180) {
    const struct {
        const char* text;
        const char* field;
    } cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"lf\nonly", "\"lf\nonly\""},
        {"\"", "\"\"\"\""},
        {"Windows Server \"Longhorn\"", "\"Windows Server \"\"Longhorn\"\"\""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvField(c.text), c.field) << c.text;
}

TEST(ReportTable, FieldsByPathMissingOnesEmpty) {
    const std::vector<std::string> fields = TableFields(
        "Machine1.MachineName,OS1.OSName,Eg1.ODBC,Machine1.SMBIOS.BIOSVersion,OS1.NTSpecific.ProductType,"
        "Eg1.DirectX.Direct3D,OS1.BuildNumber,Eg1.LiveData,Machine1.List.1,Machine1.List.7,Eg1.ODBC.Deeper");
    EXPECT_EQ(
        TableHeader(fields),
        "Machine1.MachineName,OS1.OSName,Eg1.ODBC,Machine1.SMBIOS.BIOSVersion,OS1.NTSpecific.ProductType,"
        "Eg1.DirectX.Direct3D,OS1.BuildNumber,Eg1.LiveData,Machine1.List.1,Machine1.List.7,"
        "Eg1.ODBC.Deeper\r\n");
    const Json report = Report(R"({"Eg1":{"ODBC":"3.520.6301.0","LiveData":true,
        "DirectX":{"Direct3D":["RGB Emulation","Direct3D HAL"]}},
        "OS1":{"OSName":"Windows Server \"Longhorn\"","BuildNumber":6002,"NTSpecific":null},
        "Machine1":{"MachineName":"PC, first floor","List":["a","b"]}})");
    EXPECT_EQ(TableRow(report, fields),
              "\"PC, first floor\",\"Windows Server \"\"Longhorn\"\"\",3.520.6301.0,,,"
              "\"[\"\"RGB Emulation\"\",\"\"Direct3D HAL\"\"]\",6002,true,b,,\r\n");
}

TEST(ReportTable, WrongFieldListsAreUsageErrors) {
    for (const char* argument :
         {"", ",", "Machine1.MachineName,", ",OS1.OSName", "OS1..OSName", ".OS1", "OS1."}) {
        EXPECT_THROW(TableFields(argument), TUsageError) << argument;
    }
}

TEST(ReportOptions, TableOmitAndStandardOutput) {
    const TReportOptions table =
        ParseReportOptions({"--table", "Machine1.MachineName,OS1.OSName", "a.json", "b.json", "-o", "t.csv"});
    EXPECT_EQ(table.Mode, TReportOptions::rmTable);
    EXPECT_EQ(table.Fields, (std::vector<std::string>{"Machine1.MachineName", "OS1.OSName"}));
    EXPECT_EQ(table.Reports, (std::vector<std::string>{"a.json", "b.json"}));
    EXPECT_EQ(table.OutputFile, "t.csv");

    const TReportOptions omit = ParseReportOptions({"--omit", "Environment,User", "--omit", "Folders"});
    EXPECT_EQ(omit.Mode, TReportOptions::rmJson);
    EXPECT_EQ(omit.Omit, (std::set<std::string>{"Environment", "Folders", "User"}));

    EXPECT_EQ(ParseReportOptions({"--json", "-o", "-"}).OutputFile, "");

    const struct {
        std::vector<std::string> args;
        const char* start;
    } wrong[] = {
        {{"--table", "Machine1.MachineName"}, "--table needs at least one JSON report"},
        {{"--table", "A", "a.json", "--json"}, "--table reads saved JSON reports"},
        {{"--table"}, "--table needs field paths"},
        {{"--omit", "User,"}, "--omit needs property names"},
        {{"--omit"}, "--omit needs property names"},
        {{"--diff", "a", "b", "--omit", "User"}, "--diff compares saved reports"},
        {{"a.json", "--json"}, "unexpected argument 'a.json'"},
    };
    for (const auto& c : wrong) {
        try {
            ParseReportOptions(c.args);
            ADD_FAILURE() << "accepted " << testing::PrintToString(c.args);
        } catch (const TUsageError& error) {
            EXPECT_EQ(error.Message.rfind(c.start, 0), 0u) << error.Message;
        }
    }
}

TEST(InputChecks, ReportsAndDumpsRefusedForWhatTheyAreNot) {
    using namespace std::string_literals;
    const struct {
        std::string bytes;
        bool report;     // read by --diff and --table
        bool smbiosDump; // read by --smbios-from
    } cases[] = {
        {"Engines Report for Machine:  PC01\r\n", true, false},
        {"{\"Kestova\":{}}\n", true, false},
        {"", true, false},
        {"\xEF\xBB\xBF{\"Kestova\":{}}", false, false},                 // UTF-8 mark
        {"\xFF\xFE{\0\"\0"s, false, false},                             // UTF-16 LE
        {"\xFE\xFF\0{"s, false, false},                                 // UTF-16 BE
        {"\xFF\xFE\0\0{\0\0\0"s, false, false},                         // UTF-32 LE
        {"Engines Report\0for Machine"s, false, false},                 // a NUL inside
        {"_SM_\x1f\x1f\x02\x08"s + std::string(27, '\0'), false, true}, // NULs are a dump's own
        {"_SM3_\x18\x18\x03\x02"s, true, true},                         // no NUL in these few bytes
        {"_DMI_\x00\x00"s, false, true},
        {"xx_SM_ the anchor not at the start", true, false},
        {"_SM", true, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RefusalOfReport("f", c.bytes).empty(), c.report) << testing::PrintToString(c.bytes);
        EXPECT_EQ(RefusalOfSmbiosDump("f", c.bytes).empty(), c.smbiosDump) << testing::PrintToString(c.bytes);
    }
    EXPECT_EQ(RefusalOfReport("old.txt", "ab\0c"s),
              "File \"old.txt\" holds a NUL byte at offset 2 and is not a saved report");
    EXPECT_EQ(RefusalOfSmbiosDump("t.bin", "\xEF\xBB\xBF_SM_"),
              "File \"t.bin\" starts with a UTF-8 byte-order mark and is not an SMBIOS dump");
    EXPECT_TRUE(LooksLikeJson(" \r\n{\"Eg1\":{}}"));
    EXPECT_FALSE(LooksLikeJson("Engines Report for Machine:  {PC}"));
}

} // namespace
