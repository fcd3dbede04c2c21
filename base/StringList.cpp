#include "StringList.h"

#include "CodePage.h"

namespace {

// True when the entry must be enclosed in quotes. The scan stops at a NUL,
// as the text ends there for every reader of it.
bool NeedsQuotes(std::string_view entry) {
    for (size_t i = 0; i < entry.size(); ++i) {
        const auto c = static_cast<unsigned char>(entry[i]);
        if (c == 0)
            return false;
        if (c <= 32 || c == '"' || c == ',')
            return true;
        if (IsLeadByte(c) && i + 1 < entry.size() && entry[i + 1] != '\0')
            ++i;
    }
    return false;
}

} // namespace

std::string QuotedText(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result += '"';
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (IsLeadByte(c) && i + 1 < text.size()) {
            result += text[i];
            result += text[++i];
            continue;
        }
        if (c == '"')
            result += '"';
        result += text[i];
    }
    result += '"';
    return result;
}

std::string TStringList::CommaText() const {
    if (items_.size() == 1 && items_[0].empty())
        return "\"\"";
    std::string result;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (i > 0)
            result += ',';
        if (NeedsQuotes(items_[i]))
            result += QuotedText(items_[i]);
        else
            result += items_[i];
    }
    return result;
}

std::string TStringList::Text() const {
    size_t size = 0;
    for (const auto& item : items_)
        size += item.size() + 2;
    std::string result;
    result.reserve(size);
    for (const auto& item : items_) {
        result += item;
        result += "\r\n";
    }
    return result;
}

void TStringList::SetText(std::string_view text) {
    items_.clear();
    ForEachLine(text, [this](std::string_view line) { items_.emplace_back(line); });
}
