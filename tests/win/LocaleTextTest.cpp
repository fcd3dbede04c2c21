// Two case rules: the ASCII one that names, GUIDs and registry paths compare
// by, and the user's collation that the device list is sorted by for people.
#include "base/Text.h"
#include "base/win/LocaleText.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

int Sign(int value) {
    return (value > 0) - (value < 0);
}

TEST(LocaleText, FollowsTheCodePageWhereTheAsciiRuleDoesNot) {
    if (GetACP() != 1252)
        GTEST_SKIP() << "the rows are in the Western code page; this prefix uses " << GetACP();
    struct Row {
        std::string a, b;
        int locale; // -1, 0, 1: a before, with, after b in the user's collation
        bool ascii; // SameText
        const char* why;
    };
    const Row rows[] = {
        {"Display", "DISPLAY", 0, true, "letters A to Z: both rules ignore their case"},
        {"\xC4rger", "\xE4rger", 0, false, "A-umlaut and a-umlaut: one letter to people, two bytes to ASCII"},
        {"\xC9t\xE9", "\xE9t\xE9", 0, false, "E-acute in both cases"},
        {"\xC4rger", "Bus", -1, false, "A-umlaut sorts with A, though its byte is above B's"},
        {"apple", "Banana", -1, false, "case does not decide the order"},
        {"Ports", "Port", 1, false, "the longer text after its prefix"},
        {"", "", 0, true, "empty texts"},
        {"", "a", -1, false, "empty before anything"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Sign(LocaleCompareText(row.a, row.b)), row.locale) << row.why;
        EXPECT_EQ(LocaleTextLess(row.a, row.b), row.locale < 0) << row.why;
        EXPECT_EQ(SameText(row.a, row.b), row.ascii) << row.why;
    }
}

} // namespace
