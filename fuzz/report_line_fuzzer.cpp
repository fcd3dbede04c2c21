// libFuzzer target for loading report files: the piecewise line splitter
// must agree with the line rule on the whole text, and every line must come
// back as one row whose caption and value put together give the line.
#include "report/ReportFile.h"
#include "base/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Lead bytes of a double-byte code page (those of Shift-JIS), so that trail
// bytes are walked over too.
bool DoubleByteLead(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte chooses the code page and the piece size.
    SetLeadBytePredicate((data[0] & 0x80) ? DoubleByteLead : nullptr);
    const size_t piece = (data[0] & 0x7F) + 1;
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<std::string_view> expected;
    ForEachLine(text, [&expected](std::string_view line) { expected.push_back(line); });

    std::vector<TReportRow> rows;
    std::vector<std::string> lines;
    auto add = [&](std::string_view line) {
        lines.emplace_back(line);
        rows.push_back(ReportRowFromLine(line));
    };
    TLineSplitter splitter;
    for (size_t at = 0; at < text.size(); at += piece)
        if (!splitter.Feed(text.substr(at, piece), add))
            break;
    splitter.Finish(add);

    Check(lines.size() == expected.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        Check(lines[i] == expected[i]);
        const TReportRow& row = rows[i];
        Check(row.Caption.empty() || row.Caption.back() == ':');
        Check(row.SubItems.Count() <= 1);
        const std::string rest = row.SubItems.Empty() ? std::string() : row.SubItems[0];
        Check(row.Caption + rest == lines[i]);
        Check(row.SubItems.Empty() == rest.empty());
        // The cut was at the last colon: the value holds none of its own.
        Check(ReportRowFromLine(rest).Caption.empty());
    }
    std::vector<int> all(rows.size());
    for (size_t i = 0; i < all.size(); ++i)
        all[i] = static_cast<int>(i);
    const std::string saved = ReportFileText(rows);
    const std::string copied = ClipboardText(rows, all);
    Check(saved.size() >= rows.size() * 3 && copied.size() >= rows.size() * 2);
    SetLeadBytePredicate(nullptr);
    return 0;
}
