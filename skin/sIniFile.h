#pragma once
// An INI text held in memory, read in place: sections in the order they
// appear, keys of a section in their order. Section and key names compare
// without regard to letter case. Lines are trimmed; empty lines and lines
// starting with ";" are skipped; "[name]" starts a section; other lines are
// key lines, the key before the first "=", the value after it. Lines before
// the first section, and a second header of a section already seen, add their
// keys nowhere new: the latter to the first section of that name.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct TsIniKey {
    std::string Name;
    std::string Value;
};

struct TsIniSection {
    std::string Name;
    std::vector<TsIniKey> Keys;
    const TsIniKey* Find(std::string_view key) const;
};

class TsIniText {
public:
    TsIniText() = default;
    explicit TsIniText(std::string_view text) { SetText(text); }
    void SetText(std::string_view text);

    const std::vector<TsIniSection>& Sections() const { return sections_; }
    const TsIniSection* Section(std::string_view name) const;
    bool ValueExists(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;

private:
    std::vector<TsIniSection> sections_;
    std::unordered_map<std::string, size_t> index_; // upper-cased name -> section
};
