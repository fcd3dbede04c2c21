// Registry values of every type read as text, against values the test writes.
#include "sysinfo/win/Vexor_Routines.h"

#include "base/Exception.h"
#include "tests/fixtures/Fixtures.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <string>

namespace {

const char kKey[] = "Software\\Kestova Tests\\Value texts";

class RegValueText : public ::testing::Test {
protected:
    void Set(const char* name, DWORD type, const std::string& data) const {
        UniqueRegKey key = CreateTestKey(HKEY_CURRENT_USER, kKey);
        ASSERT_EQ(RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
    }
    static std::string Read(const char* name, bool binaryAsText = false) {
        return ReadRegValueAsText(HKEY_CURRENT_USER, std::string("\\") + kKey, name, binaryAsText);
    }
    ScopedRegistryTree tree_{HKEY_CURRENT_USER, kKey};
};

TEST_F(RegValueText, EveryTypeRendered) {
    SetEnvironmentVariableA("KESTOVA_VALUE_ROOT", "C:\\Kestova");
    static const struct {
        const char* name;
        DWORD type;
        std::string data;
        const char* text;
        const char* binaryAsText;
    } cases[] = {
        {"sz", REG_SZ, std::string("text\0", 5), "text", "text"},
        {"expand", REG_EXPAND_SZ, std::string("%KESTOVA_VALUE_ROOT%\\bin\0", 25), "C:\\Kestova\\bin",
         "C:\\Kestova\\bin"},
        {"dword", REG_DWORD, std::string("\x2A\0\0\0", 4), "42", "42"},
        {"minus", REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4), "-1", "-1"},
        {"multi", REG_MULTI_SZ, std::string("a\0bc\0def\0\0", 10), "a\r\nbc\r\ndef\r\n",
         "a\r\nbc\r\ndef\r\n"},
        {"emptymulti", REG_MULTI_SZ, std::string("\0", 1), "\r\n", "\r\n"},
        {"binary", REG_BINARY, std::string("\x01\xAB\x00", 3), "01 AB 00", "01AB"},
        {"region", REG_BINARY, std::string("\x02\x00\x00\x00", 4), "02 00 00 00", "02"},
        {"resources", REG_RESOURCE_LIST, std::string("\x01\x00\x10", 3), "01 00 10", "01\r\n10"},
        {"none", REG_NONE, std::string(), "", ""},
    };
    for (const auto& c : cases) {
        Set(c.name, c.type, c.data);
        EXPECT_EQ(Read(c.name), c.text) << c.name;
        EXPECT_EQ(Read(c.name, true), c.binaryAsText) << c.name;
    }
    EXPECT_EQ(Read("missing"), "");
    EXPECT_EQ(ReadRegValueAsText(HKEY_CURRENT_USER, "\\Software\\Kestova Tests\\No such key", "sz", false),
              "");
}

TEST_F(RegValueText, LongDataIsCutAndBigEndianIsRefused) {
    Set("long", REG_BINARY, std::string(2000, '\x5A'));
    const std::string text = Read("long");
    EXPECT_EQ(text.size(), 1025u * 3 - 1); // 1025 bytes, "5A" and a blank each
    EXPECT_EQ(text.substr(0, 6), "5A 5A ");

    std::string multi;
    for (int i = 0; i < 200; ++i)
        multi += "entry" + std::to_string(i) + std::string(1, '\0');
    Set("longmulti", REG_MULTI_SZ, multi + std::string(1, '\0'));
    TStringList lines;
    lines.SetText(Read("longmulti"));
    // The strings within the first 1025 bytes; the one cut there ends there.
    ASSERT_GT(lines.Count(), 100u);
    EXPECT_EQ(lines[0], "entry0");
    EXPECT_EQ(lines[99], "entry99");
    EXPECT_LT(lines.Count(), 200u);

    Set("big", REG_DWORD_BIG_ENDIAN, std::string("\0\0\0\x2A", 4));
    try {
        Read("big");
        FAIL() << "no error raised";
    } catch (const Exception& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'big'");
    }
}

TEST(EnvironmentList, EveryEntryAsStored) {
    SetEnvironmentVariableA("KESTOVA_ENV_TEST", "a=b;c");
    TStringList list{"stale"};
    GetEnvironmentList(list);
    EXPECT_NE(std::find(list.begin(), list.end(), "KESTOVA_ENV_TEST=a=b;c"), list.end());
    char path[4096];
    const DWORD length = GetEnvironmentVariableA("PATH", path, sizeof path);
    if (length > 0 && length < 2000) {
        EXPECT_NE(std::find_if(list.begin(), list.end(),
                               [&](const std::string& line) { return line.substr(5) == path; }),
                  list.end());
    }
    SetEnvironmentVariableA("KESTOVA_ENV_TEST", nullptr);
}

std::string Lower(std::string text) {
    CharLowerA(text.data());
    return text;
}

TEST(SpecialFolder, PathsOfTheShell) {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(Lower(GetSpecialFolder(GetDesktopWindow(), CSIDL_WINDOWS)), Lower(windows));
    EXPECT_EQ(GetSpecialFolder(nullptr, CSIDL_DRIVES), ""); // a virtual folder has no path
    EXPECT_EQ(GetSpecialFolder(nullptr, 0x7F), "");         // no such folder
}

} // namespace
