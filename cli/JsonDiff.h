#pragma once
// Comparing two JSON reports property by property: a property is named by
// its path ("Eg1.DirectX.Version"); a list is compared as a list, entry by
// entry in order, so one driver added to a list of five is one added entry.
// The envelope ("Kestova": who made the report and when) and the timings
// differ on every run and are not compared.
#include "ReportDiff.h"

#include <nlohmann/json.hpp>

#include <vector>

// The differences, the old report's order first, properties only the new
// report has after the others of their object. Values are compact JSON
// ("\"3.520\"", "12", "null"). Equal reports give none.
std::vector<TReportDifference> DiffJsonReports(const nlohmann::ordered_json& oldReport,
                                               const nlohmann::ordered_json& newReport);
