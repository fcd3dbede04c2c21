#include "Vexor_Routines_SearchPath.h"

namespace {

// Length of the character starting at text[pos]: 2 for a lead byte that has a
// trail byte after it, else 1.
size_t CharLength(std::string_view text, size_t pos, LeadByteTest isLeadByte) {
    const auto c = static_cast<unsigned char>(text[pos]);
    return (isLeadByte(c) && pos + 1 < text.size()) ? 2 : 1;
}

// The last character of the directory when it is a single byte, else 0.
char LastSingleByte(std::string_view directory, LeadByteTest isLeadByte) {
    char last = 0;
    for (size_t pos = 0; pos < directory.size();) {
        const size_t length = CharLength(directory, pos, isLeadByte);
        last = length == 1 ? directory[pos] : 0;
        pos += length;
    }
    return last;
}

} // namespace

std::string SearchFileOnPathWith(std::string_view name, std::string_view directories,
                                 const FileExistsTest& exists, LeadByteTest isLeadByte) {
    if (name.empty())
        return {};
    std::string candidate(name);
    if (exists(candidate))
        return candidate;
    size_t pos = 0;
    const size_t end = directories.size();
    for (;;) {
        while (pos < end && directories[pos] == ';')
            ++pos;
        if (pos >= end)
            return {};
        const size_t start = pos;
        while (pos < end && directories[pos] != ';')
            pos += CharLength(directories, pos, isLeadByte);
        const std::string_view directory = directories.substr(start, pos - start);
        candidate.assign(directory);
        const char last = LastSingleByte(directory, isLeadByte);
        if (last != '\\' && last != ':')
            candidate += '\\';
        candidate += name;
        if (exists(candidate))
            return candidate;
    }
}
