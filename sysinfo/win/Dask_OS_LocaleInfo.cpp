#include "Dask_OS_LocaleInfo.h"

#include <optional>

namespace {

// One locale item of the locale; nothing when Windows does not give it (an
// unknown locale, an item it lacks).
std::optional<std::string> LocaleItem(LCID locale, LCTYPE item) {
    char buffer[255];
    const int length = GetLocaleInfoA(locale, item, buffer, sizeof buffer);
    if (length <= 0)
        return std::nullopt;
    return std::string(buffer, strnlen(buffer, static_cast<size_t>(length)));
}

} // namespace

TVexor_LocaleInfo::TVexor_LocaleInfo(TComponent* owner) : TVexor_Nolt_Component(owner) {}

// Every item in a fixed order, each stored as soon as it is read: an item
// whose first character should be a digit and is not raises, and the later
// items then keep their previous values. An item Windows does not give reads
// as empty text; an enumeration keeps its value then.
void TVexor_LocaleInfo::Refresh() {
    TVexor_Nolt_Component::Refresh();

    using Store = void (*)(TVexor_LocaleInfo&, const std::string&);
    struct Item {
        LCTYPE type;
        Store store;
        bool enumeration;
    };
    static const Item kItems[] = {
        {LOCALE_SLANGUAGE, [](TVexor_LocaleInfo& l, const std::string& t) { l.fullLocalizeLanguage_ = t; },
         false},
        {LOCALE_SENGLANGUAGE,
         [](TVexor_LocaleInfo& l, const std::string& t) { l.fullLanguageEnglishName_ = t; }, false},
        {LOCALE_SABBREVLANGNAME,
         [](TVexor_LocaleInfo& l, const std::string& t) { l.abbreviateLanguageName_ = t; }, false},
        {LOCALE_ICOUNTRY, [](TVexor_LocaleInfo& l, const std::string& t) { l.countryCode_ = t; }, false},
        {LOCALE_SCOUNTRY, [](TVexor_LocaleInfo& l, const std::string& t) { l.fullCountryCode_ = t; }, false},
        {LOCALE_SABBREVCTRYNAME,
         [](TVexor_LocaleInfo& l, const std::string& t) { l.abbreviateCountryCode_ = t; }, false},
        {LOCALE_SLIST, [](TVexor_LocaleInfo& l, const std::string& t) { l.listSeparator_ = t; }, false},
        {LOCALE_IMEASURE,
         [](TVexor_LocaleInfo& l, const std::string& t) {
             l.measurementSystem_ = static_cast<TMeasureSystem>(FirstDigitOf(t));
         },
         true},
        {LOCALE_SDECIMAL, [](TVexor_LocaleInfo& l, const std::string& t) { l.decimalSeparator_ = t; }, false},
        {LOCALE_IDIGITS, [](TVexor_LocaleInfo& l, const std::string& t) { l.numberOfDecimalDigits_ = t; },
         false},
        {LOCALE_SCURRENCY, [](TVexor_LocaleInfo& l, const std::string& t) { l.localMonetarySymbol_ = t; },
         false},
        {LOCALE_SINTLSYMBOL,
         [](TVexor_LocaleInfo& l, const std::string& t) { l.internationalMonetarySymbol_ = t; }, false},
        {LOCALE_SMONDECIMALSEP,
         [](TVexor_LocaleInfo& l, const std::string& t) { l.currencyDecimalSeparator_ = t; }, false},
        {LOCALE_SMONTHOUSANDSEP,
         [](TVexor_LocaleInfo& l, const std::string& t) { l.currencyThousandSeparator_ = t; }, false},
        {LOCALE_ICURRDIGITS, [](TVexor_LocaleInfo& l, const std::string& t) { l.currencyDecimalDigits_ = t; },
         false},
        {LOCALE_ICURRENCY,
         [](TVexor_LocaleInfo& l, const std::string& t) {
             l.positiveCurrencyMode_ = static_cast<TPositiveCurrencyMode>(FirstDigitOf(t));
         },
         true},
        // Needs the currency symbol, read before it.
        {LOCALE_INEGCURR,
         [](TVexor_LocaleInfo& l, const std::string& t) {
             l.negativeCurrencyMode_ =
                 t.empty() ? std::string() : NegativeCurrencyPattern(t, l.localMonetarySymbol_);
         },
         false},
        {LOCALE_SDATE, [](TVexor_LocaleInfo& l, const std::string& t) { l.dateSeparator_ = t; }, false},
        {LOCALE_STIME, [](TVexor_LocaleInfo& l, const std::string& t) { l.timeSeparator_ = t; }, false},
        {LOCALE_STIMEFORMAT, [](TVexor_LocaleInfo& l, const std::string& t) { l.timeFormat_ = t; }, false},
        {LOCALE_SSHORTDATE, [](TVexor_LocaleInfo& l, const std::string& t) { l.shortDateFormat_ = t; },
         false},
        {LOCALE_SLONGDATE, [](TVexor_LocaleInfo& l, const std::string& t) { l.longDateFormat_ = t; }, false},
        {LOCALE_IDATE,
         [](TVexor_LocaleInfo& l, const std::string& t) {
             l.shortDateOrder_ = static_cast<TDateOrder>(FirstDigitOf(t));
         },
         true},
        {LOCALE_ILDATE,
         [](TVexor_LocaleInfo& l, const std::string& t) {
             l.longDateOrder_ = static_cast<TDateOrder>(FirstDigitOf(t));
         },
         true},
        {LOCALE_ITIME,
         [](TVexor_LocaleInfo& l, const std::string& t) {
             l.timeFormatSpecifier_ = static_cast<TTimeFormat>(FirstDigitOf(t));
         },
         true},
        {LOCALE_ICENTURY,
         [](TVexor_LocaleInfo& l, const std::string& t) {
             l.yearFormat_ = static_cast<TYearFormat>(FirstDigitOf(t));
         },
         true},
        {LOCALE_STHOUSAND,
         [](TVexor_LocaleInfo& l, const std::string& t) { l.decimalThousandSeparator_ = t; }, false},
    };
    for (const Item& item : kItems) {
        const std::optional<std::string> text = LocaleItem(localeId_, item.type);
        if (text)
            item.store(*this, *text);
        else if (!item.enumeration)
            item.store(*this, std::string());
    }
    SetDataPresent(true);
}
