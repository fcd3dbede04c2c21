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

namespace {

bool IsBlankOrControl(char c) {
    const auto code = static_cast<unsigned char>(c);
    return code >= 1 && code <= 32;
}

// Length of the character at text[pos]: a lead byte with a byte after it
// forms one character with it.
size_t CharLengthAt(std::string_view text, size_t pos) {
    return (IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size()) ? 2 : 1;
}

// The quoted entry starting at text[pos] (a double quote); pos ends after
// the closing quote, or at the end of the text when there is none.
std::string QuotedEntry(std::string_view text, size_t& pos) {
    std::string entry;
    size_t lastCharLength = 0;
    ++pos;
    while (pos < text.size()) {
        if (text[pos] == '"') {
            if (pos + 1 < text.size() && text[pos + 1] == '"') {
                entry += '"';
                lastCharLength = 1;
                pos += 2;
                continue;
            }
            ++pos;
            return entry;
        }
        lastCharLength = CharLengthAt(text, pos);
        entry.append(text.substr(pos, lastCharLength));
        pos += lastCharLength;
    }
    // Unclosed: the text ran out where the closing quote should be.
    entry.resize(entry.size() - lastCharLength);
    return entry;
}

} // namespace

void TStringList::SetCommaText(std::string_view text) {
    items_.clear();
    text = text.substr(0, text.find('\0'));
    size_t pos = 0;
    const size_t end = text.size();
    while (pos < end && IsBlankOrControl(text[pos]))
        ++pos;
    while (pos < end) {
        if (text[pos] == '"') {
            items_.push_back(QuotedEntry(text, pos));
        } else {
            const size_t start = pos;
            while (pos < end && text[pos] != ',' && !IsBlankOrControl(text[pos]))
                pos += CharLengthAt(text, pos);
            items_.emplace_back(text.substr(start, pos - start));
        }
        while (pos < end && IsBlankOrControl(text[pos]))
            ++pos;
        if (pos < end && text[pos] == ',') {
            if (pos + 1 == end)
                items_.emplace_back();
            ++pos;
            while (pos < end && IsBlankOrControl(text[pos]))
                ++pos;
        }
    }
}
