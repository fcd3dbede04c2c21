#include "base/CodePage.h"
#include "base/StringList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Entries = std::vector<std::string>;

Entries Parse(std::string_view text) {
    TStringList list{"stale"};
    list.SetCommaText(text);
    return list.Items();
}

TEST(CommaTextRead, SplitsByTheReadingRule) {
    const struct {
        std::string text;
        Entries entries;
    } cases[] = {
        {"", {}},
        {"   \t\r\n", {}},
        {"a", {"a"}},
        {",SP2,", {"", "SP2", ""}},
        {"a,,b", {"a", "", "b"}},
        {",", {"", ""}},
        {"0", {"0"}},
        {"  a , b ", {"a", "b"}},
        {"a, ", {"a"}},      // the comma is not the last character
        {"a b", {"a", "b"}}, // a blank ends an unquoted entry
        {"a\tb,c", {"a", "b", "c"}},
        {"\"b c\",d", {"b c", "d"}},
        {"\"say \"\"hi\"\"\"", {"say \"hi\""}},
        {"\"\"", {""}},
        {"\"\",\"\"", {"", ""}},
        {"\"a\"b,c", {"a", "b", "c"}},
        {"\"unclosed", {"unclose"}}, // the rest less its last character
        {"\"a\"\"", {"a"}},
        {"\"", {""}},
        {"x,\"", {"x", ""}},
        {"\x7f\xff,\x21", {"\x7f\xff", "\x21"}},
        {std::string("a,b\0,c", 6), {"a", "b"}}, // a NUL ends the text
    };
    for (const auto& c : cases)
        EXPECT_EQ(Parse(c.text), c.entries) << c.text;
}

TEST(CommaTextRead, ReadsBackWhatCommaTextWrites) {
    const TStringList lists[] = {
        {"a", "b c", "d"}, {"say \"hi\"", "x,y"}, {"", "a"}, {"a", "", "b"}, {"\t", "3.5"}, {""},
    };
    for (const auto& list : lists) {
        TStringList read;
        read.SetCommaText(list.CommaText());
        EXPECT_EQ(read, list) << list.CommaText();
    }
}

bool ShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

TEST(CommaTextRead, DoubleByteCharactersStayWhole) {
    const LeadBytePredicate old = SetLeadBytePredicate(ShiftJisLead);
    // An unclosed quoted entry loses its last character, both of its bytes.
    EXPECT_EQ(Parse("\"ab\x95\x5C"), (Entries{"ab"}));
    EXPECT_EQ(Parse("\x95\x5C,x"), (Entries{"\x95\x5C", "x"}));
    SetLeadBytePredicate(old);
    EXPECT_EQ(Parse("\"ab\x95\x5C"), (Entries{"ab\x95"}));
}

} // namespace
