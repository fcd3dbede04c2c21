#pragma once
// An ordered list of ANSI texts with the comma-text and line-text rules that
// the report file, the clipboard and the report rows share.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TStringList {
public:
    TStringList() = default;
    TStringList(std::initializer_list<std::string> items) : items_(items) {}

    size_t Count() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const std::string& operator[](size_t index) const { return items_[index]; }
    const std::vector<std::string>& Items() const { return items_; }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    void Add(std::string text) { items_.push_back(std::move(text)); }
    void Clear() { items_.clear(); }

    // Entries joined by ","; an entry holding a character of code 1 to 32, a
    // double quote or a comma is enclosed in double quotes with its quotes
    // doubled. One empty entry alone gives "\"\"", an empty list "".
    std::string CommaText() const;
    // Replaces the entries by those of a comma text: leading characters of
    // code 1 to 32 are skipped; a quoted entry runs to its closing quote with
    // doubled quotes taken as one (unclosed: the rest less its last
    // character); any other entry runs to a comma or a character of code 1 to
    // 32. Two commas in a row give an empty entry, and so does a comma that is
    // the last character. A NUL ends the text.
    void SetCommaText(std::string_view text);

    // Every line followed by CR LF, the last one included.
    std::string Text() const;
    // Replaces the entries by the lines of text: a line ends at CR, LF or
    // CR LF; a final break adds no empty line; a NUL ends the text.
    void SetText(std::string_view text);

    bool operator==(const TStringList&) const = default;

private:
    std::vector<std::string> items_;
};

// The text with every double quote doubled, enclosed in double quotes;
// double-byte characters are copied whole.
std::string QuotedText(std::string_view text);

// Calls onLine for each line of text by the line rule of TStringList::SetText.
template <typename OnLine> void ForEachLine(std::string_view text, OnLine onLine) {
    size_t pos = 0;
    const size_t end = text.size();
    while (pos < end && text[pos] != '\0') {
        size_t stop = pos;
        while (stop < end && text[stop] != '\0' && text[stop] != '\r' && text[stop] != '\n')
            ++stop;
        onLine(text.substr(pos, stop - pos));
        pos = stop;
        if (pos < end && text[pos] == '\r')
            ++pos;
        if (pos < end && text[pos] == '\n')
            ++pos;
    }
}
