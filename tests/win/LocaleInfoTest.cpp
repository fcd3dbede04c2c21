// The locale sub-component for two locales the test selects, read through its
// published properties. Expected values are those of the locales' published
// regional settings (United States English and German).
#include "sysinfo/win/Dask_OS_LocaleInfo.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>

namespace {

// The published properties as texts: enumerations by their names, numbers
// in decimal.
std::map<std::string, std::string> PublishedTexts(const TVexor_LocaleInfo& locale) {
    std::map<std::string, std::string> texts;
    ForEachProperty(locale.Published(), [&](const TProperty& property, const TPropertyValue& value) {
        if (const auto* text = std::get_if<std::string>(&value))
            texts[std::string(property.Name)] = *text;
        else if (const auto* number = std::get_if<int64_t>(&value))
            texts[std::string(property.Name)] = std::to_string(*number);
    });
    return texts;
}

// The euro sign in this process's ANSI code page.
std::string Euro() {
    char text[8] = {};
    WideCharToMultiByte(CP_ACP, 0, L"\u20AC", 1, text, sizeof text, nullptr, nullptr);
    return text;
}

TEST(LocaleInfo, DescribesTheSystemLocaleUntilAnotherIsSelected) {
    TVexor_LocaleInfo locale(nullptr);
    EXPECT_EQ(locale.LocaleID(), 0x0400u);
    EXPECT_FALSE(locale.DataPresent());
    locale.Refresh();
    EXPECT_TRUE(locale.DataPresent());
    EXPECT_FALSE(locale.FullLanguageEnglishName().empty());
    EXPECT_FALSE(locale.ShortDateFormat().empty());
}

TEST(LocaleInfo, EveryValueOfTwoLocalesSwitchedByTheTest) {
    const std::map<std::string, std::string> english = {
        {"LocaleID", "1033"},
        {"FullLocalizeLanguage", "English (United States)"},
        {"FullLanguageEnglishName", "English"},
        {"AbbreviateLanguageName", "ENU"},
        {"CountryCode", "1"},
        {"FullCountryCode", "United States"},
        {"AbbreviateCountryCode", "USA"},
        {"ListSeparator", ","},
        {"MeasurementSystem", "US"},
        {"DecimalSeparator", "."},
        {"NumberOfDecimalDigits", "2"},
        {"LocalMonetarySymbol", "$"},
        {"InternationalMonetarySymbol", "USD"},
        {"CurrencyDecimalSeparator", "."},
        {"CurrencyThousandSeparator", ","},
        {"CurrencyDecimalDigits", "2"},
        {"PositiveCurrencyMode", "Prefix_No_Separation"},
        {"DateSeparator", "/"},
        {"TimeSeparator", ":"},
        {"TimeFormat", "h:mm:ss tt"},
        {"ShortDateFormat", "M/d/yyyy"},
        {"ShortDateOrder", "MDY"},
        {"LongDateOrder", "MDY"},
        {"TimeFormatSpecifier", "H12"},
        {"YearFormat", "FourDigit"},
        {"DecimalThousandSeparator", ","},
    };
    const std::map<std::string, std::string> german = {
        {"LocaleID", "1031"},
        {"FullLanguageEnglishName", "German"},
        {"AbbreviateLanguageName", "DEU"},
        {"CountryCode", "49"},
        {"AbbreviateCountryCode", "DEU"},
        {"ListSeparator", ";"},
        {"MeasurementSystem", "Metric"},
        {"DecimalSeparator", ","},
        {"NumberOfDecimalDigits", "2"},
        {"LocalMonetarySymbol", Euro()},
        {"InternationalMonetarySymbol", "EUR"},
        {"CurrencyDecimalSeparator", ","},
        {"CurrencyThousandSeparator", "."},
        {"CurrencyDecimalDigits", "2"},
        {"PositiveCurrencyMode", "Suffix_One_Char_Separation"},
        {"NegativeCurrencyMode", "-1.1 " + Euro()},
        {"DateSeparator", "."},
        {"TimeSeparator", ":"},
        {"TimeFormat", "HH:mm:ss"},
        {"LongDateFormat", "dddd, d. MMMM yyyy"},
        {"ShortDateOrder", "DMY"},
        {"LongDateOrder", "DMY"},
        {"TimeFormatSpecifier", "H24"},
        {"YearFormat", "FourDigit"},
        {"DecimalThousandSeparator", "."},
    };
    TVexor_LocaleInfo locale(nullptr);
    for (const auto* expected : {&english, &german, &english}) {
        locale.SetLocaleID(static_cast<uint32_t>(std::stoul(expected->at("LocaleID"))));
        locale.Refresh();
        const auto texts = PublishedTexts(locale);
        for (const auto& [name, value] : *expected) {
            ASSERT_TRUE(texts.count(name)) << name;
            EXPECT_EQ(texts.at(name), value) << expected->at("LocaleID") << " " << name;
        }
    }
    // German short dates are "dd.MM.yyyy" on Windows; Wine's locale data
    // gives "d.M.yyyy".
    locale.SetLocaleID(0x0407);
    locale.Refresh();
    EXPECT_TRUE(locale.ShortDateFormat() == "dd.MM.yyyy" || locale.ShortDateFormat() == "d.M.yyyy")
        << locale.ShortDateFormat();
    // United States English writes negative amounts in parentheses (older
    // Windows) or with a leading minus (newer); either way with the dollar.
    locale.SetLocaleID(0x0409);
    locale.Refresh();
    EXPECT_TRUE(locale.NegativeCurrencyMode() == "($1.1)" || locale.NegativeCurrencyMode() == "-$1.1")
        << locale.NegativeCurrencyMode();
}

} // namespace
