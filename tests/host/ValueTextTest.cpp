// Registry data, environment blocks and install dates rendered as text.
#include "sysinfo/Vexor_Routines_ValueText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

const unsigned char* Bytes(const std::string& data) {
    return reinterpret_cast<const unsigned char*>(data.data());
}

TEST(ValueText, MultiStringsOneLineEach) {
    static const struct {
        std::string data;
        Lines lines;
        const char* text;
    } cases[] = {
        {std::string("a\0bc\0def\0\0", 10), {"a", "bc", "def"}, "a\r\nbc\r\ndef\r\n"},
        {std::string("\0", 1), {""}, "\r\n"}, // an empty multi-string
        {std::string("", 0), {""}, "\r\n"},
        // The first empty string ends the list: what follows is not read.
        {std::string("a\0\0hidden\0\0", 11), {"a"}, "a\r\n"},
        // Cut by the end of the data: the string ends there.
        {std::string("ab\0cd", 5), {"ab", "cd"}, "ab\r\ncd\r\n"},
    };
    for (const auto& c : cases) {
        TStringList list{"stale"};
        SplitMultiString(c.data.data(), c.data.size(), list);
        EXPECT_EQ(list.Items(), c.lines);
        EXPECT_EQ(MultiStringText(c.data.data(), c.data.size()), c.text);
    }
}

TEST(ValueText, HexBytesAndBinaryAsText) {
    static const struct {
        std::string data;
        const char* hex;
        const char* binary;
    } cases[] = {
        {std::string("\x01\xAB\x00", 3), "01 AB 00", "01AB"},
        {std::string("\x02\x00\x00\x00", 4), "02 00 00 00", "02"}, // a DVD region
        {std::string("\x01\x00\x00\x02", 4), "01 00 00 02", "01\r\n02"},
        {std::string("\x0F\x10", 2), "0F 10", "0F10"},
        {std::string("\x00", 1), "00", ""},
        {std::string(), "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexBytesText(Bytes(c.data), c.data.size()), c.hex);
        EXPECT_EQ(BinaryAsText(Bytes(c.data), c.data.size()), c.binary) << c.hex;
    }
}

TEST(ValueText, EnvironmentBlockUpToTheLimit) {
    const std::string block("=C:=C:\\\0PATH=C:\\x\0A=1\0\0", 24);
    TStringList list{"stale"};
    EnvironmentBlockLines(block.data(), list);
    EXPECT_EQ(list.Items(), Lines({"=C:=C:\\", "PATH=C:\\x", "A=1"}));

    // An entry still open at the limit is dropped; one ending exactly at it
    // is kept.
    EnvironmentBlockLines(block.data(), list, 20);
    EXPECT_EQ(list.Items(), Lines({"=C:=C:\\", "PATH=C:\\x"}));
    EnvironmentBlockLines(block.data(), list, 18);
    EXPECT_EQ(list.Items(), Lines({"=C:=C:\\", "PATH=C:\\x"}));
    EnvironmentBlockLines(block.data(), list, 17);
    EXPECT_EQ(list.Items(), Lines({"=C:=C:\\"}));

    // A block longer than 4096 bytes ends with the last entry complete in them.
    std::string large;
    for (int i = 0; i < 500; ++i)
        large += "VAR" + std::to_string(i) + "=value" + std::string(1, '\0');
    large += '\0';
    EnvironmentBlockLines(large.data(), list);
    size_t used = 0;
    for (const std::string& line : list)
        used += line.size() + 1;
    const std::string next = "VAR" + std::to_string(list.Count()) + "=value";
    EXPECT_LE(used, kEnvironmentBlockLimit);
    EXPECT_GT(used + next.size() + 1, kEnvironmentBlockLimit);
    EXPECT_EQ(list[list.Count() - 1], "VAR" + std::to_string(list.Count() - 1) + "=value");
}

TEST(ValueText, InstallNumbersAndDates) {
    // Four binary bytes are taken little-endian; fewer leave the high bytes 0.
    EXPECT_EQ(LittleEndianNumber(Bytes(std::string("\x60\x5A\x21\x2E", 4)), 4), 0x2E215A60u);
    EXPECT_EQ(LittleEndianNumber(Bytes(std::string("\x60\x5A\x21\x2E\xFF", 5)), 5), 0x2E215A60u);
    EXPECT_EQ(LittleEndianNumber(Bytes(std::string("\x34\x12", 2)), 2), 0x1234u);
    EXPECT_EQ(LittleEndianNumber(nullptr, 0), 0u);

    EXPECT_DOUBLE_EQ(UnixSecondsToDateTime(0), 25569.0); // 1 January 1970 00:00
    // 2001-09-09 01:46:40 UTC, and a count past 2^31: 2038-01-19 03:14:08.
    EXPECT_DOUBLE_EQ(UnixSecondsToDateTime(1000000000u), 37143.0 + (1 * 3600 + 46 * 60 + 40) / 86400.0);
    EXPECT_DOUBLE_EQ(UnixSecondsToDateTime(0x80000000u), 50424.0 + (3 * 3600 + 14 * 60 + 8) / 86400.0);
}

TEST(ValueText, ProfileIsTheDesktopsFolder) {
    EXPECT_EQ(ProfileFromDesktop("C:\\WINDOWS\\Profiles\\Ann\\Desktop"), "C:\\WINDOWS\\Profiles\\Ann");
    EXPECT_EQ(ProfileFromDesktop("Desktop"), "Desktop");
    EXPECT_EQ(ProfileFromDesktop(""), "");
    const std::string deep = "C:\\" + std::string(300, 'a');
    EXPECT_EQ(ProfileFromDesktop(deep + "\\Desktop"), deep.substr(deep.size() - 255));
}

} // namespace
