// kestova-report under Wine: the same report as the window, the JSON of the
// same components, the comparison of saved reports, and its failures.
#include "app/Application.h"
#include "app/FrmMain.h"
#include "base/win/Handles.h"
#include "cli/ReportProgram.h"
#include "report/ReportFile.h"
#include "sysinfo/win/Dask_Engines.h"
#include "sysinfo/win/Dask_Machine.h"
#include "sysinfo/win/Dask_OS.h"
#include "sysinfo/Dask_SMBIOS_Dump.h"
#include "tests/fixtures/Fixtures.h"
#include "tests/fixtures/SavedRegistryTree.h"
#include "tests/fixtures/SavedRegistryValues.h"
#include "tests/fixtures/SmbiosTables.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;

class ReportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        Application().SetErrorSink([](const std::string&, const std::string&) {});
        form.CreateForm();
    }
    void TearDown() override { Application().SetErrorSink(nullptr); }

    // What Save... writes from the window, after a Refresh.
    std::string WindowSaved() {
        form.sBitBtn2Click();
        form.Save1().SetFileName(folder.File("window.txt"));
        form.SaveToTextFile();
        return folder.Read("window.txt");
    }
    std::string ReportLine(const std::string& text, size_t index) {
        std::vector<std::string> lines;
        ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
        return index < lines.size() ? lines[index] : "";
    }

    TempFolder folder;
    TForm1 form;
};

TEST_F(ReportCliTest, TextOutputIsWhatSaveWritesFromTheWindow) {
    const TReportRun run = RunReportProgram({});
    EXPECT_EQ(run.ExitStatus, 0);
    EXPECT_EQ(run.Errors, "");
    EXPECT_EQ(run.Output, WindowSaved());
    EXPECT_EQ(run.Output.substr(0, 29), "Engines Report for Machine:  ");
}

std::vector<std::string> Entries(const TStringList& list) {
    return list.Items();
}

TEST_F(ReportCliTest, JsonHoldsWhatTheWindowShows) {
    const TReportRun run = RunReportProgram({"--json"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Errors;
    const Json json = Json::parse(run.Output);
    form.sBitBtn2Click();
    const TVexor_Engines& engines = *form.Eg1;
    const Json& eg1 = json.at("Eg1");
    EXPECT_EQ(eg1.at("ODBC"), engines.ODBC());
    EXPECT_EQ(eg1.at("ADO"), engines.ADO());
    EXPECT_EQ(eg1.at("NET"), engines.NET());
    EXPECT_EQ(eg1.at("DAO"), engines.DAO());
    EXPECT_EQ(eg1.at("MSI"), engines.MSI());
    EXPECT_EQ(eg1.at("OpenGL"), engines.OpenGL());
    EXPECT_EQ(eg1.at("IE"), engines.IE());
    EXPECT_EQ(eg1.at("QT"), engines.QT());
    EXPECT_EQ(eg1.at("BDE"), engines.BDE());
    EXPECT_EQ(eg1.at("ASPI32").at("ASPI"), engines.ASPI32()->ASPI());
    const Json& directX = eg1.at("DirectX");
    EXPECT_EQ(directX.at("Version"), engines.DirectX()->Version());
    EXPECT_EQ(directX.at("Direct3D").get<std::vector<std::string>>(), Entries(engines.DirectX()->Direct3D()));
    EXPECT_EQ(directX.at("DirectMusic").get<std::vector<std::string>>(),
              Entries(engines.DirectX()->DirectMusic()));
    EXPECT_EQ(directX.at("DirectPlay").get<std::vector<std::string>>(),
              Entries(engines.DirectX()->DirectPlay()));

    const Json& os = json.at("OS1");
    EXPECT_EQ(os.at("OSName"), form.OS1->OSName());
    EXPECT_EQ(os.at("OSEdition"), form.OS1->OSEdition());
    EXPECT_EQ(os.at("BuildLab"), form.OS1->BuildLab());
    EXPECT_EQ(os.at("BuildNumber"), form.OS1->BuildNumber());
    EXPECT_GT(form.OS1->BuildNumber(), 0);
    EXPECT_TRUE(os.at("TimeZone").is_object());

    const Json& machine = json.at("Machine1");
    EXPECT_EQ(machine.at("MachineName"), form.Machine1->MachineName());
    EXPECT_EQ(machine.at("User"), form.Machine1->User());
    EXPECT_FALSE(form.Machine1->MachineName().empty());
    EXPECT_TRUE(machine.at("BIOS").is_object());
    EXPECT_TRUE(machine.at("SMBIOS").is_object());
    EXPECT_FALSE(json.contains("Timing"));
}

TEST_F(ReportCliTest, TimingNamesEachRefreshInTheJsonOrOnStandardError) {
    const Json json = Json::parse(RunReportProgram({"--json", "--timing"}).Output);
    const Json& timing = json.at("Timing");
    for (const char* step : {"Eg1.DirectX", "Eg1.ASPI32", "Eg1", "OS1.TimeZone", "OS1", "Machine1.BIOS",
                             "Machine1.SMBIOS", "Machine1"})
        EXPECT_TRUE(timing.contains(step) && timing.at(step).get<double>() >= 0) << step;

    const TReportRun text = RunReportProgram({"--timing"});
    EXPECT_NE(text.Errors.find(" ms  Eg1.DirectX\r\n"), std::string::npos) << text.Errors;
    EXPECT_EQ(text.Output.substr(0, 29), "Engines Report for Machine:  ");
}

TEST_F(ReportCliTest, BothOutputsFollowTheOdbcFileList) {
    SavedRegistryTree fileList{HKEY_LOCAL_MACHINE, "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList"};
    const std::string dll = folder.File("odbc3525.dll");
    ASSERT_TRUE(CopyFileA(VersionedDll("ver_odbc").c_str(), dll.c_str(), FALSE));
    fileList.SetString("", "ODBC32.DLL", dll);

    const std::string text = RunReportProgram({}).Output;
    EXPECT_EQ(ReportLine(text, 3), "ODBC - Microsoft Open Database Conectivity version:  3.525.1117.0");
    EXPECT_EQ(text, WindowSaved());
    EXPECT_EQ(Json::parse(RunReportProgram({"--json"}).Output).at("Eg1").at("ODBC"), "3.525.1117.0");
}

TEST_F(ReportCliTest, DiffReportsExactlyTheRowsThatDiffer) {
    // A report of this machine, and the same with another ODBC version, one
    // Direct3D driver exchanged and one row added at the end.
    TReportValues values;
    values.MachineName = "PC01";
    values.ODBC = "3.525.1117.0";
    values.Direct3D = {"RGB Emulation", "Direct3D HAL"};
    std::vector<TReportRow> rows;
    AppendReport(rows, values);
    folder.Write("old.txt", ReportFileText(rows));
    values.ODBC = "3.526.3959.0";
    values.Direct3D = {"RGB Emulation", "Direct3D T&L HAL"};
    rows.clear();
    AppendReport(rows, values);
    rows.push_back(TReportRow{"Extra - Added Engine version: ", {"1.0"}});
    folder.Write("new.txt", ReportFileText(rows));

    const TReportRun run = RunReportProgram({"--diff", folder.File("old.txt"), folder.File("new.txt")});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_EQ(run.Output,
              "~ ODBC - Microsoft Open Database Conectivity version: 3.525.1117.0 -> 3.526.3959.0\r\n"
              "~ Microsoft DirectX Direct 3D: \"Direct3D HAL\" -> \"Direct3D T&L HAL\"\r\n"
              "+ Extra - Added Engine version: 1.0\r\n");
    const TReportRun same = RunReportProgram({"--diff", folder.File("old.txt"), folder.File("old.txt")});
    EXPECT_EQ(same.ExitStatus, 0);
    EXPECT_EQ(same.Output, "");
}

// This machine's table written as a dump and decoded again gives the same
// SMBIOS properties as the machine itself; a file without a table is an error.
TEST_F(ReportCliTest, SmbiosDumpDecodedAgainGivesTheSameJson) {
    const TReportRun dump = RunReportProgram({"--smbios-dump", folder.File("table.bin")});
    ASSERT_EQ(dump.ExitStatus, 0) << dump.Errors;
    EXPECT_EQ(dump.Output, "");
    const std::string bytes = folder.Read("table.bin");
    ASSERT_GT(bytes.size(), 32u);
    EXPECT_TRUE(bytes.rfind("_SM", 0) == 0 || bytes.rfind("_DMI_", 0) == 0) << bytes.substr(0, 5);

    // Where the table came from differs (this machine or the dump, with the
    // structure count the dump's entry point states); what it holds does not.
    auto decoded = [](const std::string& output) {
        Json smbios = Json::parse(output).at("Machine1").at("SMBIOS");
        for (const char* acquisition : {"ReadLocalMemory", "TableSource", "StructCount"})
            smbios.erase(acquisition);
        return smbios;
    };
    const TReportRun from = RunReportProgram({"--smbios-from", folder.File("table.bin")});
    ASSERT_EQ(from.ExitStatus, 0) << from.Errors;
    EXPECT_EQ(decoded(from.Output), decoded(RunReportProgram({"--json"}).Output));
    EXPECT_EQ(Json::parse(from.Output).at("Machine1").at("SMBIOS").at("TableSource"), "Supplied");

    folder.Write("empty.bin", "no table here");
    const TReportRun empty = RunReportProgram({"--smbios-from", folder.File("empty.bin")});
    EXPECT_EQ(empty.ExitStatus, 2);
    EXPECT_EQ(empty.Errors,
              "kestova-report: File \"" + folder.File("empty.bin") +
                  "\" is not an SMBIOS dump: it does not start with an entry point (_SM_, _SM3_ "
                  "or _DMI_)\r\n");
}

// An SMBIOS 3.x dump whose table is longer than 65,535 bytes (a large
// server's: 4,680 structures in 65,545 bytes) is walked and reported whole.
TEST_F(ReportCliTest, SmbiosFromATableOver64KbReportsItWhole) {
    const std::vector<std::uint8_t> dump = WriteSmbiosDump({3, 2, LargeSmbiosTable()}, 0);
    ASSERT_EQ(std::string(dump.begin(), dump.begin() + 5), "_SM3_");
    folder.Write("large.bin", std::string(dump.begin(), dump.end()));
    const TReportRun run = RunReportProgram({"--smbios-from", folder.File("large.bin")});
    ASSERT_EQ(run.ExitStatus, 0) << run.Errors;
    EXPECT_EQ(run.Errors, "");
    const Json smbios = Json::parse(run.Output).at("Machine1").at("SMBIOS");
    EXPECT_EQ(smbios.at("Version"), "3.2");
    EXPECT_EQ(smbios.at("StructLength"), kLargeTableBytes);
    ASSERT_EQ(smbios.at("StructTables").size(), kLargeTableStructures);
    EXPECT_EQ(smbios.at("StructTables").back().at("Name"), "End-of-Table");
    EXPECT_EQ(smbios.at("StructTables").back().at("Address"), 65539);
    EXPECT_EQ(smbios.at("SystemModel"), "Last of 4680");
}

TEST_F(ReportCliTest, OutputFileOntoALockedFileKeepsIt) {
    folder.Write("locked.txt", "old report\r\n");
    {
        UniqueHandle lock(CreateFileA(folder.File("locked.txt").c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(lock);
        const TReportRun run = RunReportProgram({"-o", folder.File("locked.txt")});
        EXPECT_EQ(run.ExitStatus, 2);
        EXPECT_EQ(run.Output, "");
        EXPECT_EQ(run.Errors.rfind("kestova-report: Cannot create file \"", 0), 0u) << run.Errors;
    }
    EXPECT_EQ(folder.Read("locked.txt"), "old report\r\n");

    EXPECT_EQ(RunReportProgram({"--json", "-o", folder.File("new.json")}).ExitStatus, 0);
    EXPECT_NO_THROW(Json::parse(folder.Read("new.json")));
}

// One registry value of another type than the component reads, for as long
// as the test runs: the fault a damaged machine shows.
struct TComponentFault {
    const char* component;
    const char* key; // below HKLM
    const char* value;
    const char* message;
    void (*set)(const SavedRegistryValues& key, const char* value);
};

const TComponentFault kFaults[] = {
    // DirectX setup records its version as text; a DWORD ends the engines refresh.
    {"Eg1", "SOFTWARE\\Microsoft\\DirectX", "Version", "Invalid data type for 'Version'",
     [](const SavedRegistryValues& key, const char* value) { key.SetDword(value, 9); }},
};

TEST_F(ReportCliTest, AFailingComponentCostsOnlyItself) {
    const std::vector<std::string> names{"Eg1", "OS1", "Machine1"};
    for (const TComponentFault& fault : kFaults) {
        SCOPED_TRACE(fault.component);
        SavedRegistryValues key{HKEY_LOCAL_MACHINE, fault.key, {fault.value}};
        fault.set(key, fault.value);

        const TReportRun json = RunReportProgram({"--json"});
        EXPECT_EQ(json.ExitStatus, 3) << json.Errors;
        const Json report = Json::parse(json.Output);
        EXPECT_EQ(report.at("Errors"),
                  Json::parse(Json::array({{{"Component", fault.component},
                                            {"Message", fault.message},
                                            {"RegistryKey", std::string("HKLM\\") + fault.key},
                                            {"ValueName", fault.value}}})
                                  .dump()));
        for (const std::string& name : names) {
            if (name == fault.component)
                EXPECT_TRUE(report.at(name).is_null()) << name;
            else
                EXPECT_TRUE(report.at(name).is_object() && report.at(name).at("LiveData") == true) << name;
        }
        const std::string errorLine = std::string("kestova-report: ") + fault.component + ": " +
                                      fault.message + " (HKLM\\" + fault.key + ", value '" + fault.value +
                                      "')\r\n";
        EXPECT_EQ(json.Errors, errorLine);

        // The text report still has every row; the failed component's are
        // those of one never refreshed.
        const TReportRun text = RunReportProgram({"-o", folder.File("partial.txt")});
        EXPECT_EQ(text.ExitStatus, 3);
        EXPECT_EQ(text.Errors, errorLine);
        const std::string saved = folder.Read("partial.txt");
        EXPECT_EQ(saved.rfind("Engines Report for Machine:  ", 0), 0u);
        // The engines' rows as never gathered, though this machine has ODBC.
        EXPECT_EQ(ReportLine(saved, 3),
                  "ODBC - Microsoft Open Database Conectivity version:  \"ODBC Not Installed\"");
        EXPECT_EQ(ReportLine(saved, 13), "DirectX - Microsoft DirectX Version:  \"DirectX Not Installed\"");
        EXPECT_NE(ReportLine(saved, 0), "Engines Report for Machine:  ") << "the machine's name is there";
    }
    // Without a fault, nothing is partial.
    const TReportRun whole = RunReportProgram({"--json"});
    EXPECT_EQ(whole.ExitStatus, 0) << whole.Errors;
    EXPECT_FALSE(Json::parse(whole.Output).contains("Errors"));
}

TEST_F(ReportCliTest, JsonCarriesWhoMadeItAndOmitsNamedProperties) {
    SYSTEMTIME before;
    GetSystemTime(&before);
    const TReportRun run = RunReportProgram({"--json", "--omit", "Environment,User", "-o", "-"});
    ASSERT_EQ(run.ExitStatus, 0) << run.Errors;
    const Json report = Json::parse(run.Output);
    const Json& header = report.at("Kestova");
    EXPECT_EQ(header.at("Program"), "kestova-report");
    EXPECT_EQ(header.at("Version"), "1.0");
    EXPECT_EQ(header.at("SchemaVersion"), 1);
    char year[8];
    std::snprintf(year, sizeof year, "%04d-", before.wYear);
    EXPECT_EQ(header.at("Made").get<std::string>().rfind(year, 0), 0u) << header.at("Made");
    EXPECT_EQ(header.at("Made").get<std::string>().size(), 20u) << header.at("Made");
    EXPECT_FALSE(report.at("OS1").contains("Environment"));
    EXPECT_FALSE(report.at("Machine1").contains("User"));
    EXPECT_TRUE(report.at("OS1").contains("Folders"));
    // LoggedUser and the other properties of these names' neighbours stay.
    EXPECT_TRUE(report.at("Machine1").contains("MachineName"));
}

TEST_F(ReportCliTest, JsonDiffComparesPropertiesAndRefusesWhatIsNotAReport) {
    ASSERT_EQ(RunReportProgram({"--json", "-o", folder.File("old.json")}).ExitStatus, 0);
    {
        SavedRegistryTree fileList{HKEY_LOCAL_MACHINE, "SOFTWARE\\ODBC\\ODBCINST.INI\\ODBC Core\\FileList"};
        const std::string dll = folder.File("odbc3525.dll");
        ASSERT_TRUE(CopyFileA(VersionedDll("ver_odbc").c_str(), dll.c_str(), FALSE));
        fileList.SetString("", "ODBC32.DLL", dll);
        ASSERT_EQ(RunReportProgram({"--json", "-o", folder.File("new.json")}).ExitStatus, 0);
    }
    const std::string oldOdbc = Json::parse(folder.Read("old.json")).at("Eg1").at("ODBC");
    const TReportRun diff = RunReportProgram({"--diff", folder.File("old.json"), folder.File("new.json")});
    EXPECT_EQ(diff.ExitStatus, 1) << diff.Errors;
    // The uptime and boot time of the machine move between runs; the ODBC
    // version is the one difference the fixture made.
    EXPECT_NE(diff.Output.find("~ Eg1.ODBC \"" + oldOdbc + "\" -> \"3.525.1117.0\"\r\n"), std::string::npos)
        << diff.Output;
    const TReportRun same = RunReportProgram({"--diff", folder.File("old.json"), folder.File("old.json")});
    EXPECT_EQ(same.ExitStatus, 0);
    EXPECT_EQ(same.Output, "");

    folder.Write("bom.txt", "\xEF\xBB\xBF"
                            "Engines Report for Machine:  PC01\r\n");
    folder.Write("with-nul.txt", std::string("Engines Report for Machine:  PC01\r\n\0\0", 37));
    folder.Write("text.txt", "Engines Report for Machine:  PC01\r\n");
    folder.Write("other.json", "{\"Eg1\":{}}");
    folder.Write("bom.bin", "\xEF\xBB\xBF_SM_");
    folder.Write("nothing.bin", "no table here");
    const struct {
        std::vector<std::string> args;
        std::string error;
    } refused[] = {
        {{"--diff", folder.File("bom.txt"), folder.File("text.txt")},
         "File \"" + folder.File("bom.txt") + "\" starts with a UTF-8 byte-order mark"},
        {{"--diff", folder.File("text.txt"), folder.File("with-nul.txt")},
         "File \"" + folder.File("with-nul.txt") + "\" holds a NUL byte at offset 35"},
        {{"--diff", folder.File("old.json"), folder.File("text.txt")},
         "File \"" + folder.File("old.json") + "\" is a JSON report and \"" + folder.File("text.txt") +
             "\" a text one"},
        {{"--diff", folder.File("other.json"), folder.File("old.json")},
         "File \"" + folder.File("other.json") + "\" is not a JSON report of kestova-report"},
        {{"--smbios-from", folder.File("bom.bin")},
         "File \"" + folder.File("bom.bin") +
             "\" starts with a UTF-8 byte-order mark and is not an SMBIOS dump"},
        {{"--smbios-from", folder.File("nothing.bin")},
         "File \"" + folder.File("nothing.bin") +
             "\" is not an SMBIOS dump: it does not start with an entry point"},
    };
    for (const auto& c : refused) {
        const TReportRun run = RunReportProgram(c.args);
        EXPECT_EQ(run.ExitStatus, 2) << c.error;
        EXPECT_EQ(run.Output, "");
        EXPECT_EQ(run.Errors.rfind("kestova-report: " + c.error, 0), 0u) << run.Errors;
        EXPECT_EQ(run.Errors.find("\r\n"), run.Errors.size() - 2) << run.Errors;
    }
}

TEST_F(ReportCliTest, TableListsEachReportAndNamesTheOnesItCannotRead) {
    ASSERT_EQ(RunReportProgram({"--json", "-o", folder.File("a.json")}).ExitStatus, 0);
    ASSERT_EQ(RunReportProgram({"--json", "--omit", "OSName", "-o", folder.File("b.json")}).ExitStatus, 0);
    folder.Write("report.txt", "Engines Report for Machine:  PC01\r\n");
    form.sBitBtn2Click();
    const TReportRun run =
        RunReportProgram({"--table", "Machine1.MachineName,OS1.OSName,OS1.BuildNumber", folder.File("a.json"),
                          folder.File("report.txt"), folder.File("missing.json"), folder.File("b.json")});
    EXPECT_EQ(run.ExitStatus, 3);
    const std::string row = form.Machine1->MachineName() + "," + form.OS1->OSName() + "," +
                            std::to_string(form.OS1->BuildNumber()) + "\r\n";
    EXPECT_EQ(run.Output, "Machine1.MachineName,OS1.OSName,OS1.BuildNumber\r\n" + row +
                              form.Machine1->MachineName() + ",," + std::to_string(form.OS1->BuildNumber()) +
                              "\r\n");
    const std::string notJson = "kestova-report: File \"" + folder.File("report.txt") +
                                "\" is not a JSON report of kestova-report\r\n";
    const std::string missing = "kestova-report: Cannot open file \"" + folder.File("missing.json") + "\". ";
    ASSERT_EQ(run.Errors.rfind(notJson, 0), 0u) << run.Errors;
    const std::string second = run.Errors.substr(notJson.size());
    EXPECT_EQ(second.rfind(missing, 0), 0u) << second;
    EXPECT_EQ(second.find("\r\n"), second.size() - 2) << second;
}

TEST_F(ReportCliTest, TheWindowMakesTheReportComponentsInItsOwnOrder) {
    std::vector<std::string> names;
    for (size_t i = 0; i < form.ComponentCount(); ++i)
        names.push_back(form.Components(i)->Name());
    const auto at = [&names](const char* name) {
        return std::find(names.begin(), names.end(), name) - names.begin();
    };
    // The engines component first, the skin manager next, then the
    // operating-system and machine components.
    EXPECT_EQ(at("Eg1"), 0);
    EXPECT_EQ(at("sSkinManager1"), 1);
    EXPECT_LT(at("sSkinManager1"), at("OS1"));
    EXPECT_EQ(at("OS1") + 1, at("Machine1"));
    EXPECT_LT(at("Machine1"), static_cast<std::ptrdiff_t>(names.size()));
}

// kestova-report.exe itself, as a process with its own output pipes.
struct TProcessRun {
    DWORD ExitCode = 0;
    std::string Output, Errors;
};

std::string ReportExe() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(folder.find_last_of('\\'));
    return folder.substr(0, folder.find_last_of('\\')) + "\\cli\\kestova-report.exe";
}

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    return text;
}

TProcessRun RunExe(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    UniqueHandle outRead, outWrite, errRead, errWrite;
    EXPECT_TRUE(CreatePipe(outRead.Put(), outWrite.Put(), &inherit, 0));
    EXPECT_TRUE(CreatePipe(errRead.Put(), errWrite.Put(), &inherit, 0));
    SetHandleInformation(outRead.Get(), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead.Get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = outWrite.Get();
    startup.hStdError = errWrite.Get();
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + ReportExe() + "\" " + arguments;
    TProcessRun run;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return run;
    }
    UniqueHandle processHandle(process.hProcess), thread(process.hThread);
    outWrite.Reset();
    errWrite.Reset();
    run.Output = ReadAll(outRead.Get()); // small outputs: the pipe never fills before stderr is read
    run.Errors = ReadAll(errRead.Get());
    WaitForSingleObject(processHandle.Get(), INFINITE);
    GetExitCodeProcess(processHandle.Get(), &run.ExitCode);
    return run;
}

TEST(ReportExe, WrongOptionsAndUnreadableFilesGiveOneLineAndStatusTwo) {
    TempFolder folder;
    const struct {
        std::string arguments;
        std::string error;
    } cases[] = {
        {"--jsn", "kestova-report: unknown option '--jsn' (kestova-report --help lists the options)\r\n"},
        {"--diff \"" + folder.File("missing.txt") + "\" \"" + folder.File("missing.txt") + "\"",
         "kestova-report: Cannot open file \"" + folder.File("missing.txt") + "\". "},
    };
    for (const auto& c : cases) {
        const TProcessRun run = RunExe(c.arguments);
        EXPECT_EQ(run.ExitCode, 2u) << c.arguments;
        EXPECT_EQ(run.Output, "") << c.arguments;
        EXPECT_EQ(run.Errors.rfind(c.error, 0), 0u) << run.Errors;
        EXPECT_EQ(run.Errors.find("\r\n"), run.Errors.size() - 2) << run.Errors; // one line
    }
    const TProcessRun version = RunExe("--version");
    EXPECT_EQ(version.ExitCode, 0u);
    EXPECT_EQ(version.Output, "kestova-report 1.0 (Kestova 1.0)\r\n");
}

} // namespace
