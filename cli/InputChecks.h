#pragma once
// What the report program reads, refused before it is read as something it
// is not: each check gives the one line that says why, or "" for a file it
// can read.
#include <string>
#include <string_view>

// The file is a saved report, as Save... or kestova-report writes one:
// single-byte text or UTF-8 JSON, with no byte-order mark and no NUL byte.
std::string RefusalOfReport(const std::string& fileName, std::string_view bytes);

// The file is an SMBIOS dump as dmidecode --dump-bin writes one: it starts
// with an entry point ("_SM_", "_SM3_" or a legacy "_DMI_").
std::string RefusalOfSmbiosDump(const std::string& fileName, std::string_view bytes);

// A report file holds JSON when its first character past any blanks is "{".
bool LooksLikeJson(std::string_view bytes);
