// kestova-report's portable parts: its command line, the comparison of two
// saved reports, and the JSON of published properties.
#include "cli/ReportDiff.h"
#include "cli/ReportJson.h"
#include "cli/ReportOptions.h"
#include "report/ReportFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Args = std::vector<std::string>;

TEST(ReportOptions, ModesAndFiles) {
    struct Case {
        Args args;
        TReportOptions::TMode mode;
        bool timing;
        const char* output;
    } cases[] = {
        {{}, TReportOptions::rmText, false, ""},
        {{"--json"}, TReportOptions::rmJson, false, ""},
        {{"--timing", "--json", "-o", "r.json"}, TReportOptions::rmJson, true, "r.json"},
        {{"--timing"}, TReportOptions::rmText, true, ""},
        {{"--output", "a b.txt"}, TReportOptions::rmText, false, "a b.txt"},
        {{"--json", "--help"}, TReportOptions::rmHelp, false, ""},
        {{"/?"}, TReportOptions::rmHelp, false, ""},
        {{"--version"}, TReportOptions::rmVersion, false, ""},
        {{"--diff", "old.txt", "new.txt", "-o", "d.txt"}, TReportOptions::rmDiff, false, "d.txt"},
        {{"--smbios-dump", "t.bin"}, TReportOptions::rmSmbiosDump, false, ""},
        {{"--smbios-from", "t.bin", "--timing", "-o", "r.json"}, TReportOptions::rmJson, true, "r.json"},
    };
    for (const Case& c : cases) {
        const TReportOptions options = ParseReportOptions(c.args);
        EXPECT_EQ(options.Mode, c.mode) << testing::PrintToString(c.args);
        EXPECT_EQ(options.Timing, c.timing) << testing::PrintToString(c.args);
        EXPECT_EQ(options.OutputFile, c.output) << testing::PrintToString(c.args);
    }
    const TReportOptions diff = ParseReportOptions({"--diff", "old.txt", "new.txt"});
    EXPECT_EQ(diff.DiffOld, "old.txt");
    EXPECT_EQ(diff.DiffNew, "new.txt");
    EXPECT_EQ(ParseReportOptions({"--smbios-dump", "a.bin"}).SmbiosDump, "a.bin");
    EXPECT_EQ(ParseReportOptions({"--smbios-from", "b.bin"}).SmbiosFrom, "b.bin");
}

TEST(ReportOptions, WrongCommandLinesSayWhatIsWrongOnOneLine) {
    const struct {
        Args args;
        const char* start;
    } cases[] = {
        {{"--jsn"}, "unknown option '--jsn'"},
        {{"-x"}, "unknown option '-x'"},
        {{"report.txt"}, "unexpected argument 'report.txt'"},
        {{"-o"}, "-o needs a file name"},
        {{"-o", ""}, "-o needs a file name"},
        {{"-o", "a", "-o", "b"}, "only one -o may be given"},
        {{"--diff", "old.txt"}, "--diff needs two report files"},
        {{"--diff", "a", "b", "--json"}, "--diff compares saved reports"},
        {{"--diff", "a", "b", "--smbios-from", "c"}, "--diff compares saved reports"},
        {{"--smbios-dump"}, "--smbios-dump needs a file name"},
        {{"--smbios-from", ""}, "--smbios-from needs a file name"},
        {{"--smbios-dump", "a", "--json"}, "--smbios-dump writes only the table"},
        {{"--smbios-dump", "a", "-o", "b"}, "--smbios-dump writes only the table"},
    };
    for (const auto& c : cases) {
        try {
            ParseReportOptions(c.args);
            ADD_FAILURE() << "accepted " << testing::PrintToString(c.args);
        } catch (const TUsageError& error) {
            EXPECT_EQ(error.Message.rfind(c.start, 0), 0u) << error.Message;
            EXPECT_EQ(error.Message.find('\n'), std::string::npos) << error.Message;
        }
    }
}

// The rows Load... gives for a report saved from values.
std::vector<TReportRow> SavedAndLoaded(const TReportValues& values) {
    std::vector<TReportRow> rows;
    AppendReport(rows, values);
    std::vector<TReportRow> loaded;
    const std::string text = ReportFileText(rows);
    ForEachLine(text, [&loaded](std::string_view line) { loaded.push_back(ReportRowFromLine(line)); });
    return loaded;
}

TReportValues Values() {
    TReportValues values;
    values.MachineName = "PC01";
    values.OSName = "Windows XP";
    values.OSEdition = "Professional";
    values.ODBC = "3.525.1117.0";
    values.Direct3D = {"RGB Emulation", "Ramp Emulation", "Direct3D HAL"};
    values.DirectPlay = {"Internet TCP/IP Connection For DirectPlay"};
    return values;
}

std::vector<std::string> DiffLines(const TReportValues& a, const TReportValues& b) {
    std::vector<std::string> lines;
    for (const TReportDifference& difference : DiffReports(SavedAndLoaded(a), SavedAndLoaded(b)))
        lines.push_back(DifferenceText(difference));
    return lines;
}

TEST(ReportDiff, EqualReportsGiveNothing) {
    EXPECT_TRUE(DiffLines(Values(), Values()).empty());
}

TEST(ReportDiff, RowsByCaptionAndListEntriesByTheirSection) {
    TReportValues changed = Values();
    changed.ODBC = "3.526.1";
    changed.OSEdition = "Home Edition";
    changed.Direct3D = {"RGB Emulation", "Direct3D HAL", "Reference Rasterizer"};
    changed.DirectPlay.Clear();
    changed.DirectMusic = {"Microsoft Synthesizer"};
    changed.BDE = ""; // Not Installed either way
    EXPECT_EQ(DiffLines(Values(), changed),
              (std::vector<std::string>{
                  "~ OS - Microsoft Operating System version: \"Windows XP Professional\" -> "
                  "\"Windows XP Home Edition\"",
                  "~ ODBC - Microsoft Open Database Conectivity version: 3.525.1117.0 -> 3.526.1",
                  "- Microsoft DirectX Direct 3D: \"Ramp Emulation\"",
                  "+ Microsoft DirectX Direct 3D: \"Reference Rasterizer\"",
                  "+ Microsoft DirectX Direct Music: \"Microsoft Synthesizer\"",
                  "- Microsoft DirectX Direct Play: \"Internet TCP/IP Connection For DirectPlay\"",
              }));
}

TEST(ReportDiff, AddedAndRemovedRowsStandWhereTheyAre) {
    std::vector<TReportRow> a = SavedAndLoaded(Values());
    std::vector<TReportRow> b = a;
    b.insert(b.begin() + 1, ReportRowFromLine("Extra - Added version:  1.0"));
    b.erase(b.begin() + 6); // the .NET row (after the insertion)
    std::vector<std::string> lines;
    for (const TReportDifference& difference : DiffReports(a, b))
        lines.push_back(DifferenceText(difference));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "+ Extra - Added version: 1.0",
                         "- .NET - Microsoft .NET Framework version: \".NET Not Installed\""}));
}

TEST(ReportJson, DatesAsLocalIsoText) {
    const struct {
        double dateTime;
        const char* text;
    } cases[] = {
        {0.0, "1899-12-30T00:00:00"},
        {2.75, "1900-01-01T18:00:00"},
        {36526.5, "2000-01-01T12:00:00"},        // 36526 days after 30 December 1899
        {39507.0, "2008-02-29T00:00:00"},        // a leap day
        {-1.25, "1899-12-29T06:00:00"},          // days count back, the time still runs forward
        {45000.99999999, "2023-03-16T00:00:00"}, // rounds up to the next midnight
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsoDateTime(c.dateTime), c.text) << c.dateTime;
}

struct TSample {
    std::string Name = "caf\xe9";
    std::optional<std::string> Missing;
    double Installed = 36526.5;
    double Never = 0;
    TStringList Paths{"C:\\", "D:\\"};
    static const TPropertyTable Properties;
};
using PS = TPublish<TSample>;
constexpr TProperty kSample[] = {
    PS::Text<&TSample::Name>("Name"),
    PS::Text<&TSample::Missing>("Missing"),
    PS::DateTime<&TSample::Installed>("Installed"),
    PS::DateTime<&TSample::Never>("Never"),
    PS::Strings<&TSample::Paths>("Paths"),
};
const TPropertyTable TSample::Properties = PS::Table(kSample);

// Latin-1 to UTF-8, standing in for the system code page.
std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | byte >> 6);
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

TEST(ReportJson, TextsConvertedAndWhatWasNotGatheredIsNull) {
    const TSample sample;
    const std::string json = PublishedJson({&sample, &TSample::Properties}, Latin1ToUtf8).dump();
    EXPECT_EQ(json, "{\"Name\":\"caf\xc3\xa9\",\"Missing\":null,\"Installed\":\"2000-01-01T12:00:00\","
                    "\"Never\":null,\"Paths\":[\"C:\\\\\",\"D:\\\\\"]}");
}

} // namespace
