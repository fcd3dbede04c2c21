#pragma once
// One table of many machines: chosen fields of JSON reports, one CSV row per
// report (RFC 4180: fields quoted where they hold a comma, a quote or a line
// break, quotes doubled, lines ended by CR LF).
#include <nlohmann/json.hpp>

#include <string>
#include <string_view>
#include <vector>

// The field paths of a --table argument: "Machine1.MachineName,OS1.OSName".
// Raises TUsageError for an empty list or an empty path.
std::vector<std::string> TableFields(std::string_view argument);

// One CSV field, quoted when it must be.
std::string CsvField(std::string_view text);

// The header row: the field paths themselves.
std::string TableHeader(const std::vector<std::string>& fields);

// The report's row: each field's value at its path (names joined by dots; a
// list entry by its index, "Machine1.SMBIOS.StructTables.0.Name"). A text is
// written as it stands, a number or a flag as JSON writes it, a list or an
// object as compact JSON; a missing field or null gives an empty cell.
std::string TableRow(const nlohmann::ordered_json& report, const std::vector<std::string>& fields);
