#include "ReportJson.h"

#include <cmath>
#include <cstdio>

namespace {

// Days since 1 January 1970 to a civil date (proleptic Gregorian).
void CivilFromDays(int64_t days, int64_t& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t shifted = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    month = static_cast<int>(shifted < 10 ? shifted + 3 : shifted - 9);
    year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

constexpr int64_t kDaysFrom1899To1970 = 25569;

nlohmann::ordered_json ValueJson(const TProperty& property, const TPropertyValue& value, TTextToUtf8 toUtf8) {
    if (IsNull(value))
        return nullptr;
    switch (property.Kind) {
    case TPropertyKind::Text:
    case TPropertyKind::Enumeration:
        return toUtf8(std::get<std::string>(value));
    case TPropertyKind::Integer:
        return std::get<int64_t>(value);
    case TPropertyKind::Float:
        return std::get<double>(value);
    case TPropertyKind::Boolean:
        return std::get<bool>(value);
    case TPropertyKind::DateTime:
        return IsoDateTime(std::get<double>(value));
    case TPropertyKind::StringList: {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const std::string& entry : *std::get<const TStringList*>(value))
            list.push_back(toUtf8(entry));
        return list;
    }
    case TPropertyKind::Component:
        return PublishedJson(std::get<TPublishedObject>(value), toUtf8);
    case TPropertyKind::Records: {
        nlohmann::ordered_json list = nlohmann::ordered_json::array();
        for (const TPublishedObject& record : std::get<std::vector<TPublishedObject>>(value))
            list.push_back(PublishedJson(record, toUtf8));
        return list;
    }
    }
    return nullptr;
}

} // namespace

nlohmann::ordered_json PublishedJson(const TPublishedObject& object, TTextToUtf8 toUtf8) {
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    ForEachProperty(object, [&](const TProperty& property, const TPropertyValue& value) {
        json[std::string(property.Name)] = ValueJson(property, value, toUtf8);
    });
    return json;
}

std::string IsoDateTime(double dateTime) {
    const double whole = std::trunc(dateTime);
    int64_t days = static_cast<int64_t>(whole);
    int64_t seconds = std::llround(std::fabs(dateTime - whole) * 86400.0);
    if (seconds >= 86400) { // rounded up to the next midnight
        seconds -= 86400;
        days += 1;
    }
    int64_t year = 0;
    int month = 0, day = 0;
    CivilFromDays(days - kDaysFrom1899To1970, year, month, day);
    char text[48];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d", static_cast<long long>(year), month,
                  day, static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                  static_cast<int>(seconds % 60));
    return text;
}
