#include "Dask_OS_NT_Rules.h"

#include <cmath>
#include <cstdio>

const char* NtProductTypeName(TNtProductType type) {
    static const char* const names[] = {"ptUnknown",        "ptWorkStation", "ptServer",
                                        "ptAdvancedServer", "ptDataCenter",  "ptWeb"};
    return type <= ptWeb ? names[type] : "";
}

const char* NTSuiteName(TNTSuite suite) {
    static const char* const names[] = {"suSmallBusiness",  "suEnterprise", "suBackOffice",
                                        "suCommunications", "suTerminal",   "suSmallBusinessRestricted",
                                        "suEmbeddedNT",     "suDataCenter", "suSingleUserTS",
                                        "suPersonal",       "suBlade",      "suEmbeddedRestricted"};
    return suite <= suEmbeddedRestricted ? names[suite] : "";
}

void ApplyVersionRecord(uint8_t productTypeByte, uint16_t suiteMask, TNtProductType& type,
                        TNTSuites& suites) {
    if (productTypeByte == 1)
        type = ptWorkStation;
    else if (productTypeByte == 2 || productTypeByte == 3)
        type = ptServer;
    suites = 0;
    for (int bit = suSmallBusiness; bit <= suEmbeddedRestricted; ++bit) {
        if (!(suiteMask & (1u << bit)))
            continue;
        suites = static_cast<TNTSuites>(suites | (1u << bit));
        if (bit == suEnterprise)
            type = ptAdvancedServer;
        else if (bit == suDataCenter)
            type = ptDataCenter;
        else if (bit == suBlade)
            type = ptWeb;
    }
}

TNtProductType ProductTypeOfOptions(std::string_view text) {
    if (text == "WinNT")
        return ptWorkStation;
    if (text == "ServerNT")
        return ptServer;
    if (text == "LanmanNT")
        return ptAdvancedServer;
    return ptUnknown;
}

namespace {

int DigitValue(char c, int base) {
    int value = 99;
    if (c >= '0' && c <= '9')
        value = c - '0';
    else if (c >= 'a' && c <= 'f')
        value = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F')
        value = c - 'A' + 10;
    return value < base ? value : -1;
}

// The digits of text as an unsigned number; false when one is not a digit,
// there are none, or the number passes limit.
bool ParseDigits(std::string_view text, int base, uint64_t limit, uint64_t& number) {
    if (text.empty())
        return false;
    number = 0;
    for (char c : text) {
        const int digit = DigitValue(c, base);
        if (digit < 0)
            return false;
        number = number * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
        if (number > limit)
            return false;
    }
    return true;
}

} // namespace

int32_t TextToIntDef(std::string_view text, int32_t fallback) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (!text.empty() && text.front() == '$') {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint64_t number = 0;
    if (!ParseDigits(text, base, negative ? 0x80000000ull : 0x7FFFFFFFull, number))
        return fallback;
    return negative ? static_cast<int32_t>(-static_cast<int64_t>(number)) : static_cast<int32_t>(number);
}

uint64_t InstalledOnFileTime(std::string_view text) {
    auto part = [](std::string_view digits) -> uint64_t {
        uint64_t number = 0;
        return ParseDigits(digits, 16, 0xFFFFFFFFull, number) ? number : 0;
    };
    const std::string_view high = text.substr(0, 8);
    const std::string_view low = text.size() > 8 ? text.substr(8, 8) : std::string_view();
    return part(high) << 32 | part(low);
}

std::string MonthDayYearText(TDateTime dateTime) {
    // Days since 30 December 1899 to a civil date (proleptic Gregorian).
    const int64_t days = static_cast<int64_t>(std::floor(dateTime)) - 25569 + 719468; // from 0000-03-01
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    const int month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04lld", month, day, static_cast<long long>(year));
    return text;
}
