#pragma once
// kestova-report: the report of the three information components on the
// command line, as the window's text file or as JSON; and the comparison of
// two saved reports.
#include <string>
#include <vector>

struct TReportRun {
    int ExitStatus = 0;
    std::string Output; // what goes to standard output (empty when -o wrote a file)
    std::string Errors; // what goes to standard error
};

// Exit status: 0 done (or --diff found the reports equal), 1 --diff found
// differences, 2 an error (a wrong option, a file that cannot be read or
// written or is not what the option reads), told in one line on standard
// error; 3 partial: a component whose refresh raised (the others reported,
// one line per failure on standard error), or --table reports that could not
// be read (the others listed).
TReportRun RunReportProgram(const std::vector<std::string>& arguments);
