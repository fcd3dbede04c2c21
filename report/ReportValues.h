#pragma once
// The values a report is made of, read from the three information components
// both the window and the report program refresh.
#include "ReportRows.h"

class TVexor_Engines;
class TVexor_OperatingSystem;
class TVexor_Machine;

// Reads the 18 properties the report shows (the components are not refreshed
// here).
TReportValues ReportValuesOf(const TVexor_Engines& engines, const TVexor_OperatingSystem& os,
                             const TVexor_Machine& machine);
