#include "ReportOptions.h"

#include "ReportTable.h"

namespace {

[[noreturn]] void Fail(std::string message) {
    throw TUsageError{std::move(message) + " (kestova-report --help lists the options)"};
}

} // namespace

TReportOptions ParseReportOptions(const std::vector<std::string>& arguments) {
    TReportOptions options;
    bool json = false, diff = false, help = false, version = false, output = false;
    bool dump = false, from = false, table = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto next = [&](const char* what) -> const std::string& {
            if (i + 1 >= arguments.size())
                Fail(argument + " needs " + what);
            return arguments[++i];
        };
        if (argument == "--json") {
            json = true;
        } else if (argument == "--timing") {
            options.Timing = true;
        } else if (argument == "-o" || argument == "--output") {
            if (output)
                Fail("only one " + argument + " may be given");
            output = true;
            options.OutputFile = next("a file name");
            if (options.OutputFile.empty())
                Fail(argument + " needs a file name");
            if (options.OutputFile == "-")
                options.OutputFile.clear();
        } else if (argument == "--diff") {
            if (diff)
                Fail("only one --diff may be given");
            diff = true;
            options.DiffOld = next("two report files");
            options.DiffNew = next("two report files");
        } else if (argument == "--smbios-dump" || argument == "--smbios-from") {
            bool& given = argument == "--smbios-dump" ? dump : from;
            if (given)
                Fail("only one " + argument + " may be given");
            given = true;
            std::string& file = argument == "--smbios-dump" ? options.SmbiosDump : options.SmbiosFrom;
            file = next("a file name");
            if (file.empty())
                Fail(argument + " needs a file name");
        } else if (argument == "--omit") {
            const std::string& names = next("property names");
            size_t start = 0;
            for (;;) {
                const size_t comma = names.find(',', start);
                const std::string name = names.substr(start, comma - start);
                if (name.empty())
                    Fail("--omit needs property names such as Environment,User");
                options.Omit.insert(name);
                if (comma == std::string::npos)
                    break;
                start = comma + 1;
            }
        } else if (argument == "--table") {
            if (table)
                Fail("only one --table may be given");
            table = true;
            try {
                options.Fields = TableFields(next("field paths"));
            } catch (const TUsageError& error) {
                Fail(error.Message);
            }
        } else if (argument == "--help" || argument == "-h" || argument == "/?") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (!argument.empty() && (argument[0] == '-' || argument[0] == '/')) {
            Fail("unknown option '" + argument + "'");
        } else {
            options.Reports.push_back(argument); // the reports of --table
        }
    }
    if (!table && !options.Reports.empty())
        Fail("unexpected argument '" + options.Reports.front() + "'");
    if (help) {
        options.Mode = TReportOptions::rmHelp;
    } else if (version) {
        options.Mode = TReportOptions::rmVersion;
    } else if (table) {
        if (json || options.Timing || dump || from || diff || !options.Omit.empty())
            Fail("--table reads saved JSON reports and takes only -o");
        if (options.Reports.empty())
            Fail("--table needs at least one JSON report");
        options.Mode = TReportOptions::rmTable;
    } else if (diff) {
        if (json || options.Timing || dump || from || !options.Omit.empty())
            Fail("--diff compares saved reports and takes no --json, --timing or --smbios option");
        options.Mode = TReportOptions::rmDiff;
    } else if (dump) {
        if (json || options.Timing || from || output || !options.Omit.empty())
            Fail("--smbios-dump writes only the table and takes no other option");
        options.Mode = TReportOptions::rmSmbiosDump;
    } else if (json || from || !options.Omit.empty()) {
        options.Mode = TReportOptions::rmJson;
    }
    return options;
}

const char* ReportUsageText() {
    return "Usage: kestova-report [--json] [--omit NAMES] [--timing] [-o FILE]\n"
           "       kestova-report --diff OLD NEW [-o FILE]\n"
           "       kestova-report --table FIELDS REPORT.json... [-o FILE]\n"
           "       kestova-report --smbios-dump FILE\n"
           "       kestova-report --smbios-from FILE [--omit NAMES] [--timing] [-o FILE]\n"
           "\n"
           "Gathers the engines, operating system and machine information of this\n"
           "computer, as the Kestova window does.\n"
           "\n"
           "  (no option)      the report as Save... writes it\n"
           "  --json           every property of every information component, as JSON,\n"
           "                   with the program, its version, the UTC time and the\n"
           "                   schema version under \"Kestova\"\n"
           "  --omit NAMES     leave out of the JSON the properties of these names\n"
           "                   (comma-separated) wherever they occur: --omit Environment,User\n"
           "  --timing         how long each component's refresh took, in milliseconds\n"
           "                   (in the JSON, or on standard error with the text report)\n"
           "  -o FILE          write to FILE instead of standard output (- for standard\n"
           "                   output); a failed write keeps the file that was there\n"
           "  --diff OLD NEW   compare two saved reports, both text or both JSON (JSON:\n"
           "                   property by property, lists entry by entry); exit status 0\n"
           "                   when they are equal, 1 when they differ\n"
           "  --table FIELDS REPORT.json...  one CSV row per JSON report with the fields\n"
           "                   named by FIELDS (comma-separated paths such as\n"
           "                   Machine1.MachineName,OS1.OSName); a missing field is empty\n"
           "  --smbios-dump FILE  write this machine's SMBIOS table to FILE, laid out as\n"
           "                   dmidecode --dump-bin writes it\n"
           "  --smbios-from FILE  the JSON, with the SMBIOS table decoded from such a\n"
           "                   dump instead of this machine's\n"
           "  --help           this text\n"
           "  --version        the program's version\n"
           "\n"
           "Exit status 2: a wrong option or a file that cannot be read or written.\n"
           "Exit status 3: partial: a component whose refresh failed (the others are\n"
           "reported, the errors listed under \"Errors\" in the JSON and on standard\n"
           "error), or a --table report that could not be read (the others are listed).\n";
}
