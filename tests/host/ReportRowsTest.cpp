#include "app/ReportLook.h"
#include "controls/Application.h"
#include "report/ReportRows.h"

#include <gtest/gtest.h>

namespace {

std::vector<TReportRow> ReportOf(const TReportValues& values) {
    std::vector<TReportRow> rows;
    AppendReport(rows, values);
    return rows;
}

TEST(Report, EmptyComponentsGiveSeventeenRowsWithNotInstalledTexts) {
    const auto rows = ReportOf({});
    ASSERT_EQ(rows.size(), 17u);
    EXPECT_EQ(rows[0].Caption, "Engines Report for Machine: ");
    EXPECT_TRUE(rows[0].SubItems.Empty());
    // Name and edition empty: the blank between them stays.
    EXPECT_EQ(rows[1].SubItems, (TStringList{" "}));
    EXPECT_TRUE(rows[2].SubItems.Empty());
    const char* expected[][2] = {
        {"ODBC - Microsoft Open Database Conectivity version: ", "ODBC Not Installed"},
        {"ADO - Microsoft Advanced Data Objects version: ", "ADO Not Installed"},
        {".NET - Microsoft .NET Framework version: ", ".NET Not Installed"},
        {"DAO - Microsoft Data Access Object version: ", "DAO Not Installed"},
        {"MSI - Microsoft Windows Installer version: ", "MSI Not Installed"},
        {"OpenGL - SGI Open Graphic Language version: ", "OpenGL Not Installed"},
        {"IE - Microsoft Internet Explorer version: ", "IE Not Installed"},
        {"QT - Apple QuickTime version: ", "QT Not Installed"},
        {"BDE - Borland Database Engine version: ", "BDE Not Installed"},
        {"ASPI32 - Advanced SCSI Programming Interface: ", "ASPI Not Installed"},
        {"DirectX - Microsoft DirectX Version: ", "DirectX Not Installed"},
    };
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(rows[3 + i].Caption, expected[i][0]);
        EXPECT_EQ(rows[3 + i].SubItems, (TStringList{expected[i][1]}));
    }
    EXPECT_EQ(rows[14], (TReportRow{"Microsoft DirectX Direct 3D: ", {}}));
    EXPECT_EQ(rows[15], (TReportRow{"Microsoft DirectX Direct Music: ", {}}));
    EXPECT_EQ(rows[16], (TReportRow{"Microsoft DirectX Direct Play: ", {}}));
}

TEST(Report, ValuesAreSplitIntoLinesButListEntriesAreNot) {
    TReportValues values;
    values.MachineName = "PC01";
    values.OSName = "Windows XP";
    values.OSEdition = "Professional";
    values.BuildLab = "2600.xpsp.080413-2111\r\nsecond";
    values.ODBC = "   "; // blanks are a value, not absence
    values.IE = "6.0.2900.5512 (SP3)";
    values.Direct3D = {"RGB Emulation", "HAL\r\nline"};
    values.DirectMusic = {"Microsoft Synthesizer"};
    values.DirectPlay = {"a", "b", "c"};
    const auto rows = ReportOf(values);
    ASSERT_EQ(rows.size(), 17u + 2 + 1 + 3);
    EXPECT_EQ(rows[0].SubItems, (TStringList{"PC01"}));
    EXPECT_EQ(rows[1].SubItems, (TStringList{"Windows XP Professional"}));
    EXPECT_EQ(rows[2].SubItems, (TStringList{"2600.xpsp.080413-2111", "second"}));
    EXPECT_EQ(rows[3].SubItems, (TStringList{"   "}));
    EXPECT_EQ(rows[9].SubItems, (TStringList{"6.0.2900.5512 (SP3)"}));

    EXPECT_EQ(rows[14], (TReportRow{"Microsoft DirectX Direct 3D: ", {"Direct3D:", "Direct3D:"}}));
    EXPECT_EQ(rows[15], (TReportRow{"", {"RGB Emulation"}}));
    EXPECT_EQ(rows[16], (TReportRow{"", {"HAL\r\nline"}}));
    EXPECT_EQ(rows[17], (TReportRow{"Microsoft DirectX Direct Music: ", {"Direct Music:"}}));
    EXPECT_EQ(rows[18], (TReportRow{"", {"Microsoft Synthesizer"}}));
    EXPECT_EQ(rows[19], (TReportRow{"Microsoft DirectX Direct Play: ",
                                    {"Direct Play:", "Direct Play:", "Direct Play:"}}));
    EXPECT_EQ(rows[22], (TReportRow{"", {"c"}}));
}

TEST(Report, EachEngineRowShowsItsOwnEngine) {
    TReportValues values;
    std::string TReportValues::*engines[] = {&TReportValues::ODBC,
                                             &TReportValues::ADO,
                                             &TReportValues::NET,
                                             &TReportValues::DAO,
                                             &TReportValues::MSI,
                                             &TReportValues::OpenGL,
                                             &TReportValues::IE,
                                             &TReportValues::QT,
                                             &TReportValues::BDE,
                                             &TReportValues::ASPI,
                                             &TReportValues::DirectXVersion};
    for (size_t i = 0; i < std::size(engines); ++i)
        values.*engines[i] = "v" + std::to_string(i);
    const auto rows = ReportOf(values);
    for (size_t i = 0; i < std::size(engines); ++i)
        EXPECT_EQ(rows[3 + i].SubItems, (TStringList{"v" + std::to_string(i)})) << rows[3 + i].Caption;
}

TEST(Report, AppendingTwiceGivesTwoReports) {
    std::vector<TReportRow> rows;
    AppendReport(rows, {});
    AppendReport(rows, {});
    ASSERT_EQ(rows.size(), 34u);
    EXPECT_EQ(rows[17].Caption, "Engines Report for Machine: ");
}

TEST(ReportLook, RowBanding) {
    EXPECT_EQ(RowBackgroundColorIndex(0), 30);
    EXPECT_EQ(RowBackgroundColorIndex(1), std::nullopt);
    EXPECT_EQ(RowBackgroundColorIndex(2), 24);
    EXPECT_EQ(RowBackgroundColorIndex(33), std::nullopt);
    EXPECT_EQ(RowBackgroundColorIndex(34), 24);
    EXPECT_EQ(RowBackgroundColorIndex(35), std::nullopt);
    EXPECT_EQ(RowBackgroundColorIndex(36), std::nullopt);
    EXPECT_EQ(RowBackgroundColorIndex(1000), std::nullopt);
}

TEST(ReportLook, OddWidthGivesTheFirstColumnTheExtraPixel) {
    EXPECT_EQ(AutoSizeColumns(699).Engine, 350);
    EXPECT_EQ(AutoSizeColumns(699).Version, 349);
    EXPECT_EQ(AutoSizeColumns(700).Engine, 350);
    EXPECT_EQ(AutoSizeColumns(700).Version, 350);
}

TEST(ReportLook, ErrorTextGetsAFullStopOnlyAfterHigherCodes) {
    EXPECT_EQ(TApplication::ExceptionText("Invalid data type for 'X'"),
              "Invalid data type for 'X'"); // ' is below .
    EXPECT_EQ(TApplication::ExceptionText("Cannot open clipboard"), "Cannot open clipboard.");
    EXPECT_EQ(TApplication::ExceptionText("Done."), "Done.");
    EXPECT_EQ(TApplication::ExceptionText("Path /"), "Path /.");  // / is above .
    EXPECT_EQ(TApplication::ExceptionText("Error -"), "Error -"); // - is below .
    EXPECT_EQ(TApplication::ExceptionText("\xe9"), "\xe9.");      // codes above 127 count as high
    EXPECT_EQ(TApplication::ExceptionText(""), "");
}

} // namespace

TEST(Report, TypedTextFindsRowsAsAListDoes) {
    std::vector<TReportRow> rows(4);
    rows[0].Caption = "ODBC - Microsoft Open Database Conectivity version:";
    rows[1].Caption = "OS - Microsoft Operating System version:";
    rows[2].Caption = "ADO - Microsoft Advanced Data Objects version:";
    rows[3].Caption = "os";
    struct Row {
        const char* text;
        int start;
        bool partial, wrap;
        int found;
    };
    const Row cases[] = {
        {"o", 0, true, true, 0},    {"os", 0, true, true, 1}, {"OS", 2, true, false, 3},
        {"od", 1, true, false, -1}, {"od", 1, true, true, 0}, {"os", 0, false, true, 3},
        {"a", 9, true, false, 2},   {"", 1, true, false, 1},  {"x", 0, true, true, -1},
    };
    for (const Row& c : cases)
        EXPECT_EQ(FindRowByCaption(rows, c.text, c.start, c.partial, c.wrap), c.found)
            << c.text << " from " << c.start;
    EXPECT_EQ(FindRowByCaption({}, "o", 0, true, true), -1);
}
