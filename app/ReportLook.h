#pragma once
// How the report looks: row banding and column widths.
#include <optional>

// The system colour index a row's cells are painted on, or none for the
// list's own background. Only rows 0 to 34 are banded.
std::optional<int> RowBackgroundColorIndex(int rowIndex);

// The two columns share the client width; an odd pixel goes to the first.
struct ColumnWidths {
    int Engine;
    int Version;
};
ColumnWidths AutoSizeColumns(int clientWidth);
