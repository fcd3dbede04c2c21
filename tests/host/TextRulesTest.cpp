// The text rules that the information components and the skin library share:
// only ASCII letters change case (bytes of the system code page stay as they
// are), and trimming takes every blank and control character at either end.
#include "base/Text.h"

#include <gtest/gtest.h>

#include <string>

TEST(TextRules, CaseOfAsciiLettersOnly) {
    struct Row {
        std::string a, b;
        bool same;
    };
    const Row rows[] = {
        {"CLSID", "clsid", true},
        {"{00000000-abcd}", "{00000000-ABCD}", true},
        {"\xE4pfel", "\xC4pfel", false}, // a-umlaut and A-umlaut in the Western code page: not ASCII
        {"Edit", "Edit ", false},
        {"", "", true},
        {"@", "`", false}, // the neighbours of the letters are no letters
        {"[", "{", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(SameText(row.a, row.b), row.same) << row.a << " / " << row.b;
    EXPECT_EQ(UpperText("button\xE4z@[`{"), "BUTTON\xE4Z@[`{");
}

TEST(TextRules, PrefixesAndSuffixes) {
    EXPECT_TRUE(StartsWithText("Software\\Classes", "SOFTWARE"));
    EXPECT_FALSE(StartsWithText("Soft", "Software"));
    EXPECT_TRUE(StartsWithText("anything", ""));
    EXPECT_TRUE(EndsWithText("ZUR.ASZ", ".asz"));
    EXPECT_FALSE(EndsWithText("asz", ".asz"));
    EXPECT_TRUE(EndsWithText("Master.BMP", ".bmp"));
    EXPECT_TRUE(EndsWithText("", ""));
}

TEST(TextRules, ContainsAnywhereIgnoringCase) {
    struct Row {
        const char* text;
        const char* part;
        bool contains;
    };
    const Row rows[] = {
        {"C:\\WINDOWS\\Microsoft.NET\\Framework\\v1.1.4322\\MSCORLIB.TLB", "mscorlib.tlb", true},
        {"SHBrowseForFolder ShellNameSpace", "shbrowseforfolder", true}, // at the start
        {"x.tlb", "x.tlb", true},                                        // the whole text
        {"mscorlib.tl", "mscorlib.tlb", false},                          // cut at the end
        {"", "", true},
        {"abc", "", true},
        {"", "a", false},
        {"\xC4PFEL", "\xE4pfel", false}, // code-page letters keep their case
    };
    for (const Row& row : rows)
        EXPECT_EQ(ContainsText(row.text, row.part), row.contains) << row.text << " / " << row.part;
}

TEST(TextRules, BlanksAndTrimming) {
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(std::string(" \t\r\n\0", 5)));
    EXPECT_FALSE(IsBlankText(" x "));
    EXPECT_EQ(TrimText(std::string("\0 \x01value with blanks\x1F \0", 23)), "value with blanks");
    EXPECT_EQ(TrimText("\xA0x\xA0"), "\xA0x\xA0") << "a code-page blank is no control character";
}

TEST(TextRules, ReplaceAllScansLeftToRightOnce) {
    EXPECT_EQ(ReplaceAll(";SP2;", ";", ","), ",SP2,");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa") << "replacements are not scanned again";
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("x", "x", "xx"), "xx");
}
