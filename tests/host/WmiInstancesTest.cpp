// Looking a value up in WMI instances, and the general format of WMI's
// floating-point values.
#include "sysinfo/Vexor_WMI_Instances.h"

#include <gtest/gtest.h>

namespace {

TEST(WmiGetValue, NamedPropertyWordAndTrim) {
    const TInstances instances = {
        {{"Caption", " Microsoft Windows XP \t"}, {"Words", "|x||y|"}, {"Caption", "second"}},
        {{"Plain", "a|bc"}},
    };
    const struct {
        const char* name;
        int index, word;
        const char* text;
    } rows[] = {
        {"caption", 0, 0, "Microsoft Windows XP"}, // case ignored, first match, trimmed
        {"Words", 0, 0, "x"},
        {"Words", 0, 1, "y"},
        {"Words", 0, 2, ""}, // empty runs are no words
        {"Plain", 1, 0, "a"},
        {"Plain", 1, 1, "bc"},
        {"Missing", 0, 0, ""},
        {"Caption", 2, 0, ""},
        {"Caption", -1, 0, ""}, // no such instance
    };
    for (const auto& row : rows)
        EXPECT_EQ(WmiGetValue(instances, row.name, row.index, row.word), row.text)
            << row.name << " " << row.index << " " << row.word;
    EXPECT_EQ(WmiGetValue({}, "Caption", 0, 0), "");
}

TEST(WmiFloatText, GeneralFormatFifteenDigits) {
    const struct {
        double value;
        char separator;
        const char* text;
    } rows[] = {
        {2.5, '.', "2.5"},
        {2.5, ',', "2,5"},
        {-0.125, '.', "-0.125"},
        {100, '.', "100"},
        {0, '.', "0"},
        {1.0 / 3, '.', "0.333333333333333"},
        {123456789012345.0, '.', "123456789012345"},
        {1234567890123456.0, '.', "1.23456789012346E15"},
        {1e20, '.', "1E20"},
        {0.00001, '.', "0.00001"},
        {0.000001, '.', "1E-6"},
        {-1.5e-7, ',', "-1,5E-7"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(GeneralFloatText(row.value, row.separator), row.text) << row.text;
}

} // namespace
