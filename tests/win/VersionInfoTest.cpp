#include "sysinfo/win/Vexor_Routines.h"
#include "tests/fixtures/Fixtures.h"
#include "tests/fixtures/SavedRegistryTree.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(VersionInfo, ReadsNumbersAndTheFirstTranslationsFileVersion) {
    const struct {
        const char* dll;
        bool found;
        const char* text;
        std::uint32_t major, minor, release, build;
    } cases[] = {
        {"ver_blanks", true, "  1.2.3.4 beta  ", 1, 2, 3, 4},
        {"ver_untranslated", true, "", 5, 6, 7, 8},
        {"ver_german", true, "9.8.7.6 de", 65535, 8, 7, 6},
        {"ver_unmatched", true, "", 4, 3, 2, 1},
        {"ver_msi", true, "3.1.4000.1823 (xpsp_sp2_rtm)", 3, 1, 4000, 1823},
        {"ver_none", false, "", 0, 0, 0, 0},
        {"ver_missing", false, "", 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const std::string file = VersionedDll(c.dll);
        TVersionInfo info{"stale", "stale", 9, 9, 9, 9};
        EXPECT_EQ(ReadVersionInfo(file, info), c.found) << c.dll;
        EXPECT_EQ(info.FileName, file);
        EXPECT_EQ(info.FileVersion, c.text) << c.dll;
        EXPECT_EQ(info.FileMajor, c.major) << c.dll;
        EXPECT_EQ(info.FileMinor, c.minor) << c.dll;
        EXPECT_EQ(info.FileRelease, c.release) << c.dll;
        EXPECT_EQ(info.FileBuild, c.build) << c.dll;
        EXPECT_EQ(ReadFileVersion(file), c.text) << c.dll;
    }
}

TEST(VersionInfo, BareNameFollowsThePlatformSearch) {
    TVersionInfo info;
    ASSERT_TRUE(ReadVersionInfo("kernel32.dll", info));
    EXPECT_EQ(info.FileName, "kernel32.dll");
    EXPECT_GT(info.FileMajor, 0u);
    EXPECT_EQ(ReadFileVersion("kernel32.dll"), ReadFileVersion(GetSystemFolder() + "\\kernel32.dll"));
}

TEST(VersionInfo, WindowsFolders) {
    char system[MAX_PATH], windows[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(GetSystemFolder(), system);
    EXPECT_NE(GetSystemFolder().back(), '\\');
    EXPECT_EQ(GetWindowsSearchPath(), std::string(windows) + ";" + system + ";");
    // Wine's layout: C:\windows and C:\windows\system32.
    EXPECT_STRCASEEQ(GetWindowsSearchPath().c_str(), "C:\\windows;C:\\windows\\system32;");
}

TEST(VersionInfo, FileExistsAndSearchOnRealFolders) {
    TempFolder temp;
    temp.Write("found.dll", "x");
    CreateDirectoryA(temp.File("folder.dll").c_str(), nullptr);

    EXPECT_TRUE(FileExists(temp.File("found.dll")));
    EXPECT_FALSE(FileExists(temp.File("folder.dll")));
    EXPECT_FALSE(FileExists(temp.File("missing.dll")));
    EXPECT_FALSE(FileExists(""));

    const std::string list = "C:\\no-such-folder;;" + temp.Path() + "\\;";
    EXPECT_EQ(SearchFileOnPath("found.dll", list), temp.Path() + "\\found.dll");
    EXPECT_EQ(SearchFileOnPath("folder.dll", list), "");
    EXPECT_EQ(SearchFileOnPath("found.dll", ""), "");
    EXPECT_EQ(SearchFileOnPath(temp.File("found.dll"), ""), temp.File("found.dll"));
    EXPECT_EQ(SearchFileOnPath("", list), "");
    EXPECT_STRCASEEQ(SearchFileOnPath("kernel32.dll", GetWindowsSearchPath()).c_str(),
                     (GetSystemFolder() + "\\kernel32.dll").c_str());
}

} // namespace
