#pragma once
// The enumerations of the locale sub-component and the rules that turn
// locale item texts into them.
#include <cstdint>
#include <string>
#include <string_view>

enum TMeasureSystem : std::uint8_t { Metric, US };
enum TPositiveCurrencyMode : std::uint8_t {
    Prefix_No_Separation,
    Suffix_No_Separation,
    Prefix_One_Char_Separation,
    Suffix_One_Char_Separation
};
enum TDateOrder : std::uint8_t { MDY, DMY, YMD };
enum TTimeFormat : std::uint8_t { H12, H24 };
enum TYearFormat : std::uint8_t { TwoDigit, FourDigit };

// The names of the members, for the published properties; "" for an
// ordinal the enumeration does not have.
std::string_view MeasureSystemName(TMeasureSystem value);
std::string_view PositiveCurrencyModeName(TPositiveCurrencyMode value);
std::string_view DateOrderName(TDateOrder value);
std::string_view TimeFormatName(TTimeFormat value);
std::string_view YearFormatName(TYearFormat value);

// The value of a locale item's first character as a digit; raises
// "'%s' is not a valid integer value" when it is none.
int FirstDigitOf(const std::string& itemText);

// The negative currency pattern selected by the first digit of a
// LOCALE_INEGCURR text, its first "$" replaced by the currency symbol.
std::string NegativeCurrencyPattern(const std::string& negativeCurrencyText,
                                    const std::string& currencySymbol);
