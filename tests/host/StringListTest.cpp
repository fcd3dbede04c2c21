#include "base/CodePage.h"
#include "base/StringList.h"

#include <gtest/gtest.h>

namespace {

TEST(CommaText, QuotesOnlyWhatNeedsIt) {
    const struct {
        TStringList list;
        std::string expected;
    } cases[] = {
        {{}, ""},
        {{""}, "\"\""},
        {{"", ""}, ","},
        {{"a", "", "b"}, "a,,b"},
        {{"3.525.1117.0"}, "3.525.1117.0"},
        {{"Windows XP Professional"}, "\"Windows XP Professional\""},
        {{"Direct3D:", "Direct3D:"}, "Direct3D:,Direct3D:"},
        {{"a,b"}, "\"a,b\""},
        {{"say \"hi\""}, "\"say \"\"hi\"\"\""},
        {{"\"x\""}, "\"\"\"x\"\"\""},
        {{"tab\there"}, "\"tab\there\""},
        {{std::string("\x01")}, "\"\x01\""},
        {{"\x21\x7f\xff"}, "\x21\x7f\xff"}, // codes above 32 need no quotes
        {{"  3.5"}, "\"  3.5\""},
        {{"a", "b c", "d"}, "a,\"b c\",d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.list.CommaText(), c.expected) << c.expected;
}

TEST(CommaText, ScanStopsAtNulButKeepsTheWholeEntry) {
    TStringList list{std::string("ab\0 c", 5)};
    EXPECT_EQ(list.CommaText(), std::string("ab\0 c", 5));
}

bool ShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

class DoubleByte : public ::testing::Test {
protected:
    void SetUp() override { old_ = SetLeadBytePredicate(ShiftJisLead); }
    void TearDown() override { SetLeadBytePredicate(old_); }
    LeadBytePredicate old_ = nullptr;
};

TEST_F(DoubleByte, TrailBytesAreNotExamined) {
    // 0x81 0x20 is one character: its trail byte is no blank.
    EXPECT_EQ(TStringList{"\x81\x20"}.CommaText(), "\x81\x20");
    // A lead byte at the very end stands alone; the blank after a whole
    // character still counts.
    EXPECT_EQ(TStringList{"\x81\x40 x"}.CommaText(), "\"\x81\x40 x\"");
    // A trail byte that is a quote is copied whole, not doubled.
    EXPECT_EQ(QuotedText("\x81\" \""), "\"\x81\" \"\"\"");
}

TEST(LineText, SplitsAtEveryKindOfBreak) {
    const struct {
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"one\r\n", {"one"}},
        {"one\n\ntwo", {"one", "", "two"}},
        {"a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        {"a\n\r", {"a", ""}}, // LF then CR: two breaks
        {"a\r\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {std::string("ab\0cd\r\nef", 9), {"ab"}},
        {std::string("\0abc", 4), {}},
        {"  3.5", {"  3.5"}},
    };
    for (const auto& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(list.Items(), c.lines) << ::testing::PrintToString(c.text);
    }
}

TEST(LineText, ReadingEndsEveryLineWithCrLf) {
    EXPECT_EQ(TStringList{}.Text(), "");
    EXPECT_EQ((TStringList{"a", "", "b"}.Text()), "a\r\n\r\nb\r\n");
    TStringList list{"old"};
    list.SetText("x\ny");
    EXPECT_EQ(list.Text(), "x\r\ny\r\n");
}

} // namespace
