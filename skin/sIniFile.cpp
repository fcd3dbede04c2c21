#include "sIniFile.h"
#include "base/Text.h"
#include "base/StringList.h"

const TsIniKey* TsIniSection::Find(std::string_view key) const {
    for (const TsIniKey& k : Keys)
        if (SameText(k.Name, key))
            return &k;
    return nullptr;
}

void TsIniText::SetText(std::string_view text) {
    sections_.clear();
    index_.clear();
    TsIniSection* current = nullptr;
    ForEachLine(text, [&](std::string_view raw) {
        const std::string line = TrimText(raw);
        if (line.empty() || line[0] == ';')
            return;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const std::string name = TrimText(std::string_view(line).substr(1, line.size() - 2));
            const auto [at, added] = index_.emplace(UpperText(name), sections_.size());
            if (added)
                sections_.push_back({name, {}});
            current = &sections_[at->second];
            return;
        }
        if (!current)
            return;
        const size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            return;
        current->Keys.push_back({TrimText(std::string_view(line).substr(0, eq)), line.substr(eq + 1)});
    });
}

const TsIniSection* TsIniText::Section(std::string_view name) const {
    const auto at = index_.find(UpperText(name));
    return at == index_.end() ? nullptr : &sections_[at->second];
}

bool TsIniText::ValueExists(std::string_view section, std::string_view key) const {
    const TsIniSection* s = Section(section);
    return s && s->Find(key);
}

std::string TsIniText::ReadString(std::string_view section, std::string_view key,
                                  std::string_view fallback) const {
    const TsIniSection* s = Section(section);
    const TsIniKey* k = s ? s->Find(key) : nullptr;
    return k ? k->Value : std::string(fallback);
}
