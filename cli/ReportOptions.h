#pragma once
// The command line of kestova-report.
#include <string>
#include <vector>

struct TReportOptions {
    enum TMode { rmText, rmJson, rmDiff, rmSmbiosDump, rmHelp, rmVersion };
    TMode Mode = rmText;
    bool Timing = false;
    std::string OutputFile; // empty: standard output
    std::string DiffOld, DiffNew;
    std::string SmbiosDump; // rmSmbiosDump: the file this machine's table goes to
    std::string SmbiosFrom; // rmJson: a dump decoded in place of this machine's table
};

// Reads the arguments after the program name. Raises TUsageError with one
// line naming what is wrong: an unknown option, a missing file name, a
// stray argument, options that do not go together.
TReportOptions ParseReportOptions(const std::vector<std::string>& arguments);

struct TUsageError {
    std::string Message;
};

// The text --help prints.
const char* ReportUsageText();
