#include "ReportProgram.h"

#include "AnsiToUtf8.h"
#include "InputChecks.h"
#include "JsonDiff.h"
#include "ReportDiff.h"
#include "ReportDocument.h"
#include "ReportJson.h"
#include "ReportOptions.h"
#include "ReportTable.h"
#include "base/Exception.h"
#include "report/ReportComponents.h"
#include "report/ReportFile.h"
#include "report/ReportFileIo.h"
#include "report/ReportValues.h"
#include "report/SystemMessage.h"
#include "base/win/Handles.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Dask_OS.h"
#include "kestova/Version.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <type_traits>
#include <typeinfo>

namespace {

constexpr const char* kVersionText =
    "kestova-report " KESTOVA_VERSION_TEXT " (Kestova " KESTOVA_VERSION_TEXT ")\r\n";

// Exit status of a report that lacks a part: a component that failed, a
// --table report that could not be read.
constexpr int kPartial = 3;

// Milliseconds between two performance-counter readings.
class TStopwatch {
public:
    TStopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double Lap() {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double elapsed = 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) /
                               static_cast<double>(frequency_.QuadPart);
        start_ = now;
        return elapsed;
    }

private:
    LARGE_INTEGER frequency_, start_;
};

// One line, whatever line breaks a system message carries.
std::string ErrorLine(std::string message) {
    for (char& c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    return "kestova-report: " + message + "\r\n";
}

// A component's name; a temporary one that has none is named by its class.
std::string NameOf(const TComponent& component) {
    if (!component.Name().empty())
        return component.Name();
    std::string name = typeid(component).name(); // "14TVexor_Devices" under GCC
    name.erase(0, name.find_first_not_of("0123456789"));
    return name;
}

// The component's place in the ownership tree: "Eg1.DirectX".
std::string PathOf(const TComponent& component) {
    std::string path = NameOf(component);
    for (const TComponent* owner = component.Owner(); owner && !owner->Name().empty(); owner = owner->Owner())
        path = owner->Name() + "." + path;
    return path;
}

// Timings in the order the steps ended: start-up steps, then each refresh
// (a sub-component's before its owner's).
using TTimings = std::vector<std::pair<std::string, double>>;

// The whole file; a file that cannot be opened or read raises the error Load
// gives for it.
std::string ReadFileBytes(const std::string& fileName) {
    UniqueHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw Exception(FormatText("Cannot open file \"%s\". %s", fileName.c_str(),
                                   SystemErrorMessage(GetLastError()).c_str()));
    std::string bytes;
    char chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr))
            throw Exception(FormatText("Cannot read file \"%s\". %s", fileName.c_str(),
                                       SystemErrorMessage(GetLastError()).c_str()));
        if (read == 0)
            return bytes;
        bytes.append(chunk, read);
    }
}

// A file the check refuses raises its one line.
std::string ReadChecked(const std::string& fileName,
                        std::string (*refusal)(const std::string&, std::string_view)) {
    std::string bytes = ReadFileBytes(fileName);
    if (const std::string why = refusal(fileName, bytes); !why.empty())
        throw Exception(why);
    return bytes;
}

// A component whose refresh raised: its name, the error's message and, for a
// registry error, where it arose.
struct TComponentError {
    std::string Component;
    std::string Message;
    std::optional<TErrorPlace> Place;
};

// The report's components, owned by a root of their own, refreshed each on
// its own: one that raises is left out of the report and its error kept, and
// the others are still gathered.
struct TGathered {
    std::unique_ptr<TComponent> Root = std::make_unique<TComponent>(nullptr);
    TReportComponents Components;
    std::vector<TComponentError> Errors;
    std::set<const TVexor_Nolt_Component*> Failed;
};

// smbiosFrom: a dump whose table the machine decodes instead of its own.
std::unique_ptr<TGathered> Gather(TTimings* timings, const std::string& smbiosFrom) {
    TStopwatch watch;
    auto gathered = std::make_unique<TGathered>();
    gathered->Components = MakeReportComponents(gathered->Root.get());
    if (!smbiosFrom.empty()) {
        const std::string dump = ReadChecked(smbiosFrom, RefusalOfSmbiosDump);
        if (!gathered->Components.Machine1->SMBIOS()->LoadDump(
                std::vector<std::uint8_t>(dump.begin(), dump.end())))
            throw Exception(FormatText("File \"%s\" holds no SMBIOS table", smbiosFrom.c_str()));
    }
    if (timings) {
        timings->emplace_back("Construction", watch.Lap());
        SetRefreshTimer([timings](const TVexor_Nolt_Component& component, double milliseconds) {
            timings->emplace_back(PathOf(component), milliseconds);
        });
    }
    struct TTimerReset {
        ~TTimerReset() { SetRefreshTimer(nullptr); }
    } timerReset;
    for (TVexor_Nolt_Component* component : gathered->Components.All()) {
        try {
            RefreshTimed(*component);
        } catch (const Exception& error) {
            gathered->Errors.push_back({component->Name(), error.Message(), {}});
            if (error.Place())
                gathered->Errors.back().Place = *error.Place();
            gathered->Failed.insert(component);
        } catch (const std::exception& error) {
            gathered->Errors.push_back({component->Name(), error.what(), {}});
            gathered->Failed.insert(component);
        }
    }
    return gathered;
}

// The text report: a component whose refresh failed shows as one never
// refreshed (empty values), not with the half it had gathered.
std::string TextReport(const TGathered& gathered) {
    TComponent blanks(nullptr);
    auto shown = [&](auto* component) {
        using TClass = std::remove_pointer_t<decltype(component)>;
        if (!gathered.Failed.contains(component))
            return component;
        return static_cast<TClass*>(MakeReportComponentLike(*component, &blanks));
    };
    const TReportComponents& made = gathered.Components;
    std::vector<TReportRow> rows;
    AppendReport(rows, ReportValuesOf(*shown(made.Eg1), *shown(made.OS1), *shown(made.Machine1)));
    return ReportFileText(rows);
}

TUtcTime UtcNow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string JsonReport(const TGathered& gathered, const TTimings* timings,
                       const std::set<std::string>& omit) {
    nlohmann::ordered_json json;
    json["Kestova"] = ReportHeader(UtcNow());
    for (const TVexor_Nolt_Component* component : gathered.Components.All()) {
        nlohmann::ordered_json& data = json[component->Name()];
        if (gathered.Failed.contains(component))
            continue; // null: a failed refresh leaves no data worth collecting
        data = PublishedJson(component->Published(), AnsiToUtf8);
        OmitProperties(data, omit);
    }
    if (!gathered.Errors.empty()) {
        nlohmann::ordered_json& errors = json["Errors"] = nlohmann::ordered_json::array();
        for (const TComponentError& error : gathered.Errors) {
            nlohmann::ordered_json& entry = errors.emplace_back(nlohmann::ordered_json::object());
            entry["Component"] = AnsiToUtf8(error.Component);
            entry["Message"] = AnsiToUtf8(error.Message);
            if (error.Place) {
                entry["RegistryKey"] = AnsiToUtf8(error.Place->RegistryKey);
                entry["ValueName"] = AnsiToUtf8(error.Place->ValueName);
            }
        }
    }
    if (timings) {
        nlohmann::ordered_json& timing = json["Timing"] = nlohmann::ordered_json::object();
        for (const auto& [step, milliseconds] : *timings)
            timing[AnsiToUtf8(step)] = milliseconds;
    }
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// One line per failed component, for standard error.
std::string ErrorsText(const std::vector<TComponentError>& errors) {
    std::string text;
    for (const TComponentError& error : errors) {
        std::string line = error.Component + ": " + error.Message;
        if (error.Place)
            line += " (" + error.Place->RegistryKey + ", value '" + error.Place->ValueName + "')";
        text += ErrorLine(line);
    }
    return text;
}

std::string TimingText(const TTimings& timings) {
    std::string text;
    for (const auto& [step, milliseconds] : timings) {
        char line[64];
        std::snprintf(line, sizeof line, "%10.3f ms  ", milliseconds);
        text += line + step + "\r\n";
    }
    return text;
}

std::vector<TReportRow> TextRows(std::string_view bytes) {
    std::vector<TReportRow> rows;
    auto addRow = [&rows](std::string_view line) { rows.push_back(ReportRowFromLine(line)); };
    TLineSplitter splitter;
    splitter.Feed(bytes, addRow);
    splitter.Finish(addRow);
    return rows;
}

// A JSON report of this program, or the error that says the file is not one.
nlohmann::ordered_json KestovaJson(const std::string& fileName, const std::string& bytes) {
    nlohmann::ordered_json json = nlohmann::ordered_json::parse(bytes, nullptr, false);
    if (json.is_discarded() || !IsKestovaReport(json))
        throw Exception(FormatText("File \"%s\" is not a JSON report of kestova-report", fileName.c_str()));
    return json;
}

// Two text reports row by row, or two JSON reports property by property.
std::string DiffText(const std::string& oldFile, const std::string& newFile, bool& differ) {
    const std::string oldBytes = ReadChecked(oldFile, RefusalOfReport);
    const std::string newBytes = ReadChecked(newFile, RefusalOfReport);
    const bool json = LooksLikeJson(oldBytes);
    if (json != LooksLikeJson(newBytes))
        throw Exception(
            FormatText("File \"%s\" is a %s report and \"%s\" a %s one: --diff compares two of a kind",
                       oldFile.c_str(), json ? "JSON" : "text", newFile.c_str(), json ? "text" : "JSON"));
    const std::vector<TReportDifference> differences =
        json ? DiffJsonReports(KestovaJson(oldFile, oldBytes), KestovaJson(newFile, newBytes))
             : DiffReports(TextRows(oldBytes), TextRows(newBytes));
    std::string text;
    for (const TReportDifference& difference : differences)
        text += DifferenceText(difference) + "\r\n";
    differ = !differences.empty();
    return text;
}

// The CSV of the reports; each that cannot be read or is not a JSON report of
// this program is one line of errors, and the rest are still listed.
std::string TableText(const TReportOptions& options, std::string& errors) {
    std::string text = TableHeader(options.Fields);
    for (const std::string& fileName : options.Reports) {
        try {
            text += TableRow(KestovaJson(fileName, ReadChecked(fileName, RefusalOfReport)), options.Fields);
        } catch (const std::exception& error) {
            errors += ErrorLine(error.what());
        }
    }
    return text;
}

} // namespace

TReportRun RunReportProgram(const std::vector<std::string>& arguments) {
    TReportRun run;
    try {
        const TReportOptions options = ParseReportOptions(arguments);
        std::string output;
        switch (options.Mode) {
        case TReportOptions::rmHelp:
            run.Output = ReportUsageText();
            return run;
        case TReportOptions::rmVersion:
            run.Output = kVersionText;
            return run;
        case TReportOptions::rmDiff: {
            bool differ = false;
            output = DiffText(options.DiffOld, options.DiffNew, differ);
            run.ExitStatus = differ ? 1 : 0;
            break;
        }
        case TReportOptions::rmTable:
            output = TableText(options, run.Errors);
            if (!run.Errors.empty())
                run.ExitStatus = kPartial;
            break;
        case TReportOptions::rmSmbiosDump: {
            TVexor_SMBIOS smbios(nullptr);
            smbios.Refresh();
            const std::vector<std::uint8_t> dump = smbios.DumpTable();
            if (dump.empty())
                throw Exception("No SMBIOS table was found on this machine");
            WriteReportFile(options.SmbiosDump, std::string(dump.begin(), dump.end()));
            return run;
        }
        case TReportOptions::rmText:
        case TReportOptions::rmJson: {
            TTimings timings;
            const std::unique_ptr<TGathered> gathered =
                Gather(options.Timing ? &timings : nullptr, options.SmbiosFrom);
            if (options.Mode == TReportOptions::rmJson) {
                output = JsonReport(*gathered, options.Timing ? &timings : nullptr, options.Omit);
            } else {
                output = TextReport(*gathered);
                if (options.Timing)
                    run.Errors = TimingText(timings);
            }
            run.Errors += ErrorsText(gathered->Errors);
            if (!gathered->Errors.empty())
                run.ExitStatus = kPartial;
            break;
        }
        }
        if (options.OutputFile.empty())
            run.Output = std::move(output);
        else
            WriteReportFile(options.OutputFile, output);
    } catch (const TUsageError& error) {
        run = {2, {}, ErrorLine(error.Message)};
    } catch (const std::exception& error) {
        run = {2, {}, ErrorLine(error.what())};
    }
    return run;
}
