#include "ReportDocument.h"

#include <cstdio>

std::string UtcIsoText(const TUtcTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", time.Year, time.Month, time.Day,
                  time.Hour, time.Minute, time.Second);
    return text;
}

nlohmann::ordered_json ReportHeader(const TUtcTime& made) {
    nlohmann::ordered_json header = nlohmann::ordered_json::object();
    header["Program"] = kReportProgramName;
    header["Version"] = kReportProgramVersion;
    header["Made"] = UtcIsoText(made);
    header["SchemaVersion"] = kReportSchemaVersion;
    return header;
}

bool IsKestovaReport(const nlohmann::ordered_json& report) {
    if (!report.is_object())
        return false;
    const auto header = report.find("Kestova");
    if (header == report.end() || !header->is_object())
        return false;
    const auto program = header->find("Program");
    const auto schema = header->find("SchemaVersion");
    return program != header->end() && *program == kReportProgramName && schema != header->end() &&
           schema->is_number_integer();
}

void OmitProperties(nlohmann::ordered_json& json, const std::set<std::string>& names) {
    if (json.is_array()) {
        for (nlohmann::ordered_json& entry : json)
            OmitProperties(entry, names);
        return;
    }
    if (!json.is_object())
        return;
    for (const std::string& name : names)
        json.erase(name);
    for (auto& [name, value] : json.items())
        OmitProperties(value, names);
}
