#pragma once
// The envelope of a JSON report: the "Kestova" object that says which
// program made it, when, and after which version of the report's schema, so
// that reports gathered from many machines can be told apart and collected.
#include "kestova/Version.h"

#include <nlohmann/json.hpp>

#include <set>
#include <string>

// Raised with each change of the JSON's shape that a collector must know of
// (cli/kestova-report.schema.json states the same number).
constexpr int kReportSchemaVersion = 1;

constexpr const char* kReportProgramName = "kestova-report";
constexpr const char* kReportProgramVersion = KESTOVA_VERSION_TEXT;

// A moment in UTC, as the system clock gives it.
struct TUtcTime {
    int Year, Month, Day, Hour, Minute, Second;
};

// "2026-12-11T09:05:03Z".
std::string UtcIsoText(const TUtcTime& time);

// The "Kestova" object of a report made at made.
nlohmann::ordered_json ReportHeader(const TUtcTime& made);

// True for a report of this program: an object whose "Kestova" object names
// kestova-report and a whole schema version.
bool IsKestovaReport(const nlohmann::ordered_json& report);

// Removes every object member whose name is one of names, at any depth
// (inside nested objects and the objects of lists).
void OmitProperties(nlohmann::ordered_json& json, const std::set<std::string>& names);
