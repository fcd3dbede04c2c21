// The text rules of the internet settings: environment references, the
// program a command line starts, the proxy list and the connection type.
#include "sysinfo/Dask_OS_Internet_Rules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

const TStringList kEnvironment{
    "=C:=C:\\",    " =blank name", "SystemRoot=C:\\WINDOWS",  "ProgramFiles=C:\\Program Files",
    "Twice=first", "Twice=second", "PUBLIC=C:\\Users\\Public"};

TEST(InternetRules, StripQuotesTakesOnePairOfEnclosingQuotes) {
    static const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"\"a b\"", "a b"}, {"\"\"", ""},           {"\"", "\""}, {"\"a", "\"a"},
        {"a\"", "a\""},     {"\"\"a\"\"", "\"a\""}, {"", ""},     {"'a'", "'a'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StripQuotes(c.text, '"'), c.expected) << c.text;
}

TEST(InternetRules, EnvironmentReferencesAreReplacedOncePerVariable) {
    static const struct {
        const char* text;
        bool backslashForm;
        const char* expected;
    } cases[] = {
        {"%ProgramFiles%\\Mail\\mail.exe", false, "C:\\Program Files\\Mail\\mail.exe"},
        {"%PROGRAMFILES%\\a", false, "C:\\Program Files\\a"},
        {"\\SystemRoot\\system32\\a.exe", true, "C:\\WINDOWS\\system32\\a.exe"},
        {"\\SystemRoot\\system32\\a.exe", false, "\\SystemRoot\\system32\\a.exe"},
        {"%SystemRoot%;%SystemRoot%", false, "C:\\WINDOWS;%SystemRoot%"},
        {"\"\\SystemRoot\\a.exe\" -x", true, "\"C:\\WINDOWS\\a.exe\" -x"},
        // Only the path's first component is a reference in the backslash
        // form: a directory that bears a variable's name further on stays.
        {"C:\\Users\\Public\\app.exe", true, "C:\\Users\\Public\\app.exe"},
        {"\\SystemRootX\\a.exe", true, "\\SystemRootX\\a.exe"},
        // The percent form wins over the backslash form.
        {"\\SystemRoot %SystemRoot%", true, "\\SystemRoot C:\\WINDOWS"},
        // A name given twice: both entries replace, each with the first value.
        {"%Twice% %Twice%", false, "first first"},
        {"%blank name%", false, "%blank name%"},
        {"%unknown%", true, "%unknown%"},
        {"", true, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandEnvironmentText(c.text, c.backslashForm, kEnvironment), c.expected) << c.text;
}

TEST(InternetRules, ReplacementsSeeEarlierReplacementsAndKeep1024CharactersAfter) {
    const TStringList chain{"A=%B%", "B=x"};
    EXPECT_EQ(ExpandEnvironmentText("%a%", false, chain), "x");

    const std::string tail(2000, 't');
    EXPECT_EQ(ExpandEnvironmentText("%B%" + tail, false, chain), "x" + tail.substr(0, 1024));
}

TEST(InternetRules, ExecutablePathIsShortenedUntilAFileExists) {
    const std::set<std::string> files{"C:\\Program Files\\Internet Explorer\\iexplore.exe",
                                      "C:\\Program Files\\Mail\\mail.exe", "C:\\tools\\mua.exe",
                                      "C:\\Users\\Public\\app.exe"};
    // As Windows finds files: trailing blanks of the name are ignored.
    auto exists = [&](std::string path) {
        while (!path.empty() && path.back() == ' ')
            path.pop_back();
        return files.count(path) != 0;
    };
    static const struct {
        const char* commandLine;
        const char* expected;
    } cases[] = {
        {"\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome",
         "C:\\Program Files\\Internet Explorer\\iexplore.exe"},
        {"\"%ProgramFiles%\\Mail\\mail.exe\" /mailurl:%1", "C:\\Program Files\\Mail\\mail.exe"},
        {"%ProgramFiles%\\Mail\\mail.exe", "C:\\Program Files\\Mail\\mail.exe"},
        {"C:\\tools\\mua.exe -compose", "C:\\tools\\mua.exe"}, // no trailing blank kept
        {"C:\\Users\\Public\\app.exe /x", "C:\\Users\\Public\\app.exe"},
        {"\"C:\\tools\\missing.exe\" -x", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractExecutablePath(c.commandLine, kEnvironment, exists), c.expected) << c.commandLine;
}

TEST(InternetRules, ProxyEntriesWithoutProtocolAreNumbered) {
    static const struct {
        const char* text;
        TStringList expected;
    } cases[] = {
        {"http=proxy:80;ftp=proxy:21", {"http=proxy:80", "ftp=proxy:21"}},
        {"proxy.example:8080", {"0=proxy.example:8080"}},
        {"a=1;x;b=2", {"a=1", "1=x", "b=2"}},
        {"a=1 b=2,c", {"a=1", "b=2", "2=c"}},
        {"a=1;", {"a=1", "1="}}, // a separator at the very end adds an empty entry
        {"\"x y\";z", {"0=x y", "1=z"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProxyServerLines(c.text), c.expected) << c.text;
}

TEST(InternetRules, ProxyFlagIsTheFirstFourBytesLittleEndian) {
    const std::uint8_t bytes[] = {0x01, 0x02, 0x00, 0x80, 0xFF};
    EXPECT_EQ(ProxyFlagOfBytes(bytes, 5), 0x80000201u);
    EXPECT_EQ(ProxyFlagOfBytes(bytes, 2), 0x0201u);
    EXPECT_EQ(ProxyFlagOfBytes(bytes, 0), 0u);
}

TEST(InternetRules, ConnectionTypeFromProxyAndDialUp) {
    static const struct {
        std::optional<std::uint32_t> flag;
        const char* server;
        unsigned dialUp;
        TConnectionType expected;
    } cases[] = {
        {1, "proxy:80", 0, ctLAN},
        {1, "proxy:80", 2, ctLAN},
        {1, "", 0, ctNone}, // enabled but no server
        {1, "", 1, ctDialup},
        {0, "proxy:80", 0, ctNone},
        {0, "proxy:80", 1, ctDialup},
        {std::nullopt, "proxy:80", 0, ctNone}, // flag unreadable
        {std::nullopt, "", 3, ctDialup},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConnectionTypeOf(c.flag, c.server, c.dialUp), c.expected)
            << (c.flag ? *c.flag : 99) << " " << c.server << " " << c.dialUp;
}

} // namespace
