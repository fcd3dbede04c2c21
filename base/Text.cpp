#include "Text.h"

namespace {

bool IsBlankChar(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string TrimText(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && IsBlankChar(text[first]))
        ++first;
    while (last > first && IsBlankChar(text[last - 1]))
        --last;
    return std::string(text.substr(first, last - first));
}

bool IsBlankText(std::string_view text) {
    for (char c : text)
        if (!IsBlankChar(c))
            return false;
    return true;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && StartsWithText(a, b);
}

bool StartsWithText(std::string_view text, std::string_view prefix) {
    if (prefix.size() > text.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (UpperAscii(text[i]) != UpperAscii(prefix[i]))
            return false;
    return true;
}

bool EndsWithText(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() && SameText(text.substr(text.size() - suffix.size()), suffix);
}

bool ContainsText(std::string_view text, std::string_view part) {
    for (size_t at = 0; at + part.size() <= text.size(); ++at)
        if (StartsWithText(text.substr(at), part))
            return true;
    return false;
}

std::string UpperText(std::string_view text) {
    std::string upper(text);
    for (char& c : upper)
        c = UpperAscii(c);
    return upper;
}

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    if (from.empty())
        return text;
    for (size_t pos = text.find(from); pos != std::string::npos; pos = text.find(from, pos + to.size()))
        text.replace(pos, from.size(), to);
    return text;
}
