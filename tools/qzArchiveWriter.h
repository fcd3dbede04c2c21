#pragma once
// Writes packed skin archives: "QTzf", the entry count, then per entry the
// name length, the name, the file size and the file as one zlib stream.
#include <cstdint>
#include <string>
#include <vector>

struct TqzArchiveEntry {
    std::string Name;
    std::vector<uint8_t> Content;
};

std::vector<uint8_t> PackArchive(const std::vector<TqzArchiveEntry>& entries, int level = 9);

// The files of a folder in archive order: "Options.dat" first, then the
// others by name without regard to letter case. Sub-folders are skipped.
std::vector<TqzArchiveEntry> ReadSkinFolder(const std::string& folder);
