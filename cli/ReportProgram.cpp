#include "ReportProgram.h"

#include "AnsiToUtf8.h"
#include "ReportDiff.h"
#include "ReportJson.h"
#include "ReportOptions.h"
#include "base/Exception.h"
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
#include <typeinfo>

namespace {

constexpr const char* kVersionText =
    "kestova-report " KESTOVA_VERSION_TEXT " (Kestova " KESTOVA_VERSION_TEXT ")\r\n";

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

// The three components of the window, under the window's names, refreshed
// in the window's order.
struct TInventory {
    std::unique_ptr<TVexor_Engines> Eg1;
    std::unique_ptr<TVexor_OperatingSystem> OS1;
    std::unique_ptr<TVexor_Machine> Machine1;
};

// Timings in the order the steps ended: start-up steps, then each refresh
// (a sub-component's before its owner's).
using TTimings = std::vector<std::pair<std::string, double>>;

// The whole file; a file that cannot be opened or read raises the error Load
// gives for it.
std::vector<std::uint8_t> ReadFileBytes(const std::string& fileName) {
    UniqueHandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw Exception(FormatText("Cannot open file \"%s\". %s", fileName.c_str(),
                                   SystemErrorMessage(GetLastError()).c_str()));
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr))
            throw Exception(FormatText("Cannot read file \"%s\". %s", fileName.c_str(),
                                       SystemErrorMessage(GetLastError()).c_str()));
        if (read == 0)
            return bytes;
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
}

// smbiosFrom: a dump whose table the machine decodes instead of its own.
TInventory GatherInventory(TTimings* timings, const std::string& smbiosFrom) {
    TStopwatch watch;
    TInventory inventory;
    inventory.Eg1 = std::make_unique<TVexor_Engines>(nullptr);
    inventory.Eg1->SetName("Eg1");
    inventory.OS1 = std::make_unique<TVexor_OperatingSystem>(nullptr);
    inventory.OS1->SetName("OS1");
    inventory.Machine1 = std::make_unique<TVexor_Machine>(nullptr);
    inventory.Machine1->SetName("Machine1");
    if (!smbiosFrom.empty() && !inventory.Machine1->SMBIOS()->LoadDump(ReadFileBytes(smbiosFrom)))
        throw Exception(FormatText("File \"%s\" holds no SMBIOS table", smbiosFrom.c_str()));
    if (timings) {
        timings->emplace_back("Construction", watch.Lap());
        SetRefreshTimer([timings](const TVexor_Nolt_Component& component, double milliseconds) {
            timings->emplace_back(PathOf(component), milliseconds);
        });
    }
    struct TTimerReset {
        ~TTimerReset() { SetRefreshTimer(nullptr); }
    } timerReset;
    RefreshTimed(*inventory.Eg1);
    RefreshTimed(*inventory.OS1);
    RefreshTimed(*inventory.Machine1);
    return inventory;
}

std::string TextReport(const TInventory& inventory) {
    std::vector<TReportRow> rows;
    AppendReport(rows, ReportValuesOf(*inventory.Eg1, *inventory.OS1, *inventory.Machine1));
    return ReportFileText(rows);
}

std::string JsonReport(const TInventory& inventory, const TTimings* timings) {
    nlohmann::ordered_json json;
    json["Eg1"] = PublishedJson(inventory.Eg1->Published(), AnsiToUtf8);
    json["OS1"] = PublishedJson(inventory.OS1->Published(), AnsiToUtf8);
    json["Machine1"] = PublishedJson(inventory.Machine1->Published(), AnsiToUtf8);
    if (timings) {
        nlohmann::ordered_json& timing = json["Timing"] = nlohmann::ordered_json::object();
        for (const auto& [step, milliseconds] : *timings)
            timing[AnsiToUtf8(step)] = milliseconds;
    }
    return json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
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

std::string DiffText(const std::string& oldFile, const std::string& newFile, bool& differ) {
    const std::vector<TReportRow> oldRows = ReadReportFile(oldFile);
    const std::vector<TReportRow> newRows = ReadReportFile(newFile);
    std::string text;
    const std::vector<TReportDifference> differences = DiffReports(oldRows, newRows);
    for (const TReportDifference& difference : differences)
        text += DifferenceText(difference) + "\r\n";
    differ = !differences.empty();
    return text;
}

// One line, whatever line breaks a system message carries.
std::string ErrorLine(std::string message) {
    for (char& c : message)
        if (c == '\r' || c == '\n')
            c = ' ';
    return "kestova-report: " + message + "\r\n";
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
            const TInventory inventory =
                GatherInventory(options.Timing ? &timings : nullptr, options.SmbiosFrom);
            if (options.Mode == TReportOptions::rmJson) {
                output = JsonReport(inventory, options.Timing ? &timings : nullptr);
            } else {
                output = TextReport(inventory);
                if (options.Timing)
                    run.Errors = TimingText(timings);
            }
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
