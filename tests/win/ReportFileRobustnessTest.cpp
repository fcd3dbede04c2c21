// Loading files that are no reports at all: large, random, or made of very
// many lines. Every line must come back as a row, none lost, none made up.
#include "report/ReportFile.h"
#include "report/ReportFileIo.h"
#include "tests/fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

// What a row is made of, put back together: the line it came from.
std::string Rejoined(const TReportRow& row) {
    return row.Caption + (row.SubItems.Empty() ? std::string() : row.SubItems[0]);
}

void ExpectRowsAreTheLines(const std::vector<TReportRow>& rows, const std::string& bytes) {
    std::vector<std::string_view> lines;
    ForEachLine(bytes, [&lines](std::string_view line) { lines.push_back(line); });
    ASSERT_EQ(rows.size(), lines.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        ASSERT_LE(rows[i].SubItems.Count(), 1u) << "row " << i;
        ASSERT_EQ(Rejoined(rows[i]), lines[i]) << "row " << i;
    }
}

TEST(ReportFileRobustness, FiftyMegabytesOfRandomBytes) {
    std::mt19937 random(20260101);
    // No NUL: it would end the text after a few hundred bytes.
    std::uniform_int_distribution<int> byte(1, 255);
    std::string bytes(50u << 20, '\0');
    for (char& c : bytes)
        c = static_cast<char>(byte(random));
    TempFolder folder;
    folder.Write("random.bin", bytes);
    const std::vector<TReportRow> rows = ReadReportFile(folder.File("random.bin"));
    EXPECT_GT(rows.size(), 300000u);
    ExpectRowsAreTheLines(rows, bytes);
}

TEST(ReportFileRobustness, OneMillionShortLines) {
    std::string bytes;
    const char* const breaks[] = {"\r\n", "\n", "\r"};
    for (int i = 0; i < 1000000; ++i) {
        bytes += (i % 7 == 0) ? "" : "k" + std::to_string(i % 100) + ": v";
        bytes += breaks[i % 3];
    }
    TempFolder folder;
    folder.Write("lines.txt", bytes);
    const std::vector<TReportRow> rows = ReadReportFile(folder.File("lines.txt"));
    ASSERT_EQ(rows.size(), 1000000u);
    ExpectRowsAreTheLines(rows, bytes);
    EXPECT_EQ(rows[1].Caption, "k1:");
    EXPECT_EQ(rows[1].SubItems, (TStringList{" v"}));
}

} // namespace
