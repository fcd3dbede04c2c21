#include "sysinfo/Dask_Engines_Rules.h"

#include <gtest/gtest.h>

#include <optional>

#include <string>

namespace {

TEST(EnginesRules, InternetExplorerVersionWithMinorVersionNotes) {
    const struct {
        const char* minor;
        const char* text;
    } cases[] = {
        {";SP3;", "6.0.2900.5512 (SP3)"},
        {";SP2;", "6.0.2900.5512 (SP2)"},
        {"0", "6.0.2900.5512 (0)"},
        {"", "6.0.2900.5512 ()"},
        {";;", "6.0.2900.5512 ()"},
        {"; ;\t;", "6.0.2900.5512 ()"},
        {";SP2;Q867801;", "6.0.2900.5512 (SP2,Q867801)"},
        {"SP1 Q123", "6.0.2900.5512 (SP1,Q123)"}, // a blank ends an unquoted entry
        {"\"SP1 beta\";x", "6.0.2900.5512 (\"SP1 beta\",x)"},
        {"\" \";x", "6.0.2900.5512 (x)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InternetExplorerVersionText("6.0.2900.5512", c.minor), c.text) << c.minor;
}

TEST(EnginesRules, MscorlibTypeLibraryIgnoresAsciiCaseOnly) {
    const struct {
        const char* path;
        bool matches;
    } cases[] = {
        {"C:\\WINDOWS\\Microsoft.NET\\Framework\\v2.0.50727\\mscorlib.tlb", true},
        {"C:\\WINDOWS\\Microsoft.NET\\Framework\\v1.1.4322\\MSCORLIB.TLB", true},
        {"c:\\x\\MsCorLib.Tlb.bak", true},
        {"C:\\WINDOWS\\Microsoft.NET\\Framework\\v2.0.50727\\mscorlib.dll", false},
        {"mscorlib tlb", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsMscorlibTypeLibrary(c.path), c.matches) << c.path;
}

TEST(EnginesRules, ProgIdsNameTheirEngineWhateverTheCaseOfAToZ) {
    const struct {
        const char* progId;
        std::optional<TComEngine> engine;
    } rows[] = {
        {"DAO.DBEngine.36", TComEngine::ceDAO},
        {"DAO.DBEngine.35", TComEngine::ceDAO},
        {"dao.dbengine", TComEngine::ceDAO},
        {"ADODB.Connection.2.8", TComEngine::ceADO},
        {"ADODB.Connection", TComEngine::ceADO},
        {"windowsinstaller.installer", TComEngine::ceMSI},
        {"QuickTime.QuickTime.4", TComEngine::ceQT},
        {"QUICKTIME.QUICKTIME", TComEngine::ceQT},
        {"DAO.DBEngine.120", std::nullopt},     // a newer engine's name is no match
        {"ADODB.Connection.6.0", std::nullopt}, // nor is a longer one
        {"adodb.connection.2", std::nullopt},   // nor a shorter one
        {"QuickTime.QuickTime.7", std::nullopt},
        {"DAO.DBEngine.36 ", std::nullopt}, // blanks count
        {"\xC4"
         "DODB.Connection",
         std::nullopt}, // a code-page letter is not A
        {"", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(ComEngineOf(row.progId), row.engine) << row.progId;
}

TEST(EnginesRules, InstalledVersionTakesTheFirstAndFourthBytes) {
    const unsigned char dx9[8] = {0, 0, 0, 9, 0, 0, 0, 0};
    EXPECT_EQ(DirectXInstalledVersionText(dx9), "0.9");
    const unsigned char word[4] = {4, 9, 0, 0};
    EXPECT_EQ(DirectXInstalledVersionText(word), "4.0");
    const unsigned char high[4] = {255, 1, 2, 200};
    EXPECT_EQ(DirectXInstalledVersionText(high), "255.200");
}

} // namespace
