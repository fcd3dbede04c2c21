#pragma once
// Reading and writing report files on disk.
#include "ReportRows.h"

#include <string>
#include <string_view>
#include <vector>

// Replaces the file by bytes. The new content is written to a temporary file
// beside it and only then moved into its place, so a file that cannot be
// written whole (disk full, locked, read-only, a folder) leaves the one that
// was there untouched and no temporary behind. Raises "Cannot create file
// "<full path>". <system message>".
void WriteReportFile(const std::string& fileName, std::string_view bytes);

// The rows of the file's lines, up to its first NUL. Others may read the file
// meanwhile but not write it. Raises "Cannot open file "<full path>".
// <system message>" when it cannot be opened, before anything is read.
std::vector<TReportRow> ReadReportFile(const std::string& fileName);
