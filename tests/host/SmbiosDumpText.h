#pragma once
// Reading the fixtures of real machines' SMBIOS tables: the binary dump and
// dmidecode's decoding of it, as records of sections of "key: value" fields.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct TDmidecodeSection {
    std::string Title;
    std::vector<std::pair<std::string, std::string>> Fields;
    // The value of the first field of that name; "" when there is none.
    std::string Get(const std::string& key) const;
    bool Has(const std::string& key) const;
};

struct TDmidecodeRecord {
    std::uint16_t Handle = 0;
    unsigned Type = 0;
    unsigned Length = 0;
    std::vector<TDmidecodeSection> Sections;
    const TDmidecodeSection& Main() const { return Sections.front(); }
};

std::vector<TDmidecodeRecord> ReadDmidecodeText(const std::string& path);
std::vector<std::uint8_t> ReadFileBytes(const std::string& path);
std::string SmbiosFixture(const std::string& name);
