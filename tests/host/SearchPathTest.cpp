#include "sysinfo/Vexor_Routines_SearchPath.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

bool SingleByte(unsigned char) {
    return false;
}

// Shift-JIS: lead bytes 0x81-0x9F and 0xE0-0xFC; 0x5C ("\") and 0x3B (";")
// are never lead bytes but 0x5C is a valid trail byte.
bool ShiftJisLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

struct Search {
    std::set<std::string> files;
    std::vector<std::string> tried;
    std::string Run(std::string_view name, std::string_view list, LeadByteTest lead = SingleByte) {
        return SearchFileOnPathWith(
            name, list,
            [this](const std::string& path) {
                tried.push_back(path);
                return files.count(path) > 0;
            },
            lead);
    }
};

TEST(SearchPath, TriesTheNameThenEachDirectoryInOrder) {
    const struct {
        const char* list;
        std::vector<std::string> tried;
    } cases[] = {
        {"C:\\A;;C:\\B\\;", {"x.dll", "C:\\A\\x.dll", "C:\\B\\x.dll"}},
        {"", {"x.dll"}},
        {";;;", {"x.dll"}},
        {"C:", {"x.dll", "C:x.dll"}},
        {";C:\\WINDOWS;C:\\WINDOWS\\system32;",
         {"x.dll", "C:\\WINDOWS\\x.dll", "C:\\WINDOWS\\system32\\x.dll"}},
        {"D", {"x.dll", "D\\x.dll"}},
        {" ", {"x.dll", " \\x.dll"}},
    };
    for (const auto& c : cases) {
        Search search;
        EXPECT_EQ(search.Run("x.dll", c.list), "") << c.list;
        EXPECT_EQ(search.tried, c.tried) << c.list;
    }
}

TEST(SearchPath, ReturnsTheFirstExistingCandidate) {
    Search search;
    search.files = {"C:\\B\\x.dll", "C:\\C\\x.dll"};
    EXPECT_EQ(search.Run("x.dll", "C:\\A;C:\\B;C:\\C"), "C:\\B\\x.dll");
    EXPECT_EQ(search.tried.size(), 3u);

    Search itself;
    itself.files = {"x.dll", "C:\\A\\x.dll"};
    EXPECT_EQ(itself.Run("x.dll", "C:\\A"), "x.dll");
    EXPECT_EQ(itself.tried.size(), 1u);
}

TEST(SearchPath, EmptyNameTriesNothing) {
    Search search;
    search.files = {"", "C:\\A\\"};
    EXPECT_EQ(search.Run("", "C:\\A"), "");
    EXPECT_TRUE(search.tried.empty());
}

TEST(SearchPath, DoubleByteCharactersAreSteppedOverWhole) {
    // "\x95\x5C" is one character whose trail byte equals "\": a backslash is
    // still added. "\x81;" is one character whose trail byte is ";": the
    // directory does not end there.
    Search search;
    EXPECT_EQ(search.Run("x.dll", "C:\\\x95\\;D:\\\x81;E;F", ShiftJisLead), "");
    EXPECT_EQ(search.tried,
              (std::vector<std::string>{"x.dll", "C:\\\x95\\\\x.dll", "D:\\\x81;E\\x.dll", "F\\x.dll"}));

    Search single;
    single.Run("x.dll", "C:\\\x95\\;D", SingleByte);
    EXPECT_EQ(single.tried, (std::vector<std::string>{"x.dll", "C:\\\x95\\x.dll", "D\\x.dll"}));

    // A lead byte at the very end has no trail byte: it is a character alone.
    Search truncated;
    truncated.Run("x.dll", "C:\\\x95", ShiftJisLead);
    EXPECT_EQ(truncated.tried, (std::vector<std::string>{"x.dll", "C:\\\x95\\x.dll"}));
}

} // namespace
