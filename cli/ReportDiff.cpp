#include "ReportDiff.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

// One matched unit of a report: a row with its value, or a DirectX section
// with its entries.
struct TItem {
    std::string Key; // caption with its occurrence number, or section caption
    std::string Caption;
    std::string Value;
    bool Section = false;
    std::vector<std::string> Entries;
};

// A loaded row holds what followed the caption's colon: the separating blank
// and the comma text. The value shown is the comma text.
std::string WithoutLeadingBlanks(const std::string& value) {
    const size_t start = value.find_first_not_of(' ');
    return start == std::string::npos ? std::string() : value.substr(start);
}

std::string ValueOf(const TReportRow& row) {
    return WithoutLeadingBlanks(row.FirstSubItem());
}

// The section a line opens: Load... cuts a header line at its last colon, so
// its caption carries the labels after the section's own caption.
std::string SectionOf(const TReportRow& row) {
    const std::string line = row.Caption + row.FirstSubItem();
    for (std::string_view caption : DirectXSectionCaptions()) {
        // The saved caption ends with a blank that a bare header loses.
        const std::string_view stem = caption.substr(0, caption.find_last_not_of(' ') + 1);
        if (line.compare(0, stem.size(), stem) == 0)
            return std::string(stem);
    }
    return {};
}

constexpr size_t kNoSection = static_cast<size_t>(-1);

std::vector<TItem> ItemsOf(const std::vector<TReportRow>& rows) {
    std::vector<TItem> items;
    std::map<std::string, int> seen;
    size_t section = kNoSection; // the section whose entries follow
    for (const TReportRow& row : rows) {
        if (const std::string name = SectionOf(row); !name.empty()) {
            TItem& item = items.emplace_back();
            item.Caption = name;
            item.Key = name + "\x01" + std::to_string(seen[name]++);
            item.Section = true;
            section = items.size() - 1;
            continue;
        }
        // An entry row has no caption, so its saved line starts with the
        // blank after it, whatever colons the entry holds.
        if (const std::string line = row.Caption + row.FirstSubItem();
            section != kNoSection && line.starts_with(' ')) {
            items[section].Entries.push_back(WithoutLeadingBlanks(line));
            continue;
        }
        section = kNoSection;
        TItem& item = items.emplace_back();
        item.Caption = row.Caption;
        item.Key = row.Caption + "\x01" + std::to_string(seen[row.Caption]++);
        item.Value = ValueOf(row);
    }
    return items;
}

// The entries of two lists compared in order (longest common subsequence);
// a removed entry followed by an added one in the same place is a change.
void DiffEntries(const std::string& caption, const std::vector<std::string>& a,
                 const std::vector<std::string>& b, std::vector<TReportDifference>& out) {
    const size_t n = a.size(), m = b.size();
    std::vector<std::vector<size_t>> common(n + 1, std::vector<size_t>(m + 1, 0));
    for (size_t i = n; i-- > 0;)
        for (size_t j = m; j-- > 0;)
            common[i][j] =
                a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    std::vector<std::string> removed, added;
    auto flush = [&] {
        const size_t paired = std::min(removed.size(), added.size());
        for (size_t k = 0; k < paired; ++k)
            out.push_back({TReportDifference::rdChanged, caption, removed[k], added[k]});
        for (size_t k = paired; k < removed.size(); ++k)
            out.push_back({TReportDifference::rdRemoved, caption, removed[k], {}});
        for (size_t k = paired; k < added.size(); ++k)
            out.push_back({TReportDifference::rdAdded, caption, {}, added[k]});
        removed.clear();
        added.clear();
    };
    size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && a[i] == b[j]) {
            flush();
            ++i, ++j;
        } else if (j < m && (i == n || common[i][j + 1] >= common[i + 1][j])) {
            added.push_back(b[j++]);
        } else {
            removed.push_back(a[i++]);
        }
    }
    flush();
}

void Compare(const TItem& a, const TItem& b, std::vector<TReportDifference>& out) {
    if (a.Section)
        DiffEntries(a.Caption, a.Entries, b.Entries, out);
    else if (a.Value != b.Value)
        out.push_back({TReportDifference::rdChanged, a.Caption, a.Value, b.Value});
}

void Report(TReportDifference::TKind kind, const TItem& item, std::vector<TReportDifference>& out) {
    if (!item.Section) {
        if (kind == TReportDifference::rdRemoved)
            out.push_back({kind, item.Caption, item.Value, {}});
        else
            out.push_back({kind, item.Caption, {}, item.Value});
        return;
    }
    // A section one report lacks: its header and each of its entries.
    static const std::vector<std::string> kNone;
    out.push_back({kind, item.Caption, {}, {}});
    if (kind == TReportDifference::rdRemoved)
        DiffEntries(item.Caption, item.Entries, kNone, out);
    else
        DiffEntries(item.Caption, kNone, item.Entries, out);
}

} // namespace

std::vector<TReportDifference> DiffReports(const std::vector<TReportRow>& oldRows,
                                           const std::vector<TReportRow>& newRows) {
    const std::vector<TItem> a = ItemsOf(oldRows);
    const std::vector<TItem> b = ItemsOf(newRows);
    std::map<std::string, size_t> inOld, inNew;
    for (size_t i = 0; i < a.size(); ++i)
        inOld[a[i].Key] = i;
    for (size_t j = 0; j < b.size(); ++j)
        inNew[b[j].Key] = j;

    std::vector<TReportDifference> out;
    size_t j = 0;
    // Rows of the new report up to the next one both share are added here.
    auto addNewUntilShared = [&] {
        for (; j < b.size() && !inOld.contains(b[j].Key); ++j)
            Report(TReportDifference::rdAdded, b[j], out);
    };
    addNewUntilShared();
    for (const TItem& item : a) {
        const auto match = inNew.find(item.Key);
        if (match == inNew.end()) {
            Report(TReportDifference::rdRemoved, item, out);
            continue;
        }
        Compare(item, b[match->second], out);
        if (match->second >= j) {
            j = match->second + 1;
            addNewUntilShared();
        }
    }
    for (; j < b.size(); ++j)
        if (!inOld.contains(b[j].Key))
            Report(TReportDifference::rdAdded, b[j], out);
    return out;
}

std::string DifferenceText(const TReportDifference& difference) {
    const std::string key = difference.Key.empty() ? std::string("(no caption)") : difference.Key;
    switch (difference.Kind) {
    case TReportDifference::rdRemoved:
        return "- " + key + " " + difference.OldValue;
    case TReportDifference::rdAdded:
        return "+ " + key + " " + difference.NewValue;
    case TReportDifference::rdChanged:
        break;
    }
    return "~ " + key + " " + difference.OldValue + " -> " + difference.NewValue;
}
