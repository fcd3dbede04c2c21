// Both programs carry the version the About box and --version show
// ("Kestova 1.0") in their version resources, as Explorer and installers read
// them.
#include "sysinfo/win/Vexor_Routines.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

// A program of this build, beside the test program's own folder.
std::string BuiltProgram(const char* relative) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\" + relative;
}

std::string StringEntry(const std::string& file, const char* name) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    if (size == 0)
        return "(no version resource)";
    std::vector<char> data(size);
    if (!GetFileVersionInfoA(file.c_str(), 0, size, data.data()))
        return "(unreadable)";
    const std::string query = std::string("\\StringFileInfo\\040904E4\\") + name;
    char* text = nullptr;
    UINT textLength = 0;
    if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&text), &textLength) || !text)
        return "(missing)";
    return text;
}

TEST(ProgramVersion, BothProgramsCarryTheVersionTheyShow) {
    const struct {
        const char* program;
        const char* originalName;
    } rows[] = {
        {"app\\kestova.exe", "kestova.exe"},
        {"cli\\kestova-report.exe", "kestova-report.exe"},
    };
    for (const auto& row : rows) {
        const std::string file = BuiltProgram(row.program);
        TVersionInfo info;
        ASSERT_TRUE(ReadVersionInfo(file, info)) << file;
        EXPECT_EQ(info.FileVersion, "1.0") << file;
        EXPECT_EQ(info.FileMajor, 1u) << file;
        EXPECT_EQ(info.FileMinor, 0u) << file;
        EXPECT_EQ(info.FileRelease, 0u) << file;
        EXPECT_EQ(info.FileBuild, 0u) << file;
        EXPECT_EQ(StringEntry(file, "ProductVersion"), "1.0") << file;
        EXPECT_EQ(StringEntry(file, "ProductName"), "Kestova") << file;
        EXPECT_EQ(StringEntry(file, "OriginalFilename"), row.originalName) << file;
    }
}

} // namespace
