#pragma once
// The JSON of published properties: one object per published object, its
// properties in table order under their own names, sub-components nested.
#include "base/PropertyTable.h"

#include <nlohmann/json.hpp>

#include <string>
#include <string_view>

// Converts a text of the system code page to UTF-8.
using TTextToUtf8 = std::string (*)(std::string_view text);

nlohmann::ordered_json PublishedJson(const TPublishedObject& object, TTextToUtf8 toUtf8);

// A TDateTime as local ISO 8601 text, to the second: 2026-12-09T17:23:40.
// Before 30 December 1899 the whole days count back and the fraction is
// still the time of that day (-1.25 is 29 December 1899, 06:00).
std::string IsoDateTime(double dateTime);
