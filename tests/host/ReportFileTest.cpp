#include "report/ReportFile.h"
#include "base/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace std::string_literals;

TReportRow Row(std::string caption, TStringList subItems) {
    return TReportRow{std::move(caption), std::move(subItems)};
}

TEST(ReportFileTest, ClipboardTakesSelectedRowsInListOrder) {
    const std::vector<TReportRow> rows{Row("a: ", {"1"}), Row("b: ", {"2"}), Row("c: ", {"x,y"})};
    const std::vector<int> firstAndLast{0, 2};
    EXPECT_EQ(ClipboardText(rows, firstAndLast), "a: \t1\rc: \t\"x,y\"\r");
    const std::vector<int> none;
    EXPECT_EQ(ClipboardText(rows, none), "");
    const std::vector<int> pastTheEnd{1, 7};
    EXPECT_EQ(ClipboardText(rows, pastTheEnd), "b: \t2\r");
}

TEST(ReportFileTest, LoadedLineIsCutAfterItsLastColon) {
    const struct {
        std::string line;
        std::string caption;
        TStringList subItems;
    } cases[] = {
        {"ODBC - Microsoft Open Database Conectivity version:  3.525.1117.0",
         "ODBC - Microsoft Open Database Conectivity version:",
         {"  3.525.1117.0"}},
        {"OS - Microsoft Operating System version:  \"Windows XP Professional\"",
         "OS - Microsoft Operating System version:",
         {"  \"Windows XP Professional\""}},
        {"Microsoft DirectX Direct 3D:  Direct3D:,Direct3D:",
         "Microsoft DirectX Direct 3D:  Direct3D:,Direct3D:",
         {}},
        {" \"RGB Emulation\"", "", {" \"RGB Emulation\""}},
        {"Microsoft DirectX Direct Play:  ", "Microsoft DirectX Direct Play:", {"  "}},
        // The value's own colon wins over the caption's.
        {"Windows folder:  C:\\Windows", "Windows folder:  C:", {"\\Windows"}},
        {"", "", {}},
        {":", ":", {}},
        {"a,b,\"c\"", "", {"a,b,\"c\""}},
    };
    for (const auto& c : cases) {
        const TReportRow row = ReportRowFromLine(c.line);
        EXPECT_EQ(row.Caption, c.caption) << c.line;
        EXPECT_EQ(row.SubItems, c.subItems) << c.line;
    }
}

bool TestLeadByte(unsigned char c) {
    return c == 0x81;
}

TEST(ReportFileTest, ColonAsTrailByteIsNoCut) {
    const LeadBytePredicate old = SetLeadBytePredicate(TestLeadByte);
    const TReportRow trail = ReportRowFromLine("Drive: \x81:x");
    const TReportRow loneLead = ReportRowFromLine("Drive:\x81");
    const TReportRow pairThenColon = ReportRowFromLine("\x81\x81:rest");
    SetLeadBytePredicate(old);

    EXPECT_EQ(trail.Caption, "Drive:");
    EXPECT_EQ(trail.SubItems, (TStringList{" \x81:x"}));
    EXPECT_EQ(loneLead.Caption, "Drive:");
    EXPECT_EQ(loneLead.SubItems, (TStringList{"\x81"}));
    EXPECT_EQ(pairThenColon.Caption, "\x81\x81:");
}

// Every way of cutting a text into pieces gives the lines of the whole text.
TEST(ReportFileTest, SplitterMatchesTheLineRuleWhereverPiecesEnd) {
    const std::string texts[] = {
        "",           "a",
        "a\r\nb",     "a\r\rb\n\n",
        "\r\n",       "\n\r",
        "\r\n\r\n",   "abc\0def"s,
        "a\r\0b"s,    "\0x"s,
        "x\r",        "x\r\n",
        "\n",         "one\ntwo\r\nthree\rfour",
        "a\r\n\0\r"s, "ab\0\0cd\n"s,
        "\r\r\n\n",   "\xff\xfeK\0e\0y"s,
    };
    for (const std::string& text : texts) {
        std::vector<std::string> expected;
        ForEachLine(text, [&](std::string_view line) { expected.emplace_back(line); });
        for (size_t piece = 1; piece <= text.size() + 1; ++piece) {
            std::vector<std::string> lines;
            auto add = [&](std::string_view line) { lines.emplace_back(line); };
            TLineSplitter splitter;
            for (size_t at = 0; at < text.size(); at += piece)
                splitter.Feed(std::string_view(text).substr(at, piece), add);
            splitter.Finish(add);
            EXPECT_EQ(lines, expected) << "piece size " << piece << " of " << testing::PrintToString(text);
        }
    }
}

TEST(ReportFileTest, SplitterStopsAtNul) {
    TLineSplitter splitter;
    std::vector<std::string> lines;
    auto add = [&](std::string_view line) { lines.emplace_back(line); };
    EXPECT_TRUE(splitter.Feed("a\r\nb", add));
    EXPECT_FALSE(splitter.Feed("c\0d\n"s, add));
    EXPECT_FALSE(splitter.Feed("more\n", add));
    splitter.Finish(add);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "bc"}));
}

} // namespace
