// The published properties of the locale sub-component.
#include "Dask_OS_LocaleInfo.h"

namespace {

using L = TVexor_LocaleInfo;
using PL = TPublish<L>;
constexpr TProperty kLocaleInfo[] = {
    PL::Integer<&L::LocaleID>("LocaleID"),
    PL::Text<&L::FullLocalizeLanguage>("FullLocalizeLanguage"),
    PL::Text<&L::FullLanguageEnglishName>("FullLanguageEnglishName"),
    PL::Text<&L::AbbreviateLanguageName>("AbbreviateLanguageName"),
    PL::Text<&L::CountryCode>("CountryCode"),
    PL::Text<&L::FullCountryCode>("FullCountryCode"),
    PL::Text<&L::AbbreviateCountryCode>("AbbreviateCountryCode"),
    PL::Text<&L::ListSeparator>("ListSeparator"),
    PL::Enumeration<[](const L& l) { return MeasureSystemName(l.MeasurementSystem()); }>("MeasurementSystem"),
    PL::Text<&L::DecimalSeparator>("DecimalSeparator"),
    PL::Text<&L::NumberOfDecimalDigits>("NumberOfDecimalDigits"),
    PL::Text<&L::LocalMonetarySymbol>("LocalMonetarySymbol"),
    PL::Text<&L::InternationalMonetarySymbol>("InternationalMonetarySymbol"),
    PL::Text<&L::CurrencyDecimalSeparator>("CurrencyDecimalSeparator"),
    PL::Text<&L::CurrencyThousandSeparator>("CurrencyThousandSeparator"),
    PL::Text<&L::CurrencyDecimalDigits>("CurrencyDecimalDigits"),
    PL::Enumeration<[](const L& l) { return PositiveCurrencyModeName(l.PositiveCurrencyMode()); }>(
        "PositiveCurrencyMode"),
    PL::Text<&L::NegativeCurrencyMode>("NegativeCurrencyMode"),
    PL::Text<&L::DateSeparator>("DateSeparator"),
    PL::Text<&L::TimeSeparator>("TimeSeparator"),
    PL::Text<&L::TimeFormat>("TimeFormat"),
    PL::Text<&L::ShortDateFormat>("ShortDateFormat"),
    PL::Text<&L::LongDateFormat>("LongDateFormat"),
    PL::Enumeration<[](const L& l) { return DateOrderName(l.ShortDateOrder()); }>("ShortDateOrder"),
    PL::Enumeration<[](const L& l) { return DateOrderName(l.LongDateOrder()); }>("LongDateOrder"),
    PL::Enumeration<[](const L& l) { return TimeFormatName(l.TimeFormatSpecifier()); }>(
        "TimeFormatSpecifier"),
    PL::Enumeration<[](const L& l) { return YearFormatName(l.YearFormat()); }>("YearFormat"),
    PL::Text<&L::DecimalThousandSeparator>("DecimalThousandSeparator"),
};

} // namespace

const TPropertyTable TVexor_LocaleInfo::Properties =
    PL::Table<TVexor_Nolt_Component>(kLocaleInfo, TVexor_Nolt_Component::Properties);
