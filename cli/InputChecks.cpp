#include "InputChecks.h"

namespace {

// The byte-order mark a file starts with, or nullptr.
const char* ByteOrderMark(std::string_view bytes) {
    static const struct {
        std::string_view Mark;
        const char* Name;
    } kMarks[] = {
        // UTF-32 before UTF-16: FF FE 00 00 also starts like FF FE.
        {std::string_view("\xFF\xFE\0\0", 4), "UTF-32"},
        {std::string_view("\0\0\xFE\xFF", 4), "UTF-32"},
        {"\xEF\xBB\xBF", "UTF-8"},
        {"\xFF\xFE", "UTF-16"},
        {"\xFE\xFF", "UTF-16"},
    };
    for (const auto& known : kMarks)
        if (bytes.starts_with(known.Mark))
            return known.Name;
    return nullptr;
}

std::string Quoted(const std::string& fileName) {
    return "File \"" + fileName + "\" ";
}

} // namespace

std::string RefusalOfReport(const std::string& fileName, std::string_view bytes) {
    if (const char* mark = ByteOrderMark(bytes))
        return Quoted(fileName) + "starts with a " + mark +
               " byte-order mark; a report is read only as kestova-report and Save... write it, without one";
    if (const size_t nul = bytes.find('\0'); nul != std::string_view::npos)
        return Quoted(fileName) + "holds a NUL byte at offset " + std::to_string(nul) +
               " and is not a saved report";
    return {};
}

std::string RefusalOfSmbiosDump(const std::string& fileName, std::string_view bytes) {
    if (const char* mark = ByteOrderMark(bytes))
        return Quoted(fileName) + "starts with a " + mark + " byte-order mark and is not an SMBIOS dump";
    for (std::string_view anchor : {"_SM3_", "_SM_", "_DMI_"})
        if (bytes.starts_with(anchor))
            return {};
    return Quoted(fileName) +
           "is not an SMBIOS dump: it does not start with an entry point (_SM_, _SM3_ or _DMI_)";
}

bool LooksLikeJson(std::string_view bytes) {
    const size_t first = bytes.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && bytes[first] == '{';
}
