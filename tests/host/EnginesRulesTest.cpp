#include "sysinfo/Dask_Engines_Rules.h"

#include <gtest/gtest.h>

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

TEST(EnginesRules, ProgIdTableInComparisonOrder) {
    const std::pair<TComEngine, std::string> expected[] = {
        {TComEngine::ceDAO, "DAO.DBEngine.36"},      {TComEngine::ceDAO, "DAO.DBEngine.35"},
        {TComEngine::ceDAO, "DAO.DBEngine"},         {TComEngine::ceADO, "adodb.connection.2.8"},
        {TComEngine::ceADO, "adodb.connection"},     {TComEngine::ceMSI, "WindowsInstaller.Installer"},
        {TComEngine::ceQT, "QuickTime.QuickTime.4"}, {TComEngine::ceQT, "QuickTime.QuickTime"},
    };
    const auto table = ComEngineProgIds();
    ASSERT_EQ(table.size(), std::size(expected));
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].Engine, expected[i].first) << i;
        EXPECT_EQ(table[i].ProgId, expected[i].second) << i;
    }
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
