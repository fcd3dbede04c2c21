#pragma once
// The locale sub-component of the operating-system component: language and
// country names, number, currency, date and time formats of one locale.
#include "Dask_Common.h"
#include "sysinfo/Dask_OS_LocaleInfo_Rules.h"

#include <cstdint>
#include <string>

class TVexor_LocaleInfo : public TVexor_Nolt_Component {
public:
    explicit TVexor_LocaleInfo(TComponent* owner);
    void Refresh() override;

    static const TPropertyTable Properties;
    TPublishedObject Published() const override { return {this, &Properties}; }

    // The locale described; LOCALE_SYSTEM_DEFAULT after construction. A new
    // value takes effect at the next refresh.
    std::uint32_t LocaleID() const { return localeId_; }
    void SetLocaleID(std::uint32_t value) { localeId_ = value; }

    const std::string& FullLocalizeLanguage() const { return fullLocalizeLanguage_; }
    const std::string& FullLanguageEnglishName() const { return fullLanguageEnglishName_; }
    const std::string& AbbreviateLanguageName() const { return abbreviateLanguageName_; }
    const std::string& CountryCode() const { return countryCode_; }
    const std::string& FullCountryCode() const { return fullCountryCode_; }
    const std::string& AbbreviateCountryCode() const { return abbreviateCountryCode_; }
    const std::string& ListSeparator() const { return listSeparator_; }
    TMeasureSystem MeasurementSystem() const { return measurementSystem_; }
    const std::string& DecimalSeparator() const { return decimalSeparator_; }
    const std::string& NumberOfDecimalDigits() const { return numberOfDecimalDigits_; }
    const std::string& LocalMonetarySymbol() const { return localMonetarySymbol_; }
    const std::string& InternationalMonetarySymbol() const { return internationalMonetarySymbol_; }
    const std::string& CurrencyDecimalSeparator() const { return currencyDecimalSeparator_; }
    const std::string& CurrencyThousandSeparator() const { return currencyThousandSeparator_; }
    const std::string& CurrencyDecimalDigits() const { return currencyDecimalDigits_; }
    TPositiveCurrencyMode PositiveCurrencyMode() const { return positiveCurrencyMode_; }
    const std::string& NegativeCurrencyMode() const { return negativeCurrencyMode_; }
    const std::string& DateSeparator() const { return dateSeparator_; }
    const std::string& TimeSeparator() const { return timeSeparator_; }
    const std::string& TimeFormat() const { return timeFormat_; }
    const std::string& ShortDateFormat() const { return shortDateFormat_; }
    const std::string& LongDateFormat() const { return longDateFormat_; }
    TDateOrder ShortDateOrder() const { return shortDateOrder_; }
    TDateOrder LongDateOrder() const { return longDateOrder_; }
    TTimeFormat TimeFormatSpecifier() const { return timeFormatSpecifier_; }
    TYearFormat YearFormat() const { return yearFormat_; }
    const std::string& DecimalThousandSeparator() const { return decimalThousandSeparator_; }

private:
    std::uint32_t localeId_ = 0x0400; // LOCALE_SYSTEM_DEFAULT
    std::string fullLocalizeLanguage_;
    std::string fullLanguageEnglishName_;
    std::string abbreviateLanguageName_;
    std::string countryCode_;
    std::string fullCountryCode_;
    std::string abbreviateCountryCode_;
    std::string listSeparator_;
    TMeasureSystem measurementSystem_ = Metric;
    std::string decimalSeparator_;
    std::string numberOfDecimalDigits_;
    std::string localMonetarySymbol_;
    std::string internationalMonetarySymbol_;
    std::string currencyDecimalSeparator_;
    std::string currencyThousandSeparator_;
    std::string currencyDecimalDigits_;
    TPositiveCurrencyMode positiveCurrencyMode_ = Prefix_No_Separation;
    std::string negativeCurrencyMode_;
    std::string dateSeparator_;
    std::string timeSeparator_;
    std::string timeFormat_;
    std::string shortDateFormat_;
    std::string longDateFormat_;
    TDateOrder shortDateOrder_ = MDY;
    TDateOrder longDateOrder_ = MDY;
    TTimeFormat timeFormatSpecifier_ = H12;
    TYearFormat yearFormat_ = TwoDigit;
    std::string decimalThousandSeparator_;
};
