#include "ReportRows.h"

#include "base/Text.h"

namespace {

// An engine row shows its value, or its not-installed text when the value is
// empty (a value of blanks is shown as it is).
struct EngineRow {
    const char* caption;
    std::string TReportValues::*value;
    const char* notInstalled;
};

const EngineRow kEngineRows[] = {
    {"ODBC - Microsoft Open Database Conectivity version: ", &TReportValues::ODBC, "ODBC Not Installed"},
    {"ADO - Microsoft Advanced Data Objects version: ", &TReportValues::ADO, "ADO Not Installed"},
    {".NET - Microsoft .NET Framework version: ", &TReportValues::NET, ".NET Not Installed"},
    {"DAO - Microsoft Data Access Object version: ", &TReportValues::DAO, "DAO Not Installed"},
    {"MSI - Microsoft Windows Installer version: ", &TReportValues::MSI, "MSI Not Installed"},
    {"OpenGL - SGI Open Graphic Language version: ", &TReportValues::OpenGL, "OpenGL Not Installed"},
    {"IE - Microsoft Internet Explorer version: ", &TReportValues::IE, "IE Not Installed"},
    {"QT - Apple QuickTime version: ", &TReportValues::QT, "QT Not Installed"},
    {"BDE - Borland Database Engine version: ", &TReportValues::BDE, "BDE Not Installed"},
    {"ASPI32 - Advanced SCSI Programming Interface: ", &TReportValues::ASPI, "ASPI Not Installed"},
    {"DirectX - Microsoft DirectX Version: ", &TReportValues::DirectXVersion, "DirectX Not Installed"},
};

struct DirectXSection {
    const char* caption;
    TStringList TReportValues::*list;
    const char* label;
};

// Shown in this order, whatever order the DirectX component keeps its lists in.
const DirectXSection kDirectXSections[] = {
    {"Microsoft DirectX Direct 3D: ", &TReportValues::Direct3D, "Direct3D:"},
    {"Microsoft DirectX Direct Music: ", &TReportValues::DirectMusic, "Direct Music:"},
    {"Microsoft DirectX Direct Play: ", &TReportValues::DirectPlay, "Direct Play:"},
};

void AppendValueRow(std::vector<TReportRow>& rows, const char* caption, std::string_view value) {
    TReportRow& row = rows.emplace_back();
    row.Caption = caption;
    row.SetValue(value);
}

} // namespace

std::string DataSourceText(std::string_view source) {
    return "Data Source: " + std::string(source);
}

std::vector<std::string_view> DirectXSectionCaptions() {
    std::vector<std::string_view> captions;
    for (const DirectXSection& section : kDirectXSections)
        captions.emplace_back(section.caption);
    return captions;
}

void AppendReport(std::vector<TReportRow>& rows, const TReportValues& values) {
    AppendValueRow(rows, "Engines Report for Machine: ", values.MachineName);
    AppendValueRow(rows, "OS - Microsoft Operating System version: ", values.OSName + " " + values.OSEdition);
    AppendValueRow(rows, "OS - Microsoft Operating System Full Build: ", values.BuildLab);
    for (const EngineRow& engine : kEngineRows) {
        const std::string& value = values.*engine.value;
        AppendValueRow(rows, engine.caption, value.empty() ? std::string_view(engine.notInstalled) : value);
    }
    for (const DirectXSection& section : kDirectXSections) {
        const size_t header = rows.size();
        rows.emplace_back().Caption = section.caption;
        for (const std::string& entry : values.*section.list) {
            // The header keeps one hidden copy of its label per entry.
            rows[header].AddSubItem(section.label);
            rows.emplace_back().AddSubItem(entry);
        }
    }
}

int FindRowByCaption(const std::vector<TReportRow>& rows, std::string_view text, int start, bool partial,
                     bool wrap) {
    const int count = static_cast<int>(rows.size());
    if (count == 0)
        return -1;
    start = start < 0 || start >= count ? 0 : start;
    const int tries = wrap ? count : count - start;
    for (int step = 0; step < tries; ++step) {
        const int index = (start + step) % count;
        const std::string& caption = rows[size_t(index)].Caption;
        if (partial ? StartsWithText(caption, text) : SameText(caption, text))
            return index;
    }
    return -1;
}
