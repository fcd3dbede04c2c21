#include "SmbiosDumpText.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

std::string TDmidecodeSection::Get(const std::string& key) const {
    for (const auto& [name, value] : Fields)
        if (name == key)
            return value;
    return std::string();
}

bool TDmidecodeSection::Has(const std::string& key) const {
    for (const auto& field : Fields)
        if (field.first == key)
            return true;
    return false;
}

// "Handle 0x0004, DMI type 10, 26 bytes" opens a record; each line without
// indentation after it opens a section; "\tKey: Value" lines are its fields
// (deeper lines, lists of flags and the like, are skipped).
std::vector<TDmidecodeRecord> ReadDmidecodeText(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    std::vector<TDmidecodeRecord> records;
    std::string line;
    while (std::getline(in, line)) {
        unsigned handle = 0, type = 0, length = 0;
        if (std::sscanf(line.c_str(), "Handle 0x%x, DMI type %u, %u bytes", &handle, &type, &length) == 3) {
            records.push_back({static_cast<std::uint16_t>(handle), type, length, {}});
            continue;
        }
        if (records.empty() || line.empty() || line[0] == '#')
            continue;
        if (line[0] != '\t') {
            records.back().Sections.push_back({line, {}});
            continue;
        }
        if (records.back().Sections.empty() || line.size() < 2 || line[1] == '\t')
            continue;
        const auto colon = line.find(':');
        if (colon == std::string::npos)
            continue;
        std::string value = colon + 1 < line.size() ? line.substr(colon + 1) : std::string();
        if (!value.empty() && value[0] == ' ')
            value.erase(0, 1);
        records.back().Sections.back().Fields.emplace_back(line.substr(1, colon - 1), value);
    }
    return records;
}

std::vector<std::uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string SmbiosFixture(const std::string& name) {
    return std::string(KESTOVA_SMBIOS_FIXTURES) + "/" + name;
}
