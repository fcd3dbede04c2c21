#pragma once
// The file search along a ";"-separated directory list, with the file test and
// the code page's lead-byte test supplied by the caller.
#include <functional>
#include <string>
#include <string_view>

using FileExistsTest = std::function<bool(const std::string& path)>;
using LeadByteTest = bool (*)(unsigned char);

// The name itself when it names an existing file, else the first directory of
// the list (runs of ";" skipped) holding it, joined with "\" unless the
// directory already ends in "\" or ":". "" when the name is empty or nothing
// is found. Double-byte characters are stepped over whole, so a trail byte is
// never taken for ";" or "\".
std::string SearchFileOnPathWith(std::string_view name, std::string_view directories,
                                 const FileExistsTest& exists, LeadByteTest isLeadByte);
