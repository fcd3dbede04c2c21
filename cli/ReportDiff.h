#pragma once
// Comparing two saved reports, as Load... reads them: rows are matched by
// caption (the n-th row of a caption with the n-th of the same caption), and
// the entry rows of a DirectX section by their place in that section's list.
#include "report/ReportRows.h"

#include <string>
#include <vector>

struct TReportDifference {
    enum TKind { rdRemoved, rdAdded, rdChanged };
    TKind Kind;
    std::string Key;      // the row's caption, or the section's caption for a list entry
    std::string OldValue; // empty for an added row
    std::string NewValue; // empty for a removed row
};

// The differences in report order: the rows of the old report, each reported
// where it stands, with rows only the new report has after the row they
// follow. Equal reports give none.
std::vector<TReportDifference> DiffReports(const std::vector<TReportRow>& oldRows,
                                           const std::vector<TReportRow>& newRows);

// One line per difference: "- key value" removed, "+ key value" added,
// "~ key old -> new" changed.
std::string DifferenceText(const TReportDifference& difference);
