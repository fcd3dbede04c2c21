#include "Dask_OS_LocaleInfo_Rules.h"

#include "base/Exception.h"

#include <iterator>

namespace {

template <typename Enum, size_t N> std::string_view NameOf(Enum value, const std::string_view (&names)[N]) {
    return static_cast<size_t>(value) < N ? names[value] : std::string_view();
}

} // namespace

std::string_view MeasureSystemName(TMeasureSystem value) {
    static constexpr std::string_view kNames[] = {"Metric", "US"};
    return NameOf(value, kNames);
}

std::string_view PositiveCurrencyModeName(TPositiveCurrencyMode value) {
    static constexpr std::string_view kNames[] = {"Prefix_No_Separation", "Suffix_No_Separation",
                                                  "Prefix_One_Char_Separation", "Suffix_One_Char_Separation"};
    return NameOf(value, kNames);
}

std::string_view DateOrderName(TDateOrder value) {
    static constexpr std::string_view kNames[] = {"MDY", "DMY", "YMD"};
    return NameOf(value, kNames);
}

std::string_view TimeFormatName(TTimeFormat value) {
    static constexpr std::string_view kNames[] = {"H12", "H24"};
    return NameOf(value, kNames);
}

std::string_view YearFormatName(TYearFormat value) {
    static constexpr std::string_view kNames[] = {"TwoDigit", "FourDigit"};
    return NameOf(value, kNames);
}

int FirstDigitOf(const std::string& itemText) {
    const std::string first = itemText.substr(0, 1);
    if (first.empty() || first[0] < '0' || first[0] > '9')
        throw Exception(FormatText("'%s' is not a valid integer value", first.c_str()));
    return first[0] - '0';
}

std::string NegativeCurrencyPattern(const std::string& negativeCurrencyText,
                                    const std::string& currencySymbol) {
    // "$" stands for the currency symbol, "1.1" for the number.
    static const char* const kPatterns[] = {"($1.1)", "-$1.1", "$-1.1", "$1.1-",  "(1.1$)",
                                            "-1.1$",  "1.1-$", "1.1$-", "-1.1 $", "-$ 1.1"};
    std::string pattern = kPatterns[FirstDigitOf(negativeCurrencyText)];
    pattern.replace(pattern.find('$'), 1, currencySymbol);
    return pattern;
}
