// The locale items that are enumerations or a negative currency pattern.
#include "sysinfo/Dask_OS_LocaleInfo_Rules.h"

#include "base/Exception.h"

#include <gtest/gtest.h>

namespace {

TEST(LocaleRules, NegativeCurrencyPatternBySymbolAndFirstDigit) {
    const std::string euro = "\x80"; // the euro sign in code page 1252
    static const struct {
        const char* item;
        const char* symbol;
        std::string expected;
    } cases[] = {
        {"0", "$", "($1.1)"},
        {"1", "$", "-$1.1"},
        {"2", "kr", "kr-1.1"},
        {"3", "$", "$1.1-"},
        {"4", "$", "(1.1$)"},
        {"5", "zl", "-1.1zl"},
        {"6", "$", "1.1-$"},
        {"7", "$", "1.1$-"},
        {"8", "\x80", "-1.1 " + euro},
        {"9", "$", "-$ 1.1"},
        {"10", "$", "-$1.1"}, // two digits count by
                              // their first
        {"15", "Fr.", "-Fr.1.1"},
        {"0", "", "(1.1)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NegativeCurrencyPattern(c.item, c.symbol), c.expected) << c.item << " " << c.symbol;
}

TEST(LocaleRules, AnItemThatIsNoDigitRaisesAConversionError) {
    EXPECT_EQ(FirstDigitOf("2"), 2);
    EXPECT_EQ(FirstDigitOf("13"), 1);
    try {
        FirstDigitOf("x1");
        FAIL() << "no error";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "'x' is not a valid integer value");
    }
    EXPECT_THROW(FirstDigitOf(""), Exception);
    EXPECT_THROW(NegativeCurrencyPattern(" 1", "$"), Exception);
}

TEST(LocaleRules, EnumerationNamesByOrdinal) {
    EXPECT_EQ(DateOrderName(static_cast<TDateOrder>(1)), "DMY");
    EXPECT_EQ(PositiveCurrencyModeName(static_cast<TPositiveCurrencyMode>(3)), "Suffix_One_Char_Separation");
    EXPECT_EQ(DateOrderName(static_cast<TDateOrder>(7)), ""); // a digit the enumeration lacks
}

} // namespace
