#include "ReportFile.h"

#include "base/CodePage.h"

#include <algorithm>

namespace {

// The position after the line's last ":" that stands as a character of its
// own, or 0 when there is none. The line is walked from its start so that
// lead and trail bytes pair up as the code page reads them.
size_t CaptionLength(std::string_view line) {
    size_t length = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        // Lead bytes of every double-byte code page lie above 0x80; the
        // common ASCII byte needs no look-up.
        if (c >= 0x80 && IsLeadByte(c) && i + 1 < line.size()) {
            ++i; // the trail byte belongs to this character
            continue;
        }
        if (c == ':')
            length = i + 1;
    }
    return length;
}

} // namespace

std::string ReportFileLine(const TReportRow& row) {
    std::string line = row.Caption;
    line += ' ';
    line += row.SubItems.CommaText();
    return line;
}

std::string ReportFileText(const std::vector<TReportRow>& rows) {
    std::string text;
    for (const TReportRow& row : rows) {
        text += ReportFileLine(row);
        text += "\r\n";
    }
    return text;
}

TReportRow ReportRowFromLine(std::string_view line) {
    const size_t length = CaptionLength(line);
    TReportRow row;
    row.Caption = std::string(line.substr(0, length));
    // Setting the value: the rest holds no line break, so it gives one
    // sub-item, or none when it is empty.
    row.SetValue(line.substr(length));
    return row;
}

std::string ClipboardText(const std::vector<TReportRow>& rows, std::span<const int> selected) {
    std::string text;
    size_t remaining = selected.size();
    // Rows after the last selected one are not visited.
    for (size_t index = 0; index < rows.size() && remaining > 0; ++index) {
        if (!std::binary_search(selected.begin(), selected.end(), static_cast<int>(index)))
            continue;
        text += rows[index].Caption;
        text += '\t';
        text += rows[index].SubItems.CommaText();
        text += '\r';
        --remaining;
    }
    return text;
}
