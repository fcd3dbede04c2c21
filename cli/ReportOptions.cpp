#include "ReportOptions.h"

namespace {

[[noreturn]] void Fail(std::string message) {
    throw TUsageError{std::move(message) + " (kestova-report --help lists the options)"};
}

} // namespace

TReportOptions ParseReportOptions(const std::vector<std::string>& arguments) {
    TReportOptions options;
    bool json = false, diff = false, help = false, version = false, output = false;
    bool dump = false, from = false;
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
        } else if (argument == "--help" || argument == "-h" || argument == "/?") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else if (!argument.empty() && (argument[0] == '-' || argument[0] == '/')) {
            Fail("unknown option '" + argument + "'");
        } else {
            Fail("unexpected argument '" + argument + "'");
        }
    }
    if (help) {
        options.Mode = TReportOptions::rmHelp;
    } else if (version) {
        options.Mode = TReportOptions::rmVersion;
    } else if (diff) {
        if (json || options.Timing || dump || from)
            Fail("--diff compares saved reports and takes no --json, --timing or --smbios option");
        options.Mode = TReportOptions::rmDiff;
    } else if (dump) {
        if (json || options.Timing || from || output)
            Fail("--smbios-dump writes only the table and takes no other option");
        options.Mode = TReportOptions::rmSmbiosDump;
    } else if (json || from) {
        options.Mode = TReportOptions::rmJson;
    }
    return options;
}

const char* ReportUsageText() {
    return "Usage: kestova-report [--json] [--timing] [-o FILE]\n"
           "       kestova-report --diff OLD NEW [-o FILE]\n"
           "       kestova-report --smbios-dump FILE\n"
           "       kestova-report --smbios-from FILE [--timing] [-o FILE]\n"
           "\n"
           "Gathers the engines, operating system and machine information of this\n"
           "computer, as the Kestova window does.\n"
           "\n"
           "  (no option)      the report as Save... writes it\n"
           "  --json           every property of every information component, as JSON\n"
           "  --timing         how long each component's refresh took, in milliseconds\n"
           "                   (in the JSON, or on standard error with the text report)\n"
           "  -o FILE          write to FILE instead of standard output; a failed write\n"
           "                   keeps the file that was there\n"
           "  --diff OLD NEW   compare two saved reports row by row; exit status 0 when\n"
           "                   they are equal, 1 when they differ\n"
           "  --smbios-dump FILE  write this machine's SMBIOS table to FILE, laid out as\n"
           "                   dmidecode --dump-bin writes it\n"
           "  --smbios-from FILE  the JSON, with the SMBIOS table decoded from such a\n"
           "                   dump instead of this machine's\n"
           "  --help           this text\n"
           "  --version        the program's version\n"
           "\n"
           "Exit status 2: a wrong option or a file that cannot be read or written.\n";
}
