#pragma once
// The command line of kestova-report.
#include <set>
#include <string>
#include <vector>

struct TReportOptions {
    enum TMode { rmText, rmJson, rmDiff, rmSmbiosDump, rmTable, rmHelp, rmVersion };
    TMode Mode = rmText;
    bool Timing = false;
    std::string OutputFile; // empty (or "-" given): standard output
    std::string DiffOld, DiffNew;
    std::string SmbiosDump;           // rmSmbiosDump: the file this machine's table goes to
    std::string SmbiosFrom;           // rmJson: a dump decoded in place of this machine's table
    std::set<std::string> Omit;       // rmJson: property names left out wherever they occur
    std::vector<std::string> Fields;  // rmTable: the field paths, one column each
    std::vector<std::string> Reports; // rmTable: the JSON reports, one row each
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
